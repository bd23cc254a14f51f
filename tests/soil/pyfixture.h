// A small pile in a layered soil, set up directly in the tables, for the
// tests of the p-y criteria and their listing.
#pragma once

#include <cmath>
#include <initializer_list>

#include "report/labels.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "soil/pysoil.h"
#include "support/soilprofile.h"

namespace drelm::test {

// One layer, each property constant through it (angles in degrees).
struct Layer {
  int code;
  double top, bot;
  double gam = 0, c = 0, phiDeg = 0, k = 0, e50 = 0, j = 0;
};

inline void setSoil(std::initializer_list<Layer> layers) {
  setSoilProfile(layers);
  SOILIN.NLAYIN = static_cast<std::int32_t>(layers.size());
}

// Run constants and English units with their labels.
inline void setRun() {
  RUNCONST.PI = M_PI;
  RUNCONST.EPSLIM = 1.0E-14;
  RUNCONST.EPSCOH = 1.0E-6;
  RUNCTL.IUNITS = 1;
  RUNCTL.IKIPS = 0;
  UNITSET(1, 0);
  CURCTL.KSTCYC = 1;
  CURCTL.NCYCL = 1;
}

// Pile p of property 1: width b, length len in ninc increments, head at X =
// head, ground at pgrnd below the head. Node ranges of the layers as the node
// set-up builds them.
inline void setPile(int p, double b, double len, int ninc, double head = 0.0, double pgrnd = 0.0) {
  RUNCTL.NPILE = std::max(RUNCTL.NPILE, p);
  PILEPROP.PLEN(1) = len;
  PILEPROP.NINC(1) = ninc;
  PILEPROP.DXINC(1) = len / ninc;
  PILEPROP.NSECT(1) = 1;
  SECTAB.SXFROM(1, 1) = 0.0;
  SECTAB.SXTO(1, 1) = len;
  SECTAB.SDIAT(1, 1) = SECTAB.SDIAB(1, 1) = b;
  std::int32_t st = 0;
  SECMARK(st);
  PILEAR.PROPOFPILE(p) = 1;
  PILEAR.PHX(p) = PILEAR.PHXREF(p) = head;
  PILEAR.PGRND(p) = pgrnd;
  GRPFAC.GRPPF(p) = GRPFAC.GRPYF(p) = 1.0;
  const int nn = ninc + 1;
  for (int k = 1; k <= nn; ++k) {
    PILENODE.XNODE(p, k) = PILENODE.XPILE(p, k) = head + (k - 1) * len / ninc;
  }
  // Each node opens the first layer whose bottom lies below it (the last
  // layer takes what is left); the first layer below the tip with no node
  // holds the tip as a placeholder.
  const int nl = SOILCOM.NLAYER;
  for (int L = 1; L <= nl; ++L) LAYNODE.LNODE1(p, L) = LAYNODE.LNODE2(p, L) = 0;
  for (int k = 1; k <= nn; ++k) {
    int L = 1;
    while (L < nl && PILENODE.XNODE(p, k) >= SOILCOM.LBOT(L)) ++L;
    if (LAYNODE.LNODE1(p, L) == 0) LAYNODE.LNODE1(p, L) = k;
    LAYNODE.LNODE2(p, L) = k;
  }
  bool placeholder = false;
  for (int L = 1; L <= nl; ++L) {
    if (LAYNODE.LNODE1(p, L) == 0 && !placeholder && SOILCOM.LTOP(L) >= PILENODE.XNODE(p, nn)) {
      LAYNODE.LNODE1(p, L) = LAYNODE.LNODE2(p, L) = nn;
      placeholder = true;
    }
    if (SOILCOM.LBOT(L) >= PILENODE.XNODE(p, nn)) LAYNODE.LNODE2(p, L) = nn;
  }
}

// The node arrays of one call of the soil springs.
struct Springs {
  NodeArray y, es, ys1, ys2, psmov, ps;
  std::int32_t st = 0;
  void run(int p = 1) {
    const std::int32_t prop = PILEAR.PROPOFPILE(p);
    PYSOIL(prop, st, p, p, y, es, ys1, ys2, psmov, ps);
  }
};

}  // namespace drelm::test
