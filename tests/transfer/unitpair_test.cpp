// Every generated curve of a pile, built once in English units and once in
// SI with every value converted, is the same curve: the head load-settlement
// and torque-rotation curves in uplift and compression, the side t-z curves
// and the tip q-w curves in bearing and in pull-out, over every soil type
// and both installation types; and so is the axial load-transfer solution
// of the pile on those curves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hcfixture.h"
#include "model/fileio.h"
#include "transfer/axcrv.h"
#include "transfer/axsolv.h"
#include "transfer/qwpile.h"
#include "transfer/tzpile.h"

namespace drelm::test {
namespace {

// English to SI.
constexpr double IN = 0.0254;                 // m
constexpr double PSI = 6.894757293168361;     // kPa
constexpr double LB = 4.4482216152605e-3;     // kN
constexpr double PCI = PSI / IN;              // kN/m^3
constexpr double LBIN = LB * IN;              // kN-m
constexpr double LBIN2 = LB * IN * IN;        // kN-m^2

HcLayer toSi(const HcLayer& l) {
  return {l.code, l.top * IN, l.bot * IN, l.gam * PCI, l.c * PSI, l.phiDeg, l.e50, l.fs * PSI, l.qt * PSI};
}

HcPile toSi(HcPile p) {
  p.len *= IN;
  p.diam *= IN;
  p.area *= IN * IN;
  p.emod *= PSI;
  p.gj *= LBIN2;
  p.head *= IN;
  p.pgrnd *= IN;
  return p;
}

// The head points of one generator call.
struct Call {
  std::int32_t st = 0, n = -1;
  HeadPoints load, mov;
};

// Every curve of one pile in the units set up last.
struct Curves {
  std::string failed;  // what did not build, with its status
  Call ls[2], tr[2];  // uplift, compression
  AXCRV_T tz;                        // side curves, rigidity, tip curve in bearing
  AXCRV_T pull;                      // tip curve in pull-out
  int ncrv = 0;
  // Load-transfer solutions for the head displacements HEADS (in).
  static constexpr double HEADS[3] = {-0.05, 0.01, 0.3};
  NodeArray mov[3], load[3];
};

// INCH: the inch in the units set up.
Curves build(int nlayer, double inch) {
  Curves r;
  const int dirs[2] = {KDIR_UPLIFT, KDIR_COMPRESSION};
  for (int d = 0; d < 2; ++d) {
    AXLSGEN(1, dirs[d], 1, 1, r.ls[d].st, r.ls[d].n, r.ls[d].load, r.ls[d].mov);
    TRGEN(1, dirs[d], 1, 1, r.tr[d].st, r.tr[d].n, r.tr[d].load, r.tr[d].mov);
    if (r.ls[d].st != 0 || r.tr[d].st != 0)
      r.failed += "head curves " + std::to_string(r.ls[d].st) + "/" + std::to_string(r.tr[d].st) + " ";
  }
  std::int32_t st = 0;
  AXCRV_T& c = r.tz;
  TZPILE(1, 1, 0.5, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZNPT, c.TZDEP);
  QWPILE(1, 1, 0.5, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZDEP, c.QWQ, c.QWW);
  AXCRV_T& p = r.pull;
  TZPILE(1, 1, -0.5, st, p.TZT, p.TZZ, p.TZMAX, p.TZPHI, p.AETAB, p.AEDEP, p.TZNPT, p.TZDEP);
  QWPILE(1, 1, -0.5, st, p.TZT, p.TZZ, p.TZMAX, p.TZPHI, p.AETAB, p.AEDEP, p.TZDEP, p.QWQ, p.QWW);
  if (st != 0) r.failed += "t-z/q-w " + std::to_string(st);
  r.ncrv = sideCurveCount(nlayer);
  AXTZ.NAXTZ = 19;
  for (int k = 0; k < 3; ++k) {
    const double D = Curves::HEADS[k] * inch;
    const AXCRV_T& a = D < 0.0 ? p : c;
    RUNCTL.KPILST = KPIL_SOUND;
    AXSOLV(1, 1, D, st, NQWPT, r.mov[k], r.load[k], a.TZT, a.TZZ, a.TZMAX, a.TZPHI, a.AETAB, a.AEDEP, a.TZNPT,
           a.TZDEP, a.QWQ, a.QWW);
    if (RUNCTL.KPILST != KPIL_SOUND) r.failed += "load transfer at " + std::to_string(Curves::HEADS[k]) + " ";
  }
  return r;
}

// SI value against the English one converted by F, within TOL of it or
// within ABS for values near zero.
void same(const std::string& what, double en, double si, double f, double tol, double abs) {
  const double want = en * f;
  EXPECT_NEAR(si, want, std::max(tol * std::fabs(want), abs)) << what;
}

double largest(const double* v, int n) {
  double m = 0.0;
  for (int i = 0; i < n; ++i) m = std::max(m, std::fabs(v[i]));
  return m;
}

void compareHead(const std::string& what, const Call& en, const Call& si, double fload,
                 double fmov, double tol) {
  ASSERT_EQ(si.n, en.n) << what;
  std::vector<double> lo, mo;
  for (int m = 1; m <= en.n; ++m) {
    lo.push_back(en.load(m) * fload);
    mo.push_back(en.mov(m) * fmov);
  }
  const double lfloor = 1e-9 * largest(lo.data(), en.n), mfloor = 1e-9 * largest(mo.data(), en.n);
  for (int m = 1; m <= en.n; ++m) {
    same(what + " load " + std::to_string(m), en.load(m), si.load(m), fload, tol, lfloor);
    same(what + " movement " + std::to_string(m), en.mov(m), si.mov(m), fmov, tol, mfloor);
  }
}

void compareTip(const std::string& what, const AXCRV_T& en, const AXCRV_T& si, double tol) {
  const double qfloor = 1e-9 * largest(&en.QWQ(1), NQWPT) * LB;
  for (int j = 1; j <= NQWPT; ++j) {
    same(what + " q " + std::to_string(j), en.QWQ(j), si.QWQ(j), LB, tol, qfloor);
    same(what + " w " + std::to_string(j), en.QWW(j), si.QWW(j), IN, tol, 0.0);
  }
}

void compareSides(const AXCRV_T& en, const AXCRV_T& si, int ncrv, double tol) {
  // The ground curves carry a token friction of 1.0E-6 in either system's
  // stress unit: next to nothing beside the largest friction of the set, and
  // without a part in the head curves above.
  double tmax = 0.0;
  for (int P = 1; P <= ncrv; ++P) tmax = std::max(tmax, std::fabs(en.TZMAX(P)));
  const double tfloor = 1e-5 * tmax * PSI;
  for (int P = 1; P <= ncrv; ++P) {
    const std::string c = "t-z curve " + std::to_string(P);
    EXPECT_EQ(si.TZNPT(P), en.TZNPT(P)) << c;
    same(c + " depth", en.TZDEP(P), si.TZDEP(P), IN, 1e-9, 0.0);
    same(c + " tmax", en.TZMAX(P), si.TZMAX(P), PSI, tol, tfloor);
    for (int i = 1; i <= en.TZNPT(P); ++i) {
      same(c + " t " + std::to_string(i), en.TZT(i, P), si.TZT(i, P), PSI, tol, tfloor);
      same(c + " z " + std::to_string(i), en.TZZ(i, P), si.TZZ(i, P), IN, tol, 0.0);
    }
  }
  same("axial rigidity", en.AETAB(1), si.AETAB(1), LB, 1e-12, 0.0);
}

struct Case {
  const char* name;
  int ptype;
  std::vector<HcLayer> layers;  // one or two, English: in, pci, psi, degrees
};

// Layers start at the ground, 24 in below the head, and reach below the tip.
std::vector<HcLayer> one(HcLayer l) { return {l}; }

class UnitPair : public HeadCurveTest {
 protected:
  Curves run(int u, const Case& c) {
    units(u);
    std::vector<HcLayer> layers = c.layers;
    HcPile p;  // 18 in pipe, 50 ft, 20 elements
    p.ptype = c.ptype;
    p.len = 600.0;
    p.diam = 18.0;
    p.area = 27.49;
    p.emod = 29.0e6;
    p.gj = 11.2e6 * 2 * 1053.2;
    p.ninc = 20;
    p.pgrnd = 24.0;
    if (u == 2) {
      for (HcLayer& l : layers) l = toSi(l);
      p = toSi(p);
    }
    clearTables();
    RUNCONST.PI = M_PI;
    RUNCONST.EPSLIM = 1.0E-14;
    RUNCONST.EPSCOH = 1.0E-6;
    units(u);
    if (layers.size() == 1)
      setSoilProfile({layers[0]});
    else
      setSoilProfile({layers[0], layers[1]});
    pile(p);
    return build(static_cast<int>(layers.size()), u == 2 ? IN : 1.0);
  }
};

TEST_F(UnitPair, EveryGeneratedCurveIsTheSameInEnglishAndSi) {
  const double gam = 0.0347;  // 60 pcf
  const std::vector<Case> cases = {
      // The two sands of a group whose uplift points differed by 4 %.
      {"sands 32 and 35 degrees, driven", 1,
       {{4, 24, 324, gam, 0, 32}, {4, 324, 1200, 0.0365, 0, 35}}},
      {"sands 32 and 35 degrees, drilled", 2,
       {{4, 24, 324, gam, 0, 32}, {4, 324, 1200, 0.0365, 0, 35}}},
      // 500 psf: a weak clay in neither system.
      {"soft clay 500 psf", 1, one({1, 24, 1200, gam, 500.0 / 144.0, 0, 0.02})},
      {"soft clay 500 psf, drilled", 2, one({1, 24, 1200, gam, 500.0 / 144.0, 0, 0.02})},
      {"weak soft clay, default E50", 1, one({1, 24, 1200, gam, 2.0, 0, 0})},
      {"stiff clay with free water", 1, one({2, 24, 1200, gam, 10.0, 0, 0.005})},
      {"stiff clay without free water", 1, one({3, 24, 1200, gam, 15.0, 0, 0.005})},
      {"stiff clay, default E50", 1, one({3, 24, 1200, gam, 15.0, 0, 0})},
      {"loose sand, drilled", 2, one({4, 24, 1200, gam, 0, 28})},
      {"medium sand, drilled", 2, one({4, 24, 1200, gam, 0, 33})},
      {"dense sand, drilled", 2, one({4, 24, 1200, gam, 0, 38})},
      {"dense sand, driven", 1, one({4, 24, 1200, gam, 0, 40})},
      {"user curves, driven", 1, one({5, 24, 1200, gam, 0, 0, 0, 2.0, 60.0})},
      {"user curves, drilled, sand", 2, one({5, 24, 1200, gam, 0, 30, 0, 2.0, 60.0})},
      {"user curves, drilled, clay", 2, one({5, 24, 1200, gam, 0, 0, 0, 2.0, 60.0})},
      {"vuggy limestone", 1, one({6, 24, 1200, 0.08, 500.0, 0, 0.0005})},
      {"vuggy limestone, drilled", 2, one({6, 24, 1200, 0.08, 500.0, 0, 0.0005})},
      {"c-phi soil", 1, one({7, 24, 1200, gam, 3.0, 30, 0.01})},
      {"c-phi soil, drilled", 2, one({7, 24, 1200, gam, 3.0, 30, 0.01})},
      {"sand, API", 1, one({8, 24, 1200, gam, 0, 34})},
      {"weak rock", 1, one({9, 24, 1200, 0.08, 300.0, 0, 0.0005})},
      {"stiff clay with initial k", 1, one({10, 24, 1200, gam, 12.0, 0, 0.005})},
      {"liquefied sand", 1, one({11, 24, 1200, gam, 0, 0, 0, 1.0, 20.0})},
      {"elastic subgrade", 1, one({12, 24, 1200, gam, 5.0, 0, 0.01, 2.0, 60.0})},
      {"soft clay with J", 1, one({13, 24, 1200, gam, 4.0, 0, 0.01})},
      {"modified soft clay", 1, one({14, 24, 1200, gam, 6.0, 0, 0.01})},
      {"soft clay over dense sand, driven", 1,
       {{1, 24, 300, gam, 4.0, 0, 0.02}, {4, 300, 1200, 0.0365, 0, 36}}},
      {"sand over stiff clay, drilled", 2, {{4, 24, 300, gam, 0, 34}, {3, 300, 1200, gam, 12.0, 0, 0.005}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Curves en = run(1, c);
    const Curves si = run(2, c);
    ASSERT_EQ(en.failed, "");
    ASSERT_EQ(si.failed, "");
    // The token friction of the top curve, 1.0E-6 in either system's stress
    // unit, leaves its mark in the sixth digit of a torque.
    const double tol = 1e-5;
    const char* dir[2] = {"uplift", "compression"};
    for (int d = 0; d < 2; ++d) {
      compareHead(std::string("load-settlement ") + dir[d], en.ls[d], si.ls[d], LB, IN, tol);
      compareHead(std::string("torque-rotation ") + dir[d], en.tr[d], si.tr[d], LBIN, 1.0, tol);
    }
    compareSides(en.tz, si.tz, en.ncrv, tol);
    compareTip("q-w bearing", en.tz, si.tz, tol);
    compareTip("q-w pull-out", en.pull, si.pull, tol);
    for (int k = 0; k < 3; ++k) {
      const std::string at = "load transfer at " + std::to_string(Curves::HEADS[k]) + " in, node ";
      const double ffloor = 1e-9 * std::fabs(en.load[k](4)) * LB;
      for (int i = 4; i <= 20 + 4; ++i) {
        same(at + std::to_string(i) + " movement", en.mov[k](i), si.mov[k](i), IN, tol, 1e-9 * IN);
        same(at + std::to_string(i) + " force", en.load[k](i), si.load[k](i), LB, tol, ffloor);
      }
    }
    // The pull-out tip carries practically nothing.
    EXPECT_LE(en.pull.QWQ(NQWPT), std::max(1e-3 * en.tz.QWQ(NQWPT), 1.0));
  }
}

}  // namespace
}  // namespace drelm::test
