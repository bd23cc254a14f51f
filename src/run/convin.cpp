#include "run/convin.h"

namespace drelm {

void CONVIN(std::int32_t& ISTAT) { (void)ISTAT; }

}  // namespace drelm
