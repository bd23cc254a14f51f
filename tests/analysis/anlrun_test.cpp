// Whole runs through the analysis driver: the result tables and status
// lines of a small space group, identical reports for any thread count, a
// stop request during a case, a failing pile, and the skip mark of a case.
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cap/headrsp.h"
#include "pile/pilehd.h"
#include "model/fileio.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/testdir.h"
#include "analysis/wholerun.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::readLines;
using test::wholerun::runInput;
using test::wholerun::find;
using test::wholerun::untimed;
using test::wholerun::fixture;
using test::wholerun::replaced;

bool has(const Lines& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(AnalysisRun, SpaceGroupWritesItsTablesStatusLinesAndEnvelopes) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("space_min.inp")), 0);

  const Lines status = readLines("run.sta");
  const Lines want = {"COMPUTATION RESULTS",
                      "MINIMAL SPACE MODEL: 2 X 2 GROUP OF STEEL PIPE PILES                            ",
                      "LOAD CASES RESULTS ",
                      "LOAD CASE :     1",
                      "      ANALYSIS DUE TO TOTAL LOAD",
                      "    1 ANALYSIS COMPLETED"};
  EXPECT_EQ(status, want);

  const Lines out = readLines("run.out");
  EXPECT_TRUE(has(out, "                 *****     COMPUTATION RESULTS     *****"));
  EXPECT_TRUE(has(out, "                 *****     LOAD CASES RESULTS      *****"));
  EXPECT_TRUE(has(out, "     LOAD TYPE : Dead, DL                        "));
  // Print level 2: every pile's head table and along-pile table.
  for (int p = 1; p <= 4; ++p)
    EXPECT_TRUE(has(out, "       * PILE GROUP *     " + std::to_string(p))) << p;
  const long loads = find(out, "     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  ASSERT_GE(loads, 0);
  EXPECT_EQ(out[loads + 3], "           VERT. LOAD,KIPS    HOR. LOAD Y,KIPS   HOR. LOAD Z,KIPS");

  // The summary tables of the extremes over the piles: four piles of a
  // symmetric group under a load along Y share their axial force in pairs.
  const Lines sum = readLines("run.sum");
  const long react = find(sum, "       * PILE TOP REACTIONS *");
  ASSERT_GE(react, 0);
  EXPECT_EQ(sum[react + 2].substr(0, 24), "      PILE GROUP   FOR. ");
  EXPECT_EQ(sum[react + 3].substr(0, 16), "      **********");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(sum[react + 3 + p].substr(0, 11), "     " + std::string(5, ' ') + std::to_string(p));
  EXPECT_EQ(sum[react + 8], "");
  EXPECT_EQ(sum[react + 9].substr(0, 16), "       MINIMUM  ");
  EXPECT_EQ(sum[react + 10].substr(0, 19), "       Pile N.     ");

  // The scratch file of the last table call: eight records per pile.
  EXPECT_EQ(readLines("run.pil").size(), 8u * 4u);
  // The second report: per pile the compact records, 25 column flags.
  const Lines rep = readLines("run.rp2");
  const long first = find(rep, "* PILE GROUP *     1");
  ASSERT_GE(first, 0);
  EXPECT_EQ(rep[first + 1], "       * PILE TOP DISP. AND REACT. GLOBAL");
  EXPECT_EQ(rep[first + 6].substr(0, 10), "        25");
  // The progress file ends with the last case.
  EXPECT_EQ(readLines("run.prg"), (Lines{"- ANALYSIS FOR LOAD CASE   1/  1 FINISHED", "", ""}));
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

TEST(AnalysisRun, ReportsAreTheSameForAnyThreadCount) {
  test::ScratchDir dir;
  const std::string input = fixture("space_min.inp");
  const Lines files = {"run.out", "run.sum", "run.log", "run.sta", "run.rp2", "run.pil"};
  const int before = omp_get_max_threads();
  std::vector<Lines> first;
  omp_set_num_threads(1);
  ASSERT_EQ(runInput(input), 0);
  for (const std::string& f : files) first.push_back(untimed(f));
  omp_set_num_threads(8);
  ASSERT_EQ(runInput(input), 0);
  // The caller's thread count is left as the run found it.
  EXPECT_EQ(omp_get_max_threads(), 8);
  for (std::size_t k = 0; k < files.size(); ++k) EXPECT_EQ(untimed(files[k]), first[k]) << files[k];
  omp_set_num_threads(before);
}

// A head response that asks for a stop at its first call.
void stoppingHead(const std::int32_t& IPILE, double* FHEAD, const double* UHEAD, std::int32_t& ISTAT) {
  static bool asked = false;
  if (!asked) {
    asked = true;
    test::writeFile("run.stop", "1\n");
  }
  PILEHD(IPILE, FHEAD, UHEAD, ISTAT);
}

TEST(AnalysisRun, StopRequestDuringACaseEndsTheRunCleanly) {
  test::ScratchDir dir;
  setHeadResponse(&stoppingHead);
  const std::int32_t st = runInput(fixture("space_min.inp"));
  setHeadResponse(nullptr);
  EXPECT_EQ(st, STAT_STOPPED);
  const Lines log = readLines("run.log");
  EXPECT_TRUE(has(log, "      *** ANALYSIS STOPPED BY USER ***"));
  // No case finished: neither its status line nor the envelopes.
  EXPECT_EQ(find(readLines("run.sta"), "    1 ANALYSIS COMPLETED"), -1);
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

TEST(AnalysisRun, CaseWhoseCapNeverConvergesGetsItsStatusLineAndTheRunGoesOn) {
  test::ScratchDir dir;
  // No iteration allowed beyond the first, which is never accepted.
  const std::string input = replaced(fixture("space_min.inp"), "0 0 0 1 0 100 100", "0 0 0 1 0 0 100");
  EXPECT_EQ(runInput(input), 0);
  const Lines status = readLines("run.sta");
  ASSERT_EQ(status.size(), 6u);
  EXPECT_EQ(status[5], "    3 NO CONVERGENCE ON PILE CAP");
  EXPECT_EQ(find(readLines("run.out"), "     * TABLE M *"), -1);
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

TEST(AnalysisRun, CaseMarkedNotToBeAnalysedGetsItsHeadingAndSkipLines) {
  test::ScratchDir dir;
  const std::string input = replaced(fixture("space_min.inp"), "2 1 1.0 0 0.0 0.0 0 0 0", "2 1 1.0 0 0.0 0.0 0 1 0");
  ASSERT_EQ(runInput(input), 0);
  const Lines status = readLines("run.sta");
  ASSERT_GE(status.size(), 6u);
  EXPECT_EQ(status[3], "LOAD CASE :     1");
  EXPECT_EQ(status[4], "       ANALYSIS TO NOT RUN   ");
  EXPECT_EQ(status[5], "     9 ANALYSIS NOT PERFORMED");
  EXPECT_TRUE(has(readLines("run.out"), "     NOTE: LOAD CASE WILL NOT BE ANALYZED"));
  // No progress end line for a case that was not analysed.
  EXPECT_EQ(readLines("run.prg"), (Lines{"- ANALYSIS FOR LOAD CASE   1/  1 STARTED", "", ""}));
}

}  // namespace
}  // namespace drelm
