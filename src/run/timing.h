// Date and timing lines of the reports.
#pragma once

#include <cstdint>

namespace drelm {

// Wall clock in seconds.
double wallClock();
// Time-and-date block to units 10, 14, 16, 18 and 32.
void DATEWR();
// Total execution time and processor use, to the runtime log.
void TIMEWR();
// Time of one analysis phase (FLAG 0) or of the whole run (FLAG 1).
void TIMEPH(std::int32_t FLAG);

}  // namespace drelm
