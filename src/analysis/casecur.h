// State of the load case or combination now treated.
#pragma once

#include <cstdint>

#include "run/farray.h"

namespace drelm {

struct CASECUR_T {
  std::int32_t ICASE = 0;  // case (or combination) number now analysed
  std::int32_t NESTV = 0;  // values of the estimation vector of the case
  std::int32_t ICOMB = 0;  // 0 in the case loop; the combination now analysed
  double RFBEND = 1.0;     // bending resistance factor (1.0 for a load case)
  double RFSHR = 1.0;      // shear resistance factor (1.0 for a load case)
  std::int32_t NPOINT = 1;  // points of the current case
  std::int32_t IPOINT = 1;  // current point, 1 .. NPOINT
  std::int32_t LOOPNO = 1;  // current pass of the point
  std::int32_t IPRDOF = 0;  // 0 the case's load, 2 a unit-load point
};
extern CASECUR_T CASECUR;

// Load-factor search of the equivalent-stiffness estimation.
struct SESTIM_T {
  std::int32_t SEMODE = 0;  // 1 while an estimation point is analysed
  double SEFACT = 0;        // load factor of the current pass
  double SEDTGT = 0;        // target displacement of the current point
  std::int32_t SEIDOF = 0;  // cap degree of freedom compared with the target
  double SETOL = 1.0;       // allowed error in percent
  std::int32_t SELDMD = 0;  // load scaling mode
  double SEDCMP = 0;        // displacement at SEIDOF of the last converged pass
  std::int32_t SESTAT = 0;  // pass status (3 single, 0 single, 2 more, 1 last, -1 failed)
  std::int32_t SENHIS = 0;  // pairs in the history
  FArray<double, 20> SEHDSP, SEHFAC;
  double SEDSP1 = 0, SEFAC1 = 0;
};
extern SESTIM_T SESTIM;

}  // namespace drelm
