// The run's hold on its working directory and on its files, through whole
// runs of the engine in this process: the directory's lock, the output files
// emptied at start, the files the analysis opens.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "analysis/wholerun.h"
#include "model/fileio.h"
#include "run/rundrv.h"
#include "run/runlock.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::readLines;
using test::ScratchDir;
using test::writeFile;
using test::wholerun::fixture;
using test::wholerun::replaced;

// Names file of the test runs with line LINE naming NAME instead.
void writeNames(int line = 0, const std::string& name = {}) {
  std::string text = "1.0.0-test\n\n\n\n";
  for (int k = 5; k <= 27; ++k) text += (k == line ? name : test::RUN_FILES[k - 5]) + std::string("\n");
  writeFile("Names.dat", text);
}

struct flock whole(short type) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  return fl;
}

// A child process that holds the directory's lock (a classic record lock, or
// an open-file-description lock) until the returned pipe is closed.
struct Holder {
  pid_t pid = -1;
  int release = -1;
  explicit Holder(bool ofd) {
    int ready[2], hold[2];
    if (pipe(ready) != 0 || pipe(hold) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(ready[0]);
      close(hold[1]);  // the end of the parent's copy is the release
      const int fd = open(RUN_LOCK_FILE, O_RDWR | O_CREAT, 0666);
      struct flock fl = whole(F_WRLCK);
      const char ok = fcntl(fd, ofd ? F_OFD_SETLK : F_SETLK, &fl) == 0 ? 1 : 0;
      [[maybe_unused]] ssize_t n = write(ready[1], &ok, 1);
      char c;
      n = read(hold[0], &c, 1);
      _exit(0);
    }
    close(ready[1]);
    close(hold[0]);
    char ok = 0;
    EXPECT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 1);
    close(ready[0]);
    release = hold[1];
  }
  ~Holder() {
    close(release);
    int st;
    waitpid(pid, &st, 0);
  }
};

// True when another process can take the directory's lock now.
bool freeForOthers() {
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(RUN_LOCK_FILE, O_RDWR | O_CREAT, 0666);
    struct flock fl = whole(F_WRLCK);
    _exit(fcntl(fd, F_SETLK, &fl) == 0 ? 0 : 1);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  return WIFEXITED(st) && WEXITSTATUS(st) == 0;
}

TEST(RunLock, HeldOncePerDirectoryAndReleasedAtTheEnd) {
  ScratchDir dir;
  {
    const RunLock lock;
    ASSERT_TRUE(lock.held());
    EXPECT_FALSE(freeForOthers());
    // Another run of this process, on another thread, is refused.
    bool other = true;
    std::thread([&] { other = RunLock().held(); }).join();
    EXPECT_FALSE(other);
  }
  EXPECT_TRUE(freeForOthers());
  for (const bool ofd : {false, true}) {
    SCOPED_TRACE(ofd);
    const Holder h(ofd);
    EXPECT_FALSE(RunLock().held());
  }
  EXPECT_TRUE(RunLock().held());
}

// A host of this process that locked the directory before calling: the run
// goes on under its lock and leaves it held, run after run.
TEST(RunLock, CallerOfThisProcessKeepsItsClassicLock) {
  ScratchDir dir;
  const int fd = open(RUN_LOCK_FILE, O_RDWR | O_CREAT, 0666);
  struct flock fl = whole(F_WRLCK);
  ASSERT_EQ(fcntl(fd, F_SETLK, &fl), 0);
  for (int run = 0; run < 2; ++run) {
    {
      const RunLock lock;
      EXPECT_TRUE(lock.held());
    }
    EXPECT_FALSE(freeForOthers()) << run;
  }
  close(fd);
  EXPECT_TRUE(freeForOthers());
}

// A directory that another process holds: the run returns 41 at once and
// touches nothing, not even the runtime log of that other run.
TEST(RunLock, RunInAHeldDirectoryTouchesNothing) {
  ScratchDir dir;
  writeNames();
  test::writeInputFile(fixture("plane_min.inp"));
  writeFile("run.log", "the other run's log\n");
  const Holder h(false);
  EXPECT_EQ(IDRELM(6), 41);
  EXPECT_EQ(readFile("run.log"), "the other run's log\n");
  for (const char* f : {"run.out", "run.sum", "run.echo", "run.prg"}) EXPECT_FALSE(fs::exists(f)) << f;
}

// Every output file of the run starts empty, also those this run never
// opens; the input, the moment-curvature text and the stop file keep theirs.
TEST(RunFiles, OutputFilesOfAnEarlierRunAreEmptiedAtStart) {
  ScratchDir dir;
  writeNames();
  test::writeInputFile(fixture("plane_min.inp"));
  for (const char* f : {"run.fl1", "run.fl2", "run.kmt", "run.cpn", "run.crv"}) writeFile(f, "stale\n");
  writeFile("run.mct", "moment curvature\n");
  writeFile("run.stop", "0\n");
  ASSERT_EQ(IDRELM(6), 0);
  for (const char* f : {"run.fl1", "run.fl2", "run.kmt", "run.cpn", "run.crv"}) EXPECT_EQ(readFile(f), "") << f;
  EXPECT_EQ(readFile("run.mct"), "moment curvature\n");
  EXPECT_EQ(readFile("run.stop"), "0\n");
  EXPECT_EQ(readFile("input.inp"), fixture("plane_min.inp"));
}

// The minimal space group whose case estimates the cap's stiffness by unit
// loads at one level.
std::string unitLoadModel() {
  const std::string load = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n";
  return replaced(replaced(fixture("space_min.inp"), "Service load, V/H\n0 0 0 0 0 0 0 0",
                           "Service load, V/H\n0 1 1 0 0 0 0 0"),
                  load + "0", load + "1\n1.0");
}

// The work files the analysis opens itself, named where they cannot be
// created: 41 naming the file and its names-file line, never a completed run
// with tables missing. The one case estimates the cap's stiffness by unit
// loads, so that the coded per-pass results are used too.
TEST(RunFiles, WorkFileThatCannotBeOpenedEndsTheRunWith41) {
  const std::string input = unitLoadModel();
  const struct {
    int line;
    const char* role;
  } cases[] = {{15, "coded per-pass results"}, {16, "coded per-pass results"}, {17, "per-pile result scratch"},
               {19, "pass file"},              {20, "stiffness-matrix file"},  {21, "warning scratch"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.role);
    ScratchDir dir;
    writeNames(c.line, "gone/work.file");
    test::writeInputFile(input);
    EXPECT_EQ(IDRELM(6), 41);
    const std::vector<std::string> log = readLines("run.log");
    const std::string all = readFile("run.log");
    EXPECT_NE(all.find("     * ERROR IN ANALYSIS *\n     CANNOT OPEN FILE gone/work.file\n     NAMED ON LINE " +
                       std::to_string(c.line) + " OF THE NAMES FILE\n"),
              std::string::npos)
        << all;
    EXPECT_EQ(all.find("ANALYSIS COMPLETED"), std::string::npos);
  }
}

// Puts a link to TARGET (a device), a directory or a pipe in place of NAME.
void putInPlace(const std::string& name, const std::string& target) {
  fs::remove_all(name);
  if (target == "dir") fs::create_directory(name);
  else if (target == "fifo") ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
  else fs::create_symlink(target, name);
}

const char* const NOT_REGULAR[] = {"/dev/null", "/dev/zero", "/dev/full", "dir", "fifo"};

// The files the run only reads are read only when regular files: a device
// in place of the names file or of the input data file (one that reads zeros
// without end, or a pipe with no writer that would keep the open waiting)
// ends the run with 41 at once, not with "missing or short" (40) and never
// with the run reading without end.
TEST(RunFiles, NamesOrInputFileThatIsNoRegularFileEndsWith41) {
  for (const std::string target : NOT_REGULAR) {
    SCOPED_TRACE(target);
    {
      ScratchDir dir;
      test::writeInputFile(fixture("plane_min.inp"));
      putInPlace("Names.dat", target);
      EXPECT_EQ(IDRELM(6), 41);
    }
    ScratchDir dir;
    writeNames();
    putInPlace("input.inp", target);
    EXPECT_EQ(IDRELM(6), 41);
    const std::string log = readFile("run.log");
    EXPECT_NE(log.find("     CANNOT OPEN FILE input.inp\n     NAMED ON LINE 5 OF THE NAMES FILE\n"),
              std::string::npos)
        << log;
  }
  // Missing, it is the names file's own status.
  ScratchDir dir;
  EXPECT_EQ(IDRELM(6), 40);
}

// A link to a regular file in place of a work file: the run refuses it
// (41, the file named) and leaves the file it points to as it was, neither
// emptied at start nor written.
TEST(RunFiles, WorkFileLinkedToAnotherFileIsRefusedAndThatFileKept) {
  const struct {
    int line;
    const char* name;
  } files[] = {{17, "run.pil"}, {19, "run.pas"}, {21, "run.wrn"}, {26, "run.ssc"}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    ScratchDir dir;
    writeNames();
    test::writeInputFile(fixture("plane_min.inp"));
    writeFile("precious", "keep me\n");
    fs::create_symlink("precious", f.name);
    EXPECT_EQ(IDRELM(6), 41);
    EXPECT_EQ(readFile("precious"), "keep me\n");
    const std::string log = readFile("run.log");
    EXPECT_NE(log.find("     CANNOT OPEN FILE " + std::string(f.name) + "\n     NAMED ON LINE " +
                       std::to_string(f.line) + " OF THE NAMES FILE\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("ANALYSIS COMPLETED"), std::string::npos);
  }
}

// A stop file that is no regular file holds no request: it is not read, and
// the run goes on to its end. One longer than a stop request is no request
// either: it is read at every iteration.
TEST(RunFiles, StopFileThatIsNoRegularFileOrTooLongIsNoRequest) {
  std::vector<std::string> targets(std::begin(NOT_REGULAR), std::end(NOT_REGULAR));
  targets.push_back("long");
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    ScratchDir dir;
    writeNames();
    test::writeInputFile(fixture("plane_min.inp"));
    if (target == "long") writeFile("run.stop", "1" + std::string(8000, ' ') + "\n");
    else putInPlace("run.stop", target);
    EXPECT_EQ(IDRELM(6), 0);
  }
}

// The same model run whole without a fault estimates and completes: the
// faults above are the only reason for 41.
TEST(RunFiles, TheUnitLoadModelCompletesWithItsFiles) {
  ScratchDir dir;
  writeNames();
  test::writeInputFile(unitLoadModel());
  EXPECT_EQ(IDRELM(6), 0);
  EXPECT_FALSE(readFile("run.fl1").empty());
  EXPECT_FALSE(readFile("run.fl2").empty());
}

}  // namespace
}  // namespace drelm
