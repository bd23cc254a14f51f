// Estimates of the ultimate unit side friction and unit tip resistance of a
// point of the soil profile whose input value is zero, for driven piles and
// for drilled shafts at once.
#pragma once

#include <cstdint>

namespace drelm {

// Bearing capacity factor Nq of the tip rule of sands, from the friction
// angle in degrees (piecewise linear, 8 up to 20 degrees, 50 beyond 40).
double NQFACT(double phiDeg);

// Adhesion factor of the alpha method for a clay of strength c under the
// overburden gamma x z: 0.5 / sqrt(psi) up to psi = c / (gamma z) = 1,
// 0.5 / psi^0.25 beyond, and 1 for a weak clay (c below WEAKCLAY) whose
// factor falls below 0.5.
double ADHFAC(const double& c, const double& gamma, const double& z);
// Strength below which a clay is weak: 3.47 psi, the same strength in kPa in
// SI, so that a clay of 500 psf (23.94 kPa) is weak in neither system.
double WEAKCLAY();
// Beta of drilled shafts in sand at depth z (length units), within 0.25 .. 1.2.
double BETADS(const double& z);

// Side friction and tip resistance at depth X of a layer of soil type LTYP.
// A flag is 1 when its quantity was estimated (the input value is below
// 1.0E-10); estimates that were not made are 0. A status from a soil
// look-up ends the call with the outputs as far as they were set.
void FSQTEST(const std::int32_t& LTYP, const double& X, std::int32_t& IFLFS, double& FSDRV, double& FSDRL,
             std::int32_t& IFLQT, double& QTDRV, double& QTDRL, std::int32_t& ISTAT);

}  // namespace drelm
