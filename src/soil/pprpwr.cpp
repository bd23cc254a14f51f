// Property block of the per-pile curve file.
#include <cmath>

#include "model/model.h"
#include "soil/crvfile.h"
#include "soil/lookup.h"

namespace drelm {

double crvStep(std::int32_t p) {
  const std::int32_t n = CRVCTL.NCRVST;
  return n >= 1 ? PILEPROP.PLEN(PILEAR.PROPOFPILE(p)) / n : 0.0;
}

void PPRPWR(const std::int32_t& IPILE, CrvRecords& out) {
  const int p = IPILE;
  const std::int32_t q = PILEAR.PROPOFPILE(p);
  const int n = CRVCTL.NCRVST;
  const bool space = RUNCTL.IANTYP == 3;
  const double S = crvStep(p);

  out.ints3(p, n, CRV_PROPERTIES);
  const double len = PILEPROP.PLEN(q);
  out.values(&len, 1);
  const double head[3] = {PILEAR.PHX(p), PILEAR.PHY(p), PILEAR.PHZ(p)};
  out.values(head, space ? 3 : 2);

  if (space) {
    const double a = PILEAR.ALPHA(p), b = PILEAR.BETA(p);
    const double r1[3] = {std::sin(b), std::cos(b) * std::cos(a), std::cos(b) * std::sin(a)};
    const double r2[3] = {-std::cos(b), std::sin(b) * std::cos(a), std::sin(b) * std::sin(a)};
    const double r3[3] = {0.0, -std::sin(a), std::cos(a)};
    out.values(r1, 3);
    out.values(r2, 3);
    out.values(r3, 3);
  } else {
    const double a = RUNCONST.PI / 2.0 - PILEAR.PBATT(p);
    const double r1[2] = {std::cos(a), std::sin(a)};
    const double r2[2] = {-std::sin(a), std::cos(a)};
    out.values(r1, 2);
    out.values(r2, 2);
  }

  for (int j = 1; j <= n; ++j) {
    const double m = crvNodeX(PILEAR.PHX(p), S, j) + S / 2.0;
    out.node(j, m);
    if (space) {
      const double v[6] = {SECDIAM(p, q, m), SECAREA(p, q, m), SECIZ(p, q, m),
                           SECIY(p, q, m),   SECEMOD(p, q, m), SECGJ(p, q, m)};
      out.values(v, 6);
    } else {
      const double v[4] = {SECDIAM(p, q, m), SECAREA(p, q, m), SECIZ(p, q, m), SECEMOD(p, q, m)};
      out.values(v, 4);
    }
  }
}

}  // namespace drelm
