// Whole runs checked by value: a rigid cap on four pinned piles with linear
// head springs against the hand calculation, a given displacement at a
// point, a combination against the case of its factored loads, the load
// fractions of the steps, and the statuses that real inputs reach.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "model/model_run.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using test::wholerun::capDisplacements;
using test::wholerun::capLoads;
using test::wholerun::fixture;
using test::readLines;
using test::wholerun::replaced;
using test::wholerun::runInput;

// Four vertical piles pinned to the cap at (Y, Z) = (+-36, +-24) in, each on
// a linear head spring of 1E6 lb/in, in elastic subgrade (ks 100 lb/in^3).
// Cases: V = 400 kips; H = 40 kips along Y; Mz = 2E6 lb-in; 600 kips with
// 20 kips (1.5 x case 1 + 0.5 x case 2); a point of definition. The
// combination is 1.5 x case 1 + 0.5 x case 2.
TEST(AnalysisValues, RigidCapOnPinnedPilesWithLinearHeadSprings) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("space_springs4.inp")), 0);
  const auto U = capDisplacements();
  ASSERT_EQ(U.size(), 6u);
  constexpr double kax = 1.0E6, n = 4.0;
  // Settlement V / (n k_ax), no sway or rotation.
  EXPECT_NEAR(U[0][0], 400000.0 / (n * kax), 1e-9);
  for (int i = 1; i < 6; ++i) EXPECT_NEAR(U[0][i], 0.0, 1e-12) << i;
  // Rotation Mz / (k_ax sum of y^2); a moment moves the origin neither way.
  EXPECT_NEAR(U[2][5], 2.0E6 / (kax * n * 36.0 * 36.0), 1e-12);
  EXPECT_NEAR(U[2][0], 0.0, 1e-12);
  EXPECT_NEAR(U[2][1], 0.0, 1e-12);
  // The horizontal load moves the cap without settlement or rotation; a
  // pinned pile takes the load alone, so every pile sways as a free head
  // under H / n (the same sway as the single fixed pile on a cap that is
  // free to rotate, run below).
  EXPECT_GT(U[1][1], 0.0);
  for (int i : {0, 2, 3, 4, 5}) EXPECT_NEAR(U[1][i], 0.0, 1e-12) << i;
  // The factored case: settlement 600 / 400 of case 1; the axial force of
  // 150 kips per pile softens the beam-column, so the sway is more than
  // 20 / 40 of case 2.
  EXPECT_NEAR(U[3][0], 1.5 * U[0][0], 1e-9);
  EXPECT_GT(U[3][1], 0.5 * U[1][1] * 1.01);
  // The combination is the analysis of the factored sum of its cases' loads.
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(U[5][i], U[3][i]) << i;
  const auto P = capLoads();
  ASSERT_EQ(P.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(P[5][i], P[3][i]) << i;
  EXPECT_EQ(readLines("run.sta").back(), "    1 ANALYSIS COMPLETED");

  // Single fixed pile under 10 kips: the cap is free to rotate, so its sway
  // is that of each pinned pile of the group under 40 / 4 kips.
  ASSERT_EQ(runInput(fixture("space_pile1.inp")), 0);
  const auto one = capDisplacements();
  ASSERT_EQ(one.size(), 1u);
  EXPECT_NEAR(one[0][1], U[1][1], 1e-9 * U[1][1]);
}

// The point of definition at (0, 36, 24) in: vertical load 100 kips given,
// sway Y of 0.05 in given, every other load 0.
TEST(AnalysisValues, GivenDisplacementAtAPointIsReturnedThere) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(fixture("space_springs4.inp")), 0);
  const Lines out = readLines("run.out");
  std::size_t at = 0;
  for (; at < out.size(); ++at)
    if (out[at] == "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *") break;
  ASSERT_LT(at + 7, out.size());
  EXPECT_EQ(out[at + 3], "            VERTICAL ,IN      HORIZONTAL Y,IN*    HORIZONTAL Z,IN ");
  std::istringstream row(out[at + 4]);
  double ux = 0, uy = 0, uz = 0;
  row >> ux >> uy >> uz;
  EXPECT_DOUBLE_EQ(uy, 0.05);
  // Settlement under the point: V / (n k) plus the two rotations of the
  // eccentric load, 0.025 + 24 * 1.0417E-3 + 36 * 6.944E-4.
  EXPECT_NEAR(ux, 0.075, 1e-7);
  std::istringstream rot(out[at + 7]);
  double rx = 0, ry = 0, rz = 0;
  rot >> rx >> ry >> rz;
  EXPECT_NEAR(ry, 100000.0 * 24.0 / (1.0E6 * 4.0 * 24.0 * 24.0), 1e-8);
  EXPECT_NEAR(rz, -100000.0 * 36.0 / (1.0E6 * 4.0 * 36.0 * 36.0), 1e-8);
}

// Load fractions of the runtime log's step lines.
std::vector<double> stepFractions() {
  std::vector<double> t;
  for (const std::string& l : readLines("run.log")) {
    const std::size_t at = l.find(", TCUR ");
    if (l.rfind("     STEP ", 0) == 0 && at != std::string::npos) t.push_back(std::stod(l.substr(at + 7, 10)));
  }
  return t;
}

TEST(AnalysisValues, LoadStepsAndAnInitialStepBeyondTheLoad) {
  test::ScratchDir dir;
  const std::string base = fixture("space_pile1.inp");
  ASSERT_EQ(runInput(replaced(base, "0.0001 0.00001 0.25 0.01", "0.0001 0.00001 0.3 0.01")), 0);
  EXPECT_EQ(stepFractions(), (std::vector<double>{0.3, 0.6, 0.9, 1.0}));
  EXPECT_EQ(readLines("run.sta").back(), "    1 ANALYSIS COMPLETED");

  ASSERT_EQ(runInput(replaced(base, "0.0001 0.00001 0.25 0.01", "0.0001 0.00001 1.5 0.01")), 0);
  EXPECT_TRUE(stepFractions().empty());
  EXPECT_EQ(readLines("run.sta").back(), "    2 SOLUTION AT     0.00 % OF THE TOTAL LOAD");
}

TEST(AnalysisValues, SinglePinnedPileLeavesTheCapRotationFree) {
  test::ScratchDir dir;
  // Nothing resists a rotation of the cap: the case fails, the run goes on.
  ASSERT_EQ(runInput(replaced(fixture("space_pile1.inp"), "2 2 1 0 0 0 0 0 1 1", "1 1 1 0 0 0 0 0 1 1")), 0);
  EXPECT_EQ(readLines("run.sta").back(), "    7 SINGULAR STIFFNESS MATRIX ");
}

TEST(AnalysisValues, PilesThatMayIterateOnceNeverCloseOnSoftClay) {
  test::ScratchDir dir;
  // One lateral iteration per pile: the nonlinear clay never closes, every
  // step is halved down to the floor, the case fails and the run goes on.
  ASSERT_EQ(runInput(replaced(fixture("space_min.inp"), "0 0 0 1 0 100 100", "0 0 0 1 0 100 1")), 0);
  EXPECT_EQ(readLines("run.sta").back(), "    6 NO CONVERGENCE ON PILES   ");
}

TEST(AnalysisValues, PileBelowTheProfileWithoutGeneratedCurvesStopsTheAnalysis) {
  test::ScratchDir dir;
  // 50 ft piles in a profile that ends at 45 ft: with no head curve to
  // generate, the input stage reads no soil below the tip and the first
  // pile solution finds its nodes below the deepest layer.
  std::string in = fixture("space_min.inp");
  in = replaced(in, "20.0 80.0", "20.0 45.0");
  for (int k = 0; k < 4; ++k) in = replaced(in, "2 2 1 0 0 0 0 0 1 1", "2 2 1 0 0 0 0 0 0 0");
  in = replaced(in, "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", "GENERATED LOAD-SETTLEMENT CURVES\n0");
  in = replaced(in, "GENERATED TORQUE-ROTATION CURVES\n1\n1", "GENERATED TORQUE-ROTATION CURVES\n0");
  EXPECT_EQ(runInput(in), STAT_NODE_BELOW);
}

}  // namespace
}  // namespace drelm
