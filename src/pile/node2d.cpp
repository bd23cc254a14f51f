// Plane node set-up: node 1 at the row's head X, then the space pile's
// set-up.
#include "pile/node2d.h"

#include "model/model.h"
#include "pile/node.h"

namespace drelm {

void NODE2D(const std::int32_t& IPILE, std::int32_t& ISTAT) {
  placeNodes(IPILE, PILEAR.PHXREF(IPILE), STAT_NODE2D_BELOW, ISTAT);
}

}  // namespace drelm
