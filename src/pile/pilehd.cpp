// Head response of one space pile: the head displacement turned into pile
// axes, the axial, torsional and lateral solutions in that order, and the
// reactions of the row's piles turned back into global axes.
#include "pile/pilehd.h"

#include <atomic>
#include <cmath>
#include <limits>

#include "numeric/matrix.h"
#include "pile/axial.h"
#include "pile/llp.h"
#include "pile/node.h"
#include "pile/torsion.h"
#include "pile/transf.h"
#include "model/model.h"

namespace drelm {

void PILEHD(const std::int32_t& IPILE, double* FHEAD, const double* UHEAD, std::int32_t& ISTAT) {
  const int p = IPILE;
  for (int i = 0; i < 6; ++i) FHEAD[i] = 0.0;

  double TF[36], TU[36], RT[36], R[36];
  TRANSF(IPILE, TF, TU, RT, R);
  double ULOC[6];
  MATVEC6(ULOC, R, UHEAD, 1);

  NodeArray AXMOV, AXLOAD;
  double PX = 0.0;
  AXIAL(IPILE, PX, ULOC, AXMOV, AXLOAD, ISTAT);
  PX *= PILEAR.PAXFAC(p);

  // A head pinned in either direction carries no torque; the curve is still
  // read for its warnings.
  double TX = 0.0;
  TORSION(IPILE, TX, ULOC);
  if (PCONN.CONNECTY(p) == CONN_PIN || PCONN.CONNECTZ(p) == CONN_PIN) TX = 0.0;

  NODE(IPILE, ISTAT);
  std::atomic_ref<std::int32_t> status(ISTAT);
  if (status.load(std::memory_order_relaxed) != 0) return;

  // The solver leaves the head values alone when it does not close: such an
  // evaluation returns zero forces, which the cap solution discards.
  constexpr double unset = std::numeric_limits<double>::quiet_NaN();
  double VT1 = unset, VT2 = unset, MT1 = unset, MT2 = unset;
  LLP(IPILE, ULOC[1], -ULOC[5], ULOC[2], ULOC[4], PX, TX, VT1, VT2, MT1, MT2, ISTAT, ULOC, RT, AXMOV, AXLOAD);
  if (status.load(std::memory_order_relaxed) != 0) return;
  if (std::isnan(VT1) || std::isnan(VT2) || std::isnan(MT1) || std::isnan(MT2)) return;

  // The force of the piles on the cap: the negative of their head reactions.
  const double n = PILEAR.GRPNP(p);
  const double FL[6] = {-n * PX, -n * VT1, -n * VT2, -n * TX, n * MT2, -n * MT1};
  MATVEC6(FHEAD, RT, FL, 1);
}

}  // namespace drelm
