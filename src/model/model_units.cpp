#include "model/model_units.h"

#include "model/tables.h"

namespace drelm {

DRELM_TABLE(UNITLB_T, UNITLB);
DRELM_TABLE(UNITTB_T, UNITTB);

}  // namespace drelm
