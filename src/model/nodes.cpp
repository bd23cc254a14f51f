#include "model/nodes.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PILENODE_T, PILENODE);
DRELM_ZERO_TABLE(LAYNODE_T, LAYNODE);
DRELM_ZERO_TABLE(SMVPIL_T, SMVPIL);

}  // namespace drelm
