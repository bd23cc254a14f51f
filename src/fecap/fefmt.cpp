#include "fecap/fefmt.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "report/writers.h"

namespace drelm {

std::string fmtI(int w, long long v) { return intField(w, v); }

std::string fmtF(int w, int d, double x) { return fixedField(w, d, x); }

std::string fmtE(int w, int d, double x) {
  std::string out;
  if (!std::isfinite(x) || d < 1) return std::string(static_cast<std::size_t>(w), '*');
  int e = 0;
  if (x != 0.0) {
    // Round to d digits first, so that 0.999995 becomes 0.10000E+01.
    char s[64];
    std::snprintf(s, sizeof s, "%.*e", d - 1, std::fabs(x));
    const char* ep = std::strchr(s, 'e');
    e = std::atoi(ep + 1) + 1;
    std::string digits;
    for (const char* p = s; p < ep; ++p)
      if (*p >= '0' && *p <= '9') digits += *p;
    out = "0." + digits;
  } else {
    out = "0." + std::string(static_cast<std::size_t>(d), '0');
  }
  char ex[16];
  if (std::abs(e) <= 99)
    std::snprintf(ex, sizeof ex, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
  else
    std::snprintf(ex, sizeof ex, "%c%03d", e < 0 ? '-' : '+', std::abs(e));
  out += ex;
  if (std::signbit(x) && x != 0.0) out = "-" + out;
  if (static_cast<int>(out.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - out.size(), ' ') + out;
}

}  // namespace drelm
