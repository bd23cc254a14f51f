// Sums over the piles of a space analysis at the cap origin: the force the
// piles exert on the cap for a cap displacement, and its tangent stiffness.
// Each is a parallel loop over the piles; every pile's contribution goes into
// its own slot and the slots are added in pile order after the loop, so the
// sums are the same bits for any thread count.
#pragma once

#include <cstdint>

namespace drelm {

// F = sum over the piles of the head forces for the cap displacement U,
// carried to the cap origin. A pile whose evaluation ends with ISTAT set
// contributes nothing.
void FVEC(double* F, const double* U, std::int32_t& ISTAT);

// K (6 x 6 by columns) = sum over the piles of TF KH TU, KH the head
// stiffness of PILEHK at the head displacement belonging to U. Every pile is
// added whatever ISTAT holds; K is not symmetrised. SCALED: PILEHK's
// difference steps scaled to the head displacements.
void STIFF(double* K, const double* U, std::int32_t& ISTAT, bool SCALED = false);

}  // namespace drelm
