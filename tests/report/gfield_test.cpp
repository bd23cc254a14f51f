#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "report/gfield.h"
#include "report/pow10.h"

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

// The field as the C library's formatted output makes it: the texts the
// reports have always had.
std::string printfField(int w, int d, double x) {
  const auto justify = [](const std::string& s, int width) {
    if (width < 0) width = 0;
    if (static_cast<int>(s.size()) > width) return std::string(static_cast<std::size_t>(width), '*');
    return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
  };
  const auto fixed = [](int decimals, double v) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return std::string(buf) + (decimals == 0 ? "." : "");
  };
  if (!std::isfinite(x)) return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*');
  if (d < 1) d = 1;
  if (x == 0.0) return justify(fixed(d - 1, 0.0), w - 4) + "    ";
  const double a = std::fabs(x);
  int e = static_cast<int>(std::floor(std::log10(a)));
  const double scale = std::pow(10.0, e - d + 1);
  if (std::round(a / scale) * scale >= std::pow(10.0, e + 1)) ++e;
  if (e >= -1 && e < d) return justify(fixed(d - 1 - e, x), w - 4) + "    ";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", d, x);
  std::string s(buf);
  const std::size_t p = s.find('E');
  const std::string exp = s.substr(p + 1);
  return justify(s.substr(0, p) + (exp.size() > 3 ? "" : "E") + exp, w);
}

TEST(GeneralField, SameTextAsFormattedOutputOnEveryKindOfValue) {
  std::mt19937_64 rng(20261211);
  std::uniform_real_distribution<double> mant(1.0, 10.0);
  std::uniform_int_distribution<int> expo(-14, 18);
  const int widths[][2] = {{12, 5}, {16, 8}, {12, 4}, {9, 1}, {6, 4}, {14, 9}};
  for (const auto& wd : widths) {
    const int w = wd[0], d = wd[1];
    for (int i = 0; i < 20000; ++i) {
      const double x = mant(rng) * std::pow(10.0, expo(rng)) * (i % 2 ? -1 : 1);
      ASSERT_EQ(generalField(w, d, x), printfField(w, d, x)) << x;
      // Random bit patterns reach the huge, the tiny and the subnormal.
      const double b = std::bit_cast<double>(rng());
      ASSERT_EQ(generalField(w, d, b), printfField(w, d, b)) << b;
    }
    // Halfway values that are exact in binary, where the rounding direction
    // of a tie shows, and values just beside a power of ten.
    for (int k = -6; k <= 12; ++k)
      for (double m : {0.5, 1.5, 2.5, 0.125, 0.375, 9.5, 99.5, 12.25}) {
        const double x = std::ldexp(m, k);
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, 1e300), -x})
          ASSERT_EQ(generalField(w, d, v), printfField(w, d, v)) << v;
      }
    for (int k = -12; k <= 12; ++k) {
      const double p = std::pow(10.0, k);
      for (double v : {p, std::nextafter(p, 0.0), p * (1 - 0.5e-8), p * (1 - 0.5e-5), -p})
        ASSERT_EQ(generalField(w, d, v), printfField(w, d, v)) << v;
    }
  }
}

TEST(PowerOfTen, TheMathLibrarysPowerBitForBitInAndBeyondTheTable) {
  volatile double ten = 10.0;
  for (int k = -420; k <= 420; ++k) {
    const double p = std::pow(ten, k);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(powerOfTen(k)), std::bit_cast<std::uint64_t>(p)) << k;
  }
}

}  // namespace
}  // namespace drelm
