// Whole runs of tests/data/plane_rfdepth.inp: two rows of one pile whose
// heads stand above X = 0, one on user p-y curves by depth, the other in the
// elastic subgrade those curves describe, sharing one set of multipliers
// along depth. Both take the set at each node's depth below its own head.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::fixture;
using test::wholerun::NodeRows;
using test::wholerun::pileTops;
using test::wholerun::replaced;
using test::wholerun::runInput;

// p = b ks y with b = 16 in and ks = 100 lb/in^3; nodes every 12 in.
constexpr double K = 1600.0;
constexpr double H = 12.0;
constexpr int Y = 2, REACTION = 15;  // quantities of the along-pile blocks

// The set of the fixture at depth d (in) below the head: p-multiplier 0.4,
// 0.8, 1.0 and y-multiplier 1.5, 1.2, 1.0 at 0, 10 and 20 ft; 1 below it.
double modulus(double d) {
  const double dep[3] = {0.0, 120.0, 240.0}, pm[3] = {0.4, 0.8, 1.0}, ym[3] = {1.5, 1.2, 1.0};
  if (d > dep[2]) return K;
  const int k = d <= dep[1] ? 1 : 2;
  const double t = (d - dep[k - 1]) / (dep[k] - dep[k - 1]);
  return K * (pm[k - 1] + t * (pm[k] - pm[k - 1])) / (ym[k - 1] + t * (ym[k] - ym[k - 1]));
}

TEST(DepthMultipliersRun, CurvesByDepthAndTheCriteriaTakeTheSetBelowEachHead) {
  const std::string rows = "2 1 1 0 0 1 1\n0.0 3.0 1.0 1.0 1.0\n-2.5 0.0 0.0 2.5";
  struct Case {
    const char* what;
    std::string input;
    double head1, head2;  // X of the heads, in
  } cases[] = {
      {"heads at X = -30 in", fixture("plane_rfdepth.inp"), -30.0, -30.0},
      {"second head embedded at X = 12 in",
       replaced(fixture("plane_rfdepth.inp"), rows, "2 1 1 0 0 1 1\n0.0 3.0 1.0 1.0 1.0\n1.0 0.0 0.0 -1.0"),
       -30.0, 12.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    ASSERT_EQ(runInput(c.input), 0);
    const auto rep = test::readLines("run.rp2");
    long at1 = 0, at2 = 0;
    const NodeRows row1 = test::wholerun::alongPile(rep, 0, at1);
    const NodeRows row2 = test::wholerun::alongPile(rep, static_cast<std::size_t>(at1) + 1, at2);
    ASSERT_EQ(row1.size(), 51u);
    ASSERT_EQ(row2.size(), 51u);
    // Soil reaction = the multiplied modulus times the deflection, with the
    // multipliers of the node's depth below its head; no soil above X = 0.
    const struct {
      const NodeRows& nodes;
      double head;
    } piles[] = {{row1, c.head1}, {row2, c.head2}};
    for (const auto& pile : piles) {
      for (std::size_t k = 0; k < pile.nodes.size(); ++k) {
        const double d = H * static_cast<double>(k), X = pile.head + d;
        const double expect = X > 0.0 ? modulus(d) * pile.nodes[k].at(Y) : 0.0;
        EXPECT_NEAR(pile.nodes[k].at(REACTION), expect, 1e-6 * std::fabs(expect) + 1e-9)
            << "head X " << pile.head << ", node " << k + 1;
      }
    }
    if (c.head1 != c.head2) continue;
    // Equal heads: the user curves and the criterion carry the same load.
    const auto tops = pileTops();
    ASSERT_EQ(tops.size(), 2u);
    for (std::size_t q = 0; q < tops[0].size(); ++q)
      EXPECT_NEAR(tops[0][q], tops[1][q], 1e-6 * (1.0 + std::fabs(tops[0][q]))) << "value " << q + 1;
    EXPECT_NEAR(tops[0][4], 15000.0, 1e-3);
  }
}

}  // namespace
}  // namespace drelm
