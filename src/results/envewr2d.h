// Result tables of plane analysis: the per-row tables of the current
// results or of an envelope, the compact records of the second results
// report, the per-row scratch records and the summary tables of extremes
// over the rows.
#pragma once

#include <cstdint>

namespace drelm {

// KIND 0 current results, 1 envelope of the load cases, 2 of the load
// combinations; SEL 0 current values, 1 minimum, 2 maximum envelope.
void ENVEWR2D(const std::int32_t& KIND, const std::int32_t& SEL);

}  // namespace drelm
