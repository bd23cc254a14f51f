#include "pile/nodes.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(PILENODE_T, PILENODE);
DRELM_TABLE(LAYNODE_T, LAYNODE);
DRELM_TABLE(SMVPIL_T, SMVPIL);

}  // namespace drelm
