// A private working directory for a benchmark: made the current directory
// while it lives; the previous one is restored and the directory removed at
// the end.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace drelm::bench {

class BenchDir {
 public:
  BenchDir() : previous_(std::filesystem::current_path()) {
    char tmpl[] = "/tmp/drelm-bench-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) std::abort();
    dir_ = tmpl;
    std::filesystem::current_path(dir_);
  }
  ~BenchDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  BenchDir(const BenchDir&) = delete;
  BenchDir& operator=(const BenchDir&) = delete;

  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path previous_, dir_;
};

}  // namespace drelm::bench
