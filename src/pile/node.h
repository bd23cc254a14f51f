// Node set-up of a space pile before its lateral solution.
#pragma once

#include <cstdint>

namespace drelm {

// Places the nodes of pile IPILE along the pile (XPILE) and in depth (XNODE)
// at the node spacing DXINC of its property and gives every soil layer the
// range of nodes that lie in it (LNODE1, LNODE2). DXINC and the closing layer
// top are the preprocessing's; shared tables are only read. A tip that
// rounding puts within depthTolerance below the deepest layer lies on it. A pile that reaches below
// the deepest layer gets the fatal message on units 16 and 10 and status 3
// (stored atomically: every pile of a force sum shares ISTAT); otherwise
// ISTAT is left as it was.
void NODE(const std::int32_t& IPILE, std::int32_t& ISTAT);

}  // namespace drelm
