#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "report/fixeddigits.h"

namespace drelm {
namespace {

std::string reference(double ax, int n) {
  char s[1024];
  const auto r = std::to_chars(s, s + sizeof s, ax, std::chars_format::fixed, n);
  return std::string(s, r.ptr);
}

// Where the quick digits are given, they are to_chars's own; counts how
// often they are given.
int agreeing(double ax, int n, long& quick) {
  char s[64];
  const int len = fixedDigits(ax, n, s);
  if (len < 0) return 0;
  ++quick;
  EXPECT_EQ(std::string(s, static_cast<std::size_t>(len)), reference(ax, n)) << ax << " n=" << n;
  return 1;
}

TEST(FixedDigits, AgreeWithToCharsOnEveryKindOfValue) {
  std::mt19937_64 rng(20261210);
  long quick = 0, tried = 0;
  for (int n = 0; n <= 9; ++n) {
    // Random values over the magnitudes a report shows, and random bit
    // patterns over all of them.
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> expo(-12, 16);
    for (int i = 0; i < 100000; ++i, ++tried) agreeing(mant(rng) * std::pow(10.0, expo(rng)), n, quick);
    for (int i = 0; i < 20000; ++i, ++tried) agreeing(std::fabs(std::bit_cast<double>(rng())), n, quick);
    // Short decimals, exact binary ties (k + 1/2) / 10^n and their
    // neighbours, and values next to the largest integer a double holds.
    for (int k = 0; k < 20000; ++k) {
      const double v = k / std::pow(10.0, n + 1);
      for (double x : {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)}) agreeing(x, n, quick);
      const double tie = (k + 0.5) / static_cast<double>(1 << (k % 8)) ;
      for (double x : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)}) agreeing(x, n, quick);
      tried += 6;
    }
    for (double x : {0.0, 0.5, 1.5, 2.5, 0.125, 0.375, 1e-300, 4503599627370495.5, 4503599627370496.0,
                     9007199254740993.0, 1e300})
      agreeing(x, n, quick);
  }
  // The quick way takes the great majority of ordinary values.
  EXPECT_GT(quick, tried * 3 / 5);
}

TEST(FixedDigits, RefusesWhatItCannotBeSureOf) {
  char s[64];
  EXPECT_EQ(fixedDigits(0.125, 2, s), -1);  // an exact tie
  EXPECT_EQ(fixedDigits(2.5, 0, s), -1);
  EXPECT_EQ(fixedDigits(1e17, 1, s), -1);  // beyond the exact fraction
  EXPECT_EQ(fixedDigits(1.0, 10, s), -1);  // too many decimals
  EXPECT_EQ(fixedDigits(std::nan(""), 3, s), -1);
  EXPECT_EQ(fixedDigits(-1.0, 3, s), -1);
  const int len = fixedDigits(9.9996, 3, s);
  EXPECT_EQ(std::string(s, static_cast<std::size_t>(len)), "10.000");
}

}  // namespace
}  // namespace drelm
