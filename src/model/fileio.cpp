#include "model/fileio.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <atomic>
#include <map>
#include <utility>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace drelm::io {
namespace {

// Reports are written through buffers large enough that a report of many
// megabytes goes out in few writes, and small enough to come from the heap
// rather than from fresh pages of their own (a run opens some twenty files).
constexpr std::size_t WRITE_BUFFER = std::size_t{64} << 10;
constexpr std::size_t READ_BUFFER = std::size_t{64} << 10;

struct UnitState {
  std::FILE* f = nullptr;
  // Owned by the unit and freed when it closes; never freed while its file
  // is open, also not at process exit, when the C library flushes the files
  // still open after the static objects are gone.
  char* buffer = nullptr;
  std::string name;
  bool unformatted = false;
  bool readOnly = false;
  bool work = false;  // a work file: its size and time are kept when it closes
  // The file's identity, taken once at the open: a run opens its progress,
  // stop and warning files again at every iteration.
  dev_t dev = 0;
  ino_t ino = 0;
  // Held output waits here for commit().
  bool held = false;
  std::string kept;
};

UnitState units[MAXUNIT + 1];

// The capture of this thread, if any.
thread_local Capture* capturing = nullptr;

// The work files this run wrote and closed, by identity, with their sizes
// and times of last change: only such a file, as it was closed, is read back.
// Opens and closes run on the driver's thread.
struct Closed {
  off_t size;
  timespec changed;
  bool operator==(const Closed& o) const {
    return size == o.size && changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};
std::map<std::pair<dev_t, ino_t>, Closed> workFiles;

std::mutex failureLock;
Failure firstFailure;
std::atomic<bool> anyFailure{false};

UnitState* live(int unit) {
  if (unit < 0 || unit > MAXUNIT) return nullptr;
  UnitState& u = units[unit];
  return u.f ? &u : nullptr;
}

UnitState* writable(int unit) {
  UnitState* u = live(unit);
  return (u && !u->readOnly) ? u : nullptr;
}

// Sends out the buffer of an output unit and looks at its error state; a
// failure is remembered.
void settle(int unit, const UnitState& u) {
  if (std::fflush(u.f) != 0 || std::ferror(u.f)) fail(unit, u.name, false);
}

// The unit other than `self` that holds the file at `path`, or -1. A file is
// connected to one unit at a time: a second connection could empty an input
// file that is being read, or read back a report while it grows.
int holderOf(const std::string& path, int self) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  for (int k = 0; k <= MAXUNIT; ++k) {
    if (k == self || !units[k].f) continue;
    if (units[k].dev == st.st_dev && units[k].ino == st.st_ino) return k;
  }
  return -1;
}

// Opens a file that must be a regular one: an input, or a work file. The
// open never waits (a pipe with no writer) and never follows a link for a
// work file; whatever is not a regular file is refused, and a work file read
// back must be the file this run wrote, as it was when closed.
std::FILE* openRegular(const std::string& path, Access access) {
  int flags = O_CLOEXEC | O_NONBLOCK;
  if (access == Access::Read) flags |= O_RDONLY;
  if (access == Access::ReadBack) flags |= O_RDONLY | O_NOFOLLOW;
  if (access == Access::Work) flags |= O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW;
  const int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0) return nullptr;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok && access == Access::ReadBack) {
    const auto w = workFiles.find({st.st_dev, st.st_ino});
    ok = w != workFiles.end() && w->second == Closed{st.st_size, st.st_mtim};
  }
  if (ok) ok = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
  std::FILE* f = ok ? ::fdopen(fd, access == Access::Work ? "w+b" : "rb") : nullptr;
  if (!f) ::close(fd);
  return f;
}

std::atomic<bool (*)()> pipeGiveUp{nullptr};

// write() that never raises SIGPIPE in the caller's process: the signal is
// held back on this thread and, when this write raised it, taken back. A
// pipe whose reader has gone is a failed file, not the end of the process.
ssize_t writeWithoutSigpipe(int fd, const char* data, std::size_t bytes) {
  sigset_t pipeOnly, old, pending;
  sigemptyset(&pipeOnly);
  sigaddset(&pipeOnly, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);
  const bool alreadyPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE);
  const ssize_t n = ::write(fd, data, bytes);
  const int err = errno;
  if (n < 0 && err == EPIPE && !alreadyPending) {
    const timespec now{0, 0};
    sigtimedwait(&pipeOnly, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  errno = err;
  return n;
}

// A report on a pipe (or a socket): written without blocking, waiting for
// room in short slices so that a reader that takes nothing cannot hold the
// run past a stop request. Once failed, every later write fails at once, so
// that the closing step's lines do not wait again.
struct PipeSink {
  int fd;
  bool failed = false;
};

constexpr int PIPE_WAIT_MS = 200;

ssize_t pipeWrite(void* cookie, const char* data, std::size_t bytes) {
  PipeSink& p = *static_cast<PipeSink*>(cookie);
  for (std::size_t done = 0; !p.failed && done < bytes;) {
    const ssize_t n = writeWithoutSigpipe(p.fd, data + done, bytes - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      pollfd room{p.fd, POLLOUT, 0};
      bool (*giveUp)() = pipeGiveUp.load();
      if (::poll(&room, 1, PIPE_WAIT_MS) == 0 && giveUp && giveUp()) p.failed = true;
    } else if (!(n < 0 && errno == EINTR)) {
      p.failed = true;
    }
  }
  if (!p.failed) return static_cast<ssize_t>(bytes);
  // Nothing written: the stream marks its error.
  errno = EPIPE;
  return 0;
}

int pipeClose(void* cookie) {
  PipeSink* p = static_cast<PipeSink*>(cookie);
  const int r = ::close(p->fd);
  const bool failed = p->failed;
  delete p;
  return failed ? -1 : r;
}

// Opens a report, created or emptied, and never waits. A pipe is opened
// write-only: with no reader it fails here (ENXIO) instead of holding the
// run, and once its reader has gone its writes fail; a read end of our own
// would keep it open for ever. ST gets the file's identity.
std::FILE* openReport(const std::string& path, struct stat& st) {
  const bool onPipe = ::stat(path.c_str(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode));
  const int flags = onPipe ? O_WRONLY : O_RDWR | O_CREAT | O_TRUNC;
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return nullptr;
  std::FILE* f = nullptr;
  if (::fstat(fd, &st) != 0) {
    // A file without an identity cannot be told from the run's others.
  } else if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
    cookie_io_functions_t io{};
    io.write = pipeWrite;
    io.close = pipeClose;
    PipeSink* sink = new PipeSink{fd};
    f = ::fopencookie(sink, "wb", io);
    if (f) return f;
    delete sink;
  } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
    f = ::fdopen(fd, "w+b");
  }
  if (!f) ::close(fd);
  return f;
}

}  // namespace

void whileWaitingForPipe(bool (*giveUp)()) { pipeGiveUp.store(giveUp); }

bool OPEN(int unit, const std::string& name, Access access, bool unformatted) {
  if (unit < 0 || unit > MAXUNIT) return false;
  CLOSE(unit);
  // Trailing blanks of a name from the names file are not part of the name.
  std::string path = name;
  while (!path.empty() && (path.back() == ' ' || path.back() == '\0')) path.pop_back();
  if (path.empty()) return false;
  if (holderOf(path, unit) >= 0) return false;
  struct stat st {};
  std::FILE* f = access == Access::Write ? openReport(path, st) : openRegular(path, access);
  if (!f) return false;
  UnitState& u = units[unit];
  const bool input = access == Access::Read || access == Access::ReadBack;
  const std::size_t size = input ? READ_BUFFER : WRITE_BUFFER;
  u.buffer = static_cast<char*>(std::malloc(size));
  if (u.buffer) std::setvbuf(f, u.buffer, _IOFBF, size);
  if (access == Access::Write || ::fstat(::fileno(f), &st) == 0) {
    u.dev = st.st_dev;
    u.ino = st.st_ino;
  }
  u.f = f;
  u.name = path;
  u.unformatted = unformatted;
  u.readOnly = input;
  u.work = access == Access::Work;
  // Being written again: not to be read back until closed.
  if (u.work) workFiles.erase({u.dev, u.ino});
  return true;
}

std::FILE* openWorkStream(const std::string& name) { return openRegular(name, Access::Work); }

bool openChecked(int unit, const std::string& name, Access access, bool unformatted) {
  if (OPEN(unit, name, access, unformatted)) return true;
  std::string path = name;
  while (!path.empty() && (path.back() == ' ' || path.back() == '\0')) path.pop_back();
  fail(unit, path, true);
  return false;
}

void CLOSE(int unit) {
  UnitState* u = live(unit);
  if (!u) return;
  if (!u->readOnly) settle(unit, *u);
  struct stat st {};
  if (u->work && ::fstat(::fileno(u->f), &st) == 0) workFiles[{st.st_dev, st.st_ino}] = {st.st_size, st.st_mtim};
  if (std::fclose(u->f) != 0 && !u->readOnly) fail(unit, u->name, false);
  std::free(u->buffer);
  *u = UnitState{};
}

void CLOSEALL() {
  for (int k = 0; k <= MAXUNIT; ++k) CLOSE(k);
}

bool connected(int unit) { return live(unit) != nullptr; }

void FLUSH(int unit) {
  if (capturing) return;
  if (UnitState* u = writable(unit)) settle(unit, *u);
}

void REWIND(int unit) {
  if (UnitState* u = live(unit)) {
    // Rewinding clears the error state: it is looked at first.
    if (!u->readOnly) settle(unit, *u);
    std::rewind(u->f);
  }
}

namespace {

void emit(UnitState& u, const void* data, std::size_t bytes) {
  if (u.held) u.kept.append(static_cast<const char*>(data), bytes);
  else std::fwrite(data, 1, bytes, u.f);
}

}  // namespace

void put(int unit, std::string_view text) {
  if (capturing) return capturing->keep(unit, text);
  if (UnitState* u = writable(unit)) emit(*u, text.data(), text.size());
}

void put(int unit, char c) {
  if (capturing) return capturing->keep(unit, std::string_view(&c, 1));
  if (UnitState* u = writable(unit)) {
    if (u->held) u->kept.push_back(c);
    else std::fputc(c, u->f);
  }
}

void endRecord(int unit) { put(unit, '\n'); }

void line(int unit, std::string_view text) {
  if (capturing) {
    capturing->keep(unit, " ");
    capturing->keep(unit, text);
    capturing->keep(unit, "\n");
    return;
  }
  if (UnitState* u = writable(unit)) {
    emit(*u, " ", 1);
    emit(*u, text.data(), text.size());
    emit(*u, "\n", 1);
  }
}

bool readLine(int unit, std::string& text) {
  text.clear();
  UnitState* u = live(unit);
  if (!u) return false;
  int c = std::fgetc(u->f);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    if (text.size() < LINE_LIMIT) text.push_back(static_cast<char>(c));
    c = std::fgetc(u->f);
  }
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return true;
}

bool slurp(int unit, std::string& text, std::size_t limit) {
  text.clear();
  UnitState* u = live(unit);
  if (!u) return false;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, u->f)) > 0) {
    if (n > limit - text.size()) return false;
    text.append(buf, n);
  }
  return !std::ferror(u->f);
}

void writeRecord(int unit, const void* data, std::size_t bytes) {
  if (capturing) {
    std::string framed;
    frameRecord(framed, data, bytes);
    return capturing->keep(unit, framed);
  }
  UnitState* u = writable(unit);
  if (!u) return;
  const auto len = static_cast<std::uint32_t>(bytes);
  emit(*u, &len, sizeof len);
  emit(*u, data, bytes);
  emit(*u, &len, sizeof len);
}

void frameRecord(std::string& out, const void* data, std::size_t bytes) {
  const auto len = static_cast<std::uint32_t>(bytes);
  out.append(reinterpret_cast<const char*>(&len), sizeof len);
  out.append(static_cast<const char*>(data), bytes);
  out.append(reinterpret_cast<const char*>(&len), sizeof len);
}

bool readRecord(int unit, std::string& bytes) {
  bytes.clear();
  UnitState* u = live(unit);
  if (!u) return false;
  std::uint32_t head = 0, tail = 0;
  if (std::fread(&head, sizeof head, 1, u->f) != 1) return false;
  // A damaged length must not make us allocate more than the file holds.
  const long here = std::ftell(u->f);
  if (here < 0 || std::fseek(u->f, 0, SEEK_END) != 0) return false;
  const long end = std::ftell(u->f);
  if (end < 0 || std::fseek(u->f, here, SEEK_SET) != 0) return false;
  if (static_cast<unsigned long>(end - here) < head + std::uint64_t{sizeof tail}) return false;
  bytes.resize(head);
  if (head > 0 && std::fread(bytes.data(), 1, head, u->f) != head) return false;
  if (std::fread(&tail, sizeof tail, 1, u->f) != 1) return false;
  return head == tail;
}

Capture::~Capture() { stop(); }

void Capture::start() {
  if (active_) return;
  active_ = true;
  outer_ = capturing;
  capturing = this;
}

void Capture::stop() {
  if (!active_) return;
  active_ = false;
  capturing = outer_;
}

void Capture::keep(int unit, std::string_view text) {
  text_.append(text);
  if (pieces_.empty() || pieces_.back().unit != unit) pieces_.push_back({unit, 0});
  pieces_.back().end = text_.size();
}

void Capture::replay() {
  std::size_t begin = 0;
  for (const Piece& p : pieces_) {
    put(p.unit, std::string_view(text_).substr(begin, p.end - begin));
    begin = p.end;
  }
  discard();
}

void Capture::discard() {
  pieces_.clear();
  text_.clear();
}

std::string nameOf(int unit) {
  UnitState* u = live(unit);
  return u ? u->name : std::string();
}

bool writeFailed() {
  for (int k = 0; k <= MAXUNIT; ++k)
    if (units[k].f && !units[k].readOnly && std::ferror(units[k].f)) fail(k, units[k].name, false);
  return anyFailure.load(std::memory_order_acquire);
}

Failure failure() {
  std::lock_guard<std::mutex> hold(failureLock);
  return firstFailure;
}

void fail(int unit, const std::string& name, bool opening) {
  std::lock_guard<std::mutex> hold(failureLock);
  if (firstFailure.unit >= 0) return;
  firstFailure = {unit, name, opening};
  anyFailure.store(true, std::memory_order_release);
}

void clearFailure() {
  std::lock_guard<std::mutex> hold(failureLock);
  firstFailure = Failure{};
  anyFailure.store(false, std::memory_order_release);
}

bool flushAll() {
  for (int k = 0; k <= MAXUNIT; ++k)
    if (units[k].f && !units[k].readOnly) settle(k, units[k]);
  return !anyFailure.load(std::memory_order_acquire);
}

void hold(int unit) {
  if (UnitState* u = writable(unit)) u->held = true;
}

bool commit(int unit) {
  UnitState* u = writable(unit);
  if (!flushAll()) {
    if (u) u->kept.clear();
    return false;
  }
  if (!u) return true;
  std::fwrite(u->kept.data(), 1, u->kept.size(), u->f);
  u->kept.clear();
  settle(unit, *u);
  return !anyFailure.load(std::memory_order_acquire);
}

void forgetWorkFiles() { workFiles.clear(); }

}  // namespace drelm::io
