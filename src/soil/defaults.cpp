#include "soil/defaults.h"

#include "report/siconv.h"

namespace drelm {

namespace {

// The rules' constants are single-precision values; the tests compare
// against them as stored.
constexpr double R4(float v) { return v; }

constexpr double PIFULL = 3.141592653589793;

// Radians to degrees as phi x 180, then / pi; the order of the rounding
// decides the last bit of the degrees the rules are evaluated at.
double degrees(double phi) { return phi * 180.0 / PIFULL; }

// The rules' constants are English; SI takes each one times the exact factor
// of its unit, so that a soil given in either system gets the same default.
double psi(double v, std::int32_t iunits) { return iunits == 1 ? v : v * PSI_KPA; }
double pci(double v, std::int32_t iunits) { return iunits == 1 ? v : v * PCI_KNM3; }

// Strength breaks: 500 and 1,000 lb/ft^2 in lb/in^2.
double breakW1(std::int32_t iunits) { return psi(R4(3.4722223f), iunits); }
double breakW2(std::int32_t iunits) { return psi(R4(6.9444447f), iunits); }

// Range 1..4 of c against the breaks w, 2w, 4w (half-open, upper range at a break).
int strengthRange(double c, double w) {
  if (c < w) return 1;
  if (c < 2.0 * w) return 2;
  if (c < 4.0 * w) return 3;
  return 4;
}

// Water test of the sand and c-phi rules: above the water table when the
// effective unit weight is above that of soil in the dry.
bool aboveWater(double gamma, std::int32_t iunits) { return gamma > pci(R4(0.045f), iunits); }

}  // namespace

void E50DEF(const double& C, double& E50, const std::int32_t& IUNITS) {
  if (IUNITS != 1 && IUNITS != 2) {
    E50 = R4(0.001f);
    return;
  }
  const double w = breakW1(IUNITS);
  if (C < w) {
    E50 = R4(0.02f);
  } else if (C < 2.0 * w) {
    E50 = R4(0.01f);
  } else if (C < 8.0 * w) {
    E50 = R4(0.005f);  // the ranges 2-4 W1 and 4-8 W1 share their value
  } else {
    E50 = R4(0.004f);
  }
}

void E50DEFST(const double& C, double& E50, const std::int32_t& IUNITS) {
  if (IUNITS != 1 && IUNITS != 2) return;
  static constexpr double VAL[4] = {R4(0.011f), R4(0.007f), R4(0.005f), R4(0.004f)};
  E50 = VAL[strengthRange(C, breakW2(IUNITS)) - 1];
}

void KDEFCL(const double& C, double& K, const std::int32_t& IUNITS, const std::int32_t& LOADFL) {
  if ((IUNITS != 1 && IUNITS != 2) || (LOADFL != 0 && LOADFL != 1)) return;
  // By loading (0 cyclic, 1 static) and strength range, in lb/in^3.
  static constexpr double VAL[2][4] = {{100.0, 200.0, 400.0, 800.0}, {250.0, 500.0, 1000.0, 2000.0}};
  K = pci(VAL[LOADFL][strengthRange(C, breakW2(IUNITS)) - 1], IUNITS);
}

void KDEFSD(const double& PHI, const double& GAMMA, double& K, const std::int32_t& IUNITS) {
  if (IUNITS != 1 && IUNITS != 2) return;
  const double phi = degrees(PHI);
  const bool dry = aboveWater(GAMMA, IUNITS);
  const double phi1 = R4(27.6423f);
  double k;
  if (phi < phi1) {
    k = dry ? R4(10.206787f) * phi / phi1 : R4(10.206726f) * phi / phi1;
  } else if (phi <= 45.0) {
    k = dry ? (R4(0.4168f) * phi - R4(8.1254f)) * phi - R4(83.664f)
            : ((R4(0.0166f) * phi - R4(1.55262f)) * phi + R4(58.42955f)) * phi - R4(769.18353f);
  } else {
    k = dry ? R4(394.71298f) : R4(228.76556f);  // plateau
  }
  K = pci(k, IUNITS);
}

void KDEFCP(const double& GAMMA, const double& C, const double& PHI, double& K,
            const std::int32_t& IUNITS, const std::int32_t& LOADFL) {
  if ((IUNITS != 1 && IUNITS != 2) || (LOADFL != 0 && LOADFL != 1)) return;
  KDEFCL(C, K, IUNITS, LOADFL);
  const double phi = degrees(PHI);
  const int band = phi <= 30.0 ? 0 : (phi <= 36.0 ? 1 : 2);
  // Friction increment by water test (above, below) and band, in lb/in^3.
  static constexpr double INC[2][3] = {{25.0, 90.0, 225.0}, {20.0, 60.0, 125.0}};
  K += pci(INC[aboveWater(GAMMA, IUNITS) ? 0 : 1][band], IUNITS);
}

void E50DEFTY(const double& C, double& E50, const std::int32_t& LTYP, const std::int32_t& IUNITS) {
  switch (LTYP) {
    case 1: case 7: case 13: case 14:
      E50DEF(C, E50, IUNITS);
      break;
    case 2: case 3: case 10:
      E50DEFST(C, E50, IUNITS);
      break;
    default:
      break;
  }
}

void E50DEFIN(const double& C, const double& E50IN, double& E50, const std::int32_t& IUNITS,
              const std::int32_t& LTYP, std::int32_t& IFLAG) {
  E50 = E50IN;
  if (E50IN > 0.0) {
    IFLAG = 0;
    return;
  }
  IFLAG = 1;
  E50DEFTY(C, E50, LTYP, IUNITS);
}

void KDEFIN(const double& C, const double& PHI, const double& GAMMA, const double& KIN, double& KST,
            double& KCY, const std::int32_t& IUNITS, const std::int32_t& LTYP, std::int32_t& IFLST,
            std::int32_t& IFLCY) {
  IFLCY = 0;
  KST = KIN;
  KCY = KIN;
  if (KIN > 0.0) {
    IFLST = 0;
    return;
  }
  IFLST = 1;
  switch (LTYP) {
    case 2: case 10: case 14:
      KDEFCL(C, KST, IUNITS, 1);
      IFLCY = 1;
      KDEFCL(C, KCY, IUNITS, 0);
      break;
    case 7:
      KDEFCP(GAMMA, C, PHI, KST, IUNITS, 1);
      IFLCY = 1;
      KDEFCP(GAMMA, C, PHI, KCY, IUNITS, 0);
      break;
    case 4: case 8:
      KDEFSD(PHI, GAMMA, KST, IUNITS);
      break;
    default:
      break;
  }
}

}  // namespace drelm
