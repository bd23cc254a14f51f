// The case status file as the run writes it: a heading per load case and
// combination, the coded lines of its passes, and the coded line of its
// total-load pass (or of a case the input skips) as its outcome.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "runfiles.h"

namespace drelm::host {

struct CaseOutcome {
  bool comb = false;
  int number = 0;
  int code = -1;      // of the outcome line; -1 while the case is not finished
  std::string line;   // the outcome line without its leading blanks
};

// Reads the status file's lines in order and tells which cases they finish.
class CaseLines {
 public:
  // The next piece of the file; returns the cases it finished, one line each.
  std::vector<std::string> feed(std::string_view text);
  // The end of the file: a last line without its line end counts.
  std::vector<std::string> finish();
  const std::vector<CaseOutcome>& cases() const { return cases_; }

 private:
  void take(const std::string& line, std::vector<std::string>& shown);

  std::string partial_;
  std::vector<CaseOutcome> cases_;
  bool open_ = false;         // the last case is not finished yet
  bool totalLoad_ = false;    // its total-load pass has begun
};

// Follows the case status file of the run while it grows and writes a line
// for every finished case to OUT (none when OUT is null).
class CaseFollower {
 public:
  CaseFollower(std::filesystem::path file, RunFiles& files) : file_(std::move(file)), files_(files) {}
  void poll(std::FILE* out);
  // After the run: the rest of the file.
  void finish(std::FILE* out);
  // False when the run did not write the file.
  bool ran() const { return started_; }
  // True when the file the run wrote could not be read as a regular file.
  bool unreadable() const { return unreadable_; }
  const std::filesystem::path& file() const { return file_; }
  const std::vector<CaseOutcome>& cases() const { return lines_.cases(); }

 private:
  std::filesystem::path file_;
  RunFiles& files_;
  CaseLines lines_;
  static constexpr std::size_t CHUNK = std::size_t{1} << 20;
  std::uintmax_t offset_ = 0;
  bool started_ = false;
  bool unreadable_ = false;
};

}  // namespace drelm::host
