// Nonlinear flexural rigidity at the nodes: the secant stiffness of the
// moment-curvature curve of the section at the node's curvature,
// interpolated between the curves of the two axial-load levels around PX.
#include <algorithm>
#include <atomic>
#include <cmath>

#include "pile/nodesvc.h"
#include "model/model.h"
#include "soil/lookup.h"

namespace drelm {

namespace {

// Secant EI of curve l of set s at curvature phi; EIKEEP when the curve
// cannot give one (too few points, or a zero initial curvature).
double secantEI(int s, int l, double phi, double EIKEEP) {
  const MCTAB_T& T = MCTAB;
  const int npt = std::min<int>(T.MCNPT(s, l), MAXMCP);
  if (npt < 1) return EIKEEP;
  if (phi <= T.MCCURV(s, l, 1)) {
    // The initial stiffness is the chord to the second point.
    if (npt < 2 || T.MCCURV(s, l, 2) == 0.0) return EIKEEP;
    return T.MCMOM(s, l, 2) / T.MCCURV(s, l, 2);
  }
  for (int j = 2; j <= npt; ++j) {
    if (phi > T.MCCURV(s, l, j)) continue;
    const double f0 = T.MCCURV(s, l, j - 1), f1 = T.MCCURV(s, l, j);
    const double m0 = T.MCMOM(s, l, j - 1), m1 = T.MCMOM(s, l, j);
    const double m = f1 == f0 ? m1 : m0 + (phi - f0) * (m1 - m0) / (f1 - f0);
    return m / phi;
  }
  return T.MCMOM(s, l, npt) / phi;
}

void einod(const std::int32_t& IPILE, const double& PX, NodeArray& EI, const NodeArray& Y,
           bool aboutZ) {
  // Every thread calls this at every node pass: the shared line is only
  // written when the switch is set, so that the threads do not take it
  // from each other for nothing.
  std::atomic_ref<std::int32_t> keierr(RUNCTL.KEIERR);
  if (keierr.load(std::memory_order_relaxed) != 0) keierr.store(0, std::memory_order_relaxed);
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int ninc = std::min<int>(PILEPROP.NINC(t), MAXINC);
  const double h = PILEPROP.DXINC(t);
  const double h2 = h * h;
  const MCTAB_T& T = MCTAB;
  for (int i = 4; i <= ninc + 4; ++i) {
    const int k = i - 3;
    double phi = h2 > 0.0 ? std::fabs(Y(i + 1) - 2.0 * Y(i) + Y(i - 1)) / h2 : 0.0;
    if (phi < 1.0E-15) phi = 0.0;
    const double x = PILENODE.XPILE(p, k);
    const std::int32_t s = aboutZ ? SECMCZ(IPILE, t, x) : SECMCY(IPILE, t, x);
    if (s < 1 || s > MAXMCS) continue;
    const int nlev = std::min<int>(T.MCNCRV(s), MAXMCC);
    if (nlev < 1) continue;

    int l;
    if (nlev == 1 || PX <= T.MCPAXL(s, 1)) {
      l = 1;
    } else if (PX >= T.MCPAXL(s, nlev)) {
      l = nlev;
    } else {
      l = 1;
      while (l + 1 < nlev && PX >= T.MCPAXL(s, l + 1)) ++l;
    }
    const double eil = secantEI(s, l, phi, EI(i));
    if (l < nlev && PX > T.MCPAXL(s, l)) {
      const double eiu = std::min<int>(T.MCNPT(s, l + 1), MAXMCP) < 1 ? eil : secantEI(s, l + 1, phi, eil);
      const double p0 = T.MCPAXL(s, l), p1 = T.MCPAXL(s, l + 1);
      EI(i) = p1 == p0 ? eiu : eiu - (p1 - PX) * (eiu - eil) / (p1 - p0);
    } else {
      EI(i) = eil;
    }
  }
}

}  // namespace

void EINOD1(const std::int32_t& IPILE, const double& PX, NodeArray& EI, const NodeArray& YDEFL) {
  einod(IPILE, PX, EI, YDEFL, true);
}

void EINOD2(const std::int32_t& IPILE, const double& PX, NodeArray& EI, const NodeArray& YDEFL) {
  einod(IPILE, PX, EI, YDEFL, false);
}

}  // namespace drelm
