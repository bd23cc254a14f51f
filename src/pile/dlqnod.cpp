// Distributed load intensity at the nodes of a pile, from the load points
// that the case mapped onto the pile.
#include <algorithm>
#include <cmath>

#include "pile/nodesvc.h"
#include "model/model.h"

namespace drelm {

namespace {

void dlqnod(const std::int32_t& IPILE, NodeArray& Q, const decltype(DLNODE_T::DLQ1)& DLQ) {
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int nn = std::min<int>(PILEPROP.NINC(t) + 1, MAXNOD);
  const int n = std::min<int>(DLNODE.NDLNOD(p), MAXDLP);
  const double eps = RUNCONST.EPSMOV > 0.0 ? RUNCONST.EPSMOV : 1.0E-5;
  for (int k = 1; k <= nn; ++k) Q(k) = 0.0;
  if (n < 1) return;
  const double first = DLNODE.DLPOS(p, 1), last = DLNODE.DLPOS(p, n);
  // The load points are distances from the head along the pile, so the node
  // is placed by its distance from the head node: XPILE itself starts at the
  // head's X, which is not 0 for most piles.
  const double head = PILENODE.XPILE(p, 1);
  // Node and point positions are sums of the same increment, taken in two
  // orders: a node on the end point must not fall outside by rounding.
  const double tol = 1.0E-9 * std::max(1.0, std::fabs(last - first));
  int j = 2;
  for (int k = 1; k <= nn; ++k) {
    double x = PILENODE.XPILE(p, k) - head;
    if (x < first - tol || x > last + tol) continue;
    x = std::clamp(x, first, last);
    if (n == 1) {
      Q(k) = DLQ(p, 1);
      continue;
    }
    while (j < n && DLNODE.DLPOS(p, j) < x) ++j;
    const double x0 = DLNODE.DLPOS(p, j - 1), x1 = DLNODE.DLPOS(p, j);
    const double q0 = DLQ(p, j - 1), q1 = DLQ(p, j);
    if (std::fabs(x1 - x0) < eps)
      Q(k) = 0.5 * (q0 + q1);
    else
      Q(k) = q0 + (x - x0) * (q1 - q0) / (x1 - x0);
  }
}

}  // namespace

void DLQNOD1(const std::int32_t&, const std::int32_t& IPILE, NodeArray& Q) {
  dlqnod(IPILE, Q, DLNODE.DLQ1);
}

void DLQNOD2(const std::int32_t&, const std::int32_t& IPILE, NodeArray& Q) {
  dlqnod(IPILE, Q, DLNODE.DLQ2);
}

}  // namespace drelm
