#include "numeric/loadstep.h"

#include <algorithm>

#include "model/model_run.h"

namespace drelm {

double stepFloor(double DTCMIN) { return DTCMIN > 0.0 ? DTCMIN : DTCFLR; }

double firstStep(double DTCUR0) { return DTCUR0 > 0.0 ? DTCUR0 : 1.0; }

bool LoadStep::start(double DTCUR0, double DTCMIN) {
  dtmin = stepFloor(DTCMIN);
  n = 0;
  Tp = 0.0;
  lastFailed = false;
  anyAccepted = false;
  wholeTried = false;
  if (DTCUR0 > 1.0) {
    TCUR = 1.1;  // no step
    DTCUR = DTCUR0;
    return false;
  }
  TCUR = DTCUR = firstStep(DTCUR0);
  return true;
}

void LoadStep::accept() {
  lastFailed = false;
  anyAccepted = true;
  Tp = TCUR;
  TCUR += DTCUR;
  if (TCUR > 1.0 && Tp - 1.0 < -RUNCONST.EPSLIM) TCUR = 1.0;
}

void LoadStep::resume(double DTCUR0) {
  --n;
  wholeTried = false;
  // At most the rest of the load: halving it never comes back to Tp.
  DTCUR = std::min(firstStep(DTCUR0), 1.0 - Tp);
  TCUR = Tp + DTCUR;
}

bool LoadStep::fail(bool whole) {
  lastFailed = true;
  if (wholeTried) {
    TCUR = 1.1;
    return true;
  }
  DTCUR /= 2.0;
  if (DTCUR < dtmin) {
    if (whole && Tp < 1.0) {
      wholeTried = true;
      --n;
      DTCUR = 1.0 - Tp;
      TCUR = 1.0;
      return false;
    }
    TCUR = 1.1;
    return true;
  }
  --n;
  TCUR -= DTCUR;
  return false;
}

}  // namespace drelm
