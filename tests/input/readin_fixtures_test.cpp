// Whole reads of the input fixtures and example models through the start-up,
// the reader and the conversion to internal units: what lands in the tables,
// the heading echo of the runtime log, early ends and capacities.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/model.h"
#include "support/inputgen.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

// Reads `text` as the input data file of a run in the current directory and
// closes the run; the tables keep what the input stage left in them.
std::int32_t readInput(const std::string& text) {
  test::writeNamesFile();
  test::writeInputFile(text);
  std::int32_t ISTAT = 0;
  test::runToConvin(ISTAT);
  std::int32_t closing = ISTAT;
  test::closeRun(closing);
  return ISTAT;
}

std::string fixture(const std::string& name) { return test::readFile(test::dataFile(name)); }

std::string example(const std::string& name) {
  return test::readFile(fs::path(DRELM_SOURCE_DIR) / "examples" / name);
}

std::vector<std::string> fileLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  while (p < text.size()) {
    std::size_t e = text.find('\n', p);
    if (e == std::string::npos) e = text.size();
    lines.push_back(text.substr(p, e - p));
    p = e + 1;
  }
  return lines;
}

std::string rtrim(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.pop_back();
  return s;
}

// Line numbers that the runtime log names ("LINE 17", "line 17").
std::set<int> linesNamedInLog() {
  std::set<int> found;
  const std::string log = test::readFile("run.log");
  const std::regex re("[Ll][Ii][Nn][Ee] ([0-9]+)");
  for (auto it = std::sregex_iterator(log.begin(), log.end(), re); it != std::sregex_iterator(); ++it)
    found.insert(std::stoi((*it)[1]));
  return found;
}

// Every input table as bytes, field by field (no padding), for comparing the
// state that two reads leave behind.
struct Snapshot {
  std::string bytes;
  template <typename... T>
  void add(const T&... fields) {
    (bytes.append(reinterpret_cast<const char*>(&fields), sizeof(fields)), ...);
  }
};

Snapshot inputTables() {
  Snapshot s;
  s.add(RUNCTL.IUNITS, RUNCTL.IANTYP, RUNCTL.NPILE, RUNCTL.IUSRPY, RUNCTL.IUSRTR, RUNCTL.IBATAD,
        RUNCTL.IGENLS, RUNCTL.ICRVMX, RUNCTL.IKIPS, RUNCTL.ICTL09, RUNCTL.ICTL10);
  s.add(RUNTTL.ENDWRD, RUNTTL.TITLE1, RUNTTL.TITLE2);
  s.add(RUNCONST.PI, RUNCONST.EPSLIM, RUNCONST.EPSCOH, RUNCONST.EPSMOV);
  s.add(CURCTL.IUSRLS, CURCTL.KPYLST);
  s.add(CAPCTL.CAPLY, CAPCTL.CAPWZ, CAPCTL.CAPTX, CAPCTL.CAPEQD, CAPCTL.RFDIRY, CAPCTL.RFDIRZ,
        CAPCTL.ICAPOP, CAPCTL.IRFOPT, CAPCTL.IOBSOL);
  s.add(CAPSOL.CAPK50, CAPSOL.CAPFUL, CAPSOL.CAPYMX, CAPSOL.NCAPIN, CAPSOL.ICAPSP, CAPSOL.ICAPSM);
  s.add(FECOPT.FEXOFF, FECOPT.FEYOFF, FECOPT.FEYOUN, FECOPT.FEPOIS, FECOPT.IFECAP, FECOPT.NFEX,
        FECOPT.NFEY);
  s.add(RFDCTL.IAVDIA, RFDCTL.IRFDEP);
  s.add(CRVCTL.PYUS2, CRVCTL.ICRVON, CRVCTL.ICRVUF, CRVCTL.NCRVKD, CRVCTL.NCRVST, CRVCTL.IPYUSR,
        CRVCTL.IPYUS2, CRVCTL.NPYUS2);
  s.add(CASEIN.NLCASE, CASEIN.LCNAME, CASEIN.CASTOL, CASEIN.CASCTL, CASEIN.LCKIND, CASEIN.LCCONC,
        CASEIN.LCSPFL, CASEIN.LCSPVL, CASEIN.LCDLAX, CASEIN.LCDLPI, CASEIN.LCDLSY, CASEIN.LCDLSZ,
        CASEIN.LCDLFY, CASEIN.LCDLFZ, CASEIN.LCEST);
  s.add(COMBIN.NCOMB, COMBIN.CBNAME, COMBIN.CMBTOL, COMBIN.CMBCTL);
  s.add(ENVOPT.IENVLC, ENVOPT.IPRLVC, ENVOPT.NPRNDC, ENVOPT.IENVCB, ENVOPT.IPRLVB, ENVOPT.NPRNDB,
        ENVOPT.PRTSEL);
  s.add(DLSETIN.NDLSET, DLSETIN.NDLPT, DLSETIN.DLDEP, DLSETIN.DLVAL);
  s.add(PGRP2D.NROW, PGRP2D.IPG2D, PGRP2D.RPG2D, PGRP3D.NROW, PGRP3D.IPG3D, PGRP3D.RPG3D);
  s.add(PROPIN.NPRPIN, PROPIN.NSECT, PROPIN.NINC, PROPIN.PTYPE, PROPIN.PLEN, PROPIN.SXFROM,
        PROPIN.SXTO, PROPIN.SECNUM);
  s.add(SECTIN.NSECIN, SECTIN.SCNUM, SECTIN.SCKIND, SECTIN.SCNLIN, SECTIN.SCNAME, SECTIN.ELSEC,
        SECTIN.ITAPER, SECTIN.MCSETZ, SECTIN.MCSETY, SECTIN.WALLT, SECTIN.SCTXT2, SECTIN.NLTYPE,
        SECTIN.NLMAT, SECTIN.NLOPT, SECTIN.NLMATN, SECTIN.NLRBI, SECTIN.NLRBR, SECTIN.NLRPI,
        SECTIN.NLRPR, SECTIN.NLRPOS, SECTIN.NLSTI, SECTIN.NLSTR, SECTIN.NLSPOS, SECTIN.NLX8I,
        SECTIN.NLX8R, SECTIN.NLX8L, SECTIN.NLX9I, SECTIN.NLX9R);
  s.add(SOILIN.NLAYIN, SOILIN.SLTYPE, SOILIN.SLVAL);
  s.add(GRPFAC.GRPPF, GRPFAC.GRPYF, GRPFAC.GRPPFY, GRPFAC.GRPYFY, GRPFAC.GRPPFZ, GRPFAC.GRPYFZ);
  s.add(PYPRT.NPYPRT, PYPRT.PRTPIL, PYPRT.PRTDEP, PYPRT.PRTNPT, PYPRT.PRTDEF, PYPRT.NPYUSR,
        PYPRT.PYUSR);
  s.add(INPCRV.NPYSET, INPCRV.NPYSIN, INPCRV.UPYNC, INPCRV.UPYDEP, INPCRV.UPYNPT, INPCRV.UPYP,
        INPCRV.UPYY, INPCRV.NLSIN, INPCRV.ULSNUM, INPCRV.ULSNPT, INPCRV.ULSLOD, INPCRV.ULSDSP,
        INPCRV.NTRIN, INPCRV.UTRNPT, INPCRV.UTRTOR, INPCRV.UTRROT, INPCRV.NMCSIN, INPCRV.UMCNC,
        INPCRV.UMCAXL, INPCRV.UMCNPT, INPCRV.UMCMOM, INPCRV.UMCCRV, INPCRV.NMCGEN, INPCRV.GMZNC,
        INPCRV.GMYNC, INPCRV.GMZAXL, INPCRV.GMYAXL, INPCRV.GMZNPT, INPCRV.GMYNPT, INPCRV.GMZMOM,
        INPCRV.GMZCRV, INPCRV.GMYMOM, INPCRV.GMYCRV);
  s.add(GENCRVIN.NLSGEN, GENCRVIN.LSGLST, GENCRVIN.NTRGEN, GENCRVIN.TRGLST);
  s.add(RFDEP.NRFSET, RFDEP.NRFPT, RFDEP.RFDDEP, RFDEP.RFDPM, RFDEP.RFDYM);
  s.add(SMOV.ISMOV, SMOV.NSMOV, SMOV.SMVDEP, SMOV.SMVYIN, SMOV.SMVZIN, SMOV.SMVY, SMOV.SMVZ);
  return s;
}

// ---------------------------------------------------------------------------
// Every fixture and example reads; the values that land in the tables are
// those of the file converted to internal units.

TEST(InputFixtures, EveryFixtureAndExampleReadsWithStatusZero) {
  struct Case {
    const char* name;
    bool isExample;
    int iantyp, npile;
  } cases[] = {
      {"space_min.inp", false, 3, 4},   {"plane_si.inp", false, 2, 2},
      {"space_rich.inp", false, 3, 4},  {"freeform.inp", false, 3, 4},
      {"group3x3.inp", true, 3, 9},     {"plane_row.inp", true, 2, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    EXPECT_EQ(readInput(c.isExample ? example(c.name) : fixture(c.name)), STAT_OK);
    EXPECT_EQ(RUNCTL.IANTYP, c.iantyp);
    EXPECT_EQ(RUNCTL.NPILE, c.npile);
    // The group 17 entries of the cross sections close every file.
    EXPECT_EQ(INPCRV.NMCGEN, SECTIN.NSECIN);
  }
}

TEST(InputFixtures, MinimalSpaceModelInInternalUnits) {
  ScratchDir dir;
  ASSERT_EQ(readInput(fixture("space_min.inp")), STAT_OK);
  EXPECT_EQ(RUNTTL.TITLE2.trimmed(), "SOFT CLAY OVER SAND, ONE LOAD CASE");
  // A case name is the whole line, commas and slash included.
  EXPECT_EQ(CASEIN.LCNAME(1).trimmed(), "Service load, V/H");
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 1), 400000.0);  // forces are internal already
  EXPECT_DOUBLE_EQ(CAPCTL.CAPTX, 48.0);                 // 4 ft
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 9), 24.0);           // head Y of pile 2: 2 ft
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(3, 10), 24.0);          // head Z of pile 3
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(4, 12), 90.0);          // BETA stays in degrees
  EXPECT_DOUBLE_EQ(PROPIN.PLEN(1), 600.0);              // 50 ft
  EXPECT_DOUBLE_EQ(PROPIN.SXTO(1, 1), 600.0);
  EXPECT_EQ(SECTIN.SCNAME(1).trimmed(), "PIPE16");
  EXPECT_EQ(SECTIN.SCTXT2(1).trimmed(), "STEEL PIPE");
  // Non-tapered: the 18 bottom values are the top values.
  for (int k = 1; k <= 18; ++k) EXPECT_EQ(SECTIN.ELSEC(1, k + 18), SECTIN.ELSEC(1, k)) << k;
  // Soil: depths in inches, stresses per square inch, unit weights per cubic inch.
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 2), 240.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 3), 50.0 / 12 / 12 / 12);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 6), 800.0 / 12 / 12);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 7), 34.0);  // friction angle, degrees
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 9), 90.0);  // k, internal
  EXPECT_EQ(GENCRVIN.NLSGEN, 1);
  EXPECT_EQ(GENCRVIN.NTRGEN, 1);
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRY, 1.0);  // no direction line
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRZ, 1.0);
  EXPECT_EQ(SMOV.NSMOV, 0);
}

TEST(InputFixtures, PlaneModelInSiUnits) {
  ScratchDir dir;
  ASSERT_EQ(readInput(fixture("plane_si.inp")), STAT_OK);
  EXPECT_EQ(RUNCTL.IUNITS, 2);
  EXPECT_EQ(PGRP2D.NROW, 2);
  EXPECT_EQ(PGRP2D.IPG2D(1, 2), 3);           // each row stands for three piles
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 2), 1.8);  // spacing, metres unchanged
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 7), 0.9);
  EXPECT_DOUBLE_EQ(PROPIN.PLEN(1), 18.0);
  // Section dimensions from millimetres to metres.
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 1), 0.61);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 2), 0.5846);
  EXPECT_NEAR(SECTIN.ELSEC(1, 10), 0.02383, 1e-12);
  EXPECT_NEAR(SECTIN.ELSEC(1, 11), 1.0633e-3, 1e-15);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 17), 200.0e6);  // E, internal
  EXPECT_DOUBLE_EQ(SECTIN.WALLT(1), 0.0127);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 6), 40.0);  // kPa unchanged
  EXPECT_EQ(CASEIN.NLCASE, 2);
  EXPECT_EQ(CASEIN.CASCTL(2, 15), 2);  // two concentrated loads in case 2
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(2, 2, 3), 450.0);
  EXPECT_EQ(ENVOPT.PRTSEL(25, 1), 1);
  EXPECT_EQ(GENCRVIN.NTRGEN, 0);  // no torque-rotation group in a plane analysis
  EXPECT_EQ(INPCRV.GMYNC(1), 0);
}

TEST(InputFixtures, EveryOptionalGroupOfTheRichModel) {
  ScratchDir dir;
  ASSERT_EQ(readInput(fixture("space_rich.inp")), STAT_OK);
  // Direction line, cap-resistance line and plate line.
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRY, 1.0);
  EXPECT_DOUBLE_EQ(CAPCTL.RFDIRZ, 0.5);
  EXPECT_EQ(CAPCTL.IOBSOL, 1);
  EXPECT_EQ(CAPSOL.ICAPSP, 1);
  EXPECT_EQ(CAPSOL.NCAPIN, 10);
  EXPECT_DOUBLE_EQ(CAPSOL.CAPFUL, 50000.0);
  EXPECT_EQ(FECOPT.NFEY, 4);
  EXPECT_DOUBLE_EQ(FECOPT.FEPOIS, 0.2);
  // Load case 1: two loads, a distributed-load line and 15 estimation values.
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 2, 8), 12.0);  // Y of the second load: 1 ft
  EXPECT_EQ(CASEIN.LCDLPI(1, 1, 2), 4);
  EXPECT_DOUBLE_EQ(CASEIN.LCDLFZ(1, 1), 0.5);
  EXPECT_EQ(CASEIN.CASCTL(1, 17), 15);
  EXPECT_DOUBLE_EQ(CASEIN.LCEST(1, 12), 5.0);  // tolerance P9 after three levels
  // Load case 2 gives its load at a point.
  EXPECT_EQ(CASEIN.LCKIND(2), 1);
  EXPECT_EQ(CASEIN.LCSPFL(2, 1), 0);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 1), 0.5);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 8), 10000.0);
  // The combination's term count is the one in front of its terms.
  EXPECT_EQ(COMBIN.CMBCTL(1, 8), 2);
  EXPECT_EQ(COMBIN.CMBCTL(1, 43), 2);
  EXPECT_DOUBLE_EQ(COMBIN.CMBTOL(1, 10), 1.6);
  EXPECT_DOUBLE_EQ(COMBIN.CMBTOL(1, 5), 0.9);
  EXPECT_DOUBLE_EQ(DLSETIN.DLDEP(1, 2), 120.0);
  EXPECT_DOUBLE_EQ(DLSETIN.DLDEP(2, 2), 180.0);
  // Tapered section: bottom values of its own; the material table in inches.
  EXPECT_EQ(SECTIN.ITAPER(2), 1);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 1), 18.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 19), 12.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 28), 18.06);
  EXPECT_EQ(SECTIN.SCNAME(2).trimmed(), "TAPERED PIPE 18 TO 12");
  // Nonlinear section with its reinforcement and strand positions.
  EXPECT_EQ(SECTIN.SCNLIN(3), 1);
  EXPECT_EQ(SECTIN.NLTYPE(3), 4);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(3, 11), 8748.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(3, 29), 8748.0);  // bottom copies the top
  EXPECT_DOUBLE_EQ(SECTIN.NLMAT(3, 5), 0.75);
  EXPECT_DOUBLE_EQ(SECTIN.NLMAT(3, 12), 6000.0);
  EXPECT_EQ(SECTIN.NLMATN(3).trimmed(), "PRESTRESSED CONCRETE");
  EXPECT_DOUBLE_EQ(SECTIN.NLRPOS(3, 3, 1), -6.0);
  EXPECT_DOUBLE_EQ(SECTIN.NLSTR(3, 2), 0.153);
  EXPECT_DOUBLE_EQ(SECTIN.NLSPOS(3, 8, 2), -4.5);
  EXPECT_DOUBLE_EQ(SECTIN.NLX8L(3, 2), 200.0);
  // Weak rock keeps its strength as given; other stresses per square inch.
  EXPECT_EQ(SOILIN.SLTYPE(4), 9);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(4, 5), 1000.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 17), 1200.0 / 12 / 12);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(3, 19), 120000.0 / 12 / 12);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(3, 20), 140000.0 / 12 / 12);
  // Groups 10 to 20.
  EXPECT_EQ(PYPRT.NPYPRT, 2);
  EXPECT_EQ(PYPRT.PRTNPT(1), 0);
  EXPECT_DOUBLE_EQ(PYPRT.PRTDEP(2), 240.0);
  EXPECT_DOUBLE_EQ(PYPRT.PRTDEF(5, 2), 2.0);
  EXPECT_EQ(INPCRV.NPYSET, 1);
  EXPECT_DOUBLE_EQ(INPCRV.UPYDEP(1, 2), 360.0);
  EXPECT_DOUBLE_EQ(INPCRV.UPYP(1, 2, 4), 1300.0);
  EXPECT_EQ(GENCRVIN.LSGLST(2), 3);
  EXPECT_EQ(GENCRVIN.TRGLST(1), 2);
  EXPECT_DOUBLE_EQ(INPCRV.ULSLOD(1, 1), -200000.0);
  EXPECT_DOUBLE_EQ(INPCRV.UTRROT(1, 3), 0.05);
  EXPECT_EQ(INPCRV.UMCNPT(1, 2), 3);
  EXPECT_DOUBLE_EQ(INPCRV.UMCAXL(1, 2), 100000.0);
  EXPECT_EQ(INPCRV.GMZNC(3), 2);
  EXPECT_EQ(INPCRV.GMYNC(3), 1);
  EXPECT_DOUBLE_EQ(INPCRV.GMZMOM(3, 2, 3), 3.4e6);
  EXPECT_DOUBLE_EQ(INPCRV.GMYCRV(3, 1, 2), 1.0e-4);
  // Reduction-factor sets of 3 and 2 points, each point converted once.
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(1, 3), 360.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(2, 2), 600.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDPM(2, 1), 0.7);
  EXPECT_EQ(SMOV.NSMOV, 3);
  EXPECT_DOUBLE_EQ(SMOV.SMVDEP(3), 240.0);
  EXPECT_DOUBLE_EQ(SMOV.SMVZIN(1), 0.5);
  EXPECT_EQ(CRVCTL.NCRVST, 5);
  EXPECT_EQ(PYPRT.NPYUSR, 3);
  EXPECT_DOUBLE_EQ(PYPRT.PYUSR(3), 1.0);
  EXPECT_EQ(CRVCTL.NPYUS2, 2);
  EXPECT_DOUBLE_EQ(CRVCTL.PYUS2(2), 0.4);
}

// Commas, records over several lines, trailing text, slashes, empty values,
// repeat counts and quoted texts leave exactly the tables of the plain file.
TEST(InputFixtures, FreeFormFileReadsLikeItsPlainTwin) {
  ScratchDir dir;
  ASSERT_EQ(readInput(fixture("space_min.inp")), STAT_OK);
  const Snapshot plain = inputTables();
  ASSERT_EQ(readInput(fixture("freeform.inp")), STAT_OK);
  EXPECT_TRUE(inputTables().bytes == plain.bytes);
}

TEST(InputFixtures, RereadingAnInputInOneProcessGivesTheSameTables) {
  ScratchDir dir;
  ASSERT_EQ(readInput(fixture("space_rich.inp")), STAT_OK);
  const Snapshot first = inputTables();
  // Another model in between, in the other units system and analysis type.
  ASSERT_EQ(readInput(fixture("plane_si.inp")), STAT_OK);
  ASSERT_EQ(readInput(fixture("space_rich.inp")), STAT_OK);
  EXPECT_TRUE(inputTables().bytes == first.bytes);
}

// ---------------------------------------------------------------------------
// The runtime log echoes each heading, in file order.

TEST(InputFixtures, RuntimeLogEchoesEveryHeadingInFileOrder) {
  const std::vector<std::string> head = {"* TITLE AND VERSION", "CONTROLS",
                                         "PILE CAP", "LOAD CASES", "LOAD COMBINATIONS",
                                         "DISTRIBUTED LOADS", "PILE GROUPS", "PILE PROPERTIES",
                                         "CROSS SECTIONS", "SOIL LAYERS"};
  struct Case {
    const char* name;
    std::vector<std::string> rest;  // the headings after the soil layers
  } cases[] = {
      {"space_rich.inp",
       {"P-Y CURVE REQUESTS", "USER P-Y CURVES", "GENERATED LOAD-SETTLEMENT CURVES",
        "GENERATED TORQUE-ROTATION CURVES", "USER LOAD-SETTLEMENT CURVES",
        "USER TORQUE-ROTATION CURVES", "USER MOMENT-CURVATURE SETS",
        "MOMENT-CURVATURE OF CROSS SECTIONS", "REDUCTION FACTORS ALONG DEPTH", "SOIL MOVEMENT",
        "CURVE FILE CONTROLS"}},
      // A plane model has no torque-rotation group.
      {"plane_si.inp", {"GENERATED LOAD-SETTLEMENT CURVES", "MOMENT-CURVATURE OF CROSS SECTIONS"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    ASSERT_EQ(readInput(fixture(c.name)), STAT_OK);
    std::vector<std::string> expected;
    for (const auto* list : {&head, &c.rest})
      for (const std::string& h : *list) expected.push_back("     READING " + h);
    std::vector<std::string> echoed;
    for (const std::string& l : test::readLines("run.log"))
      if (l.find("READING ") != std::string::npos) echoed.push_back(rtrim(l));
    EXPECT_EQ(echoed, expected);
  }
}

// ---------------------------------------------------------------------------
// A file that ends early: cut after each of its lines, the rich model stops
// with status 42, and the log names the line the reader was waiting for.

TEST(InputFixtures, FileCutAfterAnyLineEndsWithStatus42AtTheNextLine) {
  ScratchDir dir;
  const std::vector<std::string> lines = fileLines(fixture("space_rich.inp"));
  ASSERT_GT(lines.size(), 200u);
  std::string cut;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    SCOPED_TRACE("cut after line " + std::to_string(k));
    // Without clearing the tables between cuts: the reader must not depend
    // on a clean slate to find the end.
    test::writeNamesFile();
    test::writeInputFile(cut);
    std::int32_t ISTAT = 0;
    test::runToConvin(ISTAT, /*clear=*/false);
    std::int32_t closing = ISTAT;
    test::closeRun(closing);
    ASSERT_EQ(ISTAT, STAT_INPUT_FORM);
    EXPECT_EQ(linesNamedInLog().count(static_cast<int>(k) + 1), 1u);
    EXPECT_NE(test::readFile("run.out").find("FATAL ERROR"), std::string::npos);
    cut += lines[k] + "\n";
  }
}

// ---------------------------------------------------------------------------
// Pile counts at and beyond the capacity of the pile tables.

TEST(InputFixtures, TwoThousandFiveHundredPilesReadInFull) {
  ScratchDir dir;
  ASSERT_EQ(readInput(test::generatedSpaceInput(2500, 100, 100)), STAT_OK);
  EXPECT_EQ(RUNCTL.NPILE, 2500);
  EXPECT_EQ(CASEIN.NLCASE, 100);
  EXPECT_EQ(COMBIN.NCOMB, 100);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2500, 10), 49 * 72.0);  // last row of the grid, in inches
  EXPECT_EQ(COMBIN.CMBCTL(100, 46), 4);  // case of the last term of the last
}

TEST(InputFixtures, PileCountBeyondCapacityEndsWithStatus43) {
  struct Case {
    const char* name;
    const char* countLine;  // the count line of group 6 as the fixture has it
  } cases[] = {{"space_min.inp", "PILE GROUPS\n4\n"}, {"plane_si.inp", "PILE GROUPS\n2\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    std::string text = fixture(c.name);
    const std::size_t at = text.find(c.countLine);
    ASSERT_NE(at, std::string::npos);
    const int countLineNo =
        static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')) + 2;
    text.replace(at, std::strlen(c.countLine), "PILE GROUPS\n2501\n");
    // The count is refused before any row is read, so the rows that follow
    // (far fewer than 2,501) never make it a short file.
    EXPECT_EQ(readInput(text), STAT_CAPACITY);
    const std::string log = test::readFile("run.log");
    EXPECT_NE(log.find("2501"), std::string::npos);
    EXPECT_NE(log.find("2500"), std::string::npos);
    EXPECT_EQ(linesNamedInLog().count(countLineNo), 1u);
  }
}

}  // namespace
}  // namespace drelm
