// Date and timing lines of the reports.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace drelm {

// Wall clock in seconds.
double wallClock();
// Time-and-date block to units 10, 14, 16, 18 and 32.
void DATEWR();
// The same block for a given local time.
void DATEWR(const std::tm& now);
// Total execution time and processor use, to the runtime log.
void TIMEWR();
// Time of one analysis phase (FLAG 0) or of the whole run (FLAG 1).
void TIMEPH(std::int32_t FLAG);

// The lines themselves.
std::string dateLine(const std::tm& now);
std::string executionTimeLine(double t);
std::string processorsLine(std::int32_t used, std::int32_t procs);

}  // namespace drelm
