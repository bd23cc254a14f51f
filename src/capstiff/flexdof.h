// Opening of one unit-load point of the flexibility method.
#pragma once

#include <cstdint>

namespace drelm {

// Prints the heading of cap degree of freedom DOF. A load component below
// 1E-12 in magnitude cannot give a flexibility column: the point is reported
// as not considered, its unit-vector records replace the NLEV passes and
// ISKIP is set to 1; otherwise ISKIP is 0 and the passes run.
void FLEXDOF(std::int32_t mode, std::int32_t DOF, std::int32_t IANTYP, std::int32_t NLEV, std::int32_t NDOF,
             const double* load, std::int32_t& ISKIP);

}  // namespace drelm
