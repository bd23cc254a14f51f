// The plane head routine of one pile row: the lateral solution of the plane
// solver without soil movement, started from the subgrade moduli of the
// layers, which prints its results instead of storing them.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Head shear VT1 and head moment MT1 of one pile of row IPILE for the
// lateral head displacement YT1 and the head rotation ST1 (row axes; the
// head slope follows ST1), under the axial force PX of one pile. ULOC holds
// the head displacements in row axes (axial, lateral, rotation), T the
// row's 3 x 3 transformation by columns, AXMOV and AXLOAD the axial
// solution along the pile (node k in slot k + 3).
//
// A status code in ISTAT ends the call at its first p-y evaluation; no
// closure within MAXITL solutions warns, sets KPILST = 1 and leaves VT1 and
// MT1 alone. In a reporting pass (IOUTPS = 1) the head values in row and
// global axes and the values along the pile are printed to the results
// report and the summary.
void LLPH2D(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& PX,
            double& VT1, double& MT1, std::int32_t& ISTAT, const double (&ULOC)[3], const double (&T)[9],
            const NodeArray& AXMOV, const NodeArray& AXLOAD);

}  // namespace drelm
