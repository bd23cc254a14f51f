// User p-y curves of the analysis: the sets of p-y curves by depth of the
// input, copied by the preprocessing and read by the user-curve criterion.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_curves.h"

namespace drelm {

struct USRPY_T {
  std::int32_t NPYSET = 0;                      // sets in use (0 without user curves)
  FArray<std::int32_t, MAXPYS> PYNCRV;          // curves of set s
  FArray2<double, MAXPYS, MAXPYC> PYDEP;        // X of curve c, curves by increasing depth
  FArray2<std::int32_t, MAXPYS, MAXPYC> PYNPT;  // points of curve c
  FArray3<double, MAXPYS, MAXPYC, MAXPYP> PYY;  // deflection of point k, increasing
  FArray3<double, MAXPYS, MAXPYC, MAXPYP> PYP;  // soil resistance of point k
};
extern USRPY_T USRPY;

}  // namespace drelm
