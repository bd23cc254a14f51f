// Whole runs of plane models: the same piles as a space model, the result
// tables of a real input, and the reports on one and on many threads.
#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../input/names_fixture.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

fs::path data(const char* name) { return fs::path(DRELM_SOURCE_DIR) / name; }

std::int32_t runInput(const fs::path& input) {
  fs::copy_file(input, "run.inp", fs::copy_options::overwrite_existing);
  test::writeNames(test::runNames());
  return IDRELM(6);
}

// The numbers of the line after the first line equal to TITLE at or after
// line FROM (the second report holds its values under such titles).
std::vector<double> valuesAfter(const Lines& lines, const std::string& title, std::size_t& from) {
  for (; from + 1 < lines.size(); ++from)
    if (lines[from].find(title) != std::string::npos) {
      std::istringstream in(lines[++from]);
      std::vector<double> v;
      double x;
      while (in >> x) v.push_back(x);
      return v;
    }
  return {};
}

void expectSig4(double a, double b, const char* what) {
  EXPECT_LE(std::fabs(a - b), 5e-4 * std::fmax(std::fabs(a), std::fabs(b)) + 1e-9) << what << ": " << a << " " << b;
}

TEST(PlaneRun, RowsOfPilesMatchTheEquivalentSpaceGroup) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(data("tests/data/space_min.inp")), 0);
  const Lines space = test::readLines("run.report");
  ASSERT_EQ(runInput(data("tests/data/plane_min.inp")), 0);
  const Lines plane = test::readLines("run.report");

  std::size_t a = 0, b = 0;
  const std::vector<double> us = valuesAfter(space, "DISPLACEMENT OF PILE CAP AT ORIGIN", a);
  const std::vector<double> up = valuesAfter(plane, "DISPLACEMENT OF PILE CAP AT ORIGIN", b);
  ASSERT_EQ(us.size(), 6u);
  ASSERT_EQ(up.size(), 3u);
  expectSig4(up[0], us[0], "settlement");
  expectSig4(up[1], us[1], "sway");
  expectSig4(up[2], us[5], "rotation");
  // Head forces of the first pile of each: vertical, horizontal, moment.
  const std::vector<double> fs6 = valuesAfter(space, "PILE TOP DISP. AND REACT. GLOBAL", a);
  const std::vector<double> fp = valuesAfter(plane, "PILE TOP DISP. AND REACT. GLOBAL", b);
  ASSERT_EQ(fs6.size(), 13u);
  ASSERT_EQ(fp.size(), 7u);
  expectSig4(fp[3], fs6[6], "axial force");
  expectSig4(fp[4], fs6[7], "shear");
  expectSig4(fp[5], fs6[11], "moment");
}

TEST(PlaneRun, RealInputReportsEveryCaseAndItsRowsCarryTheLoad) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(data("tests/data/plane_si.inp")), 0);
  const Lines status = test::readLines("run.status");
  const Lines expected = {"LOAD CASE :     1", "      ANALYSIS DUE TO TOTAL LOAD", "    1 ANALYSIS COMPLETED",
                          "LOAD CASE :     2", "      ANALYSIS DUE TO TOTAL LOAD", "    1 ANALYSIS COMPLETED",
                          "LOAD CASE ENV : 1", "      MINIMUM ENVELOPE",           "    1 CALCULATED AND PRINTED",
                          "LOAD CASE ENV : 2", "      MAXIMUM ENVELOPE",           "    1 CALCULATED AND PRINTED"};
  ASSERT_GE(status.size(), expected.size());
  EXPECT_EQ(Lines(status.end() - expected.size(), status.end()), expected);

  // Case 2: two rows of three piles; the head forces of one pile of each
  // row, three times, are the load at the origin.
  const Lines report = test::readLines("run.report");
  std::size_t k = 0;
  valuesAfter(report, "EQUIVALENT CONCENTRATED LOAD AT ORIGIN", k);
  const std::vector<double> P = valuesAfter(report, "EQUIVALENT CONCENTRATED LOAD AT ORIGIN", ++k);
  const std::vector<double> r1 = valuesAfter(report, "PILE TOP DISP. AND REACT. GLOBAL", k);
  const std::vector<double> r2 = valuesAfter(report, "PILE TOP DISP. AND REACT. GLOBAL", ++k);
  ASSERT_EQ(P.size(), 3u);
  ASSERT_EQ(r1.size(), 7u);
  ASSERT_EQ(r2.size(), 7u);
  EXPECT_NEAR(3.0 * (r1[3] + r2[3]), P[0], 1e-4 * P[0]);
  EXPECT_NEAR(3.0 * (r1[4] + r2[4]), P[1], 1e-4 * P[1]);

  // The cap table of the results report, label lines as printed.
  const Lines out = test::readLines("run.out");
  bool labels = false;
  for (std::size_t i = 0; i + 2 < out.size(); ++i)
    if (out[i] == "             VERT. LOAD,  KN    HORI. LOAD,  KN    MOMENT, KN- M") labels = true;
  EXPECT_TRUE(labels);
}

Lines withoutTimes(const std::string& file) {
  Lines kept;
  for (const std::string& l : test::readLines(file))
    if (l.find("Time") == std::string::npos && l.find("Date") == std::string::npos &&
        l.find("processing") == std::string::npos && l.find("Processors") == std::string::npos &&
        l.find("proc.") == std::string::npos)
      kept.push_back(l);
  return kept;
}

TEST(PlaneRun, ExampleReportsAreTheSameOnOneAndOnEightThreads) {
  test::ScratchDir dir;
  const char* reports[] = {"run.out", "run.sum", "run.report", "run.status", "run.log", "run.plot"};
  omp_set_num_threads(1);
  ASSERT_EQ(runInput(data("examples/plane_row.inp")), 0);
  std::vector<Lines> one;
  for (const char* r : reports) one.push_back(withoutTimes(r));
  omp_set_num_threads(8);
  ASSERT_EQ(runInput(data("examples/plane_row.inp")), 0);
  for (std::size_t i = 0; i < std::size(reports); ++i) EXPECT_EQ(withoutTimes(reports[i]), one[i]) << reports[i];
  EXPECT_EQ(test::readLines("run.status").back(), "    1 ANALYSIS COMPLETED");
}

TEST(PlaneRun, StopRequestFromTheHostEndsTheRunCleanlyWithStatus4) {
  test::ScratchDir dir;
  fs::copy_file(data("examples/plane_row.inp"), "run.inp");
  test::writeNames(test::runNames());
  test::writeFile("run.stop", "0\n");
  // The host asks for the stop once the cap solution reports its progress.
  std::thread host([] {
    for (int i = 0; i < 20000 && !fs::exists("run.progress"); ++i) std::this_thread::sleep_for(std::chrono::microseconds(50));
    test::writeFile("run.stop", "1\n");
  });
  const std::int32_t status = IDRELM(6);
  host.join();
  EXPECT_EQ(status, STAT_STOPPED);
  for (const std::string& l : test::readLines("run.status")) EXPECT_EQ(l.find("ANALYSIS COMPLETED"), std::string::npos);
}

}  // namespace
}  // namespace drelm
