// Small input data files and a helper that runs the input stage of a run
// (reader, optionally the conversion) on one of them in a scratch
// directory.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "input/convin.h"
#include "model/fileio.h"
#include "input/readin.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm::test {

struct InputRun {
  std::int32_t status = 0;
  std::vector<std::string> log;      // runtime log
  std::vector<std::string> results;  // results report
  // Heading texts echoed after "READING ", trailing blanks removed.
  std::vector<std::string> headings() const;
  // The line of the log holding `text`, or "" when none does.
  std::string logLine(const std::string& text) const;
};
namespace detail {
inline std::string rtrim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}
}  // namespace detail

inline std::vector<std::string> InputRun::headings() const {
  const std::string mark = "     READING ";
  std::vector<std::string> out;
  for (const std::string& l : log)
    if (l.rfind(mark, 0) == 0) out.push_back(detail::rtrim(l.substr(mark.size())));
  return out;
}

inline std::string InputRun::logLine(const std::string& text) const {
  for (const std::string& l : log)
    if (l.find(text) != std::string::npos) return l;
  return "";
}

// Writes `input` into the current directory, clears the tables, connects the
// files of the input stage and runs READIN and, when `convert`, CONVIN.
inline InputRun runInput(const std::string& input, bool convert = false) {
  io::CLOSEALL();
  clearTables();
  writeFile("input.inp", input);
  FNAMES.VERSN = "1.0.0-test";
  const std::pair<int, const char*> files[] = {{U_INPUT, "input.inp"}, {U_ECHO, "run.echo"},
                                               {U_RESULTS, "run.out"},  {U_SUMMARY, "run.sum"},
                                               {U_PLOT, "run.plt"},     {U_LOG, "run.log"},
                                               {U_REPORT, "run.rp2"},   {U_CURVES, "run.crv"}};
  for (const auto& [unit, name] : files) {
    FNAMES.FNU(unit) = name;
    if (unit != U_CURVES) io::OPEN(unit, name, unit == U_INPUT ? io::Access::Read : io::Access::Write);
  }
  InputRun r;
  READIN(r.status);
  if (r.status == 0 && convert) CONVIN(r.status);
  io::FLUSH(U_LOG);
  io::FLUSH(U_RESULTS);
  r.log = readLines("run.log");
  r.results = readLines("run.out");
  return r;
}

// `text` with the first `from` replaced by `to`.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// A plane model with one pile property, one elastic section, one soil layer,
// one load case and two pile rows; CONTROL stands for the control line.
inline const char* const PLANE_INPUT = R"(PLANE ROW OF TWO PILES
SECOND TITLE
CONTROLS
CONTROL
CAP DATA
0.0 0.0 0.0 0.0 0.0 0
LOAD CASES
1 0 0 0 0
0 0 0 1 0 100 100
0.001 0.0001 0.1 0.01
Wind, north / gust
0 0 0 0 0 0 0 0
0 1 1.0 0 0.0 0.0 0 0 0
0
1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
1
1000.0 2000.0 3000.0 0.0 0.0 0.0 1.5 -2.0 0.0
0
0
LOAD COMBINATIONS
0 0 0 0 0
DISTRIBUTED LOADS
0
PILE GROUPS
2
2 3 1 0 0 0 1
0.0 3.0 0.8 1.0 1.0
0.0 -3.0 0.0 5.0
2 3 1 0 0 0 2
0.0 3.0 0.8 1.0 1.0
0.0 3.0 10.0 5.0
PILE PROPERTIES
1
1 1
50 50.0 1
0.0 50.0 1
CROSS SECTIONS
1
1 1 0 0
PIPE24
24.0 23.0 0.0 0.0 0.0 0.0 0.0 0.0
11.5E6 36.9 2549.0 2549.0 0.0 2.4E10 1.0E7 5.0E5 29.0E6 0.0 0
0 0 0.5 0 0
STEEL
SOIL LAYERS
1
1 4
0.0 60.0
2 9
110.0 1000.0 30.0 100.0 0.0 0.01 0.5 500.0 4000.0
120.0 1100.0 31.0 110.0 0.0 0.02 0.5 600.0 5000.0
GENERATED LOAD-SETTLEMENT CURVES
2
1
2
SECTION MOMENT-CURVATURE
1
1 0
)";

// A space model that has every optional group; its control line sets every switch.
inline const char* const SPACE_INPUT = R"(SPACE MODEL WITH EVERY GROUP
SECOND TITLE
CONTROLS
1 3 2 1 1 1 1 3 1 1 1 0 1 1 1 1 1 1 1 1 1
0.6 0.8
CAP DATA
10.0 8.0 3.0 0.0 0.0 1
2
2
1.5
2.5
1
3.5
1 2 10 0.01 50000.0 2.0
-60.0 -60.0 4 4 3.6E6 0.2
LOAD CASES
2 1 1 2 0
2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 9
0 0 4 1 0 100 100
0.0001 0.00001 0.2 0.01
Gravity and wind
4 0 0 0 0 0 1 0
2 2 1.0 1 0.05 0.001 1 0 1
0
1 1 1 1 0 0 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
2
300000.0 20000.0 0.0 10000.0 0.0 0.0 0.0 0.0 0.0
0.0 0.0 -500000.0 0.0 250000.0 0.0 2.0 1.0 1.0
1
0 1 1 4 1 1 1.0 2 0.5
3
0.5
0.75
1.0
0 0 0 0 100 50 100
0.0001 0.00001 0.5 0.05
Prescribed settlement
1 0 0 0 0 0 0 1
1 1 1.0 0 0.0 0.0 0 1 0
0
1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
0
0
0
0 1 1 1 1 1
0.5 0.0 0.0 20000.0 0.0 0.0
0.0 10000.0 0.0 0.0 0.0 0.0
1.0 2.0 3.0
LOAD COMBINATIONS
1 1 2 1 0
3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 7
0 0 0 1 0 100 100
0.0001 0.00001 0.25 0.01
gravity + settlement
0.9 0.75 5
2 1 0 0.0 0.0 0 0 0
0
1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
2
1 1.2
2 1.6
DISTRIBUTED LOADS
2
3
0.0 0.0
10.0 50.0
20.0 0.0
1
15.0 7.0
PILE GROUPS
2
2 2 1 1 1 1 1 0 1 1
0.0 0.0 0.8 1.0 0.7 1.0 1.0
0.0 -3.0 -3.0 0.0 90.0 0.0 0.0
3 3 2 0 0 0 1 0 2 2
1.0E9 1.0E9 0.8 1.0 0.7 1.0 1.2
0.0 3.0 3.0 0.0 80.0 45.0 2.0
PILE PROPERTIES
2
1 2
60 60.0 1
0.0 20.0 1
20.0 60.0 2
2 1
50 50.0 2
0.0 50.0 2
CROSS SECTIONS
2
1 1 1 0
PIPE18
18.0 17.0 0.0 0.0 0.0 0.0 0.0 0.0
11.5E6 27.49 1053.0 1053.0 0.0 2.422E10 7.658E6 4.123E5 29.0E6 0.0 1
12.0 11.0 0.0 0.0 0.0 0.0 0.0 0.0
11.5E6 18.06 299.2 299.2 0.0 6.881E9 3.308E6 2.710E5 29.0E6 0.0
0 0 0.5 0 0
'TAPERED STEEL'
0 2 0 7
'PRESTRESSED SQUARE 18'
18.0 324.0 8748.0 8748.0 2.72E10 3.0E6 1.0E5 4.415E6
5 18.0 18.0 0.0 0.0 0.75 0.0 0.0 0.0 0.0 0.0
0.0 6000.0 29.0E6 60000.0 0.003 0.0 1 0 0 0
'PRESTRESSED CONCRETE'
1 4 0 0 2 0.44 0.75 3.0 29.0E6 60000.0 0
4 0 0 0 0 0 0.44 0.75 3.0 29.0E6
6.0 6.0
-6.0 -6.0
1 0 0 0 3 0.5 0.153 3.0 270000.0 28900.0
6.0 0.0
-6.0 0.0
0.0 6.0
2 0 0 0.003 0.85
100.0
200.0
0 0 0 0 0 0 0 0 0.0 0.0 0.0
SOIL LAYERS
2
1 1
0.0 15.0
2 9
0.0 600.0 0.0 0.0 0.0 0.01 0.5 300.0 0.0
0.0 700.0 0.0 0.0 0.0 0.01 0.5 350.0 0.0
2 6
15.0 80.0
2 9
140.0 2000.0 0.0 0.0 1.0E5 0.0005 50.0 800.0 90000.0
140.0 2000.0 0.0 0.0 1.0E5 0.0005 50.0 800.0 90000.0
P-Y LISTINGS
2
1 5.0
0
2 10.0
2
0.1 0.2
USER P-Y CURVES
1
1 2
4.0
2
0.0 0.0
100.0 1.0
12.0
3
0.0 0.0
200.0 1.0
300.0 2.0
GENERATED LOAD-SETTLEMENT CURVES
1
2
GENERATED TORQUE-ROTATION CURVES
1
2
USER LOAD-DISPLACEMENT CURVES
1
1 2
-100.0 -0.1
100.0 0.1
USER TORQUE-ROTATION CURVES
1
1 2
0.0 0.0
5000.0 0.01
USER MOMENT-CURVATURE SETS
1
1 1
1000.0
0 2
0.0 0.0
1.0E6 1.0E-4
SECTION MOMENT-CURVATURE
2
1 0
1 0
2 1
5000.0
0.0
0 2
0.0 0.0
2.0E6 2.0E-4
2 1
6000.0
0.0
0 3
0.0 0.0
1.0E6 1.0E-4
3.0E6 3.0E-4
REDUCTION FACTORS ALONG DEPTH
2
1 1
5.0 0.5 0.6
2 3
1.0 0.7 0.8
2.0 0.8 0.9
3.0 0.9 1.0
SOIL MOVEMENT
2
0.0 1.0 0.5
10.0 0.0 0.0
CURVE FILE
10 1 1
2
0.01
0.02
3
0.1
0.2
0.3
)";

}  // namespace drelm::test
