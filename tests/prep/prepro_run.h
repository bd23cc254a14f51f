// Running the input stage and the preprocessing of a run on an input file,
// and cutting tables out of the input echo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "prep/prepro.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm::test {

// Start-up, reader, conversion and preprocessing on the given input text in
// the current directory; the files are closed afterwards. Returns the status.
inline std::int32_t runPrepro(const std::string& input, const std::string& mctext = "") {
  writeNamesFile();
  writeInputFile(input);
  if (!mctext.empty()) writeFile("run.mct", mctext);
  std::int32_t ISTAT = 0;
  runToConvin(ISTAT);
  if (ISTAT == 0) PREPRO(ISTAT);
  std::int32_t status = ISTAT;
  io::CLOSEALL();
  return status;
}

// The lines of a table of the echo: from the `lead` lines (the three empty
// lines of a table heading) before the line holding `title` up to the three
// empty lines before the next table (or the end of the echo).
inline std::vector<std::string> echoTable(const std::vector<std::string>& echo, const std::string& title,
                                          std::size_t lead = 3) {
  std::vector<std::string> out;
  std::size_t start = echo.size(), at = echo.size();
  for (std::size_t i = 0; i < echo.size(); ++i)
    if (echo[i].find(title) != std::string::npos) {
      start = i >= lead ? i - lead : 0;
      at = i;
      break;
    }
  if (start == echo.size()) return out;
  std::size_t end = echo.size();
  for (std::size_t i = at + 1; i < echo.size(); ++i)
    if (echo[i].find("* TABLE ") != std::string::npos) {
      end = i - 3;
      break;
    }
  out.assign(echo.begin() + static_cast<long>(start), echo.begin() + static_cast<long>(end));
  return out;
}

}  // namespace drelm::test
