// Secant slopes of pile-head curves against hand values.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/model.h"
#include "model/tables.h"
#include "transfer/headcurves.h"

namespace drelm {
namespace {

TEST(SecantSlope, Modes) {
  // A generated curve: uplift half, origin as point 10, compression half.
  std::vector<double> gx, gy;
  for (int k = 9; k >= 1; --k) {
    gx.push_back(-0.1 * k * k);
    gy.push_back(-100.0 * k);
  }
  gx.push_back(0.0);
  gy.push_back(0.0);
  for (int k = 1; k <= 9; ++k) {
    gx.push_back(0.2 * k * k);
    gy.push_back(300.0 * k);
  }
  const struct {
    const char* name;
    std::vector<double> x, y;
    int mode;
    bool ok;
    double slope;
  } cases[] = {
      // Mode 1 on a generated curve: the segment from point 9 to the origin.
      {"generated, origin segment", gx, gy, 1, true, 100.0 / 0.1},
      {"generated, overall", gx, gy, 0, true, (2700.0 + 900.0) / (16.2 + 8.1)},
      {"symmetric, overall", {-2, -1, 0, 1, 2}, {-10, -8, 0, 8, 10}, 0, true, 5.0},
      {"origin inside a segment", {-2, 1, 3}, {-4, 2, 10}, 5, true, 2.0},
      {"all negative: last segment", {-3, -2, -1}, {-30, -10, -5}, 1, true, 5.0},
      {"one point", {1}, {1}, 0, false, 0.0},
      {"no length", {1, 1}, {0, 5}, 0, false, 0.0},
      {"origin segment of no length", {-1, 0, 0}, {-1, 0, 3}, 1, true, 1.0},
  };
  for (const auto& c : cases) {
    double slope = -1.0;
    const std::int32_t n = static_cast<std::int32_t>(c.x.size());
    EXPECT_EQ(SECSLOPE(n, c.x.data(), c.y.data(), c.mode, slope), c.ok) << c.name;
    EXPECT_DOUBLE_EQ(slope, c.slope) << c.name;
  }
}

// A pile finds its curve through its curve number: user curve c >= 1,
// generated curve -c; a number outside the tables gives no stiffness.
TEST(SecantSlope, CurveOfThePile) {
  clearTables();
  LSCRV_T& L = LSCRV;
  L.LSNCRV = 2;
  L.LSNPT(2) = 3;
  const double ux[3] = {-1.0, 0.5, 2.0}, uy[3] = {-50.0, 10.0, 40.0};
  for (int k = 1; k <= 3; ++k) {
    L.LSDSP(2, k) = ux[k - 1];
    L.LSLOD(2, k) = uy[k - 1];
  }
  L.LSGNCV = 1;
  L.LSGNPT(1) = 3;
  const double gx[3] = {-0.2, 0.0, 0.4}, gy[3] = {-30.0, 0.0, 80.0};
  for (int k = 1; k <= 3; ++k) {
    L.LSGDSP(1, k) = gx[k - 1];
    L.LSGLOD(1, k) = gy[k - 1];
  }
  TRCRV_T& T = TRCRV;
  T.TRGNCV = 1;
  T.TRGNPT(1) = 3;
  for (int k = 1; k <= 3; ++k) {
    T.TRGROT(1, k) = 0.01 * gx[k - 1];
    T.TRGTOR(1, k) = 1000.0 * gy[k - 1];
  }
  const struct {
    std::int32_t curve, mode;
    double axial, torsion;
  } cases[] = {
      {2, 0, 90.0 / 3.0, 0.0},         // user curve, overall secant; no user torque curve
      {2, 1, 60.0 / 1.5, 0.0},         // user curve, segment holding the origin
      {-1, 1, 150.0, 150.0 * 1.0e5},   // generated: from point 1 to the origin
      {-1, 0, 110.0 / 0.6, 110.0 / 0.6 * 1.0e5},
      {0, 0, 0.0, 0.0},                // no curve yet
      {3, 0, 0.0, 0.0},                // beyond the user curves
      {-2, 0, 0.0, 0.0},               // beyond the generated curves
  };
  for (const auto& c : cases) {
    PILEAR.ILSCRV(4) = c.curve;
    PILEAR.ITRCRV(4) = c.curve;
    double slope = -1.0;
    AXSLOPE(4, c.mode, slope);
    EXPECT_NEAR(slope, c.axial, 1e-9 * std::max(1.0, c.axial)) << c.curve << " " << c.mode;
    slope = -1.0;
    TQSLOPE(4, c.mode, slope);
    EXPECT_NEAR(slope, c.torsion, 1e-9 * std::max(1.0, c.torsion)) << c.curve << " " << c.mode;
  }
}

}  // namespace
}  // namespace drelm
