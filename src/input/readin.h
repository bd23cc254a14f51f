#pragma once

#include <cstdint>

namespace drelm {

void READIN(std::int32_t& ISTAT);

}  // namespace drelm
