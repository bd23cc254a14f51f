// A names file for a run in the current directory, in the same scheme as the
// command-line host: line 5 the input, lines 6 .. 27 files named BASE.ext.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/testdir.h"

namespace drelm::test {

inline std::vector<std::string> runNames(const std::string& base = "run") {
  static const char* const ext[] = {"echo",   "out",    "sum",      "plot",  "log",  "status",
                                    "report", "progress", "lsgen",  "flx",   "cld",  "pilscr",
                                    "stop",   "eqs",    "kmat",     "wrn",   "iter", "axl",
                                    "crv",    "cst",    "sumscr",   "mc"};
  std::vector<std::string> lines = {"TEST 1.0", "two", "three", "four", base + ".inp"};
  for (const char* e : ext) lines.push_back(base + "." + e);
  return lines;  // lines[k - 1] is names-file line k
}

// Write Names.dat from `lines`, replacing the lines given in `changed`
// (names-file line -> text).
inline void writeNames(std::vector<std::string> lines, const std::map<int, std::string>& changed = {}) {
  for (const auto& [line, text] : changed) lines[line - 1] = text;
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  writeFile("Names.dat", text);
}

}  // namespace drelm::test
