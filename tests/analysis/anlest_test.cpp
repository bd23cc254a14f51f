// Whole runs of the equivalent-stiffness estimation of the cap: the
// target-deflection search of a nonlinear space group with its history and
// predicted factors, one pass per point at the scaled total load, a plane
// rotation target with a point that fails, the estimation values refused
// when read, and identical reports for any thread count.
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

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
using test::wholerun::untimed;

std::string fixture(const std::string& name) { return test::readFile(test::dataFile(name)); }

// TEXT with its first occurrence of FROM replaced by TO.
std::string replaced(std::string s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "no text " << from;
  else s.replace(at, from.size(), to);
  return s;
}

long count(const Lines& lines, const std::string& text) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(text, 0) == 0; });
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (std::string t; in >> t;) {
    char* end = nullptr;
    const double x = std::strtod(t.c_str(), &end);
    if (end != t.c_str()) v.push_back(x);
  }
  return v;
}

// The number after LABEL in LINE.
double after(const std::string& line, const std::string& label) {
  const std::size_t at = line.find(label);
  EXPECT_NE(at, std::string::npos) << line;
  return at == std::string::npos ? NAN : std::strtod(line.c_str() + at + label.size(), nullptr);
}

// One pass of the search as the runtime log reports it.
struct Pass {
  int iter;
  double factor, computed;
};

// The passes of every point from the runtime log, in order.
std::vector<std::vector<Pass>> searchHistory(const Lines& log) {
  std::vector<std::vector<Pass>> points;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const std::string& l = log[i];
    if (l.rfind("     STIFFNESS ESTIMATION, POINT :", 0) == 0) points.emplace_back();
    if (l.rfind("     STIFFNESS ESTIMATION, ITER :", 0) == 0 && !points.empty())
      points.back().push_back({static_cast<int>(after(l, "ITER :")), after(l, "FACTOR :"), NAN});
    if (l.find("COMPUTED DEF.:") != std::string::npos && !points.empty() && !points.back().empty())
      points.back().back().computed = after(l, "COMPUTED DEF.:");
  }
  return points;
}

// The next factor from a history of (displacement, factor) pairs: the
// secant through the origin for one pair, else the interval that brackets
// the target (or the end interval) of the pairs sorted by factor.
double predicted(std::vector<std::pair<double, double>> h, double t) {
  if (h.size() == 1) return t * h[0].second / h[0].first;
  // Insertion sort: stable, pairs of equal factors keep their order.
  for (std::size_t i = 1; i < h.size(); ++i)
    for (std::size_t j = i; j > 0 && h[j - 1].second > h[j].second; --j) std::swap(h[j - 1], h[j]);
  std::size_t hi = 1;
  if (h[0].first >= t) hi = 1;
  else if (t >= h.back().first) hi = h.size() - 1;
  else
    while (h[hi].first < t) ++hi;
  const auto& a = h[hi - 1];
  const auto& b = h[hi];
  return a.second + (t - a.first) * (b.second - a.second) / (b.first - a.first);
}

// The 6 x 6 (or 3 x 3) matrix of the second results report after its
// diagonal line at index AT.
std::vector<std::vector<double>> reportMatrix(const Lines& rep, long at, int n) {
  std::vector<std::vector<double>> k;
  for (int i = 1; i <= n; ++i) {
    std::vector<double> row = numbers(rep[at + i]);
    EXPECT_EQ(row.size(), static_cast<std::size_t>(n + 1)) << rep[at + i];
    EXPECT_EQ(row.empty() ? 0.0 : row[0], i);
    if (!row.empty()) row.erase(row.begin());
    k.push_back(row);
  }
  return k;
}

// Sum over the piles of a point's block in the cap-stiffness node file of
// the axial head stiffness, each pile counted W times.
double axialSum(const Lines& cst, const std::string& point, double w) {
  long at = find(cst, point);
  EXPECT_GE(at, 0) << point;
  double s = 0.0;
  for (std::size_t i = at + 1; i < cst.size() && cst[i].rfind("     POINT=", 0) != 0; ++i)
    if (cst[i].rfind("     PILE=", 0) == 0) s += w * numbers(cst[i + 1]).at(0);
  return s;
}

const std::string SPACE_HEAD[] = {
    "     * PILE CAP STIFFNESS ESTIMATION *",
    "     - BASED ON TARGET DEFLECTION   ",
    "",
    "    UNITS, LOAD AND DISP",
    "   LOAD         KIP            KIP            KIP          KIP-IN         KIP-IN         KIP-IN     ",
    "   DISP         IN             IN             IN             RAD            RAD            RAD      ",
    "",
    "    UNITS, STIFFNESS",
    "    DOF          1              2              3              4              5              6    ",
    "      1       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
    "      2       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
    "      3       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
    "      4         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD",
    "      5         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD",
    "      6         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD",
    "",
};

// Target 0.5 IN of the cap's Y displacement at load factors 0.5 and 1.0 of
// a case of 400 kips down and 40 kips along Y on a 2 x 2 group in soft
// clay: the search needs several passes at the first point, where the
// lateral response is far from linear.
TEST(EquivalentStiffness, TargetDeflectionSearchReachesTheTargetOfEveryPoint) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("est_space.inp")), 0);

  // History and predicted factors: the first point starts at 0 and 1.0,
  // every later point at 1.0 with the case's first pass as its history.
  const Lines log = readLines("run.log");
  const auto points = searchHistory(log);
  ASSERT_EQ(points.size(), 2u);
  const double target[2] = {0.25, 0.5};
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(p + 1);
    const std::vector<Pass>& passes = points[p];
    ASSERT_GE(passes.size(), 2u);
    ASSERT_LE(passes.size(), 15u);
    std::vector<std::pair<double, double>> h;
    if (p == 0) {
      EXPECT_EQ(passes[0].factor, 0.0);
      EXPECT_EQ(passes[1].factor, 1.0);
    } else {
      h.push_back({points[0][0].computed, 0.0});
      EXPECT_EQ(passes[0].factor, 1.0);
    }
    for (std::size_t k = 0; k < passes.size(); ++k) {
      EXPECT_EQ(passes[k].iter, static_cast<int>(h.size()));
      if (h.size() >= 2) {
        EXPECT_NEAR(passes[k].factor, predicted(h, target[p]), 5e-3 * passes[k].factor) << k;
      }
      const double err = std::fabs(passes[k].computed - target[p]) / target[p];
      if (k + 1 < passes.size()) {
        EXPECT_GT(err, 0.01) << k;
      }
      h.push_back({passes[k].computed, passes[k].factor});
    }
  }
  // The secant of the second point's first pass, from the printed values.
  EXPECT_NEAR(points[1][1].factor, 0.5 / points[1][0].computed, 2e-4);
  const Lines log0 = {"     * PILE CAP STIFFNESS ESTIMATION *",
                      "",
                      "     STIFFNESS ESTIMATION, POINT :    1/   2 FACTOR :      0.50000",
                      "",
                      "     STIFFNESS ESTIMATION, ITER :     0 FACTOR :      0.00000",
                      "",
                      "     LOAD :   0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00"};
  const long head = find(log, log0[0]);
  ASSERT_GE(head, 0);
  EXPECT_EQ(Lines(log.begin() + head, log.begin() + head + 7), log0);
  // Factor 1.0 of the first point is half the case load.
  const long second = find(log, "     STIFFNESS ESTIMATION, ITER :     1 FACTOR :      1.00000");
  ASSERT_GE(second, 0);
  EXPECT_EQ(log[second + 2],
            "     LOAD :   0.20000E+06  0.20000E+05  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00");
  const long total = find(log, "     ANALYSIS DUE TO TOTAL LOAD");
  ASSERT_GT(total, second);
  EXPECT_EQ(log[total - 1], "");

  // Status lines: each pass whose deflection is off target has status 10,
  // the pass that meets it status 1; then the total load.
  const Lines sta = readLines("run.sta");
  long at = find(sta, "      STIFFNESS ESTIMATION, POINT :    1/   2 FACTOR :      0.50000");
  ASSERT_GE(at, 0);
  for (int p = 0; p < 2; ++p) {
    for (std::size_t k = 0; k < points[p].size(); ++k) {
      char line[80];
      std::snprintf(line, sizeof line, "      STIFFNESS ESTIMATION, ITER : %5d FACTOR : %12.5f", points[p][k].iter,
                    points[p][k].factor);
      EXPECT_EQ(sta[at + 1 + 2 * k], line);
      EXPECT_EQ(sta[at + 2 + 2 * k], k + 1 < points[p].size() ? "    10 ANALYSIS COMPLETED" : "    1 ANALYSIS COMPLETED");
    }
    at += 1 + 2 * static_cast<long>(points[p].size());
    if (p == 0) {
      EXPECT_EQ(sta[at], "      STIFFNESS ESTIMATION, POINT :    2/   2 FACTOR :      1.00000");
    }
  }
  EXPECT_EQ(Lines(sta.begin() + at, sta.end()),
            (Lines{"      ANALYSIS DUE TO TOTAL LOAD", "    1 ANALYSIS COMPLETED"}));
  // The iteration dump has one line per pass.
  EXPECT_EQ(count(readLines("run.itr"), "     STIFFNESS ESTIMATION, ITER :"),
            static_cast<long>(points[0].size() + points[1].size()));

  // Results report: heading and unit tables, then per point its factor,
  // target, load and displacement lines and the matrix.
  const Lines out = readLines("run.out");
  const long stf = find(out, SPACE_HEAD[0]);
  ASSERT_GE(stf, 2);
  EXPECT_EQ(out[stf - 1], "");
  EXPECT_EQ(out[stf - 2], "");
  for (std::size_t i = 0; i < std::size(SPACE_HEAD); ++i) EXPECT_EQ(out[stf + i], SPACE_HEAD[i]) << i;
  long pt = stf + static_cast<long>(std::size(SPACE_HEAD));
  const Lines rep = readLines("run.rp2");
  long r = find(rep, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(r, 0);
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(p + 1);
    const double f = p == 0 ? 0.5 : 1.0;
    const double last = points[p].back().factor;
    EXPECT_EQ(out[pt], p == 0 ? "       N:    1  FACTOR :    0.5000" : "       N:    2  FACTOR :    1.0000");
    const std::string tl = out[pt + 1];
    const std::string pre = p == 0 ? "       DISPLACEMENT Y,  TARGET =      0.25000 IN , COMPUTED ="
                                   : "       DISPLACEMENT Y,  TARGET =      0.50000 IN , COMPUTED =";
    EXPECT_EQ(tl.substr(0, pre.size()), pre);
    EXPECT_EQ(tl.size(), pre.size() + 13u + 4u);
    EXPECT_EQ(tl.substr(pre.size() + 13u), " IN ");
    EXPECT_NEAR(after(tl, "COMPUTED ="), target[p], 0.01 * target[p]);
    // The load of the last pass in kips: the case load times f(i) times
    // the pass factor.
    EXPECT_EQ(out[pt + 2].substr(0, 7), "   LOAD");
    const std::vector<double> load = numbers(out[pt + 2]);
    ASSERT_EQ(load.size(), 6u);
    EXPECT_NEAR(load[0], 400.0 * f * last, 1e-4 * load[0]);
    EXPECT_NEAR(load[1], 40.0 * f * last, 1e-4 * load[1]);
    EXPECT_EQ(out[pt + 3].substr(0, 7), "   DISP");
    EXPECT_EQ(out[pt + 4], "");
    EXPECT_EQ(out[pt + 5], "          * EQUIVALENT STIFFNESS MATRIX AT ORIGIN *");
    EXPECT_EQ(out[pt + 6], SPACE_HEAD[8]);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(out[pt + 6 + i].substr(0, 7), "      " + std::to_string(i));
    EXPECT_EQ(out[pt + 13], "");
    pt += 14;

    // Second results report, internal units, full precision.
    EXPECT_EQ(rep[r + 1], p == 0 ? "        1   N:    1  FACTOR :    0.5000" : "        1   N:    2  FACTOR :    1.0000");
    EXPECT_EQ(rep[r + 2], "       * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
    const std::vector<double> P = numbers(rep[r + 3]);
    ASSERT_EQ(P.size(), 6u);
    EXPECT_NEAR(P[0], 400000.0 * f * last, 1e-5 * P[0]);
    EXPECT_EQ(rep[r + 4], "       * DISPLACEMENT OF PILE CAP AT ORIGIN *");
    const std::vector<double> U = numbers(rep[r + 5]);
    ASSERT_EQ(U.size(), 6u);
    EXPECT_LE(std::fabs(U[1] - target[p]), 0.01 * target[p]);
    // The matrix: symmetric, Y and Z alike for the symmetric group, and
    // the vertical term the sum of the piles' axial head stiffnesses.
    const auto K = reportMatrix(rep, r + 6, 6);
    const std::vector<double> diag = numbers(rep[r + 6]);
    ASSERT_EQ(diag.size(), 6u);
    for (int i = 0; i < 6; ++i) {
      EXPECT_DOUBLE_EQ(diag[i], K[i][i]);
      for (int j = 0; j < 6; ++j)
        EXPECT_NEAR(K[i][j], K[j][i], 1e-7 * std::sqrt(std::fabs(K[i][i] * K[j][j])) + 1e-6) << i << " " << j;
    }
    EXPECT_NEAR(K[1][1], K[2][2], 1e-7 * K[1][1]);
    EXPECT_NEAR(K[1][5], -K[2][4], 1e-7 * K[1][5]);
    EXPECT_NEAR(K[0][0], axialSum(readLines("run.cpn"), "     POINT=    " + std::to_string(p + 1), 1.0),
                1e-7 * K[0][0]);
    r += 12;
  }
  EXPECT_EQ(out[pt - 1], "");
  EXPECT_EQ(out[pt], "     * ANALYSIS DUE TO TOTAL LOAD *");

  // Stiffness-matrix file: one matrix per point.
  const Lines kmt = readLines("run.kmt");
  ASSERT_EQ(kmt.size(), 14u);
  EXPECT_EQ(kmt[0], "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
  EXPECT_EQ(kmt[7], kmt[0]);
  EXPECT_EQ(kmt[1].size(), 5u + 6u * 19u + 1u);
  // Cap-stiffness node file: the case, then per point the piles' blocks.
  const Lines cst = readLines("run.cpn");
  ASSERT_GE(cst.size(), 3u);
  EXPECT_EQ(Lines(cst.begin(), cst.begin() + 4),
            (Lines{"     LOAD CASE=    1     NPOINTS=    2", "     POINT=    1", "     NPILES=    4",
                   "     PILE=    1     NNODES=   51"}));
  EXPECT_EQ(count(cst, "     PILE="), 8);
  EXPECT_EQ(cst.size(), 1u + 2u * (2u + 4u * (2u + 51u)));
}

// Method 0: one pass per point at the case load times f(i), no target lines.
TEST(EquivalentStiffness, TotalLoadEstimationRunsOnePassPerPointAtTheScaledLoad) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(replaced(fixture("est_space.inp"), "\n1.0\n1\n2\n", "\n1.0\n0\n2\n")), 0);
  const Lines sta = readLines("run.sta");
  const long at = find(sta, "LOAD CASE :     1");
  ASSERT_GE(at, 0);
  EXPECT_EQ(Lines(sta.begin() + at + 1, sta.end()),
            (Lines{"      STIFFNESS ESTIMATION, POINT :    1/   2 FACTOR :      0.50000",
                   "      STIFFNESS ESTIMATION, ITER :     0 FACTOR :      0.50000", "    1 ANALYSIS COMPLETED",
                   "      STIFFNESS ESTIMATION, POINT :    2/   2 FACTOR :      1.00000",
                   "      STIFFNESS ESTIMATION, ITER :     1 FACTOR :      1.00000", "    1 ANALYSIS COMPLETED",
                   "      ANALYSIS DUE TO TOTAL LOAD", "    1 ANALYSIS COMPLETED"}));
  EXPECT_EQ(count(readLines("run.log"), "     STIFFNESS ESTIMATION, ITER :"), 0);
  EXPECT_EQ(count(readLines("run.itr"), "     STIFFNESS ESTIMATION, ITER :"), 0);

  const Lines out = readLines("run.out");
  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(stf, 0);
  EXPECT_EQ(out[stf + 1], "     - BASED ON TOTAL APPLIED LOAD  ");
  EXPECT_EQ(count(out, "       DISPLACEMENT Y,"), 0);
  const long n1 = find(out, "       N:    1  FACTOR :    0.5000");
  ASSERT_GE(n1, 0);
  EXPECT_EQ(out[n1 + 1].substr(0, 7), "   LOAD");

  // The loads of the points, and the second point (f = 1) is the total load.
  const Lines rep = readLines("run.rp2");
  std::vector<std::vector<double>> P, U;
  for (std::size_t i = 0; i + 1 < rep.size(); ++i) {
    if (rep[i] == "       * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *" ||
        rep[i] == "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *")
      P.push_back(numbers(rep[i + 1]));
    if (rep[i] == "       * DISPLACEMENT OF PILE CAP AT ORIGIN *" || rep[i] == "* DISPLACEMENT OF PILE CAP AT ORIGIN *")
      U.push_back(numbers(rep[i + 1]));
  }
  ASSERT_EQ(P.size(), 3u);
  ASSERT_EQ(U.size(), 3u);
  EXPECT_EQ(P[0], (std::vector<double>{200000.0, 20000.0, 0, 0, 0, 0}));
  EXPECT_EQ(P[1], (std::vector<double>{400000.0, 40000.0, 0, 0, 0, 0}));
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(U[1][i], U[2][i], 1e-6 * std::fabs(U[2][i]) + 1e-12) << i;
  EXPECT_LT(U[0][1], 0.5 * U[1][1]);  // soft clay: half the load, less than half the deflection
}

// Plane: a rotation target given as degree of freedom 6. The first point's
// secant factor overloads the group into a singular cap matrix, so that
// point fails and the second still gets its stiffness.
TEST(EquivalentStiffness, PlaneRotationTargetAndAFailedPoint) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("est_plane.inp")), 0);
  const Lines sta = readLines("run.sta");
  const long p2 = find(sta, "      STIFFNESS ESTIMATION, POINT :    2/   2 FACTOR :      1.00000");
  ASSERT_GT(p2, 0);
  EXPECT_EQ(sta[p2 - 1], "    7 SINGULAR STIFFNESS MATRIX ");

  const Lines rep = readLines("run.rp2");
  const long r = find(rep, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(r, 0);
  EXPECT_EQ(rep[r + 1], "       -1   N:    1  FACTOR :    0.5000");
  EXPECT_EQ(rep[r + 2], "        1   N:    2  FACTOR :    1.0000");
  const std::vector<double> U = numbers(rep[r + 6]);
  ASSERT_EQ(U.size(), 3u);
  EXPECT_LE(std::fabs(U[2] + 0.003), 0.01 * 0.003);
  const auto K = reportMatrix(rep, r + 7, 3);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(K[i][j], K[j][i], 1e-7 * std::sqrt(K[i][i] * K[j][j])) << i << j;
  // Each row stands for its two piles.
  const Lines cst = readLines("run.cpn");
  EXPECT_EQ(find(cst, "     POINT=    1"), -1);
  EXPECT_NEAR(K[0][0], axialSum(cst, "     POINT=    2", 2.0), 1e-7 * K[0][0]);
  EXPECT_EQ(Lines(cst.begin(), cst.begin() + 4),
            (Lines{"     LOAD CASE=    1     NPOINTS=    2", "     POINT=    2", "     NPILES=    2",
                   "     PILE=    1     NNODES=   51"}));

  const Lines out = readLines("run.out");
  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(stf, 0);
  const Lines head = {"     * PILE CAP STIFFNESS ESTIMATION *",
                      "     - BASED ON TARGET DEFLECTION   ",
                      "",
                      "    UNITS, LOAD AND DISP",
                      "   LOAD         KIP            KIP          KIP-IN     ",
                      "   DISP         IN             IN             RAD      ",
                      "",
                      "    UNITS, STIFFNESS",
                      "    DOF          1              2              3    ",
                      "      1       KIP/IN         KIP/IN         KIP/RAD",
                      "      2       KIP/IN         KIP/IN         KIP/RAD",
                      "      3         KIP            KIP        KIP-IN/RAD",
                      "",
                      "       N:    1  FACTOR :    0.5000"};
  EXPECT_EQ(Lines(out.begin() + stf, out.begin() + stf + head.size()), head);
  const long n2 = find(out, "       N:    2  FACTOR :    1.0000");
  ASSERT_GT(n2, stf);
  const std::string pre = "           ROTATION Z,  TARGET = -3.00000E-03 , COMPUTED =";
  EXPECT_EQ(out[n2 + 1].substr(0, pre.size()), pre);
  EXPECT_EQ(out[n2 + 1].size(), pre.size() + 13u + 1u);
  EXPECT_NEAR(after(out[n2 + 1], "COMPUTED ="), -0.003, 0.01 * 0.003);
  EXPECT_EQ(numbers(out[n2 + 2]).size(), 3u);
  EXPECT_EQ(out[n2 + 5], "          * EQUIVALENT STIFFNESS MATRIX AT ORIGIN *");
  EXPECT_EQ(out[n2 + 6], "    DOF          1              2              3    ");
  EXPECT_EQ(out[n2 + 10], "");
  EXPECT_EQ(out[n2 + 11], "     * ANALYSIS DUE TO TOTAL LOAD *");
  EXPECT_EQ(readLines("run.kmt").size(), 4u);
}

struct Refused {
  const char* name;
  std::string text;
  int line;
  std::vector<std::string> detail;
};

// Estimation values that give the search no target, or more history than
// it holds, stop the reading with status 43 at their line.
TEST(EquivalentStiffness, EstimationValuesRefusedWhenRead) {
  const std::string space = fixture("est_space.inp"), plane = fixture("est_plane.inp");
  const std::vector<Refused> cases = {
      {"target deflection 0", replaced(space, "\n2\n0.0\n0.5\n", "\n2\n0.0\n0.0\n"), 25,
       {"target deflection of degree of freedom 2", "0 gives no relative error"}},
      {"load factor 0", replaced(space, "14\n0.5\n", "14\n0.0\n"), 22, {"load factor 1", "zero target"}},
      {"method 2", replaced(space, "\n1.0\n1\n2\n", "\n1.0\n2\n2\n"), 22, {"method", "2 is neither 0 nor 1"}},
      {"target degree of freedom 7", replaced(space, "\n1\n2\n0.0\n", "\n1\n7\n0.0\n"), 23,
       {"target degree of freedom", "7 is outside 1 to 6"}},
      {"plane target degree of freedom 4", replaced(plane, "\n1\n6\n0.0\n", "\n1\n4\n0.0\n"), 23,
       {"target degree of freedom", "4 is not 1, 2, 3 or 6"}},
      {"plane rotation target 0", replaced(plane, "\n-0.003\n", "\n0.0\n"), 29, {"degree of freedom 6"}},
      {"iteration limit 1", replaced(space, "\n1.0\n15\n", "\n1.0\n1\n"), 31, {"iteration limit", "1 is outside 2 to 19"}},
      {"iteration limit 20", replaced(space, "\n1.0\n15\n", "\n1.0\n20\n"), 31, {"20 is outside 2 to 19"}},
      {"no parameters", replaced(space, "\n14\n0.5\n", "\n2\n0.5\n"), 19,
       {"number of estimation values", "2 is outside 13 to 25"}},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    EXPECT_EQ(runInput(c.text), STAT_CAPACITY);
    for (const char* f : {"run.log", "run.out"}) {
      const Lines l = readLines(f);
      const long at = find(l, "     INPUT DATA FILE, LINE ");
      ASSERT_GE(at, 0) << f;
      EXPECT_EQ(l[at], "     INPUT DATA FILE, LINE " + std::to_string(c.line) + ", WHILE READING: LOAD CASES") << f;
      for (const std::string& piece : c.detail) EXPECT_NE(l[at + 1].find(piece), std::string::npos) << l[at + 1];
    }
  }
}

TEST(EquivalentStiffness, ReportsAreTheSameForAnyThreadCount) {
  test::ScratchDir dir;
  const std::string input = fixture("est_space.inp");
  const Lines files = {"run.out", "run.sum", "run.log", "run.sta", "run.rp2", "run.kmt", "run.cpn", "run.itr"};
  const int before = omp_get_max_threads();
  std::vector<Lines> first;
  omp_set_num_threads(1);
  ASSERT_EQ(runInput(input), 0);
  for (const std::string& f : files) first.push_back(untimed(f));
  omp_set_num_threads(8);
  ASSERT_EQ(runInput(input), 0);
  for (std::size_t k = 0; k < files.size(); ++k) EXPECT_EQ(untimed(files[k]), first[k]) << files[k];
  omp_set_num_threads(before);
}

}  // namespace
}  // namespace drelm
