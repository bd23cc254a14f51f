#include "analysis/casecur.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(CASECUR_T, CASECUR);

}  // namespace drelm
