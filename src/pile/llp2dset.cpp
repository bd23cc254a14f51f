#include "pile/llp2dset.h"

#include <algorithm>

#include "model/model.h"
#include "pile/nodesvc.h"
#include "soil/lookup.h"

namespace drelm {

bool incrementsFit2D(int n, std::int32_t& ISTAT) {
  if (n >= 1 && n <= MAXINC) return true;
  std::atomic_ref<std::int32_t>(ISTAT).store(STAT_CAPACITY, std::memory_order_relaxed);
  return false;
}

void distLoad2D(int p, int nn, NodeArray& q, NodeArray& w) {
  if (DLNODE.NDLNOD(p) == 0) return;
  DLQNOD1(1, p, q);
  for (int j = 1; j <= nn; ++j) w(j + 3) = q(j);
}

void axialForces2D(int p, int n, double PX, const NodeArray& AXLOAD, NodeArray& Q) {
  for (int s = 3; s <= n + 6; ++s) Q(s) = PX;
  if (CURCTL.IAXVAR == 1 && PILEAR.ILSCRV(p) <= 0) {
    for (int s = 4; s <= n + 4; ++s) Q(s) = AXLOAD(s);
    Q(3) = AXLOAD(4);
    Q(n + 5) = Q(n + 6) = AXLOAD(n + 4);
  }
}

void rigidity2D(int p, int t, int n, NodeArray& R) {
  const int nn = n + 1;
  for (int s = 3; s <= n + 6; ++s) R(s) = SECEIZ(p, t, PILENODE.XPILE(p, std::min(std::max(s - 3, 1), nn)));
}

void updateEI2D(int p, int n, double PX, NodeArray& R, const NodeArray& y) {
  EINOD1(p, PX, R, y);
  for (int s = 1; s <= 3; ++s) R(s) = R(4);
  for (int s = n + 5; s <= MAXNOD; ++s) R(s) = R(n + 4);
}

}  // namespace drelm
