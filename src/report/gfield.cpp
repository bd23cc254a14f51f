#include "report/gfield.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace drelm {
namespace {

std::string justify(const std::string& s, int w) {
  if (w < 0) w = 0;
  if (static_cast<int>(s.size()) > w) return std::string(w, '*');
  return std::string(w - s.size(), ' ') + s;
}

std::string fixedText(int decimals, double x) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
  return buf;
}

// One digit, the point, d decimals and the exponent: E, sign, two digits; a
// three-digit exponent drops the letter.
std::string exponentText(int d, double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", d, x);
  std::string s(buf);
  const std::size_t e = s.find('E');
  if (e == std::string::npos) return s;
  std::string mant = s.substr(0, e);
  std::string exp = s.substr(e + 1);  // sign and at least two digits
  if (exp.size() > 3) return mant + exp;
  return mant + "E" + exp;
}

}  // namespace

std::string generalField(int w, int d, double x) {
  if (!std::isfinite(x)) return std::string(w > 0 ? w : 0, '*');
  if (d < 1) d = 1;
  if (x == 0.0) return justify(fixedText(d - 1, 0.0), w - 4) + "    ";
  const double a = std::fabs(x);
  // Decimal exponent of the value once rounded to d significant digits.
  int e = static_cast<int>(std::floor(std::log10(a)));
  const double scale = std::pow(10.0, e - d + 1);
  if (std::round(a / scale) * scale >= std::pow(10.0, e + 1)) ++e;
  if (e >= -1 && e < d) return justify(fixedText(d - 1 - e, x), w - 4) + "    ";
  return justify(exponentText(d, x), w);
}

}  // namespace drelm
