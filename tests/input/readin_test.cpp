#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model.h"
#include "input/readin_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::InputRun;
using test::replaced;
using test::runInput;
using test::ScratchDir;

const std::string kPlaneControl = "1 2 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0";

std::string plane(const std::string& control = kPlaneControl) {
  return replaced(test::PLANE_INPUT, "CONTROL\n", control + "\n");
}

TEST(ReadinPlane, FillsTheTablesOfEveryGroupInFileOrder) {
  ScratchDir dir;
  const InputRun r = runInput(plane());
  ASSERT_EQ(r.status, 0) << r.logLine("FATAL");
  EXPECT_EQ(r.headings(), (std::vector<std::string>{"* TITLE AND VERSION", "CONTROLS", "CAP DATA", "LOAD CASES",
                                                    "LOAD COMBINATIONS", "DISTRIBUTED LOADS", "PILE GROUPS",
                                                    "PILE PROPERTIES", "CROSS SECTIONS", "SOIL LAYERS",
                                                    "GENERATED LOAD-SETTLEMENT CURVES",
                                                    "SECTION MOMENT-CURVATURE"}));
  EXPECT_EQ(RUNTTL.TITLE1.trimmed(), "PLANE ROW OF TWO PILES");
  EXPECT_EQ(RUNTTL.ENDWRD.view(), "END ");
  EXPECT_EQ(RUNCTL.IANTYP, 2);
  EXPECT_EQ(CAPCTL.IRFOPT, 1);
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRY, 1.0);  // no direction line
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRZ, 1.0);
  // The case name is a text line taken whole, comma and slash included.
  EXPECT_EQ(CASEIN.LCNAME(1).trimmed(), "Wind, north / gust");
  EXPECT_EQ(CASEIN.CASCTL(1, 15), 1);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 2), 2000.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 8), -2.0);
  EXPECT_EQ(PGRP2D.NROW, 2);
  EXPECT_EQ(PGRP2D.IPG2D(2, 7), 2);
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 8), 10.0);
  EXPECT_EQ(SECTIN.SCNAME(1).trimmed(), "PIPE24");
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 11), 2549.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 29), 2549.0);  // bottom copy of a section that is not tapered
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 20), 5000.0);  // tip resistance at the bottom
  EXPECT_EQ(GENCRVIN.NLSGEN, 2);
  EXPECT_EQ(GENCRVIN.LSGLST(2), 2);
  EXPECT_EQ(INPCRV.NMCGEN, 1);
  EXPECT_EQ(INPCRV.GMYNC(1), 0);  // no y block in plane analysis
  // Run constants and multipliers set before the reading.
  EXPECT_DOUBLE_EQ(RUNCONST.PI, static_cast<double>(3.14159f));
  EXPECT_DOUBLE_EQ(RUNCONST.EPSLIM, 1.0E-14);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPYFZ(MAXPIL1), 1.0);
  EXPECT_EQ(CRVCTL.NCRVKD, 19);
}

TEST(ReadinPlane, WritesBannerFileListAndTitleToTheReports) {
  ScratchDir dir;
  const InputRun r = runInput(plane());
  ASSERT_EQ(r.status, 0);
  const std::vector<std::string> out = test::readLines("run.out");
  ASSERT_GE(out.size(), 16u);
  EXPECT_EQ(out[0], "     " + std::string(73, '='));
  // The platform the library was built for, the line as wide as with the
  // longest name.
  EXPECT_EQ(out[2], std::string(20, ' ') + "  DRELM for Linux, Version 1.0.0-test    ");
  EXPECT_EQ(out[4], std::string(20, ' ') + "   Analysis of A Group of Piles Subjected to Axial and Lateral Loading ");
  EXPECT_EQ(out[9], "     Path to file locations      : ");
  EXPECT_EQ(out[10], "     Name of input data file     : input.inp");
  EXPECT_EQ(out[11], "     Name of output echo file    : run.echo");
  EXPECT_EQ(out[15], "     Name of runtime file        : run.log");
  EXPECT_EQ(out[16], "");
  // The runtime log: version line, then the first title indented 12.
  EXPECT_NE(r.logLine(std::string(10, ' ') + "  DRELM for Linux, Version 1.0.0-test"), "");
  EXPECT_NE(r.logLine(std::string(12, ' ') + "PLANE ROW OF TWO PILES"), "");
}

// Switches and counts that decide which lines follow; each variant must stay
// aligned to the end of the file.
TEST(ReadinPlane, OptionalLinesKeepTheFileAligned) {
  const std::string base = plane();
  const std::size_t cases = base.find("LOAD CASES\n"), combs = base.find("LOAD COMBINATIONS\n");
  const std::vector<std::pair<const char*, std::string>> variants = {
      {"direction line after option 3",
       plane("1 2 0 0 0 0 0 3 0 0 0 0 0 0 0 0 0 0 0 0 0\n0.6 0.8")},
      {"control line over two lines, extra values ignored",
       plane("1 2 0 0 0 0 0 1 0 0\n0 0 0 0 0 0 0 0 0 0 0 99 99")},
      {"no load case but an envelope selection",
       base.substr(0, cases) + "LOAD CASES\n0 1 0 0 0\n" +
           "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n" + base.substr(combs)},
      {"direction line after option 4",
       plane("1 2 0 0 0 0 0 4 0 0 0 0 0 0 0 0 0 0 0 0 0\n0.6 0.8")},
      {"embedded cap without the cap-resistance line", plane("1 2 1 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0")},
      {"user torque-rotation curves in a plane analysis",
       replaced(plane("1 2 0 0 0 0 1 1 0 0 0 0 0 0 0 0 0 0 0 0 0"), "SECTION MOMENT-CURVATURE\n",
                "USER TORQUE-ROTATION CURVES\n1\n1 2\n0.0 0.0\n5000.0 0.01\nSECTION MOMENT-CURVATURE\n")},
      {"layer with a top row only",
       replaced(base,
                "2 9\n110.0 1000.0 30.0 100.0 0.0 0.01 0.5 500.0 4000.0\n"
                "120.0 1100.0 31.0 110.0 0.0 0.02 0.5 600.0 5000.0\n",
                "1 9\n110.0 1000.0 30.0 100.0 0.0 0.01 0.5 500.0 4000.0\n")},
  };
  for (const auto& [name, text] : variants) {
    SCOPED_TRACE(name);
    ScratchDir dir;
    const InputRun r = runInput(text);
    ASSERT_EQ(r.status, 0) << r.logLine("FATAL");
    EXPECT_EQ(r.headings().back(), "SECTION MOMENT-CURVATURE");
    EXPECT_EQ(RUNCTL.IUNITS, 1);
    EXPECT_EQ(CRVCTL.ICRVUF, 0);
    EXPECT_EQ(INPCRV.NMCGEN, 1);
  }
}

TEST(ReadinPlane, DirectionLineAndSpecifiedPointValuesLandInTheirFields) {
  {
    ScratchDir dir;
    ASSERT_EQ(runInput(plane("1 2 0 0 0 0 0 3 0 0 0 0 0 0 0 0 0 0 0 0 0\n0.6 0.8")).status, 0);
    EXPECT_DOUBLE_EQ(CAPCTL.RFDIRY, 0.6);
    EXPECT_DOUBLE_EQ(CAPCTL.RFDIRZ, 0.8);
  }
  {
    ScratchDir dir;
    std::string text = replaced(plane(), "0 0 0 0 0 0 0 0\n0 1 1.0", "0 0 0 0 0 0 0 1\n0 1 1.0");
    text = replaced(text, "0\n0\nLOAD COMBINATIONS",
                    "0\n0\n0 1 1 1 1 1\n1 2 3 4 5 6\n7 8 9 10 11 12\n4.0 5.0 6.0\nLOAD COMBINATIONS");
    ASSERT_EQ(runInput(text).status, 0);
    EXPECT_EQ(CASEIN.LCKIND(1), 1);
    EXPECT_EQ(CASEIN.LCSPFL(1, 1), 0);
    EXPECT_EQ(CASEIN.LCSPFL(1, 6), 1);
    EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(1, 7), 7.0);
    EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(1, 15), 6.0);
  }
}

TEST(ReadinSpace, ReadsEveryOptionalGroupInOrder) {
  ScratchDir dir;
  const InputRun r = runInput(test::SPACE_INPUT);
  ASSERT_EQ(r.status, 0) << r.logLine("FATAL");
  EXPECT_EQ(r.headings(),
            (std::vector<std::string>{"* TITLE AND VERSION", "CONTROLS", "CAP DATA", "LOAD CASES", "LOAD COMBINATIONS",
                                      "DISTRIBUTED LOADS", "PILE GROUPS", "PILE PROPERTIES", "CROSS SECTIONS",
                                      "SOIL LAYERS", "P-Y LISTINGS", "USER P-Y CURVES",
                                      "GENERATED LOAD-SETTLEMENT CURVES", "GENERATED TORQUE-ROTATION CURVES",
                                      "USER LOAD-DISPLACEMENT CURVES", "USER TORQUE-ROTATION CURVES",
                                      "USER MOMENT-CURVATURE SETS", "SECTION MOMENT-CURVATURE",
                                      "REDUCTION FACTORS ALONG DEPTH", "SOIL MOVEMENT", "CURVE FILE"}));
  // Group 2: the obsolete block is passed over; cap-resistance and plate lines.
  EXPECT_EQ(CAPSOL.ICAPSP, 1);
  EXPECT_DOUBLE_EQ(CAPSOL.CAPYMX, 2.0);
  EXPECT_EQ(FECOPT.NFEY, 4);
  EXPECT_DOUBLE_EQ(FECOPT.FEPOIS, 0.2);
  // Load cases: envelope selection, estimation values, specified point.
  EXPECT_EQ(ENVOPT.PRTSEL(25, 1), 9);
  EXPECT_EQ(CASEIN.CASCTL(1, 17), 3);
  EXPECT_DOUBLE_EQ(CASEIN.LCEST(1, 3), 1.0);
  EXPECT_EQ(CASEIN.LCDLPI(1, 1, 2), 4);
  EXPECT_DOUBLE_EQ(CASEIN.LCDLFZ(1, 1), 0.5);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 15), 3.0);
  // Combination: the term count of step 8 governs over the factor line's 5.
  EXPECT_EQ(ENVOPT.PRTSEL(25, 2), 7);
  EXPECT_EQ(COMBIN.CMBCTL(1, 8), 2);
  EXPECT_EQ(COMBIN.CMBCTL(1, 43), 2);
  EXPECT_DOUBLE_EQ(COMBIN.CMBTOL(1, 10), 1.6);
  EXPECT_DOUBLE_EQ(COMBIN.CMBTOL(1, 6), 0.75);
  EXPECT_DOUBLE_EQ(DLSETIN.DLVAL(2, 1), 7.0);
  // Piles and sections.
  EXPECT_EQ(PGRP3D.IPG3D(2, 10), 2);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 13), 45.0);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 14), 2.0);
  EXPECT_EQ(PROPIN.PTYPE(2), 2);
  EXPECT_EQ(SECTIN.SCNAME(1).trimmed(), "PIPE18");
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 19), 12.0);  // tapered: bottom diameter as given
  EXPECT_EQ(SECTIN.SCTXT2(1).trimmed(), "TAPERED STEEL");
  EXPECT_EQ(SECTIN.SCNUM(2), 2);
  EXPECT_EQ(SECTIN.SCNLIN(2), 1);  // any non-zero flag is nonlinear
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 10), 324.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 35), 4.415E6);  // bottom E equals the top E
  EXPECT_EQ(SECTIN.NLTYPE(2), 5);
  EXPECT_DOUBLE_EQ(SECTIN.NLRPOS(2, 2, 1), -6.0);
  EXPECT_DOUBLE_EQ(SECTIN.NLSPOS(2, 3, 2), 6.0);
  EXPECT_DOUBLE_EQ(SECTIN.NLX8L(2, 2), 200.0);
  // Soil, then the groups of the control switches.
  EXPECT_EQ(SOILIN.SLTYPE(2), 6);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 19), 90000.0);
  EXPECT_EQ(PYPRT.PRTNPT(1), 0);  // a request with no deflections is followed by the next request
  EXPECT_EQ(PYPRT.PRTPIL(2), 2);
  EXPECT_DOUBLE_EQ(PYPRT.PRTDEF(2, 2), 0.2);
  EXPECT_EQ(INPCRV.UPYNPT(1, 2), 3);
  EXPECT_DOUBLE_EQ(INPCRV.UPYP(1, 2, 3), 300.0);
  EXPECT_EQ(GENCRVIN.TRGLST(1), 2);
  EXPECT_DOUBLE_EQ(INPCRV.ULSDSP(1, 2), 0.1);
  EXPECT_DOUBLE_EQ(INPCRV.UTRTOR(1, 2), 5000.0);
  EXPECT_DOUBLE_EQ(INPCRV.UMCCRV(1, 1, 2), 1.0E-4);
  EXPECT_EQ(INPCRV.GMZNC(1), 0);
  EXPECT_EQ(INPCRV.GMYNC(1), 0);
  EXPECT_EQ(INPCRV.GMYNPT(2, 1), 3);
  EXPECT_DOUBLE_EQ(INPCRV.GMYMOM(2, 1, 3), 3.0E6);
  EXPECT_DOUBLE_EQ(INPCRV.GMZAXL(2, 1), 5000.0);
  EXPECT_EQ(RFDEP.NRFPT(2), 3);
  EXPECT_DOUBLE_EQ(RFDEP.RFDYM(2, 3), 1.0);
  EXPECT_EQ(SMOV.NSMOV, 2);
  EXPECT_DOUBLE_EQ(SMOV.SMVZIN(1), 0.5);
  EXPECT_DOUBLE_EQ(SMOV.SMVZ(1), 0.5);
  // Both deflection lists: the first is the one the criteria use.
  EXPECT_EQ(PYPRT.NPYUSR, 2);
  EXPECT_DOUBLE_EQ(PYPRT.PYUSR(2), 0.02);
  EXPECT_EQ(CRVCTL.NPYUS2, 3);
}

TEST(ReadinPlane, CurveFileIsOpenedAndLeftEmptyWithoutItsGroup) {
  ScratchDir dir;
  test::writeFile("run.crv", "left over from an earlier run\n");
  ASSERT_EQ(runInput(plane()).status, 0);
  EXPECT_EQ(CRVCTL.ICRVON, 0);
  EXPECT_TRUE(io::connected(U_CURVES));
  io::CLOSEALL();
  EXPECT_EQ(test::readFile("run.crv"), "");
}

TEST(ReadinSpace, EveryTruncationEndsWithStatus42AndNoOverrun) {
  const std::string full = test::SPACE_INPUT;
  std::vector<std::size_t> cuts;
  for (std::size_t at = full.find('\n'); at + 1 < full.size(); at = full.find('\n', at + 1)) cuts.push_back(at + 1);
  for (std::size_t cut : cuts) {
    ScratchDir dir;
    const InputRun r = runInput(full.substr(0, cut));
    ASSERT_EQ(r.status, STAT_INPUT_FORM) << "cut after " << cut << " characters";
  }
}

struct BadInput {
  const char* name;
  std::string text;
  std::int32_t status;
  std::vector<std::string> detail;  // pieces the message must hold
};

TEST(ReadinErrors, FatalBlockNamesLineGroupAndCause) {
  std::string manyPiles = plane();
  manyPiles = replaced(manyPiles, "PILE GROUPS\n2\n", "PILE GROUPS\n2501\n");
  const std::vector<BadInput> cases = {
      {"file ends in the load cases", plane().substr(0, plane().find("Wind")), STAT_INPUT_FORM,
       {"LINE 11", "LOAD CASES", "end of the file"}},
      {"malformed real", replaced(plane(), "0.0 -3.0 0.0 5.0", "0.0 -3.0 O.0 5.0"), STAT_INPUT_FORM,
       {"LINE 28", "PILE GROUPS", "O.0"}},
      {"pile count over capacity", manyPiles, STAT_CAPACITY, {"LINE 25", "PILE GROUPS", "2501", "2500"}},
      {"analysis type out of range", plane("1 4 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0"), STAT_CAPACITY,
       {"LINE 4", "CONTROLS", "analysis type", "4"}},
      {"load kind out of range", replaced(plane(), "0 0 0 0 0 0 0 0\n0 1 1.0", "0 0 0 0 0 0 0 2\n0 1 1.0"),
       STAT_CAPACITY, {"LINE 12", "load kind", "2"}},
      {"negative count", replaced(plane(), "SOIL LAYERS\n1\n", "SOIL LAYERS\n-1\n"), STAT_CAPACITY,
       {"SOIL LAYERS", "-1", "negative"}},
      {"combination names a missing case",
       replaced(plane(), "LOAD COMBINATIONS\n0 0 0 0 0\n",
                "LOAD COMBINATIONS\n1 0 0 0 0\n0 0 0 1 0 100 100\n0.001 0.0001 0.1 0.01\nC\n1 1 1\n"
                "0 1 0 0 0 0 0 0\n0\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n1\n3 1.0\n"),
       STAT_CAPACITY, {"load case of a combination term", "3", "1"}},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    const InputRun r = runInput(c.text);
    EXPECT_EQ(r.status, c.status);
    const std::string banner = std::string(29, ' ') + "**** FATAL ERROR ****";
    for (const std::vector<std::string>* lines : {&r.log, &r.results}) {
      std::size_t at = 0;
      while (at < lines->size() && (*lines)[at] != banner) ++at;
      ASSERT_LT(at + 2, lines->size());
      EXPECT_EQ((*lines)[at - 1], "");
      const std::string text = (*lines)[at + 1] + " " + (*lines)[at + 2];
      for (const std::string& piece : c.detail) EXPECT_NE(text.find(piece), std::string::npos) << text;
      EXPECT_EQ((*lines)[at + 1].rfind("     INPUT DATA FILE, LINE ", 0), 0u);
    }
  }
}

// Capacities of the tables the reader fills, each one past its limit.
TEST(ReadinErrors, CountsBeyondTheirTablesGiveStatus43) {
  const std::string s = test::SPACE_INPUT;
  const std::vector<std::pair<std::string, std::string>> edits = {
      {"LOAD CASES\n2 1", "LOAD CASES\n101 1"},
      {"DISTRIBUTED LOADS\n2\n3\n", "DISTRIBUTED LOADS\n2\n102\n"},
      {"PILE PROPERTIES\n2\n1 2\n", "PILE PROPERTIES\n2\n1 20\n"},
      {"60 60.0 1", "101 60.0 1"},
      {"1 0 0 0 3 0.5", "1 0 0 0 101 0.5"},
      {"SOIL LAYERS\n2\n1 1\n0.0 15.0\n2 9", "SOIL LAYERS\n2\n1 1\n0.0 15.0\n2 11"},
      {"SOIL LAYERS\n2\n1 1", "SOIL LAYERS\n2\n1 15"},
      {"USER P-Y CURVES\n1\n1 2", "USER P-Y CURVES\n1\n1 21"},
      {"P-Y LISTINGS\n2\n1 5.0\n0\n2 10.0\n2", "P-Y LISTINGS\n2\n1 5.0\n0\n2 10.0\n26"},
      {"GENERATED TORQUE-ROTATION CURVES\n1", "GENERATED TORQUE-ROTATION CURVES\n51"},
      {"USER MOMENT-CURVATURE SETS\n1\n1 1", "USER MOMENT-CURVATURE SETS\n1\n1 26"},
      {"2 1\n5000.0\n0.0\n0 2", "2 1\n5000.0\n0.0\n0 201"},
      {"SOIL MOVEMENT\n2", "SOIL MOVEMENT\n26"},
      {"CURVE FILE\n10 1 1\n2", "CURVE FILE\n10 1 1\n25"},
  };
  for (const auto& [from, to] : edits) {
    SCOPED_TRACE(to);
    ASSERT_NE(s.find(from), std::string::npos);
    ScratchDir dir;
    EXPECT_EQ(runInput(replaced(s, from, to)).status, STAT_CAPACITY);
  }
}

TEST(ReadinErrors, ASoundReadingKeepsAnEarlierStatus) {
  ScratchDir dir;
  ASSERT_EQ(runInput(plane()).status, 0);
  io::REWIND(U_INPUT);
  std::int32_t ISTAT = 7;
  READIN(ISTAT);
  EXPECT_EQ(ISTAT, 7);
}

}  // namespace
}  // namespace drelm
