// The cap as one more pile: a short rigid member over the cap thickness,
// entry NPILE + 1 of the pile tables, whose lateral soil reaction acts on
// the cap as an equivalent spring.
#pragma once

#include <cstdint>

namespace drelm {

// Force F (6, cap origin) of the cap member for the cap displacement U. With
// a status set (here or before) the member gives no force.
void CAPPILF(const double* U, double* F, std::int32_t& ISTAT);

// Tangent stiffness K (6 x 6 by columns) of the cap member alone, by central
// differences of CAPPILF; the piles' stiffness is summed by STIFF, so each
// pile is counted once.
void CAPPILK(const double* U, double* K, std::int32_t& ISTAT);

// Force F (6, global, at the member's head) for its head displacement UH.
void CAPPILR(double* F, const double* UH, std::int32_t& ISTAT);

// Reaction of the rigid member for head deflections Y1, Y2 along member
// axes 2 and 3 and head rotations S1 (about axis 3) and S2 (about axis 2):
// lateral forces V1, V2 and moments M3, M2 acting on the member at its head.
void CAPPILS(const double& Y1, const double& S1, const double& Y2, const double& S2, double& V1,
             double& V2, double& M3, double& M2, std::int32_t& ISTAT);

// Property slot under which the soil response sees the cap member: the
// member's increments and length, and the cap width as its diameter.
constexpr int CAPPROP = 102;

}  // namespace drelm
