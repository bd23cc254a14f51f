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

}  // namespace drelm
