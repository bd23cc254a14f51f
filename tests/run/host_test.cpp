#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
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
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = pclose(p);
  r.exit = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
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
  // The input file is missing: the engine cannot open it.
  const fs::path input = dir.path() / "piles" / "site_a.inp";
  HostRun r = runHost(input.string() + " --out " + (dir.path() / "out" / "deep").string());
  EXPECT_EQ(r.exit, 41);
  EXPECT_NE(r.out.find("    * ERROR IN ANALYSIS *\n    CANNOT OPEN FILE " + input.string() +
                       "\n    NAMED ON LINE 5 OF THE NAMES FILE\n"),
            std::string::npos)
      << r.out;

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
  EXPECT_NE(readFile(out / "site_a.log").find("CANNOT OPEN FILE"), std::string::npos);
  EXPECT_NE(r.out.find((out / "site_a.out").string()), std::string::npos);
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
