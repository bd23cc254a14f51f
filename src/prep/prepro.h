#pragma once

#include <cstdint>

namespace drelm {

void PREPRO(std::int32_t& ISTAT);

}  // namespace drelm
