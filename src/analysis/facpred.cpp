#include <cmath>

#include "model/casecur.h"
#include "cap/passfile.h"

namespace drelm {

void FACPRED() {
  SESTIM_T& S = SESTIM;
  const int n = S.SENHIS < MAXHIS ? S.SENHIS : MAXHIS;
  const double t = S.SEDTGT;
  if (n <= 0) {
    S.SEFACT = 0.0;
    return;
  }
  auto& d = S.SEHDSP;
  auto& f = S.SEHFAC;
  if (n == 1) {
    S.SEFACT = std::fabs(d(1)) > 1.0E-4 ? t * f(1) / d(1) : 1.0;
    return;
  }
  // Keep the history sorted by factor: the newest pair goes before the first
  // pair of a larger factor.
  for (int i = 1; i < n; ++i) {
    if (f(i) > f(n)) {
      const double fn = f(n), dn = d(n);
      for (int k = n; k > i; --k) {
        f(k) = f(k - 1);
        d(k) = d(k - 1);
      }
      f(i) = fn;
      d(i) = dn;
      break;
    }
  }
  // The interval is chosen with displacements growing with the factor; a
  // negative target (displacements that grow negative) is mirrored for the
  // choice, which leaves the interpolation itself unchanged.
  const double sg = t < 0.0 ? -1.0 : 1.0;
  const auto D = [&](int i) { return sg * d(i); };
  const double T = sg * t;
  int lo = 1, hi = 2;
  if (D(1) >= T) {
    lo = 1;
    hi = 2;
  } else if (T >= D(n)) {
    lo = n - 1;
    hi = n;
  } else {
    for (int c = 2; c <= n; ++c) {
      if (D(c) >= T) {
        lo = c - 1;
        hi = c;
        break;
      }
    }
  }
  const double dd = d(hi) - d(lo);
  // Two pairs with one displacement give no slope: keep the nearer factor.
  S.SEFACT = dd != 0.0 ? f(lo) + (t - d(lo)) * (f(hi) - f(lo)) / dd : f(hi);
}

}  // namespace drelm
