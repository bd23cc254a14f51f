#include "pile/pilestore.h"

#include <algorithm>

#include "analysis/envpil.h"
#include "run/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(EQSTIF_T, EQSTIF);

void NODENV(const std::int32_t& IPILE, const std::int32_t& NSLOT, const NodeBlock& BLOCK) {
  const int p = IPILE;
  const int last = std::min<int>(NSLOT, MAXNOD);
  if (last < 4) return;
  ENVPIL_T& E = ENVPIL;
  // The pile's node block lies contiguous in the store, in the block's own
  // order (slot fastest), so each quantity is one run of slots.
  double* cur = &E.NDCUR(p, 1, 1);
  double* lo = &E.NDMIN(p, 1, 1);
  double* hi = &E.NDMAX(p, 1, 1);
  const bool first = E.ENVFST == 1;
  for (int q = 1; q <= NNDQ; ++q) {
    const double* b = &BLOCK(1, q);
    const int o = (q - 1) * MAXNOD;
    for (int s = 3; s < last; ++s) {
      const double v = b[s];
      cur[o + s] = v;
      if (first) {
        lo[o + s] = hi[o + s] = v;
      } else {
        // As DMIN and DMAX: a value that does not compare changes nothing.
        if (lo[o + s] > v) lo[o + s] = v;
        if (v > hi[o + s]) hi[o + s] = v;
      }
    }
  }
}

}  // namespace drelm
