#include "report/ldtypnm.h"

namespace drelm {

void LDTYPNM(const std::int32_t& code, FStr<32>& name) {
  static const char* const NAMES[] = {"Dead, DL",      "Live, LL",  "Seismic, EQ", "Impact, IM",
                                      "Wind, WN",      "Water, WT", "Ice, IC",     "Soils, Hsl",
                                      "Roof Live, Lr", "Rain, Rn",  "Snow, Sn",    "Temperature, Tm"};
  if (code >= 0 && code <= 11) {
    name = NAMES[code];
  } else {
    name = "Special, Sp";
  }
}

}  // namespace drelm
