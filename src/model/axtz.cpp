#include "model/axtz.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(AXTZ_T, AXTZ);

}  // namespace drelm
