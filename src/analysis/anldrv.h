// The analysis driver: every load case, then every load combination.
#pragma once

#include <cstdint>

namespace drelm {

void ANLDRV(std::int32_t& KPYOPT, std::int32_t& ISTAT);

}  // namespace drelm
