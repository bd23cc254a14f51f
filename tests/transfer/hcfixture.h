// A pile of one property in a layered soil, set up directly in the tables,
// with the head-curve file, the axial listing, the results report and the
// runtime log connected to files of a scratch directory.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/soilprofile.h"
#include "support/testdir.h"
#include "model/axtz.h"
#include "transfer/headcurves.h"

namespace drelm::test {

inline double sp(float x) { return static_cast<double>(x); }

// One layer, each property constant through it (angle in degrees).
struct HcLayer {
  int code;
  double top, bot;
  double gam = 0, c = 0, phiDeg = 0, e50 = 0, fs = 0, qt = 0;
};

// The pile: property 1 with one section, pile 1.
struct HcPile {
  int ptype = 1;
  double len = 480, diam = 12, area = 100, emod = 3.0e6, gj = 1.0e10;
  int ninc = 1;
  double head = 0, pgrnd = 0;
};

class HeadCurveTest : public ::testing::Test {
 protected:
  ScratchDir dir;

  void SetUp() override {
    clearTables();
    RUNCONST.PI = M_PI;
    RUNCONST.EPSLIM = 1.0E-14;
    RUNCONST.EPSCOH = 1.0E-6;
    units(1);
    for (int u : {U_HEADCRV, U_AXIAL, U_RESULTS, U_LOG})
      ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
  }
  void TearDown() override { io::CLOSEALL(); }

  static void units(int u) {
    RUNCTL.IUNITS = u;
    UNITSET(u == 1 ? 1 : (u == 2 ? -1 : 0), 0);
  }

  static void soil(std::initializer_list<HcLayer> layers) { setSoilProfile(layers); }

  static void pile(const HcPile& p) {
    PILEPROP.PTYPE(1) = p.ptype;
    PILEPROP.PLEN(1) = p.len;
    PILEPROP.NINC(1) = p.ninc;
    PILEPROP.NSECT(1) = 1;
    SECTAB.SXFROM(1, 1) = 0.0;
    SECTAB.SXTO(1, 1) = p.len;
    SECTAB.SDIAT(1, 1) = SECTAB.SDIAB(1, 1) = p.diam;
    SECTAB.SAREAT(1, 1) = SECTAB.SAREAB(1, 1) = p.area;
    SECTAB.SEMODT(1, 1) = SECTAB.SEMODB(1, 1) = p.emod;
    SECTAB.SGJT(1, 1) = SECTAB.SGJB(1, 1) = p.gj;
    RUNCTL.NPILE = 1;
    PILEAR.PROPOFPILE(1) = 1;
    PILEAR.PHX(1) = PILEAR.PHXREF(1) = p.head;
    PILEAR.PGRND(1) = p.pgrnd;
  }

  // The result of one generator call.
  struct Call {
    std::int32_t st = 0, n = -1;
    HeadPoints load, mov;
  };
  static Call axls(int kdir) {
    Call c;
    AXLSGEN(1, kdir, 1, 1, c.st, c.n, c.load, c.mov);
    return c;
  }
  static Call tr(int kdir) {
    Call c;
    TRGEN(1, kdir, 1, 1, c.st, c.n, c.load, c.mov);
    return c;
  }

  // Lines of a unit's file, written so far.
  static std::vector<std::string> lines(int unit) {
    io::FLUSH(unit);
    return readLines("unit" + std::to_string(unit) + ".txt");
  }
};

}  // namespace drelm::test
