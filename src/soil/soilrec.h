// Preprocessing step that turns the input soil layers into the soil record.
#pragma once

#include <cstdint>

namespace drelm {

// Build SOILCOM from the input layers (NLAYIN, SLTYPE, SLVAL), keeping for
// each layer only the properties its soil type uses. Also closes the section
// table with its end-marker rows (SECMARK), which is complete by this step.
// A layer count beyond the record's capacity sets status 43.
void SOILREC(std::int32_t& ISTAT);

}  // namespace drelm
