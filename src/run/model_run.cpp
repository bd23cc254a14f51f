#include "run/model_run.h"

#include "run/tables.h"

namespace drelm {

DRELM_TABLE(RUNCTL_T, RUNCTL);
DRELM_TABLE(CURCTL_T, CURCTL);
DRELM_TABLE(TIMBLK_T, TIMBLK);
DRELM_TABLE(FNAMES_T, FNAMES);
DRELM_TABLE(RUNCONST_T, RUNCONST);
DRELM_TABLE(RUNTTL_T, RUNTTL);

}  // namespace drelm
