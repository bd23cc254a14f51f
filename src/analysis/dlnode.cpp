#include "analysis/dlnode.h"

#include "run/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(DLNODE_T, DLNODE);

}  // namespace drelm
