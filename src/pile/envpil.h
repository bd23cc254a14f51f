// The envelope store's updates after each analysed pass (the store itself
// lies with the shared tables).
#pragma once

#include <cstdint>

#include "model/model_envpil.h"
#include "numeric/minmax.h"

namespace drelm {

// Smallest and largest values of a series set to 0 before its first case:
// every cap component, pile-top slot, node slot and quantity of piles (plane:
// rows) 1 .. NPILE, so that the envelope of a series with no analysed member
// is zero everywhere.
void ENVRS();
void ENVRS2D();

// Plane analysis: widens the cap extremes by the cap load and displacement
// (vertical, horizontal, rotation) of the pass just reported.
void CENV2D(const double (&P)[3], const double (&U)[3]);

// Pile-top values of plane row p: global vertical and horizontal
// displacement and rotation, the same in row axes, global vertical and
// horizontal force and moment, the same in row axes, and the head stress.
// Writes PTCUR slots 1-7 and 14-20 and widens PTMIN and PTMAX over them.
// Rows run on several threads; each writes only its own slots.
void PENV2D(const std::int32_t& IPILE, const double& UGV, const double& UGH, const double& UGR,
            const double& ULA, const double& ULL, const double& ULR, const double& FGV, const double& FGH,
            const double& FGM, const double& FLA, const double& FLL, const double& FLM,
            const double& STRESS);

}  // namespace drelm
