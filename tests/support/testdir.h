// A scratch working directory for a test: created empty, made the current
// directory for the test's life, removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace drelm::test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::filesystem::path previous_;
};

// Whole file as text; empty when missing.
std::string readFile(const std::filesystem::path& p);
// Lines of a file, without line ends.
std::vector<std::string> readLines(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& text);
// A fixture of tests/data.
std::filesystem::path dataFile(const std::string& name);

}  // namespace drelm::test
