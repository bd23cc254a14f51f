#include "model/model_envpil.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(ENVPIL_T, ENVPIL);

}  // namespace drelm
