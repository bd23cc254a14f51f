#include "dirlock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "run/runlock.h"

namespace drelm::host {

bool lockDirectory(const std::filesystem::path& dir) {
  const std::filesystem::path file = dir / RUN_LOCK_FILE;
  // Never closed: closing it would release the lock, which the engine
  // relies on while it runs in this process.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    std::fprintf(stderr, "drelm: cannot create the lock file %s: %s\n", file.c_str(),
                 std::strerror(errno));
    return false;
  }
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  if (::fcntl(fd, F_SETLK, &fl) == 0) return true;
  if (errno == EAGAIN || errno == EACCES)
    std::fprintf(stderr,
                 "drelm: another run is using %s (its lock file %s is held); wait for it to "
                 "end or give another --out\n",
                 dir.c_str(), RUN_LOCK_FILE);
  else
    std::fprintf(stderr, "drelm: cannot lock %s: %s\n", file.c_str(), std::strerror(errno));
  return false;
}

}  // namespace drelm::host
