// Printed names of the load type codes of the load cases.
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

// Name of a load type, blank-padded to 32 characters; an unknown code is
// "Special, Sp".
void LDTYPNM(const std::int32_t& code, FStr<32>& name);

}  // namespace drelm
