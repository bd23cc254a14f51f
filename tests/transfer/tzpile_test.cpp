// Side t-z curves of a pile in clay over sand, against hand values.
#include <gtest/gtest.h>

#include <cmath>

#include "axfixture.h"
#include "transfer/tzpile.h"

namespace drelm {
namespace {

using test::AxLayer;

double sp(float x) { return static_cast<double>(x); }

// Head 24 in above the ground; soft clay (c = 5 psi) to X = 240, sand at 33
// degrees below. A 12 in pile, 600 in long.
class TzPile : public ::testing::Test {
 protected:
  void SetUp() override {
    test::setAxRun();
    test::setAxSoil({AxLayer{1, 24.0, 240.0, 0.03, 5.0, 0.0, 0.02},
                     AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 33.0}});
    test::setAxPile(PTYPE_DRIVEN, 12.0, 113.1, 29.0E6, 600.0, 50, 0.0, 24.0);
  }
  AXCRV_T c;
  std::int32_t st = 0;
  void run() {
    TZPILE(1, 1, 0.5, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZNPT, c.TZDEP);
  }
  // Overburden at X: 0.03 pci through the clay, 0.035 below.
  static double overburden(double X) { return 0.03 * std::min(X, 240.0) - 0.72 + 0.035 * std::max(X - 240.0, 0.0); }
};

TEST_F(TzPile, CurveDepthsAndCount) {
  run();
  ASSERT_EQ(st, 0);
  const double e = sp(0.1f);
  const double depth[8] = {24, 24, 24 + e, (24 + e + 240) / 2, 240 - e, 240 + e, (240 + e + 1200) / 2, 1200 - e};
  for (int P = 1; P <= 8; ++P) {
    EXPECT_DOUBLE_EQ(c.TZDEP(P), depth[P - 1]) << P;
    EXPECT_EQ(c.TZNPT(P), 10);
  }
  EXPECT_EQ(c.TZNPT(9), 0);  // no curve beyond 3 x layers + 2
  // The ground carries next to nothing.
  EXPECT_DOUBLE_EQ(c.TZMAX(1), sp(1.0E-6f));
  EXPECT_DOUBLE_EQ(c.TZMAX(2), sp(1.0E-6f));
  EXPECT_NEAR(c.TZT(6, 1), sp(1.0E-6f), 1e-12);
  // Axial rigidity: E A at the head and at the tip of the one section.
  EXPECT_DOUBLE_EQ(c.AEDEP(1), 0.0);
  EXPECT_DOUBLE_EQ(c.AEDEP(2), 600.0);
  EXPECT_DOUBLE_EQ(c.AETAB(1), 29.0E6 * 113.1);
  EXPECT_DOUBLE_EQ(c.AETAB(2), 29.0E6 * 113.1);
}

// Driven pile: alpha c in the clay, 0.8 s tan(phi - 0.087) in the sand,
// with the clay and sand shapes.
TEST_F(TzPile, DrivenPileEstimatesAndShapes) {
  run();
  ASSERT_EQ(st, 0);
  // Middle of the clay: s = 0.03 x 108.05, psi = 5 / s > 1.
  const double X4 = c.TZDEP(4);
  const double s4 = 0.03 * (X4 - 24.0);
  const double alpha = 0.5 / std::pow(5.0 / s4, 0.25);
  ASSERT_LT(alpha, 0.5);
  EXPECT_NEAR(c.TZMAX(4), alpha * 5.0, 1e-6);
  EXPECT_NEAR(c.TZT(6, 4), alpha * 5.0, 1e-6);  // the clay curve peaks at 0.08 in
  EXPECT_NEAR(c.TZZ(6, 4), 0.08, 1e-7);
  EXPECT_NEAR(c.TZT(10, 4), 0.93 * alpha * 5.0, 1e-6);
  // Middle of the sand.
  const double X7 = c.TZDEP(7);
  const double phi = 33.0 * M_PI / 180.0;
  const double fs7 = 0.8 * overburden(X7) * std::tan(phi - 0.087);
  EXPECT_NEAR(c.TZMAX(7), fs7, 1e-5);
  EXPECT_NEAR(c.TZPHI(7), phi * 180.0 / 3.1416, 1e-4);
  // Hyperbola with ks = 12000 lb/ft^2 per inch (33 degrees).
  const double ks = 10000.0 + 2000.0 * (c.TZPHI(7) - 32.0);
  const double z = sp(0.04f);
  EXPECT_NEAR(c.TZZ(4, 7), z, 1e-9);
  EXPECT_NEAR(c.TZT(4, 7), z / (z / fs7 + 144.0 / ks), 1e-5);
}

// Drilled shaft: 0.55 c in the clay, beta s in the sand with beta from the
// depth below the ground in feet, with the drilled-shaft shapes.
TEST_F(TzPile, DrilledShaftEstimatesAndShapes) {
  PILEPROP.PTYPE(1) = PTYPE_DRILLED;
  run();
  ASSERT_EQ(st, 0);
  EXPECT_NEAR(c.TZMAX(4), 0.55 * 5.0, 1e-6);
  EXPECT_NEAR(c.TZZ(2, 4), 0.001 * 12.0, 1e-9);
  EXPECT_NEAR(c.TZT(2, 4), 0.51 * 0.55 * 5.0, 1e-6);
  const double X7 = c.TZDEP(7);
  const double beta = 1.5 - 0.135 * std::sqrt((X7 - 24.0) / 12.0);
  ASSERT_GT(beta, 0.25);
  EXPECT_NEAR(c.TZMAX(7), beta * overburden(X7), 1e-5);
  EXPECT_NEAR(c.TZZ(8, 7), 0.012 * 12.0, 1e-8);
  EXPECT_NEAR(c.TZT(8, 7), 0.965 * c.TZMAX(7), 1e-6);
  // Deep in the sand beta stops at 0.25.
  const double beta8 = 1.5 - 0.135 * std::sqrt((c.TZDEP(8) - 24.0) / 12.0);
  EXPECT_LT(beta8, 0.25);
  EXPECT_NEAR(c.TZMAX(8), 0.25 * overburden(c.TZDEP(8)), 1e-5);
}

// An input side friction is used as it stands. A weak clay (c below 3.47
// psi) whose alpha falls below 0.5 near the ground gets alpha 1; deeper, its
// strength ratio is below 1 and alpha is 0.5 / sqrt(psi).
TEST_F(TzPile, InputFrictionAndWeakClay) {
  test::setAxSoil({AxLayer{1, 24.0, 240.0, 0.03, 2.0, 0.0, 0.02},
                   AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 33.0, 0.0, 4.5}});
  run();
  ASSERT_EQ(st, 0);
  EXPECT_NEAR(c.TZMAX(3), 2.0, 1e-9);
  const double psi5 = 2.0 / (0.03 * (c.TZDEP(5) - 24.0));
  ASSERT_LT(psi5, 1.0);
  EXPECT_NEAR(c.TZMAX(5), 0.5 / std::sqrt(psi5) * 2.0, 1e-6);
  EXPECT_NEAR(c.TZMAX(7), 4.5, 1e-9);
}

// A soil look-up beyond the profile ends the call with its status; a soil
// record with more layers than the curve set holds is refused.
TEST_F(TzPile, FailuresStopTheCurves) {
  PILEAR.PGRND(1) = 1500.0;  // the ground below the deepest layer
  run();
  EXPECT_EQ(st, 25);
  EXPECT_EQ(c.TZNPT(1), 0);

  st = 0;
  PILEAR.PGRND(1) = 24.0;
  SOILCOM.NLAYER = 30;  // 92 curves
  AXCRV_T fresh;
  c = fresh;
  run();
  EXPECT_EQ(st, STAT_CAPACITY);
  EXPECT_EQ(c.TZNPT(1), 0);
}

}  // namespace
}  // namespace drelm
