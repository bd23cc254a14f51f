// Values along a pile from the converged deflections of a lateral solution.
#pragma once

#include <cstdint>

#include "pile/llp.h"
#include "model/nodes.h"

namespace drelm {

// Head shear of one direction by equilibrium: h times the trapezoidal sum of
// soil reaction K Y less the load F over the node slots 4 .. n.
double HEADSHR(int n, double h, const NodeArray& K, const NodeArray& Y, const NodeArray& F);

// Slopes, moments -R y'', shears Q y' + (R y'')' and soil reactions k y of
// both directions from r.Y, r.R, r.Q and r.ESOIL; node spacing h.
void LLPFORC(double h, LLPRES& r);

// Section checks at every node: bending and combined stress and the bending
// and shear capacity ratios (0 where the capacity is not above 1E-14).
void LLPSECT(const std::int32_t& IPILE, LLPRES& r);

// Stores of a reporting pass of the space solver, from the converged values
// r and the head values: with IOUTPS 1 the pile-top values and the values
// along the pile in the envelope store, with IOUTPS 2 the equivalent
// stiffnesses of the pile; nothing in any other pass. Writes only the
// pile's own slots.
void LLPSTORE(const std::int32_t& IPILE, const double& PX, const double& TX, const double& VT1,
              const double& VT2, const double& MT1, const double& MT2, const double* ULOC, const double* RT,
              const LLPRES& r);

}  // namespace drelm
