#include "run/model_mctab.h"

#include "run/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(MCTAB_T, MCTAB);

}  // namespace drelm
