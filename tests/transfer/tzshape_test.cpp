// The side t-z curve shapes at their points, against hand values.
#include <gtest/gtest.h>

#include <vector>

#include "model/model.h"
#include "model/tables.h"
#include "transfer/tzshape.h"

namespace drelm {
namespace {

double sp(float x) { return static_cast<double>(x); }

struct Curves {
  TzTable t, z;
  TzColumn tmax, phi;
};

class TzShapes : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    RUNCTL.IUNITS = 1;
  }
};

// The three shapes normalised by the diameter: every point by its factors,
// for a positive and a negative t_max and a zero one.
TEST_F(TzShapes, NormalisedShapesScaleWithDiameterAndFriction) {
  using Fn = void (*)(const std::int32_t&, const double&, TzTable&, TzTable&, const TzColumn&);
  const struct {
    const char* name;
    Fn fn;
    std::vector<double> zf, tf;
  } shapes[] = {
      {"drilled sand", TZDSSND,
       {0, 0.001, 0.002, 0.003, 0.005, 0.006, 0.008, 0.012, 0.016, 0.10},
       {0, 0.335, 0.58, 0.72, 0.86, 0.91, 0.95, 0.965, 0.96, 0.95}},
      {"drilled clay", TZDSCLY,
       {0, 0.001, 0.002, 0.003, 0.005, 0.006, 0.008, 0.012, 0.016, 0.10},
       {0, 0.51, 0.72, 0.90, 0.925, 0.945, 0.955, 0.925, 0.90, 0.835}},
      {"driven user", TZAPICL,
       {0, 0.0016, 0.0031, 0.0057, 0.008, 0.01, 0.02, 0.03, 0.05, 0.10},
       {0, 0.30, 0.50, 0.75, 0.90, 1.0, 0.80, 0.80, 0.80, 0.80}},
  };
  for (const auto& s : shapes) {
    for (double tmax : {7.5, -2.0, 0.0}) {
      Curves c;
      const std::int32_t k = 4;
      c.tmax(k) = tmax;
      s.fn(k, 36.0, c.t, c.z, c.tmax);
      for (int i = 1; i <= 10; ++i) {
        EXPECT_NEAR(c.z(i, k), s.zf[i - 1] * 36.0, 1e-7) << s.name << " point " << i;
        EXPECT_NEAR(c.t(i, k), s.tf[i - 1] * tmax, 1e-6) << s.name << " point " << i;
      }
      EXPECT_DOUBLE_EQ(c.tmax(k), tmax);
    }
  }
}

// Driven pile in clay: fixed movements in inches, in metres outside the
// English system; the peak at 0.08 in and the residual 0.93.
TEST_F(TzShapes, DrivenClayFixedMovements) {
  const double zin[10] = {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
  const double tf[10] = {0, 0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93};
  for (std::int32_t units : {1, 2, 0}) {
    RUNCTL.IUNITS = units;
    Curves c;
    c.tmax(2) = 40.0;
    TZDRCLY(2, c.t, c.z, c.tmax);
    const double scale = units == 1 ? 1.0 : sp(0.0254f);
    for (int i = 1; i <= 10; ++i) {
      EXPECT_NEAR(c.z(i, 2), zin[i - 1] * scale, 1e-7 * scale) << units << " point " << i;
      EXPECT_NEAR(c.t(i, 2), tf[i - 1] * 40.0, 1e-5) << units << " point " << i;
    }
  }
}

// Driven pile in sand: t = z / (z / tmax + 144 / ks) in psi. The initial
// slope ks read back from the second point follows the friction angle.
TEST_F(TzShapes, DrivenSandSlopeAtItsBreakPoints) {
  const struct {
    double phi, ks;
  } cases[] = {
      {20.0, 6000.0},  {28.0, 6000.0},  {29.5, 6000.0 + 1333.3 * 1.5}, {31.0, 9999.9}, {31.01, 10000.0},
      {32.0, 10000.0}, {33.0, 12000.0}, {34.0, 14000.0},             {35.0, 14000.0}, {38.0, 17999.9},
      {38.5, 18000.0},
  };
  for (const auto& cs : cases) {
    Curves c;
    c.tmax(1) = 5.0;
    c.phi(1) = cs.phi;
    TZDRSND(1, c.t, c.z, c.tmax, c.phi);
    const double z = c.z(2, 1);
    EXPECT_NEAR(z, 0.01, 1e-9);
    const double ks = 144.0 / (z / c.t(2, 1) - z / 5.0);
    EXPECT_NEAR(ks, cs.ks, 0.02) << cs.phi;
  }
}

TEST_F(TzShapes, DrivenSandHyperbolaPoints) {
  // The movements are single-precision constants.
  const float zin[10] = {0, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 2.5f};
  Curves c;
  c.tmax(3) = 2.0;
  c.phi(3) = 33.0;  // ks = 12000 lb/ft^2 per inch: 83.33 psi per inch
  TZDRSND(3, c.t, c.z, c.tmax, c.phi);
  for (int i = 1; i <= 10; ++i) {
    const double z = sp(zin[i - 1]);
    EXPECT_DOUBLE_EQ(c.z(i, 3), z);
    EXPECT_NEAR(c.t(i, 3), z / (z / 2.0 + 0.012), 1e-9) << i;
  }
  // Below t_max everywhere, approaching it.
  EXPECT_LT(c.t(10, 3), 2.0);
  EXPECT_GT(c.t(10, 3), 0.99 * 2.0);
}

// The SI branch is the same curve in kPa and metres: with t_max given as
// the same stress, t scales as psi to kPa and z as inches to metres.
// Any units system other than English takes it.
TEST_F(TzShapes, DrivenSandSameCurveInSi) {
  const double PSI = 6.894757293168361;  // kPa
  Curves e;
  e.tmax(1) = 3.0;
  e.phi(1) = 36.0;
  RUNCTL.IUNITS = 1;
  TZDRSND(1, e.t, e.z, e.tmax, e.phi);
  for (std::int32_t units : {2, 5}) {
    RUNCTL.IUNITS = units;
    Curves s;
    s.tmax(1) = 3.0 * PSI;
    s.phi(1) = 36.0;
    TZDRSND(1, s.t, s.z, s.tmax, s.phi);
    for (int i = 1; i <= 10; ++i) {
      EXPECT_NEAR(s.z(i, 1), e.z(i, 1) * sp(0.0254f), 1e-9) << i;
      EXPECT_NEAR(s.t(i, 1), e.t(i, 1) * PSI, 1e-9) << i;
    }
    EXPECT_NEAR(s.z(10, 1), 0.0635, 1e-7);
    EXPECT_DOUBLE_EQ(s.tmax(1), 3.0 * PSI);
  }
}

// A vanishing or negative t_max becomes 0.001 in the caller's column
// instead of a division by zero.
TEST_F(TzShapes, DrivenSandWithoutFrictionUsesSmallAsymptote) {
  for (double tmax : {0.0, 1.0E-16, -4.0}) {
    Curves c;
    c.tmax(1) = tmax;
    c.phi(1) = 30.0;
    TZDRSND(1, c.t, c.z, c.tmax, c.phi);
    EXPECT_DOUBLE_EQ(c.tmax(1), sp(0.001f));
    for (int i = 2; i <= 10; ++i) {
      EXPECT_GT(c.t(i, 1), 0.0);
      EXPECT_LT(c.t(i, 1), 0.001);
    }
  }
}

// Only points 1 to 10 of the curve's own column are written.
TEST_F(TzShapes, WriteOnlyTheirColumn) {
  Curves c;
  c.t.fill(-9.0);
  c.z.fill(-9.0);
  c.tmax.fill(1.0);
  c.phi.fill(30.0);
  TZDSSND(5, 12.0, c.t, c.z, c.tmax);
  TZDSCLY(5, 12.0, c.t, c.z, c.tmax);
  TZAPICL(5, 12.0, c.t, c.z, c.tmax);
  TZDRCLY(5, c.t, c.z, c.tmax);
  TZDRSND(5, c.t, c.z, c.tmax, c.phi);
  for (int P = 1; P <= MAXTZC; ++P) {
    for (int i = 1; i <= MAXTZP; ++i) {
      if (P == 5 && i <= 10) continue;
      ASSERT_EQ(c.t(i, P), -9.0) << i << "," << P;
      ASSERT_EQ(c.z(i, P), -9.0) << i << "," << P;
    }
  }
  EXPECT_EQ(c.t(1, 5), 0.0);
  EXPECT_EQ(c.z(1, 5), 0.0);
}

}  // namespace
}  // namespace drelm
