// Per-pile layer results of the p-y criteria: the equivalent depth of the
// top of each lower layer and the cumulative ultimate resistance of each layer.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXPYL = 40;  // layer slots of the per-pile layer results

struct PYLAYR_T {
  // Equivalent depth of the top of layer L for pile p, below the ground line;
  // a value below 1.0E-6 marks an entry still to be computed.
  PileArray2<double, MAXPIL1, MAXPYL> EQDEP;
  // Cumulative ultimate lateral resistance of layer L along pile p.
  PileArray2<double, MAXPIL1, MAXPYL> CUMPU;
};
extern PYLAYR_T PYLAYR;

}  // namespace drelm
