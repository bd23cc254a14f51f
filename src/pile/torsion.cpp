// Torque at the head of one pile from its torque-rotation curve.
#include "pile/torsion.h"

#include <algorithm>
#include <cmath>

#include "pile/headcrv.h"
#include "model/model.h"

namespace drelm {

namespace {

// A twist this close to an end of the curve, relative to the curve's range,
// differs from it by round-off only. A twist has no unit: the range taken is
// at least one radian, so that a pile without a curve (or with one point)
// has a tolerance too.
constexpr double ROUNDOFF = 1.0E-9;

}  // namespace

void TORSION(const std::int32_t& IPILE, double& TX, const double (&ULOC)[6]) {
  static const CurveWarnings W{"MAXIMUM MOMENT REACHED IN TORSION ",
                               "APPARENT FAILURE IN TORSION     ",
                               "MAXIMUM MOMENT REACHED IN TORSION ",
                               "APPARENT FAILURE IN TORSION     ",
                               "ROTATION =",
                               "T. MOMENT=",
                               &RUNCTL.NWTORS,
                               &RUNCTL.NWTORS};
  TX = 0.0;
  const HeadCurve C = trCurve(IPILE);
  double phi = ULOC[3];
  // A curve without points ends at the origin.
  const double lo = C.n >= 1 ? C.X(1) : 0.0, hi = C.n >= 1 ? C.X(C.n) : 0.0;
  const double tol = ROUNDOFF * std::max(hi - lo, 1.0);
  if (phi > hi && phi - hi <= tol) phi = hi;
  if (phi < lo && lo - phi <= tol) phi = lo;
  // A curve of fewer than two points has no segment: its one point (or the
  // origin) is on it all the same.
  if (C.n <= 1 && phi == lo) {
    if (C.n == 1) TX = C.Y(1);
    return;
  }
  HCVALUE(C, phi, IPILE, W, TX);
}

}  // namespace drelm
