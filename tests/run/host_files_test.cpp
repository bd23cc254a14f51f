// Whole runs through the command-line host with the run's files made to
// fail: every failure ends the run with 41 and the host names the file; one
// run per output directory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "support/hostproc.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::ScratchDir;
using test::wholerun::untimed;

struct Host {
  pid_t pid = -1;
  fs::path out, err;
};

// Starts the host on INPUT with its outputs in DIR; its standard output and
// error go to files in the current directory named after TAG.
Host startHost(const fs::path& input, const fs::path& dir, const std::string& tag, rlim_t fsize = 0) {
  Host h{-1, fs::current_path() / (tag + ".stdout"), fs::current_path() / (tag + ".stderr")};
  h.pid = test::forkHost(input, dir, h.out, h.err, fsize);
  return h;
}

int finish(const Host& h) {
  int st = 0;
  if (h.pid < 0 || waitpid(h.pid, &st, 0) != h.pid) return -1;
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

struct Result {
  int exit;
  std::string out, err;
};

Result runHost(const fs::path& input, const fs::path& dir, rlim_t fsize = 0) {
  const Host h = startHost(input, dir, "host", fsize);
  const int code = finish(h);
  return {code, readFile(h.out), readFile(h.err)};
}

// The input fixture copied as job.inp into the current directory.
fs::path jobInput(const std::string& fixture) {
  test::writeFile("job.inp", readFile(test::dataFile(fixture + ".inp")));
  return fs::current_path() / "job.inp";
}

const std::string COMPLETED = "ANALYSIS COMPLETED";

// What every failed file must give: status 41, the file named on standard
// error and in the final message, the log (unless it is the failed file)
// naming it, and no word of a completed analysis.
void expectFailedFile(const Result& r, const fs::path& out, const std::string& name, const char* how,
                      bool logged = true) {
  EXPECT_EQ(r.exit, 41) << r.out << r.err;
  EXPECT_NE(r.err.find(std::string("drelm: ") + how + " " + (out / name).string() + "\n"), std::string::npos)
      << r.err;
  const std::string upper = how == std::string("cannot write") ? "CANNOT WRITE FILE " : "CANNOT OPEN FILE ";
  EXPECT_NE(r.out.find("    * ERROR IN ANALYSIS *\n    " + upper + name + "\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(COMPLETED), std::string::npos) << r.out;
  const std::string log = readFile(out / "job.log");
  EXPECT_EQ(log.find(COMPLETED), std::string::npos);
  if (name != "job.log" && logged) {
    EXPECT_NE(log.find("     " + upper + name + "\n"), std::string::npos) << log;
  }
}

TEST(HostFiles, DirectoryInPlaceOfAnyOutputFileEndsTheRunWith41) {
  // Every file the run writes, whether it opens it at start-up, during the
  // analysis or (the coded per-pass results of this run) never.
  for (const char* ext : {"echo", "out", "sum", "plot", "log", "status", "report", "progress", "lsgen", "flx",
                          "cld", "pilscr", "eqs", "kmat", "wrn", "iter", "axl", "crv", "cst", "sumscr"}) {
    SCOPED_TRACE(ext);
    ScratchDir dir;
    const fs::path input = jobInput("plane_min");
    const std::string name = std::string("job.") + ext;
    // Not empty: the host clears an empty progress file's place.
    fs::create_directories(dir.path() / "o" / name / "keep");
    const Result r = runHost(input, dir.path() / "o");
    if (std::string(ext) == "log") {
      EXPECT_EQ(r.exit, 41);
      EXPECT_NE(r.err.find("names no failed file: the log itself could not be written or read"), std::string::npos)
          << r.err;
      EXPECT_EQ(r.out.find(COMPLETED), std::string::npos);
    } else {
      expectFailedFile(r, dir.path() / "o", name, "cannot open");
    }
  }
}

// The host run to its end, within LIMIT seconds (killed then), with its
// peak memory in kB.
struct Measured {
  Result r;
  double seconds = 0;
  long peakKb = 0;
};
Measured runHostMeasured(const fs::path& input, const fs::path& dir, int limit = 120) {
  const auto t0 = std::chrono::steady_clock::now();
  const Host h = startHost(input, dir, "host");
  int st = 0;
  struct rusage ru {};
  for (;;) {
    const pid_t got = wait4(h.pid, &st, WNOHANG, &ru);
    if (got == h.pid) break;
    if (std::chrono::steady_clock::now() - t0 > std::chrono::seconds(limit)) {
      kill(h.pid, SIGKILL);
      wait4(h.pid, &st, 0, &ru);
      break;
    }
    usleep(10000);
  }
  Measured m;
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  m.peakKb = ru.ru_maxrss;
  m.r = {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readFile(h.out), readFile(h.err)};
  return m;
}

// The minimal space group whose case estimates the cap's stiffness by unit
// loads: besides the pile, warning and summary scratch and the pass file, it
// writes and reads back the coded per-pass results.
fs::path unitLoadInput() {
  using test::wholerun::fixture;
  using test::wholerun::replaced;
  const std::string load = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n";
  test::writeFile("job.inp", replaced(replaced(fixture("space_min.inp"), "Service load, V/H\n0 0 0 0 0 0 0 0",
                                               "Service load, V/H\n0 1 1 0 0 0 0 0"),
                                      load + "0", load + "1\n1.0"));
  return fs::current_path() / "job.inp";
}

// A device or a directory in place of a file of the run. Reports may go to a
// device: one that takes no write ends the run with 41 naming it. The work
// files the run reads back, and the echo and case status file that the host
// reads, must be regular files: a link to any device, or a directory, ends
// the run with 41 naming the file, at once and in little memory, and never
// with a completed analysis whose content is missing (a /dev/null summary
// scratch once gave a summary without its load cases; a /dev/zero echo or
// status file once kept the host reading without end).
TEST(HostFiles, DeviceOrDirectoryInPlaceOfAFileEndsTheRunWith41NamingIt) {
  ScratchDir base;
  const Measured sound = runHostMeasured(unitLoadInput(), base.path() / "sound");
  ASSERT_EQ(sound.r.exit, 0) << sound.r.out << sound.r.err;
  struct Case {
    const char* ext;
    std::vector<const char*> targets;
    const char* how;
  };
  const std::vector<const char*> every = {"/dev/null", "/dev/full", "/dev/zero", "dir"};
  const Case cases[] = {
      {"out", {"/dev/full"}, "cannot write"},    {"sum", {"/dev/full"}, "cannot write"},
      {"report", {"/dev/full"}, "cannot write"}, {"log", {"/dev/full"}, "cannot write"},
      {"sumscr", every, "cannot open"},          {"pilscr", every, "cannot open"},
      {"wrn", every, "cannot open"},             {"eqs", every, "cannot open"},
      {"flx", every, "cannot open"},             {"cld", every, "cannot open"},
      {"status", every, "cannot open"},          {"echo", every, "cannot open"},
  };
  for (const Case& c : cases)
    for (const std::string target : c.targets) {
      SCOPED_TRACE(std::string(c.ext) + " as " + target);
      ScratchDir dir;
      const fs::path input = unitLoadInput();
      const std::string name = std::string("job.") + c.ext;
      const fs::path out = dir.path() / "o";
      fs::create_directories(out);
      if (target == "dir") fs::create_directories(out / name / "keep");
      else fs::create_symlink(target, out / name);
      const Measured m = runHostMeasured(input, out);
      std::printf("[ device ] %-7s %-10s exit %3d %6.2f s %7ld kB\n", c.ext, target.c_str(), m.r.exit, m.seconds,
                  m.peakKb);
      // Never longer than a few sound runs (a reader of a device once never
      // ended), whatever the load of the machine.
      EXPECT_LT(m.seconds, 4 * sound.seconds + 10.0);
      EXPECT_LT(m.peakKb, sound.peakKb + 16 * 1024);
      if (std::string(c.ext) == "log") {
        EXPECT_EQ(m.r.exit, 41);
        EXPECT_NE(m.r.err.find("names no failed file"), std::string::npos) << m.r.err;
        EXPECT_EQ(m.r.out.find(COMPLETED), std::string::npos);
        continue;
      }
      // A device in place of the echo or the status file is refused by the
      // host before the engine starts: no log names it.
      const bool hostRefused = target != "dir" && (std::string(c.ext) == "echo" || c.ext == std::string("status"));
      expectFailedFile(m.r, out, name, c.how, !hostRefused);
      if (hostRefused) EXPECT_FALSE(fs::exists(out / "job.log"));
      // No case line claims a completed case: a case's line waits for its
      // reports.
      EXPECT_EQ(m.r.err.find(COMPLETED), std::string::npos) << m.r.err;
    }
}

// Files capped in size (the host ignores the signal): the first write beyond the
// cap fails, the run stops at its next check.
TEST(HostFiles, FileSizeLimitEndsTheRunWith41NamingTheFile) {
  ScratchDir dir;
  const fs::path input = jobInput("plane_min");
  constexpr rlim_t CAP = 20000;  // below the axial listing and the reports
  const Result r = runHost(input, dir.path() / "o", CAP);
  EXPECT_EQ(r.exit, 41) << r.out << r.err;
  const std::string lead = "drelm: cannot write " + (dir.path() / "o").string() + "/";
  const std::size_t at = r.err.find(lead);
  ASSERT_NE(at, std::string::npos) << r.err;
  const std::string name = r.err.substr(at + lead.size(), r.err.find('\n', at) - at - lead.size());
  expectFailedFile(r, dir.path() / "o", name, "cannot write");
  EXPECT_LE(fs::file_size(dir.path() / "o" / name), CAP);
}

// The reports of a run in DIR (timing lines aside), by file name.
std::map<std::string, std::vector<std::string>> reportsIn(const fs::path& dir) {
  std::map<std::string, std::vector<std::string>> r;
  for (const auto& f : fs::directory_iterator(dir))
    if (f.is_regular_file()) r[f.path().filename().string()] = untimed(f.path().string());
  return r;
}

// Two hosts started together in one directory, with inputs of different
// names: one runs, the other is refused at once and writes nothing (no file
// of its name appears, the names file is the winner's), and the winner's
// reports are those of a lone run.
TEST(HostFiles, TwoHostsInOneDirectoryOneRunsTheOtherTouchesNothing) {
  ScratchDir dir;
  test::writeFile("a.inp", readFile(test::dataFile("plane_min.inp")));
  test::writeFile("b.inp", readFile(test::dataFile("plane_min.inp")));
  ASSERT_EQ(finish(startHost(dir.path() / "a.inp", dir.path() / "lone", "lone")), 0);
  const auto lone = reportsIn(dir.path() / "lone");
  // The reports of one host's run in OUT, read as A's: B's carry its own
  // base name and input path.
  const auto reportsOf = [](const fs::path& out, bool ofA) {
    std::map<std::string, std::vector<std::string>> got;
    for (auto& [n, lines] : reportsIn(out)) {
      if (n == "Names.dat" || n == "drelm.lock") {
        got[n];
        continue;
      }
      if (n.rfind(ofA ? "a." : "b.", 0) != 0) continue;
      std::vector<std::string>& g = got["a." + n.substr(2)];
      for (std::string l : lines) {
        for (std::size_t at = 0; !ofA && (at = l.find("b.", at)) != std::string::npos; at += 2)
          if (at == 0 || l[at - 1] == ' ' || l[at - 1] == '/') l[at] = 'a';
        g.push_back(l);
      }
    }
    return got;
  };
  const auto sameAsLone = [&](const std::map<std::string, std::vector<std::string>>& got) {
    ASSERT_EQ(got.size(), lone.size());
    for (const auto& [n, lines] : lone)
      if (n != "Names.dat" && n != "drelm.lock") EXPECT_EQ(got.at(n), lines) << n;  // names the output directory
  };
  int wonA = 0, overlapped = 0;
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    const fs::path out = dir.path() / ("r" + std::to_string(round));
    const Host a = startHost(dir.path() / "a.inp", out, "a");
    const Host b = startHost(dir.path() / "b.inp", out, "b");
    const int ea = finish(a), eb = finish(b);
    if (ea == 0 && eb == 0) {
      // On a loaded machine the second may start only after the first has
      // ended: then both runs are whole, each under its own name.
      sameAsLone(reportsOf(out, true));
      sameAsLone(reportsOf(out, false));
      continue;
    }
    ++overlapped;
    ASSERT_TRUE((ea == 0 && eb == 41) || (ea == 41 && eb == 0)) << ea << " " << eb;
    const bool aWon = ea == 0;
    wonA += aWon;
    const std::string refused = readFile(aWon ? b.err : a.err);
    EXPECT_NE(refused.find("drelm: another run is using " + out.string()), std::string::npos) << refused;
    const char* loser = aWon ? "b." : "a.";
    for (const auto& f : fs::directory_iterator(out))
      EXPECT_NE(f.path().filename().string().rfind(loser, 0), 0u) << f.path();
    sameAsLone(reportsOf(out, aWon));
  }
  // Most rounds overlap; a lock that let both run would show here.
  EXPECT_GE(overlapped, 10);
  RecordProperty("runsWonByTheFirst", wonA);
}

TEST(HostFiles, RunsInTwoDirectoriesAtOnceBothComplete) {
  ScratchDir dir;
  const fs::path input = jobInput("plane_min");
  const Host a = startHost(input, dir.path() / "one", "one");
  const Host b = startHost(input, dir.path() / "two", "two");
  EXPECT_EQ(finish(a), 0) << readFile(a.err);
  EXPECT_EQ(finish(b), 0) << readFile(b.err);
  EXPECT_EQ(untimed((dir.path() / "one" / "job.sum").string()), untimed((dir.path() / "two" / "job.sum").string()));
}

}  // namespace
}  // namespace drelm
