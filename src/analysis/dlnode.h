// Distributed loads of the case now analysed mapped onto the pile nodes
// (the table itself lies with the shared tables).
#pragma once

#include <cstdint>

#include "model/model_dlnode.h"

namespace drelm {

// No distributed load on piles 1 .. NPILE (DLPOS and DLFLAG are left).
void CLRDL();
// The distributed loads of load case c, times its scale factor.
void CASEDL(const std::int32_t& c);
// The distributed loads of every case of combination k, each times its
// case's scale factor and the combination factor, whatever the case's kind.
void COMBDL(const std::int32_t& k);
// Adds the lines of case c, times f. A line reaches the piles from the lower
// to the higher of its end piles in steps of its increment (taken by its
// magnitude; 0 takes the two end piles), never beyond pile NPILE.
void PILEDL(const std::int32_t& c, const double& f);

}  // namespace drelm
