// Reports on named pipes: a pipe with no reader, or whose reader goes away
// or takes nothing, ends the run with 41 naming it, within seconds, also
// after a stop request; a reader that takes everything gets the report as a
// file would have it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "analysis/wholerun.h"
#include "support/hostproc.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::readLines;
using test::ScratchDir;
using test::writeFile;

// The reader of a named pipe, open before the host starts so that the host's
// open finds it, with the pipe's room cut to one page so that a report soon
// fills it. It takes at most LIMIT bytes (none: it holds the pipe open and
// reads nothing) and then closes its end; it also closes when the writer has.
class PipeReader {
 public:
  PipeReader(const fs::path& fifo, std::size_t limit) : limit_(limit) {
    fd_ = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fd_, 0);
    fcntl(fd_, F_SETPIPE_SZ, 4096);
    thread_ = std::thread([this] { take(); });
  }
  ~PipeReader() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // Fills the pipe before the host starts: its first write waits for room.
  void fill(const fs::path& fifo) {
    const int w = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(w, 0);
    const std::string page(4096, '#');
    while (write(w, page.data(), page.size()) > 0) {
    }
    close(w);
  }
  // What it took, once the writer has closed or the reader has its fill.
  std::string taken() {
    done_ = true;
    if (thread_.joinable()) thread_.join();
    return got_;
  }

 private:
  void take() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done_ && std::chrono::steady_clock::now() < until && (limit_ == 0 || got_.size() < limit_)) {
      if (limit_ == 0) {
        usleep(50000);
        continue;
      }
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char buf[8192];
      const ssize_t n = read(fd_, buf, std::min(sizeof buf, limit_ - got_.size()));
      if (n > 0) got_.append(buf, static_cast<std::size_t>(n));
      if (n == 0 && (p.revents & POLLHUP)) break;  // the writer closed its end
    }
    close(fd_);
  }

  std::size_t limit_;
  int fd_ = -1;
  std::string got_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

struct Ran {
  test::Bounded b;
  std::string out, err;
};

// The host on job.inp with its files in DIR, within a bound well under a
// minute; with STOP, SIGTERM once it has written its names file, and then a
// bound of 15 s: a stop request ends a run within seconds.
Ran runHost(const fs::path& dir, bool stop = false) {
  const fs::path out = dir.string() + ".stdout", err = dir.string() + ".stderr";
  const pid_t pid = test::forkHost(fs::current_path() / "job.inp", dir, out, err);
  double bound = 40;
  if (stop) {
    for (int k = 0; k < 3000 && !fs::exists(dir / "Names.dat"); ++k) usleep(10000);
    usleep(200000);
    kill(pid, SIGTERM);
    bound = 15;
  }
  Ran r{test::waitBounded(pid, bound), "", ""};
  r.out = readFile(out);
  r.err = readFile(err);
  return r;
}

// The results report on a pipe that nobody reads as the run needs: the run
// ends with 41 naming it, at once or within seconds of the stop request,
// whatever the reader does, and never as complete.
TEST(ReportPipes, PipeThatIsNotReadEndsTheRunWith41NamingIt) {
  ScratchDir dir;
  writeFile("job.inp", test::wholerun::fixture("space_min.inp"));
  const struct {
    const char* what;
    bool reader;
    std::size_t limit;  // bytes the reader takes; 0 none
    bool stop;          // the pipe full from the start, and a stop request
    const char* how;
  } cases[] = {
      {"no reader", false, 0, false, "cannot open"},
      {"a reader that stops after 100 bytes", true, 100, false, "cannot write"},
      {"a reader that takes nothing, and a stop request", true, 0, true, "cannot write"},
  };
  int k = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path out = dir.path() / ("o" + std::to_string(k++));
    fs::create_directories(out);
    ASSERT_EQ(mkfifo((out / "job.out").c_str(), 0644), 0);
    std::optional<PipeReader> reader;
    if (c.reader) reader.emplace(out / "job.out", c.limit);
    if (c.stop) reader->fill(out / "job.out");
    const Ran r = runHost(out, c.stop);
    EXPECT_FALSE(r.b.hung) << r.out << r.err;
    EXPECT_EQ(r.b.exit, 41) << r.out << r.err;
    EXPECT_NE(r.err.find(std::string("drelm: ") + c.how + " " + (out / "job.out").string() + "\n"),
              std::string::npos)
        << r.err;
    const std::string upper = c.how == std::string("cannot write") ? "CANNOT WRITE FILE " : "CANNOT OPEN FILE ";
    EXPECT_NE(r.out.find("    * ERROR IN ANALYSIS *\n    " + upper + "job.out\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("ANALYSIS COMPLETED"), std::string::npos) << r.out;
    EXPECT_NE(readFile(out / "job.log").find("     " + upper + "job.out\n"), std::string::npos);
  }
}

// A reader that takes everything, slowly through a pipe of one page: the
// reports it gets are those of files.
TEST(ReportPipes, ReaderThatTakesEverythingGetsTheReportsOfAFile) {
  ScratchDir dir;
  writeFile("job.inp", test::wholerun::fixture("space_min.inp"));
  const Ran file = runHost(dir.path() / "file");
  ASSERT_EQ(file.b.exit, 0) << file.out << file.err;
  const fs::path out = dir.path() / "pipe";
  fs::create_directories(out);
  std::vector<std::string> piped;
  for (const char* name : {"job.out", "job.sum"}) ASSERT_EQ(mkfifo((out / name).c_str(), 0644), 0);
  {
    PipeReader results(out / "job.out", SIZE_MAX), summary(out / "job.sum", SIZE_MAX);
    const Ran r = runHost(out);
    EXPECT_FALSE(r.b.hung);
    EXPECT_EQ(r.b.exit, 0) << r.out << r.err;
    writeFile("pipe.out", results.taken());
    writeFile("pipe.sum", summary.taken());
  }
  using test::wholerun::untimed;
  const std::vector<std::string> want = untimed((dir.path() / "file" / "job.out").string());
  EXPECT_GT(want.size(), 100u);
  EXPECT_EQ(untimed("pipe.out"), want);
  EXPECT_EQ(untimed("pipe.sum"), untimed((dir.path() / "file" / "job.sum").string()));
}

}  // namespace
}  // namespace drelm
