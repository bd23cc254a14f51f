// Output pieces of the pile-head curve tables: the exponent field with its
// mantissa below 1, the free-form real, the zero-value warning block and
// the line pieces of the tables.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "run/fileio.h"
#include "run/model_run.h"
#include "transfer/hcwork.h"

namespace drelm {

char* efieldTo(char* out, int w, int d, double x) {
  if (w <= 0) return out;
  if (d < 1) d = 1;
  char s[128];
  int len = 0;
  const auto stars = [&] {
    std::memset(out, '*', static_cast<std::size_t>(w));
    return out + w;
  };
  if (!std::isfinite(x)) {
    const char* t = std::isnan(x) ? "NaN" : (x > 0 ? "Infinity" : "-Infinity");
    len = static_cast<int>(std::strlen(t));
    std::memcpy(s, t, static_cast<std::size_t>(len));
  } else {
    if (d > 57) return stars();  // beyond what a double can show
    char digits[64];
    std::memset(digits, '0', static_cast<std::size_t>(d));
    int exponent = 0;
    if (x != 0.0) {
      // d significant digits, then the point moved before the first digit.
      char t[96];
      const auto r = std::to_chars(t, t + sizeof t, std::fabs(x), std::chars_format::scientific, d - 1);
      const char* e = t + (d > 1 ? d + 1 : 1);  // after "D.DDD" or "D"
      digits[0] = t[0];
      if (d > 1) std::memcpy(digits + 1, t + 2, static_cast<std::size_t>(d - 1));
      int v = 0;
      for (const char* c = e + 2; c < r.ptr; ++c) v = 10 * v + (*c - '0');
      exponent = (e[1] == '-' ? -v : v) + 1;
    }
    const int ae = std::abs(exponent);
    if (ae > 999) return stars();
    const bool lead = std::signbit(x) && x != 0.0;
    const int exlen = 4;
    // The leading zero is optional and goes first when the field is tight.
    const bool zero = (lead ? 1 : 0) + 2 + d + exlen <= w;
    if (lead) s[len++] = '-';
    if (zero) s[len++] = '0';
    s[len++] = '.';
    std::memcpy(s + len, digits, static_cast<std::size_t>(d));
    len += d;
    if (ae <= 99) s[len++] = 'E';
    s[len++] = exponent < 0 ? '-' : '+';
    if (ae > 99) s[len++] = static_cast<char>('0' + ae / 100);
    s[len++] = static_cast<char>('0' + ae / 10 % 10);
    s[len++] = static_cast<char>('0' + ae % 10);
  }
  if (len > w) return stars();
  std::memset(out, ' ', static_cast<std::size_t>(w - len));
  std::memcpy(out + (w - len), s, static_cast<std::size_t>(len));
  return out + w;
}

std::string EFIELD(int w, int d, double x) {
  if (w <= 0) return {};
  std::string s(static_cast<std::size_t>(w), ' ');
  efieldTo(s.data(), w, d, x);
  return s;
}

std::string FREEREAL(double x) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

void HCWARN(const std::string& text) {
  for (int u : {static_cast<int>(U_RESULTS), static_cast<int>(U_LOG)}) {
    io::endRecord(u);
    io::put(u, std::string(29, ' ') + "**** WARNING ****");
    io::endRecord(u);
    io::put(u, "     " + text);
    io::endRecord(u);
  }
}

namespace hc {

void out(int unit, const std::string& text) {
  io::put(unit, text);
  io::endRecord(unit);
}
std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
double shown(double x, bool uplift) { return uplift && x != 0.0 ? -x : x; }

}  // namespace hc

}  // namespace drelm
