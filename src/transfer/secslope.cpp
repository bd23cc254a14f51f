// Secant slope of a pile-head curve, the equivalent head stiffness that the
// lateral pile solver takes for the axial and the torsional response.
#include "transfer/headcurves.h"

#include <algorithm>

#include "model/model.h"

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

namespace {

// Slope of point row c (or generated row -c) of a head-curve table; a curve
// that is not in its table has none.
template <typename Table>
double tableSlope(std::int32_t c, std::int32_t nUser, const Table& npt, const auto& x, const auto& y,
                  std::int32_t nGen, const auto& gnpt, const auto& gx, const auto& gy, std::int32_t mode) {
  double xs[MAXHDP > MAXGCP ? MAXHDP : MAXGCP];
  double ys[MAXHDP > MAXGCP ? MAXHDP : MAXGCP];
  int n = 0;
  if (c >= 1) {
    if (c > std::min<int>(nUser, npt.size)) return 0.0;
    n = std::clamp<int>(npt(c), 0, MAXHDP);
    for (int k = 1; k <= n; ++k) {
      xs[k - 1] = x(c, k);
      ys[k - 1] = y(c, k);
    }
  } else {
    const int g = -c;
    if (g < 1 || g > std::min<int>(nGen, gnpt.size)) return 0.0;
    n = std::clamp<int>(gnpt(g), 0, MAXGCP);
    for (int k = 1; k <= n; ++k) {
      xs[k - 1] = gx(g, k);
      ys[k - 1] = gy(g, k);
    }
  }
  double slope = 0.0;
  SECSLOPE(n, xs, ys, mode, slope);
  return slope;
}

}  // namespace

void AXSLOPE(const std::int32_t& IPILE, const std::int32_t& MODE, double& SLOPE) {
  SLOPE = 0.0;
  if (IPILE < 1 || IPILE > MAXPIL1) return;
  const LSCRV_T& T = LSCRV;
  SLOPE = tableSlope(PILEAR.ILSCRV(IPILE), T.LSNCRV, T.LSNPT, T.LSDSP, T.LSLOD, T.LSGNCV, T.LSGNPT, T.LSGDSP,
                     T.LSGLOD, MODE);
}

void TQSLOPE(const std::int32_t& IPILE, const std::int32_t& MODE, double& SLOPE) {
  SLOPE = 0.0;
  if (IPILE < 1 || IPILE > MAXPIL1) return;
  const TRCRV_T& T = TRCRV;
  SLOPE = tableSlope(PILEAR.ITRCRV(IPILE), T.TRNCRV, T.TRNPT, T.TRROT, T.TRTOR, T.TRGNCV, T.TRGNPT, T.TRGROT,
                     T.TRGTOR, MODE);
}

}  // namespace drelm
