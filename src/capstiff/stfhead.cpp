#include "capstiff/stfhead.h"

#include <string>

#include "results/anlio.h"
#include "capstiff/stfunits.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm {

namespace {

using anl::blanks;
using anl::out;
using namespace cst;

void wline(int unit, const std::string& s) { out(unit, s + " "); }

int nForces(bool plane) { return plane ? 2 : 3; }

void unitLines(int u, bool plane) {
  const int nf = nForces(plane), nm = plane ? 1 : 3;
  std::string load = blanks(2) + " LOAD" + blanks(3), disp = blanks(2) + " DISP" + blanks(3);
  for (int i = 0; i < nf; ++i) load += blanks(6) + F() + blanks(6);
  for (int i = 0; i < nm; ++i) load += blanks(4) + F() + DA() + L() + blanks(5);
  for (int i = 0; i < nf; ++i) disp += blanks(6) + L() + blanks(7);
  for (int i = 0; i < nm; ++i) disp += blanks(6) + RAD() + blanks(6);
  out(u, load);
  out(u, disp);
}

void stiffnessUnits(int u, bool plane) {
  const int ndof = plane ? 3 : 6, nf = nForces(plane);
  anl::empty(u);
  out(u, blanks(4) + "UNITS, STIFFNESS");
  std::string h = blanks(2) + "  DOF";
  for (int j = 1; j <= ndof; ++j) h += intField(11, j) + blanks(4);
  out(u, h);
  for (int i = 1; i <= ndof; ++i) {
    std::string r = blanks(2) + intField(5, i) + blanks(3);
    if (i <= nf) {
      r += blanks(4);
      for (int j = 1; j <= nf; ++j) r += F() + SL() + L() + blanks(9);
      for (int j = nf + 1; j <= ndof; ++j) r += (j > nf + 1 ? blanks(8) : "") + F() + SL() + RAD();
    } else {
      r += blanks(6);
      for (int j = 1; j <= nf; ++j) r += (j > 1 ? blanks(12) : "") + F();
      r += blanks(8);
      for (int j = nf + 1; j <= ndof; ++j) r += (j > nf + 1 ? blanks(5) : "") + F() + DA() + L() + SL() + RAD();
    }
    out(u, r);
  }
}

}  // namespace

void STFHEAD(std::int32_t method, std::int32_t IANTYP) {
  const bool plane = IANTYP == 2;
  const std::string title = blanks(5) + "* PILE CAP STIFFNESS ESTIMATION *";
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u, 2);
    out(u, title);
  }
  out(U_REPORT, title);
  anl::empty(U_LOG);
  out(U_LOG, title);
  io::FLUSH(U_LOG);
  for (int u : {U_RESULTS, U_SUMMARY})
    out(u, blanks(5) + (method == 0 ? "- BASED ON TOTAL APPLIED LOAD  " : "- BASED ON TARGET DEFLECTION   "));
  anl::empty(U_RESULTS);
  out(U_RESULTS, blanks(4) + "UNITS, LOAD AND DISP");
  unitLines(U_RESULTS, plane);
  unitLines(U_SUMMARY, plane);
  stiffnessUnits(U_RESULTS, plane);
  stiffnessUnits(U_SUMMARY, plane);
}

void TRGDSPWR(int unit, std::int32_t NF, std::int32_t IANTYP, double SEDCMP, double SEDTGT, const double* CESTV) {
  if (CESTV[NF] == 0.0) return;
  const bool plane = IANTYP == 2;
  const int d = static_cast<int>(CESTV[NF + 1]);
  static const char* const names[] = {"  DISPLACEMENT X,", "  DISPLACEMENT Y,", "  DISPLACEMENT Z,",
                                      "      ROTATION X,", "      ROTATION Y,", "      ROTATION Z,"};
  const bool inside = d >= 1 && d <= 6;
  const bool translation = (d == 1 || d == 2 || (d == 3 && !plane));
  std::string s = blanks(5);
  if (inside) {
    s += (d == 3 && plane) ? "      ROTATION Z," : names[d - 1];
    s += "  TARGET =" + realField(13, 5, SEDTGT) + (translation ? " " + L() : "");
  }
  s += " , COMPUTED =" + realField(13, 5, SEDCMP);
  if (inside ? translation : d < 3) s += " " + L();
  wline(unit, s);
}

void EQLDWR(std::int32_t NF, std::int32_t IANTYP, std::int32_t point, double factor, double SEDCMP, double SEDTGT,
            const double* CESTV, const double* load, const double* disp) {
  const int ndof = IANTYP == 2 ? 3 : 6;
  const std::string pf = "   N:" + intField(5, point) + "  FACTOR :" + anl::ffield(10, 4, factor);
  anl::empty(U_SUMMARY);
  out(U_SUMMARY, blanks(4) + pf);
  out(U_REPORT, blanks(4) + "    1" + pf);
  TRGDSPWR(U_RESULTS, NF, IANTYP, SEDCMP, SEDTGT, CESTV);
  TRGDSPWR(U_SUMMARY, NF, IANTYP, SEDCMP, SEDTGT, CESTV);
  const auto raw = [&](const char* title, const double* v) {
    out(U_REPORT, blanks(7) + title);
    std::string s = blanks(7);
    for (int i = 0; i < ndof; ++i) s += realField(18, 8, v[i]) + blanks(5);
    wline(U_REPORT, s);
  };
  raw("* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", load);
  raw("* DISPLACEMENT OF PILE CAP AT ORIGIN *", disp);
  for (int u : {U_RESULTS, U_SUMMARY}) {
    std::string l = blanks(2) + " LOAD", dl = blanks(2) + " DISP";
    for (int i = 0; i < ndof; ++i) l += realField(15, 5, OUTFRC(load[i]));
    for (int i = 0; i < ndof; ++i) dl += realField(15, 5, disp[i]);
    wline(u, l);
    wline(u, dl);
  }
}

}  // namespace drelm
