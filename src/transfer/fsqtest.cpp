// Alpha method for clays and beta method for sands on the side; 9 c in clays
// and Nq times the overburden in sands at the tip.
#include "transfer/fsqtest.h"

#include <algorithm>
#include <cmath>

#include "model/model.h"
#include "report/siconv.h"
#include "soil/lookup.h"

namespace drelm {
namespace {

// The rules' decimal constants are single-precision values.
constexpr double sp(float x) { return static_cast<double>(x); }

constexpr double TINY = sp(1.0E-10f);


}  // namespace

double ADHFAC(const double& c, const double& gamma, const double& z) {
  const double sv = gamma * z;
  // Without overburden a positive strength gives an unbounded ratio, so alpha
  // falls to 0 (or is raised to 1 for a weak clay).
  double psi = sv != 0.0 ? c / sv : (c > 0.0 ? HUGE_VAL : TINY);
  if (!(psi > TINY)) psi = TINY;
  double alpha = psi <= 1.0 ? sp(0.5f) / std::sqrt(psi) : sp(0.5f) / std::pow(psi, sp(0.25f));
  const std::int32_t u = RUNCTL.IUNITS;
  if (alpha < sp(0.5f) && (u == 1 || u == 2) && c < WEAKCLAY()) alpha = 1.0;
  return alpha;
}

double WEAKCLAY() {
  constexpr double psi = sp(3.47f);
  return RUNCTL.IUNITS == 2 ? psi * PSI_KPA : psi;
}

double BETADS(const double& z) {
  double zft = 0.0;
  if (RUNCTL.IUNITS == 1) zft = z / sp(12.0f);
  if (RUNCTL.IUNITS == 2) zft = z / sp(0.3048f);
  zft = std::max(zft, sp(1.0E-7f));
  const double beta = sp(1.5f) - sp(0.135f) * std::sqrt(zft);
  return std::clamp(beta, sp(0.25f), sp(1.2f));
}

double NQFACT(double phiDeg) {
  if (phiDeg <= 20.0) return 8.0;
  if (phiDeg <= 25.0) return 8.0 + 4.0 * (phiDeg - 20.0) / 5.0;
  if (phiDeg <= 30.0) return 12.0 + 8.0 * (phiDeg - 25.0) / 5.0;
  if (phiDeg <= 35.0) return 20.0 + 20.0 * (phiDeg - 30.0) / 5.0;
  if (phiDeg <= 40.0) return 40.0 + 10.0 * (phiDeg - 35.0) / 5.0;
  return 50.0;
}

void FSQTEST(const std::int32_t& LTYP, const double& X, std::int32_t& IFLFS, double& FSDRV, double& FSDRL,
             std::int32_t& IFLQT, double& QTDRV, double& QTDRL, std::int32_t& ISTAT) {
  std::int32_t type = LTYP;
  double z = X - SOILCOM.LTOP(1);
  const auto replaced = [](double d) { return d < TINY ? 1.0 : d; };

  // Side friction.
  IFLFS = 0;
  FSDRV = 0.0;
  FSDRL = 0.0;
  IFLQT = 0;
  QTDRV = 0.0;
  QTDRL = 0.0;
  const double fsIn = SOILFS(X, ISTAT);
  if (ISTAT != 0) return;
  if (fsIn < TINY) {
    IFLFS = 1;
    const double gamma = GAMAVG(X, ISTAT);
    if (ISTAT != 0) return;
    const double phi = SOILPHI(X, ISTAT);
    if (ISTAT != 0) return;
    z = replaced(z);
    const double c = SOILC(X, ISTAT);
    if (ISTAT != 0) return;
    const double alpha = ADHFAC(c, gamma, z);
    const double sandTerm = sp(0.8f) * gamma * z * std::tan(phi - sp(0.087f));
    if (isClaySideType(type)) {
      FSDRV = alpha * c;
    } else if (isRockType(type)) {
      FSDRV = sp(0.1f) * c;
    } else if (isSandType(type)) {
      FSDRV = sandTerm;
    } else if (type == ST_SILT) {
      FSDRV = sandTerm + alpha * c;
    } else {
      FSDRV = fsIn;
    }

    if (isClaySideType(type)) {
      FSDRL = sp(0.55f) * c;
    } else if (isRockType(type)) {
      FSDRL = sp(0.1f) * c;
    } else if (isSandType(type)) {
      const double g = GAMAVG(X, ISTAT);
      if (ISTAT != 0) return;
      (void)SOILPHI(X, ISTAT);
      if (ISTAT != 0) return;
      FSDRL = BETADS(z) * g * z;
    } else if (type == ST_SILT) {
      FSDRL = sp(0.55f) * c + BETADS(z) * gamma * z;
    } else {
      FSDRL = fsIn;
    }
  }

  // Tip resistance. The first look-ups leave their status to the caller.
  const double qtIn = SOILQT(X, ISTAT);
  if (qtIn >= TINY) return;
  const double c = SOILC(X, ISTAT);
  const double phi0 = SOILPHI(X, ISTAT);
  // A cohesive soil coded otherwise takes the clay rule.
  if (c > sp(0.1f) && phi0 < sp(0.0001f)) type = ST_STIFFDRY;

  if (isClayType(type)) {
    QTDRV = QTDRL = 9.0 * c;
  } else if (isFrictionalType(type)) {
    const double phi = SOILPHI(X, ISTAT);
    if (ISTAT != 0) return;
    const double nq = NQFACT(sp(57.296f) * phi);
    const double gamma = GAMAVG(X, ISTAT);
    if (ISTAT != 0) return;
    QTDRV = nq * gamma * z;
    const std::int32_t u = RUNCTL.IUNITS;
    if (phi < sp(0.5236f)) {
      QTDRL = sp(0.1f);
    } else if (u != 1 && u != 2) {
      QTDRL = QTDRV;
    } else if (phi < sp(0.628f)) {
      QTDRL = u == 1 ? sp(222.2f) : sp(222.2f) * PSI_KPA;
    } else {
      QTDRL = u == 1 ? sp(555.56f) : sp(555.56f) * PSI_KPA;
    }
    if (type == ST_SILT) {
      QTDRV += 9.0 * c;
      QTDRL = 9.0 * c + QTDRL;
      IFLQT = 1;
      return;
    }
  } else if (isGivenTipType(type)) {
    QTDRV = QTDRL = 9.0 * c;
  }
  IFLQT = 1;
}

}  // namespace drelm
