// The entry point and the run driver.
#pragma once

#include <cstdint>

namespace drelm {

// Call code 6 runs one analysis and returns the status word; any other code
// returns 1 and touches nothing. A run whose working directory another run
// holds returns 41 at once and touches nothing. `beforeRun`, when given, is
// called once the directory is held, before the run starts.
std::int32_t IDRELM(std::int32_t code, void (*beforeRun)() = nullptr);
void RUNDRV(std::int32_t& ISTAT);

}  // namespace drelm
