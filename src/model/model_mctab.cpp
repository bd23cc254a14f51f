#include "model/model_mctab.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(MCTAB_T, MCTAB);

}  // namespace drelm
