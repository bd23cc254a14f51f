#include "fecap/shape.h"

#include <cmath>

#include "fecap/fedata.h"
#include "fecap/fefmt.h"
#include "model/fileio.h"

namespace drelm {
namespace {

constexpr double SN[9] = {-1, 1, 1, -1, 0, 1, 0, -1, 0};
constexpr double TN[9] = {-1, -1, 1, 1, -1, 0, 1, 0, 0};

void set(int k, double n, double ds, double dt) {
  FESOLV.SHPVAL(k) = n;
  FESOLV.SHPDER(1, k) = ds;
  FESOLV.SHPDER(2, k) = dt;
}

}  // namespace

void GAUSPT() {
  FESOLV_T& F = FESOLV;
  // Constants of the rule as single-precision tables give them.
  switch (F.NGAUS) {
    case 1:
      F.GAUSSP(1) = 0.0;
      F.GAUSSW(1) = 2.0;
      break;
    case 2:
      F.GAUSSP(1) = -0.577350269;
      F.GAUSSW(1) = 1.0;
      F.GAUSSP(2) = 0.577350269;
      F.GAUSSW(2) = 1.0;
      break;
    case 3:
      F.GAUSSP(1) = -0.774596669;
      F.GAUSSW(1) = 0.555555556;
      F.GAUSSP(2) = 0.0;
      F.GAUSSW(2) = 0.888888889;
      F.GAUSSP(3) = 0.774596669;
      F.GAUSSW(3) = 0.555555556;
      break;
    default:
      break;
  }
}

void SHAPEF(double s, double t, std::int32_t n) {
  if (n == 4) {
    for (int k = 1; k <= 4; ++k) {
      const double a = SN[k - 1], b = TN[k - 1];
      set(k, (1 + s * a) * (1 + t * b) / 4, a * (1 + t * b) / 4, b * (1 + s * a) / 4);
    }
  } else if (n == 8) {
    for (int k = 1; k <= 4; ++k) {
      const double a = SN[k - 1], b = TN[k - 1];
      const double g = s * a + t * b - 1;
      set(k, (1 + s * a) * (1 + t * b) * g / 4, a * (1 + t * b) * (g + (1 + s * a)) / 4,
          b * (1 + s * a) * (g + (1 + t * b)) / 4);
    }
    set(5, (1 - s * s) * (1 - t) / 2, -s * (1 - t), -(1 - s * s) / 2);
    set(6, (1 + s) * (1 - t * t) / 2, (1 - t * t) / 2, -t * (1 + s));
    set(7, (1 - s * s) * (1 + t) / 2, -s * (1 + t), (1 - s * s) / 2);
    set(8, (1 - s) * (1 - t * t) / 2, -(1 - t * t) / 2, -t * (1 - s));
  } else if (n == 9) {
    for (int k = 1; k <= 4; ++k) {
      const double a = SN[k - 1], b = TN[k - 1];
      set(k, s * t * (s + a) * (t + b) / 4, t * (t + b) * (2 * s + a) / 4, s * (s + a) * (2 * t + b) / 4);
    }
    set(5, (1 - s * s) * (t * t - t) / 2, -s * (t * t - t), (1 - s * s) * (2 * t - 1) / 2);
    set(6, (s * s + s) * (1 - t * t) / 2, (2 * s + 1) * (1 - t * t) / 2, -t * (s * s + s));
    set(7, (1 - s * s) * (t * t + t) / 2, -s * (t * t + t), (1 - s * s) * (2 * t + 1) / 2);
    set(8, (s * s - s) * (1 - t * t) / 2, (2 * s - 1) * (1 - t * t) / 2, -t * (s * s - s));
    set(9, (1 - s * s) * (1 - t * t), -2 * s * (1 - t * t), -2 * t * (1 - s * s));
  }
}

void JACOB2(std::int32_t e, double& DETJ, std::int32_t KG) {
  FESOLV_T& F = FESOLV;
  const int n = F.NNODE;
  for (int i = 1; i <= 2; ++i) {
    double x = 0;
    for (int k = 1; k <= n; ++k) x += F.SHPVAL(k) * F.ELXY(i, k);
    F.GPXY(i, KG) = x;
  }
  double J[2][2] = {{0, 0}, {0, 0}};
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j)
      for (int k = 1; k <= n; ++k) J[i][j] += F.SHPDER(i + 1, k) * F.ELXY(j + 1, k);
  DETJ = J[0][0] * J[1][1] - J[0][1] * J[1][0];
  if (!(DETJ > 0.0)) {
    io::endRecord(U_FELIST);
    io::endRecord(U_FELIST);
    io::line(U_FELIST, "PROGRAM HALTED IN SUBROUTINE JACOB2");
    io::line(U_FELIST, std::string(10, ' ') + " ZERO OR NEGATIVE AREA");
    io::line(U_FELIST, std::string(9, ' ') + " ELEMENT NUMBER " + fmtI(5, e));
    throw PlateHalt{"ZERO OR NEGATIVE AREA IN ELEMENT " + std::to_string(e)};
  }
  const double inv[2][2] = {{J[1][1] / DETJ, -J[0][1] / DETJ}, {-J[1][0] / DETJ, J[0][0] / DETJ}};
  for (int k = 1; k <= n; ++k)
    for (int i = 0; i < 2; ++i)
      F.SHPCAR(i + 1, k) = inv[i][0] * F.SHPDER(1, k) + inv[i][1] * F.SHPDER(2, k);
}

}  // namespace drelm
