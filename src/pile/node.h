// Node set-up of a pile before its lateral solution: the space pile from its
// head, the plane row from its head X.
#pragma once

#include <cstdint>

namespace drelm {

// Places the nodes of pile p along the pile (XPILE) and in depth (XNODE),
// node 1 at head, at the node spacing DXINC of its property (shortened in
// depth by the batter when asked), and gives every soil layer the range of
// nodes that lie in it (LNODE1, LNODE2). DXINC and the closing layer top are
// the preprocessing's; shared tables are only read. A tip that rounding puts
// within depthTolerance below the deepest layer lies on it. A pile that
// reaches below the deepest layer gets the fatal message on units 16 and 10
// and belowCode in ISTAT (stored atomically: piles set up on several threads
// share ISTAT); otherwise ISTAT is left as it was.
void placeNodes(int p, double head, std::int32_t belowCode, std::int32_t& ISTAT);

// Space pile IPILE from its head PHX; below the deepest layer, status 3.
void NODE(const std::int32_t& IPILE, std::int32_t& ISTAT);

}  // namespace drelm
