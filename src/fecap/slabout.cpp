#include "fecap/slabout.h"

#include <cstring>
#include <string>

#include "fecap/fefmt.h"
#include "model/fileio.h"

namespace drelm {
namespace {

void out(int u, const std::string& s) {
  io::put(u, s);
  io::endRecord(u);
}

const char* const STRESS_HEAD =
    "   SIGMA_XX    SIGMA_YY    SIGMA_XY   X-MOMENT    Y-MOMENT   XY-MOMENT  XZ-S,FORCE  YZ-S,FORCE";

void extremes(const char* title, const double (&v)[8], const int (&el)[8], const int (&ip)[8]) {
  out(U_FELIST, "");
  out(U_FELIST, std::string(10, ' ') + title);
  out(U_FELIST, "");
  out(U_FELIST, std::string(" ") + "    " + "  " + "        " + "  " + "        " + STRESS_HEAD);
  std::string s = std::string(10, ' ') + "STRESS" + std::string(9, ' ');
  for (double x : v) s += fmtE(13, 5, x);
  out(U_FELIST, s);
  s = std::string(10, ' ') + "ELEM. " + std::string(9, ' ') + fmtI(6, el[0]);
  for (int c = 1; c < 8; ++c) s += fmtI(12, el[c]);
  out(U_FELIST, s);
  s = std::string(10, ' ') + "IP    " + std::string(9, ' ') + fmtI(6, ip[0]);
  for (int c = 1; c < 8; ++c) s += fmtI(12, ip[c]);
  out(U_FELIST, s);
}

}  // namespace

void SLABDSP(PlateArrays& A) {
  const FESOLV_T& F = FESOLV;
  out(U_FELIST, "   STEP =" + fmtI(5, F.ISTEP) + "   TIME =" + fmtF(10, 4, F.TCUR));
  out(U_FELIST, "");
  out(U_FELIST, "      DISPLACEMENTS");
  out(U_FELIST, "");
  out(U_FELIST, "      NODE     X-DISP        Y-DISP       Z-DISP        XZ-ROT.       YZ-ROT.       Z-ROT");
  for (int n = 1; n <= F.NPOIN; ++n) {
    std::string s = fmtI(10, n);
    for (int d = 1; d <= 6; ++d) s += fmtE(14, 6, A.ASDIS(d, n));
    out(U_FELIST, s);
  }
  out(U_FELIST, "");
  out(U_FELIST, "      REACTIONS");
  out(U_FELIST, "");
  out(U_FELIST, "      NODE    X-FORCE       Y-FORCE       Z-FORCE      XZ-MOMENT      YZ-MOMENT     Z-MOMENT");
  for (int n = 1; n <= F.NPOIN; ++n) {
    std::string s = fmtI(10, n);
    for (int d = 1; d <= 6; ++d) s += fmtE(14, 6, A.RHSVEC(d, n));
    out(U_FELIST, s);
  }
}

void SLABSTR(PlateArrays& A) {
  FESOLV_T& F = FESOLV;
  const int nn = F.NNODE;
  out(U_FELIST, "");
  out(U_FELIST, std::string(10, ' ') + "STRESSES");
  out(U_FELIST, "");
  out(U_FELIST, "");
  out(U_FELIST, std::string(" ") + "G,P." + "  " + "X-COORD." + "  " + "Y-COORD." + STRESS_HEAD);
  A.NODSTR.zero();
  A.NODWGT.zero();
  double smax[8] = {}, smin[8] = {};
  int emax[8] = {}, emin[8] = {}, pmax[8] = {}, pmin[8] = {};
  std::string rec;
  for (int e = 1; e <= F.NELEM; ++e) {
    // Every element's record, whole: without it the stresses would be those
    // of the element before.
    if (!io::readRecord(U_FEELEM, rec) || rec.size() != (1215 + 486 + 18) * sizeof(double)) {
      out(U_FELIST, " *** THE ELEMENT RECORD FILE CANNOT BE READ BACK");
      throw PlateHalt{"THE ELEMENT RECORD FILE CANNOT BE READ BACK"};
    }
    std::memcpy(F.DBPGP.v, rec.data(), 1215 * sizeof(double));
    std::memcpy(F.DBMGP.v, rec.data() + 1215 * sizeof(double), 486 * sizeof(double));
    std::memcpy(F.GPXY.v, rec.data() + 1701 * sizeof(double), 18 * sizeof(double));
    out(U_FELIST, "");
    out(U_FELIST, "     ELEMENT NO.=" + fmtI(5, A.ELLAB(e)));
    int KG = 0;
    for (int i = 1; i <= F.NGAUS; ++i)
      for (int l = 1; l <= F.NGAUS; ++l) {
        ++KG;
        double S[8] = {};
        for (int k = 1; k <= nn; ++k) {
          const int n = A.ELNOD(k, e);
          for (int c = 1; c <= 3; ++c)
            for (int d = 1; d <= 2; ++d) S[c - 1] += F.DBMGP(c, 2 * (k - 1) + d, KG) * A.ASDIS(d, n);
          for (int c = 1; c <= 5; ++c)
            for (int d = 1; d <= 3; ++d) S[2 + c] += F.DBPGP(c, 3 * (k - 1) + d, KG) * A.ASDIS(2 + d, n);
        }
        std::string s = fmtI(5, KG) + fmtF(10, 4, F.GPXY(1, KG)) + fmtF(10, 4, F.GPXY(2, KG));
        for (double x : S) s += fmtE(13, 5, x);
        out(U_FELIST, s);
        for (int c = 0; c < 8; ++c) {
          if (e == 1 && KG == 1) {
            smax[c] = smin[c] = S[c];
            emax[c] = emin[c] = A.ELLAB(1);
            pmax[c] = pmin[c] = 1;
            continue;
          }
          if (S[c] > smax[c]) smax[c] = S[c], emax[c] = A.ELLAB(e), pmax[c] = KG;
          if (S[c] < smin[c]) smin[c] = S[c], emin[c] = A.ELLAB(e), pmin[c] = KG;
        }
        for (int k = 1; k <= nn; ++k) {
          const int n = A.ELNOD(k, e);
          const double dx = A.NODXY(1, n) - F.GPXY(1, KG), dy = A.NODXY(2, n) - F.GPXY(2, KG);
          const double w = 1.0 / (dx * dx + dy * dy);
          for (int c = 1; c <= 8; ++c) A.NODSTR(c, n) += w * S[c - 1];
          A.NODWGT(n) += w;
        }
      }
  }
  extremes("MAXIMUM STRESSES", smax, emax, pmax);
  extremes("MINIMUM STRESSES", smin, emin, pmin);
  if (F.ISTEP == 1) {
    out(U_FEPOST, "STEP_DATA");
    out(U_FEPOST, "14");
    out(U_FEPOST, std::string("UX UY UZ ROTX ROTY ROTZ ") + "SXX SYY SXY MOM_X MOM_Y MOM_XY SH_XZ SH_YZ");
  }
  out(U_FEPOST, "STEP" + fmtI(8, F.ISTEP));
  for (int n = 1; n <= F.NPOIN; ++n) {
    std::string s = fmtI(5, A.NODLAB(n));
    for (int d = 1; d <= 6; ++d) s += fmtE(12, 4, A.ASDIS(d, n));
    for (int c = 1; c <= 8; ++c) {
      if (A.NODWGT(n) != 0.0) A.NODSTR(c, n) /= A.NODWGT(n);
      s += fmtE(12, 4, A.NODSTR(c, n));
    }
    out(U_FEPOST, s);
  }
}

}  // namespace drelm
