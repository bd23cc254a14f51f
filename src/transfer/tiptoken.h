// Token tip values that stand for "practically nothing": the tip area of a
// pile pulled out, and the tip capacity of a drilled shaft in loose sand.
// They are the same physical amount in both unit systems: the English
// values, converted in SI.
#pragma once

#include "model/model_run.h"
#include "report/siconv.h"

namespace drelm {

// 1.0E-4 in^2; in m^2 in SI.
inline double TIPAREA0() {
  constexpr double a = static_cast<double>(1.0E-4f);
  return RUNCTL.IUNITS == 2 ? a * IN_M * IN_M : a;
}

// 0.1 lb; in kN in SI.
inline double TIPQMIN() {
  constexpr double q = static_cast<double>(0.1f);
  return RUNCTL.IUNITS == 2 ? q * LB_KN : q;
}

}  // namespace drelm
