// State of the load case or combination now treated.
#pragma once

#include <cstdint>

namespace drelm {

struct CASECUR_T {
  std::int32_t NESTV = 0;  // values of the estimation vector of the case
};
extern CASECUR_T CASECUR;

}  // namespace drelm
