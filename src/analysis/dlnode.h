// Distributed loads of the case now analysed, mapped onto the nodes of every
// pile they reach: point l of pile p lies (l - 1) increments below the head
// along the pile. Filled on the driver's thread before each cap solution and
// read by the lateral solvers from the threads of the pile loops.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_loads.h"
#include "model/model_run.h"

namespace drelm {

struct DLNODE_T {
  PileArray2<double, MAXPIL1, MAXDLP> DLPOS;  // distance of point l from the head, along the pile
  PileArray2<double, MAXPIL1, MAXDLP> DLQ1;   // intensity in lateral direction 1 (force per length)
  PileArray2<double, MAXPIL1, MAXDLP> DLQ2;   // intensity in lateral direction 2 (space)
  FArray<double, MAXPIL1> DLPAX;           // axial load lumped at the head
  FArray<std::int32_t, MAXPIL1> NDLNOD;    // points of pile p; 0 = no distributed load
};
extern DLNODE_T DLNODE;

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
