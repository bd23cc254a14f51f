// Smallest and largest of running values, in place.
#pragma once

namespace drelm {

// a = b when b is smaller (DMIN) or larger (DMAX); a value that does not
// compare leaves a unchanged.
inline void DMIN(double& a, const double& b) {
  if (a > b) a = b;
}
inline void DMAX(double& a, const double& b) {
  if (b > a) a = b;
}

// The envelope rule: the first analysed case of a series (ENVFST = 1)
// starts the extremes at the current value, later cases widen them.
inline void widenEnvelope(double& lo, double& hi, double v, bool first) {
  if (first) lo = hi = v;
  DMIN(lo, v);
  DMAX(hi, v);
}

}  // namespace drelm
