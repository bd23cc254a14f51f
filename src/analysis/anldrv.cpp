#include "analysis/anldrv.h"

namespace drelm {

// The load cases and combinations are analysed here once the cap solutions
// are in place; until then a run ends after its input report.
void ANLDRV(std::int32_t& KPYOPT, std::int32_t& ISTAT) {
  (void)KPYOPT;
  (void)ISTAT;
}

}  // namespace drelm
