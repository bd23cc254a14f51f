// Soil springs of a pile with its own p-y curves by depth: at each node the
// secant moduli of the two curves that bracket the node's depth, interpolated
// by depth.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

#include "pile/nodesvc.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/model_usrpy.h"
#include "soil/pylayr.h"

namespace drelm {

namespace {

// Resistance of curve c of set s at deflection y: the first point at or
// beyond y, interpolated from the point before it; from the origin when the
// first point already lies beyond y; the last resistance beyond the curve.
double resistance(int s, int c, double y) {
  const USRPY_T& T = USRPY;
  const int n = std::min<int>(T.PYNPT(s, c), MAXPYP);
  if (n < 1) return 0.0;
  for (int k = 1; k <= n; ++k) {
    const double yk = T.PYY(s, c, k);
    if (yk < y) continue;
    if (yk == y) return T.PYP(s, c, k);
    const double y0 = k > 1 ? T.PYY(s, c, k - 1) : 0.0;
    const double p0 = k > 1 ? T.PYP(s, c, k - 1) : 0.0;
    if (yk == y0) return T.PYP(s, c, k);
    return p0 + (y - y0) * (T.PYP(s, c, k) - p0) / (yk - y0);
  }
  return T.PYP(s, c, n);
}

void curvesTooShort() {
#pragma omp critical(drelm_report)
  {
    io::endRecord(U_RESULTS);
    io::endRecord(U_RESULTS);
    io::put(U_RESULTS, "  -  P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE");
    io::endRecord(U_RESULTS);
  }
}

}  // namespace

bool PYBYDEP(const std::int32_t& IPILE) { return RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(IPILE) > 0; }

void PYTABES(const std::int32_t& IPILE, const NodeArray& YDEFL, NodeArray& ESOIL,
             const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL) {
  (void)YSOIL2;  // zero for every caller: the springs act on YDEFL - YSOIL1
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int ninc = std::min<int>(PILEPROP.NINC(t), MAXINC);
  const double h = PILEPROP.DXINC(t);
  const double href = PILEAR.PHXREF(p);
  const USRPY_T& T = USRPY;
  if (CURCTL.KPYLST == 0 || CURCTL.KPYLST == 1) SOILCOM.GRNDX(p) = PILEAR.PGRND(p) + href;

  const int s = std::abs(PILEAR.IPYSET(p));
  const int nc = s >= 1 && s <= MAXPYS ? std::min<int>(T.PYNCRV(s), MAXPYC) : 0;
  const double fp = GRPFAC.GRPPF(p);
  const double fy = GRPFAC.GRPYF(p) != 0.0 ? GRPFAC.GRPYF(p) : 1.0;
  const double eps = RUNCONST.EPSLIM > 0.0 ? RUNCONST.EPSLIM : 1.0E-14;
  const bool smov = SMOV.NSMOV >= 1;
  const std::int32_t icap = CAPCTL.ICAPOP;

  // The deeper curve of the bracket; it only moves down. A set of one curve
  // takes that curve alone.
  int c = std::min(2, nc);
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 1 && icap < 1) continue;
    const int last = pass == 1 ? 5 : ninc + 4;
    const bool capPass = pass == 1 && icap == 1;
    for (int i = 4; i <= last; ++i) {
      const double x = (i - 4) * h;
      double z = x + href;
      std::int32_t set = 0;
      double pm = 1.0, ym = 1.0;
      if (RFDCTL.IRFDEP == 1) PYMULT(IPILE, set, x, pm, ym);
      const bool mult = set > 0;
      if (mult && ym == 0.0) ym = 1.0;
      if (z < 0.0) {
        ESOIL(i) = 0.0;
        continue;
      }
      if (capPass) z = 0.99 * href;  // just above the head, at the cap base
      while (c >= 1 && c <= nc && T.PYDEP(s, c) < z) ++c;
      if (c < 1 || c > nc) {
        curvesTooShort();
        raiseOutcome(KPIL_LATERAL);
        return;
      }
      // The movement in the deflection's own direction, with its sign: a
      // plane row's, or none where the space solver hands the length of its
      // relative deflection.
      const double ys = smov ? YSOIL1(i) : 0.0;
      double ya = std::max(std::fabs(YDEFL(i) - ys), eps);
      if (capPass) ya = std::max(CAPCTL.CAPUHM, eps);

      const int c0 = (c == 1 || T.PYDEP(s, c) == z) ? c : c - 1;
      const double pc = resistance(s, c, ya);
      const double p0 = c0 < c ? resistance(s, c0, ya) : pc;
      double f = fp / (ya * fy);
      if (mult) f *= pm / ym;
      const double ec = f * pc, e0 = f * p0;
      const double dc = T.PYDEP(s, c), d0 = T.PYDEP(s, c0);
      const double w = c0 < c && dc != d0 ? (dc - z) / (dc - d0) : 0.0;
      ESOIL(i) = ec - (ec - e0) * w;
      if (capPass) SOILCOM.PUCAP(p) = pc - (pc - p0) * w;
      if (CURCTL.KPYLST == 0 && smov) PSMOV(i) = ESOIL(i) * ys;
      double ps = pc * fp;
      if (mult) ps *= pm;
      PSOIL(i) = YDEFL(i) > ys ? -ps : ps;
    }
  }
}

}  // namespace drelm
