// Secant slopes of pile-head curves against hand values.
#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace drelm
