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

// Loads and displacements given at the point of definition of case c, in cap
// order (X, Y, Z, rotations about X, Y, Z), times the case scale factor:
// PPOD the given loads, UPOD the given displacements, XPOD the point (words
// 1-3), KPOD per degree of freedom 0 displacement given, 1 load given (left
// as it is for a case of concentrated loads), and P the given loads moved to
// the origin. Plane analysis keeps the moment in PPOD(3) and the rotation in
// UPOD(6).
void SPECDL(const std::int32_t& c, double (&P)[6], double (&PPOD)[6], double (&UPOD)[6],
            double (&XPOD)[6], std::int32_t (&KPOD)[6]);

// Adds to P the resultant at the origin of the axial loads lumped at the
// pile heads from the distributed loads, when there are any.
void AXLDRES(double (&P)[6]);

}  // namespace drelm
