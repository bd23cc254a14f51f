// The envelope store: current results of the last analysed pass and their
// smallest and largest values over a series of analyses (the load cases, or
// the load combinations), at the pile heads, along the piles and at the cap.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"
#include "model/nodes.h"

namespace drelm {

constexpr int NPTVAL = 26;  // pile-top values: two sets of 13
constexpr int NNDQ = 25;    // along-pile quantities

struct ENVPIL_T {
  // 1 while the first analysed case of a series runs: every update then takes
  // the current value as both minimum and maximum.
  std::int32_t ENVFST = 0;
  PileArray2<double, MAXPIL1, NPTVAL> PTCUR, PTMIN, PTMAX;
  // Node slot 4 is the pile head, NINC + 4 the tip.
  PileArray3<double, MAXPIL1, MAXNOD, NNDQ> NDCUR, NDMIN, NDMAX;
  FArray<double, 6> CAPDMN, CAPDMX, CAPFMN, CAPFMX;
};
extern ENVPIL_T ENVPIL;

}  // namespace drelm
