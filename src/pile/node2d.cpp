// Plane node set-up: node 1 at the row's head X, one increment per node down
// the pile (shortened by the batter when asked), and the layer ranges that
// the p-y evaluation walks.
#include "pile/node2d.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "model/nodes.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

namespace {

// The fatal block of a row longer than the soil profile, one whole write per
// unit so that blocks of several threads do not mix.
void belowDeepestLayer(double plen) {
  const std::string five(5, ' ');
  const std::string lines[] = {
      "",
      "",
      "",
      five + "**** FATAL ERROR ****",
      five + "THE PILE LENGTH, " + EFIELD(10, 2, plen) + "(" + UNITLB.ULLEN3.str() + ")" +
          ", EXTENDS BELOW THE",
      five + "BOTTOM OF THE DEEPEST LAYER.",
  };
#pragma omp critical(drelm_report)
  for (int unit : {U_RESULTS, U_LOG})
    for (const std::string& l : lines) {
      io::put(unit, l);
      io::endRecord(unit);
    }
}

}  // namespace

void NODE2D(const std::int32_t& IPILE, std::int32_t& ISTAT) {
  const int p = IPILE;
  const int t = PILEAR.PROPOFPILE(p);
  const int ninc = PILEPROP.NINC(t);
  // The input checks keep the increments within the node slots; a property
  // the preprocessing never filled must not divide by zero or overrun.
  if (ninc < 1 || ninc > MAXINC) {
    std::atomic_ref<std::int32_t>(ISTAT).store(STAT_CAPACITY, std::memory_order_relaxed);
    return;
  }
  const int nn = ninc + 1;
  const int nl = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  const SOILCOM_T& S = SOILCOM;

  for (int L = 1; L <= nl; ++L) LAYNODE.LNODE1(p, L) = LAYNODE.LNODE2(p, L) = 0;

  // The spacing and the closing layer top are set by the preprocessing and
  // only read here: rows are set up side by side on several threads.
  const double h = PILEPROP.DXINC(t);
  if (!(h > 0.0)) {
    std::atomic_ref<std::int32_t>(ISTAT).store(STAT_CAPACITY, std::memory_order_relaxed);
    return;
  }
  const double dv = RUNCTL.IBATAD == 1 ? h * std::cos(PILEAR.PBATT(p)) : h;
  const double head = PILEAR.PHXREF(p);
  // Each node from the head, so that rounding does not build up along the row.
  const auto place = [&](int i) {
    PILENODE.XNODE(p, i) = head + (i - 1) * dv;
    PILENODE.XPILE(p, i) = head + (i - 1) * h;
  };
  place(1);

  // A row with its own p-y curves by depth needs no layer ranges.
  if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(p) > 0) {
    for (int i = 2; i <= nn; ++i) place(i);
    return;
  }

  // Without a soil layer every row reaches below the profile.
  if (nl < 1) {
    belowDeepestLayer(PILEPROP.PLEN(t));
    std::atomic_ref<std::int32_t>(ISTAT).store(STAT_NODE2D_BELOW, std::memory_order_relaxed);
    return;
  }
  const double bottom = S.LBOT(nl);
  const double tol = depthTolerance(PILEPROP.PLEN(t));
  int j = 1;
  for (int i = 1; i <= nn; ++i) {
    if (i > 1) {
      place(i);
      const double X = PILENODE.XNODE(p, i);
      if (X > bottom + tol) {
        belowDeepestLayer(PILEPROP.PLEN(t));
        std::atomic_ref<std::int32_t>(ISTAT).store(STAT_NODE2D_BELOW, std::memory_order_relaxed);
        return;
      }
      // A tip that rounding puts just below the bottom lies on it.
      if (X > bottom) PILENODE.XNODE(p, i) = bottom;
    }
    // A node opens at most one layer: layers passed within one step open at
    // the following nodes.
    if (j <= nl && PILENODE.XNODE(p, i) >= S.LTOP(j)) {
      LAYNODE.LNODE1(p, j) = i;
      ++j;
    }
  }
  if (j <= nl) LAYNODE.LNODE1(p, j) = nn;
  for (int L = 1; L <= nl - 1; ++L) LAYNODE.LNODE2(p, L) = LAYNODE.LNODE1(p, L + 1) - 1;
  for (int L = 1; L <= nl; ++L)
    if (S.LBOT(L) >= PILENODE.XNODE(p, nn)) LAYNODE.LNODE2(p, L) = nn;
  LAYNODE.LNODE2(p, nl) = nn;
}

}  // namespace drelm
