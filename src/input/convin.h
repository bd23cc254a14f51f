#pragma once

#include <cstdint>

namespace drelm {

void CONVIN(std::int32_t& ISTAT);

}  // namespace drelm
