#pragma once

#include <cstdint>

namespace drelm {

void PREPRO(std::int32_t& ISTAT);

// Every pile tip (every row's in a plane run) against the bottom of the soil
// profile, before the first analysed case or combination: status 3 (plane
// 13) with the node set-up's message naming the first pile that reaches
// below it.
void ANLTIP(std::int32_t& ISTAT);

}  // namespace drelm
