// The text and spacing writers of the report field family.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "report/writers.h"
#include "model/fileio.h"

namespace drelm {

char* intFieldTo(char* out, int w, long long value) {
  if (w <= 0) return out;
  char s[24];
  const auto r = std::to_chars(s, s + sizeof s, value);
  const int len = static_cast<int>(r.ptr - s);
  if (len > w) {
    std::memset(out, '*', static_cast<std::size_t>(w));
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(w - len));
    std::memcpy(out + (w - len), s, static_cast<std::size_t>(len));
  }
  return out + w;
}

std::string intField(int w, long long value) {
  std::string s(static_cast<std::size_t>(std::max(w, 0)), ' ');
  intFieldTo(s.data(), w, value);
  return s;
}

void WRINT(int unit, int w, std::int32_t value) {
  if (w <= 0) return;
  char buf[64];
  if (w <= static_cast<int>(sizeof buf)) {
    intFieldTo(buf, w, value);
    io::put(unit, std::string_view(buf, static_cast<std::size_t>(w)));
  } else {
    io::put(unit, intField(w, value));
  }
}

void WRBLNK(int unit, int n) {
  static constexpr char blanks[] = "                                                                ";
  while (n > 0) {
    const int k = std::min<int>(n, sizeof blanks - 1);
    io::put(unit, std::string_view(blanks, static_cast<std::size_t>(k)));
    n -= k;
  }
}

void WREOL(int unit) {
  io::put(unit, ' ');
  io::endRecord(unit);
}

namespace {
// A text of exactly n characters: cut or blank-padded.
void putFixed(int unit, std::string_view text, std::size_t n) {
  const std::size_t k = std::min(n, text.size());
  io::put(unit, text.substr(0, k));
  if (k < n) WRBLNK(unit, static_cast<int>(n - k));
}
void putFramed(int unit, std::string_view text, std::size_t n) {
  io::put(unit, ' ');
  putFixed(unit, text, n);
  io::put(unit, ' ');
}
}  // namespace

void WRA10(int unit, std::string_view text) { putFramed(unit, text, 10); }
void WRA6(int unit, std::string_view text) { putFramed(unit, text, 6); }
void WRA256(int unit, std::string_view text) { putFramed(unit, text, 256); }
void WRA1(int unit, std::string_view text) { putFixed(unit, text, 1); }
void WRA2(int unit, std::string_view text) { putFixed(unit, text, 2); }
void WRA3(int unit, std::string_view text) { putFixed(unit, text, 3); }

void WRTRIM(int unit, std::string_view text) {
  // The text is a 256-character name: anything beyond it is not part of it.
  std::size_t n = std::min<std::size_t>(text.size(), 256);
  while (n > 0 && text[n - 1] == ' ') --n;
  io::put(unit, text.substr(0, n));
}

void BFBLNK(LineBuffer& buf, int n, int& c) {
  for (int k = 0; k < n; ++k, ++c)
    if (c >= 1 && c <= 500) buf[c - 1] = ' ';
}

void BFTEXT(LineBuffer& buf, std::string_view text, int n, int& c) {
  for (int k = 0; k < n; ++k, ++c) {
    const char ch = k < static_cast<int>(text.size()) ? text[k] : ' ';
    if (c >= 1 && c <= 500) buf[c - 1] = ch;
  }
}

}  // namespace drelm
