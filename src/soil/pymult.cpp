// p- and y-multipliers of a pile along depth.
#include "model/model.h"
#include "soil/pylayr.h"

namespace drelm {

void PYMULT(const std::int32_t& IPILE, std::int32_t& ISET, const double& X, double& PMULT,
            double& YMULT) {
  const std::int32_t s = PILEAR.IRFSET(IPILE);
  ISET = s;
  PMULT = 1.0;
  YMULT = 1.0;
  // A set the table cannot hold counts as none.
  if (s < 1 || s > MAXRFS) return;
  const int n = std::min<int>(RFDEP.NRFPT(s), MAXRFP);
  if (n < 1) return;
  if (X < RFDEP.RFDDEP(s, 1) || X > RFDEP.RFDDEP(s, n)) return;
  if (X == RFDEP.RFDDEP(s, 1)) {
    PMULT = RFDEP.RFDPM(s, 1);
    YMULT = RFDEP.RFDYM(s, 1);
    return;
  }
  if (X == RFDEP.RFDDEP(s, n)) {
    PMULT = RFDEP.RFDPM(s, n);
    YMULT = RFDEP.RFDYM(s, n);
    return;
  }
  for (int k = 2; k <= n; ++k) {
    if (RFDEP.RFDDEP(s, k) < X) continue;
    const double x0 = RFDEP.RFDDEP(s, k - 1);
    const double t = (X - x0) / (RFDEP.RFDDEP(s, k) - x0);
    PMULT = RFDEP.RFDPM(s, k - 1) + t * (RFDEP.RFDPM(s, k) - RFDEP.RFDPM(s, k - 1));
    YMULT = RFDEP.RFDYM(s, k - 1) + t * (RFDEP.RFDYM(s, k) - RFDEP.RFDYM(s, k - 1));
    return;
  }
}

}  // namespace drelm
