#include "transfer/axtz.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(AXTZ_T, AXTZ);

}  // namespace drelm
