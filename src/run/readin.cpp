#include "run/readin.h"

namespace drelm {

void READIN(std::int32_t& ISTAT) { (void)ISTAT; }

}  // namespace drelm
