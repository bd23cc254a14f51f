#include "model/soilcom.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(SOILCOM_T, SOILCOM);

}  // namespace drelm
