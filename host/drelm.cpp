// Command-line host of the engine: writes the names file of a run, runs the
// engine on a worker thread in the output directory, shows its progress and
// turns Ctrl-C, SIGTERM and SIGHUP into a stop request.
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "caselines.h"
#include "diagnosis.h"
#include "dirlock.h"
#include "failedfile.h"
#include "model/statusmsg.h"
#include "runfiles.h"
#include "tally.h"
#include "textread.h"

extern "C" std::int32_t IDRELM(std::int32_t code);

namespace fs = std::filesystem;

namespace {

constexpr int NAME_WIDTH = 256;
constexpr int EXIT_USAGE = 2;
// A file of the run cannot be opened or written: the engine's own code.
constexpr int EXIT_FILE = 41;

// Extensions of names-file lines 6 .. 27; line 5 is the input file itself.
const char* const EXTENSIONS[] = {"echo",   "out",    "sum",    "plot", "log",  "status",
                                  "report", "progress", "lsgen", "flx",  "cld",  "pilscr",
                                  "stop",   "eqs",    "kmat",   "wrn",  "iter", "axl",
                                  "crv",    "cst",    "sumscr", "mc"};
constexpr int FIRST_OUTPUT_LINE = 6;

void usage(std::FILE* out) {
  std::fprintf(out,
               "usage: drelm INPUT_FILE [--out DIR]\n"
               "       drelm --help | --version\n"
               "\n"
               "Runs one analysis of INPUT_FILE. The run's files are written into DIR\n"
               "(default: the directory of INPUT_FILE), named after the input file's base\n"
               "name, together with the names file Names.dat. Ctrl-C, SIGTERM or SIGHUP\n"
               "asks the engine to stop at its next check. The exit status is the engine's\n"
               "status word (0 completed, 4 stopped; 255 when it does not fit).\n");
}

std::string versionText() {
  std::string v = DRELM_VERSION;
  v.resize(12, ' ');
  return v;
}

// The main thread sleeps on this pipe: the end of the engine and Ctrl-C
// each write a byte into it, so the host wakes at once for either.
int wakeFd[2] = {-1, -1};
void wake() {
  const char c = 1;
  const int saved = errno;
  [[maybe_unused]] const ssize_t n = write(wakeFd[1], &c, 1);
  errno = saved;
}

volatile std::sig_atomic_t interrupted = 0;
void onInterrupt(int sig) {
  interrupted = 1;
  // A second Ctrl-C (or the same signal again) ends the host at once.
  std::signal(sig, SIG_DFL);
  wake();
}

// Ctrl-C, a termination request and a lost terminal all ask for a stop: the
// run ends at its next check with its reports closed and its final message.
const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

void catchStopSignals() {
  struct sigaction sa {};
  sa.sa_handler = onInterrupt;
  sigemptyset(&sa.sa_mask);
  // Restarting is safe: no call of the host waits on a file for ever (its own
  // files and the engine's reports are opened without waiting).
  sa.sa_flags = SA_RESTART;
  for (int sig : STOP_SIGNALS) sigaction(sig, &sa, nullptr);
}

// The stop signals reach the main thread only: the engine's writes are
// never interrupted by them.
void blockStopSignals(int how) {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : STOP_SIGNALS) sigaddset(&set, sig);
  pthread_sigmask(how, &set, nullptr);
}

struct Run {
  std::atomic<bool> done{false};
  std::int32_t status = 0;
};

void* engineThread(void* arg) {
  Run* run = static_cast<Run*>(arg);
  run->status = IDRELM(6);
  run->done = true;
  wake();
  return nullptr;
}

// The last line that is not blank of the progress file, from its last few
// kilobytes: the run rewrites it with one line at a time.
std::string lastLine(const fs::path& p) {
  constexpr std::uintmax_t TAIL = 4096;
  std::error_code ec;
  const std::uintmax_t size = fs::is_regular_file(p, ec) ? fs::file_size(p, ec) : 0;
  std::string text;
  if (ec || !drelm::host::readRegular(p, size > TAIL ? size - TAIL : 0, TAIL, text)) return {};
  std::string last;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t nl = text.find('\n', from);
    if (nl == std::string::npos) nl = text.size();
    std::string l = text.substr(from, nl - from);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (l.find_first_not_of(' ') != std::string::npos) last = l;
    from = nl + 1;
  }
  return last;
}

// A file the host reads after the run that is there as something other than
// a regular file or a directory (which the engine refuses itself): a device
// or a pipe, which may never end.
bool unreadableInPlace(const fs::path& p) {
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  return !ec && fs::exists(st) && !fs::is_regular_file(st) && !fs::is_directory(st);
}

// The end of a run whose file at names-file line LINE the host cannot read.
int unreadableFile(const fs::path& dir, const std::string& name, int line) {
  std::fprintf(stderr, "drelm: cannot open %s\n", (dir / name).c_str());
  for (const std::string& l : drelm::statusLines(41, name, line)) std::printf("%s\n", l.c_str());
  std::fflush(stdout);
  return 41;
}

// A file the host itself cannot open or write ends it with the engine's
// status for that, the file named on standard error and in the final
// message.
int fileFailure(const fs::path& p, bool written, const char* why) {
  std::fprintf(stderr, "drelm: cannot %s %s: %s\n", written ? "write" : "open", p.c_str(), why);
  for (const std::string& l : drelm::statusLines(EXIT_FILE, p.string(), 0, written))
    std::printf("%s\n", l.c_str());
  std::fflush(stdout);
  return EXIT_FILE;
}

// Writes TEXT as the whole of the host's own file P (the names file, the
// stop-request file): a regular file, created when missing. Never through a
// link, which would write or empty a file elsewhere, and never a pipe or a
// device, whose open may wait for ever. Empty when written, else why not;
// OPENED tells whether the failure came after the open.
std::string putOwnFile(const fs::path& p, const std::string& text, bool& opened) {
  opened = false;
  struct stat st {};
  if (::lstat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
    return S_ISLNK(st.st_mode)  ? "it is a symbolic link, which the host does not write through"
           : S_ISDIR(st.st_mode) ? "it is a directory"
                                 : "it is not a regular file";
  const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return std::strerror(errno);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return "it is not a regular file";
  }
  opened = true;
  bool ok = ::ftruncate(fd, 0) == 0;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  std::string why = ok ? "" : std::strerror(errno);
  if (::close(fd) != 0 && ok) why = std::strerror(errno);
  return why;
}

// Writes TEXT as the whole of the host's file P; on failure ends the host
// as fileFailure does and gives its exit status, else 0.
int writeHostFile(const fs::path& p, const std::string& text) {
  bool opened = false;
  const std::string why = putOwnFile(p, text, opened);
  return why.empty() ? 0 : fileFailure(p, opened, why.c_str());
}

// Puts the stop request into the stop file the host made at the start. A
// link or a pipe put in its place since is replaced by a new regular file.
// When even that fails the engine cannot be told: the host ends at once, as
// at a second signal, naming the file.
void requestStop(const fs::path& p) {
  bool opened = false;
  std::string why = putOwnFile(p, "1\n", opened);
  if (!why.empty() && !opened && ::unlink(p.c_str()) == 0) why = putOwnFile(p, "1\n", opened);
  if (why.empty()) return;
  fileFailure(p, opened, why.c_str());
  std::_Exit(EXIT_FILE);
}

// Before anything is written: the input must be a regular file that can be
// read (a directory, a missing file or one without read permission would
// leave the run's files beside it for nothing).
bool readableInput(const fs::path& p, std::string& why) {
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  if (ec || !fs::exists(st)) {
    why = ec ? ec.message() : std::strerror(ENOENT);
    return false;
  }
  if (fs::is_directory(st)) {
    why = "it is a directory";
    return false;
  }
  if (!fs::is_regular_file(st)) {
    why = "it is not a regular file";
    return false;
  }
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  ::close(fd);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // From the start: a stop asked for before the engine runs is honoured at
  // its first check.
  catchStopSignals();
  // A size limit or a pipe whose reader has gone is a file that cannot be
  // written (41, the file named), not the end of the process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  std::string input, outDir;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    if (a == "--help" || a == "-h") {
      usage(stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("drelm %s\n", DRELM_VERSION);
      return 0;
    }
    if (a == "--out") {
      if (k + 1 >= argc) {
        std::fprintf(stderr, "drelm: --out needs a directory\n");
        return EXIT_USAGE;
      }
      outDir = argv[++k];
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "drelm: unknown option %s\n", a.c_str());
      usage(stderr);
      return EXIT_USAGE;
    } else if (input.empty()) {
      input = a;
    } else {
      std::fprintf(stderr, "drelm: more than one input file given\n");
      return EXIT_USAGE;
    }
  }
  if (input.empty()) {
    usage(stderr);
    return EXIT_USAGE;
  }

  std::error_code ec;
  const fs::path inputPath = fs::absolute(input, ec).lexically_normal();
  const fs::path dir =
      fs::absolute(outDir.empty() ? inputPath.parent_path() : fs::path(outDir), ec)
          .lexically_normal();
  const std::string base = inputPath.stem().string();
  if (base.empty()) {
    std::fprintf(stderr, "drelm: %s names no file\n", input.c_str());
    return EXIT_USAGE;
  }
  if (inputPath.string().size() > NAME_WIDTH ||
      base.size() + 10 > static_cast<std::size_t>(NAME_WIDTH)) {
    std::fprintf(stderr, "drelm: the input file's path is longer than %d characters\n",
                 NAME_WIDTH);
    return EXIT_USAGE;
  }
  std::string why;
  if (!readableInput(inputPath, why)) return fileFailure(inputPath, false, why.c_str());
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    std::fprintf(stderr, "drelm: cannot create the output directory %s\n", dir.c_str());
    return EXIT_FILE;
  }

  // Names file: version, three lines for the reader of the directory, then the
  // run's files. Output names stay relative: the engine runs inside dir.
  std::vector<std::string> names;  // names-file lines 5 .. 27
  names.push_back(inputPath.string());
  for (const char* ext : EXTENSIONS) names.push_back(base + "." + ext);
  std::string namesText = versionText() + "\n";
  namesText += "Names file of a run written by the drelm command-line host\n";
  namesText += "Input: " + inputPath.string() + "\n";
  namesText += "Output directory: " + dir.string() + "\n";
  for (const std::string& n : names) namesText += n + "\n";
  auto fileOfLine = [&](int line) { return dir / names[line - 5]; };
  const fs::path stopFile = fileOfLine(18), progressFile = fileOfLine(13);

  // The run writes every one of its files, and the host itself writes the
  // names file and clears the stop file: none of them may be the input.
  auto isInput = [&](const fs::path& p) {
    std::error_code e;
    return p.lexically_normal() == inputPath || fs::equivalent(p, inputPath, e);
  };
  bool clash = isInput(dir / "Names.dat");
  for (int line = FIRST_OUTPUT_LINE; line <= 27; ++line) clash = clash || isInput(fileOfLine(line));
  if (clash) {
    std::fprintf(stderr,
                 "drelm: %s would be overwritten by the run's own files; rename it or give "
                 "--out\n",
                 input.c_str());
    return EXIT_USAGE;
  }

  // One run per directory: nothing of it is written before its lock is held.
  if (!drelm::host::lockDirectory(dir)) return EXIT_FILE;
  if (const int failed = writeHostFile(dir / "Names.dat", namesText)) return failed;
  // A stale stop request of an earlier run must not stop this one.
  if (const int failed = writeHostFile(stopFile, "")) return failed;
  fs::remove(progressFile, ec);
  // The host reads the input echo and the case status file after the run:
  // a device in the place of either ends the run before it starts.
  for (int line : {6, 11})
    if (unreadableInPlace(fileOfLine(line))) return unreadableFile(dir, names[line - 5], line);
  if (chdir(dir.c_str()) != 0) {
    std::fprintf(stderr, "drelm: cannot enter %s: %s\n", dir.c_str(), std::strerror(errno));
    return EXIT_FILE;
  }

  if (pipe2(wakeFd, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::fprintf(stderr, "drelm: cannot start the engine\n");
    return EXIT_USAGE;
  }

  // The engine keeps its large work arrays on the stack of the calling
  // thread: give it room.
  Run run;
  // Watched from before the engine starts: a report an earlier run left is
  // not this run's.
  const int watched[] = {6, 7, 8, 10, 11};
  std::vector<std::string> watchedNames;
  for (int line : watched) watchedNames.push_back(names[line - 5]);
  drelm::host::RunFiles written(dir, watchedNames);
  drelm::host::CaseFollower cases(fileOfLine(11), written);
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, std::size_t{512} << 20);
  pthread_t worker;
  blockStopSignals(SIG_BLOCK);
  const bool started = pthread_create(&worker, &attr, engineThread, &run) == 0;
  blockStopSignals(SIG_UNBLOCK);
  if (!started) {
    std::fprintf(stderr, "drelm: cannot start the engine\n");
    return EXIT_USAGE;
  }
  pthread_attr_destroy(&attr);

  const bool tty = isatty(STDOUT_FILENO);
  // A log or a pipe gets a line per finished case on standard error.
  std::FILE* const caseLines = isatty(STDERR_FILENO) ? nullptr : stderr;
  bool stopSent = false;
  std::string shown;
  // On a terminal the progress line is looked at ten times a second, the
  // case status file otherwise four times; without either the host only
  // waits for the end or a stop request.
  while (!run.done) {
    pollfd pfd{wakeFd[0], POLLIN, 0};
    if (poll(&pfd, 1, tty ? 100 : caseLines ? 250 : -1) > 0) {
      char drain[64];
      while (read(wakeFd[0], drain, sizeof drain) > 0) {
      }
    }
    if (interrupted && !stopSent) {
      requestStop(stopFile);
      stopSent = true;
      if (tty) std::printf("\r\033[K");
      std::printf("drelm: stop requested, waiting for the engine\n");
      std::fflush(stdout);
      shown.clear();
    }
    if (caseLines) cases.poll(caseLines);
    if (tty) {
      std::string l = lastLine(progressFile);
      if (l.size() > 100) l.resize(100);
      if (l != shown) {
        std::printf("\r\033[K%s", l.c_str());
        std::fflush(stdout);
        shown = l;
      }
    }
  }
  pthread_join(worker, nullptr);
  if (tty && !shown.empty()) std::printf("\r\033[K");

  std::int32_t status = run.status;
  cases.finish(caseLines);
  // A status file that became unreadable during the run: its cases cannot
  // be told, so the run cannot pass for complete.
  if (cases.unreadable() && (status == 0 || status == 4)) return unreadableFile(dir, names[11 - 5], 11);
  for (const std::string& l : drelm::host::finalMessage(status, dir, fileOfLine(10)))
    std::printf("%s\n", l.c_str());
  // The diagnosis of a fatal error (the input line and its field, the pile)
  // goes with it to standard error; 41 names its file there already.
  if (status != 0 && status != 4 && status != EXIT_FILE)
    for (const std::string& l : drelm::host::fatalDiagnosis(fileOfLine(10)))
      std::fprintf(stderr, "drelm: %s\n", l.c_str());
  const std::string tally = drelm::host::runTally(cases, written, fileOfLine(6), fileOfLine(10));
  if (!tally.empty()) std::printf("    %s\n", tally.c_str());
  // Only the reports this run wrote: one left by an earlier run is not its.
  const struct {
    const char* what;
    int line;
  } reports[] = {{"Results report", 7}, {"Summary", 8}, {"Input echo", 6}, {"Runtime log", 10}};
  const char* gap = "\n";
  for (const auto& r : reports) {
    // A report the run emptied at its start and never wrote to is not named.
    std::error_code ec;
    const auto size = fs::file_size(fileOfLine(r.line), ec);
    if (!written.written(names[r.line - 5]) || ec || size == 0) continue;
    std::printf("%s%-15s %s\n", gap, r.what, fileOfLine(r.line).c_str());
    gap = "";
  }
  std::fflush(stdout);

  if (status == 0) return 0;
  return status >= 1 && status <= 255 ? status : 255;
}
