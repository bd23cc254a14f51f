// Generated pile-head load-settlement curves of the pile properties, built at
// the input stage and read by the axial load-transfer solution of a pile.
//
// Row IPROP holds the curve of pile property IPROP: points 1 to 9 the uplift
// half (negated, from the largest uplift down), point 10 the origin, points
// 11 to 19 the compression half in increasing order. Every column increases
// with the point number.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXAXP = 50;  // point slots of a generated curve

struct AXTZ_T {
  std::int32_t NAXTZ = 0;  // points of the generated curves (19 once generated)
  RowArray2<double, MAXPIL1, MAXAXP> AXHMOV;  // (IPROP, k) head movement
  RowArray2<double, MAXPIL1, MAXAXP> AXHLOD;  // (IPROP, k) head load
  RowArray2<double, MAXPIL1, MAXAXP> AXTMOV;  // (IPROP, k) tip movement
  RowArray2<double, MAXPIL1, MAXAXP> AXTLOD;  // (IPROP, k) tip load
};
extern AXTZ_T AXTZ;

}  // namespace drelm
