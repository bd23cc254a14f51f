// Rigid-body carry of displacements and forces between the cap origin and a
// pile head, and the rotation into the pile's own axes.
#include "pile/transf.h"

#include <cmath>

#include "model/model.h"

namespace drelm {

namespace {

inline double& at(double* a, int i, int j) { return a[(i - 1) + 6 * (j - 1)]; }

}  // namespace

void PILEROT(const std::int32_t& IPILE, double Q[3][3]) {
  const int p = IPILE;
  const double sb = std::sin(PILEAR.BETA(p)), cb = std::cos(PILEAR.BETA(p));
  const double sa = std::sin(PILEAR.ALPHA(p)), ca = std::cos(PILEAR.ALPHA(p));
  const double st = std::sin(PILEAR.THETA(p)), ct = std::cos(PILEAR.THETA(p));
  Q[0][0] = sb;
  Q[0][1] = cb * ca;
  Q[0][2] = cb * sa;
  Q[1][0] = -cb * ct;
  Q[1][1] = sb * ca * ct - sa * st;
  Q[1][2] = ca * st + sb * sa * ct;
  Q[2][0] = cb * st;
  Q[2][1] = -sb * ca * st - sa * ct;
  Q[2][2] = ca * ct - sb * sa * st;
}

void TRANSF(const std::int32_t& IPILE, double* TF, double* TU, double* RT, double* R) {
  for (int k = 0; k < 36; ++k) TF[k] = TU[k] = RT[k] = R[k] = 0.0;
  const int p = IPILE;
  const double x = PILEAR.PHX(p), y = PILEAR.PHY(p), z = PILEAR.PHZ(p);

  // Head translation u + theta x r; the moment at the origin M + r x F.
  for (int i = 1; i <= 6; ++i) at(TU, i, i) = 1.0;
  at(TU, 1, 5) = z;
  at(TU, 1, 6) = -y;
  at(TU, 2, 4) = -z;
  at(TU, 2, 6) = x;
  at(TU, 3, 4) = y;
  at(TU, 3, 5) = -x;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) at(TF, j, i) = at(TU, i, j);

  double Q[3][3];
  PILEROT(IPILE, Q);
  for (int b = 0; b <= 3; b += 3)
    for (int i = 1; i <= 3; ++i)
      for (int j = 1; j <= 3; ++j) {
        at(R, b + i, b + j) = Q[i - 1][j - 1];
        at(RT, b + j, b + i) = Q[i - 1][j - 1];
      }
}

}  // namespace drelm
