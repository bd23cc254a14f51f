// Layered soil for the p-y criteria: the equivalent depth of the top of each
// lower layer per pile, the cumulative ultimate resistance of each layer that
// the criteria keep while they evaluate their nodes, and the p- and
// y-multipliers along depth.
#pragma once

#include <cstdint>

#include "model/model_pylayr.h"

namespace drelm {

// Multipliers along depth of pile IPILE at X, the depth below its head, from
// its reduction-factor set: the sets are given by depth below the pile head,
// so one set serves piles whose heads lie at different elevations. ISET is
// the pile's set (below 1: none, multipliers 1). Outside the set's depths
// both multipliers are 1.
void PYMULT(const std::int32_t& IPILE, std::int32_t& ISET, const double& X, double& PMULT,
            double& YMULT);

// Equivalent depth of the top of layer ILAYR for pile IPILE: the depth at
// which the layer's own soil, reaching up to the ground line, would build up
// the cumulative resistance of the layers above it. The soil values are those
// of the calling criterion at the layer's first node; RT is its table of ten
// depth ratios (sand and silt), or null. Writes EQDEP(IPILE, ILAYR).
void EQDEPTH(const std::int32_t& IPILE, const std::int32_t& ILAYR, const std::int32_t& IPROP,
             const double& B, const double& C, const double& CA, const double& GAMMA,
             const double& PHI, const double& ALPHA, const double& BETA, const double& K0,
             const double& KA, const double& T, const double& ZN, const double& J,
             const double* RT);

}  // namespace drelm
