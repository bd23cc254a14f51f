// The piles at the final plate displacement: each coupled pile head takes the
// plate displacement at its point, turned to cap axes, so that the pile
// result stores describe the final state of the plate solution.
#pragma once

#include <cstdint>

#include "fecap/fedata.h"

namespace drelm {

// A failure of a pile evaluation is left in ISTAT (the first code stays).
void PILECPL(PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT);

}  // namespace drelm
