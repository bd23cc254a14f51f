// Soil movement at the nodes of a pile. With a soil movement profile in the
// input the p-y springs act on the difference between the pile deflection
// and the free-field movement of the soil; the lateral solvers build the
// pile's own profile, clear their node arrays and fill the movement at every
// node before the iterations of a pile solution.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// The soil movement profile of pile IPILE in its own axes (SMVPIL): depth
// below the pile head and the current movement in lateral directions 1 and 2.
void SMVPLOC(const std::int32_t& IPILE);

// Entries 1 .. NINC+1 of a node array of pile IPILE set to 0: the soil
// reactions (CLRNODP) and the soil movements of directions 1 and 2.
void CLRNODP(const std::int32_t& IPILE, NodeArray& PSOIL);
void CLRNOD1(const std::int32_t& IPILE, NodeArray& YSOIL1);
void CLRNOD2(const std::int32_t& IPILE, NodeArray& YSOIL2);

// Soil movement at every node of pile IPILE in lateral direction 1 (2) from
// its profile; 0 above the ground surface and outside the profile. The
// profile comes from the current movements of SMOV, the input ones times the
// load fraction SMVFAC, so the fraction is applied once.
void SMVNOD1(const std::int32_t& IPILE, NodeArray& YSOIL1);
void SMVNOD2(const std::int32_t& IPILE, NodeArray& YSOIL2);

}  // namespace drelm
