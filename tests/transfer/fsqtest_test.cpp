// Estimated unit side friction and tip resistance against hand values.
#include <gtest/gtest.h>

#include <cmath>

#include "model/model.h"
#include "model/tables.h"
#include "transfer/fsqtest.h"

namespace drelm {
namespace {

double sp(float x) { return static_cast<double>(x); }

struct Result {
  std::int32_t fsfl = -1, qtfl = -1, status = 0;
  double fsdrv = -1, fsdrl = -1, qtdrv = -1, qtdrl = -1;
};

class Estimates : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    RUNCTL.IUNITS = 1;
    RUNCONST.PI = 3.141592653589793;
    RUNCONST.EPSCOH = 1.0E-6;
  }
  // One layer from X = 0 to 5000 with uniform properties.
  static void layer(std::int32_t type, double gamma, double c, double phiDeg, double fs = 0, double qt = 0) {
    SOILCOM_T& S = SOILCOM;
    S.NLAYER = 1;
    S.NPROF = S.NGAM = 2;
    S.LTYPE(1) = type;
    S.LTOP(1) = 0.0;
    S.LBOT(1) = 5000.0;
    for (int i = 1; i <= 2; ++i) {
      S.XPROF(i) = S.XGAM(i) = i == 1 ? 0.0 : 5000.0;
      S.GAMPR(i) = gamma;
      S.CPROF(i) = c;
      S.PHIPR(i) = phiDeg * RUNCONST.PI / 180.0;
      S.FSPROF(i) = fs;
      S.QTPROF(i) = qt;
    }
  }
  static Result at(double X) {
    Result r;
    FSQTEST(SOILCOM.LTYPE(1), X, r.fsfl, r.fsdrv, r.fsdrl, r.qtfl, r.qtdrv, r.qtdrl, r.status);
    return r;
  }
};

// Alpha method: alpha = 0.5 / sqrt(psi) up to psi = 1, 0.5 / psi^0.25 beyond,
// raised to 1 for a weak clay (below 3.47 psi or 24 kPa) whose alpha is below 0.5.
TEST_F(Estimates, ClayAlphaRule) {
  const struct {
    std::int32_t units;
    double gamma, X, c, alpha;
  } cases[] = {
      {1, 0.02, 100, 10.0, 0.5 / std::pow(5.0, 0.25)},  // psi = 5
      {1, 0.02, 100, 1.0, 0.5 / std::sqrt(0.5)},        // psi = 0.5
      {1, 0.02, 100, 0.02, 5.0},                        // psi = 0.01: no upper limit
      {1, 0.01, 100, 3.0, 1.0},                         // psi = 3, weak clay
      {2, 1.0, 10, 20.0, 1.0},                          // psi = 2, weak clay in SI
      {2, 1.0, 10, 30.0, 0.5 / std::pow(3.0, 0.25)},    // 30 kPa is not weak
      {3, 1.0, 10, 2.0, 0.5 / std::pow(0.2, 0.5)},      // other units: no raise needed
      {1, 0.0, 100, 10.0, 0.0},                         // no overburden: psi unbounded
      {1, 0.0, 100, 3.0, 1.0},                          // the same, weak clay
  };
  for (const auto& c : cases) {
    RUNCTL.IUNITS = c.units;
    layer(1, c.gamma, c.c, 0.0);
    const Result r = at(c.X);
    EXPECT_EQ(r.fsfl, 1);
    EXPECT_NEAR(r.fsdrv, c.alpha * c.c, 1e-6 * c.alpha * c.c) << c.c;
    EXPECT_NEAR(r.fsdrl, sp(0.55f) * c.c, 1e-12);
    EXPECT_EQ(r.qtfl, 1);
    EXPECT_DOUBLE_EQ(r.qtdrv, 9.0 * c.c);
    EXPECT_DOUBLE_EQ(r.qtdrl, 9.0 * c.c);
  }
}

TEST_F(Estimates, SandSideAndTip) {
  // 30 degrees at X = 200 in: 0.8 x 0.04 x 200 x tan(0.523599 - 0.087) = 2.98645;
  // Nq = 20 (57.296 x 0.523599 = 30.0001 degrees); drilled shaft, 200 in =
  // 16.667 ft: beta = 1.5 - 0.135 x 4.0825 = 0.948865. Just below the
  // 0.5236 rad of the drilled-shaft rule, 30 degrees takes 0.1.
  layer(4, 0.04, 0.0, 30.0);
  Result r = at(200.0);
  EXPECT_EQ(r.fsfl, 1);
  EXPECT_NEAR(r.fsdrv, 2.98645, 1e-5);
  EXPECT_NEAR(r.fsdrl, 0.948865 * 0.04 * 200, 1e-5);
  EXPECT_EQ(r.qtfl, 1);
  EXPECT_NEAR(r.qtdrv, 20.0 * 0.04 * 200, 5e-3);
  EXPECT_NEAR(r.qtdrl, sp(0.1f), 1e-12);

  // At the soil top the depth counts as one length unit, for the tip too.
  r = at(0.0);
  EXPECT_NEAR(r.fsdrv, 0.8 * 0.04 * std::tan(0.523599 - 0.087), 1e-6);
  EXPECT_GT(r.fsdrv, 0.0);
  EXPECT_NEAR(r.qtdrv, 20.0 * 0.04 * 1.0, 5e-5);
  // With a given side friction the tip takes the plain depth 0.
  layer(4, 0.04, 0.0, 30.0, 5.0);
  r = at(0.0);
  EXPECT_EQ(r.fsfl, 0);
  EXPECT_EQ(r.fsdrv, 0.0);
  EXPECT_EQ(r.fsdrl, 0.0);
  EXPECT_EQ(r.qtfl, 1);
  EXPECT_EQ(r.qtdrv, 0.0);

  // A friction angle below 0.087 rad gives a negative driven estimate.
  layer(8, 0.04, 0.0, 4.0);
  EXPECT_LT(at(100.0).fsdrv, 0.0);
}

// Beta of drilled shafts in sand stays within 0.25 .. 1.2.
TEST_F(Estimates, DrilledShaftBetaLimits) {
  const struct {
    std::int32_t units;
    double X, beta;
  } cases[] = {
      {1, 12.0, 1.2},                   // 1 ft: 1.365 is capped
      {1, 12.0 * 25, 1.5 - 0.135 * 5},  // 25 ft
      {1, 12.0 * 100, 0.25},            // 100 ft: 0.15 is raised
      {2, 0.3048 * 25, 1.5 - 0.135 * 5},
      {2, 0.3048 * 100, 0.25},
  };
  for (const auto& c : cases) {
    RUNCTL.IUNITS = c.units;
    layer(4, 0.05, 0.0, 33.0);
    EXPECT_NEAR(at(c.X).fsdrl, c.beta * 0.05 * c.X, 1e-6 * c.X) << c.X;
  }
  // Silt adds 0.55 c to the drilled value and alpha c to the driven one.
  RUNCTL.IUNITS = 1;
  layer(7, 0.05, 10.0, 33.0);
  const Result r = at(12.0 * 25);
  EXPECT_NEAR(r.fsdrl, 5.5 + 0.825 * 0.05 * 300, 1e-5);
  const double alpha = 0.5 / std::sqrt(10.0 / (0.05 * 300));
  EXPECT_NEAR(r.fsdrv, 0.8 * 0.05 * 300 * std::tan(33.0 * RUNCONST.PI / 180 - 0.087) + alpha * 10.0, 1e-4);
}

TEST(BearingFactor, PiecewiseLinearTable) {
  const double cases[][2] = {{0, 8},  {15, 8},    {20, 8},  {22.5, 10}, {25, 12}, {27.5, 16},
                             {30, 20}, {32.5, 30}, {35, 40}, {37.5, 45}, {40, 50}, {45, 50}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NQFACT(c[0]), c[1]) << c[0];
}

TEST_F(Estimates, TipRules) {
  // Drilled shafts in sand by friction angle, English and SI (the English
  // stresses in kPa).
  const double kPa = 6.894757293168361;
  const struct {
    std::int32_t units;
    double phi, drilled;
  } sands[] = {{1, 25, sp(0.1f)}, {1, 31, sp(222.2f)},       {1, 38, sp(555.56f)},
               {2, 25, sp(0.1f)}, {2, 33, sp(222.2f) * kPa}, {2, 38, sp(555.56f) * kPa}};
  for (const auto& c : sands) {
    RUNCTL.IUNITS = c.units;
    layer(8, 0.05, 0.0, c.phi);
    EXPECT_NEAR(at(100.0).qtdrl, c.drilled, 1e-9) << c.phi;
  }
  RUNCTL.IUNITS = 1;
  // A cohesive soil coded as sand takes the clay rule.
  layer(4, 0.05, 5.0, 0.0);
  Result r = at(100.0);
  EXPECT_DOUBLE_EQ(r.qtdrv, 45.0);
  EXPECT_DOUBLE_EQ(r.qtdrl, 45.0);
  // Silt adds 9 c to both.
  layer(7, 0.05, 2.0, 30.0);
  r = at(100.0);
  EXPECT_NEAR(r.qtdrv, 20.0 * 0.05 * 100 + 18.0, 5e-3);
  EXPECT_NEAR(r.qtdrl, 18.0 + sp(0.1f), 1e-9);
  // Rock and user curves 9 c; an elastic subgrade gets no estimate but the flag.
  layer(9, 0.05, 100.0, 0.0);
  EXPECT_DOUBLE_EQ(at(100.0).qtdrv, 900.0);
  layer(12, 0.05, 0.0, 0.0);
  r = at(100.0);
  EXPECT_EQ(r.qtfl, 1);
  EXPECT_EQ(r.qtdrv, 0.0);
  EXPECT_EQ(r.fsfl, 1);
  // A given tip resistance: no flag, no estimate.
  layer(1, 0.05, 3.0, 0.0, 0.0, 40.0);
  r = at(100.0);
  EXPECT_EQ(r.qtfl, 0);
  EXPECT_EQ(r.qtdrv, 0.0);
  EXPECT_EQ(r.qtdrl, 0.0);
}

TEST_F(Estimates, LookupStatusEndsTheCall) {
  layer(1, 0.05, 3.0, 0.0);
  const Result r = at(6000.0);
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.fsfl, 0);
  EXPECT_EQ(r.qtfl, 0);
  EXPECT_EQ(r.qtdrv, 0.0);
}

}  // namespace
}  // namespace drelm
