#include "run/prepro.h"

namespace drelm {

void PREPRO(std::int32_t& ISTAT) { (void)ISTAT; }

}  // namespace drelm
