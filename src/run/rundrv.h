// The entry point and the run driver.
#pragma once

#include <cstdint>

namespace drelm {

// Call code 6 runs one analysis and returns the status word; any other code
// returns 1 and touches nothing.
std::int32_t IDRELM(std::int32_t code);
void RUNDRV(std::int32_t& ISTAT);

}  // namespace drelm
