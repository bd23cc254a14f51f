#include "model/model_pylayr.h"

#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PYLAYR_T, PYLAYR);

}  // namespace drelm
