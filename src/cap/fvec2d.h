// Force sum of a plane analysis: the forces that the pile rows carry at the
// cap origin for a trial displacement of the cap (vertical, horizontal,
// rotation). Every row is solved axially and laterally for one pile and
// counted as many times as it has piles.
#pragma once

#include <cstdint>

namespace drelm {

// The axial and lateral solution of one pile of row IPILE for its head
// displacements ULOC (axial, lateral, rotation in row axes; T the row
// transformation by columns): PX the axial force (before the row's axial
// factor), VT1 the shear, MT1 the moment. A test may put a response of known
// form in its place; nullptr restores the pile solvers.
using RowResponse = void (*)(const std::int32_t& IPILE, const double (&ULOC)[3], const double (&T)[9],
                             double& PX, double& VT1, double& MT1, std::int32_t& ISTAT);
void setRowResponse(RowResponse f);

// F = sum over the rows of the row forces for the cap displacement U. A row
// whose solutions end with ISTAT set, or that ends while ISTAT is set, is
// left out. The rows are added in row order after the parallel loop, so F
// is the same bits for any thread count.
void FVEC2D(double* F, const double* U, std::int32_t& ISTAT);

// The forces of row IPILE alone for the cap displacement U, whatever ISTAT
// holds after its solutions.
void PILEHD2D(const std::int32_t& IPILE, const double* U, double* F, std::int32_t& ISTAT);

}  // namespace drelm
