// State of the load case or combination now treated.
#pragma once

#include <cstdint>

namespace drelm {

struct CASECUR_T {
  std::int32_t NESTV = 0;  // values of the estimation vector of the case
  std::int32_t ICOMB = 0;  // 0 in the case loop; the combination now analysed
  double RFBEND = 1.0;     // bending resistance factor (1.0 for a load case)
  double RFSHR = 1.0;      // shear resistance factor (1.0 for a load case)
};
extern CASECUR_T CASECUR;

}  // namespace drelm
