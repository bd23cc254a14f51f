#include "run/runlock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <vector>

namespace drelm {
namespace {

// The engine's tables are global: one run at a time in a process, whatever
// its directory.
std::atomic<bool> engineBusy{false};

// Descriptors of lock files that this process's caller had locked with a
// classic record lock. Closing any descriptor of a file releases every
// classic lock the process holds on it, so these are never closed; a later
// run in the same directory uses its descriptor again.
std::mutex keptGuard;
std::vector<int> kept;

int keptFor(const struct stat& st) {
  std::lock_guard<std::mutex> hold(keptGuard);
  for (int fd : kept) {
    struct stat k {};
    if (::fstat(fd, &k) == 0 && k.st_dev == st.st_dev && k.st_ino == st.st_ino) return fd;
  }
  return -1;
}

void keep(int fd) {
  std::lock_guard<std::mutex> hold(keptGuard);
  for (int k : kept)
    if (k == fd) return;
  kept.push_back(fd);
}

struct flock wholeFile(short type) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  return fl;
}

}  // namespace

RunLock::RunLock() {
  if (engineBusy.exchange(true)) return;
  busy_ = true;
  struct stat st {};
  int fd = ::stat(RUN_LOCK_FILE, &st) == 0 ? keptFor(st) : -1;
  const bool reused = fd >= 0;
  if (!reused) fd = ::open(RUN_LOCK_FILE, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return;

  // An open-file-description lock conflicts with every other lock on the
  // file, also with a classic lock of this very process.
  struct flock own = wholeFile(F_WRLCK);
  if (::fcntl(fd, F_OFD_SETLK, &own) == 0) {
    held_ = true;
    fd_ = fd;
    keptFd_ = reused;
    return;
  }
  const int why = errno;
  // A classic lock query does not see the classic locks of the asking
  // process: a conflict that it does not report is this process's own
  // caller's lock.
  struct flock other = wholeFile(F_WRLCK);
  if ((why == EAGAIN || why == EACCES) && ::fcntl(fd, F_GETLK, &other) == 0 &&
      other.l_type == F_UNLCK) {
    keep(fd);
    held_ = true;
    return;
  }
  // Another process or run holds the lock: this process holds no classic
  // lock on the file, so closing the descriptor releases nothing.
  if (!reused) ::close(fd);
}

RunLock::~RunLock() {
  if (fd_ >= 0) {
    if (keptFd_) {
      struct flock none = wholeFile(F_UNLCK);
      ::fcntl(fd_, F_OFD_SETLK, &none);
    } else {
      // Closing the description releases its lock; while it was held this
      // process could hold no classic lock on the file to lose with it.
      ::close(fd_);
    }
  }
  if (busy_) engineBusy.store(false);
}

}  // namespace drelm
