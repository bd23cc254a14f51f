#include "analysis/envewr.h"

namespace drelm {

// The tables are written once the result writers are in place.
void ENVEWR(const std::int32_t& KIND, const std::int32_t& SEL) {
  (void)KIND;
  (void)SEL;
}

}  // namespace drelm
