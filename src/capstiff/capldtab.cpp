#include "capstiff/capldtab.h"

#include <string>

#include "results/anlio.h"
#include "capstiff/stfunits.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

namespace {

using anl::blanks;
using anl::out;
using namespace cst;

// A line of the report writers: their last field ends with one blank.
void wline(int unit, const std::string& s) { out(unit, s + " "); }

bool reopen() {
  io::CLOSE(U_CLDSCR);
  return io::openChecked(U_CLDSCR, FNAMES.FNU(U_CLDSCR).trimmed(), io::Access::ReadBack);
}

std::string fields(const double* v, int n, bool plane, double (*conv)(double)) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    const double x = conv ? conv(v[i]) : v[i];
    s += plane ? realField(14, 5, x) + blanks(4) : realField(15, 5, x);
  }
  return s;
}

void loadHeading(bool plane, bool force) {
  const int u = U_RESULTS;
  anl::empty(u);
  if (plane) {
    const std::string tail = blanks(5) + "VERT. DISP," + L() + blanks(4) + "HOR. DISP Y," + L() + blanks(4) +
                             "ROTATION Z," + RAD();
    if (force) out(u, blanks(5) + "    N" + blanks(7) + "FORCE," + F() + tail);
    else out(u, blanks(5) + "    N" + blanks(5) + "MOMENT," + F() + DA() + L() + blanks(3) + tail.substr(5));
    return;
  }
  if (force) out(u, blanks(5) + "    N" + blanks(5) + "FORCE," + F() + " ");
  else out(u, blanks(5) + "    N" + blanks(2) + "MOMENT," + F() + DA() + L());
  std::string s = blanks(10);
  for (const char* a : {"X", "Y", "Z"}) s += blanks(5) + "DISP " + a + "," + L() + " ";
  for (const char* a : {"X", "Y", "Z"}) s += blanks(5) + "ROT " + a + "," + RAD() + " ";
  out(u, s);
}

void noConvergence(int unit, std::int32_t n) {
  out(unit, blanks(5) + intField(5, -n) + blanks(5) + "NO CONVERGENCE ON PILE CAP");
}

void coefficientHeading(int unit, bool plane, bool force, int j, int ndof) {
  anl::empty(unit);
  std::string s = blanks(5) + "    N";
  if (plane) s += blanks(2);
  for (int k = 1; k <= ndof; ++k)
    s += blanks(9) + "S" + std::to_string(k % 10) + std::to_string(j % 10) + blanks(plane ? 6 : 3);
  out(unit, s);
  const std::string LF = L() + SL() + F(), RF = RAD() + SL() + F();
  const std::string LLF = L() + SL() + L() + DA() + F(), RLF = RAD() + SL() + L() + DA() + F();
  if (plane) {
    if (force)
      out(unit, blanks(15) + blanks(5) + LF + blanks(7) + blanks(5) + LF + blanks(7) + blanks(4) + RF + blanks(7));
    else
      out(unit, blanks(15) + blanks(4) + LLF + blanks(9) + LLF + blanks(8) + RLF + blanks(8));
    return;
  }
  std::string t = blanks(9);
  for (int k = 1; k <= 6; ++k) {
    if (force) t += k <= 3 ? blanks(7) + LF + blanks(2) : blanks(6) + RF + (k < 6 ? blanks(2) : "");
    else t += k <= 3 ? blanks(5) + LLF + blanks(1) : blanks(5) + RLF;
  }
  out(unit, t);
}

}  // namespace

void CAPLDTAB(std::int32_t IPRDOF, std::int32_t IPOINT, std::int32_t NESTV, std::int32_t IANTYP, std::int32_t NDOF,
              std::int32_t& ICLDOP) {
  if (IPRDOF != 2) return;
  const bool plane = IANTYP == 2;
  const int nd = NDOF < 1 ? 1 : (NDOF > 6 ? 6 : NDOF);
  const bool force = IPOINT < (plane ? 3 : 4);
  ICLDOP = 0;
  if (!reopen()) {
    cst::shortScratch(U_CLDSCR, "CLDSCR");
    return;
  }
  ICLDOP = 1;
  loadHeading(plane, force);
  std::int32_t n = 0;
  double r[7] = {};
  bool whole = true;
  for (std::int32_t i = 1; i <= NESTV && whole; ++i) {
    if (!readCoded(U_CLDSCR, n, r, nd + 1)) {
      whole = false;
      break;
    }
    const double P = r[0];
    const double* U = r + 1;
    if (n < 1) {
      noConvergence(U_RESULTS, n);
    } else if (plane) {
      wline(U_RESULTS, blanks(5) + intField(5, n) + blanks(2) + blanks(5) + realField(14, 5, OUTFRC(P)));
      wline(U_RESULTS, blanks(29) + fields(U, nd, true, nullptr));
    } else {
      wline(U_RESULTS, blanks(5) + intField(5, n) + realField(15, 5, OUTFRC(P)));
      wline(U_RESULTS, blanks(10) + fields(U, nd, false, nullptr));
    }
    const double Uj = IPOINT >= 1 && IPOINT <= nd ? U[IPOINT - 1] : 0.0;
    std::string raw = blanks(5) + intField(5, n) + blanks(4) + realField(18, 8, P) + blanks(4) + realField(18, 8, Uj) +
                      blanks(4);
    for (int k = 0; k < nd; ++k) raw += realField(18, 8, U[k]) + blanks(4);
    wline(U_REPORT, raw);
    double c[6];
    if (!readCoded(U_CLDSCR, n, c, nd)) whole = false;
  }
  io::CLOSE(U_CLDSCR);
  ICLDOP = 0;
  if (!whole) {
    cst::shortScratch(U_CLDSCR, "CLDSCR");
    return;
  }

  coefficientHeading(U_RESULTS, plane, force, IPOINT, nd);
  coefficientHeading(U_SUMMARY, plane, force, IPOINT, nd);
  if (!reopen()) {
    cst::shortScratch(U_CLDSCR, "CLDSCR");
    return;
  }
  ICLDOP = 1;
  for (std::int32_t i = 1; i <= NESTV; ++i) {
    double c[7];
    if (!readCoded(U_CLDSCR, n, c, nd) || !readCoded(U_CLDSCR, n, c, nd)) {
      whole = false;
      break;
    }
    for (int u : {U_RESULTS, U_SUMMARY}) {
      if (n < 1) {
        noConvergence(u, n);
        continue;
      }
      std::string s = blanks(5) + intField(5, n);
      if (plane) s += blanks(2) + blanks(5);
      wline(u, s + fields(c, nd, plane, INFRC));
    }
  }
  io::CLOSE(U_CLDSCR);
  ICLDOP = 0;
  if (!whole) cst::shortScratch(U_CLDSCR, "CLDSCR");
}

}  // namespace drelm
