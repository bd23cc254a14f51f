// The real-number field writers: Fortran-style fixed (Fw.n) and exponent
// (1PEw.d and Ew.d) fields, and the choice between them by the magnitude of the value.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "report/fixeddigits.h"
#include "report/pow10.h"
#include "report/writers.h"
#include "model/fileio.h"

namespace drelm {
namespace {

// Fields up to this width are assembled on the stack.
constexpr int kStackField = 128;
// Scratch for the digits of one field: a fixed field of a double has at most
// 309 integer digits, and its decimals are limited to fewer than the width.
constexpr int kScratch = 1024;
constexpr int kMaxDigits = kScratch - 400;

void stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

// Right-justify text of length len in a field of w columns; asterisks when it
// does not fit.
void justify(char* out, int w, const char* text, int len) {
  if (len > w) {
    stars(out, w);
    return;
  }
  std::memset(out, ' ', static_cast<std::size_t>(w - len));
  std::memcpy(out + (w - len), text, static_cast<std::size_t>(len));
}

// Infinity and NaN as the fixed and exponent edits show them.
void nonFinite(char* out, int w, double x) {
  if (std::isnan(x)) {
    justify(out, w, "NaN", 3);
    return;
  }
  const bool neg = std::signbit(x);
  if (w >= 8 + (neg ? 1 : 0))
    neg ? justify(out, w, "-Infinity", 9) : justify(out, w, "Infinity", 8);
  else
    neg ? justify(out, w, "-Inf", 4) : justify(out, w, "Inf", 3);
}

// Fw.n into out[0..w).
void fixedInto(char* out, int w, int n, double x) {
  if (w <= 0) return;
  if (!std::isfinite(x)) return nonFinite(out, w, x);
  if (n < 0) n = 0;
  // Even the shortest form ".ddd" needs n+1 columns.
  if (n + 1 > w || n > kMaxDigits) return stars(out, w);
  char s[kScratch];
  int len = fixedDigits(std::fabs(x), n, s);
  if (len < 0) {
    const auto r = std::to_chars(s, s + sizeof s - 1, std::fabs(x), std::chars_format::fixed, n);
    if (r.ec != std::errc()) return stars(out, w);
    len = static_cast<int>(r.ptr - s);
  }
  if (n == 0) s[len++] = '.';  // the point stands even without decimals
  const char* body = s;
  const int sign = std::signbit(x) ? 1 : 0;
  // The leading zero before the point is optional: drop it when short of room.
  if (s[0] == '0' && s[1] == '.' && n > 0 && len + sign > w) {
    ++body;
    --len;
  }
  if (len + sign > w) return stars(out, w);
  std::memset(out, ' ', static_cast<std::size_t>(w - len - sign));
  if (sign) out[w - len - 1] = '-';
  std::memcpy(out + (w - len), body, static_cast<std::size_t>(len));
}

// 1PEw.d into out[0..w): one non-zero digit before the point, d after it and
// a four-character exponent (Esdd, or sddd beyond 99).
void exponentInto(char* out, int w, int d, double x) {
  if (w <= 0) return;
  if (!std::isfinite(x)) return nonFinite(out, w, x);
  if (d < 0) d = 0;
  if (d + 6 > w || d > kMaxDigits) return stars(out, w);  // digit, point, exponent
  char s[kScratch];
  const auto r = std::to_chars(s, s + sizeof s, std::fabs(x), std::chars_format::scientific, d);
  if (r.ec != std::errc()) return stars(out, w);
  const char* e = static_cast<const char*>(std::memchr(s, 'e', static_cast<std::size_t>(r.ptr - s)));
  if (!e) return stars(out, w);
  const int mant = static_cast<int>(e - s);
  const char esign = e[1];
  const char* edigits = e + 2;
  const int ndig = static_cast<int>(r.ptr - edigits);
  char f[kScratch];
  int k = 0;
  if (std::signbit(x)) f[k++] = '-';
  std::memcpy(f + k, s, static_cast<std::size_t>(mant));
  k += mant;
  if (d == 0) f[k++] = '.';  // the point stands even without decimals
  if (ndig <= 2) {
    f[k++] = 'E';
    f[k++] = esign;
    if (ndig == 1) f[k++] = '0';
    std::memcpy(f + k, edigits, static_cast<std::size_t>(ndig));
    k += ndig;
  } else if (ndig == 3) {
    f[k++] = esign;
    std::memcpy(f + k, edigits, 3);
    k += 3;
  } else {
    return stars(out, w);
  }
  justify(out, w, f, k);
}

// The report real field: zero (and what is too small to tell from it) in the
// fixed form; otherwise the fixed form with as many decimals as keep d
// significant digits while the value lies between the bounds, else the
// exponent form. The lower bound is 10^(lowerShift - d).
void realInto(char* out, int w, int d, double x, int lowerShift) {
  if (w <= 0) return;
  if (d < 0) d = 0;
  const double ax = std::fabs(x);
  if (x == 0.0 || ax < 1.0e-50) return fixedInto(out, w, d, 0.0);
  if (std::isnan(x)) return exponentInto(out, w, d, x);
  // The bounds are single-precision constants widened to double.
  const double lo = static_cast<float>(powerOfTen(lowerShift - d));
  const double hi = static_cast<float>(powerOfTen(d));
  if (ax <= lo || ax >= hi) return exponentInto(out, w, d, x);
  int h = static_cast<int>(std::log10(ax));  // truncated toward zero
  if (h < 0) h -= 1;
  const int n = d - h;
  if (n > d + 2) return exponentInto(out, w, d, x);
  fixedInto(out, w, n, x);
}

template <typename Fill>
std::string field(int w, Fill fill) {
  if (w <= 0) return std::string();
  std::string s(static_cast<std::size_t>(w), ' ');
  fill(s.data());
  return s;
}

// Write one field to a unit, from the stack where the width allows.
template <typename Fill>
void putField(int unit, int w, Fill fill) {
  if (w <= 0) return;
  if (w <= kStackField) {
    char buf[kStackField];
    fill(buf);
    io::put(unit, std::string_view(buf, static_cast<std::size_t>(w)));
  } else {
    io::put(unit, field(w, fill));
  }
}

}  // namespace

char* fixedFieldTo(char* out, int w, int n, double x) {
  if (w <= 0) return out;
  fixedInto(out, w, n, x);
  return out + w;
}

std::string fixedField(int w, int n, double x) {
  return field(w, [&](char* o) { fixedInto(o, w, n, x); });
}

std::string exponentField(int w, int d, double x) {
  return field(w, [&](char* o) { exponentInto(o, w, d, x); });
}

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

std::string realField(int w, int d, double x) {
  return field(w, [&](char* o) { realInto(o, w, d, x, 1); });
}

std::string bufferRealField(int w, int d, double x) {
  return field(w, [&](char* o) { realInto(o, w, d, x, 3); });
}

void WRREAL(int unit, int w, int d, double x) {
  putField(unit, w, [&](char* o) { realInto(o, w, d, x, 1); });
}

void BFREAL(LineBuffer& buf, int w, int d, double x, int& c) {
  if (w <= 0) return;
  char local[kStackField];
  std::string wide;
  char* f = local;
  if (w > kStackField) {
    wide.assign(static_cast<std::size_t>(w), ' ');
    f = wide.data();
  }
  realInto(f, w, d, x, 3);
  // Columns beyond the buffer are dropped; the column still advances.
  for (int k = 0; k < w; ++k, ++c)
    if (c >= 1 && c <= static_cast<int>(sizeof(LineBuffer))) buf[c - 1] = f[k];
}

}  // namespace drelm
