#include "analysis/capload.h"

#include "run/model.h"

namespace drelm {

void CASELD(const std::int32_t& c, double (&P)[6]) {
  for (double& v : P) v = 0.0;
  // Only cases that were read: a slot beyond NLCASE may hold an earlier run's case.
  if (c < 1 || c > CASEIN.NLCASE || c > MAXLC) return;
  if (CASEIN.LCKIND(c) == 1) return;
  const int n = CASEIN.CASCTL(c, 15);
  if (n <= 0) return;
  const bool space = RUNCTL.IANTYP == 3;
  for (int k = 1; k <= n && k <= MAXCON; ++k) {
    const auto L = [&](int j) { return CASEIN.LCCONC(c, k, j); };
    const double V = L(1), Hy = L(2), Mz = L(3), Hz = L(4), My = L(5), Mx = L(6);
    const double x = L(7), y = L(8), z = L(9);
    if (space) {
      P[0] += V;
      P[1] += Hy;
      P[2] += Hz;
      P[3] += Mx + y * Hz - z * Hy;
      P[4] += My + z * V - x * Hz;
      P[5] += Mz + x * Hy - y * V;
    } else {
      P[0] += V;
      P[1] += Hy;
      P[5] += Mz + x * Hy - y * V;
    }
  }
  const double scale = CASEIN.CASTOL(c, 5);
  for (double& v : P) v *= scale;
}

void COMBLD(const std::int32_t& k, double (&P)[6]) {
  for (double& v : P) v = 0.0;
  if (k < 1 || k > COMBIN.NCOMB || k > MAXCMB) return;
  const int n = COMBIN.CMBCTL(k, 8);
  for (int e = 1; e <= n && e <= MAXTRM; ++e) {
    const std::int32_t c = COMBIN.CMBCTL(k, 41 + e);
    const double f = COMBIN.CMBTOL(k, 8 + e);
    double L[6];
    CASELD(c, L);
    for (int j = 0; j < 6; ++j) P[j] += f * L[j];
  }
}

}  // namespace drelm
