// Tables of a converged step of the plate solution: displacements and
// reactions, stress resultants at the Gauss points with their extremes, and
// the step's block of nodal values on the post-processing file.
#pragma once

#include "fecap/fedata.h"

namespace drelm {

void SLABDSP(PlateArrays& A);
// Reads NELEM element records from the element-record file at its position.
void SLABSTR(PlateArrays& A);

}  // namespace drelm
