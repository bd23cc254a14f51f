// Whole runs of an input text in the current directory (names file and input
// data file written beside each other), and the values that the second
// results report prints on the line after each of its titles.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/testdir.h"

// Its own namespace: other fixtures of the test program have helpers of the
// same names and signatures (one definition per program).
namespace drelm::test::wholerun {

inline std::string fixture(const std::string& name) { return readFile(dataFile(name)); }

// S with its first whole line LINE replaced by WITH (a test failure when no
// line matches).
inline std::string replaced(std::string s, const std::string& line, const std::string& with) {
  const std::size_t at = s.find(line + "\n");
  if (at == std::string::npos) {
    ADD_FAILURE() << "no line " << line;
  } else {
    s.replace(at, line.size(), with);
  }
  return s;
}

inline std::int32_t runInput(const std::string& text) {
  writeNamesFile();
  writeInputFile(text);
  return IDRELM(6);
}

// Index of the first line at or after FROM that starts with TEXT, or -1.
inline long find(const std::vector<std::string>& lines, const std::string& text, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind(text, 0) == 0) return static_cast<long>(i);
  return -1;
}

// Lines of a report without the lines that carry times or the thread count.
inline std::vector<std::string> untimed(const std::string& file) {
  std::vector<std::string> out;
  for (const std::string& l : readLines(file))
    if (l.find("Date:  ") == std::string::npos && l.find("Execution Time") == std::string::npos &&
        l.find("processing :") == std::string::npos && l.find("Number Processors") == std::string::npos &&
        l.find(" proc.)") == std::string::npos)
      out.push_back(l);
  return out;
}

// The numbers of the line after every line of the second report that reads
// TITLE (leading and trailing blanks aside), one row per occurrence: one per
// analysed case for the cap titles, one per pile and case for the pile ones.
inline std::vector<std::vector<double>> reportRows(const std::string& title) {
  const std::vector<std::string> rep = readLines("run.rp2");
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 0; i + 1 < rep.size(); ++i) {
    const std::size_t a = rep[i].find_first_not_of(' ');
    if (a == std::string::npos || rep[i].substr(a, rep[i].find_last_not_of(' ') + 1 - a) != title) continue;
    std::istringstream in(rep[i + 1]);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);
    rows.push_back(v);
  }
  return rows;
}

// The values along a pile in the second results report, from the first
// "EFFECTS FOR LATERALLY LOADED PILE" block at or after line FROM of REP:
// one row per node, the quantities by their number (1 to 25) as the
// block's selection line names them (the depth column left out). AT gets
// the line of the block's title (-1 when there is none).
using NodeRows = std::vector<std::map<int, double>>;
inline NodeRows alongPile(const std::vector<std::string>& rep, std::size_t from, long& at) {
  at = find(rep, "        * EFFECTS FOR LATERALLY LOADED PILE *", from);
  if (at < 0 || static_cast<std::size_t>(at) + 1 >= rep.size()) return {};
  std::istringstream sel(rep[at + 1]);
  int n = 0;
  sel >> n;
  std::vector<int> quantity;
  for (int q = 1, on; q <= n && sel >> on; ++q)
    if (on == 1) quantity.push_back(q);
  NodeRows rows;
  for (std::size_t i = at + 2; i < rep.size(); ++i) {
    std::istringstream in(rep[i]);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);
    if (v.size() != quantity.size() + 1) break;
    std::map<int, double> row;
    for (std::size_t k = 0; k < quantity.size(); ++k) row[quantity[k]] = v[k + 1];
    rows.push_back(row);
  }
  return rows;
}

inline std::vector<std::vector<double>> capDisplacements() {
  return reportRows("* DISPLACEMENT OF PILE CAP AT ORIGIN *");
}
inline std::vector<std::vector<double>> capLoads() { return reportRows("* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *"); }
// Head displacements then head forces of each pile in global axes.
inline std::vector<std::vector<double>> pileTops() { return reportRows("* PILE TOP DISP. AND REACT. GLOBAL"); }

}  // namespace drelm::test::wholerun
