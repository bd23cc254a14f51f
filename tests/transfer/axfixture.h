// A pile in a layered soil set up directly in the tables, for the tests of
// the load-transfer curves and the axial solution of a pile.
#pragma once

#include <cmath>
#include <initializer_list>

#include "model/model.h"
#include "model/tables.h"
#include "support/soilprofile.h"
#include "transfer/axcrv.h"

namespace drelm::test {

// One layer, each property constant through it (friction angle in degrees).
struct AxLayer {
  int code;
  double top, bot;
  double gam = 0, c = 0, phiDeg = 0, e50 = 0, fs = 0, qt = 0;
};

inline void setAxSoil(std::initializer_list<AxLayer> layers) { setSoilProfile(layers); }

// English units and the run constants.
inline void setAxRun(int units = 1) {
  clearTables();
  RUNCONST.PI = M_PI;
  RUNCONST.EPSLIM = 1.0E-14;
  RUNCONST.EPSCOH = 1.0E-6;
  RUNCTL.IUNITS = units;
}

// Pile 1 of property 1: one uniform section of diameter d, area a and
// modulus e; length len in ninc increments; head at X = head, ground pgrnd
// below the head.
inline void setAxPile(int ptype, double d, double a, double e, double len, int ninc, double head = 0.0,
                      double pgrnd = 0.0) {
  RUNCTL.NPILE = 1;
  PILEPROP.PLEN(1) = len;
  PILEPROP.NINC(1) = ninc;
  PILEPROP.NSECT(1) = 1;
  PILEPROP.PTYPE(1) = ptype;
  SECTAB.SXFROM(1, 1) = 0.0;
  SECTAB.SXTO(1, 1) = len;
  SECTAB.SDIAT(1, 1) = SECTAB.SDIAB(1, 1) = d;
  SECTAB.SAREAT(1, 1) = SECTAB.SAREAB(1, 1) = a;
  SECTAB.SEMODT(1, 1) = SECTAB.SEMODB(1, 1) = e;
  PILEAR.PROPOFPILE(1) = 1;
  PILEAR.PHX(1) = PILEAR.PHXREF(1) = head;
  PILEAR.PGRND(1) = pgrnd;
}

}  // namespace drelm::test
