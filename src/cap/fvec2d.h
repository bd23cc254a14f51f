// Force sum of a plane analysis: the forces that the pile rows carry at the
// cap origin for a trial displacement of the cap (vertical, horizontal,
// rotation). Every row is solved axially and laterally for one pile and
// counted as many times as it has piles.
#pragma once

#include <cstdint>

namespace drelm {

// F = sum over the rows of the row forces for the cap displacement U. A row
// whose solutions end with ISTAT set, or that ends while ISTAT is set, is
// left out. The rows are added in row order after the parallel loop, so F
// is the same bits for any thread count.
void FVEC2D(double* F, const double* U, std::int32_t& ISTAT);

// The forces of row IPILE alone for the cap displacement U, whatever ISTAT
// holds after its solutions.
void PILEHD2D(const std::int32_t& IPILE, const double* U, double* F, std::int32_t& ISTAT);

}  // namespace drelm
