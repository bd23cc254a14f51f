// Reduction factors for closely spaced piles: the pair rule at hand-checked
// values and the row factors of whole foundations.
#include <gtest/gtest.h>

#include "model/model.h"
#include "model/tables.h"
#include "soil/grprf.h"

namespace drelm {
namespace {

class GroupFactors : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    SECTAB.SDIAT(1, 1) = 1.0;  // positions below are in diameters
    SECTAB.SDIAT(2, 1) = 2.0;
  }
  // Pile (or plane row) p with n piles at (y, z) of property prop.
  static void pile(int p, double y, double z, double n = 1.0, int prop = 1) {
    RUNCTL.NPILE = std::max(RUNCTL.NPILE, p);
    PILEAR.GRPNP(p) = n;
    PILEAR.PHY(p) = y;
    PILEAR.PHZ(p) = z;
    PILEAR.PROPOFPILE(p) = prop;
  }
};

TEST(GroupPair, HandCheckedValues) {
  const struct {
    double o, u, sense, f;
  } cases[] = {
      {0, 3, 1, 0.929825},   {0, -3, -1, 0.929825},  // side by side
      {3, 0, 1, 0.931429},   {-3, 0, 1, 0.728698},   // in line: leading, trailing
      {3, 0, -1, 0.728698},  {-3, 0, -1, 0.931429},  // the other sense swaps them
      {2, 2, 1, 0.914338},   {-2, -2, 1, 0.818044},  // skewed at 45 degrees
      {3, 4, 1, 1.0},        {-3, 4, 1, 0.960125},   // skewed, d = 5
      {0, 0, 1, 0.0},                                // same position
      {0, 3.8, 1, 1.0},      {4.0, 0, 1, 1.0},       // beyond the limits of 1
      {0, 5.5, 1, 1.0},      {-8.5, 0, 1, 1.0},  {-6, -6, 1, 1.0},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(GRPPAIR(c.o, c.u, c.sense), c.f, 5e-7) << c.o << " " << c.u << " " << c.sense;
}

TEST_F(GroupFactors, OnePileKeepsOne) {
  RUNCTL.IANTYP = 3;
  pile(1, 0, 0);
  GRPFAC.GRPPF(1) = 0.3;
  GRPFAC.GRPYF(1) = 0.3;
  GRPRFY(1.0);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(1), 1.0);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPYF(1), 1.0);
}

TEST_F(GroupFactors, SpacePairAcrossAndAlongTheMovement) {
  RUNCTL.IANTYP = 3;
  pile(1, 5, 0);
  pile(2, 5, 3);
  GRPRFY(1.0);
  EXPECT_NEAR(GRPFAC.GRPPF(1), 0.929825, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPF(2), 0.929825, 5e-7);
  GRPRFZ(1.0);
  EXPECT_NEAR(GRPFAC.GRPPFZ(1), 0.728698, 5e-7);  // trails
  EXPECT_NEAR(GRPFAC.GRPPFZ(2), 0.931429, 5e-7);  // leads
  EXPECT_DOUBLE_EQ(GRPFAC.GRPYFZ(2), 1.0);
  EXPECT_DOUBLE_EQ(PILEAR.PHYREF(2), 5.0);
}

TEST_F(GroupFactors, PlaneRowIsTheMeanOfItsPiles) {
  RUNCTL.IANTYP = 2;
  pile(1, 0, 0, 3.0);
  GRPFAC.GRPSPC(1) = 3.0;
  GRPRFY(1.0);
  // Middle pile 0.929825^2 = 0.864574, outer piles 0.929825 (6 diameters to
  // the far one gives 1).
  EXPECT_NEAR(GRPFAC.GRPPF(1), (0.864574 + 2 * 0.929825) / 3, 1e-6);
  EXPECT_NEAR(GRPFAC.GRPPF(1), 0.908075, 1e-6);
  // Along Z the out-of-plane offsets 0, +3, -3 lie along the movement: the
  // pile at +3 leads (its far neighbour at 6 gives 1), the middle one trails
  // and leads, the pile at -3 trails twice (0.48 x 6^0.38 = 0.948285 with the rule's
  // single-precision constants).
  GRPRFZ(1.0);
  EXPECT_NEAR(GRPFAC.GRPPFZ(1), (0.931429 + 0.728698 * 0.931429 + 0.728698 * 0.948285) / 3, 1e-6);
}

TEST_F(GroupFactors, EveryAdmittedPileIsTaken) {
  RUNCTL.IANTYP = 3;
  for (int p = 1; p <= MAXPIL; ++p) pile(p, 0, 3.0 * p);
  GRPRFY(1.0);
  EXPECT_NEAR(GRPFAC.GRPPF(1), 0.929825, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPF(1250), 0.929825 * 0.929825, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPF(MAXPIL), 0.929825, 5e-7);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPYF(MAXPIL), 1.0);
}

TEST_F(GroupFactors, AverageDiameterOfEachPair) {
  RUNCTL.IANTYP = 3;
  pile(1, 0, 0, 1.0, 1);
  pile(2, 0, 4.5, 1.0, 2);
  // Mean diameter 1.5: s/b = 3.
  RFDCTL.IAVDIA = 1;
  GRPRFY(1.0);
  EXPECT_NEAR(GRPFAC.GRPPF(2), 0.929825, 5e-7);
  // Diameter of row 1's property for every pair: s/b = 4.5.
  RFDCTL.IAVDIA = 0;
  GRPRFY(1.0);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(2), 1.0);
}

// The factors of 200 scattered piles of two diameters, both senses and both
// axes, are exactly the products over every other pile in list order: only
// pairs beyond 8 diameters (factor 1.0) may be left out.
TEST_F(GroupFactors, EqualTheProductOverAllPairs) {
  RUNCTL.IANTYP = 3;
  unsigned seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % 100000) / 100000.0;
  };
  constexpr int N = 200;
  for (int p = 1; p <= N; ++p) {
    // Clusters and loners over 60 x 40 diameters, some on one line.
    const double y = p % 7 == 0 ? 10.0 : 60.0 * next() - 20.0;
    const double z = p % 5 == 0 ? 3.0 : 40.0 * next();
    pile(p, y, z, 1.0, p % 3 == 0 ? 2 : 1);
  }
  for (int average : {0, 1}) {
    RFDCTL.IAVDIA = average;
    for (double sense : {1.0, -1.0}) {
      GRPRFY(sense);
      GRPRFZ(sense);
      const auto diameter = [](int p) { return p % 3 == 0 ? 2.0 : 1.0; };
      int reduced = 0;
      for (int i = 1; i <= N; ++i) {
        double fy = 1.0, fz = 1.0;
        for (int j = 1; j <= N; ++j) {
          if (j == i) continue;
          const double b = average ? 0.5 * (diameter(i) + diameter(j)) : diameter(1);
          const double dy = PILEAR.PHY(i) - PILEAR.PHY(j), dz = PILEAR.PHZ(i) - PILEAR.PHZ(j);
          fy *= GRPPAIR(dy / b, dz / b, sense);
          fz *= GRPPAIR(dz / b, dy / b, sense);
        }
        EXPECT_EQ(GRPFAC.GRPPF(i), fy) << i << " average " << average << " sense " << sense;
        EXPECT_EQ(GRPFAC.GRPPFZ(i), fz) << i << " average " << average << " sense " << sense;
        if (fy < 1.0) ++reduced;
      }
      EXPECT_GT(reduced, N / 2);  // the case does have close pairs
    }
  }
}

}  // namespace
}  // namespace drelm
