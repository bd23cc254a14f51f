// Plate loads of the current pseudo-time into the element right-hand sides,
// and the vector routines of the plate solution.
#pragma once

#include <cstdint>

#include "fecap/fedata.h"

namespace drelm {

// Adds the nodal, distributed, concentrated (scaled by the load factor of
// TCUR) and edge loads (at full value) of the deck to ELRHS.
void SLABLOAD(PlateArrays& A);
// G(6 (n - 1) + d) += ELRHS(6 (k - 1) + d, e) over every element node; G is not zeroed.
void ASMVEC(PlateArrays& A, PArr<double>& G);
void VADD(double* a, const double* b, std::int32_t n);
void VFILL(double* a, std::int32_t n, double c);
// Euclidean norms of the translations (components 1-3) and the rotations
// (4-6) of the n / 6 whole nodal blocks of v.
void VNORM6(const double* v, double& t, double& r, std::int32_t n);

}  // namespace drelm
