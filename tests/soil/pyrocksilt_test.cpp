// Springs of liquefied sand, silt, weak rock, elastic subgrade and vuggy
// limestone against hand values of their formulations, their small
// deflections, multipliers and failures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/fileio.h"
#include "model/tables.h"
#include "report/siconv.h"
#include "soil/pyfixture.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::Layer;
using test::setPile;
using test::setRun;
using test::setSoil;
using test::Springs;

using Lines = std::vector<std::string>;

double r4(double x) { return static_cast<double>(static_cast<float>(x)); }

// The units factor of liquefied sand in SI: the English 5.7143 in kN/m.
const double U = r4(5.7143) * LBIN_KNM;

// Layers by code: {code, top, bottom, gamma, c, phi, k, e50, j}.
const Layer ELASTIC{12, 0, 300, 0.04, 2.0, 0, 100};     // ST 2 psi, ks 100 pci
const Layer ELASTIC0{12, 0, 300, 0.04, 0.0, 0, 100};    // no stress limit
const Layer VUGGY{6, 0, 300, 0.04, 2.0};                // cv = 1 psi
const Layer WEAK{9, 0, 300, 0.04, 1000.0, 0, 0, 0.0005, 50};  // qu, krm, RQD; Er set apart
const Layer LIQ{11, 0, 300, 0.04};
const Layer SILT{7, 0, 300, 0.04, 1.0, 30, 100};        // c 1 psi, 30 degrees, k 100 pci

void setRockModulus(double er) {
  for (int i = 1; i <= SOILCOM.NPROF; ++i) SOILCOM.ERPROF(i) = er;
}

// A pile of width b, 240 long in 20 increments of 12 from X = 0 at the ground
// (English units): node n lies 12 (n - 1) deep.
struct CurveCase {
  const char* name;
  Layer layer;
  double b;
  int node;
  int kstcyc;
  double y;
  double p;  // hand value of the formulation
};

TEST(PyRockSilt, CurvesAgainstHandValues) {
  const std::vector<CurveCase> cases = {
      {"elastic: straight line below ST / ks", ELASTIC, 12, 3, 1, 0.01, 12.0},
      {"elastic: b ST from ST / ks on", ELASTIC, 12, 3, 1, 0.02, 24.0},
      {"elastic: b ST beyond", ELASTIC, 12, 3, 1, 0.5, 24.0},
      {"elastic: no limit with ST = 0", ELASTIC0, 12, 3, 1, 0.5, 600.0},
      {"vuggy: first line 2000 cv", VUGGY, 12, 3, 1, 0.002, 4.0},
      {"vuggy: second line from pA", VUGGY, 12, 3, 1, 0.01, 10.119999769609421},
      {"vuggy: residual 3.38 b gamma beyond yu", VUGGY, 12, 3, 1, 0.05, 1.6224000549316406},
      // xr <= 3 b: pur = 2 alphar qavg (b + 1.4 xr), Kir = (100 + 400 xr / 3b) Er.
      {"weak rock shallow: Kir y", WEAK, 12, 3, 1, 0.001, 3666.6666677777775},
      {"weak rock shallow: quarter power", WEAK, 12, 3, 1, 0.05, 25825.472205538168},
      {"weak rock shallow: pur", WEAK, 12, 3, 1, 0.2, 30399.99962786361},
      // xr > 3 b: pur = 10.4 alphar qavg b, Kir = 500 Er.
      {"weak rock deep: Kir y", WEAK, 12, 6, 1, 0.001, 5000.0},
      {"weak rock deep: quarter power", WEAK, 12, 6, 1, 0.02, 28104.962189102414},
      // English: t = 0.0254 z + 1, d = 0.0254 b, resistance times 5.7143.
      {"liquefied: power curve", LIQ, 24, 5, 1, 0.5, 1.4609029249047711},
      {"liquefied: power curve further", LIQ, 24, 5, 1, 2.0, 25.24167254229757},
      {"liquefied: pu", LIQ, 24, 5, 1, 10.0, 233.69076076918938},
      {"liquefied: narrow pile, f = d / 0.3", LIQ, 12, 11, 1, 1.0, 10.498531489062728},
      {"liquefied: limited at 15 kN/m", LIQ, 24, 21, 1, 3.0, 318.3635234905732},
      {"liquefied: cyclic is the same curve", LIQ, 24, 5, 0, 2.0, 25.24167254229757},
      // pm = 1.5 Puf + Puc above pu = A Puf: a falling straight part.
      {"silt: initial line", SILT, 24, 5, 1, 0.02, 96.0},
      {"silt: parabola", SILT, 24, 5, 1, 0.3, 557.5626557518567},
      {"silt: falling straight part", SILT, 24, 5, 1, 0.5, 561.0617883986363},
      {"silt: A Puf beyond yu", SILT, 24, 5, 1, 1.0, 442.61278988969474},
      {"silt cyclic: straight part", SILT, 24, 5, 0, 0.5, 534.1461432649999},
      {"silt cyclic: A Puf", SILT, 24, 5, 0, 1.0, 308.0345642215129},
      {"silt: Np capped at 9", SILT, 24, 11, 1, 1.0, 1239.3407993793653},
  };
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setRockModulus(c.layer.code == 9 ? 1.0e4 : 0.0);
    setPile(1, c.b, 240, 20);
    CURCTL.KSTCYC = c.kstcyc;
    Springs s;
    s.y(c.node) = c.y;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(-s.ps(c.node), c.p, 1e-9 * c.p);
    EXPECT_NEAR(s.es(c.node) * c.y, c.p, 1e-9 * c.p);
  }
}

// The SI form of the liquefied sand curve, 9 m deep (t = 10) on a 1 m pile:
// A = 3.0E-7 x 10^6.05, f = 5.6, and the resistance is held at 15 f. The
// English factor 5.7143 (kN/m to lb/in) is taken back to kN/m exactly, U.
TEST(PyRockSilt, LiquefiedSandInSiUnits) {
  setRun();
  RUNCTL.IUNITS = 2;
  UNITSET(2, 0);
  setSoil({{11, 0, 20, 9.0}});
  setPile(1, 1.0, 18, 18);
  Springs s;
  s.y(10) = 0.05;
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_NEAR(-s.ps(10), 15 * r4(5.6) * U, 1e-9);
  // A small deflection stays on the power curve.
  s.y(10) = 0.001;
  s.run();
  const double t = 10, A = r4(3.0E-7) * std::pow(t, r4(6.05)), B = r4(2.80) * std::pow(t, r4(0.11));
  const double C = r4(2.85) * std::pow(t, -r4(0.41));
  EXPECT_NEAR(A, 0.3366056960281668, 1e-12);
  EXPECT_NEAR(-s.ps(10), r4(5.6) * A * std::pow(1.0 * B, C) * U, 1e-9);
  EXPECT_NEAR(U, 1.000727, 1e-6);
}

// The width factor of liquefied sand: linear below 0.3 m, logarithmic from
// 0.3 m on, a pile exactly 0.3 m wide included (f = 3.81 ln 0.3 + 5.6).
TEST(PyRockSilt, LiquefiedSandWidthFactor) {
  struct Case {
    double width, f;
  } cases[] = {
      {0.15, 0.15 / r4(0.3)},
      {0.3, r4(3.81) * std::log(0.3) + r4(5.6)},
      {1.0, r4(5.6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    setRun();
    RUNCTL.IUNITS = 2;
    UNITSET(2, 0);
    setSoil({{11, 0, 20, 9.0}});
    setPile(1, c.width, 18, 18);
    Springs s;
    s.y(10) = 0.001;  // 1 mm, on the power curve
    s.run();
    ASSERT_EQ(s.st, 0);
    const double t = 10, A = r4(3.0E-7) * std::pow(t, r4(6.05)), B = r4(2.80) * std::pow(t, r4(0.11));
    const double C = r4(2.85) * std::pow(t, -r4(0.41));
    EXPECT_NEAR(-s.ps(10), c.f * A * std::pow(1.0 * B, C) * U, 1e-9);
  }
  EXPECT_NEAR(cases[1].f, 1.013, 5e-4);
}

// No spring divides by a deflection too small: each criterion's modulus at
// zero deflection and at 1.0E-15, here with a p-multiplier 0.5 and a
// y-multiplier 2. Elastic subgrade keeps its initial modulus for a deflection
// of exactly 0; any other takes the secant of its line, p-multiplier included.
TEST(PyRockSilt, ZeroDeflectionModuli) {
  struct Case {
    const char* name;
    Layer layer;
    int node;
    double es, esTiny;
  } cases[] = {
      {"elastic: b ks / GRPYF, then 0.5 b ks / GRPYF", ELASTIC, 3, 12 * 100 / 2.0, 0.5 * 12 * 100 / 2.0},
      {"vuggy: 2000 cv / GRPYF", VUGGY, 3, 2000 / 2.0, 2000 / 2.0},
      {"weak rock: Kir without multipliers", WEAK, 3, 3666666.6677777776, 3666666.6677777776},
      {"silt: k z", SILT, 5, 100 * 48.0, 100 * 48.0},
      // The secant at 1.0E-4 yref (yref = 5.9055 in) with the multipliers:
      // 0.5 p(y1) / (2 y1)... taken at the deflection itself, not halved.
      {"liquefied: secant at the list's first deflection", LIQ, 5, -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setRockModulus(c.layer.code == 9 ? 1.0e4 : 0.0);
    setPile(1, c.layer.code == 11 || c.layer.code == 7 ? 24 : 12, 240, 20);
    GRPFAC.GRPPF(1) = 0.5;
    GRPFAC.GRPYF(1) = 2.0;
    Springs s;
    for (double y0 : {0.0, 1.0e-15}) {
      s.y(c.node) = y0;
      s.run();
      ASSERT_EQ(s.st, 0);
      EXPECT_TRUE(std::isfinite(s.es(c.node)));
      if (c.es > 0) {
        const double es = y0 == 0.0 ? c.es : c.esTiny;
        EXPECT_NEAR(s.es(c.node), es, 1e-9 * es) << y0;
      } else {
        const double y1 = r4(0.0001) * 5.9055118997155125;
        const double t = r4(0.0254) * 48 + 1, d = r4(0.0254) * 24;
        const double A = r4(3.0E-7) * std::pow(t, r4(6.05)), B = r4(2.80) * std::pow(t, r4(0.11));
        const double C = r4(2.85) * std::pow(t, -r4(0.41));
        const double p1 = r4(5.7143) * (r4(3.81) * std::log(d) + r4(5.6)) * A * std::pow(r4(25.4) * B * y1, C);
        EXPECT_NEAR(s.es(c.node), 0.5 * p1 / y1 / 2.0, 1e-9 * p1 / y1) << y0;
      }
      // The reaction is that of a vanishing deflection (liquefied sand's at
      // its first listed deflection).
      EXPECT_LE(std::fabs(s.ps(c.node)), 1.0e-2 * s.es(c.node));
    }
  }
}

// Closely spaced piles: the elastic spring and reaction are scaled by the p-
// and y-multipliers, the collected curve stretched by them; liquefied sand
// evaluates its curve at the deflection divided by the y-multiplier.
TEST(PyRockSilt, MultipliersOfCloselySpacedPiles) {
  setRun();
  setSoil({ELASTIC0});
  setPile(1, 12, 240, 20);
  GRPFAC.GRPPF(1) = 0.5;
  GRPFAC.GRPYF(1) = 2.0;
  Springs s;
  s.y(3) = 0.01;
  s.run();
  EXPECT_NEAR(s.ps(3), -0.5 * 1200 * 0.01, 1e-12);
  EXPECT_NEAR(s.es(3), 0.5 * 1200 / 2.0, 1e-9);

  CURCTL.KPYLST = CURCTL.KPYOUT = CRVCTL.PYCOLL = 1;
  PYPRT.NPYPTS = 0;
  LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
  PILENODE.XNODE(1, 1) = 24;
  PILENODE.XNODE(1, 2) = 36;
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_EQ(CRVCTL.ICRVPT, 6);
  // ST = 0: the list runs in 16 steps of 0.003125 b.
  for (int k = 1; k <= 17; ++k) {
    const double y = (k - 1) * r4(0.003125) * 12;
    EXPECT_NEAR(PYPLOT.PYCOLY(k), 2 * y, 1e-12) << k;
    EXPECT_NEAR(PYPLOT.PYCOLP(k), 0.5 * 1200 * y, 1e-9) << k;
  }

  clearTables();
  setRun();
  setSoil({LIQ});
  setPile(1, 24, 240, 20);
  GRPFAC.GRPPF(1) = 0.5;
  GRPFAC.GRPYF(1) = 2.0;
  s.y(5) = 4.0;  // the curve at 2.0
  s.run();
  EXPECT_NEAR(s.ps(5), -0.5 * 25.24167254229757, 1e-9);
  EXPECT_NEAR(s.es(5), 0.5 * 25.24167254229757 / 4.0, 1e-9);
}

// Own deflection lists of the printed and collected curves.
TEST(PyRockSilt, DefaultDeflectionLists) {
  struct Case {
    const char* name;
    Layer layer;
    double b;
    int kind;
    std::vector<double> y;  // the first, the 11th and the 17th
  } cases[] = {
      {"elastic: ST / ks at point 11", ELASTIC, 12, 6, {0.0, 0.02, 0.032}},
      {"vuggy: steps of yu / 15", VUGGY, 12, 6, {0.0, 0.028800002303905784 * 10 / 15, 0.028800002303905784 * 16 / 15}},
      {"weak rock: multiples of yrm", WEAK, 12, 9, {r4(0.0005) * 0.006, r4(0.25) * 0.006, 12 * 0.006}},
      {"liquefied: multiples of yref in inches", LIQ, 24, 11,
       {r4(0.0001) * 5.9055118997155125, r4(0.5) * 5.9055118997155125, r4(1.1) * 5.9055118997155125}},
      {"silt: from yk to 1.2 yu", SILT, 24, 7, {0.0, 0.09155720557124576 + 8 * (0.4 - 0.09155720557124576) / 10, r4(1.2) * 0.9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setRockModulus(c.layer.code == 9 ? 1.0e4 : 0.0);
    setPile(1, c.b, 240, 20);
    CURCTL.KPYLST = CURCTL.KPYOUT = CRVCTL.PYCOLL = 1;
    PYPRT.NPYPTS = 0;
    LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
    PILENODE.XNODE(1, 1) = 48;  // the silt's and sand's node 5 of the table above
    PILENODE.XNODE(1, 2) = 60;
    if (c.layer.code == 9 || c.layer.code == 6 || c.layer.code == 12) PILENODE.XNODE(1, 1) = 24;
    Springs s;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_EQ(CRVCTL.ICRVPT, c.kind);
    EXPECT_NEAR(PYPLOT.PYCOLY(1), c.y[0], 1e-12);
    EXPECT_NEAR(PYPLOT.PYCOLY(11), c.y[1], 1e-9 * c.y[1]);
    EXPECT_NEAR(PYPLOT.PYCOLY(17), c.y[2], 1e-9 * c.y[2]);
  }
}

// The trapezoids of the silt's cumulative resistance run over the nodes in
// the order the call evaluates them: with a cap pass the pile pass's first
// node follows the cap's evaluation of the same node. A head 5.0E-6 below the
// ground keeps node 1 in the soil without replacing the sum of layer 1.
TEST(PyRockSilt, SiltSumFollowsTheCapPass) {
  double sums[2];
  for (int cap = 0; cap <= 1; ++cap) {
    clearTables();
    setRun();
    setSoil({SILT});
    setPile(1, 24, 240, 20, 0.0, -5.0e-6);
    LAYNODE.LNODE2(1, 1) = 1;  // the layer holds node 1 alone
    CAPCTL.ICAPOP = cap == 1 ? 2 : 0;
    Springs s;
    s.run();
    ASSERT_EQ(s.st, 0);
    sums[cap] = PYLAYR.CUMPU(1, 1);
  }
  // A Puf (0.5 x 5.0E-6 + dx / 2 + 300 - 0) without the cap pass; the cap
  // pass's A Puf, the same with the pile's width, adds dx / 2 more.
  ASSERT_GT(sums[0], 0.0);
  EXPECT_NEAR(sums[1] / sums[0], (2.5e-6 + 12 + 300) / (2.5e-6 + 6 + 300), 1e-12);
}

// Soil values that leave a curve's formulas without a divisor: no strength
// or no modulus gives a finite curve and a finite own deflection list.
TEST(PyRockSilt, CurvesWithoutStrengthOrModulus) {
  struct Case {
    const char* name;
    Layer layer;
    double er;  // rock modulus
    double y, p, es;
    double y17;  // the last entry of the own list
  } cases[] = {
      // yu = 0.0024 b as for any strength: zero up to it, then 3.38 b gamma.
      {"vuggy, no strength: nothing before yu", {6, 0, 300, 0.04, 0.0}, 0, 0.02, 0.0, 0.0,
       0.028800002303905784 * 16 / 15},
      {"vuggy, no strength: the residual beyond yu", {6, 0, 300, 0.04, 0.0}, 0, 0.05, 1.6224000549316406,
       1.6224000549316406 / 0.05, 0.028800002303905784 * 16 / 15},
      // krm = 0: the line Kir y up to pur, then pur (the curve reaches pur at 16 yrm = 0).
      {"weak rock, no krm: the line", {9, 0, 300, 0.04, 1000.0, 0, 0, 0.0, 50}, 1.0e4, 0.001,
       3666.6666677777775, 3666666.6677777776, 0.0},
      {"weak rock, no krm: pur", {9, 0, 300, 0.04, 1000.0, 0, 0, 0.0, 50}, 1.0e4, 0.2, 30399.99962786361,
       30399.99962786361 / 0.2, 0.0},
      {"weak rock, no modulus: no resistance", WEAK, 0.0, 0.05, 0.0, 0.0, 12 * 0.006},
      // ks = 0 with a stress limit: no resistance; the list as without a limit.
      {"elastic, no modulus", {12, 0, 300, 0.04, 2.0, 0, 0}, 0, 0.5, 0.0, 0.0, 16 * r4(0.003125) * 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setRockModulus(c.er);
    setPile(1, 12, 240, 20);
    Springs s;
    s.y(3) = c.y;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(-s.ps(3), c.p, 1e-9 * c.p);
    EXPECT_NEAR(s.es(3), c.es, 1e-9 * c.es);
    s.y(3) = 0.0;
    s.run();
    EXPECT_TRUE(std::isfinite(s.es(3)));

    CURCTL.KPYLST = CURCTL.KPYOUT = CRVCTL.PYCOLL = 1;
    PYPRT.NPYPTS = 0;
    LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
    PILENODE.XNODE(1, 1) = 24;
    PILENODE.XNODE(1, 2) = 36;
    s.run();
    ASSERT_EQ(s.st, 0);
    for (int k = 1; k <= 17; ++k) {
      EXPECT_TRUE(std::isfinite(PYPLOT.PYCOLY(k))) << k;
      EXPECT_TRUE(std::isfinite(PYPLOT.PYCOLP(k))) << k;
    }
    EXPECT_NEAR(PYPLOT.PYCOLY(17), c.y17, 1e-9 * c.y17);
  }
}

// Weak rock below the first layer takes the depth average of half its
// strength from the layer's first node; the first layer the average from the
// soil top.
TEST(PyRockSilt, WeakRockStrengthAverages) {
  setRun();
  // Layer 1 of weak rock from 0 to 24, layer 2 from 24 to 300 whose strength
  // grows from 1000 at its top to 3760 at X = 300 (10 per inch).
  setSoil({{9, 0, 24, 0.04, 1000.0, 0, 0, 0.0005, 0}, {9, 24, 300, 0.04, 1000.0, 0, 0, 0.0005, 0}});
  SOILCOM.CPROF(4) = 3760.0;
  SOILCOM.CPROF(2) = 2000.0;  // layer 1: 1000 at the top, 2000 at 24
  setRockModulus(1.0e4);
  setPile(1, 12, 240, 20);
  Springs s;
  for (int k = 1; k <= 21; ++k) s.y(k) = 1.0;  // far on the flat part: p = pur
  s.run();
  ASSERT_EQ(s.st, 0);
  // Node 2 (X = 12) in layer 1: qavg = half the average 0..12 = (1000 + 1500) / 4.
  EXPECT_NEAR(-s.ps(2), 2 * (1000 + 1500) / 4.0 * (12 + r4(1.4) * (12 + r4(1.0E-8))), 1e-6);
  // Node 9 (X = 96) in layer 2 (first node X = 24): qh grows linearly, so the
  // trapezoids give the exact mean of qh over 24..96: (500 + 860) / 2. Deep:
  // pur = 10.4 qavg b.
  EXPECT_NEAR(-s.ps(9), r4(10.4) * (500 + 860) / 2.0 * 12, 1e-6);
  // The cumulative resistance of layer 2: h1 pur at every node after its
  // first, and (LBOT - X) pur at its last (the tip at 240).
  double sum = 0.0;
  for (int n = 4; n <= 21; ++n) {
    const double x = 12.0 * (n - 1);
    const double qh = (1000 + 10 * (x - 24)) / 2.0;
    const double qavg = (500 + qh) / 2.0;
    const double xr = x + r4(1.0E-8);
    const double pur = xr > 36 ? r4(10.4) * qavg * 12 : 2 * qavg * (12 + r4(1.4) * xr);
    if (n > 3) sum += 12 * pur;
    if (n == 21) sum += (300 - 240) * pur;
  }
  EXPECT_NEAR(PYLAYR.CUMPU(1, 2), sum, 1e-6 * sum);
}

struct Warned {
  std::int32_t st;
  Lines echo, log;
};

Warned runWarned(const Layer& layer, double pgrnd) {
  test::ScratchDir dir;
  io::OPEN(U_LOG, "log", io::Access::Write);
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  io::OPEN(U_RESULTS, "out", io::Access::Write);
  setRun();
  setSoil({layer});
  setPile(1, 24, 240, 20, 0.0, pgrnd);
  Springs s;
  s.run();
  io::CLOSEALL();
  return {s.st, test::readLines("echo"), test::readLines("log")};
}

TEST(PyRockSilt, StatusesWithTheirWarnings) {
  const std::string w(7, ' ');
  const Lines rock = {"", w + "--------------------WARNING----------------------",
                      w + "THE UNIAXIAL COMPRESION STRENGTH IS 0 FOR WEAK ROCK ",
                      w + "ACCORDING TO THE INPUT DATA.", w + "PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."};
  const Lines phi0 = {"", w + "--------------------WARNING----------------------",
                      w + "THE FRICTION ANGLE IS 0 FOR SILT ACCORING TO THE INPUT",
                      w + "DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."};
  const Lines slope = {"", "", w + "WARNING-------The Angle of the slope can not",
                       w + "              be greater than the internal  ",
                       w + "              friction angle of the silt.   ", ""};
  struct Case {
    const char* name;
    Layer layer;
    double pgrnd;  // node 1 below the ground when negative: the layer's first node is evaluated
    std::int32_t st;
    Lines block;
  } cases[] = {
      {"weak rock without strength", {9, 0, 300, 0.04, 0.0, 0, 0, 0.0005}, -12, 21, rock},
      {"silt of no friction after its first node", {7, 0, 300, 0.04, 1.0, 0, 100}, 0, 28, phi0},
      {"silt of no friction at its first node", {7, 0, 300, 0.04, 1.0, 0, 100}, -12, 29, slope},
      {"silt of 1.0E-6 radian", {7, 0, 300, 0.04, 1.0, 1.0e-6 * 180 / M_PI, 100}, 0, 29, slope},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    const Warned out = runWarned(c.layer, c.pgrnd);
    EXPECT_EQ(out.st, c.st);
    EXPECT_EQ(out.echo, c.block);
    EXPECT_EQ(out.log, c.block);
  }
  // Weak rock's first node is exempt; a strength there and none below still stops.
  clearTables();
  Layer firstOnly{9, 0, 300, 0.04, 1000.0, 0, 0, 0.0005};
  test::ScratchDir dir;
  io::OPEN(U_LOG, "log", io::Access::Write);
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  setRun();
  setSoil({firstOnly});
  SOILCOM.CPROF(2) = 0.0;
  SOILCOM.XPROF(2) = SOILCOM.XGAM(2) = 300;
  setRockModulus(1.0e4);
  setPile(1, 12, 240, 20, 0.0, -12.0);
  Springs s;
  s.run();
  EXPECT_EQ(s.st, 0);  // the strength falls to 0 only at X = 300, below the tip
}

// Listing mode: the headings and point lines of each criterion on the input
// echo and the plot data file.
TEST(PyRockSilt, ListingHeadingsAndPoints) {
  const std::string B21(21, ' ');
  struct Case {
    const char* name;
    Layer layer;
    double b;
    Lines echo;       // the heading lines before the points
    std::string pt;   // the echo line of the point y = 0.01
    std::string plt;  // its plot line
  } cases[] = {
      {"elastic", ELASTIC, 12,
       {"", "          DEPTH BELOW GS     DIAM        ST           ES",
        "                FT            IN      LBS/IN**2     LBS/IN**3 ",
        "                2.00         12.000   0.20E+01      0.10E+03", "",
        "                                      Y                   P",
        "                                      IN               LBS/IN"},
       B21 + realField(20, 5, 0.01) + realField(20, 5, 12.0) + " ",
       "  1.00000000E-02   12.000000    "},
      {"vuggy", VUGGY, 12,
       {"", "          DEPTH BELOW GS     DIAM        C       ",
        "                FT            IN     LBS/IN**2 ",
        "                2.00         12.000   0.1E+01",
        "                                      Y                   P",
        "                                      IN               LBS/IN"},
       B21 + realField(20, 5, 0.01) + realField(20, 5, 10.119999769609421) + " ",
       "  1.00000000E-02   10.120000    "},
      {"weak rock", WEAK, 12,
       {"", "", "              DEPTH     DIAM       C         PU    GAMMA AVG      KRM",
        "                FT       IN    LBS/IN**2 LBS/IN    LBS/FT**3 ",
        "                2.00    12.000  0.50E+03  0.30E+05  0.69E+02   0.500E-03",
        "                                     Y                   P",
        "                                     IN                LBS/IN"},
       B21 + "           0.100E-01           0.173E+05",
       "   1.00000000E-02    17270.534    "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    test::ScratchDir dir;
    io::OPEN(U_ECHO, "echo", io::Access::Write);
    io::OPEN(U_PLOT, "plot", io::Access::Write);
    setRun();
    setSoil({c.layer});
    setRockModulus(c.layer.code == 9 ? 1.0e4 : 0.0);
    setPile(1, c.b, 240, 20);
    CURCTL.KPYLST = CURCTL.KPYOUT = 1;
    PYPRT.NPYPRT = PYPRT.IPYCRV = 1;
    PYPRT.NPYPTS = 1;
    PYPRT.PRTDEF(1, 1) = 0.01;
    LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
    PILENODE.XNODE(1, 1) = 24;
    PILENODE.XNODE(1, 2) = 36;
    Springs s;
    s.run();
    io::CLOSEALL();
    ASSERT_EQ(s.st, 0);
    Lines expected = c.echo;
    expected.push_back(c.pt);
    EXPECT_EQ(test::readLines("echo"), expected);
    EXPECT_EQ(test::readLines("plot"), (Lines{" 24.000000000000000", c.plt}));
  }
}

}  // namespace
}  // namespace drelm
