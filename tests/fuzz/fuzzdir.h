// The private scratch directory a fuzz harness runs its inputs in: made the
// current directory at the start, removed when the fuzzer ends normally (a
// crash leaves it for inspection).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace drelm::fuzz {

inline void enterScratchDir(const char* prefix) {
  std::string tmpl = std::string("/tmp/") + prefix + "-XXXXXX";
  const char* dir = mkdtemp(tmpl.data());
  if (dir == nullptr || chdir(dir) != 0) {
    std::perror("drelm fuzz: scratch directory");
    std::abort();
  }
  static const std::filesystem::path scratch = dir;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
  });
}

}  // namespace drelm::fuzz
