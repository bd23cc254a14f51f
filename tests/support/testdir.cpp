#include "support/testdir.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace drelm::test {

ScratchDir::ScratchDir() {
  previous_ = std::filesystem::current_path();
  std::string tmpl = (std::filesystem::temp_directory_path() / "drelm-test-XXXXXX").string();
  char* made = mkdtemp(tmpl.data());
  if (!made) std::abort();
  dir_ = made;
  std::filesystem::current_path(dir_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  std::filesystem::remove_all(dir_, ec);
}

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> readLines(const std::filesystem::path& p) {
  std::vector<std::string> lines;
  std::ifstream in(p, std::ios::binary);
  std::string l;
  while (std::getline(in, l)) lines.push_back(l);
  return lines;
}

void writeFile(const std::filesystem::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << text;
}

std::filesystem::path dataFile(const std::string& name) {
  return std::filesystem::path(DRELM_TEST_DATA) / name;
}

}  // namespace drelm::test
