// Transformations of one space pile: between the cap origin and the pile
// head, and between the global axes and the pile's own axes.
#pragma once

#include <cstdint>

namespace drelm {

// The four 6 x 6 matrices of pile IPILE, stored by columns (element (i, j)
// at [(i - 1) + 6 (j - 1)]):
//   TU  cap-origin displacements to head displacements (global axes),
//   TF  head forces to forces at the cap origin, the transpose of TU,
//   R   global axes to pile axes (axial, lateral 1, lateral 2, twist,
//       rotations about lateral axes 1 and 2),
//   RT  pile axes to global axes, the transpose of R.
// Reads only the pile's head coordinates and angles: safe on any thread.
void TRANSF(const std::int32_t& IPILE, double* TF, double* TU, double* RT, double* R);

// The 3 x 3 rotation of pile IPILE from global to pile axes: Q[i][j] is the
// global component j of pile axis i (row 0 the pile axis).
void PILEROT(const std::int32_t& IPILE, double Q[3][3]);

}  // namespace drelm
