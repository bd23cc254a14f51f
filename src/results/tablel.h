// Table L of the second results report, written by the cap solutions and by
// the envelopes alike.
#pragma once

namespace drelm {

// The heading, then the load P and the displacement U at the origin (N
// values each) in full precision.
void reportTableL(const double* P, const double* U, int N);

}  // namespace drelm
