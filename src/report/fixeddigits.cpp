#include "report/fixeddigits.h"

#include <cmath>
#include <cstdint>

namespace drelm {

int fixedDigits(double ax, int n, char* out) {
  static constexpr double P10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  if (n < 0 || n > 9 || !(ax >= 0.0)) return -1;
  // One rounding: m is within m 2^-53 of the exact scaled value, and while
  // m < 2^52 its fraction is exact.
  const double m = ax * P10[n];
  if (!(m < 4503599627370496.0)) return -1;
  const double t = std::floor(m);
  const double f = m - t;
  // Only a fraction close to one half can round the other way than the
  // exact value does.
  if (std::fabs(f - 0.5) <= m * 0x1p-51 + 0x1p-60) return -1;
  std::uint64_t r = static_cast<std::uint64_t>(t) + (f > 0.5 ? 1 : 0);
  char d[24];
  int k = 0;
  for (int i = 0; i < n; ++i, r /= 10) d[k++] = static_cast<char>('0' + r % 10);
  const int decimals = k;
  do {
    d[k++] = static_cast<char>('0' + r % 10);
    r /= 10;
  } while (r != 0);
  int len = 0;
  for (int i = k - 1; i >= decimals; --i) out[len++] = d[i];
  if (n > 0) out[len++] = '.';
  for (int i = decimals - 1; i >= 0; --i) out[len++] = d[i];
  return len;
}

}  // namespace drelm
