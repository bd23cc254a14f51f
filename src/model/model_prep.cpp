#include "model/model_prep.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PILEAR_T, PILEAR);
DRELM_ZERO_TABLE(PCONN_T, PCONN);
DRELM_ZERO_TABLE(PILEPROP_T, PILEPROP);
DRELM_ZERO_TABLE(SECTAB_T, SECTAB);

}  // namespace drelm
