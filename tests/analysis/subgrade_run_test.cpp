// Whole runs of piles in elastic subgrade against the closed forms of a long
// elastic beam on a Winkler foundation: one space pile with its head free to
// rotate and held against rotation, the same pile with its head node at the
// ground line, and one plane row of piles pinned and fixed to the cap. Then
// the run statuses of a head curve that cannot be generated and of a plane
// row longer than the soil profile.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "model/model_run.h"
#include "transfer/headcurves.h"

namespace drelm {
namespace {

using test::wholerun::capDisplacements;
using test::wholerun::capLoads;
using test::wholerun::fixture;
using test::wholerun::pileTops;
using test::readLines;
using test::wholerun::replaced;
using test::wholerun::runInput;

// The piles of the fixtures: 16 in steel pipe, EI = 29E6 x 731.9 lb-in^2,
// 50 ft long (beta L = 7), in a subgrade of ks = 100 lb/in^3 over the pipe's
// width, k = 1600 lb/in^2.
constexpr double EI = 29.0E6 * 731.9;
constexpr double K = 16.0 * 100.0;
constexpr double LEN = 600.0;

// A long pile standing E above the soil, loaded by H at its head. With x
// down the pile and the moment at the head positive where it bends the pile
// like H over the free length: at the ground line y0 = 2 V beta / k +
// 2 M beta^2 / k and y0' = -(2 V beta^2 + 4 M beta^3) / k; the free length
// adds the cantilever terms.
struct Head {
  double y, slope, moment;
};
struct LongPile {
  double e = 0.0;
  static double beta() { return std::pow(K / (4.0 * EI), 0.25); }
  Head under(double H, double M) const {
    const double b = beta(), m0 = M + H * e;
    const double y0 = 2.0 * H * b / K + 2.0 * m0 * b * b / K;
    const double s0 = -(2.0 * H * b * b + 4.0 * m0 * b * b * b) / K;
    return {y0 - s0 * e + (M * e * e / 2.0 + H * e * e * e / 3.0) / EI, s0 - (M * e + H * e * e / 2.0) / EI, M};
  }
  Head free(double H) const { return under(H, 0.0); }
  // The head moment that keeps the head slope at zero.
  Head held(double H) const {
    const double b = beta();
    return under(H, -(2.0 * H * b * b / K + 4.0 * H * e * b * b * b / K + H * e * e / (2.0 * EI)) /
                        (e / EI + 4.0 * b * b * b / K));
  }
};

void expectRel(double got, double want, double tol, const char* what) {
  EXPECT_NEAR(got, want, tol * std::fabs(want)) << what;
}

// Finite differences of 100 increments (h beta = 0.07): the sway, the head
// rotation and the head moment lie within 0.3 % of the closed forms; 0.5 %
// is the bound tested.
constexpr double TOL = 0.005;

// Pile top rows of the second report: six displacements in global axes,
// then the forces of the cap on the pile head in global axes.
constexpr int FY = 7, MZ = 11;

// The head lies one foot below the ground line, so the head node has its
// spring like every other node. Case 1 loads the cap at the origin (the cap
// is free to rotate, so the pile head is free); case 2 gives the same load
// with the cap rotation held at zero.
TEST(SubgradeRun, SinglePileMatchesTheLongPileClosedForms) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("space_pile1_embedded.inp")), 0);
  const double H = 10000.0;
  const auto U = capDisplacements();
  const auto P = capLoads();
  const auto top = pileTops();
  ASSERT_EQ(U.size(), 2u);
  ASSERT_EQ(P.size(), 2u);
  ASSERT_EQ(top.size(), 2u);

  const Head f = LongPile{}.free(H);
  expectRel(U[0][1], f.y, TOL, "free head sway 2 H beta / k");
  expectRel(U[0][5], f.slope, TOL, "free head rotation -2 H beta^2 / k");
  EXPECT_NEAR(top[0][FY], H, 1e-6 * H);
  EXPECT_NEAR(top[0][MZ], 0.0, 1e-6 * H / LongPile::beta());

  const Head s = LongPile{}.held(H);
  expectRel(U[1][1], s.y, TOL, "held head sway H beta / k");
  EXPECT_EQ(U[1][5], 0.0);
  EXPECT_NEAR(top[1][FY], H, 1e-6 * H);
  // M0 = H / (2 beta), which the cap applies to the pile against the
  // rotation that H alone would give it; the reported load at the origin of
  // a case with a given rotation is the reaction, the same moment.
  expectRel(-s.moment, H / (2.0 * LongPile::beta()), 1e-12, "closed form M0");
  expectRel(top[1][MZ], -s.moment, TOL, "held head moment");
  expectRel(P[1][5], top[1][MZ], 1e-8, "moment reaction at the origin");
  EXPECT_EQ(readLines("run.sta").back(), "    1 ANALYSIS COMPLETED");
}

// A node at the ground line carries no spring, so the soil of the pile's
// first half increment is missing: the run models a pile that stands h / 2
// above the soil. Against that geometry it keeps the tolerance of the
// finite differences, while the closed forms of a head at the soil surface
// are missed by about h beta (16 % for the sway at 50 increments, 7 % at
// 100), the excess halving with the spacing.
TEST(SubgradeRun, HeadNodeAtTheGroundLineStandsHalfAnIncrementAboveTheSoil) {
  test::ScratchDir dir;
  const double H = 10000.0;
  for (int n : {50, 100}) {
    SCOPED_TRACE(n);
    std::string in = fixture("space_pile1_embedded.inp");
    in = replaced(in, "0.0 0.0 0.0 0.0 90.0 0.0 -1.0", "0.0 0.0 0.0 0.0 90.0 0.0 0.0");
    in = replaced(in, "100 50.0 1", std::to_string(n) + " 50.0 1");
    ASSERT_EQ(runInput(in), 0);
    const auto U = capDisplacements();
    const auto top = pileTops();
    ASSERT_EQ(U.size(), 2u);
    ASSERT_EQ(top.size(), 2u);
    const double h = LEN / n;
    const LongPile standing{h / 2.0};
    const double tol = 0.01;
    expectRel(U[0][1], standing.free(H).y, tol, "free head sway");
    expectRel(U[0][5], standing.free(H).slope, tol, "free head rotation");
    expectRel(U[1][1], standing.held(H).y, tol, "held head sway");
    expectRel(top[1][MZ], -standing.held(H).moment, tol, "held head moment");
    const double excess = U[0][1] / LongPile{}.free(H).y - 1.0;
    EXPECT_GT(excess, 0.8 * h * LongPile::beta());
    EXPECT_LT(excess, 1.3 * h * LongPile::beta());
  }
}

// One plane row of three piles at the cap origin, 30 kips on the cap. A row
// fixed to a cap free to rotate has free heads; held against rotation each
// pile takes H / 3 and the moment H / (6 beta), and the cap's reaction is the
// row's moment. A pinned row leaves nothing to resist the cap's rotation
// (the first case fails singular), and held against rotation its piles sway
// as free heads with no moment.
TEST(SubgradeRun, PlaneRowPinnedAndFixedToTheCap) {
  test::ScratchDir dir;
  const double H = 30000.0, n = 3.0;
  // Plane rows: 3 cap values, and pile tops of 3 displacements and 3 forces.
  constexpr int PY = 4, PM = 5;
  const Head f = LongPile{}.free(H / n), s = LongPile{}.held(H / n);

  ASSERT_EQ(runInput(fixture("plane_row_elastic.inp")), 0);
  auto U = capDisplacements();
  auto P = capLoads();
  auto top = pileTops();
  ASSERT_EQ(U.size(), 2u);
  ASSERT_EQ(top.size(), 2u);
  expectRel(U[0][1], f.y, TOL, "fixed row, free cap: sway");
  expectRel(U[0][2], f.slope, TOL, "fixed row, free cap: rotation");
  EXPECT_NEAR(top[0][PY], H / n, 1e-6 * H);
  expectRel(U[1][1], s.y, TOL, "fixed row, held cap: sway");
  EXPECT_EQ(U[1][2], 0.0);
  EXPECT_NEAR(top[1][PY], H / n, 1e-6 * H);
  expectRel(top[1][PM], -s.moment, TOL, "fixed row, held cap: moment of one pile");
  expectRel(P[1][2], n * top[1][PM], 1e-6, "fixed row, held cap: moment of the row");
  auto status = readLines("run.sta");
  ASSERT_EQ(status.size(), 9u);
  EXPECT_EQ(status[5], "    1 ANALYSIS COMPLETED");
  EXPECT_EQ(status[8], "    1 ANALYSIS COMPLETED");

  ASSERT_EQ(runInput(replaced(fixture("plane_row_elastic.inp"), "2 3 1 0 0 0 1", "1 3 1 0 0 0 1")), 0);
  status = readLines("run.sta");
  ASSERT_EQ(status.size(), 9u);
  EXPECT_EQ(status[5], "    7 SINGULAR STIFFNESS MATRIX ");
  EXPECT_EQ(status[8], "    1 ANALYSIS COMPLETED");
  U = capDisplacements();
  top = pileTops();
  ASSERT_EQ(U.size(), 1u);
  ASSERT_EQ(top.size(), 1u);
  expectRel(U[0][1], f.y, TOL, "pinned row, held cap: sway");
  EXPECT_NEAR(top[0][PY], H / n, 1e-6 * H);
  EXPECT_NEAR(top[0][PM], 0.0, 1e-6 * H / LongPile::beta());
}

// A pile without axial rigidity to speak of (E = 1E-307 lb/in^2): the march
// of the generated load-settlement curve from the tip overflows in its first
// element, which can never settle, and the input stage ends the run.
TEST(SubgradeRun, HeadCurveThatCannotBeGeneratedEndsTheRun) {
  test::ScratchDir dir;
  const std::string section = "11.5E6 24.35 731.9 731.9 0.0 1.683E10 6.008E6 3.652E5 ";
  const std::string in = replaced(fixture("space_min.inp"), section + "29.0E6 0.0 0", section + "1.0E-307 0.0 0");
  EXPECT_EQ(runInput(in), STAT_HC_CONV);
  const auto log = readLines("run.log");
  const auto has = [&](const std::string& text) {
    for (const std::string& l : log)
      if (l.find(text) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(has("LOAD-SETTLEMENT CURVE OF PILE PROPERTY 1: THE MOVEMENT OF ELEMENT 1 DOES NOT CONVERGE"));
  EXPECT_TRUE(has("CONVERGENCE ERROR, "));
  EXPECT_TRUE(has("WHILE COMPUTING AXIAL FORCES ALONG PILE"));
  EXPECT_TRUE(capDisplacements().empty());
}

// Plane rows of 50 ft in a profile that ends at 45 ft, with no head curve to
// generate: the check of the tips against the profile stops the run with the
// node set-up's status and message before any row is solved.
TEST(SubgradeRun, PlaneRowBelowTheProfileStopsTheAnalysis) {
  test::ScratchDir dir;
  std::string in = fixture("plane_min.inp");
  in = replaced(in, "20.0 80.0", "20.0 45.0");
  for (int k = 0; k < 2; ++k) in = replaced(in, "2 2 1 0 0 0 1", "2 2 1 0 0 0 0");
  in = replaced(in, "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", "GENERATED LOAD-SETTLEMENT CURVES\n0");
  EXPECT_EQ(runInput(in), STAT_NODE2D_BELOW);
  const auto out = readLines("run.out");
  int fatal = 0;
  for (std::size_t i = 0; i + 2 < out.size(); ++i)
    if (out[i] == "     **** FATAL ERROR ****") {
      ++fatal;
      EXPECT_EQ(out[i + 1], "     THE PILE LENGTH,   0.60E+03( IN), EXTENDS BELOW THE");
      EXPECT_EQ(out[i + 2], "     BOTTOM OF THE DEEPEST LAYER.");
    }
  EXPECT_GE(fatal, 1);
}

}  // namespace
}  // namespace drelm
