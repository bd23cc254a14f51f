// Output pieces of the pile-head curve tables: the exponent field with its
// mantissa below 1, the free-form real, the zero-value warning block and
// the line pieces of the tables.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "run/fileio.h"
#include "run/model_run.h"
#include "transfer/hcwork.h"

namespace drelm {

std::string EFIELD(int w, int d, double x) {
  if (w <= 0) return {};
  if (d < 1) d = 1;
  std::string s;
  if (!std::isfinite(x)) {
    s = std::isnan(x) ? "NaN" : (x > 0 ? "Infinity" : "-Infinity");
  } else {
    std::string digits(static_cast<std::size_t>(d), '0');
    int exponent = 0;
    if (x != 0.0) {
      // d significant digits, then the point moved before the first digit.
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(x));
      const std::string t(buf);
      const std::size_t e = t.find('e');
      digits = t.substr(0, 1) + (d > 1 ? t.substr(2, e - 2) : std::string());
      exponent = std::stoi(t.substr(e + 1)) + 1;
    }
    std::string ex;
    const int ae = std::abs(exponent);
    const char sign = exponent < 0 ? '-' : '+';
    if (ae <= 99) {
      char b[8];
      std::snprintf(b, sizeof b, "E%c%02d", sign, ae);
      ex = b;
    } else if (ae <= 999) {
      char b[8];
      std::snprintf(b, sizeof b, "%c%03d", sign, ae);
      ex = b;
    } else {
      return std::string(static_cast<std::size_t>(w), '*');
    }
    const std::string lead = std::signbit(x) && x != 0.0 ? "-" : "";
    s = lead + "0." + digits + ex;
    // The leading zero is optional and goes first when the field is tight.
    if (static_cast<int>(s.size()) > w) s = lead + "." + digits + ex;
  }
  if (static_cast<int>(s.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
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
