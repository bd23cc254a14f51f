// The echo of each kind of cross section: which lines it shows, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_steps.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// Echo one section; returns its kind line and the labels of the lines after it.
Lines echoOne(int antyp, int units, const std::function<void()>& setUp) {
  clearTables();
  test::ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = antyp;
  test::units(units);
  SECTIN.NSECIN = 1;
  SECTIN.SCNAME(1) = "S";
  setUp();
  std::int32_t istat = 0;
  ECHSEC(istat);
  test::closeReports();
  const Lines echo = test::echoLines();
  auto it = std::find_if(echo.begin(), echo.end(),
                         [](const std::string& l) { return l.rfind("      CROSS SECTION TYPE  :", 0) == 0; });
  Lines out;
  if (it == echo.end()) return out;
  out.push_back(it->substr(27));
  for (++it; it != echo.end(); ++it) out.push_back(it->substr(0, std::min<std::size_t>(it->size(), 28)).substr(
                                         std::min<std::size_t>(it->size(), 5)));
  return out;
}

TEST(SectionEcho, LinesOfEachKind) {
  const struct {
    const char* what;
    int antyp;
    std::function<void()> setUp;
    Lines lines;
  } cases[] = {
      {"elastic I section, space", 3, [] { SECTIN.SCKIND(1) = 3; },
       {" I SECTION        ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ", " EXTERNAL DEPTH      : ",
        " FLANGE THICKNESS    : ", " WEB THICKNESS       : ", " YOUNG MODULUS       : ", " SHEAR MODULUS       : "}},
      {"elastic general section, space: no shear modulus", 3, [] { SECTIN.SCKIND(1) = 0; },
       {" GENERAL SECTION  ", " EQUIVALENT DIAMETER : ", " YOUNG MODULUS       : "}},
      {"elastic rectangular pipe, plane", 2, [] { SECTIN.SCKIND(1) = 2; },
       {" RECTANGULAR PIPE ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ", " EXTERNAL DEPTH      : ",
        " INTERNAL WIDTH      : ", " INTERNAL DEPTH      : ", " YOUNG MODULUS       : "}},
      {"elastic AISC pipe with an external diameter", 3,
       [] {
         SECTIN.SCKIND(1) = 5;
         SECTIN.ELAUX(1, 1) = 12;
         SECTIN.ELAUX(1, 2) = 1;
         SECTIN.SCTXT2(1) = "PIPE12STD";
       },
       {" AISC SECTION (PIPE)", "", " AISC SECTION NAME   : ", " EXTERNAL DIAMETER   : ", " INTERNAL DIAMETER   : ",
        " THICKNESS           : ", " YOUNG MODULUS       : ", " SHEAR MODULUS       : "}},
      {"elastic AISC HP shape", 2,
       [] {
         SECTIN.SCKIND(1) = 5;
         SECTIN.ELAUX(1, 1) = 3;
       },
       {" AISC SECTION (HP)", "", " AISC SECTION NAME   : ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ",
        " EXTERNAL DEPTH      : ", " FLANGE THICKNESS    : ", " WEB THICKNESS       : ", " YOUNG MODULUS       : "}},
      {"tapered AISC shape shows as an H section", 2,
       [] {
         SECTIN.SCKIND(1) = 5;
         SECTIN.ITAPER(1) = 1;
       },
       {" H SECTION        ", " TAPERED SECTION       ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ",
        " EXTERNAL DEPTH      : ", " FLANGE THICKNESS    : ", " WEB THICKNESS       : ", " YOUNG MODULUS       : "}},
      {"cased shaft without casing, pipe core, rebars", 3,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 3;
         SECTIN.NLMAT(1, 8) = 30.0;  // casing diameter, but no thickness
         SECTIN.NLOPT(1, 1) = 1;
         SECTIN.NLRBI(1, 5) = 4;
       },
       {" ROUND CONC. SHAFT, CASING (AND STEEL SECTION)", " CONCRETE DIAMETER   : ", " CONCRETE FC         : ",
        " DIAMETER STEEL      : ", " THICKNESS STEEL     : ", " ES STEEL            : ", " FY STEEL            : ",
        " NUMBER REBARS       : ", " DIAMETER REINF.     : ", " AREA REINFORCEMENT  : ", " ES REINFORCEMENT    : ",
        " FY REINFORCEMENT    : ", " EQ. YOUNG MODULUS   : "}},
      {"cased shaft with casing and an AISC pipe core", 3,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 3;
         SECTIN.NLMAT(1, 8) = 30.0;
         SECTIN.NLMAT(1, 9) = 0.5;
         SECTIN.NLOPT(1, 1) = 3;
         SECTIN.NLOPT(1, 3) = 12;
       },
       {" ROUND CONC. SHAFT, CASING (AND STEEL SECTION)", " CONCRETE DIAMETER   : ", " CONCRETE FC         : ",
        " DIAMETER CASING     : ", " THICKNESS CASING    : ", " ES CASING           : ", " FY CASING           : ",
        "", " AISC SECTION NAME   : ", " DIAMETER STEEL      : ", " THICKNESS STEEL     : ", " ES STEEL            : ",
        " FY STEEL            : ", " EQ. YOUNG MODULUS   : "}},
      {"round prestressed pile without strands", 2,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 4;
       },
       {" ROUND PRESTRESSED PILE     ", " EXTERNAL DIAMETER   : ", " VOID DIAMETER       : ", " CONCRETE FC         : ",
        " EQ. YOUNG MODULUS   : "}},
      {"square prestressed pile with strands", 2,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 5;
         SECTIN.NLSTI(1, 5) = 6;
       },
       {" SQUARE PRESTRESSED PILE    ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ", " CORNER CHAMFER      : ",
        " VOID DIAMETER       : ", " CONCRETE FC         : ", " NUMBER STRANDS      : ", " DIAMETER STRAND     : ",
        " AREA STRAND         : ", " FU STRAND           : ", " INITIAL PRESS. FORCE: ", " EQ. YOUNG MODULUS   : "}},
      {"steel H pile", 2,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 8;
         SECTIN.NLOPT(1, 2) = 1;
       },
       {" STEEL H SECTION PILE       ", " EQUIVALENT DIAMETER : ", " EXTERNAL WIDTH      : ", " EXTERNAL DEPTH      : ",
        " FLANGE THICKNESS    : ", " WEB THICKNESS       : ", " ES STEEL            : ", " FY STEEL            : "}},
      {"AISC pile with its diameter hidden", 2,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 9;
         SECTIN.NLOPT(1, 4) = 1;
       },
       {" STEEL AISC SECTION PILE    ", "", " AISC SECTION NAME   : ", " EXTERNAL WIDTH      : ",
        " EXTERNAL DEPTH      : ", " FLANGE THICKNESS    : ", " WEB THICKNESS       : ", " ES STEEL            : ",
        " FY STEEL            : "}},
      {"user stiffness with a set about z, plane: no modulus", 2,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 10;
         SECTIN.MCSETZ(1) = 3;
       },
       {" USER DEFINED EI            ", " EQUIVALENT DIAMETER : "}},
      {"user stiffness without a set about y, space: modulus", 3,
       [] {
         SECTIN.SCNLIN(1) = 1;
         SECTIN.NLTYPE(1) = 10;
         SECTIN.MCSETZ(1) = 3;
       },
       {" USER DEFINED EI            ", " EQUIVALENT DIAMETER : ", " YOUNG MODULUS       : "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(echoOne(c.antyp, 1, c.setUp), c.lines);
  }
}

TEST(SectionEcho, ValuesInDisplayUnits) {
  clearTables();
  test::ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = 2;
  test::units(2);
  SECTIN.NSECIN = 1;
  SECTIN.SCNAME(1) = "A RECTANGULAR CONCRETE PILE WITH A LONG NAME";
  SECTIN.SCNLIN(1) = 1;
  SECTIN.NLTYPE(1) = 1;
  SECTIN.ELSEC(1, 1) = 0.55;       // equivalent diameter, m
  SECTIN.NLMAT(1, 1) = 0.6;        // width, m
  SECTIN.NLMAT(1, 2) = 0.4;        // depth, m
  SECTIN.NLMAT(1, 12) = 30000.0;   // fc, kPa
  SECTIN.NLRBI(1, 5) = 6;
  SECTIN.NLRBR(1, 1) = 3.14e-4;    // bar area, m2
  SECTIN.NLRBR(1, 2) = 0.02;       // bar diameter, m
  std::int32_t istat = 0;
  ECHSEC(istat);
  test::closeReports();
  const Lines echo = test::echoLines();
  const Lines want = {
      "",
      "     * PILE CROSS SECTIONS *",
      "",
      "      CROSS SECTION       :     1",
      "      SECTION NAME        : A RECTANGULAR CONCRETE PILE WITH",
      "",
      "      TYPE                :  NONLINEAR",
      "      CROSS SECTION TYPE  : RECTANGULAR CONCRETE PILE  ",
      "      EQUIVALENT DIAMETER :       550.000 MM ",
      "      EXTERNAL WIDTH      :       600.000 MM ",
      "      EXTERNAL DEPTH      :       400.000 MM ",
      "      CONCRETE FC         :       30000.0  KN/ M**2 ",
      "      NUMBER REBARS       :             6 ",
      "      DIAMETER REINF.     :       20.0000 MM ",
      "      AREA REINFORCEMENT  :       314.000 MM**2 ",
      "      ES REINFORCEMENT    :       0.00000  KN/ M**2 ",
      "      FY REINFORCEMENT    :       0.00000  KN/ M**2 ",
      "      EQ. YOUNG MODULUS   :       0.00000  KN/ M**2 ",
  };
  EXPECT_EQ(echo, want);
}

// A cased shaft has one steel modulus and one yield stress: the casing and
// its pipe core both show them; the further values of the material line are
// not shown.
TEST(SectionEcho, CasedShaftShowsItsSteelValuesForCasingAndCore) {
  clearTables();
  test::ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = 2;
  test::units(1);
  SECTIN.NSECIN = 1;
  SECTIN.SCNAME(1) = "CASED";
  SECTIN.SCNLIN(1) = 1;
  SECTIN.NLTYPE(1) = 3;
  SECTIN.ELSEC(1, 17) = 3.6e6;   // equivalent Young's modulus
  SECTIN.NLMAT(1, 3) = 36.0;     // concrete diameter
  SECTIN.NLMAT(1, 8) = 36.0;     // casing diameter
  SECTIN.NLMAT(1, 9) = 0.5;      // casing thickness
  SECTIN.NLMAT(1, 10) = 20.0;    // core pipe diameter
  SECTIN.NLMAT(1, 11) = 0.375;   // core pipe thickness
  SECTIN.NLMAT(1, 12) = 4000.0;  // fc
  SECTIN.NLMAT(1, 13) = 29.0e6;  // steel modulus
  SECTIN.NLMAT(1, 14) = 36000.0; // steel yield stress
  SECTIN.NLMAT(1, 15) = 0.003;   // further values
  SECTIN.NLMAT(1, 16) = 7.0;
  SECTIN.NLOPT(1, 1) = 1;        // pipe core
  std::int32_t istat = 0;
  ECHSEC(istat);
  test::closeReports();
  const Lines echo = test::echoLines();
  const Lines want = {
      "",
      "     * PILE CROSS SECTIONS *",
      "",
      "      CROSS SECTION       :     1",
      "      SECTION NAME        : CASED                           ",
      "",
      "      TYPE                :  NONLINEAR",
      "      CROSS SECTION TYPE  : ROUND CONC. SHAFT, CASING (AND STEEL SECTION)",
      "      CONCRETE DIAMETER   :       36.0000 IN ",
      "      CONCRETE FC         :       4000.00 LBS/IN**2 ",
      "      DIAMETER CASING     :       36.0000 IN ",
      "      THICKNESS CASING    :       0.50000 IN ",
      "      ES CASING           :   2.90000E+07 LBS/IN**2 ",
      "      FY CASING           :       36000.0 LBS/IN**2 ",
      "      DIAMETER STEEL      :       20.0000 IN ",
      "      THICKNESS STEEL     :       0.37500 IN ",
      "      ES STEEL            :   2.90000E+07 LBS/IN**2 ",
      "      FY STEEL            :       36000.0 LBS/IN**2 ",
      "      EQ. YOUNG MODULUS   :   3.60000E+06 LBS/IN**2 ",
  };
  EXPECT_EQ(echo, want);
}

}  // namespace
}  // namespace drelm
