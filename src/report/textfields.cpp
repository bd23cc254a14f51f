// The text and spacing writers of the report field family.
#include <algorithm>
#include <cstring>

#include "report/writers.h"
#include "run/fileio.h"

namespace drelm {

std::string intField(int w, long long value) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) > w) return std::string(std::max(w, 0), '*');
  return std::string(w - s.size(), ' ') + s;
}

void WRINT(int unit, int w, std::int32_t value) { io::put(unit, intField(w, value)); }

void WRBLNK(int unit, int n) {
  for (int k = 0; k < n; ++k) io::put(unit, ' ');
}

void WREOL(int unit) {
  io::put(unit, ' ');
  io::endRecord(unit);
}

namespace {
// A text of exactly n characters: cut or blank-padded.
void putFixed(int unit, std::string_view text, std::size_t n) {
  std::string s(text.substr(0, std::min(n, text.size())));
  s.resize(n, ' ');
  io::put(unit, s);
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
