#include <algorithm>

#include "model/model.h"
#include "transfer/axcrv.h"

namespace drelm {

int AETABLE(const std::int32_t& IPROP, FArray<double, MAXAEP>& AETAB, FArray<double, MAXAEP>& AEDEP) {
  // The section table holds at most MAXSRT - 1 sections; never write past
  // either table whatever NSECT says.
  const int nsect = std::clamp<int>(PILEPROP.NSECT(IPROP), 0, std::min(MAXSRT - 1, MAXAEP / 2));
  const SECTAB_T& S = SECTAB;
  for (int j = 1; j <= nsect; ++j) {
    AEDEP(2 * j - 1) = j == 1 ? 0.0 : S.SXTO(IPROP, j - 1);
    AEDEP(2 * j) = S.SXTO(IPROP, j);
    // The modulus at the top of the section serves both ends.
    AETAB(2 * j - 1) = S.SEMODT(IPROP, j) * S.SAREAT(IPROP, j);
    AETAB(2 * j) = S.SEMODT(IPROP, j) * S.SAREAB(IPROP, j);
  }
  return 2 * nsect;
}

}  // namespace drelm
