#include "soil/pylayr.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(PYLAYR_T, PYLAYR);

}  // namespace drelm
