// Axial response of one pile of a plane pile row: the space pile's response
// with the plane warning titles.
#include "pile/axial2d.h"

#include "pile/axial.h"
#include "pile/headcrv.h"

namespace drelm {

void AXIAL2D(const std::int32_t& IPILE, double& PX, const double (&ULOC)[3], NodeArray& AXMOV,
             NodeArray& AXLOAD, std::int32_t& ISTAT) {
  static const CurveWarnings W = axialWarnings("MAXIMUM LOAD REACHED IN BEARING  ",
                                               "APPARENT FAILURE IN BEARING     ",
                                               "MAXIMUM LOAD REACHED IN PULLOUT  ");
  AXRESP(IPILE, PX, ULOC[0], AXMOV, AXLOAD, ISTAT, W);
}

}  // namespace drelm
