// The closing step of every run.
#pragma once

#include <cstdint>

namespace drelm {

// Final message and timing lines to the runtime log, the stop lines of a
// stopped run, the summary scratch copied into the summary, every file closed.
void ENDRUN(std::int32_t& ISTAT);

}  // namespace drelm
