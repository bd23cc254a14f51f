#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "input/names_fixture.h"
#include "model/fileio.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "run/startup.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::readLines;
using test::runNames;
using test::ScratchDir;
using test::writeFile;
using test::writeNames;
using Lines = std::vector<std::string>;

// An input that no reader can take: a run that gets past the start-up fails
// on it, so a clean stop proves the input was never read.
const char* const BROKEN_INPUT = "TITLE\n";

std::set<std::string> filesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

bool contains(const Lines& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(EntryPoint, OtherCallCodesReturnOneAndTouchNothing) {
  ScratchDir dir;
  for (std::int32_t code : {5, 7, 0, -6}) EXPECT_EQ(IDRELM(code), 1);
  EXPECT_TRUE(fs::is_empty(dir.path()));

  writeNames(runNames());
  writeFile("run.inp", BROKEN_INPUT);
  const auto before = filesIn(dir.path());
  EXPECT_EQ(IDRELM(5), 1);
  EXPECT_EQ(IDRELM(7), 1);
  EXPECT_EQ(filesIn(dir.path()), before);
}

TEST(EntryPoint, StopRequestAtStartUpEndsTheRunBeforeTheInputIsRead) {
  ScratchDir dir;
  writeNames(runNames());
  writeFile("run.inp", BROKEN_INPUT);
  writeFile("run.stop", "1\n");
  writeFile("run.sumscr", "stale summary line of an earlier run\n");
  writeFile("run.out", std::string(5000, 'x') + "\n");  // longer than the new report

  EXPECT_EQ(IDRELM(6), STAT_STOPPED);

  const std::string stop = "      *** ANALYSIS STOPPED BY USER ***";
  const Lines log = readLines("run.log");
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "     ");
  EXPECT_EQ(log[1], stop);
  EXPECT_EQ(log[2].rfind("     Execution Time    :", 0), 0u);
  EXPECT_EQ(log[3].rfind("     Number Processors :  1/", 0), 0u);
  EXPECT_EQ(readLines("run.out"), (Lines{"      ", stop}));
  const Lines summary = readLines("run.sum");
  ASSERT_EQ(summary.size(), 7u);
  EXPECT_EQ(summary[1], stop);
  EXPECT_NE(summary[6].find("SUMMARY FOR LOAD CASES AND COMBINATIONS"), std::string::npos);
  // Input files are never written; the summary scratch starts every run empty.
  EXPECT_EQ(readFile("run.inp"), BROKEN_INPUT);
  EXPECT_EQ(readFile("run.stop"), "1\n");
  EXPECT_EQ(readFile("run.sumscr"), "");
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

TEST(StartUp, OnlyTheIntegerOneRequestsAStop) {
  const struct {
    const char* text;
    bool stop;
  } cases[] = {
      {"1", true},      {"1\n", true},      {"  1  \n", true}, {"\n\n 1", true},
      {"1, 0", true},   {"+1", true},       {"01", true},      {"1/", true},
      {"0", false},     {"2", false},       {"", false},       {"   \n", false},
      {"-1", false},    {"10", false},      {"1.0", false},    {"garbage", false},
      {"x1", false},    {"1x", false},      {",1", false},
      {"1*1", true},    {"3*1", true},      {"2*", false},     {"2*0", false},
      {"99999999999", false},
  };
  for (const auto& c : cases) EXPECT_EQ(stopRequested(c.text), c.stop) << '"' << c.text << '"';
}

TEST(StartUp, RunGoesOnWithoutAStopRequest) {
  const char* const words[] = {"0\n", "2\n", "", "garbage\n", nullptr};
  for (const char* word : words) {
    ScratchDir dir;
    writeNames(runNames());
    writeFile("run.inp", BROKEN_INPUT);
    if (word) writeFile("run.stop", word);
    std::int32_t ISTAT = 0;
    STARTUP(ISTAT);
    EXPECT_EQ(ISTAT, 0) << (word ? word : "(no stop file)");
    EXPECT_TRUE(io::connected(U_INPUT));
    EXPECT_FALSE(io::connected(U_STOP));
    io::CLOSEALL();
  }
}

TEST(StartUp, ReadsTheFileTableAndConnectsTheRunsFiles) {
  ScratchDir dir;
  // Trailing blanks are not part of a name; line 1 keeps its first 12 characters.
  writeNames(runNames(), {{1, "VERSION 2.5.1 and more"}, {5, "run.inp      "}});
  writeFile("run.inp", BROKEN_INPUT);
  writeFile("run.mc", "curvature\n");
  std::int32_t ISTAT = 0;
  STARTUP(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  EXPECT_EQ(FNAMES.VERSN.view(), "VERSION 2.5.");
  EXPECT_EQ(FNAMES.FNU(U_NAMES).trimmed(), "Names.dat");
  EXPECT_EQ(FNAMES.FNU(U_INPUT).trimmed(), "run.inp");
  EXPECT_EQ(FNAMES.FNU(U_LOG).trimmed(), "run.log");
  EXPECT_EQ(FNAMES.FNU(U_MCTEXT).trimmed(), "run.mc");
  EXPECT_EQ(RUNCTL.ITRANS, 1);
  EXPECT_EQ(RUNCTL.KRUNMD, 2);
  for (int u : {U_INPUT, U_ECHO, U_RESULTS, U_SUMMARY, U_PLOT, U_LOG, U_STATUS, U_REPORT,
                U_HEADCRV, U_MCTEXT, U_ITER, U_AXIAL, U_CAPNODE, U_SUMSCR})
    EXPECT_TRUE(io::connected(u)) << "unit " << u;
  for (int u : {U_FLXSCR, U_CLDSCR, U_PILSCR, U_PROGRESS, U_STOP, U_PASS, U_KMAT, U_WARN,
                U_CURVES, U_NAMES})
    EXPECT_FALSE(io::connected(u)) << "unit " << u;
  // The progress file holds the start line alone, and nobody holds it open.
  EXPECT_EQ(readLines("run.progress"), (Lines{" - ANALYSIS STARTED", ""}));
  // Files the analysis opens itself are not created here.
  EXPECT_FALSE(fs::exists("run.flx"));
  EXPECT_FALSE(fs::exists("run.crv"));
  io::CLOSEALL();
}

TEST(StartUp, MomentCurvatureTextIsOptional) {
  ScratchDir dir;
  writeNames(runNames());
  writeFile("run.inp", BROKEN_INPUT);
  std::int32_t ISTAT = 0;
  STARTUP(ISTAT);
  EXPECT_EQ(ISTAT, 0);
  EXPECT_FALSE(io::connected(U_MCTEXT));
  EXPECT_FALSE(fs::exists("run.mc"));
  io::CLOSEALL();
}

TEST(StartUp, MissingOrShortNamesFileEndsTheRunWithStatus40) {
  {
    ScratchDir dir;  // no names file at all: nothing but the directory's lock is written
    EXPECT_EQ(IDRELM(6), STAT_NAMES_FILE);
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"drelm.lock"}));
  }
  {
    ScratchDir dir;  // 26 lines: the runtime log is named, so it gets the message
    Lines names = runNames();
    names.pop_back();
    writeNames(names);
    writeFile("run.inp", BROKEN_INPUT);
    EXPECT_EQ(IDRELM(6), STAT_NAMES_FILE);
    const Lines log = readLines("run.log");
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "     * ERROR IN ANALYSIS *");
    EXPECT_EQ(log[2], "     NAMES FILE Names.dat IS MISSING OR SHORT");
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"Names.dat", "drelm.lock", "run.inp", "run.log"}));
  }
  {
    ScratchDir dir;  // 6 lines: not even the log is named
    Lines names = runNames();
    names.resize(6);
    writeNames(names);
    EXPECT_EQ(IDRELM(6), STAT_NAMES_FILE);
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"Names.dat", "drelm.lock"}));
  }
}

TEST(StartUp, FileThatCannotBeOpenedEndsTheRunWithStatus41) {
  const struct {
    int line;           // names-file line that names the failing file
    std::string name;   // its name
    bool logWritten;    // the runtime log still gets the message
  } cases[] = {
      {5, "missing.inp", true},           // the input data file is not there
      {6, "no/such/dir/run.echo", true},  // an output in a missing directory
      {10, "no/such/dir/run.log", false}, // the runtime log itself
      {25, "no/such/dir/run.cst", true},  // one of the last files opened
      {26, "", true},                     // a blank name
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    writeNames(runNames(), {{c.line, c.name}});
    writeFile("run.inp", BROKEN_INPUT);
    EXPECT_EQ(IDRELM(6), STAT_OPEN_FAILED) << "line " << c.line;
    for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u));
    const Lines log = readLines("run.log");
    if (!c.logWritten) {
      EXPECT_FALSE(fs::exists("run.log"));
      continue;
    }
    ASSERT_GE(log.size(), 3u) << "line " << c.line;
    EXPECT_EQ(log[1], "     * ERROR IN ANALYSIS *");
    const std::string line = std::to_string(c.line);
    if (c.name.empty()) {
      EXPECT_EQ(log[2], "     NO FILE NAME ON LINE " + line + " OF THE NAMES FILE");
    } else {
      EXPECT_EQ(log[2], "     CANNOT OPEN FILE " + c.name);
      EXPECT_EQ(log[3], "     NAMED ON LINE " + line + " OF THE NAMES FILE");
    }
    // Nothing after the failure runs: no progress line, no summary heading.
    if (c.line < 13) {
      EXPECT_FALSE(fs::exists("run.progress")) << "line " << c.line;
    }
    EXPECT_FALSE(contains(readLines("run.sum"),
                          "                 *****     SUMMARY FOR LOAD CASES AND COMBINATIONS      *****"));
  }
}

// A names file that gives one file two roles must not cost the host its
// input: the second connection fails like any file that cannot be opened.
TEST(StartUp, FileNamedTwiceEndsTheRunWithStatus41AndKeepsTheInput) {
  const struct {
    int line;          // names-file line that repeats a name
    const char* name;  // the repeated name
  } cases[] = {
      {7, "run.inp"},     // results report over the input data file
      {26, "./run.inp"},  // summary scratch over it, under another spelling
      {26, "run.sum"},    // summary scratch over the summary
      {13, "run.inp"},    // progress file over the input data file
      {15, "run.inp"},    // coded per-pass results, which this run never opens
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    ScratchDir dir;
    writeNames(runNames(), {{c.line, c.name}});
    writeFile("run.inp", BROKEN_INPUT);
    EXPECT_EQ(IDRELM(6), STAT_OPEN_FAILED);
    EXPECT_EQ(readFile("run.inp"), BROKEN_INPUT);
    const Lines log = readLines("run.log");
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[2], std::string("     CANNOT OPEN FILE ") + c.name);
    EXPECT_EQ(log[3], "     NAMED ON LINE " + std::to_string(c.line) + " OF THE NAMES FILE");
  }
}

// Lines of a report with the date and timing lines, which differ between
// runs, left out.
Lines masked(const fs::path& p) {
  Lines out;
  for (const std::string& l : readLines(p))
    if (l.find("Date:  ") == std::string::npos && l.find("Execution Time") == std::string::npos &&
        l.find("processing :") == std::string::npos)
      out.push_back(l);
  return out;
}

TEST(EntryPoint, TwoRunsOfOneInputGiveTheSameReports) {
  ScratchDir dir;
  // A small group analysed through its load case: the example group takes
  // too long in the sanitizer build for a test that runs it twice.
  fs::copy_file(test::dataFile("space_min.inp"), "run.inp");
  writeNames(runNames());
  const Lines reports = {"run.echo", "run.out", "run.sum", "run.plot", "run.log",
                         "run.status", "run.report", "run.lsgen", "run.crv"};

  const std::int32_t first = IDRELM(6);
  std::vector<Lines> firstReports;
  for (const std::string& r : reports) firstReports.push_back(masked(r));
  ASSERT_FALSE(firstReports[4].empty());  // the runtime log at least says how it ended

  EXPECT_EQ(IDRELM(6), first);
  for (std::size_t k = 0; k < reports.size(); ++k)
    EXPECT_EQ(masked(reports[k]), firstReports[k]) << reports[k];
}

// A run after another of a different model (plane, other units, other
// tables filled) gives the reports a fresh process gives: every table and
// text the first run set is back to its initial state.
TEST(EntryPoint, RunAfterADifferentModelGivesTheReportsOfAFreshProcess) {
  ScratchDir dir;
  writeNames(runNames());
  const Lines reports = {"run.echo", "run.out", "run.sum", "run.plot", "run.log",
                         "run.status", "run.report", "run.lsgen", "run.crv"};
  const auto runOf = [&](const char* data) {
    fs::copy_file(test::dataFile(data), "run.inp", fs::copy_options::overwrite_existing);
    const std::int32_t status = IDRELM(6);
    std::vector<Lines> out;
    for (const std::string& r : reports) out.push_back(masked(r));
    return std::make_pair(status, out);
  };
  const auto fresh = runOf("space_min.inp");
  ASSERT_FALSE(fresh.second[4].empty());
  const auto other = runOf("plane_si.inp");
  ASSERT_NE(other.second[0], fresh.second[0]);  // the other model did fill other tables
  const auto again = runOf("space_min.inp");
  EXPECT_EQ(again.first, fresh.first);
  for (std::size_t k = 0; k < reports.size(); ++k) EXPECT_EQ(again.second[k], fresh.second[k]) << reports[k];
}

TEST(EntryPoint, ElapsedTimeOfTheRunIsStamped) {
  ScratchDir dir;
  writeNames(runNames());
  writeFile("run.inp", BROKEN_INPUT);
  writeFile("run.stop", "1");
  EXPECT_EQ(IDRELM(6), STAT_STOPPED);
  // A duration, not a clock reading.
  EXPECT_GE(TIMBLK.TELAPS, 0.0);
  EXPECT_LT(TIMBLK.TELAPS, 60.0);
  EXPECT_GE(TIMBLK.NPROCS, 1);
}

}  // namespace
}  // namespace drelm
