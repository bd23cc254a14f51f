// The cap stiffness of a group in linear soil by three routes: the unit-load
// flexibility inverted, the summed linear pile-head stiffnesses carried to
// the cap origin, and the secant load / displacement of ordinary passes with
// the cap displacement given. The space group: four vertical and two
// battered pipe piles on an elastic subgrade, with linear axial and
// torsional head curves; the plane model: two battered rows of two piles.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "capstiff/captstf.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/passres.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using Matrix = std::array<std::array<double, 6>, 6>;  // [row][column]

// The numbers of a report line; a real field may drop the exponent letter
// before a three-digit exponent (1.5-100).
std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (std::string t; in >> t;) {
    for (std::size_t i = 1; i < t.size(); ++i)
      if ((t[i] == '+' || t[i] == '-') && std::isdigit(static_cast<unsigned char>(t[i - 1]))) {
        t.insert(i, 1, 'E');
        break;
      }
    v.push_back(std::strtod(t.c_str(), nullptr));
  }
  return v;
}

long find(const Lines& lines, const std::string& text, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].find(text) != std::string::npos) return static_cast<long>(i);
  return -1;
}

// (a) The stiffness of the unit-load case at load level LEVEL as the second
// results report dumps it in full precision: the level line, the diagonal,
// then each row of the NDOF by NDOF matrix.
Matrix unitLoadStiffness(const Lines& rep, int ndof = 6, int level = 1) {
  Matrix K{};
  long at = find(rep, "* PILE CAP STIFFNESS ESTIMATION *");
  EXPECT_GE(at, 0);
  if (at < 0) return K;
  at = find(rep, "   N:" + std::string(level < 10 ? "    " : "   ") + std::to_string(level), at);
  EXPECT_GE(at, 0);
  if (at < 0) return K;
  EXPECT_EQ(numbers(rep[at + 1]).size(), static_cast<std::size_t>(ndof));
  for (int r = 0; r < ndof; ++r) {
    const std::vector<double> v = numbers(rep[at + 2 + r]);
    EXPECT_EQ(v.size(), ndof + 1u);
    EXPECT_EQ(v.at(0), r + 1.0);
    for (int c = 0; c < ndof; ++c) K[r][c] = v.at(c + 1);
  }
  return K;
}

// Load and displacement at the origin of every ordinary pass (Table L of
// the second results report), in case order.
struct Origin {
  std::vector<double> P, U;
};
std::vector<Origin> origins(const Lines& rep) {
  std::vector<Origin> out;
  for (long at = 0; (at = find(rep, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", at)) >= 0; ++at) {
    EXPECT_NE(rep[at + 2].find("* DISPLACEMENT OF PILE CAP AT ORIGIN *"), std::string::npos);
    out.push_back({numbers(rep[at + 1]), numbers(rep[at + 3])});
  }
  return out;
}

// (c) Columns of K from the passes whose cap displacement is given: one
// non-zero component j, every other held at 0, so that column j of K is the
// load the piles carry over that displacement.
Matrix givenDisplacementStiffness(const std::vector<Origin>& passes, int ndof) {
  Matrix K{};
  std::array<bool, 6> seen{};
  for (const Origin& o : passes) {
    int j = -1, nonzero = 0;
    for (int i = 0; i < ndof; ++i)
      if (std::fabs(o.U.at(i)) > 1e-12) {  // the others 0 up to rounding
        j = i;
        ++nonzero;
      }
    if (nonzero != 1) continue;  // a load-controlled pass
    seen[j] = true;
    for (int i = 0; i < ndof; ++i) K[i][j] = o.P.at(i) / o.U.at(j);
  }
  for (int j = 0; j < ndof; ++j) EXPECT_TRUE(seen[j]) << "no pass displaced the cap along " << j + 1;
  return K;
}

Matrix fromColumns(const double* k) {
  Matrix K{};
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 6; ++c) K[r][c] = k[r + 6 * c];
  return K;
}

// The sway / rotation pairs of the cap degrees of freedom (0-based).
const std::vector<std::pair<int, int>> SPACE_PAIRS = {{1, 5}, {2, 4}}, PLANE_PAIRS = {{1, 2}};

// Diagonal terms within TOL of each other; the coupling of sway and
// rotation, which sums terms of both signs over vertical and battered piles,
// within TOL of the geometric mean of the two diagonal terms it couples.
void expectSame(const Matrix& A, const Matrix& B, double tol, const char* what, int ndof = 6) {
  for (int i = 0; i < ndof; ++i)
    EXPECT_NEAR(A[i][i] / B[i][i], 1.0, tol) << what << " K" << i + 1 << i + 1;
  for (auto [t, r] : ndof == 6 ? SPACE_PAIRS : PLANE_PAIRS) {
    const double scale = std::sqrt(B[t][t] * B[r][r]);
    EXPECT_NEAR(A[t][r], B[t][r], tol * scale) << what << " K" << t + 1 << r + 1;
    EXPECT_NEAR(A[r][t], B[r][t], tol * scale) << what << " K" << r + 1 << t + 1;
  }
}

TEST(CapStiffnessRoutes, ThreeRoutesAgreeOnALinearGroup) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("space_linear_group.inp")));
  ASSERT_EQ(IDRELM(6), 0);
  const Lines rep = test::readLines("run.rp2");

  const Matrix a = unitLoadStiffness(rep);
  const std::vector<Origin> passes = origins(rep);
  ASSERT_EQ(passes.size(), 7u);  // the total load of the unit-load case, six given displacements
  const Matrix c = givenDisplacementStiffness(passes, 6);

  // (b) The piles' equivalent stiffnesses at a cap displacement that moves
  // every pile along and across its axis and twists it, then the sum.
  const double U[6] = {0.02, 0.03, 0.01, 2e-4, 1e-4, 3e-4};
  ASSERT_TRUE(test::passStiffnessAt(U));
  double kb[36];
  std::int32_t istat = 0;
  CAPKSUM(istat, 0, kb);
  EXPECT_EQ(istat, 0);
  const Matrix b = fromColumns(kb);

  // The axial head curves are linear: four vertical piles of 1E6 lb/in and
  // two inclined at 80 degrees to the horizontal, whose lateral share is small.
  EXPECT_NEAR(b[0][0], 4.0e6 + 2.0e6 * std::pow(std::sin(80.0 * M_PI / 180.0), 2), 0.01 * b[0][0]);

  // The unit-load passes and the given-displacement passes run the same
  // pile solutions; the beam-column chain of the head stiffness is another
  // discretisation of the same pile.
  expectSame(a, c, 1e-4, "unit load / given displacement");
  expectSame(b, c, 0.01, "head stiffness sum / given displacement");
  expectSame(b, a, 0.01, "head stiffness sum / unit load");

  // Both matrices reproduce the secant of the load-controlled pass of the
  // unit-load case: K U = P for its displacement.
  const Origin& total = passes.front();
  for (const Matrix* K : {&a, &b})
    for (int i = 0; i < 6; ++i) {
      double ku = 0.0;
      for (int j = 0; j < 6; ++j) ku += (*K)[i][j] * total.U.at(j);
      EXPECT_NEAR(ku, total.P.at(i), 0.01 * std::fabs(total.P.at(i))) << (K == &a ? "a" : "b") << " row " << i + 1;
    }
}

// The plane rows: the unit-load flexibility inverted (three points, the
// third loaded by the moment) and the summed head stiffnesses of the rows,
// each counted for its two piles, against the given-displacement passes and
// the secant of the load-controlled pass of the unit-load case.
TEST(CapStiffnessRoutes, PlaneRowsThreeRoutesAgree) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("plane_linear_rows.inp")));
  ASSERT_EQ(IDRELM(6), 0);
  const Lines rep = test::readLines("run.rp2");
  const std::vector<Origin> passes = origins(rep);
  ASSERT_EQ(passes.size(), 4u);  // the total load of the unit-load case, three given displacements
  const Matrix c = givenDisplacementStiffness(passes, 3);
  // Two load levels, half and full load: the soil is linear.
  const Matrix a = unitLoadStiffness(rep, 3, 1);
  const Matrix a2 = unitLoadStiffness(rep, 3, 2);
  expectSame(a2, a, 1e-4, "plane unit load, level 2 / level 1", 3);

  const double U[3] = {0.02, 0.03, 2e-4};
  ASSERT_TRUE(test::passStiffnessAt(U));
  double kb[36];
  std::int32_t istat = 0;
  CAPKSUM(istat, 0, kb);
  const Matrix b = fromColumns(kb);

  // Four piles of 1E6 lb/in along their axes, battered by 10 degrees.
  EXPECT_NEAR(b[0][0], 4.0e6 * std::pow(std::cos(10.0 * M_PI / 180.0), 2), 0.01 * b[0][0]);
  expectSame(a, c, 1e-3, "plane unit load / given displacement", 3);
  expectSame(b, c, 0.01, "plane head stiffness sum / given displacement", 3);
  expectSame(b, a, 0.01, "plane head stiffness sum / unit load", 3);
  const Origin& load = passes.front();
  for (const Matrix* K : {&a, &b})
    for (int i = 0; i < 3; ++i) {
      double ku = 0.0;
      for (int j = 0; j < 3; ++j) ku += (*K)[i][j] * load.U.at(j);
      EXPECT_NEAR(ku, load.P.at(i), 0.01 * std::fabs(load.P.at(i))) << (K == &a ? "a" : "b") << " row " << i + 1;
    }
}

// The unit-load case alone, with the vertical load VERTICAL only and the cap
// iteration limit MAXITC: a load beyond the 1 inch of the axial head curves
// (whose end values are kept) cannot be carried in that many iterations.
std::string unitLoadOnly(const std::string& vertical, const std::string& maxitc) {
  std::string s = test::readFile(test::dataFile("space_linear_group.inp"));
  const std::string controls = "0 0 0 1 0 100 100\n";
  const std::size_t second = s.find(controls, s.find(controls) + 1);
  s.erase(second, s.find("LOAD COMBINATIONS") - second);
  const auto swap = [&s](const std::string& from, const std::string& to) {
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
  };
  swap("LOAD CASES\n7 0 0 1 0\n" + controls, "LOAD CASES\n1 0 0 1 0\n0 0 0 1 0 " + maxitc + " 100\n");
  swap("100000.0 10000.0 1000000.0 10000.0 1000000.0 1000000.0 0.0 0.0 0.0", vertical + " 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
  return s;
}

// A unit-load pass that ends below its load (the later steps fail) records
// the displacement of its last accepted step with the load of that step: the
// vertical stiffness is that of a pass well inside the curves.
TEST(CapStiffnessRoutes, UnitLoadPassBelowItsLoadRecordsTheLoadItCarries) {
  double k11[2];
  std::vector<double> raw;
  for (int run = 0; run < 2; ++run) {
    test::ScratchDir dir;
    test::writeNamesFile();
    test::writeInputFile(unitLoadOnly(run == 0 ? "1000000.0" : "8000000.0", "2"));
    ASSERT_EQ(IDRELM(6), 0);
    const Lines sta = test::readLines("run.sta");
    ASSERT_GE(sta.size(), 6u);
    EXPECT_EQ(sta[4], "      DOF :     1 POINT :     1");
    EXPECT_EQ(sta[5], "    1 ANALYSIS COMPLETED");
    const Lines rep = test::readLines("run.rp2");
    k11[run] = unitLoadStiffness(rep)[0][0];
    const long at = find(rep, "CAP FLEX., 1, FORCE X");
    ASSERT_GE(at, 0);
    raw = numbers(rep[at + 1]);  // pass, load, U(1), U(1 .. 6)
  }
  // 8E6 lb exceed the 5.94E6 lb that the piles carry at 1 inch; the pass
  // stops between the two.
  ASSERT_EQ(raw.size(), 9u);
  EXPECT_GT(raw[1], 5.5e6);
  EXPECT_LT(raw[1], 5.94e6);
  EXPECT_LT(raw[2], 1.0);
  EXPECT_NEAR(raw[1] / raw[2], k11[0], 1e-4 * k11[0]);
  EXPECT_NEAR(k11[1], k11[0], 1e-4 * k11[0]);
}

}  // namespace
}  // namespace drelm
