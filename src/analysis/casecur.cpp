#include "analysis/casecur.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(CASECUR_T, CASECUR);
DRELM_TABLE(SESTIM_T, SESTIM);

}  // namespace drelm
