#include "textread.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace drelm::host {

namespace {

// The file descriptor of P when it is a regular file, else -1. The open
// never waits for a pipe's writer.
int openRegular(const std::filesystem::path& p, std::uintmax_t& size) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = static_cast<std::uintmax_t>(st.st_size);
  return fd;
}

}  // namespace

bool readRegular(const std::filesystem::path& p, std::uintmax_t offset, std::size_t limit, std::string& out) {
  std::uintmax_t size = 0;
  const int fd = openRegular(p, size);
  if (fd < 0) return false;
  // What the file holds now, and no more: it may still grow.
  std::size_t want = offset < size ? static_cast<std::size_t>(std::min<std::uintmax_t>(size - offset, limit)) : 0;
  const std::size_t start = out.size();
  out.resize(start + want);
  std::size_t got = 0;
  bool ok = true;
  while (got < want) {
    const ssize_t n = ::pread(fd, out.data() + start + got, want - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  out.resize(start + got);
  ::close(fd);
  return ok;
}

bool forEachLine(const std::filesystem::path& p, const std::function<bool(std::string_view)>& line) {
  constexpr std::size_t CHUNK = std::size_t{64} << 10;
  std::string chunk, partial;
  // The rest of a line beyond MAX_LINE is dropped.
  const auto keep = [&](std::size_t from, std::size_t to) {
    partial.append(chunk, from, std::min(to - from, MAX_LINE - partial.size()));
  };
  for (std::uintmax_t at = 0;; at += chunk.size()) {
    chunk.clear();
    if (!readRegular(p, at, CHUNK, chunk)) return false;
    if (chunk.empty()) break;
    std::size_t from = 0;
    for (std::size_t nl; (nl = chunk.find('\n', from)) != std::string::npos; from = nl + 1) {
      keep(from, nl);
      if (!partial.empty() && partial.back() == '\r') partial.pop_back();
      if (!line(partial)) return true;
      partial.clear();
    }
    keep(from, chunk.size());
  }
  if (!partial.empty()) line(partial);
  return true;
}

}  // namespace drelm::host
