#include <gtest/gtest.h>

#include "report/gfield.h"

namespace drelm {
namespace {

TEST(GeneralField, FixedWithSignificantDigitsOrExponentByMagnitude) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      {3.0, "   3.000    "},     // d-1 decimals between 1 and 10
      {0.5, "  0.5000    "},     // d decimals from 0.1
      {100.0, "   100.0    "},
      {2000.0, "   2000.    "},    // no decimals: the point stays
      {0.0, "   0.000    "},
      {-0.5, " -0.5000    "},
      {9999.6, "  9.9996E+03"},    // rounds to 10^d: exponent form
      {0.099996, "  0.1000    "},  // rounds up into the fixed range
      {0.05, "  5.0000E-02"},
      {12345.0, "  1.2345E+04"},
      {-2.5e-120, " -2.5000-120"},  // three-digit exponent drops the letter
  };
  for (const auto& c : cases) EXPECT_EQ(generalField(12, 4, c.x), c.text) << c.x;
}

}  // namespace
}  // namespace drelm
