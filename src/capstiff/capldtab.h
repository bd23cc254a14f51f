// Load-displacement and flexibility-coefficient tables of one unit-load point.
#pragma once

#include <cstdint>

namespace drelm {

// Reads the point file back (two records per pass) and prints the applied
// load and the cap displacements of every pass, then the flexibility
// coefficients of column IPOINT. Nothing unless IPRDOF is 2. Leaves the point
// file closed and ICLDOP 0.
void CAPLDTAB(std::int32_t IPRDOF, std::int32_t IPOINT, std::int32_t NESTV, std::int32_t IANTYP, std::int32_t NDOF,
              std::int32_t& ICLDOP);

}  // namespace drelm
