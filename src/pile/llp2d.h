// Lateral solution of one pile of a plane pile row: a beam-column on
// nonlinear soil springs in the row's single lateral direction.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Head shear VT1 and head moment MT1 of one pile of row IPILE for the lateral
// head displacement YT1, the head rotation ST1 (both in row axes) and the
// axial force PX of one pile. ULOC holds the three head displacements in row
// axes (axial, lateral, rotation), T the row's 3 x 3 transformation by
// columns, AXMOV and AXLOAD the axial movement and force of the axial
// solution (node k in slot k + 3).
//
// ISTAT is the status word shared by the rows of one evaluation: a code
// already there, or one set by the p-y evaluation, ends the call at once.
// A solution that does not close within MAXITL iterations writes a warning,
// stores KPILST = 1 and returns without writing VT1 and MT1. In the
// reporting passes (IOUTPS 1 and 2) the call also stores its results: the
// pile-top values and the values along the pile in the envelope store, or
// the equivalent stiffnesses.
void LLP2D(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& PX,
           double& VT1, double& MT1, std::int32_t& ISTAT, const double (&ULOC)[3],
           const double (&T)[9], const NodeArray& AXMOV, const NodeArray& AXLOAD);

}  // namespace drelm
