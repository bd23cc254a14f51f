// The soil record and its look-ups after the input stage and the
// preprocessing of a whole input file (soft clay over sand, English units).
#include <gtest/gtest.h>

#include <numbers>

#include "model/model.h"
#include "prep/prepro.h"
#include "soil/lookup.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

TEST(SoilRun, SpaceFixtureBuildsTheRecord) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeFile("input.inp", test::readFile(test::dataFile("space_min.inp")));
  std::int32_t ISTAT = 0;
  test::runToConvin(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  PREPRO(ISTAT);
  ASSERT_EQ(ISTAT, 0);

  const SOILCOM_T& S = SOILCOM;
  const double deg = std::numbers::pi / 180.0;
  ASSERT_EQ(S.NLAYER, 2);
  EXPECT_EQ(S.NPROF, 4);
  EXPECT_EQ(S.LTYPE(1), 1);
  EXPECT_EQ(S.LTYPE(2), 4);
  // Depths 0, 20 and 80 ft in inches; the boundary is two points.
  EXPECT_DOUBLE_EQ(S.XPROF(1), 0.0);
  EXPECT_DOUBLE_EQ(S.XPROF(2), 240.0);
  EXPECT_DOUBLE_EQ(S.XPROF(3), 240.0);
  EXPECT_DOUBLE_EQ(S.XPROF(4), 960.0);
  EXPECT_DOUBLE_EQ(S.LTOP(1), 0.0);
  EXPECT_DOUBLE_EQ(S.LBOT(2), 960.0);
  // Soft clay: c 400 -> 800 psf, E50 0.02, J 0.5; its friction angle of 30 is dropped.
  EXPECT_NEAR(S.CPROF(1), 400.0 / 144.0, 1e-9);
  EXPECT_NEAR(S.CPROF(2), 800.0 / 144.0, 1e-9);
  EXPECT_EQ(S.PHIPR(1), 0.0);
  EXPECT_DOUBLE_EQ(S.E50PR(1), 0.02);
  EXPECT_EQ(S.JPROF(1), 0.0);  // soft clay keeps no J
  // Sand: 60 pcf, friction angle 34 -> 36 degrees, k = 90 pci.
  EXPECT_NEAR(S.GAMPR(3), 60.0 / 1728.0, 1e-12);
  EXPECT_NEAR(S.PHIPR(3), 34 * deg, 1e-12);
  EXPECT_NEAR(S.PHIPR(4), 36 * deg, 1e-12);
  EXPECT_DOUBLE_EQ(S.KPROF(3), 90.0);

  // Look-ups through the record: the strength at the boundary is the clay's
  // (the sand has none) and the friction angle the sand's (the clay has none).
  EXPECT_NEAR(SOILC(240.0, ISTAT), 800.0 / 144.0, 1e-9);
  EXPECT_NEAR(SOILPHI(240.0, ISTAT), 34 * deg, 1e-12);
  EXPECT_NEAR(SOILPHI(600.0, ISTAT), 35 * deg, 1e-12);
  // Overburden average at 40 ft: 20 ft of 50 pcf and 20 ft of 60 pcf.
  EXPECT_NEAR(GAMAVG(480.0, ISTAT), 55.0 / 1728.0, 1e-12);
  EXPECT_EQ(ISTAT, 0);
  EXPECT_EQ(GAMAVG(1000.0, ISTAT), 0.0);
  EXPECT_EQ(ISTAT, STAT_GAM_BEYOND);
  // The section table is closed behind its last row.
  const int t = PILEAR.PROPOFPILE(1);
  EXPECT_DOUBLE_EQ(SECTAB.SXFROM(t, PILEPROP.NSECT(t) + 1), 1.2 * PILEPROP.PLEN(t));
  test::closeRun(ISTAT);
}

}  // namespace
}  // namespace drelm
