#include "cap/cappas.h"

#include <algorithm>
#include <cmath>

#include "cap/capsum.h"
#include "cap/pilehk.h"
#include "model/model.h"

namespace drelm {

PressureBlock passiveBlock(double GX, double TX, double Q, double G, double LIMIT) {
  PressureBlock b;
  if (GX >= LIMIT) return b;  // the ground is at or below the cap origin
  double e = std::fabs(GX);
  double f = 0.0;
  if (TX < e) {  // the ground is above the top of the cap
    f = (e - TX) * Q / e;
    e = TX;
  }
  b.embedded = true;
  b.M = e * (f * (0.5 * e - G) + 0.5 * (Q - f) * (e / 3.0 - G));
  b.H = 0.5 * (Q + f) * e;
  b.E = e;
  b.F = f;
  return b;
}

double passiveMovement(double UH) {
  const double y0 = RUNCTL.IUNITS == 2 ? 2.54E-6 : 1.0E-4;
  CAPCTL.CAPUHM = std::max(UH, y0);
  return UH < y0 ? UH / y0 : 1.0;
}

void passiveMeans(double R, int N, double& G, double& Q) {
  G = Q = 0.0;
  for (int p = 1; p <= N; ++p) {
    G += SOILCOM.GRNDX(p);
    Q += SOILCOM.PUCAP(p);
  }
  if (N > 0) {
    G /= N;
    Q *= R / N;
  }
  CAPCTL.CAPGXM = G;
  CAPCTL.CAPPUM = Q;
}

void CAPPAS(double* FP, const double* U, std::int32_t& ISTAT) {
  // The movement is in place before the force sum that refreshes GRNDX and
  // PUCAP: the resistance is a continuous function of U, 0 when the cap does
  // not move sideways.
  const double r = passiveMovement(std::sqrt(U[1] * U[1] + U[2] * U[2]));
  double F[6];
  FVEC(F, U, ISTAT);
  const int n = RUNCTL.NPILE;
  double gx, q;
  passiveMeans(r, n, gx, q);
  const PressureBlock b = passiveBlock(gx, CAPCTL.CAPTX, q, n > 0 ? PILEAR.PHX(n) : 0.0, -1.0E-6);
  const double H = b.H, M = b.M;
  for (int i = 0; i < 6; ++i) FP[i] = 0.0;
  const double s = std::fabs(U[1]) + std::fabs(U[2]);
  if (s <= 1.0E-14) return;
  // Split by each component's share of |U2| + |U3|; the soil opposes the movement.
  const double w = std::fabs(U[1]) / s;
  const double sy = U[1] >= 0.0 ? -1.0 : 1.0;
  const double sz = U[2] >= 0.0 ? -1.0 : 1.0;
  FP[1] = H * w * sy;
  FP[5] = -M * w * sy;
  FP[2] = H * (1.0 - w) * sz;
  FP[4] = M * (1.0 - w) * sz;
}

void CAPPASK(double* KP, const double* U, std::int32_t& ISTAT) {
  const double ht = translationStep();
  double u[6], F[6], fp[6], fm[6];
  for (int i = 0; i < 6; ++i) u[i] = U[i];
  for (int j = 0; j < 6; ++j) {
    const double h = j < 3 ? ht : ROTSTEP;
    u[j] = U[j] + h;
    FVEC(F, u, ISTAT);
    CAPPAS(fp, u, ISTAT);
    u[j] = U[j] - h;
    FVEC(F, u, ISTAT);
    CAPPAS(fm, u, ISTAT);
    u[j] = U[j];
    for (int i = 0; i < 6; ++i) KP[i + 6 * j] = (fp[i] - fm[i]) * 0.5 / h;
  }
}

}  // namespace drelm
