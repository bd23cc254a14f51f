// Node set-up of plane pile rows: node depths and axial coordinates, the
// layer ranges, the batter adjustment and the row that reaches below the soil.
#include "pile/node2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "support/soilprofile.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::setLayerBounds;

// Row 1 of property 1: length len in ninc increments, head at X = head.
void setRow(double len, int ninc, double head, double battDeg = 0.0) {
  RUNCTL.IUNITS = 1;
  UNITSET(1, 0);
  PILEAR.PROPOFPILE(1) = 1;
  PILEPROP.PLEN(1) = len;
  PILEPROP.NINC(1) = ninc;
  PILEPROP.DXINC(1) = len / ninc;  // the preprocessing's spacing
  PILEAR.PHXREF(1) = head;
  PILEAR.PHX(1) = -999.0;  // the space head coordinate is not the plane one
  PILEAR.PBATT(1) = battDeg * M_PI / 180.0;
}

struct RangeCase {
  const char* name;
  std::vector<std::pair<double, double>> layers;
  double len;
  int ninc;
  double head;
  double battDeg;
  int ibatad;
  double depthStep;                        // expected XNODE step
  std::vector<std::pair<int, int>> ranges;  // expected LNODE1, LNODE2 per layer
};

TEST(Node2d, NodeDepthsAndLayerRanges) {
  const RangeCase cases[] = {
      {"three layers along a vertical row", {{0, 25}, {25, 60}, {60, 200}}, 100, 10, 0, 0, 0, 10,
       {{1, 3}, {4, 6}, {7, 11}}},
      // The head opens layer 1 and each next node one more layer, whatever
      // their depths.
      {"head below the tops of two layers", {{0, 10}, {10, 20}, {20, 300}}, 100, 10, 50, 0, 0, 10,
       {{1, 1}, {2, 2}, {3, 11}}},
      // The first layer below the tip holds the tip as a placeholder; the
      // deeper ones hold no node; all end at the tip.
      {"tip above the lower layers", {{0, 30}, {30, 40}, {40, 50}, {50, 60}}, 20, 4, 0, 0, 0, 5,
       {{1, 5}, {5, 5}, {0, 5}, {0, 5}}},
      // cos 60 = 0.5: depth step 5, the axial step stays 10.
      {"battered row with the depth adjustment", {{0, 42}, {42, 100}}, 100, 10, 0, 60, 1, 5,
       {{1, 9}, {10, 11}}},
      {"battered row without the adjustment", {{0, 42}, {42, 100}}, 100, 10, 0, 60, 0, 10,
       {{1, 5}, {6, 11}}},
      {"vertical row with the adjustment", {{0, 42}, {42, 100}}, 100, 10, 0, 0, 1, 10, {{1, 5}, {6, 11}}},
      {"the most nodes a row can have", {{0, 50.05}, {50.05, 200}}, 100, 100, 0, 0, 0, 1,
       {{1, 51}, {52, 101}}},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    SOILCOM = SOILCOM_T{};
    LAYNODE = LAYNODE_T{};
    RUNCTL.IBATAD = c.ibatad;
    int L = 0;
    for (const auto& [top, bot] : c.layers) {
      ++L;
      SOILCOM.LTOP(L) = top;
      SOILCOM.LBOT(L) = bot;
    }
    SOILCOM.NLAYER = L;
    setRow(c.len, c.ninc, c.head, c.battDeg);
    std::int32_t st = 0;
    NODE2D(1, st);
    EXPECT_EQ(st, 0);
    const double h = c.len / c.ninc;
    for (int k = 1; k <= c.ninc + 1; ++k) {
      EXPECT_NEAR(PILENODE.XNODE(1, k), c.head + (k - 1) * c.depthStep, 1e-9) << "node " << k;
      EXPECT_NEAR(PILENODE.XPILE(1, k), c.head + (k - 1) * h, 1e-9) << "node " << k;
    }
    for (int l = 1; l <= L; ++l) {
      EXPECT_EQ(LAYNODE.LNODE1(1, l), c.ranges[l - 1].first) << "layer " << l;
      EXPECT_EQ(LAYNODE.LNODE2(1, l), c.ranges[l - 1].second) << "layer " << l;
    }
  }
}

// Spacings that are not exact in binary: each node lies at head + (i - 1)
// step, and a tip that rounding would put a hair below the deepest layer's
// bottom lies on it; a row truly longer than the profile is still refused.
TEST(Node2d, TipOnTheDeepestBottomDespiteRounding) {
  test::ScratchDir dir;
  RUNCTL.IBATAD = 0;
  for (double head : {0.0, 0.1, 0.3, 1.3, 2.7, -0.7}) {
    for (int ninc : {13, 70, 30, 7, 3}) {
      SCOPED_TRACE(testing::Message() << "head " << head << ", " << ninc << " increments");
      const double bottom = head + 5.0;
      setLayerBounds({{-1.0, head + 2.0}, {head + 2.0, bottom}});
      setRow(5.0, ninc, head);
      std::int32_t st = 0;
      NODE2D(1, st);
      ASSERT_EQ(st, 0);
      const double h = PILEPROP.DXINC(1);
      for (int k = 1; k <= ninc; ++k) EXPECT_EQ(PILENODE.XNODE(1, k), head + (k - 1) * h) << k;
      EXPECT_LE(PILENODE.XNODE(1, ninc + 1), bottom);
      EXPECT_NEAR(PILENODE.XNODE(1, ninc + 1), bottom, 1e-12);
      EXPECT_EQ(LAYNODE.LNODE2(1, 2), ninc + 1);

      setLayerBounds({{-1.0, head + 2.0}, {head + 2.0, bottom - 1e-6}});
      NODE2D(1, st);
      EXPECT_EQ(st, 13);
    }
  }
}

TEST(Node2d, RowWithItsOwnCurvesGetsNodesButNoRanges) {
  setLayerBounds({{0, 30}, {30, 50}});
  setRow(100, 10, 5);
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 2;
  std::int32_t st = 0;
  NODE2D(1, st);  // 100 long in 50 of soil, yet no depth check
  EXPECT_EQ(st, 0);
  EXPECT_DOUBLE_EQ(PILENODE.XNODE(1, 11), 105.0);
  EXPECT_DOUBLE_EQ(PILENODE.XPILE(1, 11), 105.0);
  for (int L = 1; L <= 2; ++L) {
    EXPECT_EQ(LAYNODE.LNODE1(1, L), 0);
    EXPECT_EQ(LAYNODE.LNODE2(1, L), 0);
  }
}

// A profile without layers has nothing to hold the row; a property without
// increments cannot be divided into nodes.
TEST(Node2d, RowWithoutSoilOrIncrementsIsRefused) {
  test::ScratchDir dir;
  setRow(100, 10, 0);
  SOILCOM.NLAYER = 0;
  std::int32_t st = 0;
  NODE2D(1, st);
  EXPECT_EQ(st, 13);
  setLayerBounds({{0, 200}});
  PILEPROP.NINC(1) = 0;
  st = 0;
  NODE2D(1, st);
  EXPECT_EQ(st, 43);
}

// The status word is shared by the rows of one evaluation: a code left by
// another row stays, unless this row itself is too long.
TEST(Node2d, StatusOfTheTipAgainstTheDeepestLayer) {
  struct Case {
    double bottom;
    std::int32_t before, after;
  } cases[] = {
      {100.0, 0, 0},    // tip exactly at the bottom is accepted
      {100.0, 21, 21},  // another row's code is kept
      {95.0, 0, 13},
      {95.0, 21, 13},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bottom " << c.bottom << " status " << c.before);
    test::ScratchDir dir;
    ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
    ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
    setLayerBounds({{0, 40}, {40, c.bottom}});
    setRow(100, 10, 0);
    std::int32_t st = c.before;
    NODE2D(1, st);
    EXPECT_EQ(st, c.after);
    io::CLOSEALL();
    const std::vector<std::string> fatal = {
        "", "", "", "     **** FATAL ERROR ****",
        "     THE PILE LENGTH,   0.10E+03( IN), EXTENDS BELOW THE", "     BOTTOM OF THE DEEPEST LAYER."};
    for (const char* f : {"results.txt", "log.txt"}) {
      const std::vector<std::string> lines = test::readLines(dir.path() / f);
      if (c.after == 13)
        EXPECT_EQ(lines, fatal) << f;
      else
        EXPECT_TRUE(lines.empty()) << f;
    }
    if (c.after == 13) {
      // The nodes above the failing one are placed; the failing one is not
      // kept beyond the bottom check.
      EXPECT_DOUBLE_EQ(PILENODE.XNODE(1, 10), 90.0);
      EXPECT_EQ(LAYNODE.LNODE1(1, 2), 5);
    }
  }
}

}  // namespace
}  // namespace drelm
