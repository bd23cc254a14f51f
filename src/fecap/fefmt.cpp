#include "fecap/fefmt.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "report/writers.h"

namespace drelm {
namespace {

// The value the deck reader takes from the text of a field.
bool readsBack(const std::string& field, double x) {
  const char* s = field.c_str();
  while (*s == ' ') ++s;
  char* end = nullptr;
  const double v = std::strtod(s, &end);
  return end != s && *end == '\0' && v == x;
}

std::string kept(const std::string& field, std::string text) {
  const std::size_t w = field.size();
  if (text.size() >= w) return " " + text;
  return std::string(w - text.size(), ' ') + text;
}

std::string keptReal(const std::string& field, double x) {
  if (readsBack(field, x)) return field;
  char b[40];
  const auto r = std::to_chars(b, b + sizeof b, x);
  std::string text(b, r.ptr);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return kept(field, text);
}

}  // namespace

std::string deckI(int w, long long v) {
  const std::string field = fmtI(w, v);
  if (field.find('*') == std::string::npos) return field;
  return kept(field, std::to_string(v));
}

std::string deckF(int w, int d, double x) { return keptReal(fmtF(w, d, x), x); }

std::string deckE(int w, int d, double x) { return keptReal(fmtE(w, d, x), x); }

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
