// Load and control parameters: the stiffness-estimation levels and
// parameters, the print-level lines and the copy of each case's controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_tables.h"
#include "model/tables.h"

namespace drelm {
namespace {

class LoadTable : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    RUNCTL.IANTYP = 2;
    test::units(1);
  }
  // Case c with the given estimation kind and vector.
  static void estimationCase(int c, std::int32_t kind, const std::vector<double>& values) {
    CASEIN.NLCASE = std::max(CASEIN.NLCASE, c);
    CASEIN.LCNAME(c) = "CASE";
    CASEIN.CASTOL(c, 5) = 1.0;
    CASEIN.CASCTL(c, 4) = 1;
    CASEIN.CASCTL(c, 9) = kind;
    CASEIN.CASCTL(c, 17) = static_cast<std::int32_t>(values.size());
    for (std::size_t k = 0; k < values.size(); ++k) CASEIN.LCEST(c, static_cast<int>(k) + 1) = values[k];
  }
  std::vector<std::string> run() {
    test::openReports();
    std::int32_t ISTAT = 0;
    PRPLOD(ISTAT);
    test::closeReports();
    EXPECT_EQ(ISTAT, 0);
    return test::echoLines();
  }
  test::ScratchDir dir;
};

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& s, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].find(s) != std::string::npos) return i;
  return lines.size();
}

TEST_F(LoadTable, DefaultLevelsAreStoredAndPrinted) {
  estimationCase(1, 1, {});
  const std::vector<std::string> out = run();
  EXPECT_EQ(CASEIN.CASCTL(1, 17), 10);
  EXPECT_EQ(CASECUR.NESTV, 10);
  EXPECT_EQ(CASECUR.KESTCU, 1);
  EXPECT_DOUBLE_EQ(CASEIN.LCEST(1, 1), 0.1);
  for (int k = 2; k <= 10; ++k) EXPECT_NEAR(CASEIN.LCEST(1, k), std::log10(k), 1e-15) << k;
  EXPECT_NEAR(CASEIN.LCEST(1, 2), 0.30103, 5e-6);
  EXPECT_DOUBLE_EQ(CASEIN.LCEST(1, 10), 1.0);
  const std::size_t at = indexOf(out, "  NL       LOAD LEVEL");
  ASSERT_LT(at + 10, out.size());
  EXPECT_LT(indexOf(out, "COMPUTED FOR EQUIVALENT      CONCENTRATED LOAD AT ORIGIN"), at);
  // b5 i4 b4, then the level in 13 columns with 5 significant digits (0.1 on
  // the decade boundary takes the decimals of the decade below).
  EXPECT_EQ(out[at + 1], "        1        0.1000000 ");
  EXPECT_EQ(out[at + 2], "        2          0.30103 ");
  EXPECT_EQ(out[at + 9], "        9          0.95424 ");
  EXPECT_EQ(out[at + 10], "       10          1.00000 ");
}

// A vector of 11 or 12 values holds levels only, as the analysis reads it.
TEST_F(LoadTable, ElevenOrTwelveValuesAreLevelsOnly) {
  for (int n : {11, 12}) {
    std::vector<double> v;
    for (int k = 1; k <= n; ++k) v.push_back(0.1 * k);
    estimationCase(1, 2, v);
    const std::vector<std::string> out = run();
    EXPECT_EQ(CASECUR.NESTV, n);
    EXPECT_EQ(indexOf(out, "- BASED ON"), out.size());
    const std::size_t at = indexOf(out, "  NL       LOAD LEVEL");
    ASSERT_LT(at + n, out.size());
    EXPECT_EQ(out[at + n].substr(0, 9), "       " + std::to_string(n));
  }
}

// Fourteen values: two levels, then the twelve parameters.
TEST_F(LoadTable, LevelsFollowedByParameters) {
  // P1 = 1 (target), P2 = 3: a plane analysis targets the rotation P8.
  estimationCase(1, 11, {0.2, 0.4, 1, 3, 0, 0, 0, 0, 0, 0.0125, 2.5, 15.9, 1.0, 0});
  std::vector<std::string> out = run();
  std::size_t at = indexOf(out, "- BASED ON TARGET DEFLECTION   ");
  ASSERT_LT(at + 4, out.size());
  EXPECT_LT(indexOf(out, "- CONSIDER AXIAL LOADS IN PILES"), at);
  EXPECT_EQ(out[at + 1], "");
  EXPECT_EQ(out[at + 2], "       ROTATION Z     =     0.0125000 ");
  EXPECT_EQ(out[at + 3], "       TOLERANCE (%)  =       2.5000 ");
  EXPECT_EQ(out[at + 4], "       ITERATIONS     =    15 ");
  at = indexOf(out, "  NL       DISP. LEVEL");
  ASSERT_LT(at + 2, out.size());
  EXPECT_EQ(out[at + 2], "        2          0.40000 ");

  // The same in space analysis targets the displacement Z (P5), with its unit.
  RUNCTL.IANTYP = 3;
  CASEIN.LCEST(1, 7) = 0.75;
  out = run();
  EXPECT_LT(indexOf(out, "       DISPLACEMENT Z =       0.75000 IN "), out.size());

  // P1 = 0: the total applied load, load levels, no target lines.
  CASEIN.LCEST(1, 3) = 0.0;
  out = run();
  EXPECT_LT(indexOf(out, "- BASED ON TOTAL APPLIED LOAD  "), out.size());
  EXPECT_EQ(indexOf(out, "TOLERANCE (%)"), out.size());
  EXPECT_LT(indexOf(out, "  NL       LOAD LEVEL"), out.size());
}

TEST_F(LoadTable, NodeStepLinesOfCasesAndCombinations) {
  estimationCase(1, 0, {});
  CASEIN.CASCTL(1, 18) = 2;
  CASEIN.CASCTL(1, 19) = 5;
  COMBIN.NCOMB = 1;
  COMBIN.CMBCTL(1, 9) = 2;
  COMBIN.CMBCTL(1, 10) = 5;
  COMBIN.CMBCTL(1, 4) = 1;
  const std::vector<std::string> out = run();
  const std::size_t cs = indexOf(out, "PRINT RESULTS EVERY ");
  ASSERT_LT(cs, out.size());
  EXPECT_EQ(out[cs], "         PRINT RESULTS EVERY     5 NODE(S)");
  const std::size_t cb = indexOf(out, "PRINT RESULTS EVERY ", cs + 1);
  ASSERT_LT(cb, out.size());
  EXPECT_GT(cb, indexOf(out, "** LOAD COMBINATIONS **"));
  EXPECT_EQ(out[cb], "         PRINT RESULTS EVERY     5NODE(S)");
}

// After the table the current controls are those of the last combination,
// with the print level of the last envelope block.
TEST_F(LoadTable, ControlsOfTheLastEchoedCase) {
  estimationCase(1, 0, {});
  CASEIN.CASCTL(1, 6) = 30;
  CASEIN.CASCTL(1, 7) = 40;
  CASEIN.CASCTL(1, 5) = 7;
  CASEIN.CASTOL(1, 1) = 0.5;
  std::vector<std::string> out = run();
  EXPECT_EQ(CURCTL.MAXITC, 30);
  EXPECT_EQ(SOILCOM.MAXITL, 40);
  EXPECT_DOUBLE_EQ(CURCTL.NCYCL, 7.0);
  EXPECT_DOUBLE_EQ(CURCTL.TOLCAP, 0.5);
  EXPECT_EQ(TIMBLK.NTHUSE, 1);

  COMBIN.NCOMB = 1;
  COMBIN.CMBCTL(1, 6) = 60;
  COMBIN.CMBCTL(1, 7) = 70;
  COMBIN.CMBCTL(1, 4) = 0;
  COMBIN.CMBCTL(1, 5) = 3;
  COMBIN.CMBTOL(1, 2) = 0.25;
  COMBIN.CMBCTL(1, 9) = 1;
  ENVOPT.IENVCB = 1;
  ENVOPT.IPRLVB = 2;
  ENVOPT.NPRNDB = 4;
  out = run();
  EXPECT_EQ(CURCTL.MAXITC, 60);
  EXPECT_EQ(SOILCOM.MAXITL, 70);
  EXPECT_EQ(CURCTL.KSTCYC, 0);
  EXPECT_DOUBLE_EQ(CURCTL.TOLPIL, 0.25);
  EXPECT_EQ(CURCTL.IPRLEV, 2);
  EXPECT_EQ(CURCTL.NPRNOD, 4);
  EXPECT_LT(indexOf(out, "     NO. OF CYCLES =        3."), out.size());
}

// Load steps that would never end the stepping are shown with what the cap
// solution takes instead; sound ones get no note.
TEST_F(LoadTable, LoadStepNotesOnlyForStepsOfZeroOrLess) {
  estimationCase(1, 0, {});
  CASEIN.CASTOL(1, 3) = 0.0;
  CASEIN.CASTOL(1, 4) = -1.0;
  std::vector<std::string> out = run();
  std::size_t i = indexOf(out, "FACTOR TO APPLY THE LOAD IN INCREMENTS");
  ASSERT_LT(i + 3, out.size());
  EXPECT_EQ(out[i + 2], "           (0 OR LESS: THE WHOLE LOAD IS APPLIED IN ONE INCREMENT)");
  EXPECT_EQ(out[i + 3], "           (0 OR LESS: INCREMENTS ARE HALVED DOWN TO 1.00000E-04)");

  CASEIN.CASTOL(1, 3) = 0.25;
  CASEIN.CASTOL(1, 4) = 0.01;
  out = run();
  EXPECT_EQ(indexOf(out, "0 OR LESS"), out.size());
}

TEST_F(LoadTable, NoLoadCases) {
  CURCTL.MAXITC = 99;
  const std::vector<std::string> out = run();
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[3], "     * TABLE C *  LOAD AND CONTROL PARAMETERS");
  EXPECT_EQ(CURCTL.MAXITC, 99);
}

}  // namespace
}  // namespace drelm
