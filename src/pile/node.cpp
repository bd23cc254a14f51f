// Node set-up of a space pile: node positions along the pile and in depth,
// and the node range of every soil layer.
#include "pile/node.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "report/writers.h"
#include "run/fileio.h"
#include "run/model.h"

namespace drelm {

namespace {

void belowDeepestLayer(double plen) {
  const std::string len = "     THE PILE LENGTH, " + exponentField(10, 2, plen) + "(" +
                          UNITLB.ULLEN3.str() + "), EXTENDS BELOW THE";
  const int units[2] = {U_RESULTS, U_LOG};
#pragma omp critical(drelm_report)
  for (int u : units) {
    for (int k = 0; k < 3; ++k) io::endRecord(u);
    io::put(u, "     **** FATAL ERROR ****");
    io::endRecord(u);
    io::put(u, len);
    io::endRecord(u);
    io::put(u, "     BOTTOM OF THE DEEPEST LAYER.");
    io::endRecord(u);
  }
}

void storeStatus(std::int32_t& ISTAT, std::int32_t code) {
  std::atomic_ref<std::int32_t>(ISTAT).store(code, std::memory_order_relaxed);
}

// DXINC of a property and LTOP below the deepest layer are shared by the
// piles that run side by side; every pile writes the same value, so only a
// value that differs is stored, and then atomically.
void storeShared(double& slot, double value) {
  std::atomic_ref<double> a(slot);
  if (a.load(std::memory_order_relaxed) != value) a.store(value, std::memory_order_relaxed);
}

}  // namespace

void NODE(const std::int32_t& IPILE, std::int32_t& ISTAT) {
  const int p = IPILE;
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

  const double dx = PILEPROP.PLEN(t) / ninc;
  storeShared(PILEPROP.DXINC(t), dx);
  const double dv = RUNCTL.IBATAD == 1 ? dx * std::cos(PILEAR.PBATT(p)) : dx;
  PILENODE.XNODE(p, 1) = PILENODE.XPILE(p, 1) = PILEAR.PHX(p);

  // A pile with its own p-y curves by depth needs no layers.
  if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(p) > 0) {
    for (int i = 2; i <= nn; ++i) {
      PILENODE.XNODE(p, i) = PILENODE.XNODE(p, i - 1) + dv;
      PILENODE.XPILE(p, i) = PILENODE.XPILE(p, i - 1) + dx;
    }
    return;
  }

  // Without a soil layer every pile reaches below the profile.
  if (nl < 1) {
    belowDeepestLayer(PILEPROP.PLEN(t));
    storeStatus(ISTAT, STAT_NODE_BELOW);
    return;
  }
  const double bottom = SOILCOM.LBOT(nl);
  storeShared(SOILCOM.LTOP(nl + 1), bottom);
  int j = 1;
  for (int i = 1; i <= nn; ++i) {
    if (i > 1) {
      PILENODE.XNODE(p, i) = PILENODE.XNODE(p, i - 1) + dv;
      PILENODE.XPILE(p, i) = PILENODE.XPILE(p, i - 1) + dx;
      if (PILENODE.XNODE(p, i) > bottom) {
        belowDeepestLayer(PILEPROP.PLEN(t));
        storeStatus(ISTAT, STAT_NODE_BELOW);
        return;
      }
    }
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

}  // namespace drelm
