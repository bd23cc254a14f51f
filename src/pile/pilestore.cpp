#include "pile/pilestore.h"

#include <algorithm>

#include "analysis/envpil.h"
#include "run/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(EQSTIF_T, EQSTIF);

void NODENV(const std::int32_t& IPILE, const std::int32_t& NSLOT, const NodeBlock& BLOCK) {
  const int p = IPILE;
  const int last = std::min<int>(NSLOT, MAXNOD);
  ENVPIL_T& E = ENVPIL;
  for (int q = 1; q <= NNDQ; ++q)
    for (int s = 4; s <= last; ++s) {
      const double v = BLOCK(s, q);
      E.NDCUR(p, s, q) = v;
      if (E.ENVFST == 1) E.NDMIN(p, s, q) = E.NDMAX(p, s, q) = v;
      DMIN(E.NDMIN(p, s, q), v);
      DMAX(E.NDMAX(p, s, q), v);
    }
}

}  // namespace drelm
