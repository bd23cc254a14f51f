#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/endrun.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::readLines;
using test::ScratchDir;
using test::writeFile;
using Lines = std::vector<std::string>;

// The runtime log of a closing step with status `code` alone.
Lines logOfClosingStep(std::int32_t code) {
  clearTables();
  TIMBLK.TELAPS = 0.5;
  TIMBLK.NPROCS = 4;
  EXPECT_TRUE(io::OPEN(U_LOG, "log", io::Access::Write));
  std::int32_t ISTAT = code;
  ENDRUN(ISTAT);
  EXPECT_EQ(ISTAT, code);
  EXPECT_FALSE(io::connected(U_LOG));
  return readLines("log");
}

TEST(ClosingStep, WritesTheMessageOfEveryStatusCode) {
  ScratchDir dir;
  const std::string E = "     * ERROR IN ANALYSIS *";
  const std::string BEYOND = "     CURRENT DEPTH IS BEYOND THE EXTENT";
  const std::string BELOW = "     PILE LENGTH EXTENDS BELOW THE BOTTOM";
  const struct {
    std::int32_t code;
    Lines message;
  } cases[] = {
      {0, {"     ANALYSIS COMPLETED"}},
      {3, {E, BELOW, "     OF THE DEEPEST LAYER, NODE"}},
      {4, {"      *** ANALYSIS STOPPED BY USER ***"}},
      {13, {E, BELOW, "     OF THE DEEPEST LAYER, NODE2D"}},
      {14, {E, "     DETERMINANT OF STIFFNESS MATRIX IS ZERO"}},
      {15, {E, "     15, UNKNOWN CODE"}},
      {-1, {E, "     -1, UNKNOWN CODE"}},
      {1, {E, "     1, UNKNOWN CODE"}},
      {2, {E, "     2, UNKNOWN CODE"}},
      {12, {E, "     12, UNKNOWN CODE"}},
      {21, {E, "     WEAK ROCK, THE COHESIVE STRENGTH IS ZERO"}},
      {22, {E, BEYOND, "     OF INPUT CURVE FOR UNIT WEIGHT"}},
      {23, {E, BEYOND, "     OF INPUT CURVE FOR COHESION"}},
      {24, {E, BEYOND, "     OF INPUT CURVE FOR FRICTION ANGLE"}},
      {25, {E, BEYOND, "     OF INPUT CURVE FOR SIDE FRICTION"}},
      {26, {E, BEYOND, "     OF INPUT CURVE FOR SIDE RESISTANCE"}},
      {27, {E, BEYOND, "     OF INPUT CURVE FOR FRICTION ANGLE"}},
      {28, {E, "     SILT, THE FRICTION ANGLE IS ZERO"}},
      {29, {E, "     SILT, SLOPE ANGLE GREATER THAN FRICTION ANGLE"}},
      {30, {E, "     SAND, THE FRICTION ANGLE IS ZERO"}},
      {31, {E, "     SAND, SLOPE ANGLE GREATER THAN FRICTION ANGLE"}},
      {32, {E, "      LS CURVE, E50 VALUE IS ZERO"}},
      {33, {E, "       LS CURVE, COHESION VALUE IS ZERO"}},
      {34, {E, "      TORQUE CURVE, E50 VALUE IS ZERO"}},
      {35, {E, "      TORQUE CURVE, COHESION VALUE IS ZERO"}},
      {36, {E, "      CONVERGENCE ERROR, ", "      WHILE COMPUTING AXIAL FORCES ALONG PILE"}},
      {40, {E, "     NAMES FILE Names.dat IS MISSING OR SHORT"}},
      {41, {E, "     CANNOT OPEN OR WRITE A FILE OF THE RUN"}},
      {42, {E, "     INPUT DATA FILE ENDS EARLY OR HOLDS A VALUE OF THE WRONG FORM"}},
      {43, {E, "     A COUNT EXCEEDS ITS TABLE OR A VALUE IS OUT OF RANGE"}},
      {44, {E, "     THE PLATE MODEL OF THE CAP CANNOT GO ON", "     (DIAGNOSIS IN THE PLATE LISTING AND ABOVE)"}},
  };
  for (const auto& c : cases) {
    Lines expected = {"     "};
    expected.insert(expected.end(), c.message.begin(), c.message.end());
    expected.push_back("     Execution Time    :  500 ms");
    expected.push_back("     Number Processors :  1/ 4");
    EXPECT_EQ(logOfClosingStep(c.code), expected) << "status " << c.code;
  }
}

TEST(ClosingStep, NamesTheFileThatCouldNotBeOpened) {
  ScratchDir dir;
  RUNERR.ERRFIL = "results/run.out";
  RUNERR.ERRLIN = 7;
  ASSERT_TRUE(io::OPEN(U_LOG, "log", io::Access::Write));
  std::int32_t ISTAT = STAT_OPEN_FAILED;
  ENDRUN(ISTAT);
  const Lines log = readLines("log");
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[2], "     CANNOT OPEN FILE results/run.out");
  EXPECT_EQ(log[3], "     NAMED ON LINE 7 OF THE NAMES FILE");
}

// Summary file after the closing step of a run whose summary scratch holds
// `scratch`.
Lines summaryAfter(std::int32_t code, const std::string& scratch) {
  FNAMES.FNU(U_SUMSCR) = "run.sumscr";
  // Written as the run writes it: the closing step reads back only that.
  EXPECT_TRUE(io::OPEN(U_SUMSCR, "run.sumscr", io::Access::Work));
  io::put(U_SUMSCR, scratch);
  EXPECT_TRUE(io::OPEN(U_SUMMARY, "run.sum", io::Access::Write));
  EXPECT_TRUE(io::OPEN(U_RESULTS, "run.out", io::Access::Write));
  io::put(U_SUMMARY, "cap results");
  io::endRecord(U_SUMMARY);
  std::int32_t ISTAT = code;
  ENDRUN(ISTAT);
  return readLines("run.sum");
}

const std::string HEADING =
    "                 *****     SUMMARY FOR LOAD CASES AND COMBINATIONS      *****";

TEST(ClosingStep, CopiesTheSummaryScratchUnderItsHeading) {
  ScratchDir dir;
  const std::string longLine = std::string(118, 'a') + "bcdef";  // 123 characters
  const Lines summary =
      summaryAfter(0, "CASE 1   OK   \n" + longLine + "\n      \n\nlast line");
  const Lines expected = {"cap results", "", "", "", "", HEADING,
                          "CASE 1   OK ",
                          std::string(118, 'a') + "bc ",  // cut to 120, then the end blank
                          "  ", "  ",                      // blank and empty lines
                          "last line "};
  EXPECT_EQ(summary, expected);
  // The scratch file is read, never written.
  EXPECT_EQ(test::readFile("run.sumscr"), "CASE 1   OK   \n" + longLine + "\n      \n\nlast line");
}

TEST(ClosingStep, StoppedRunEndsBothMainReportsWithTheStopLine) {
  ScratchDir dir;
  const Lines summary = summaryAfter(STAT_STOPPED, "scratch line\n");
  const Lines expected = {"cap results", "      ", "      *** ANALYSIS STOPPED BY USER ***",
                          "", "", "", "", HEADING, "scratch line "};
  EXPECT_EQ(summary, expected);
  EXPECT_EQ(readLines("run.out"), (Lines{"      ", "      *** ANALYSIS STOPPED BY USER ***"}));
}

TEST(ClosingStep, ClosesEveryFileOfTheRun) {
  ScratchDir dir;
  for (int u : {U_INPUT, U_RESULTS, U_LOG, U_CURVES, U_PASS, U_WARN, U_MCTEXT})
    ASSERT_TRUE(io::OPEN(u, std::to_string(u) + ".f", io::Access::Write));
  std::int32_t ISTAT = 0;
  ENDRUN(ISTAT);
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

}  // namespace
}  // namespace drelm
