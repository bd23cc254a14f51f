// User-defined p-y curves (code 5): the springs of a layer interpolated
// between the input p-y curves of the pile's set that bracket each node's
// depth. Works from the curve tables, not from soil look-ups, and prints
// nothing but a note when the curves end above a node.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

// Resistance of curve c of set s at deflection y: linear between the points
// that bracket y, the first segment extended below the first point, the last
// resistance beyond the last point.
double curveP(int s, int c, double y) {
  const USRPY_T& T = USRPY;
  const int n = std::min<int>(T.PYNPT(s, c), MAXPYP);
  if (n < 1) return 0.0;
  if (n == 1 || y > T.PYY(s, c, n)) return T.PYP(s, c, n);
  int k = 1;
  while (k + 1 < n && y > T.PYY(s, c, k + 1)) ++k;
  const double y1 = T.PYY(s, c, k), y2 = T.PYY(s, c, k + 1);
  const double p1 = T.PYP(s, c, k), p2 = T.PYP(s, c, k + 1);
  if (y2 == y1) return p2;
  return p1 + (p2 - p1) * (y - y1) / (y2 - y1);
}

double lastP(int s, int c) {
  const int n = std::min<int>(USRPY.PYNPT(s, c), MAXPYP);
  return n >= 1 ? USRPY.PYP(s, c, n) : 0.0;
}

}  // namespace

bool PYUSET(std::int32_t IPILE) {
  const int s = std::abs(PILEAR.IPYSET(IPILE));
  return s >= 1 && s <= std::min<int>(USRPY.NPYSET, MAXPYS) && USRPY.PYNCRV(s) >= 1;
}

void PYUSER(const std::int32_t& IPROP, const std::int32_t& ILAYR, const std::int32_t& IPILE,
            const std::int32_t& IPILEF, const NodeArray& YDEFL, NodeArray& ESOIL,
            const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL) {
  (void)YSOIL2;  // zero for every caller: the springs act on YDEFL - YSOIL1
  const int p = IPILE;
  const int L = ILAYR;
  const int q = IPILEF;
  if (!PYUSET(p)) return;  // the dispatcher stops the run for such a pile
  const USRPY_T& T = USRPY;
  const int s = std::abs(PILEAR.IPYSET(p));
  const int ncrv = std::min<int>(T.PYNCRV(s), MAXPYC);
  if (CURCTL.KPYLST == 0 || CURCTL.KPYLST == 1) SOILCOM.GRNDX(p) = PILEAR.PGRND(p) + PILEAR.PHXREF(p);

  const int n1 = LAYNODE.LNODE1(p, L);
  const int n2 = std::min(LAYNODE.LNODE2(p, L), MAXNOD);
  if (n1 < 1 || n1 >= MAXNOD) return;
  const int icap = CAPCTL.ICAPOP;
  const double fp = GRPFAC.GRPPF(q);
  const double fy = GRPFAC.GRPYF(q);
  const double dx = PILEPROP.DXINC(IPROP);
  const bool smov = SMOV.NSMOV > 0;

  int j = 2;  // the deeper curve of the bracket: only moves down within the call
  double sum = 0.0;
  for (int pass = 1; pass <= 2; ++pass) {
    int i0 = n1, i1 = n2;
    if (pass == 1) {
      if (icap < 1 || n1 != 1) continue;
      i0 = i1 = 1;
    }
    for (int i = i0; i <= i1; ++i) {
      double X = PILENODE.XNODE(p, i);
      std::int32_t set = 0;
      double pm = 1.0, ym = 1.0;
      if (RFDCTL.IRFDEP == 1) PYMULT(p, set, X - PILEAR.PHXREF(p), pm, ym);
      const bool capPass = pass == 1 && icap == 1;
      if (capPass) X = r4(0.99) * PILEAR.PHXREF(p);
      if (i == n1) sum = 0.0;

      // The curves that bracket X: the deeper one alone at its own depth;
      // below the deepest curve (or with a single curve) the nearest one alone.
      int lower = 0, upper;
      double w = 0.0;
      bool below = false;
      if (ncrv == 1) {
        upper = 1;
        below = X > T.PYDEP(s, 1);
      } else {
        while (j <= ncrv && T.PYDEP(s, j) < X) ++j;
        if (j > ncrv) {
          upper = ncrv;
          below = true;
        } else {
          upper = j;
          if (T.PYDEP(s, j) != X) {
            lower = j - 1;
            w = (T.PYDEP(s, j) - X) / (T.PYDEP(s, j) - T.PYDEP(s, j - 1));
          }
        }
      }
      if (below) {
        PYLAYR.CUMPU(p, L) = sum;
        py::blockLines(U_ECHO, {"", "", "     P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"});
      }

      const double ys = smov ? YSOIL1(i) : 0.0;  // signed, in the deflection's direction
      // The cap's resistance follows the cap's own horizontal movement.
      double y = capPass ? CAPCTL.CAPUHM : std::fabs(YDEFL(i) - ys);
      if (y < RUNCONST.EPSLIM) y = RUNCONST.EPSLIM;

      double mult = fp / (y * fy);
      if (set > 0) mult *= pm / ym;
      const double pj = curveP(s, upper, y);
      const double pl = lower > 0 ? curveP(s, lower, y) : pj;
      const double pint = pj - w * (pj - pl);
      // Secants interpolated by depth; the same weight gives the cap's resistance.
      ESOIL(i) = mult * pj - w * (mult * pj - mult * pl);
      if (capPass) SOILCOM.PUCAP(p) = pint;
      const double uj = lastP(s, upper);
      const double ul = lower > 0 ? lastP(s, lower) : uj;
      sum += (uj - w * (uj - ul)) * dx;
      PYLAYR.CUMPU(p, L) = sum;
      if (CURCTL.KPYLST == 0 && smov) PSMOV(i) = ESOIL(i) * ys;
      // The reaction is the deeper curve's at the deflection, without depth
      // interpolation, scaled by the p-multipliers like every other reaction.
      double ps = fp * pj;
      if (set > 0) ps *= pm;
      PSOIL(i) = YDEFL(i) > ys ? -ps : ps;
    }
  }
}

}  // namespace drelm
