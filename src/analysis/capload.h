// Loads of a load case or a load combination reduced to one force and moment
// vector at the cap origin: (V, Hy, Hz, Mx, My, Mz) in space analysis, and
// (V, H, 0, 0, 0, M) in plane analysis.
#pragma once

#include <cstdint>

namespace drelm {

// Equivalent concentrated load of load case c at the cap origin, times the
// case scale factor. A case of the specified-point kind, a case without
// concentrated loads and a case number outside the cases read give zero.
void CASELD(const std::int32_t& c, double (&P)[6]);

// Sum of the factored equivalent loads of the cases of combination k, in
// entry order. An entry naming no case read contributes nothing.
void COMBLD(const std::int32_t& k, double (&P)[6]);

}  // namespace drelm
