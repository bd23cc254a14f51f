// Node set-up of a pile (space pile or plane row): node positions along the
// pile and in depth, and the node range of every soil layer.
#include "pile/node.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "model/nodes.h"
#include "report/prpftl.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

namespace {

void belowDeepestLayer(double plen) {
#pragma omp critical(drelm_report)
  belowProfileBlock(plen);
}

void storeStatus(std::int32_t& ISTAT, std::int32_t code) {
  std::atomic_ref<std::int32_t>(ISTAT).store(code, std::memory_order_relaxed);
}

}  // namespace

void placeNodes(int p, double head, std::int32_t belowCode, std::int32_t& ISTAT) {
  const int t = PILEAR.PROPOFPILE(p);
  const int ninc = PILEPROP.NINC(t);
  // The input checks keep the increments within the node slots; a property
  // the preprocessing never filled must not divide by zero or overrun.
  if (ninc < 1 || ninc > MAXINC) {
    storeStatus(ISTAT, STAT_CAPACITY);
    return;
  }
  const int nn = ninc + 1;
  const int nl = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  for (int L = 1; L <= nl; ++L) LAYNODE.LNODE1(p, L) = LAYNODE.LNODE2(p, L) = 0;

  // The spacing and the closing layer top are set by the preprocessing and
  // only read here: piles are set up side by side on several threads.
  const double dx = PILEPROP.DXINC(t);
  if (!(dx > 0.0)) {
    storeStatus(ISTAT, STAT_CAPACITY);
    return;
  }
  const double dv = nodeDepthStep(p);
  // Each node from the head, so that rounding does not build up along the pile.
  const auto place = [&](int i) {
    PILENODE.XNODE(p, i) = head + (i - 1) * dv;
    PILENODE.XPILE(p, i) = head + (i - 1) * dx;
  };
  place(1);

  // A pile with its own p-y curves by depth needs no layers.
  if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(p) > 0) {
    for (int i = 2; i <= nn; ++i) place(i);
    return;
  }

  // Without a soil layer every pile reaches below the profile.
  if (nl < 1) {
    belowDeepestLayer(PILEPROP.PLEN(t));
    storeStatus(ISTAT, belowCode);
    return;
  }
  const double bottom = SOILCOM.LBOT(nl);
  const double tol = depthTolerance(PILEPROP.PLEN(t));
  // A node that rounding puts within the tolerance of a layer boundary lies
  // on it (a tip just below the bottom too): which layer holds the node and
  // what the look-ups give there must not hang on the last bits of the
  // depths, which differ from one units system to the other.
  const auto snap = [&](int i) {
    double& X = PILENODE.XNODE(p, i);
    for (int L = 1; L <= nl; ++L) {
      for (const double b : {SOILCOM.LTOP(L), SOILCOM.LBOT(L)}) {
        if (std::fabs(X - b) <= tol) {
          X = b;
          return;
        }
      }
    }
  };
  int j = 1;
  for (int i = 1; i <= nn; ++i) {
    if (i > 1) {
      place(i);
      if (PILENODE.XNODE(p, i) > bottom + tol) {
        belowDeepestLayer(PILEPROP.PLEN(t));
        storeStatus(ISTAT, belowCode);
        return;
      }
    }
    snap(i);
    // A node opens at most one layer; layers passed in one step open at the
    // nodes that follow.
    if (j <= nl && PILENODE.XNODE(p, i) >= SOILCOM.LTOP(j)) {
      LAYNODE.LNODE1(p, j) = i;
      ++j;
    }
  }
  // The first layer no node opened starts at the tip node.
  if (j <= nl) LAYNODE.LNODE1(p, j) = nn;
  for (int L = 1; L < nl; ++L) LAYNODE.LNODE2(p, L) = LAYNODE.LNODE1(p, L + 1) - 1;
  const double tip = PILENODE.XNODE(p, nn);
  for (int L = 1; L <= nl; ++L)
    if (SOILCOM.LBOT(L) >= tip) LAYNODE.LNODE2(p, L) = nn;
  LAYNODE.LNODE2(p, nl) = nn;
}

void NODE(const std::int32_t& IPILE, std::int32_t& ISTAT) {
  placeNodes(IPILE, PILEAR.PHX(IPILE), STAT_NODE_BELOW, ISTAT);
}

}  // namespace drelm
