#include "pile/solve2d.h"

#include <cmath>

#include "model/model.h"
#include "pile/beamfd.h"
#include "pile/llp2dset.h"
#include "pile/llpwarn.h"
#include "pile/nodesvc.h"

namespace drelm {

bool solve2D(int p, int t, int n, double h, double PX, const NodeArray& AXLOAD, double YT1, double ST1,
             Beam2D& b, ModuliUpdate moduli) {
  const bool mcSets = RUNCTL.ICTL09 > 0;
  axialForces2D(p, n, PX, AXLOAD, b.Q);

  rigidity2D(p, t, n, b.R);
  const auto updateEI = [&] { updateEI2D(p, n, PX, b.R, b.y); };
  if (mcSets) updateEI();

  // Head rows: the head deflection is YT1; the slot above the head carries
  // the rotational condition of the connection. The row's head slope
  // follows ST1 itself, where the space solver prescribes -ST1.
  BEAMHD(PCONN.CONNECTY(p), b.R(4), PILEAR.HSPR1(p), h, YT1, -ST1, b.A, b.B, b.C);

  const int m = n + 4;  // tip slot
  for (int it = 1;; ++it) {
    if (mcSets && CURCTL.IEIPRV == 1) updateEI();
    const bool eliminated = BEAMFW(m, h, b.R, b.Q, b.k, b.w, b.A, b.B, b.C);
    for (int s = 4; s <= m; ++s) b.yp(s) = b.y(s);
    // No unique solution: fail as a solution that does not close.
    if (!eliminated || !BEAMBK(m, h, b.Q(m), b.R(m), b.A, b.B, b.C, b.y)) {
      llpSingular(p);
      raiseOutcome(KPIL_LATERAL);
      return false;
    }
    if (mcSets && CURCTL.IEIPRV == 0) updateEI();

    bool closed = it > 1;
    for (int s = 4; closed && s <= m; ++s) closed = std::fabs(b.y(s) - b.yp(s)) < CURCTL.TOLPIL;
    // Deflections not far above the tolerance close after a change of their
    // own size. Asked for, the change must also be small beside them.
    if (closed && CURCTL.LLPREL > 0.0) {
      double largest = 0.0, change = 0.0;
      foldChange(4, m, b.y, b.yp, largest, change);
      closed = change <= CURCTL.LLPREL * largest;
    }
    if (closed) return true;

    if (it + 1 > SOILCOM.MAXITL) {
      llpNoClosure(SOILCOM.MAXITL, p);
      raiseOutcome(KPIL_LATERAL);
      return false;
    }
    if (!moduli()) return false;
  }
}

}  // namespace drelm
