// Nonlinear bending stiffness tables: moment-curvature sets, each a family of
// curves, one per level of axial load (internal units). User sets come first,
// the sets generated for the cross sections follow from NMCSET+1 on.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_curves.h"

namespace drelm {

struct MCTAB_T {
  std::int32_t NMCSET = 0;  // number of user sets
  FArray<std::int32_t, MAXMCS> MCNCRV;             // curves of set s
  FArray2<double, MAXMCS, MAXMCC> MCPAXL;          // axial load of curve c
  FArray2<std::int32_t, MAXMCS, MAXMCC> MCNPT;     // points of curve c
  FArray3<double, MAXMCS, MAXMCC, MAXMCP> MCMOM;   // bending moment of point k
  FArray3<double, MAXMCS, MAXMCC, MAXMCP> MCCURV;  // curvature of point k
};
extern MCTAB_T MCTAB;

}  // namespace drelm
