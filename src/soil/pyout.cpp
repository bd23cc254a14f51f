// Fields and lines of the printed p-y curves.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "report/labels.h"
#include "model/fileio.h"
#include "soil/pyframe.h"

namespace drelm::py {

namespace {

std::string rightJust(const std::string& s, int w) {
  if (static_cast<int>(s.size()) > w) return std::string(w, '*');
  return std::string(w - s.size(), ' ') + s;
}

// Exponent part of a Fortran E field: E+dd, or +ddd beyond 99.
std::string expPart(int e) {
  char buf[16];
  if (std::abs(e) > 99) std::snprintf(buf, sizeof buf, "%c%03d", e < 0 ? '-' : '+', std::abs(e));
  else std::snprintf(buf, sizeof buf, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
  return buf;
}

}  // namespace

std::string blanks(int n) { return std::string(n > 0 ? n : 0, ' '); }

std::string fixed(int w, int d, double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%#.*f", d, x);  // Fortran keeps the point
  std::string s = buf;
  if (static_cast<int>(s.size()) > w) {
    // The leading zero gives way first.
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  }
  return rightJust(s, w);
}

std::string expo(int w, int d, double x) {
  std::string mant;
  int e = 0;
  if (x == 0.0) {
    mant = "0." + std::string(d, '0');
  } else {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", d - 1, std::fabs(x));  // d.ddd E+xx
    std::string s = buf;
    const std::size_t ep = s.find('E');
    e = std::atoi(s.c_str() + ep + 1) + 1;
    std::string digits = s.substr(0, 1) + (d > 1 ? s.substr(2, ep - 2) : "");
    mant = "0." + digits;
  }
  std::string s = (x < 0 ? "-" : "") + mant + expPart(e);
  if (static_cast<int>(s.size()) > w) {
    const std::size_t z = s.find("0.");
    if (z != std::string::npos) s.erase(z, 1);
  }
  return rightJust(s, w);
}

std::string general(int w, int d, double x) {
  if (x == 0.0) return rightJust(fixed(w - 4, d - 1, 0.0), w - 4) + "    ";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*E", d - 1, x);
  const int e = std::atoi(std::string(buf).substr(std::string(buf).find('E') + 1).c_str());
  if (e >= -1 && e < d) return fixed(w - 4, d - 1 - e, x) + "    ";
  std::snprintf(buf, sizeof buf, "%.*E", d, x);
  std::string s = buf;
  const std::size_t ep = s.find('E');
  return rightJust(s.substr(0, ep) + expPart(std::atoi(s.c_str() + ep + 1)), w);
}

void textLine(int unit, const std::string& text) {
  io::put(unit, text);
  io::endRecord(unit);
}

void blockLines(int unit, std::initializer_list<std::string> lines) {
  ++soilWarningsWritten();
#pragma omp critical(drelm_report)
  for (const std::string& l : lines) textLine(unit, l);
}

void xRecord(double X) {
  char buf[64];
  std::snprintf(buf, sizeof buf, " %#.17G", X);
  textLine(U_PLOT, buf);
}

void pointLines(double y, double p, bool api) {
  WRBLNK(U_ECHO, 21);
  WRREAL(U_ECHO, 20, 5, y);
  WRREAL(U_ECHO, 20, 5, OUTFRC(p));
  WREOL(U_ECHO);
  const std::string sep = api ? "  " : " ";
  textLine(U_PLOT, sep + general(15, 8, y) + sep + general(15, 8, p));
}

std::string lbig2() { return UNITLB.ULBIG2.str(); }
std::string lsml2() { return UNITLB.ULSML2.str(); }
std::string llen2() { return UNITLB.ULLEN2.str(); }
std::string llod3() { return UNITLB.ULLOD3.str(); }

}  // namespace drelm::py
