#include "input/capload.h"

#include <cmath>

#include "model/model.h"

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

void SPECDL(const std::int32_t& c, double (&P)[6], double (&PPOD)[6], double (&UPOD)[6],
            double (&XPOD)[6], std::int32_t (&KPOD)[6]) {
  for (int j = 0; j < 6; ++j) P[j] = PPOD[j] = UPOD[j] = XPOD[j] = 0.0;
  if (c < 1 || c > CASEIN.NLCASE || c > MAXLC) return;
  if (CASEIN.LCKIND(c) == 0) return;
  // Stored degree of freedom i (X, Y, rot Z, Z, rot Y, rot X): displacement
  // in value 2i-1, load in 2i; the flag keeps only the given one.
  double u[6], q[6];
  std::int32_t f[6];
  for (int i = 1; i <= 6; ++i) {
    // 0 the displacement is given, any other value the load: as 1, which
    // the cap solutions and the reports at the point read alike.
    f[i - 1] = CASEIN.LCSPFL(c, i) != 0 ? 1 : 0;
    u[i - 1] = CASEIN.LCSPVL(c, 2 * i - 1);
    q[i - 1] = CASEIN.LCSPVL(c, 2 * i);
    if (f[i - 1] == 0) q[i - 1] = 0.0;
    if (f[i - 1] == 1) u[i - 1] = 0.0;
  }
  const double x = CASEIN.LCSPVL(c, 13), y = CASEIN.LCSPVL(c, 14), z = CASEIN.LCSPVL(c, 15);
  if (RUNCTL.IANTYP == 3) {
    // Cap order from the stored order: X, Y, Z = 0, 1, 3; rotations X, Y, Z = 5, 4, 2.
    const int from[6] = {0, 1, 3, 5, 4, 2};
    for (int j = 0; j < 6; ++j) {
      KPOD[j] = f[from[j]];
      PPOD[j] = q[from[j]];
      UPOD[j] = u[from[j]];
    }
    XPOD[0] = x;
    XPOD[1] = y;
    XPOD[2] = z;
    const double qx = PPOD[0], qy = PPOD[1], qz = PPOD[2];
    P[0] = qx;
    P[1] = qy;
    P[2] = qz;
    P[3] = PPOD[3] + y * qz - z * qy;
    P[4] = PPOD[4] + z * qx - x * qz;
    P[5] = PPOD[5] + x * qy - y * qx;
  } else {
    KPOD[0] = f[0];
    KPOD[1] = f[1];
    KPOD[5] = f[2];
    PPOD[0] = q[0];
    PPOD[1] = q[1];
    PPOD[2] = q[2];
    UPOD[0] = u[0];
    UPOD[1] = u[1];
    UPOD[5] = u[2];
    XPOD[0] = x;
    XPOD[1] = y;
    P[0] = q[0];
    P[1] = q[1];
    P[5] = q[2] + x * q[1] - y * q[0];
  }
  const double scale = CASEIN.CASTOL(c, 5);
  for (int j = 0; j < 6; ++j) {
    P[j] *= scale;
    PPOD[j] *= scale;
    UPOD[j] *= scale;
  }
}

void AXLDRES(double (&P)[6]) {
  if (CASECUR.DLFLAG < 1 || RUNCTL.NPILE < 1) return;
  const int np = RUNCTL.NPILE < MAXPIL ? RUNCTL.NPILE : MAXPIL;
  const bool space = RUNCTL.IANTYP == 3;
  for (int p = 1; p <= np; ++p) {
    const double a = DLNODE.DLPAX(p);
    const double rx = PILEAR.PHX(p), ry = PILEAR.PHY(p);
    if (space) {
      const double b = PILEAR.BETA(p), al = PILEAR.ALPHA(p), rz = PILEAR.PHZ(p);
      const double fx = a * std::sin(b), fy = a * std::cos(b) * std::cos(al), fz = a * std::cos(b) * std::sin(al);
      P[0] += fx;
      P[1] += fy;
      P[2] += fz;
      P[3] += ry * fz - rz * fy;
      P[4] += rz * fx - rx * fz;
      P[5] += rx * fy - ry * fx;
    } else {
      const double fv = a * std::cos(PILEAR.PBATT(p)), fh = a * std::sin(PILEAR.PBATT(p));
      P[0] += fv;
      P[1] += fh;
      P[5] += rx * fh - ry * fv;
    }
  }
}

}  // namespace drelm
