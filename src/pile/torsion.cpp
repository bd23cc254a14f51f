// Torque at the head of one pile from its torque-rotation curve.
#include "pile/torsion.h"

#include "pile/headcrv.h"
#include "run/model.h"

namespace drelm {

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
  HCVALUE(trCurve(IPILE), ULOC[3], IPILE, W, TX);
}

}  // namespace drelm
