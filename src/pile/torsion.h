// Torsional response of one space pile for the twist of its head, from the
// pile-head torque-rotation curve.
#pragma once

#include <cstdint>

namespace drelm {

// Torque TX of pile IPILE for the twist ULOC(4) (pile axes; the rest of ULOC
// is not read). Beyond the ends of the curve the end value is kept
// (ICRVMX = 1) or TX is 0; the warning pass writes the warning to unit 25
// and counts it in NWTORS. A twist within round-off of an end is on the
// curve: no warning.
void TORSION(const std::int32_t& IPILE, double& TX, const double (&ULOC)[6]);

}  // namespace drelm
