#include "diagnosis.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace drelm::host {

namespace {

// How much of the log's end is read: the fatal block and the closing lines
// that follow it fit many times over.
constexpr std::uintmax_t TAIL = 64 * 1024;

std::string trimmed(const std::string& l) {
  const std::size_t a = l.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  const std::size_t b = l.find_last_not_of(" \r");
  return l.substr(a, b + 1 - a);
}

}  // namespace

std::vector<std::string> fatalDiagnosis(const std::filesystem::path& log) {
  // Only a regular file: a log that is a device may never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(log, ec)) return {};
  const std::uintmax_t size = std::filesystem::file_size(log, ec);
  if (ec) return {};
  std::ifstream in(log, std::ios::binary);
  if (!in) return {};
  if (size > TAIL) in.seekg(static_cast<std::streamoff>(size - TAIL));
  std::string tail(static_cast<std::size_t>(size > TAIL ? TAIL : size), '\0');
  in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  tail.resize(static_cast<std::size_t>(in.gcount()));

  std::istringstream lines(tail);
  std::vector<std::string> block;
  bool inBlock = false;
  for (std::string l; std::getline(lines, l);) {
    const std::string t = trimmed(l);
    if (t == "**** FATAL ERROR ****") {
      block.clear();
      inBlock = true;
    } else if (inBlock && t == "* ERROR IN ANALYSIS *") {
      inBlock = false;
    } else if (inBlock && t.empty()) {
      // The fatal block of the node set-up opens with empty lines of its own.
      if (!block.empty()) inBlock = false;
    } else if (inBlock) {
      block.push_back(t);
    }
  }
  return block;
}

}  // namespace drelm::host
