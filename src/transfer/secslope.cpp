// Secant slope of a pile-head curve, the equivalent head stiffness that the
// lateral pile solver takes for the axial and the torsional response.
#include "transfer/headcurves.h"

namespace drelm {

bool SECSLOPE(const std::int32_t& N, const double* X, const double* Y, const std::int32_t& MODE,
              double& SLOPE) {
  SLOPE = 0.0;
  if (N < 2 || X == nullptr || Y == nullptr) return false;
  int i = N - 1, j = N - 1;  // zero-based ends of the segment
  if (MODE == 0) {
    i = 0;
  } else {
    // The segment holding the origin, or the last one.
    for (int k = 1; k < N; ++k) {
      if (X[k] >= 0.0) {
        j = k;
        break;
      }
    }
    i = j - 1;
  }
  const double dx = X[j] - X[i];
  if (dx == 0.0) return false;
  SLOPE = (Y[j] - Y[i]) / dx;
  return true;
}

}  // namespace drelm
