// Runs of the command-line host cut short: by SIGTERM or SIGHUP (a stop
// request), by SIGKILL, and by a cap on the size of every file it writes.
// Whatever the moment, the case status file is the beginning of an
// uninterrupted run's, and every case, combination and envelope that it marks
// finished has its whole block in the results report.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "support/hostproc.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using test::readFile;
using test::ScratchDir;
using test::wholerun::untimed;

// Four piles on head springs: the first three load cases, one combination
// and the envelopes of both series, each case a block of some 60 KB in the
// results report, so that the report's buffer holds part of a case at most
// moments.
std::string fixtureText() {
  std::string s = readFile(test::dataFile("space_springs4.inp"));
  const std::string all = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";
  s = test::wholerun::replaced(s, "LOAD CASES\n5 0 0 1 0", "LOAD CASES\n3 1 0 1 0\n" + all);
  // Cases 4 and 5 dropped: from the controls line of the fourth case to the
  // combinations.
  const std::string controls = "\n0 0 0 1 0 100 100\n";
  std::size_t fourth = 0;
  for (int k = 0; k < 4 && fourth != std::string::npos; ++k) fourth = s.find(controls, fourth + 1);
  const std::size_t combs = s.find("\nLOAD COMBINATIONS\n");
  EXPECT_TRUE(fourth != std::string::npos && combs != std::string::npos && fourth < combs);
  if (fourth < combs && combs != std::string::npos) s.erase(fourth, combs - fourth);
  s = test::wholerun::replaced(s, "LOAD COMBINATIONS\n1 0 0 1 0", "LOAD COMBINATIONS\n1 1 0 1 0\n" + all);
  return s;
}

// The host on job.inp with its files in DIR, on one thread (several runs go
// on at once on a busy machine); its standard output and error beside DIR.
pid_t startHost(const fs::path& dir, rlim_t fsize = 0) {
  return test::forkHost(fs::current_path() / "job.inp", dir, dir.string() + ".stdout", dir.string() + ".stderr",
                        fsize, 1);
}

// A run of the host in DIR: SIG is sent the first time FIRE says so, given
// the time since the start; FSIZE caps its files.
struct Job {
  fs::path dir;
  int sig = 0;
  std::function<bool(Clock::duration)> fire = [](Clock::duration) { return false; };
  rlim_t fsize = 0;
};
// How it ended: the wait status.
struct Ended {
  int status = -1;
  bool signalled = false;
};

// Runs the jobs, a few at a time.
std::vector<Ended> runAll(const std::vector<Job>& jobs) {
  constexpr std::size_t AT_ONCE = 6;
  std::vector<Ended> ended(jobs.size());
  std::vector<pid_t> pid(jobs.size(), -1);
  std::vector<Clock::time_point> start(jobs.size());
  std::size_t next = 0, running = 0, done = 0;
  while (done < jobs.size()) {
    while (running < AT_ONCE && next < jobs.size()) {
      start[next] = Clock::now();
      pid[next] = startHost(jobs[next].dir, jobs[next].fsize);
      ++running;
      ++next;
    }
    for (std::size_t k = 0; k < next; ++k) {
      if (pid[k] < 0) continue;
      if (waitpid(pid[k], &ended[k].status, WNOHANG) == pid[k]) {
        pid[k] = -1;
        --running;
        ++done;
      } else if (!ended[k].signalled && jobs[k].fire(Clock::now() - start[k]) && jobs[k].sig != 0) {
        ended[k].signalled = kill(pid[k], jobs[k].sig) == 0;
      }
    }
    usleep(200);
  }
  return ended;
}

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

bool isHeading(const std::string& t) {
  for (const char* h : {"LOAD CASE :", "LOAD COMB. :", "LOAD CASE ENV :", "LOAD COMB. ENV :"})
    if (t.rfind(h, 0) == 0) return true;
  return false;
}

// The cases, combinations and envelopes that a status file marks finished
// (those with a coded line under their heading), by their heading, with the
// size of the file up to the end of that line.
std::vector<std::pair<std::string, std::size_t>> finished(const std::string& status) {
  std::vector<std::pair<std::string, std::size_t>> out;
  std::string item;
  for (std::size_t at = 0, nl; (nl = status.find('\n', at)) != std::string::npos; at = nl + 1) {
    const std::string line = status.substr(at, nl - at), t = trimmed(line);
    if (!line.empty() && line[0] != ' ') {
      item = isHeading(t) ? t : std::string();
    } else if (!item.empty() && !t.empty() && std::isdigit(static_cast<unsigned char>(t[0]))) {
      out.emplace_back(item, nl + 1);
      item.clear();
    }
  }
  return out;
}

// The block of each case, combination and envelope in a results report: from
// its heading to the next heading or series banner, without trailing blank
// lines.
std::map<std::string, std::vector<std::string>> blocks(const std::vector<std::string>& lines) {
  std::map<std::string, std::vector<std::string>> out;
  std::vector<std::string>* open = nullptr;
  for (const std::string& l : lines) {
    const std::string t = trimmed(l);
    if (l.rfind("     ", 0) == 0 && isHeading(t)) {
      open = &out[t];
    } else if (l.find("*****     ") != std::string::npos) {
      open = nullptr;
    }
    if (open) open->push_back(l);
  }
  for (auto& [key, b] : out)
    while (!b.empty() && trimmed(b.back()).empty()) b.pop_back();
  return out;
}

struct Reference {
  std::string status;
  std::map<std::string, std::vector<std::string>> blocks;
  std::vector<std::pair<std::string, std::size_t>> items;
  // The status file's size as it grew, and when: its commits.
  std::vector<std::pair<std::uintmax_t, Clock::duration>> growth;
  std::uintmax_t largest = 0;  // the largest file of the run
};

Reference reference() {
  test::writeFile("job.inp", fixtureText());
  Reference r;
  const Ended e = runAll({Job{"ref", 0, [&r](Clock::duration since) {
                                std::error_code ec;
                                const auto size = fs::file_size("ref/job.status", ec);
                                if (!ec && size > (r.growth.empty() ? 0 : r.growth.back().first))
                                  r.growth.emplace_back(size, since);
                                return false;
                              }}})[0];
  EXPECT_TRUE(WIFEXITED(e.status) && WEXITSTATUS(e.status) == 0) << readFile("ref.stdout");
  r.status = readFile("ref/job.status");
  r.blocks = blocks(untimed("ref/job.out"));
  r.items = finished(r.status);
  for (const auto& f : fs::directory_iterator("ref")) r.largest = std::max(r.largest, f.file_size());
  // Three cases, a combination and four envelopes.
  EXPECT_EQ(r.items.size(), 8u) << r.status;
  for (const auto& [key, end] : r.items) EXPECT_GT(r.blocks[key].size(), 20u) << key;
  return r;
}

// What every run cut short must show: a status file that begins the
// uninterrupted run's, and the whole block of every item it marks finished.
// Returns how many it marks.
std::size_t expectOnlyWholeBlocksMarked(const fs::path& dir, const Reference& ref) {
  const std::string status = readFile(dir / "job.status");
  EXPECT_EQ(ref.status.compare(0, status.size(), status), 0) << status;
  const std::vector<std::string> lines = untimed((dir / "job.out").string());
  const auto marked = finished(status);
  for (const auto& [key, end] : marked) {
    const std::vector<std::string>& whole = ref.blocks.at(key);
    const long at = test::wholerun::find(lines, "     " + key);
    if (at < 0) {
      ADD_FAILURE() << key << " marked finished, but not in the results report";
      continue;
    }
    const std::vector<std::string> got(lines.begin() + at,
                                       lines.begin() + std::min(lines.size(), at + whole.size()));
    EXPECT_EQ(got, whole) << key << " marked finished, but its block is cut";
  }
  return marked.size();
}

// A moment of a run to cut it at: once the host has taken the run (AFTER 0)
// or once the status file holds AFTER bytes, and then a fraction of the time
// the uninterrupted run took from there to its next commit: the moment
// itself, or into the case, combination or envelope that follows.
struct Moment {
  std::size_t after;
  double fraction;
};

// Every commit before item LAST of the reference, at each fraction.
std::vector<Moment> moments(const Reference& ref, std::size_t last, std::initializer_list<double> fractions) {
  std::vector<Moment> m;
  for (std::size_t k = 0; k < last && k < ref.items.size(); ++k)
    for (double f : fractions) m.push_back({k == 0 ? 0 : ref.items[k - 1].second, f});
  return m;
}

std::string describe(const Moment& m) {
  return " after " + std::to_string(m.after) + " status bytes and " + std::to_string(m.fraction) +
         " of the next item";
}

// How long the reference took from the moment's commit to the next one.
Clock::duration gapAfter(const Reference& ref, std::size_t after) {
  Clock::duration from{}, to{};
  for (const auto& [size, when] : ref.growth) {
    if (size <= after) from = when;
    if (size > after) {
      to = when;
      break;
    }
  }
  return to > from ? to - from : Clock::duration{};
}

std::function<bool(Clock::duration)> at(const fs::path& dir, const Moment& m, const Reference& ref) {
  const Clock::duration wait =
      std::chrono::duration_cast<Clock::duration>(gapAfter(ref, m.after) * m.fraction);
  auto reached = std::make_shared<std::optional<Clock::duration>>();
  return [=](Clock::duration since) {
    if (!*reached) {
      std::error_code ec;
      // Not before the host has taken the run: a signal before it catches
      // them is no test of the run.
      const bool now = m.after == 0 ? fs::exists(dir / "Names.dat", ec)
                                    : fs::file_size(dir / "job.status", ec) >= m.after && !ec;
      if (now) *reached = since;
    }
    return *reached && since - **reached >= wait;
  };
}

// A stop by SIGTERM (or SIGHUP) at any moment: status 4 with the stop line
// closing the results report and the final message, or, sent too late for
// the run's last check, a complete run.
TEST(InterruptedRun, TerminationSignalStopsTheRunWithWholeCases) {
  ScratchDir dir;
  const Reference ref = reference();
  std::vector<Job> jobs;
  std::vector<std::string> what;
  // Up to the end of the last case: the combination still has its checks
  // to come.
  for (const Moment& m : moments(ref, 4, {0.0, 0.35, 0.7})) {
    for (int sig : {SIGTERM, SIGHUP}) {
      // SIGHUP at a few of the moments.
      if (sig == SIGHUP && jobs.size() % 4 != 1) continue;
      const fs::path out = "stop" + std::to_string(jobs.size());
      jobs.push_back({out, sig, at(out, m, ref)});
      what.push_back(out.string() + (sig == SIGHUP ? " SIGHUP" : " SIGTERM") + describe(m));
    }
  }
  const std::vector<Ended> ended = runAll(jobs);
  int stopped = 0;
  std::string marked;  // how far each run got, for the record
  for (std::size_t k = 0; k < jobs.size(); ++k) {
    SCOPED_TRACE(what[k]);
    const fs::path& out = jobs[k].dir;
    const int st = ended[k].status;
    ASSERT_TRUE(WIFEXITED(st)) << "ended by signal " << WTERMSIG(st);
    const std::string said = readFile(out.string() + ".stdout");
    marked += std::to_string(expectOnlyWholeBlocksMarked(out, ref)) + ",";
    if (WEXITSTATUS(st) == 0) {
      EXPECT_EQ(readFile(out / "job.status"), ref.status);
      EXPECT_NE(said.find("ANALYSIS COMPLETED"), std::string::npos) << said;
      continue;
    }
    ++stopped;
    EXPECT_EQ(WEXITSTATUS(st), 4) << said;
    EXPECT_NE(said.find("    *** ANALYSIS STOPPED BY USER ***\n"), std::string::npos) << said;
    const std::vector<std::string> report = untimed((out / "job.out").string());
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.back(), "      *** ANALYSIS STOPPED BY USER ***");
    EXPECT_NE(readFile(out / "job.log").find("*** ANALYSIS STOPPED BY USER ***"), std::string::npos);
  }
  // On a busy machine a late signal may come after the run's last check; most
  // come well before it.
  EXPECT_GE(2 * stopped, static_cast<int>(jobs.size()));
  RecordProperty("marked", marked);
}

// SIGKILL at any moment: nothing is closed, yet the status file claims only
// what the results report holds.
TEST(InterruptedRun, KilledRunMarksOnlyWholeCases) {
  ScratchDir dir;
  const Reference ref = reference();
  std::vector<Job> jobs;
  std::vector<std::string> what;
  // At and into every case, combination and envelope.
  for (const Moment& m : moments(ref, ref.items.size(), {0.0, 0.5})) {
    const fs::path out = "kill" + std::to_string(jobs.size());
    jobs.push_back({out, SIGKILL, at(out, m, ref)});
    what.push_back(out.string() + describe(m));
  }
  const std::vector<Ended> ended = runAll(jobs);
  std::string marked;  // how far each run got, for the record
  for (std::size_t k = 0; k < jobs.size(); ++k) {
    SCOPED_TRACE(what[k]);
    const int st = ended[k].status;
    if (WIFSIGNALED(st)) {
      EXPECT_EQ(WTERMSIG(st), SIGKILL);
    } else {
      EXPECT_EQ(WEXITSTATUS(st), 0);  // the run was over before the signal
    }
    marked += std::to_string(expectOnlyWholeBlocksMarked(jobs[k].dir, ref)) + ",";
  }
  RecordProperty("marked", marked);
}

// Every file capped at one size, from below the input echo to just below the
// largest file: the run ends with 41 naming a file each time, and no case,
// combination or envelope whose block was cut is marked finished.
TEST(InterruptedRun, FileSizeLimitMarksOnlyWholeCasesAndEnvelopes) {
  ScratchDir dir;
  const Reference ref = reference();
  const double low = 4096.0, high = static_cast<double>(ref.largest) - 1.0;
  constexpr int SIZES = 20;
  std::vector<Job> jobs;
  for (int k = 0; k < SIZES; ++k) {
    const auto cap = static_cast<rlim_t>(low * std::pow(high / low, k / (SIZES - 1.0)));
    jobs.push_back({"cap" + std::to_string(cap), 0, [](Clock::duration) { return false; }, cap});
  }
  const std::vector<Ended> ended = runAll(jobs);
  std::size_t most = 0;
  std::string marked;  // how far each run got, for the record
  for (std::size_t k = 0; k < jobs.size(); ++k) {
    const fs::path& out = jobs[k].dir;
    SCOPED_TRACE(out.string());
    const int st = ended[k].status;
    const std::string said = readFile(out.string() + ".stdout");
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 41) << said;
    EXPECT_NE(said.find("    CANNOT WRITE FILE job."), std::string::npos) << said;
    EXPECT_EQ(said.find("ANALYSIS COMPLETED"), std::string::npos) << said;
    const std::size_t n = expectOnlyWholeBlocksMarked(out, ref);
    marked += std::to_string(n) + ",";
    most = std::max(most, n);
  }
  RecordProperty("marked", marked);
  // The caps reach past the cases into the envelopes.
  EXPECT_GE(most, 5u);
}

}  // namespace
}  // namespace drelm
