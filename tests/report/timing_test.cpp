#include <gtest/gtest.h>

#include <string>

#include "model/fileio.h"
#include "model/model.h"
#include "report/timing.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::readLines;
using test::ScratchDir;

TEST(Timing, ExecutionTimeTakesTheFormOfItsMagnitude) {
  const struct {
    double t;
    const char* text;
  } cases[] = {
      {0.0, "     Execution Time    :    0 ms"},
      {0.25, "     Execution Time    :  250 ms"},
      {5.0, "     Execution Time    :    5 sec    0 ms"},
      {59.5, "     Execution Time    :   59 sec  500 ms"},
      {75.5, "     Execution Time    :    1 min   15 sec  500 ms"},
      {3725.0, "     Execution Time    :       1 hr    2 min    5 sec    0 ms"},
      {100000.0, "     Execution Time    :      27 hr   46 min   40 sec    0 ms"},
      // A clock that went backwards reads as no time at all.
      {-3.0, "     Execution Time    :    0 ms"},
  };
  for (const auto& c : cases) EXPECT_EQ(executionTimeLine(c.t), c.text) << "t = " << c.t;
}

TEST(Timing, DateLineHasTwoDigitFieldsAndTheMonthName) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 9;
  t.tm_min = 7;
  t.tm_sec = 3;
  EXPECT_EQ(dateLine(t), "               Date:  March 05, 2026     Time:  09:07:03");
  t.tm_mon = 11;
  t.tm_mday = 31;
  t.tm_hour = 23;
  t.tm_min = 59;
  t.tm_sec = 58;
  EXPECT_EQ(dateLine(t), "               Date:  December 31, 2026     Time:  23:59:58");
}

TEST(Timing, DateBlockGoesToEveryReportInOrder) {
  ScratchDir dir;
  const int units[] = {U_LOG, U_REPORT, U_RESULTS, U_SUMMARY, U_ECHO, U_PLOT};
  for (int u : units) ASSERT_TRUE(io::OPEN(u, std::to_string(u) + ".u", io::Access::Write));
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 1;
  DATEWR(t);
  io::CLOSEALL();
  const std::string rule = "     " + std::string(73, '-');
  const std::vector<std::string> block = {
      rule, "                          Time and Date of Analysis", rule, "",
      "               Date:  January 01, 2026     Time:  00:00:00"};
  for (int u : {U_LOG, U_REPORT, U_RESULTS, U_SUMMARY, U_ECHO})
    EXPECT_EQ(readLines(std::to_string(u) + ".u"), block) << "unit " << u;
  EXPECT_TRUE(readLines(std::to_string(U_PLOT) + ".u").empty());
}

TEST(Timing, PhaseReportSplitsTheTimeAndTotalReportDoesNot) {
  ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log", io::Access::Write));
  TIMBLK.NPROCS = 8;
  TIMBLK.NTHUSE = 3;
  TIMBLK.NTHRUN = 6;
  TIMBLK.TSTART = 2.5;
  TIMBLK.TELAPS = 0.125;
  TIMBLK.TPARAL = 1.0;
  TIMBLK.TPRINT = 0.25;
  TIMEPH(0);
  EXPECT_DOUBLE_EQ(TIMBLK.TSERIA, 1.25);
  TIMEPH(1);
  TIMEWR();
  io::CLOSE(U_LOG);
  const std::vector<std::string> expected = {
      "     Execution Time    :    2 sec  500 ms",
      "     Number Processors :  3/ 8",
      "     Serial processing :     1.250 sec",
      "     Paral. processing :     1.000 sec",
      "     Print. processing :     0.250 sec",
      "     Execution Time    :  125 ms",
      "     Number Processors :  6/ 8",
      "     Execution Time    :  125 ms",
      "     Number Processors :  6/ 8",
  };
  EXPECT_EQ(readLines("log"), expected);
}

}  // namespace
}  // namespace drelm
