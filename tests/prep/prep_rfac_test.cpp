// Reduction factors for closely spaced piles in the preprocessing: the sense
// of movement taken from the first load case or a defined direction, and the
// combination of the Y and Z factors in space analysis.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_tables.h"
#include "model/tables.h"

namespace drelm {
namespace {

constexpr double SIDE3 = 0.929825, LEAD3 = 0.931429, TRAIL3 = 0.728698;

class ReductionTable : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    SECTAB.SDIAT(1, 1) = 1.0;  // positions in diameters
  }
  static void pile(int p, double y, double z, double n = 1.0) {
    RUNCTL.NPILE = std::max(RUNCTL.NPILE, p);
    PILEAR.GRPNP(p) = n;
    PILEAR.PHY(p) = y;
    PILEAR.PHZ(p) = z;
    PILEAR.PROPOFPILE(p) = 1;
  }
  // Load case 1: one load V, Hy, Hz at (0, y, z).
  static void firstCase(double V, double Hy, double Hz, double y = 0, double z = 0) {
    CASEIN.NLCASE = 1;
    CASEIN.CASTOL(1, 5) = 1.0;
    CASEIN.CASCTL(1, 15) = 1;
    CASEIN.LCCONC(1, 1, 1) = V;
    CASEIN.LCCONC(1, 1, 2) = Hy;
    CASEIN.LCCONC(1, 1, 4) = Hz;
    CASEIN.LCCONC(1, 1, 8) = y;
    CASEIN.LCCONC(1, 1, 9) = z;
  }
  std::int32_t run(std::int32_t antyp, std::int32_t option) {
    RUNCTL.IANTYP = antyp;
    CAPCTL.IRFOPT = option;
    test::units(1);
    test::openReports();
    std::int32_t ISTAT = 0;
    PRPRFK(ISTAT);
    test::closeReports();
    out = test::echoLines();
    return ISTAT;
  }
  bool has(const std::string& s) const { return test::anyLineHas(out, s); }
  test::ScratchDir dir;
  std::vector<std::string> out;
};

// Two piles at the same Y, 3 diameters apart in Z; the first load case
// pushes towards -Z only: Y factors side by side, Z factors in line with the
// pile of smaller Z leading, and the combined factor is the Z factor.
TEST_F(ReductionTable, SpaceLoadAlongMinusZ) {
  pile(1, 0, 0);
  pile(2, 0, 3);
  firstCase(0, 0, -50);
  ASSERT_EQ(run(3, 1), 0);
  EXPECT_NEAR(GRPFAC.GRPPFY(1), SIDE3, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPFZ(1), LEAD3, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPFZ(2), TRAIL3, 5e-7);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(1), GRPFAC.GRPPFZ(1));
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(2), GRPFAC.GRPPFZ(2));
  EXPECT_DOUBLE_EQ(GRPFAC.GRPYF(2), 1.0);
  EXPECT_TRUE(has("       ESTIMATED ASSUMING MOVEMENT IN THE DIRECTION OF Y-FORCE (+)"));
  EXPECT_TRUE(has("       ESTIMATED ASSUMING MOVEMENT IN THE DIRECTION OF Z-FORCE (-)"));
  EXPECT_TRUE(has("       PILE DIAMETER =      1.000  IN"));
}

// The weights of the Y and Z factors: the horizontal forces, else the
// moments about Z and Y, else equal weights.
TEST_F(ReductionTable, SpaceCombinationWeights) {
  const struct {
    double V, Hy, Hz, y, z, cy, cz;
  } cases[] = {
      {0, 30, 40, 0, 0, 0.6, 0.8},
      {100, 0, 0, 3, 4, 0.6, 0.8},  // Mz = -300, My = 400
      {0, 0, 0, 0, 0, std::sqrt(0.5), std::sqrt(0.5)},
  };
  for (const auto& c : cases) {
    SetUp();
    pile(1, 0, 0);
    pile(2, 0, 3);
    firstCase(c.V, c.Hy, c.Hz, c.y, c.z);
    ASSERT_EQ(run(3, 1), 0);
    for (int p = 1; p <= 2; ++p)
      EXPECT_NEAR(GRPFAC.GRPPF(p), std::hypot(c.cy * GRPFAC.GRPPFY(p), c.cz * GRPFAC.GRPPFZ(p)), 1e-12);
    // Towards +Z the pile of larger Z leads.
    EXPECT_NEAR(GRPFAC.GRPPF(2), std::hypot(c.cy * SIDE3, c.cz * LEAD3), 1e-6);
    EXPECT_NEAR(GRPFAC.GRPYF(2), 1.0, 1e-12);
  }
}

// A defined direction: its signs give the senses, its components the weights.
TEST_F(ReductionTable, SpaceDefinedDirection) {
  pile(1, 0, 0);
  pile(2, 3, 0);
  firstCase(0, 50, 0);  // not used with a defined direction
  CAPCTL.RFDIRY = -1.0;
  CAPCTL.RFDIRZ = 0.0;
  ASSERT_EQ(run(3, 3), 0);
  EXPECT_NEAR(GRPFAC.GRPPFY(1), LEAD3, 5e-7);
  EXPECT_NEAR(GRPFAC.GRPPFY(2), TRAIL3, 5e-7);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(1), GRPFAC.GRPPFY(1));
  EXPECT_TRUE(has("       ESTIMATED BASED ON DEFINED MOVEMENT IN THE Y-DIRECTION OF (-)"));
  EXPECT_TRUE(has("       ESTIMATED BASED ON DEFINED MOVEMENT IN THE Z-DIRECTION OF (+)"));
}

// Factors of the input: both tables as given, no movement line, no combination.
TEST_F(ReductionTable, SpaceFactorsOfTheInput) {
  pile(1, 0, 0);
  GRPFAC.GRPPF(1) = GRPFAC.GRPPFY(1) = 0.5;
  GRPFAC.GRPYFY(1) = 0.9;
  GRPFAC.GRPPFZ(1) = 0.8;
  GRPFAC.GRPYFZ(1) = 1.0;
  ASSERT_EQ(run(3, 2), 0);
  EXPECT_DOUBLE_EQ(GRPFAC.GRPPF(1), 0.5);
  EXPECT_FALSE(has("ESTIMATED"));
  EXPECT_TRUE(has("                1           0.5000       0.9000 "));
  EXPECT_TRUE(has("                1           0.8000       1.0000 "));
}

// Plane rows one behind the other along Y: a defined positive direction
// moves towards +Y whatever the first load case's horizontal force.
TEST_F(ReductionTable, PlaneSenseOfTheMovement) {
  const struct {
    std::int32_t option;
    double H, diry;
    bool towardsPlusY;
  } cases[] = {
      {1, 50, 1, true}, {1, -50, 1, false}, {3, -50, 1, true}, {3, 50, -1, false}, {3, -50, 0, true},
  };
  for (const auto& c : cases) {
    SetUp();
    pile(1, 0, 0);
    pile(2, 3, 0);
    firstCase(0, c.H, 0);
    CAPCTL.RFDIRY = c.diry;
    ASSERT_EQ(run(2, c.option), 0);
    EXPECT_NEAR(GRPFAC.GRPPF(2), c.towardsPlusY ? LEAD3 : TRAIL3, 5e-7) << c.option << " " << c.H;
    EXPECT_NEAR(GRPFAC.GRPPF(1), c.towardsPlusY ? TRAIL3 : LEAD3, 5e-7) << c.option << " " << c.H;
  }
}

// Without load cases the sense comes from no stale load: towards +Y.
TEST_F(ReductionTable, PlaneWithoutLoadCases) {
  pile(1, 0, 0);
  pile(2, 3, 0);
  firstCase(0, -50, 0);
  CASEIN.NLCASE = 0;
  ASSERT_EQ(run(2, 1), 0);
  EXPECT_NEAR(GRPFAC.GRPPF(2), LEAD3, 5e-7);
}

TEST_F(ReductionTable, TooManyIndividualPiles) {
  pile(1, 0, 0, 30000.0);
  GRPFAC.GRPSPC(1) = 3.0;
  EXPECT_EQ(run(2, 1), STAT_CAPACITY);
  EXPECT_FALSE(has("* TABLE K *"));
}

}  // namespace
}  // namespace drelm
