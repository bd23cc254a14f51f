// First secant soil moduli of a lateral solution, before any deflection.
#include <algorithm>

#include "model/model.h"
#include "pile/nodesvc.h"
#include "soil/lookup.h"

namespace drelm {

void groundModuli(int p, int nn, NodeArray& K) {
  const int nl = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  const double ground = PILEAR.PGRND(p) + PILEAR.PHXREF(p);
  for (int k = 1; k <= nn; ++k) {
    const double X = PILENODE.XNODE(p, k);
    const double z = X - ground;
    // No spring above the first layer, nor above the ground surface,
    // where k_s z would pull the pile instead of resisting it.
    K(solverSlot(k)) = nl >= 1 && X >= SOILCOM.LTOP(1) && z > 0.0 ? SOILKD(X) * z : 0.0;
  }
}

}  // namespace drelm
