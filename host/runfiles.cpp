#include "runfiles.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

namespace drelm::host {

namespace fs = std::filesystem;

RunFiles::RunFiles(const fs::path& dir, const std::vector<std::string>& names)
    : dir_(dir), names_(names.begin(), names.end()) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  // The directory first: a file made after this is seen as created. A file
  // already there is truncated when the engine opens it: one event of its
  // own is enough.
  if (fd_ >= 0) dirWatch_ = inotify_add_watch(fd_, dir.c_str(), IN_CREATE | IN_MOVED_TO | IN_ONLYDIR);
  blind_ = dirWatch_ < 0;
  for (const std::string& n : names_) {
    if (blind_) break;
    std::error_code ec;
    if (!fs::exists(dir / n, ec)) continue;
    const int wd = inotify_add_watch(fd_, (dir / n).c_str(), IN_MODIFY | IN_CLOSE_WRITE | IN_ONESHOT);
    if (wd < 0) blind_ = true;
    else fileWatch_[wd] = n;
  }
}

RunFiles::~RunFiles() {
  if (fd_ >= 0) close(fd_);
}

void RunFiles::drain() {
  if (blind_) return;
  alignas(inotify_event) char buf[4096];
  for (;;) {
    const ssize_t n = read(fd_, buf, sizeof buf);
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      inotify_event e;
      std::memcpy(&e, buf + at, sizeof e);
      const char* name = buf + at + sizeof e;
      at += static_cast<ssize_t>(sizeof e + e.len);
      if (e.mask & IN_Q_OVERFLOW) {
        blind_ = true;
        return;
      }
      if (e.wd == dirWatch_ && e.len > 0 && names_.count(name)) seen_.insert(name);
      const auto f = fileWatch_.find(e.wd);
      if (f != fileWatch_.end() && (e.mask & (IN_MODIFY | IN_CLOSE_WRITE))) seen_.insert(f->second);
    }
  }
}

bool RunFiles::written(const std::string& name) {
  drain();
  std::error_code ec;
  if (!fs::exists(dir_ / name, ec)) return false;
  return blind_ || seen_.count(name) > 0;
}

}  // namespace drelm::host
