// P-y block of the per-pile curve file: the criteria evaluate each step of
// the pile at its middle in collect mode; a node carries the lower half of
// the step above it and the upper half of the step below it.
#include <algorithm>

#include "model/model.h"
#include "soil/crvfile.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {
namespace {

// A curve of n points: deflections and the force of the soil tributary to a node.
struct HalfCurve {
  double y[MAXPYC25] = {};
  double f[MAXPYC25] = {};
};

}  // namespace

void PYCRVHDR(bool curve, std::int32_t kind, std::int32_t count, CrvRecords& out) {
  if (curve) out.ints3(1, count, kind);
  else out.ints3(0, 0, kind);
}

void PYCRVREC(const double* Y, const double* F, int N, CrvRecords& out) {
  for (int k = 1; k <= N - 1; ++k) out.point(k, -Y[N - k], -F[N - k]);
  for (int k = N; k <= 2 * N - 1; ++k) out.point(k, Y[k - N], F[k - N]);
}

void PYCRVWR(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out) {
  const int p = IPILE;
  const std::int32_t q = PILEAR.PROPOFPILE(p);
  const int nst = CRVCTL.NCRVST;
  SOILCOM.NLAYER = SOILIN.NLAYIN;
  CURCTL.KPYOUT = 1;

  int n = 17;
  PYPRT.NPYPTS = 0;
  if (CRVCTL.IPYUSR >= 1) {
    PYPRT.NPYPTS = PYPRT.NPYUSR;
    if (PYPRT.NPYUSR != 0) n = std::min<int>(PYPRT.NPYUSR, MAXPYU);
  }

  out.ints3(p, nst + 1, CRV_PY);
  HalfCurve hp, hc, c;
  // Nothing carries over from the pile before.
  CRVCTL.ICRVEX = 0;
  CRVCTL.ICRVPT = 0;
  NodeArray ydefl, esoil, ysoil1, ysoil2, psmov, psoil;
  const double S = crvStep(p);
  const double half = S / 2.0;
  const int nlay = std::min<int>(SOILCOM.NLAYER, MAXLNL);

  for (int j = 1; j <= nst + 1; ++j) {
    // e: the step above the node has a curve.
    const bool e = CRVCTL.ICRVEX == 1;
    CRVCTL.ICRVEX = 0;
    hp = hc;
    hc = HalfCurve{};
    for (int k = 1; k <= n; ++k) PYPLOT.PYCOLY(k) = PYPLOT.PYCOLP(k) = 0.0;
    const double X = crvNodeX(PILEAR.PHX(p), S, j);
    out.node(j, X);
    CRVCTL.CRVSCL = X;

    bool got = false;
    if (j <= nst) {
      // Node 1 of the pile at the middle of step j, with its spacing kept and
      // its section there; the layer holding it alone evaluates it.
      const double m = X + half;
      PILENODE.XNODE(p, 2) = PILENODE.XNODE(p, 2) - PILENODE.XNODE(p, 1) + m;
      PILENODE.XNODE(p, 1) = m;
      PILENODE.XPILE(p, 1) = m;
      int l = 0;
      for (int L = 1; L <= nlay && l == 0; ++L)
        if (SOILCOM.LBOT(L) > m) l = L;
      for (int L = 1; L <= nlay; ++L) {
        LAYNODE.LNODE1(p, L) = L == l ? 1 : 0;
        if (l > 0 && L >= l) LAYNODE.LNODE2(p, L) = 1;
      }
      PYSOIL(q, ISTAT, p, p, ydefl, esoil, ysoil1, ysoil2, psmov, psoil);
      got = CRVCTL.ICRVEX == 1;
      if (got) {
        for (int k = 1; k <= n; ++k) {
          hc.y[k - 1] = PYPLOT.PYCOLY(k);
          hc.f[k - 1] = PYPLOT.PYCOLP(k) * half;
        }
      }
    }

    // A step without a curve (above the ground, or a layer of user curves)
    // adds nothing to its nodes.
    if (got && e) crvMerge(hp.y, hp.f, hc.y, hc.f, n, c.y, c.f);
    else if (got) c = hc;
    else if (e) c = hp;
    const bool curve = got || e;
    PYCRVHDR(curve, CRVCTL.ICRVPT, 2 * n - 1, out);
    if (curve) PYCRVREC(c.y, c.f, n, out);
  }
}

}  // namespace drelm
