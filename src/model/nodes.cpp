#include "model/nodes.h"

#include <cmath>

#include "model/model.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PILENODE_T, PILENODE);
DRELM_ZERO_TABLE(LAYNODE_T, LAYNODE);
DRELM_ZERO_TABLE(SMVPIL_T, SMVPIL);

double nodeDepthStep(int p) {
  const double dx = PILEPROP.DXINC(PILEAR.PROPOFPILE(p));
  return RUNCTL.IBATAD == 1 ? dx * std::cos(PILEAR.PBATT(p)) : dx;
}

}  // namespace drelm
