#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/hostproc.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::readLines;
using test::ScratchDir;
using test::writeFile;

struct HostRun {
  int exit = -1;
  std::string out;
};

HostRun runHost(const std::string& args) {
  HostRun r;
  const std::string cmd = std::string("\"") + DRELM_HOST_BIN + "\" " + args + " 2>&1";
  r.exit = test::runCapturing(cmd, r.out);
  return r;
}

// A run with its standard output in a file and its standard error through a
// pipe, as in a batch job: ON_LINE sees each line of standard error as it
// comes.
struct SplitRun {
  int exit = -1;
  std::string out;
  std::vector<std::string> err;
};

SplitRun runHostSplit(std::vector<std::string> args,
                      const std::function<void(pid_t, const std::string&)>& onLine = {}) {
  SplitRun r;
  args.insert(args.begin(), DRELM_HOST_BIN);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::FILE* out = std::tmpfile();
  int err[2];
  if (!out || pipe2(err, O_CLOEXEC) != 0) return r;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fileno(out), STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(err[1]);
  std::FILE* in = fdopen(err[0], "r");
  char* line = nullptr;
  std::size_t cap = 0;
  for (ssize_t n; (n = getline(&line, &cap, in)) > 0;) {
    r.err.emplace_back(line, line[n - 1] == '\n' ? n - 1 : n);
    if (onLine) onLine(pid, r.err.back());
  }
  std::free(line);
  std::fclose(in);
  int st = 0;
  waitpid(pid, &st, 0);
  r.exit = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  std::rewind(out);
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, out)) > 0;) r.out.append(buf, n);
  std::fclose(out);
  return r;
}

TEST(Host, HelpAndVersion) {
  HostRun help = runHost("--help");
  EXPECT_EQ(help.exit, 0);
  EXPECT_EQ(help.out.rfind("usage: drelm INPUT_FILE [--out DIR]", 0), 0u) << help.out;
  HostRun version = runHost("--version");
  EXPECT_EQ(version.exit, 0);
  EXPECT_EQ(version.out.rfind("drelm ", 0), 0u);
  for (const char* bad : {"", "--bogus x.inp", "a.inp b.inp", "a.inp --out"})
    EXPECT_EQ(runHost(bad).exit, 2) << bad;
}

TEST(Host, WritesTheNamesFileAndReturnsTheStatus) {
  ScratchDir dir;
  // The input ends early: the engine reads it and stops with 42.
  const fs::path input = dir.path() / "piles" / "site_a.inp";
  fs::create_directories(input.parent_path());
  writeFile(input, "TITLE\n");
  HostRun r = runHost(input.string() + " --out " + (dir.path() / "out" / "deep").string());
  EXPECT_EQ(r.exit, 42);
  EXPECT_NE(r.out.find("    * ERROR IN ANALYSIS *\n    INPUT DATA FILE ENDS EARLY"), std::string::npos) << r.out;

  const fs::path out = dir.path() / "out" / "deep";
  const std::vector<std::string> names = readLines(out / "Names.dat");
  ASSERT_EQ(names.size(), 27u);
  EXPECT_EQ(names[0].size(), 12u);
  EXPECT_EQ(names[4], input.string());
  const char* const ext[] = {"echo", "out", "sum", "plot", "log", "status", "report", "progress",
                             "lsgen", "flx", "cld", "pilscr", "stop", "eqs", "kmat", "wrn",
                             "iter", "axl", "crv", "cst", "sumscr", "mc"};
  for (int k = 0; k < 22; ++k) EXPECT_EQ(names[5 + k], std::string("site_a.") + ext[k]);
  // The engine ran in the output directory: its runtime log is there.
  EXPECT_NE(readFile(out / "site_a.log").find("INPUT DATA FILE, LINE 2"), std::string::npos);
  EXPECT_NE(r.out.find("Runtime log     " + (out / "site_a.log").string()), std::string::npos) << r.out;
}

// A report an earlier run left under the same name is not this run's: a run
// that ends before it opens the reports names none of them, and shows no
// case of the old status file; a run that empties them names them all.
TEST(Host, NamesOnlyTheReportsThisRunWrote) {
  ScratchDir dir;
  const char* const stale[] = {"job.out", "job.sum", "job.echo", "job.status"};
  for (const char* f : stale) writeFile(f, "LOAD CASE :     1\n      ANALYSIS DUE TO TOTAL LOAD\n    1 ANALYSIS COMPLETED\n");
  const std::string input = (dir.path() / "job.inp").string();
  SplitRun missing = runHostSplit({input});
  EXPECT_EQ(missing.exit, 41) << missing.out;
  // Standard error names the file that could not be opened.
  ASSERT_EQ(missing.err.size(), 1u);
  EXPECT_EQ(missing.err[0], "drelm: cannot open " + input + ": No such file or directory");
  EXPECT_EQ(missing.out.find("load case"), std::string::npos) << missing.out;
  for (const char* f : stale) EXPECT_EQ(missing.out.find(f), std::string::npos) << missing.out;
  // Refused before the run: no runtime log either.
  EXPECT_EQ(missing.out.find("Runtime log"), std::string::npos) << missing.out;

  writeFile("job.inp", "TITLE\n");  // ends early: the reports are made, then the run stops
  SplitRun early = runHostSplit({input});
  EXPECT_EQ(early.exit, 42) << early.out;
  for (const char* f : {"job.out", "job.sum", "job.echo", "job.log"})
    EXPECT_NE(early.out.find((dir.path() / f).string()), std::string::npos) << f << "\n" << early.out;
  EXPECT_EQ(early.out.find("load case"), std::string::npos) << early.out;
}

// Through a pipe every finished case and combination gets a line on
// standard error with its status line, and the tally counts the outcomes:
// the exit status stays the engine's, 0 also with a failed case.
TEST(Host, PipedRunShowsEachFinishedCaseAndTheTally) {
  const struct {
    fs::path input;
    std::vector<std::string> err;
    std::string tally;
  } rows[] = {
      {fs::path(DRELM_SOURCE_DIR) / "examples" / "group3x3.inp",
       {"drelm: load case 1: 1 ANALYSIS COMPLETED", "drelm: load case 2: 1 ANALYSIS COMPLETED",
        "drelm: load combination 1: 1 ANALYSIS COMPLETED"},
       "2 load cases: 2 completed; 1 load combination: 1 completed; see group3x3.status"},
      {test::dataFile("space_outcomes.inp"),
       {"drelm: load case 1: 1 ANALYSIS COMPLETED", "drelm: load case 2: 3 NO CONVERGENCE ON PILE CAP",
        "drelm: load case 3: 2 SOLUTION AT     6.25 % OF THE TOTAL LOAD", "drelm: load case 4: 9 ANALYSIS NOT PERFORMED",
        "drelm: load combination 1: 1 ANALYSIS COMPLETED"},
       "4 load cases: 1 completed, 1 solved for part of the load, 1 no convergence on the pile cap, 1 not "
       "analysed; 1 load combination: 1 completed; see space_outcomes.status"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    ScratchDir dir;
    const fs::path input = dir.path() / row.input.filename();
    writeFile(input, readFile(row.input));
    SplitRun r = runHostSplit({input.string()});
    EXPECT_EQ(r.exit, 0) << r.out;
    EXPECT_EQ(r.err, row.err);
    EXPECT_NE(r.out.find("    ANALYSIS COMPLETED\n    " + row.tally + "\n\nResults report  "), std::string::npos)
        << r.out;
  }
}

// The lines come as the run goes on: a stop asked for on the first one ends
// the run before the combination, which the tally counts as not reached.
TEST(Host, CaseLinesComeWhileTheRunGoesOn) {
  ScratchDir dir;
  // The example with its wind case repeated 30 times more, so that the run
  // is still going when the first case's line comes, however fast it is.
  std::istringstream example(readFile(fs::path(DRELM_SOURCE_DIR) / "examples" / "group3x3.inp"));
  std::vector<std::string> lines;
  for (std::string l; std::getline(example, l);) lines.push_back(l);
  ASSERT_EQ(lines[7], "2 1 1 1 0");
  lines[7] = "32 1 1 1 0";
  const std::vector<std::string> wind(lines.begin() + 20, lines.begin() + 31);  // lines 21 to 31
  for (int k = 0; k < 30; ++k) lines.insert(lines.begin() + 31, wind.begin(), wind.end());
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  writeFile("group3x3.inp", text);
  SplitRun r = runHostSplit({(dir.path() / "group3x3.inp").string()}, [](pid_t pid, const std::string&) {
    static bool sent = false;
    if (!sent) sent = kill(pid, SIGINT) == 0;
  });
  EXPECT_EQ(r.exit, 4) << r.out;
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err[0], "drelm: load case 1: 1 ANALYSIS COMPLETED");
  for (const std::string& l : r.err) EXPECT_EQ(l.find("combination"), std::string::npos) << l;
  EXPECT_NE(r.out.find("; 1 load combination: 1 not reached; see group3x3.status\n"), std::string::npos) << r.out;
}

TEST(Host, StaleStopRequestIsClearedBeforeTheRun) {
  ScratchDir dir;
  writeFile("job.inp", "TITLE\n");
  writeFile("job.stop", "1\n");
  // Default output directory: the input file's own.
  HostRun r = runHost((dir.path() / "job.inp").string());
  EXPECT_NE(r.exit, 4) << r.out;
  EXPECT_EQ(readFile("job.stop"), "");
  EXPECT_EQ(readLines("Names.dat").size(), 27u);
  EXPECT_FALSE(readLines("job.log").empty());  // the engine ran there
}

// An input whose name is one the run gives its own files would be emptied
// before it is read: the host refuses it and touches nothing.
TEST(Host, InputThatIsOneOfTheRunsFilesIsRefused) {
  for (const char* name : {"job.out", "job.stop", "job.sumscr", "Names.dat"}) {
    SCOPED_TRACE(name);
    ScratchDir dir;
    writeFile(name, "TITLE\n");
    HostRun r = runHost((dir.path() / name).string());
    EXPECT_EQ(r.exit, 2) << r.out;
    EXPECT_NE(r.out.find("would be overwritten"), std::string::npos) << r.out;
    EXPECT_EQ(readFile(name), "TITLE\n");
    EXPECT_EQ(fs::exists("Names.dat"), std::string(name) == "Names.dat");
  }
  // The same input with its outputs elsewhere runs.
  ScratchDir dir;
  writeFile("job.out", "TITLE\n");
  HostRun r = runHost((dir.path() / "job.out").string() + " --out " + (dir.path() / "o").string());
  EXPECT_NE(r.exit, 2) << r.out;
  EXPECT_EQ(readFile("job.out"), "TITLE\n");
  EXPECT_TRUE(fs::exists(dir.path() / "o" / "job.log"));
}

// The first run of a process finds the tables as the library was loaded
// and leaves them uncleared: its files are those of a run that cleared the
// tables after another run had filled them.
TEST(Host, FirstRunReportsAsARunAfterAnother) {
  ScratchDir dir;
  writeFile("grid.inp", test::readFile(test::dataFile("space_grid9.inp")));
  HostRun r = runHost((dir.path() / "grid.inp").string());
  ASSERT_EQ(r.exit, 0) << r.out;
  const std::string names = readFile("Names.dat");
  std::vector<std::pair<fs::path, std::vector<std::string>>> first;
  for (const auto& f : fs::directory_iterator(dir.path()))
    if (f.path().stem() == "grid" && f.path().extension() != ".inp")
      first.emplace_back(f.path(), test::wholerun::untimed(f.path()));
  ASSERT_GT(first.size(), 10u);

  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("space_rich.inp")));
  IDRELM(6);  // the rich model fills many tables, then its plate model stops
  writeFile("Names.dat", names);
  ASSERT_EQ(IDRELM(6), 0);
  for (const auto& [file, lines] : first) EXPECT_EQ(test::wholerun::untimed(file), lines) << file;
}

}  // namespace
}  // namespace drelm
