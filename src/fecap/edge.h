// Integration along one side of a plate element, shared by the edge loads and
// the edge springs.
#pragma once

#include <cmath>

#include "fecap/fedata.h"
#include "fecap/shape.h"

namespace drelm {

// Local nodes of side q: first corner, second corner (corner 1 after side 4)
// and, for elements of more than four nodes, the midside node; their count.
inline int sideNodes(int q, int (&pos)[3]) {
  pos[0] = q;
  pos[1] = q == 4 ? 1 : q + 1;
  pos[2] = q + 4;
  return FESOLV.NNODE > 4 ? 3 : 2;
}

// For every Gauss point of side q of element e: FN(pos, f, npos, wl) with the
// one-dimensional shape values f of the side's positions and the weight times
// the side's length per unit of the local coordinate, taken from the
// coordinates of the side's nodes.
template <typename Fn>
void edgeLoop(PlateArrays& A, int e, int q, Fn&& fn) {
  const FESOLV_T& F = FESOLV;
  int pos[3];
  const int npos = sideNodes(q, pos);
  const int which[3] = {1, 2, 5};
  for (int i = 1; i <= F.NGAUS; ++i) {
    SHAPEF(F.GAUSSP(i), -1.0, F.NNODE > 4 ? 8 : 4);
    const double f[3] = {F.SHPVAL(1), F.SHPVAL(2), npos == 3 ? F.SHPVAL(5) : 0.0};
    double dx = 0, dy = 0;
    for (int k = 0; k < npos; ++k) {
      const int n = A.ELNOD(pos[k], e);
      dx += F.SHPDER(1, which[k]) * A.NODXY(1, n);
      dy += F.SHPDER(1, which[k]) * A.NODXY(2, n);
    }
    fn(pos, f, npos, F.GAUSSW(i) * std::sqrt(dx * dx + dy * dy));
  }
}

}  // namespace drelm
