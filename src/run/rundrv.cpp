#include "run/rundrv.h"

namespace drelm {

std::int32_t IDRELM(std::int32_t code) {
  if (code != 6) return 1;
  std::int32_t ISTAT = 0;
  RUNDRV(ISTAT);
  return ISTAT;
}

void RUNDRV(std::int32_t& ISTAT) { ISTAT = 0; }

}  // namespace drelm
