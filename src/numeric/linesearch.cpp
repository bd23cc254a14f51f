#include "numeric/linesearch.h"

#include <cmath>

namespace drelm {

double lineSearch(double G0, const LineResidual& g, int MAXEVAL, double TOL) {
  if (!(G0 > 0.0) || MAXEVAL < 1) return 1.0;
  double a = 0.0, ga = G0;  // ga > 0: short of the root
  double b = 1.0, gb = 0.0;
  bool bKnown = false;      // a failed trial is beyond, with no value
  double best = 0.0, gbest = G0;
  double t = 1.0;
  int side = 0;  // the end kept in the last two updates (Illinois)
  for (int n = 1; n <= MAXEVAL; ++n) {
    double gt = 0.0;
    const bool ok = g(t, gt) && std::isfinite(gt);
    if (ok && std::fabs(gt) < std::fabs(gbest)) {
      best = t;
      gbest = gt;
    }
    if (ok && n == 1 && gt >= 0.0) return 1.0;
    if (ok && std::fabs(gt) <= TOL * G0) return t;
    if (ok && gt > 0.0) {
      a = t;
      ga = gt;
      if (side == 1 && bKnown) gb *= 0.5;
      side = 1;
    } else {
      b = t;
      bKnown = ok;
      gb = ok ? gt : 0.0;
      if (side == -1) ga *= 0.5;
      side = -1;
    }
    // Regula falsi between a bracketing pair; bisection beside a failed trial.
    t = bKnown ? b - gb * (b - a) / (gb - ga) : 0.5 * (a + b);
    if (!(t > a && t < b)) t = 0.5 * (a + b);
  }
  return best;
}

}  // namespace drelm
