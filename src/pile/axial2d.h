// Axial response of one pile of a plane pile row for its axial head
// displacement: the plane twin of the space axial response, with its own
// warning titles.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Axial force PX of one pile of row IPILE for the head displacement ULOC(1)
// (ULOC: axial, lateral, rotation in row axes), with the axial movement
// AXMOV and force AXLOAD along the pile (node k in slot k + 3) when the case
// asks for the variation of the axial load. Status codes go to ISTAT; a
// load-transfer solution that does not converge sets KPILST = 4.
void AXIAL2D(const std::int32_t& IPILE, double& PX, const double (&ULOC)[3], NodeArray& AXMOV,
             NodeArray& AXLOAD, std::int32_t& ISTAT);

}  // namespace drelm
