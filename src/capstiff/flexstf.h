// Cap stiffness of the unit-load method: the flexibility columns of every
// load level read back, inverted and printed.
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

// IFXTAB 1 prints the tables (any other value prints nothing, and the records
// are dropped so that the next case starts from an empty file); IFXDIA 1 uses
// only the diagonal flexibilities. LD is the leading dimension 6.
void FLEXSTF(std::int32_t IFXTAB, std::int32_t IFXDIA, std::int32_t NESTV, std::int32_t NDOF, std::int32_t LD,
             const double* CESTV);

}  // namespace drelm
