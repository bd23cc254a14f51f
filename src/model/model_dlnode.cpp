#include "model/model_dlnode.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(DLNODE_T, DLNODE);

}  // namespace drelm
