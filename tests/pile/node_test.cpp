// Node set-up of a space pile: node positions, the node ranges of the soil
// layers and the fatal error of a pile reaching below the deepest layer.
#include "pile/node.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pile/pilefixture.h"
#include "model/fileio.h"
#include "support/soilprofile.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::setLayerBounds;

struct Range {
  int first, last;
};

struct RangeCase {
  const char* name;
  double head;
  double len;
  int ninc;
  std::vector<Range> ranges;  // per layer
};

TEST(Node, LayerRangesAreContiguousWithThePlaceholderBelowTheTip) {
  // Layers 0-30, 30-60, 60-100, 100-200.
  const std::vector<RangeCase> cases = {
      // Nodes 0, 10, 20, 30, 40: the tip lies in layer 2; layer 3 is the
      // placeholder holding the tip alone; layer 4 holds no node.
      {"tip in the second layer", 0.0, 40.0, 4, {{1, 3}, {4, 5}, {5, 5}, {0, 5}}},
      // Nodes 0 .. 200 by 50: node 2 (50) opens layer 2, node 3 (100)
      // layer 3 and node 4 (150) layer 4, one layer per node.
      {"one layer opened per node", 0.0, 200.0, 4, {{1, 1}, {2, 2}, {3, 3}, {4, 5}}},
      // Head at 35 lies below the tops of layers 1 and 2: the head opens
      // layer 1, the next node layer 2, whatever their depths.
      {"head below two layer tops", 35.0, 20.0, 2, {{1, 1}, {2, 3}, {3, 3}, {0, 3}}},
      // The tip exactly at the bottom of the deepest layer is accepted.
      {"tip at the bottom of the profile", 0.0, 200.0, 20, {{1, 3}, {4, 6}, {7, 10}, {11, 21}}},
      // The tip node at 100 opens layer 4, and layer 3, whose bottom is at
      // the tip, still ends at the tip.
      {"101 nodes", 0.0, 100.0, 100, {{1, 30}, {31, 60}, {61, 101}, {101, 101}}},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    setLayerBounds({{0, 30}, {30, 60}, {60, 100}, {100, 200}});
    test::setProperty(1, c.len, c.ninc);
    test::setPile(1, 1, c.head);
    std::int32_t st = 0;
    NODE(1, st);
    EXPECT_EQ(st, 0);
    const int nn = c.ninc + 1;
    EXPECT_NEAR(PILENODE.XNODE(1, nn), c.head + c.len, 1e-9);
    for (int L = 1; L <= 4; ++L) {
      EXPECT_EQ(LAYNODE.LNODE1(1, L), c.ranges[L - 1].first) << "layer " << L;
      EXPECT_EQ(LAYNODE.LNODE2(1, L), c.ranges[L - 1].last) << "layer " << L;
    }
  }
}

// Spacings that are not exact in binary: each node lies at head + (i - 1)
// step, and a tip that rounding would put a hair below the deepest layer's
// bottom lies on it; a pile truly longer than the profile is still refused.
TEST(Node, TipOnTheDeepestBottomDespiteRounding) {
  test::ScratchDir dir;
  test::setLateralRun();
  for (double head : {0.0, 0.1, 0.3, 1.3, 2.7, -0.7}) {
    for (int ninc : {13, 70, 30, 7, 3}) {
      SCOPED_TRACE(testing::Message() << "head " << head << ", " << ninc << " increments");
      const double bottom = head + 5.0;
      setLayerBounds({{-1.0, head + 2.0}, {head + 2.0, bottom}});
      test::setProperty(1, 5.0, ninc);
      test::setPile(1, 1, head);
      std::int32_t st = 0;
      NODE(1, st);
      ASSERT_EQ(st, 0);
      const double dx = PILEPROP.DXINC(1);
      for (int k = 1; k <= ninc; ++k) EXPECT_EQ(PILENODE.XPILE(1, k), head + (k - 1) * dx) << k;
      EXPECT_LE(PILENODE.XNODE(1, ninc + 1), bottom);
      EXPECT_NEAR(PILENODE.XNODE(1, ninc + 1), bottom, 1e-12);
      EXPECT_EQ(LAYNODE.LNODE2(1, 2), ninc + 1);

      setLayerBounds({{-1.0, head + 2.0}, {head + 2.0, bottom - 1e-6}});
      NODE(1, st);
      EXPECT_EQ(st, STAT_NODE_BELOW);
    }
  }
}

// A node that rounding puts within depthTolerance of a layer boundary lies
// on it and opens the lower layer, from either side; one farther off stays
// where it is. The pile of a units pair: 88.72039058 ft in 50 increments,
// whose node 16 the English input puts 7.2E-8 in above a boundary that the
// SI input puts it on.
TEST(Node, NodeWithinRoundingOfALayerBoundaryLiesOnIt) {
  const double len = 88.72039058 * 12.0;
  const double node16 = 15 * (len / 50);
  const double tol = depthTolerance(len);
  const struct {
    const char* name;
    double boundary;
    bool on;
    int opens;  // first node of layer 2
  } cases[] = {
      {"boundary of the English input, below the node", 26.61611718 * 12.0, true, 16},
      {"boundary just above the node", node16 - 0.5 * tol, true, 16},
      {"boundary below by twice the tolerance", node16 + 2 * tol, false, 17},
      {"boundary above by twice the tolerance", node16 - 2 * tol, false, 16},
  };
  ASSERT_LT(26.61611718 * 12.0 - node16, tol);
  ASSERT_GT(26.61611718 * 12.0 - node16, 0.0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    setLayerBounds({{0, c.boundary}, {c.boundary, 1200}});
    test::setProperty(1, len, 50);
    test::setPile(1, 1);
    std::int32_t st = 0;
    NODE(1, st);
    ASSERT_EQ(st, 0);
    if (c.on) EXPECT_EQ(PILENODE.XNODE(1, 16), c.boundary);
    else EXPECT_EQ(PILENODE.XNODE(1, 16), node16);
    EXPECT_EQ(PILENODE.XPILE(1, 16), node16);  // the sections keep the axis
    EXPECT_EQ(LAYNODE.LNODE2(1, 1), c.opens - 1);
    EXPECT_EQ(LAYNODE.LNODE1(1, 2), c.opens);
  }
}

TEST(Node, BatterAdjustmentShortensTheDepthStepOnly) {
  setLayerBounds({{0, 500}});
  test::setProperty(1, 100.0, 10);
  test::setPile(1, 1, 5.0);
  PILEAR.PBATT(1) = M_PI / 4.0;
  std::int32_t st = 0;
  RUNCTL.IBATAD = 0;
  NODE(1, st);
  EXPECT_NEAR(PILENODE.XNODE(1, 11), 105.0, 1e-12);
  RUNCTL.IBATAD = 1;
  NODE(1, st);
  for (int k = 1; k <= 11; ++k) {
    EXPECT_NEAR(PILENODE.XPILE(1, k), 5.0 + 10.0 * (k - 1), 1e-12);
    EXPECT_NEAR(PILENODE.XNODE(1, k), 5.0 + 10.0 * (k - 1) * std::sqrt(0.5), 1e-12);
  }
  // A vertical pile with the adjustment on: depth and axis coincide.
  PILEAR.PBATT(1) = 0.0;
  NODE(1, st);
  for (int k = 1; k <= 11; ++k) EXPECT_EQ(PILENODE.XNODE(1, k), PILENODE.XPILE(1, k));
  EXPECT_EQ(st, 0);
}

TEST(Node, PileBelowTheDeepestLayerIsFatal) {
  test::ScratchDir dir;
  test::setLateralRun();
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  setLayerBounds({{0, 30}, {30, 45}});
  test::setProperty(1, 50.0, 5);
  test::setPile(1, 1);
  std::int32_t st = 0;
  NODE(1, st);
  EXPECT_EQ(st, STAT_NODE_BELOW);
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
  const std::vector<std::string> expected = {
      "", "", "", "     **** FATAL ERROR ****",
      "     THE PILE LENGTH,   0.50E+02( IN), EXTENDS BELOW THE", "     BOTTOM OF THE DEEPEST LAYER."};
  EXPECT_EQ(test::readLines("res.txt"), expected);
  EXPECT_EQ(test::readLines("log.txt"), expected);
}

TEST(Node, StatusOnEntryAndPilesWithTheirOwnCurves) {
  setLayerBounds({{0, 30}});
  test::setProperty(1, 20.0, 2);
  test::setPile(1, 1);
  std::int32_t st = 17;  // left by another pile of the same force sum
  NODE(1, st);
  EXPECT_EQ(st, 17);
  EXPECT_EQ(LAYNODE.LNODE1(1, 1), 1);

  // Own p-y curves by depth: no ranges and no depth check.
  test::setProperty(2, 80.0, 4);
  test::setPile(2, 2);
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(2) = 1;
  LAYNODE.LNODE1(2, 1) = LAYNODE.LNODE2(2, 1) = 9;
  st = 0;
  NODE(2, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(LAYNODE.LNODE1(2, 1), 0);
  EXPECT_EQ(LAYNODE.LNODE2(2, 1), 0);
  EXPECT_DOUBLE_EQ(PILENODE.XNODE(2, 5), 80.0);
}

}  // namespace
}  // namespace drelm
