// Result tables of space analysis: the pile results of one pass, or the
// minimum or maximum envelope of a series.
#pragma once

#include <cstdint>

namespace drelm {

// KIND 0 current results, 1 envelope of the load cases, 2 of the
// combinations; SEL 0 current values, 1 minimum, 2 maximum.
void ENVEWR(const std::int32_t& KIND, const std::int32_t& SEL);

}  // namespace drelm
