// The points of the equivalent-stiffness estimation of a load case
// (estimation kind 11 or more): per point a search for the load factor that
// reaches the target deflection (or one pass at the scaled total load), then
// the equivalent cap stiffness from the springs of the point's last pass.
#pragma once

#include <cstdint>

#include "analysis/anlpass.h"

namespace drelm {

// Number of load factors of the current case: the values before the twelve
// parameters of the method.
std::int32_t estimationFactors();

// Node-file case line, then points 1 .. NPOINT - 1 of load case c. Returns
// false when the run ends (ISTAT set, the stiffness-matrix file closed).
bool estimationPoints(std::int32_t c, anl::PassLoads& L, std::int32_t& ISTAT);

// The lines that open the total-load point of such a case.
void estimationTotalLoadLines();

}  // namespace drelm
