// Short unit labels of the reports and the column headings of the along-pile
// result table.
#pragma once

#include <cstdint>

#include "model/model_units.h"

namespace drelm {

// SEL 1 English, -1 SI, 0 other units codes; KIPS the kip switch.
void UNITSET(std::int32_t SEL, std::int32_t KIPS);
// ANTYP 3 space analysis, any other value plane.
void HDRSET(std::int32_t ANTYP);

}  // namespace drelm
