#include "report/gfield.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "report/pow10.h"

namespace drelm {
namespace {

// Field texts are built in place: to_chars gives the digits printf would
// give, at a fraction of its cost, and a result table holds millions of them.
constexpr int TEXT = 400;

// Fixed form; with no decimals the point still stands after the digits.
int fixedText(char* buf, int decimals, double x) {
  const auto r = std::to_chars(buf, buf + TEXT - 1, x, std::chars_format::fixed, decimals);
  int n = static_cast<int>(r.ptr - buf);
  if (decimals == 0) buf[n++] = '.';
  return n;
}

// One digit, the point, d decimals and the exponent: E, sign, two digits; a
// three-digit exponent drops the letter.
int exponentText(char* buf, int d, double x) {
  const auto r = std::to_chars(buf, buf + TEXT, x, std::chars_format::scientific, d);
  int n = static_cast<int>(r.ptr - buf);
  char* e = static_cast<char*>(std::memchr(buf, 'e', static_cast<std::size_t>(n)));
  if (!e) return n;
  if (buf + n - (e + 1) > 3) {
    std::memmove(e, e + 1, static_cast<std::size_t>(buf + n - (e + 1)));
    --n;
  } else {
    *e = 'E';
  }
  return n;
}

// The text right-justified in w columns (asterisks when it does not fit),
// then `tail` blanks.
std::string justify(const char* text, int n, int w, int tail) {
  if (w < 0) w = 0;
  std::string s(static_cast<std::size_t>(w + tail), ' ');
  if (n > w) s.replace(0, static_cast<std::size_t>(w), static_cast<std::size_t>(w), '*');
  else s.replace(static_cast<std::size_t>(w - n), static_cast<std::size_t>(n), text, static_cast<std::size_t>(n));
  return s;
}

}  // namespace

std::string generalField(int w, int d, double x) {
  if (!std::isfinite(x)) return std::string(w > 0 ? w : 0, '*');
  if (d < 1) d = 1;
  char buf[TEXT];
  if (x == 0.0) return justify(buf, fixedText(buf, d - 1, 0.0), w - 4, 4);
  const double a = std::fabs(x);
  // Decimal exponent of the value once rounded to d significant digits.
  int e = static_cast<int>(std::floor(std::log10(a)));
  const double scale = powerOfTen(e - d + 1);
  if (std::round(a / scale) * scale >= powerOfTen(e + 1)) ++e;
  if (e >= -1 && e < d) return justify(buf, fixedText(buf, d - 1 - e, x), w - 4, 4);
  return justify(buf, exponentText(buf, d, x), w, 0);
}

}  // namespace drelm
