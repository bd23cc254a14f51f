#include "model/casecur.h"

#include "model/tables.h"

namespace drelm {

DRELM_TABLE(CASECUR_T, CASECUR);
DRELM_TABLE(SESTIM_T, SESTIM);

}  // namespace drelm
