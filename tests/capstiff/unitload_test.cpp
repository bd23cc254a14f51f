// Whole runs of the unit-load cap stiffness: the points per degree of
// freedom, the stiffness against the secant of an ordinary pass, the records
// of each case starting from an empty file, and short scratch files.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "capstiff/capldtab.h"
#include "capstiff/flexstf.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/testdir.h"
#include "analysis/wholerun.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using test::readLines;
using test::wholerun::runInput;
using test::wholerun::find;

const char* const CASE_HEAD = "Service load, V/H\n0 0 0 0 0 0 0 0\n";
const char* const CASE_TAIL = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n0\n";

// The minimal space group with its one case given the type line TYPE, the
// load LOAD (9 values) and the estimation values EST ("0\n" for none).
std::string oneCase(const std::string& type, const std::string& load, const std::string& est) {
  std::string s = test::readFile(test::dataFile("space_min.inp"));
  const std::size_t a = s.find(CASE_HEAD);
  const std::size_t b = s.find(CASE_TAIL);
  EXPECT_NE(a, std::string::npos);
  EXPECT_NE(b, std::string::npos);
  std::string rows = s.substr(a + std::string(CASE_HEAD).size(), b - a - std::string(CASE_HEAD).size());
  const std::string block = "Service load, V/H\n" + type + "\n" + rows + load + "\n0\n" + est;
  return s.replace(a, b + std::string(CASE_TAIL).size() - a, block);
}

// The same model with the cases C (each a block from oneCase's case part).
std::string cases(const std::vector<std::string>& blocks) {
  std::string s = test::readFile(test::dataFile("space_min.inp"));
  const std::size_t a = s.find("LOAD CASES\n1 0 0 1 0\n");
  const std::size_t b = s.find("LOAD COMBINATIONS");
  std::string head = "LOAD CASES\n" + std::to_string(blocks.size()) + " 0 0 1 0\n";
  std::string body;
  for (const std::string& c : blocks) body += c;
  return s.replace(a, b - a, head + body);
}

// One case block of the model: tolerances, name, type line, print lines,
// one concentrated load, no distributed loads, estimation values EST.
std::string caseBlock(const std::string& type, const std::string& load, const std::string& est) {
  const std::string one = oneCase(type, load, est);
  const std::size_t a = one.find("LOAD CASES\n1 0 0 1 0\n") + std::string("LOAD CASES\n1 0 0 1 0\n").size();
  const std::size_t b = one.find("LOAD COMBINATIONS");
  return one.substr(a, b - a);
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

const std::string LOAD_X = "400000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
const std::string LOAD_XY = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";

TEST(UnitLoadStiffness, PointsTablesAndSkippedDegreesOfFreedom) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 0 0 0 0 0", LOAD_XY, "2\n0.5\n1.0\n")), 0);

  // Two loaded degrees of freedom with two passes each; four skipped ones
  // with two status pairs each; then the total load.
  const Lines sta = readLines("run.sta");
  const long first = find(sta, "      DOF :     1 POINT :     1");
  ASSERT_GE(first, 0);
  EXPECT_EQ(sta[first + 1], "    1 ANALYSIS COMPLETED");
  EXPECT_EQ(sta[first + 7], "    1 ANALYSIS COMPLETED");
  EXPECT_EQ(sta[first + 8], "      DOF :     3 POINT :     1");
  EXPECT_EQ(sta[first + 9], "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO");
  EXPECT_EQ(sta[first + 24], "      ANALYSIS DUE TO TOTAL LOAD");

  const Lines out = readLines("run.out");
  const long flex = find(out, "     * PILE CAP FLEXIBILITY ESTIMATION *");
  ASSERT_GE(flex, 0);
  EXPECT_EQ(out[flex + 2], "     DOF   : 1 (FORCE X)");
  EXPECT_EQ(out[flex + 4], "         N     FORCE,KIP ");
  EXPECT_EQ(out[flex + 5],
            "               DISP X,IN      DISP Y,IN      DISP Z,IN      ROT X,RAD      ROT Y,RAD      ROT Z,RAD ");
  EXPECT_EQ(out[flex + 6], "         1        200.000 ");
  EXPECT_EQ(out[flex + 11], "         N         S11            S21            S31            S41            S51            S61   ");
  EXPECT_EQ(out[flex + 12], "                IN/KIP         IN/KIP         IN/KIP        RAD/KIP        RAD/KIP        RAD/KIP");
  EXPECT_GE(find(out, "             DOF NOT CONSIDERED SINCE APPLIED FORCE AT CAP IS ZERO"), flex);

  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GT(stf, flex);
  const Lines head = {"",
                      "    UNITS",
                      "    DOF          1              2              3              4              5              6    ",
                      "      1       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD"};
  for (std::size_t k = 0; k < head.size(); ++k) EXPECT_EQ(out[stf + 1 + k], head[k]);
  EXPECT_EQ(out[stf + 7], "      4         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD");
  EXPECT_EQ(out[stf + 11], "       N:    1  FACTOR :    0.5000");
  // The skipped degrees of freedom stand as unit columns.
  EXPECT_EQ(out[stf + 15].substr(0, 7), "      3");
  EXPECT_EQ(numbers(out[stf + 15])[3], 1.0);
  const long warn = find(out, "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): ", stf);
  ASSERT_GE(warn, 0);
  EXPECT_EQ(out[warn], "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): K33, K44, K55, K66  ");
  EXPECT_EQ(readLines("run.fl1").size(), 12u);  // two levels of six degrees of freedom
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

// The stiffness at a level is the secant of an ordinary pass under the same
// load: K11 of the uncoupled table at level 1.0 against load / displacement.
TEST(UnitLoadStiffness, AgreesWithTheSecantOfAnOrdinaryPass) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 1 0 0 0 0", LOAD_X, "1\n1.0\n")), 0);
  const Lines out = readLines("run.out");
  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(stf, 0);
  const long lvl = find(out, "       N:    1  FACTOR :    1.0000", stf);
  ASSERT_GE(lvl, 0);
  const std::vector<double> k = numbers(out[lvl + 2]);
  ASSERT_EQ(k.size(), 6u);
  // The total-load pass after the points is the ordinary pass of that load.
  const Lines rep = readLines("run.rp2");
  const long at = find(rep, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  ASSERT_GE(at, 0);
  const double ux = numbers(rep[at + 1])[0];
  const double secant = 400.0 / ux;  // kips per inch
  EXPECT_NEAR(k[0], secant, 0.01 * secant);
  EXPECT_EQ(k[1], 1.0);  // no load along Y: not estimated
}

// A unit-load case that prints no table must not leave its records for the
// next one: the second case's table equals that of the case run alone.
TEST(UnitLoadStiffness, EveryCaseStartsItsRecordsFromAnEmptyFile) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 0 0 0 0 0", LOAD_X, "1\n1.0\n")), 0);
  Lines alone = readLines("run.out");
  const long a = find(alone, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(a, 0);
  const Lines want(alone.begin() + a, alone.begin() + a + 20);

  const std::string first = caseBlock("0 1 0 0 0 0 0 0", LOAD_XY, "1\n0.5\n");
  const std::string second = caseBlock("0 1 1 0 0 0 0 0", LOAD_X, "1\n1.0\n");
  ASSERT_EQ(runInput(cases({first, second})), 0);
  const Lines both = readLines("run.out");
  const long b = find(both, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(b, 0);
  EXPECT_EQ(find(both, "     * PILE CAP STIFFNESS ESTIMATION *", b + 1), -1);
  const Lines got(both.begin() + b, both.begin() + b + 20);
  EXPECT_EQ(got, want);
}

// Scratch files read back with records missing, and a singular flexibility:
// a clear message, no table of other values.
TEST(UnitLoadStiffness, ShortOrSingularFlexibilityGivesAMessage) {
  test::ScratchDir dir;
  std::int32_t ISTAT = 0;
  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("space_min.inp")));
  test::runToConvin(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const double levels[2] = {0.5, 1.0};
  // Written as the run writes its scratch files: only such a file is read back.
  const auto written = [](int unit, const char* name, const std::string& text) {
    ASSERT_TRUE(io::OPEN(unit, name, io::Access::Work));
    io::put(unit, text);
    io::CLOSE(unit);
  };
  // One record where two levels of three degrees of freedom are owed.
  written(U_FLXSCR, "run.fl1", "    1  1.0 0.0 0.0\n");
  FLEXSTF(1, 0, 2, 3, 6, levels);
  // A zero column: the flexibility cannot be inverted.
  written(U_FLXSCR, "run.fl1", "    1  1.0 0.0 0.0\n    1  0.0 0.0 0.0\n    1  0.0 0.0 1.0\n");
  FLEXSTF(1, 0, 1, 3, 6, levels);
  // The point file of two passes holding only the first record of the first.
  written(U_CLDSCR, "run.fl2", "    1  200000.0 0.1 0.0 0.0 0.0 0.0 0.0\n");
  std::int32_t ICLDOP = 1;
  CAPLDTAB(2, 1, 2, 3, 6, ICLDOP);
  EXPECT_EQ(ICLDOP, 0);
  EXPECT_FALSE(io::connected(U_CLDSCR));
  // A table left out for a short scratch fails the run, naming the file.
  test::closeRun(ISTAT);
  EXPECT_EQ(ISTAT, STAT_OPEN_FAILED);
  EXPECT_EQ(io::failure().name, "run.fl1");
  const Lines out = readLines("run.out");
  const long shortAt = find(out, "     ERROR : SCRATCH FILE FLXSCR ENDS EARLY");
  ASSERT_GE(shortAt, 0);
  EXPECT_EQ(find(out, "       N:    1", 0) > shortAt, true);
  const long sing = find(out, "     WARNING : FLEXIBILITY MATRIX IS SINGULAR", shortAt);
  EXPECT_GT(sing, shortAt);
  // No value rows after the singular level.
  EXPECT_EQ(find(out, "    DOF ", sing), -1);
  EXPECT_GT(find(out, "     ERROR : SCRATCH FILE CLDSCR ENDS EARLY"), sing);
}

// The plane rows of tests/data with the unit-load case as their first case
// (levels 0.5 and 1.0 of the load 1E5 lb vertical, 1E4 lb horizontal, 1E6
// lb-in moment), with the type line TYPE and the load line LOAD.
std::string planeRows(const std::string& type = "0 1 1 0 0 0 0 0",
                      const std::string& load = "100000.0 10000.0 1000000.0 0.0 0.0 0.0 0.0 0.0 0.0") {
  std::string s = test::readFile(test::dataFile("plane_linear_rows.inp"));
  for (auto [from, to] : {std::pair<std::string, std::string>{"\n0 1 1 0 0 0 0 0\n", "\n" + type + "\n"},
                          {"\n100000.0 10000.0 1000000.0 0.0 0.0 0.0 0.0 0.0 0.0\n", "\n" + load + "\n"}}) {
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
  }
  return s;
}

// A line of report fields: PREFIX, then the values of the printed line
// LINE (after its first SKIP numbers) again in fields of width W with D
// digits, each followed by GAP blanks, and the writers' closing blank. Equal
// to LINE when LINE has exactly that layout.
std::string relaid(const std::string& line, const std::string& prefix, std::size_t skip, int w, int d, int gap) {
  const std::vector<double> v = numbers(line);
  std::string s = prefix;
  for (std::size_t k = skip; k < v.size(); ++k) s += realField(w, d, v[k]) + std::string(gap, ' ');
  return s + " ";
}

const std::array<double, 3> PLANE_LOAD = {1.0e5, 1.0e4, 1.0e6};
const std::array<double, 2> PLANE_LEVELS = {0.5, 1.0};

// A plane unit-load case: degrees of freedom 1 to 3 (the third the moment),
// two passes each, then the total load; the flexibility tables of every
// point and the 3 x 3 stiffness of each level, line by line and by value.
TEST(UnitLoadStiffness, PlaneCaseHasThreePointsAndThreeByThreeTables) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(planeRows()), 0);

  Lines want;
  for (int j = 1; j <= 3; ++j)
    for (int g = 1; g <= 2; ++g) {
      want.push_back("      DOF :     " + std::to_string(j) + " POINT :     " + std::to_string(g));
      want.push_back("    1 ANALYSIS COMPLETED");
    }
  want.push_back("      ANALYSIS DUE TO TOTAL LOAD");
  want.push_back("    1 ANALYSIS COMPLETED");
  want.push_back("LOAD CASE :     2");
  const Lines sta = readLines("run.sta");
  const long first = find(sta, want.front());
  ASSERT_GE(first, 0);
  ASSERT_GE(sta.size(), first + want.size());
  EXPECT_EQ(Lines(sta.begin() + first, sta.begin() + first + want.size()), want);

  // Two levels of three degrees of freedom, three values each.
  const Lines fl1 = readLines("run.fl1");
  ASSERT_EQ(fl1.size(), 6u);
  for (const std::string& r : fl1) EXPECT_EQ(numbers(r).size(), 4u) << r;

  const Lines out = readLines("run.out");
  const char* const heads[3] = {"     DOF   : 1 (FORCE X)", "     DOF   : 2 (FORCE Y)", "     DOF   : 3 (MOMENT Z)"};
  const std::string force = "         N       FORCE,LBS     VERT. DISP,IN    HOR. DISP Y,IN    ROTATION Z,RAD";
  const std::string moment = "         N     MOMENT,LBS-IN   VERT. DISP,IN    HOR. DISP Y,IN    ROTATION Z,RAD";
  const std::string perForce = "                    IN/LBS            IN/LBS           RAD/LBS       ";
  const std::string perMoment = "                   IN/IN-LBS         IN/IN-LBS        RAD/IN-LBS        ";
  double S[2][3][3] = {};  // [level][row][column] from the coefficient tables
  long at = find(out, "     * PILE CAP FLEXIBILITY ESTIMATION *");
  ASSERT_GE(at, 0);
  for (int j = 1; j <= 3; ++j) {
    SCOPED_TRACE("degree of freedom " + std::to_string(j));
    at = find(out, heads[j - 1], at);
    ASSERT_GE(at, 0);
    EXPECT_EQ(out[at + 1], "");
    EXPECT_EQ(out[at + 2], j < 3 ? force : moment);
    double U[2][3];
    for (int g = 0; g < 2; ++g) {
      const std::string& p = out[at + 3 + 2 * g];
      const std::string& u = out[at + 4 + 2 * g];
      EXPECT_EQ(p, relaid(p, "         " + std::to_string(g + 1) + "       ", 1, 14, 5, 0));
      EXPECT_EQ(u, relaid(u, std::string(29, ' '), 0, 14, 5, 4));
      EXPECT_EQ(numbers(p).at(1), PLANE_LEVELS[g] * PLANE_LOAD[j - 1]);
      for (int i = 0; i < 3; ++i) U[g][i] = numbers(u).at(i);
    }
    const long coef = at + 7;
    EXPECT_EQ(out[coef], "");
    std::string cols = "         N  ";
    for (int k = 1; k <= 3; ++k) cols += "         S" + std::to_string(k) + std::to_string(j) + "      ";
    EXPECT_EQ(out[coef + 1], cols);
    EXPECT_EQ(out[coef + 2], j < 3 ? perForce : perMoment);
    for (int g = 0; g < 2; ++g) {
      const std::string& c = out[coef + 3 + g];
      EXPECT_EQ(c, relaid(c, "         " + std::to_string(g + 1) + "       ", 1, 14, 5, 4));
      for (int i = 0; i < 3; ++i) {
        S[g][i][j - 1] = numbers(c).at(i + 1);
        // Displacement per unit of the applied load, to the printed digits.
        const double ratio = U[g][i] / (PLANE_LEVELS[g] * PLANE_LOAD[j - 1]);
        EXPECT_NEAR(S[g][i][j - 1], ratio, 2e-5 * std::fabs(ratio) + 1e-20) << "S" << i + 1 << j;
      }
    }
  }

  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *", at);
  ASSERT_GT(stf, at);
  const std::string columns = "      DOF             1                 2                 3         ";
  const Lines header = {"",
                        "    UNITS",
                        columns,
                        "         1        LBS/IN            LBS/IN             LBS/RAD",
                        "         2        LBS/IN            LBS/IN             LBS/RAD",
                        "         3          LBS               LBS           LBS-IN/RAD"};
  for (std::size_t k = 0; k < header.size(); ++k) EXPECT_EQ(out[stf + 1 + k], header[k]) << k;
  for (int g = 0; g < 2; ++g) {
    SCOPED_TRACE("level " + std::to_string(g + 1));
    const long lvl = stf + 7 + 6 * g;
    EXPECT_EQ(out[lvl], "");
    EXPECT_EQ(out[lvl + 1], std::string("       N:    ") + std::to_string(g + 1) + (g == 0 ? "  FACTOR :    0.5000"
                                                                                            : "  FACTOR :    1.0000"));
    EXPECT_EQ(out[lvl + 2], columns);
    // The stiffness is the inverse of the flexibility the coefficient
    // tables of the level printed: K S = I.
    double K[3][3];
    for (int r = 0; r < 3; ++r) {
      const std::string& row = out[lvl + 3 + r];
      EXPECT_EQ(row, relaid(row, "         " + std::to_string(r + 1) + "    ", 1, 14, 5, 4));
      for (int c = 0; c < 3; ++c) K[r][c] = numbers(row).at(c + 1);
    }
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        double ks = 0.0, scale = 0.0;
        for (int m = 0; m < 3; ++m) {
          ks += K[r][m] * S[g][m][c];
          scale += std::fabs(K[r][m] * S[g][m][c]);
        }
        EXPECT_NEAR(ks, r == c ? 1.0 : 0.0, 1e-4 * scale) << "(K S)" << r + 1 << c + 1;
      }
  }
  // The summary holds the same stiffness tables.
  const Lines sum = readLines("run.sum");
  const long sstf = find(sum, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(sstf, 0);
  ASSERT_GE(sum.size(), sstf + 19u);
  EXPECT_EQ(Lines(sum.begin() + sstf, sum.begin() + sstf + 19), Lines(out.begin() + stf, out.begin() + stf + 19));

  // Second report: per pass the load, the loaded displacement and the three
  // displacements; then the matrices of both levels in full precision.
  const Lines rep = readLines("run.rp2");
  const long m = find(rep, "     CAP FLEX., 3, MOMENT Z");
  ASSERT_GE(m, 0);
  for (int g = 0; g < 2; ++g) {
    const std::string& r = rep[m + 1 + g];
    EXPECT_EQ(r, relaid(r, "         " + std::to_string(g + 1) + "    ", 1, 18, 8, 4));
    const std::vector<double> v = numbers(r);
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[1], PLANE_LEVELS[g] * PLANE_LOAD[2]);
    EXPECT_EQ(v[2], v[5]);  // the rotation twice
  }
  const long rstf = find(rep, "     * PILE CAP STIFFNESS ESTIMATION *", m);
  ASSERT_GT(rstf, m);
  EXPECT_EQ(rep[rstf + 1], "       N:    1  FACTOR :    0.5000");
  EXPECT_EQ(rep[rstf + 2], relaid(rep[rstf + 2], std::string(14, ' '), 0, 18, 8, 4));
  for (int r = 1; r <= 3; ++r)
    EXPECT_EQ(rep[rstf + 2 + r], relaid(rep[rstf + 2 + r], "         " + std::to_string(r) + "    ", 1, 18, 8, 4));
  EXPECT_EQ(rep[rstf + 6], "       N:    2  FACTOR :    1.0000");
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

// No moment on the plane case: degree of freedom 3 is skipped with records
// of three values, and the uncoupled table shows 1 / S for the others and
// 1.0 for the moment, listed as not estimated.
TEST(UnitLoadStiffness, PlaneCaseWithoutMomentSkipsTheRotation) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(planeRows("0 1 1 1 0 0 0 0", "100000.0 10000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0")), 0);
  const Lines sta = readLines("run.sta");
  const long skip = find(sta, "      DOF :     3 POINT :     1");
  ASSERT_GE(skip, 0);
  EXPECT_EQ(Lines(sta.begin() + skip, sta.begin() + skip + 5),
            (Lines{"      DOF :     3 POINT :     1", "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO",
                   "      DOF :     3 POINT :     2", "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO",
                   "      ANALYSIS DUE TO TOTAL LOAD"}));
  const Lines fl1 = readLines("run.fl1");
  ASSERT_EQ(fl1.size(), 6u);
  for (int g = 0; g < 2; ++g) EXPECT_EQ(numbers(fl1[4 + g]), (std::vector<double>{g + 1.0, 0.0, 0.0, 1.0}));

  const Lines out = readLines("run.out");
  const long d3 = find(out, "     DOF   : 3 (MOMENT Z)");
  ASSERT_GE(d3, 0);
  EXPECT_EQ(out[d3 + 2], "             DOF NOT CONSIDERED SINCE APPLIED FORCE AT CAP IS ZERO");
  // The diagonal flexibilities of level 2, from the coefficient tables.
  double s[2];
  for (int j = 1; j <= 2; ++j) {
    const long c = find(out, "         N           S1" + std::to_string(j));
    ASSERT_GE(c, 0);
    s[j - 1] = numbers(out[c + 3]).at(j);
  }
  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GT(stf, d3);
  std::string columns(13, ' ');
  for (const char* kk : {"K11", "K22", "K33"}) columns += std::string(7, ' ') + kk + std::string(8, ' ');
  const std::string units = "                  LBS/IN            LBS/IN          LBS-IN/RAD";
  EXPECT_EQ(out[stf + 3], columns);
  EXPECT_EQ(out[stf + 4], units);
  const long lvl = find(out, "       N:    2  FACTOR :    1.0000", stf);
  ASSERT_GE(lvl, 0);
  EXPECT_EQ(out[lvl + 1], columns);
  const std::string& k = out[lvl + 2];
  EXPECT_EQ(k, relaid(k, std::string(24, ' '), 0, 14, 5, 4));
  const std::vector<double> K = numbers(k);
  ASSERT_EQ(K.size(), 3u);
  EXPECT_NEAR(K[0], 1.0 / s[0], 2e-5 * K[0]);
  EXPECT_NEAR(K[1], 1.0 / s[1], 2e-5 * K[1]);
  EXPECT_EQ(K[2], 1.0);
  const long warn = find(out, "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): ", lvl);
  ASSERT_GE(warn, 0);
  EXPECT_EQ(out[warn], "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): K33  ");

  // Second report: one skipped line per level after the short heading.
  const Lines rep = readLines("run.rp2");
  const long m = find(rep, "     CAP FLEX., 3, MOMENT Z");
  ASSERT_GE(m, 0);
  EXPECT_EQ(rep[m + 1], "        -1    " + realField(18, 8, 0.0) + " ");
  EXPECT_EQ(rep[m + 2], "        -2    " + realField(18, 8, 0.0) + " ");
}

}  // namespace
}  // namespace drelm
