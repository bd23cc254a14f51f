// Tangent stiffness of one pile head by central differences of its head
// response.
#pragma once

#include <cmath>
#include <cstdint>

namespace drelm {

// Perturbation steps: translations 1E-7 inch (2.54E-9 m in SI units),
// rotations 1E-11 rad.
double translationStep();
constexpr double ROTSTEP = 1.0E-11;
// The difference step of a fallback where the displacement u is much
// smaller than the usual step: a quarter of u, down to a millionth of the
// usual step. The cube-root p-y curves of soft clay stiffen without bound
// towards zero, and a step far larger than the displacement sees a tangent
// far too soft there.
inline double scaledStep(double usual, double u) {
  return std::fmin(usual, std::fmax(1.0E-6 * usual, 0.25 * std::fabs(u)));
}

// KH (6 x 6 by columns, global axes at the head): column j is the change of
// the head forces per unit change of head displacement component j at UH.
// Thirteen head solutions: the base point, then +h for components 1..6, then
// -h for components 1..6. Not symmetrised; ISTAT is passed through.
// BASESOLVED: the caller's force sum has just solved this pile at UH,
// soundly and without a message, so the base point is not solved again (its
// forces are not used; the solution it would repeat leaves the same state).
// SCALED: each component's step is scaledStep of that component of UH.
void PILEHK(const std::int32_t& IPILE, double* KH, const double* UH, std::int32_t& ISTAT,
            bool BASESOLVED = false, bool SCALED = false);

}  // namespace drelm
