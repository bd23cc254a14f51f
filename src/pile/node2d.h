// Node set-up of a plane pile row before its lateral solution: node depths
// and axial coordinates from the row's head, and the node range of every
// soil layer.
#pragma once

#include <cstdint>

namespace drelm {

// Fills PILENODE and LAYNODE of row IPILE at the node spacing DXINC of its
// pile property, which the preprocessing sets; shared tables are only read.
// A tip that rounding puts within depthTolerance below the deepest layer
// lies on it.
// A row reaching below the deepest soil layer stores STAT_NODE2D_BELOW (13)
// in ISTAT, atomically (rows run on several threads), after writing the
// fatal message; ISTAT is otherwise left as it was.
void NODE2D(const std::int32_t& IPILE, std::int32_t& ISTAT);

}  // namespace drelm
