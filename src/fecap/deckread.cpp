#include "fecap/deckread.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "fecap/fedata.h"
#include "model/fileio.h"

namespace drelm {
namespace {

bool parseValue(std::string tok, char kind, double& v) {
  for (char& c : tok)
    if (c == 'd' || c == 'D') c = 'E';
  const char* s = tok.c_str();
  char* end = nullptr;
  errno = 0;
  if (kind == 'i') {
    const long long n = std::strtoll(s, &end, 10);
    if (end == s || *end != '\0' || errno != 0 || n < -2147483647LL || n > 2147483647LL) return false;
    v = static_cast<double>(n);
    return true;
  }
  v = std::strtod(s, &end);
  return end != s && *end == '\0' && errno == 0 && std::isfinite(v);
}

}  // namespace

bool DeckReader::record(std::string& text) {
  if (!io::readLine(unit_, text)) return false;
  ++rec_;
  return true;
}

std::vector<double> DeckReader::read(const std::string& kinds, const char* what) {
  std::vector<double> out;
  std::string text;
  while (out.size() < kinds.size()) {
    if (!record(text)) {
      io::line(U_FELIST, std::string("*** DIAGNOSIS: THE DECK ENDS EARLY, READING ") + what);
      throw PlateHalt{std::string("PLATE DECK ENDS EARLY, READING ") + what};
    }
    std::size_t i = 0;
    while (out.size() < kinds.size()) {
      while (i < text.size() && (text[i] == ' ' || text[i] == ',' || text[i] == '\t')) ++i;
      if (i >= text.size()) break;
      std::size_t j = i;
      while (j < text.size() && text[j] != ' ' && text[j] != ',' && text[j] != '\t') ++j;
      double v = 0;
      if (!parseValue(text.substr(i, j - i), kinds[out.size()], v)) {
        io::line(U_FELIST, "*** DIAGNOSIS: VALUE OF THE WRONG FORM IN RECORD " + std::to_string(rec_) +
                               " OF THE DECK, READING " + what + ": " + text.substr(i, j - i));
        throw PlateHalt{"PLATE DECK RECORD " + std::to_string(rec_) + " HOLDS A VALUE OF THE WRONG FORM"};
      }
      out.push_back(v);
      i = j;
    }
  }
  return out;
}

}  // namespace drelm
