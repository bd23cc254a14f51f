#include "model/model_runerr.h"

#include "model/tables.h"

namespace drelm {

DRELM_TABLE(RUNERR_T, RUNERR);

}  // namespace drelm
