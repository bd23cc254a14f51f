// Passive resistance of an embedded cap: the pressure block against hand
// values and its split between the horizontal directions.
#include "cap/cappas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cap/capfixture.h"

namespace drelm {
namespace {

TEST(CapPassive, PressureBlockAgainstHandValues) {
  struct Case {
    double gx, tx, q, g, H, M;
  };
  const double q = 7.0, g = 0.5;
  const Case cases[] = {
      {-2.0, 3.0, q, g, q, q * (2.0 / 3.0 - g)},  // triangle over 2 units
      {-5.0, 3.0, q, g, 2.1 * q, 2.7 * q - 2.1 * q * g},           // trapezoid, f = 0.4 q
      {0.0, 3.0, q, g, 0.0, 0.0},                                   // ground at the origin
      {-1.0e-7, 3.0, q, g, 0.0, 0.0},
  };
  for (const Case& c : cases) {
    const PressureBlock b = passiveBlock(c.gx, c.tx, c.q, c.g, -1.0E-6);
    EXPECT_NEAR(b.H, c.H, 1e-12) << c.gx;
    EXPECT_NEAR(b.M, c.M, 1e-12) << c.gx;
  }
}

TEST(CapPassive, ResistanceOpposesTheMovementAndSplitsByShare) {
  test::CapRun run;
  run.add(test::pinned(100.0, 10.0), 0.0, 0.0, 0.0);
  run.add(test::pinned(100.0, 10.0), 0.0, 5.0, 0.0);
  CAPCTL.CAPTX = 3.0;
  for (int p = 1; p <= 2; ++p) {
    SOILCOM.GRNDX(p) = -2.0;
    SOILCOM.PUCAP(p) = 7.0;
  }
  PILEAR.PHX(2) = 0.5;
  const PressureBlock b = passiveBlock(-2.0, 3.0, 7.0, 0.5, -1.0E-6);
  const double H = b.H, M = b.M;
  struct Case {
    double u2, u3;
    double f[6];
    double r;  // share of the resistance read on the curve
  };
  const Case cases[] = {
      {0.01, 0.0, {0, -H, 0, 0, 0, M}, 1.0},
      {-0.01, 0.0, {0, H, 0, 0, 0, -M}, 1.0},
      {0.02, 0.02, {0, -H / 2, -H / 2, 0, -M / 2, M / 2}, 1.0},
      // Below 1E-4 the secant there: a straight line through 0.
      {2.5e-5, 0.0, {0, -H / 4, 0, 0, 0, M / 4}, 0.25},
      {0.0, 0.0, {0, 0, 0, 0, 0, 0}, 0.0},
  };
  for (const Case& c : cases) {
    const double U[6] = {0.1, c.u2, c.u3, 0.01, 0.02, 0.03};
    double FP[6];
    std::int32_t ISTAT = 0;
    CAPPAS(FP, U, ISTAT);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(FP[i], c.f[i], 1e-12) << c.u2 << "," << c.u3 << " component " << i;
    EXPECT_DOUBLE_EQ(CAPCTL.CAPGXM, -2.0);
    EXPECT_DOUBLE_EQ(CAPCTL.CAPPUM, 7.0 * c.r);
    EXPECT_DOUBLE_EQ(CAPCTL.CAPUHM, std::max(std::hypot(c.u2, c.u3), 1.0e-4));
  }
}

TEST(CapPassive, NoStiffnessWhenTheGroundIsBelowTheCap) {
  test::CapRun run;
  run.add(test::pinned(100.0, 10.0), 0.0, 0.0, 0.0);
  CAPCTL.CAPTX = 3.0;
  SOILCOM.GRNDX(1) = 1.0;
  SOILCOM.PUCAP(1) = 7.0;
  const double U[6] = {0.1, 0.01, 0.0, 0, 0, 0};
  double KP[36];
  std::int32_t ISTAT = 0;
  CAPPASK(KP, U, ISTAT);
  for (double k : KP) EXPECT_EQ(k, 0.0);
}

}  // namespace
}  // namespace drelm
