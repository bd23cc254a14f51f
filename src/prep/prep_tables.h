// Steps of the input report and preprocessing that echo the loads, the soil
// data, the moment-curvature sets and the reduction factors.
#pragma once

#include <cstdint>

namespace drelm {

// Load and control parameters, with the per-case copy into the current
// controls and the default stiffness-estimation levels.
void PRPLOD(std::int32_t& ISTAT);
// Soil data report with the estimated values of missing properties. A status
// from a soil look-up ends it at once.
void PRPSOL(std::int32_t& ISTAT);
// Moment-curvature tables and the copy of the moment-curvature text file.
void PRPMCT(std::int32_t& ISTAT);
// Reduction factors along depth, soil movement and reduction factors for
// closely spaced piles.
void PRPRFK(std::int32_t& ISTAT);

}  // namespace drelm
