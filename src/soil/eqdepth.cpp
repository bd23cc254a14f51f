// Equivalent depth of the top of a lower soil layer.
#include <cmath>

#include "model/model.h"
#include "soil/lookup.h"
#include "soil/pyconst.h"
#include "soil/pylayr.h"

namespace drelm {

namespace {

// Depth zeq at which R(z) = B z + A z^2 (down to zr, then pd per unit depth)
// reaches S.
double closedForm(double S, double zr, double A, double B, double pd) {
  const double Rzr = B * zr + A * zr * zr;
  if (S <= Rzr) return (std::sqrt(B * B + 4.0 * A * S) - B) / (2.0 * A);
  return zr + (S - Rzr) / pd;
}

// Sum the resistance f over n equal steps down to zr until it passes S;
// beyond zr the resistance per unit depth is g(), taken after the last step.
template <class Fz, class Gz>
double stepwise(double S, double zr, int n, Fz f, Gz g) {
  const double dz = zr / n;
  double rPrev = 0.0;
  for (int k = 1; k <= n; ++k) {
    const double z = k * dz;
    const double r = rPrev + dz * f(z);
    if (r > S) return z - dz * (r - S) / (r - rPrev);
    rPrev = r;
  }
  return zr + (S - rPrev) / g();
}

}  // namespace

void EQDEPTH(const std::int32_t& IPILE, const std::int32_t& ILAYR, const std::int32_t& IPROP,
             const double& B, const double& C, const double& CA, const double& GAMMA,
             const double& PHI, const double& ALPHA, const double& BETA, const double& K0,
             const double& KA, const double& T, const double& ZN, const double& J,
             const double* RT) {
  const int p = IPILE;
  const int L = ILAYR;
  double S = 0.0;
  for (int l = 1; l < L; ++l) S += PYLAYR.CUMPU(p, l);
  const double g0 = SOILCOM.GRNDX(p);  // ground X while the criteria run
  const std::int32_t kst = CURCTL.KSTCYC;
  const double b = B, c = C, ca = CA, gam = GAMMA;
  const double* rt = RT ? RT : SAND_RT;

  // Wedge and flow terms of the cohesionless criteria.
  const double tb = std::tan(BETA), tp = std::tan(PHI), ta = std::tan(ALPHA);
  const double C1 = tb * (T * ta + K0 * (tp * std::sin(BETA) * (1.0 / std::cos(ALPHA) + 1.0) - ta));
  const double C2 = T - KA;
  const double C3 = T * T * (T + K0 * tp) - KA;
  const double* atab = kst == 1 ? SAND_AS : SAND_AC;
  auto sandA = [&](double z) {
    const double x = g0 + z;
    return TABZD(IPILE, IPROP, x, atab, rt);
  };

  double zeq = 0.0;
  switch (SOILCOM.LTYPE(L)) {
    case 2: {
      double F = 0.0;
      const double zr = (11.0 * c - 2.0 * ca) * b / (gam * b + r4(2.83) * ca);
      auto f = [&](double z) {
        const double x = g0 + z;
        const double As = ASCOEF(IPILE, IPROP, x);
        const double Ac = ACCOEF(IPILE, IPROP, x);
        if (kst == 1) F = r4(1.225) * std::sqrt(As) - r4(0.411) - r4(0.75) * As;
        else if (kst == 0) F = r4(0.936) * Ac - r4(0.418) * As;
        return F * (2.0 * ca * b + (gam * b + r4(2.83) * ca) * z);
      };
      zeq = stepwise(S, zr, 40, f, [&] { return 11.0 * c * F * b; });
      break;
    }
    case 4: {
      const double zr = (C3 - C2) * b / C1;
      const double tbp = std::tan(BETA - PHI);
      auto f = [&](double z) {
        return sandA(z) * gam * z *
               (K0 * z * tp * std::sin(BETA) / (tbp * std::cos(ALPHA)) +
                tb / tbp * (b + z * tb * ta) + K0 * z * tb * (tp * std::sin(BETA) - ta) - KA * b);
      };
      zeq = stepwise(S, zr, 50, f, [&] { return r4(0.88) * ZN * C3 * gam * b; });
      break;
    }
    case 7: {
      const double zr = (C3 - C2) * b / C1;
      auto f = [&](double z) {
        return c * (3.0 * b + 0.5 * z) + gam * b * z + sandA(z) * gam * z * (C1 * z + C2 * b);
      };
      zeq = stepwise(S, zr, 50, f, [&] { return r4(0.88) * ZN * C3 * gam * b + 9.0 * c * b; });
      break;
    }
    case 8: {
      const double zr = (C3 - C2) * b / C1;
      auto f = [&](double z) {
        const double a = kst == 1 ? std::max(3.0 - r4(0.8) * z / b, r4(0.9)) : r4(0.9);
        return a * gam * z * (C1 * z + C2 * b);
      };
      zeq = stepwise(S, zr, 50, f, [&] { return r4(0.88) * ZN * C3 * gam * b; });
      break;
    }
    case 3:
    case 10: {
      const double zr = (9.0 * c - 3.0 * ca) * b / (0.5 * c + gam * b);
      zeq = closedForm(S, zr, 0.25 * c + 0.5 * gam * b, 3.0 * c * b, 9.0 * c * b);
      break;
    }
    case 13:
    case 14: {
      const double Sc = kst == 0 ? S / r4(0.72) : S;
      const double zr = 6.0 * c * b / (J * c + gam * b);
      zeq = closedForm(Sc, zr, 0.5 * J * c + 0.5 * gam * b, 3.0 * c * b, 9.0 * c * b);
      break;
    }
    default: {
      const double Sc = kst == 0 ? S / r4(0.72) : S;
      const double zr = 6.0 * c * b / (0.5 * c + gam * b);
      zeq = closedForm(Sc, zr, 0.25 * c + 0.5 * gam * b, 3.0 * c * b, 9.0 * c * b);
      break;
    }
  }
  // A layer of no strength, no friction or no width below resistant layers
  // leaves no finite equivalent depth: its own top depth stands instead.
  if (!std::isfinite(zeq)) zeq = SOILCOM.LTOP(L) - PILEAR.PHXREF(p) - PILEAR.PGRND(p);
  PYLAYR.EQDEP(p, L) = zeq;
}

}  // namespace drelm
