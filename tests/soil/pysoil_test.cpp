// The lateral soil springs: each criterion's curve against hand values of its
// formulation, and the frame's modes, passes, multipliers and failures.
#include "soil/pysoil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/fileio.h"
#include "model/tables.h"
#include "soil/pyframe.h"
#include "soil/pyfixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::Layer;
using test::setPile;
using test::setRun;
using test::setSoil;
using test::Springs;

// Depth multipliers of pile 1 in force: one set of two points.
struct DepthPoint {
  double depth, pm, ym;
};
void setDepthMultipliers(DepthPoint top, DepthPoint bottom) {
  RFDCTL.IRFDEP = 1;
  PILEAR.IRFSET(1) = 1;
  RFDEP.NRFPT(1) = 2;
  int k = 0;
  for (const DepthPoint& d : {top, bottom}) {
    ++k;
    RFDEP.RFDDEP(1, k) = d.depth;
    RFDEP.RFDPM(1, k) = d.pm;
    RFDEP.RFDYM(1, k) = d.ym;
  }
}

// A pile of width b, 240 long in 20 increments of 12 from X = 0 at the
// ground: node n lies 12 (n - 1) deep.
struct CurveCase {
  const char* name;
  Layer layer;
  double b;
  int node;
  int kstcyc;
  double ncycl;
  double y;
  double p;  // hand value of the published formulation
};

TEST(PySoilCurves, EveryCriterionAgainstHandValues) {
  const Layer softC{1, 0, 300, 0.0, 1.0, 0, 0, 0.01};           // pu = 48 at 24 (Np 4), y50 0.3
  const Layer softG{1, 0, 300, 0.04, 5.0, 0, 0, 0.01};          // Np = 3 + 0.96 + 2.5 at 120
  const Layer softJ{13, 0, 300, 0.0, 1.0, 0, 0, 0.01, 0.25};    // Np = 3.5 at 24
  const Layer softK{14, 0, 300, 0.0, 1.0, 0, 100, 0.01, 0.5};   // k zeq = 2400 at 24
  const Layer stiffD{3, 0, 300, 0.0, 10.0, 0, 0, 0.005};        // pu 480 at 24, y50 0.15
  const Layer stiffK{10, 0, 300, 0.0, 10.0, 0, 500, 0.005};     // k zeq = 12000
  const Layer stiffW{2, 0, 300, 0.0, 10.0, 0, 1.0e5, 0.005};    // pc 919.2, y50 0.06, As 0.55
  const Layer sand{4, 0, 300, 0.04, 0, 35, 150};
  const Layer api{8, 0, 300, 0.04, 0, 35, 100};
  const std::vector<CurveCase> cases = {
      {"soft clay: p = 0.5 pu at y50", softC, 12, 3, 1, 1, 0.3, 24.0},
      {"soft clay: pu at 8 y50", softC, 12, 3, 1, 1, 2.4, 48.00000099155501},
      {"soft clay: pu beyond 8 y50", softC, 12, 3, 1, 1, 3.0, 48.0},
      {"soft clay: Np capped at 9", softC, 12, 21, 1, 1, 10.0, 108.0},
      {"soft clay: overburden term", softG, 24, 11, 1, 1, 0.6, 387.6},
      {"soft clay cyclic: 0.72 pu zeq/zr' at 15 y50", softC, 12, 7, 0, 1, 4.5, 25.92000102996826},
      {"soft clay cyclic: linear between 3 and 15 y50", softC, 12, 7, 0, 1, 2.7, 38.88000154495239},
      {"soft clay with J 0.25", softJ, 12, 3, 1, 1, 0.3, 21.0},
      {"modified soft clay: straight line first", softK, 12, 3, 1, 1, 0.001, 2.4},
      {"modified soft clay: cube root beyond", softK, 12, 3, 1, 1, 0.3, 24.0},
      {"stiff clay dry: 0.5 pu at y50", stiffD, 12, 3, 1, 1, 0.15, 240.0},
      {"stiff clay dry: pu at 16 y50", stiffD, 12, 3, 1, 1, 2.4, 480.0},
      {"stiff clay dry: pu beyond", stiffD, 12, 3, 1, 1, 5.0, 480.0},
      {"stiff clay dry cyclic N 10: stretched by 1.6", stiffD, 12, 3, 0, 10, 0.24, 240.0},
      {"stiff clay dry cyclic N 10: pu", stiffD, 12, 3, 0, 10, 4.0, 480.0},
      {"stiff clay dry cyclic N 0: the static curve", stiffD, 12, 3, 0, 0, 0.15, 240.0},
      {"stiff clay with k: straight line", stiffK, 12, 3, 1, 1, 0.01, 120.0},
      {"stiff clay wet: 0.5 pc As^0.5 at As y50", stiffW, 12, 3, 1, 1, 0.033, 340.84847937103},
      {"stiff clay wet: final plateau", stiffW, 12, 3, 1, 1, 1.5, 77.94364865038506},
      {"stiff clay wet cyclic: Ac pc at 0.45 yp", stiffW, 12, 3, 0, 1, 0.03321, 275.7600054645536},
      {"sand: pu at yu", sand, 24, 5, 1, 1, 0.9, 638.3423063989246},
      {"sand: pm at ym", sand, 24, 5, 1, 1, 0.4, 452.87796124484873},
      {"sand: straight part", sand, 24, 5, 1, 1, 0.65, 545.6101338218866},
      {"sand: parabola", sand, 24, 5, 1, 1, 0.21276893612586217, 368.2678676910658},
      {"sand: initial line", sand, 24, 5, 1, 1, 0.012768936125862168, 91.93634010620761},
      {"sand cyclic: pu at yu", sand, 24, 5, 0, 1, 0.9, 444.25172219888066},
      {"API sand: A pu tanh(1) at yref", api, 24, 5, 1, 1, 0.12579943724971085, 459.878957913138},
      {"API sand static", api, 24, 5, 1, 1, 0.5, 603.4111906445796},
      {"API sand cyclic", api, 24, 5, 0, 1, 0.5, 388.177806784649},
  };
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setPile(1, c.b, 240, 20);
    CURCTL.KSTCYC = c.kstcyc;
    CURCTL.NCYCL = c.ncycl;
    Springs s;
    s.y(c.node) = c.y;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(-s.ps(c.node), c.p, 1e-7 * c.p);
    EXPECT_NEAR(s.es(c.node) * c.y, c.p, 1e-7 * c.p);
  }
}

// A zero deflection never divides: the spring is the initial modulus and the
// reaction 0.
TEST(PySoilCurves, ZeroDeflectionTakesTheInitialModulus) {
  struct Case {
    Layer layer;
    double es0;
  } cases[] = {
      // 0.5 pu (y50 / EPSLIM)^(2/3) / y50 with pu 48, y50 0.3
      {{1, 0, 300, 0.0, 1.0, 0, 0, 0.01}, 0.5 * 48 * std::pow(0.3 / 1e-14, 0.6666666865348816) / 0.3},
      // 0.5 pu (y50 / EPSLIM)^0.75 / y50 with pu 480, y50 0.15
      {{3, 0, 300, 0.0, 10.0, 0, 0, 0.005}, 0.5 * 480 * std::pow(0.15 / 1e-14, 0.75) / 0.15},
      {{14, 0, 300, 0.0, 1.0, 0, 100, 0.01, 0.5}, 100 * 24.0},  // k zeq
      {{4, 0, 300, 0.04, 0, 35, 150}, 150 * 24.0},
      {{8, 0, 300, 0.04, 0, 35, 100}, 100 * 24.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer.code);
    setRun();
    setSoil({c.layer});
    setPile(1, 12, 240, 20);
    Springs s;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(s.es(3), c.es0, 1e-9 * c.es0);
    EXPECT_EQ(s.ps(3), 0.0);
  }
}

// The cumulative ultimate resistance of a layer, which sets the equivalent
// depth of the layers below: the pile of the curve table, b = 12 unless
// given, nodes every 12 down to 240 (head at the ground unless buried).
TEST(PySoilCurves, CumulativeResistanceOfTheLayer) {
  // Soft clay, c = 1, gamma = 0: pu = 12 (3 + z/24) down to z = 144, then 108;
  // the nodes at z = 12 .. 240 sum to 1764, times the spacing 12.
  const Layer softC{1, 0, 300, 0.0, 1.0, 0, 0, 0.01};
  struct Case {
    const char* name;
    Layer layer;
    double b;
    int kstcyc;
    double head, pgrnd;
    double cumpu;  // hand value of the formulation
  } cases[] = {
      {"soft clay static", softC, 12, 1, 0, 0, 1764 * 12.0},
      {"soft clay cyclic: 0.72 pu", softC, 12, 0, 0, 0, 1764 * 12.0 * 0.7200000286102295},
      {"soft clay, other loading kind: nothing added", softC, 12, 2, 0, 0, 0.0},
      // Head 24 below the ground: the sum starts at 0.5 x pu(24) x 24 = 576,
      // then the nodes at z = 24 .. 264 add 1938 x 12.
      {"soft clay, buried head", softC, 12, 1, 24, -24, 576 + 1938 * 12.0},
      // c = 10: pu = 360 + 5 z up to z = 144, then 1080; 1470 per node on
      // average over 20 nodes, under both loadings.
      {"stiff clay dry static", {3, 0, 300, 0.0, 10.0, 0, 0, 0.005}, 12, 1, 0, 0, 17640 * 12.0},
      {"stiff clay dry cyclic", {3, 0, 300, 0.0, 10.0, 0, 0, 0.005}, 12, 0, 0, 0, 17640 * 12.0},
      // DX 0.5 (pc_prev + pc) F with F = 1.225 sqrt(As) - 0.411 - 0.75 As.
      {"stiff clay wet static", {2, 0, 300, 0.0, 10.0, 0, 1.0e5, 0.005}, 12, 1, 0, 0, 25799.471065224527},
      {"stiff clay wet cyclic", {2, 0, 300, 0.0, 10.0, 0, 1.0e5, 0.005}, 12, 0, 0, 0, 9247.066029541185},
      // h pu at every node and (LBOT - X) pu at the last one.
      {"sand", {4, 0, 300, 0.04, 0, 35, 150}, 24, 1, 0, 0, 1024437.6612304191},
      {"sand, buried head", {4, 0, 300, 0.04, 0, 35, 0}, 24, 1, 24, -24, 1098343.400952438},
      // Head buried more than 1.0E-5: 0.5 A pu (LBOT - LTOP) of the last node.
      {"API sand, buried head", {8, 0, 300, 0.04, 0, 35, 0}, 24, 0, 24, -24, 1234938.116659751},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    setRun();
    setSoil({c.layer});
    setPile(1, c.b, 240, 20, c.head, c.pgrnd);
    CURCTL.KSTCYC = c.kstcyc;
    Springs s;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(PYLAYR.CUMPU(1, 1), c.cumpu, 1e-9 * std::max(1.0, c.cumpu));
  }
}

// A friction angle that changes along the layer: every node takes its own
// angle's wedge and flow-around terms, as in a layer of that angle alone.
TEST(PySoilCurves, SandAnglesFollowTheProfile) {
  for (int code : {4, 8}) {
    SCOPED_TRACE(code);
    double p[2];
    for (int graded = 0; graded < 2; ++graded) {
      clearTables();
      setRun();
      // 30 to 40 degrees over the layer gives 34 degrees at X = 120.
      setSoil({{code, 0, 300, 0.04, 0, 34, 150}});
      if (graded) {
        SOILCOM.PHIPR(1) = 30 * M_PI / 180;
        SOILCOM.PHIPR(2) = 40 * M_PI / 180;
      }
      setPile(1, 24, 240, 20);
      Springs s;
      for (int k = 1; k <= 21; ++k) s.y(k) = 0.3;
      s.run();
      ASSERT_EQ(s.st, 0);
      p[graded] = -s.ps(11);
    }
    EXPECT_NEAR(p[1], p[0], 1e-9 * p[0]);
  }
}

// Sand under a layer without resistance: the equivalent depth of its top is
// 0, so its first node, though below the ground, has no resistance at any
// deflection (and no undefined curve parameters); the next node has.
TEST(PySoilCurves, SandAtZeroEquivalentDepthResistsNothing) {
  for (int code : {4, 8}) {
    SCOPED_TRACE(code);
    for (double y : {0.0, 0.01, 0.3, 5.0}) {
      clearTables();
      setRun();
      setSoil({{1, 0, 60, 0.04, 0.0, 0, 0, 0.01}, {code, 60, 300, 0.04, 0, 35, 150}});
      setPile(1, 12, 240, 20);
      ASSERT_EQ(LAYNODE.LNODE1(1, 2), 6);  // X = 60, the layer top
      Springs s;
      s.y(6) = s.y(7) = y;
      s.run();
      ASSERT_EQ(s.st, 0);
      EXPECT_EQ(PYLAYR.EQDEP(1, 2), 0.0);
      EXPECT_EQ(s.es(6), 0.0);
      EXPECT_EQ(s.ps(6), 0.0);
      if (y > 0) {
        EXPECT_LT(s.ps(7), 0.0);
        EXPECT_TRUE(std::isfinite(s.es(7)));
      }
    }
  }
}

TEST(PySoilFrame, NoSpringAtOrAboveTheGroundLine) {
  setRun();
  setSoil({{1, 24, 300, 0.0, 1.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20, 0.0, 24.0);  // ground at X = 24, node 3
  Springs s;
  for (int k = 1; k <= 21; ++k) {
    s.y(k) = 0.3;
    s.es(k) = -1;
    s.ps(k) = 99;
  }
  s.run();
  ASSERT_EQ(s.st, 0);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(s.es(k), 0.0) << k;
    EXPECT_EQ(s.ps(k), 99.0) << k;
  }
  EXPECT_GT(s.es(4), 0.0);
  EXPECT_LT(s.ps(4), 0.0);
  // On return: the depth of the ground line below node 1.
  EXPECT_DOUBLE_EQ(SOILCOM.GRNDX(1), 24.0);
}

TEST(PySoilFrame, ALayerBelowTheTipHoldingOnlyTheTipIsSkipped) {
  setRun();
  // Tip at 240 in layer 2 of 4. Layers 3 and 4 have no criterion here: were
  // either evaluated, the call would fail.
  setSoil({{1, 0, 100, 0.0, 1.0, 0, 0, 0.01},
           {1, 100, 300, 0.0, 2.0, 0, 0, 0.01},
           {5, 300, 400},
           {5, 400, 500}});
  setPile(1, 12, 240, 20);
  ASSERT_EQ(LAYNODE.LNODE1(1, 3), 21);
  ASSERT_EQ(LAYNODE.LNODE2(1, 3), 21);
  ASSERT_EQ(LAYNODE.LNODE1(1, 4), 0);
  Springs s;
  s.y(21) = 10.0;
  s.run();
  EXPECT_EQ(s.st, 0);
  EXPECT_DOUBLE_EQ(-s.ps(21), 9 * 2.0 * 12);  // the tip's pu from layer 2
}

TEST(PySoilFrame, SoilMovementActsOnTheRelativeDeflection) {
  setRun();
  setSoil({{1, 0, 300, 0.0, 1.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20);
  SMOV.NSMOV = 1;
  Springs s;
  s.ys1(3) = 0.3;
  s.y(3) = 0.3;  // moves with the soil
  s.ys1(4) = 0.3;
  s.y(4) = 0.6;  // 0.3 beyond it
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_EQ(s.ps(3), 0.0);
  EXPECT_FALSE(std::signbit(s.ps(3)));
  EXPECT_NEAR(s.es(3), 0.5 * 48 * std::pow(0.3 / 1e-14, 0.6666666865348816) / 0.3, 1e3);
  // Node 4 lies 36 deep: Np = 4.5, pu = 54.
  EXPECT_NEAR(s.ps(4), -27.0, 1e-9);
  EXPECT_NEAR(s.psmov(4), 27.0 / 0.3 * 0.3, 1e-9);
}

// A soil-type code that has no criterion, or a look-up beyond
// its profile, stops the springs with a status and a message.
TEST(PySoilFrame, FailuresSetTheStatusWithTheirMessages) {
  struct Case {
    const char* name;
    Layer layer;
    double gamBottom;  // bottom of the unit-weight profile
    std::int32_t status;
    int unit;
    std::string text;
  } cases[] = {
      {"soft clay beyond the strength profile", {1, 0, 100, 0.0, 1.0, 0, 0, 0.01}, 100, 23, U_RESULTS,
       "THE INPUT STRENGTH CURVE"},
      {"sand beyond the unit-weight profile", {4, 0, 100, 0.04, 0, 35, 150}, 100, 22, U_RESULTS,
       "THE INPUT CURVE FOR UNIT WEIGHT"},
      {"sand beyond the friction-angle profile", {4, 0, 100, 0.04, 0, 35, 150}, 400, 24, U_RESULTS,
       "THE INPUT PHI CURVE"},
      {"user curves on a pile without a set", {5, 0, 300}, 300, 43, U_LOG,
       "     SOIL LAYER   1 TAKES USER-DEFINED P-Y CURVES, BUT PILE     1"},
      // Never soft clay by default: a code with no criterion stops the springs.
      {"soil-type code 0", {0, 0, 300, 0.0, 1.0, 0, 0, 0.01}, 300, 43, U_LOG,
       "     SOIL LAYER   1 HAS SOIL TYPE 0, NOT A CODE OF 1 TO 14"},
      {"soil-type code 15", {15, 0, 300, 0.0, 1.0, 0, 0, 0.01}, 300, 43, U_RESULTS,
       "     SOIL LAYER   1 HAS SOIL TYPE 15, NOT A CODE OF 1 TO 14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    io::OPEN(U_RESULTS, "out", io::Access::Write);
    io::OPEN(U_LOG, "log", io::Access::Write);
    setRun();
    setSoil({c.layer});
    SOILCOM.XGAM(2) = c.gamBottom;
    setPile(1, 12, 240, 20);
    Springs s;
    s.run();
    EXPECT_EQ(s.st, c.status);
    io::CLOSEALL();
    EXPECT_NE(test::readFile(c.unit == U_LOG ? "log" : "out").find(c.text), std::string::npos);
  }
}

TEST(PySoilFrame, ApiSandWithoutFrictionStopsAfterTheLayersFirstNode) {
  test::ScratchDir dir;
  io::OPEN(U_LOG, "log", io::Access::Write);
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  setRun();
  setSoil({{8, 0, 300, 0.04, 0, 0, 100}});
  setPile(1, 24, 240, 20, 0.0, -12.0);  // node 1 below the ground: the exempt first node
  std::int32_t st = 0;
  const std::int32_t prop = 1;
  Springs s;
  s.y(1) = 0.1;
  PYAPISND(prop, 1, st, 1, 1, s.y, s.es, s.ys1, s.ys2, s.psmov, s.ps);
  EXPECT_EQ(st, STAT_APISAND_PHI);
  io::CLOSEALL();
  const std::vector<std::string> block = {
      "", "       --------------------WARNING----------------------",
      "       THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT",
      "       DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."};
  EXPECT_EQ(test::readLines("log"), block);
  EXPECT_EQ(test::readLines("echo"), block);
}

// Closely spaced piles: the spring is the secant of the curve scaled by p/y
// multipliers; the collected curve is stretched by them. Every point of the
// default list is checked against the cube-root curve.
TEST(PySoilFrame, CollectedCurveIsStretchedByTheMultipliers) {
  setRun();
  setSoil({{1, 0, 300, 0.0, 1.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20);
  GRPFAC.GRPPF(1) = 0.5;
  GRPFAC.GRPYF(1) = 2.0;
  auto curve = [](double y) { return y <= 2.4 ? 24.0 * std::pow(y / 0.3, 0.3333333432674408) : 48.0; };

  Springs s;
  s.y(3) = 0.3;
  s.run();
  EXPECT_NEAR(s.es(3), 24.0 / (4 * 0.3), 1e-9);

  // Collect mode at node 1, placed 24 deep.
  CURCTL.KPYLST = 1;
  CURCTL.KPYOUT = 1;
  CRVCTL.PYCOLL = 1;
  PYPRT.NPYPTS = 0;
  PILENODE.XNODE(1, 1) = 24;
  PILENODE.XNODE(1, 2) = 36;
  LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_EQ(CRVCTL.ICRVPT, 1);
  EXPECT_EQ(CRVCTL.ICRVEX, 1);
  EXPECT_EQ(CRVCTL.CRVSCL, 24.0);
  const double f[17] = {0, 0.00025, 0.0025, 0.0075, 0.02, 0.04, 0.06, 0.1, 0.15,
                        0.225, 0.3, 0.4, 0.5, 0.65, 0.8, 1.0, 1.2};
  for (int k = 1; k <= 17; ++k) {
    const double y = static_cast<double>(static_cast<float>(f[k - 1])) * 2.4;
    EXPECT_NEAR(PYPLOT.PYCOLY(k), 2 * y, 1e-12) << k;
    EXPECT_NEAR(PYPLOT.PYCOLP(k), 0.5 * curve(y), 1e-9) << k;
  }
  EXPECT_EQ(PYPLOT.PYCOLP(1), 0.0);

  // A node 1.0E-7 below the ground line carries no curve.
  PYPLOT.PYCOLY(1) = -7;
  PILENODE.XNODE(1, 1) = 1.0e-7;
  s.run();
  EXPECT_EQ(CRVCTL.ICRVEX, 0);
  EXPECT_EQ(PYPLOT.PYCOLY(1), -7.0);
}

TEST(PySoilFrame, CapPassTakesTheCapWidthAtNodeOne) {
  struct Case {
    int icapop;
    double pucap;
  } cases[] = {
      // b = 60: Np = 3 + 0.5 x 24 / 60, pu = 192, y50 = 1.5; read at the
      // cap's movement 0.6, not at the pile's head deflection 0.3
      {1, 0.5 * 192 * std::pow(0.6 / 1.5, 0.3333333432674408)},
      {2, -1.0},  // the pile's own width, no cap resistance stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.icapop);
    setRun();
    setSoil({{1, 0, 300, 0.0, 1.0, 0, 0, 0.01}});
    setPile(1, 12, 240, 20, 24.0, -24.0);  // head 24 below the ground
    CAPCTL.ICAPOP = c.icapop;
    CAPCTL.CAPWZ = 60;
    SOILCOM.PUCAP(1) = -1.0;
    CAPCTL.CAPUHM = 0.6;
    Springs s;
    s.y(1) = 0.3;
    s.run();
    ASSERT_EQ(s.st, 0);
    EXPECT_NEAR(SOILCOM.PUCAP(1), c.pucap, 1e-9);
    EXPECT_NEAR(s.es(1), 24.0 / 0.3, 1e-9);  // rewritten by the pile pass
  }
}

// Springs kept across the iterations of one solution give, at every
// deflection, what a fresh evaluation gives, bit for bit: moduli, reactions,
// the cap's resistance and the layer sums, in layered soils whose lower
// layers take equivalent depths, under a cap and with multipliers.
TEST(PySoilFrame, KeptSpringsGiveTheFreshResultsBitForBit) {
  struct Case {
    const char* name;
    void (*soil)();
    int kstcyc;
    bool capAndMultipliers;
  } cases[] = {
      {"soft clay, stiff clay, sand",
       [] {
         setSoil({{1, 0, 60, 0.0, 1.0, 0, 0, 0.01}, {3, 60, 120, 0.0, 10.0, 0, 0, 0.005},
                  {4, 120, 300, 0.04, 0, 35, 150}});
       },
       1, false},
      {"cyclic: soft clay with J, stiff clay with k, API sand",
       [] {
         setSoil({{13, 0, 60, 0.0, 1.0, 0, 0, 0.01, 0.25}, {10, 60, 120, 0.0, 10.0, 0, 500, 0.005},
                  {8, 120, 300, 0.04, 0, 35, 100}});
       },
       0, false},
      {"modified soft clay over wet stiff clay, cap, multipliers",
       [] {
         setSoil({{14, 0, 90, 0.0, 1.0, 0, 100, 0.01, 0.5}, {2, 90, 300, 0.0, 10.0, 0, 1.0e5, 0.005}});
       },
       1, true},
  };
  // Deflection shapes of successive iterations, both signs, and none at all.
  const auto shape = [](int it, int k) {
    switch (it) {
      case 0: return 0.0;
      case 1: return 0.3 * std::exp(-0.2 * k);
      default: return 0.5 * std::cos(k / 3.0);
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto setUp = [&] {
      clearTables();
      setRun();
      c.soil();
      CURCTL.KSTCYC = c.kstcyc;
      if (!c.capAndMultipliers) {
        setPile(1, 24, 240, 20);
        return;
      }
      setPile(1, 24, 240, 20, 24.0, -24.0);  // head 24 below the ground
      CAPCTL.ICAPOP = 1;
      CAPCTL.CAPWZ = 60;
      GRPFAC.GRPPF(1) = 0.8;
      GRPFAC.GRPYF(1) = 1.25;
      setDepthMultipliers({0, 0.5, 2.0}, {100, 0.9, 1.0});
    };
    struct Result {
      Springs s;
      double pucap = 0;
      double cumpu[3] = {};
    };
    Result fresh[3], kept[3];
    const auto evaluate = [&](Result (&out)[3], PySprings* keep) {
      setUp();
      for (int it = 0; it < 3; ++it) {
        Springs& s = out[it].s;
        for (int k = 1; k <= 21; ++k) s.y(k) = shape(it, k);
        PYSOIL(1, s.st, 1, 1, s.y, s.es, s.ys1, s.ys2, s.psmov, s.ps, keep);
        ASSERT_EQ(s.st, 0);
        out[it].pucap = SOILCOM.PUCAP(1);
        for (int L = 1; L <= 3; ++L) out[it].cumpu[L - 1] = PYLAYR.CUMPU(1, L);
      }
    };
    evaluate(fresh, nullptr);
    PySprings keep;
    evaluate(kept, &keep);
    // Kept indeed: later calls did not evaluate the layers again.
    for (int L = 1; L <= 2; ++L) {
      ASSERT_NE(keep.layer(1, 1, L), nullptr);
      EXPECT_TRUE(keep.layer(1, 1, L)->valid);
    }
    for (int it = 0; it < 3; ++it) {
      SCOPED_TRACE(it);
      for (int k = 1; k <= 21; ++k) {
        EXPECT_EQ(kept[it].s.es(k), fresh[it].s.es(k)) << k;
        EXPECT_EQ(kept[it].s.ps(k), fresh[it].s.ps(k)) << k;
      }
      EXPECT_EQ(kept[it].pucap, fresh[it].pucap);
      for (int L = 0; L < 3; ++L) EXPECT_EQ(kept[it].cumpu[L], fresh[it].cumpu[L]);
    }
  }
  clearTables();
}

// A layer whose evaluation writes a warning is evaluated whole at every call,
// so that the warning is written as often as without kept springs.
TEST(PySoilFrame, AWarningLayerIsNotKept) {
  test::ScratchDir dir;
  io::OPEN(U_LOG, "log", io::Access::Write);
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  clearTables();
  setRun();
  // API sand without friction below its first node: warning and status.
  setSoil({{8, 0, 300, 0.04, 0, 0, 100}});
  setPile(1, 24, 240, 20);
  PySprings keep;
  for (int call = 1; call <= 2; ++call) {
    Springs s;
    const std::uint64_t before = soilWarningsWritten();
    PYSOIL(1, s.st, 1, 1, s.y, s.es, s.ys1, s.ys2, s.psmov, s.ps, &keep);
    EXPECT_EQ(s.st, STAT_APISAND_PHI);
    EXPECT_GT(soilWarningsWritten(), before);
    const auto& layer = keep.layer(1, 1, 1);
    EXPECT_TRUE(!layer || !layer->valid);
  }
  io::CLOSEALL();
  clearTables();
}

TEST(PyMult, MultipliersInsideTheSetAndOneOutside) {
  RFDEP.NRFPT(1) = 2;
  RFDEP.RFDDEP(1, 1) = 10;
  RFDEP.RFDDEP(1, 2) = 20;
  RFDEP.RFDPM(1, 1) = 0.6;
  RFDEP.RFDPM(1, 2) = 0.8;
  RFDEP.RFDYM(1, 1) = 2.0;
  RFDEP.RFDYM(1, 2) = 1.0;
  PILEAR.IRFSET(1) = 1;
  PILEAR.IRFSET(2) = 0;
  struct Case {
    int pile;
    double x, pm, ym;
    int set;
  } cases[] = {
      {1, 15, 0.7, 1.5, 1}, {1, 10, 0.6, 2.0, 1}, {1, 20, 0.8, 1.0, 1},
      {1, 25, 1.0, 1.0, 1}, {1, 5, 1.0, 1.0, 1},  {2, 15, 1.0, 1.0, 0},
  };
  for (const Case& c : cases) {
    std::int32_t set = -1;
    double pm = 0, ym = 0;
    PYMULT(c.pile, set, c.x, pm, ym);
    EXPECT_EQ(set, c.set) << c.x;
    EXPECT_NEAR(pm, c.pm, 1e-12) << c.x;
    EXPECT_NEAR(ym, c.ym, 1e-12) << c.x;
  }
}

// Depth multipliers of a pile stretch its spring like the group factors.
TEST(PyMult, DepthMultipliersScaleTheSpring) {
  setRun();
  setSoil({{1, 0, 300, 0.0, 1.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20);
  setDepthMultipliers({0, 0.5, 2.0}, {100, 0.5, 2.0});
  Springs s;
  s.y(3) = 0.3;
  s.run();
  EXPECT_NEAR(s.es(3), 24.0 / 0.3 * 0.5 / 2.0, 1e-9);
  EXPECT_NEAR(s.ps(3), -24.0 * 0.5, 1e-9);
}

// The sets are given by depth below the pile head: a head above or below
// X = 0 takes the same multipliers at the same distance below it, in a
// criterion and in user p-y curves alike. Elastic subgrade: p = b ks y; user
// curves: the same straight line at two depths.
TEST(PyMult, SetsAreReadBelowThePileHead) {
  const double b = 12, ks = 10, y = 0.4;
  for (const int code : {12, 5}) {
    for (const double head : {-30.0, 0.0, 60.0}) {
      SCOPED_TRACE(testing::Message() << "soil code " << code << ", head at X = " << head);
      setRun();
      setSoil({{code, -100, 400, 0, 0, 0, ks}});
      setPile(1, b, 240, 20, head, 6.0);  // ground half an increment below the head
      PILEAR.IPYSET(1) = -1;
      USRPY.NPYSET = 1;
      USRPY.PYNCRV(1) = 2;
      for (int c = 1; c <= 2; ++c) {
        USRPY.PYDEP(1, c) = c == 1 ? -100.0 : 400.0;
        USRPY.PYNPT(1, c) = 2;
        USRPY.PYY(1, c, 1) = USRPY.PYP(1, c, 1) = 0.0;
        USRPY.PYY(1, c, 2) = 100.0;
        USRPY.PYP(1, c, 2) = b * ks * 100.0;
      }
      // p-multiplier 0.5 at the head, 1.0 at 120 below it; y-multiplier 2 to 1.
      setDepthMultipliers({0, 0.5, 2.0}, {120, 1.0, 1.0});
      Springs s;
      for (int i = 1; i <= 21; ++i) s.y(i) = y;
      s.run();
      ASSERT_EQ(s.st, 0);
      // Node 5 lies 48 below the head (0.4 of the set), node 16 at 180 (beyond it).
      const double pm5 = 0.5 + 0.4 * 0.5, ym5 = 2.0 - 0.4 * 1.0;
      EXPECT_NEAR(s.es(5), b * ks * pm5 / ym5, 1e-9);
      EXPECT_NEAR(s.ps(5), -b * ks * y * pm5, 1e-9);
      EXPECT_NEAR(s.es(16), b * ks, 1e-9);
      EXPECT_EQ(s.es(1), 0.0);  // above the ground line
    }
  }
  RFDCTL.IRFDEP = 0;
  PILEAR.IRFSET(1) = 0;
  PILEAR.IPYSET(1) = 0;
  USRPY.NPYSET = 0;
}

// The equivalent depth of a lower layer's top: where R(z) = B z + A z^2 of the
// layer's own soil reaches the cumulative resistance S of the layers above.
TEST(EqDepth, ClosedFormAndStepwiseBranches) {
  setRun();
  setSoil({{1, 0, 100, 0.04, 1.0}, {1, 100, 300, 0.04, 1.0}});
  setPile(1, 12, 240, 20);
  SOILCOM.GRNDX(1) = 0.0;
  const double c = 1, b = 12, g = 0.04;
  const double A = 0.25 * c + 0.5 * g * b, B = 3 * c * b, zr = 6 * c * b / (0.5 * c + g * b);
  const double R = B * zr + A * zr * zr;
  auto eq = [&](int code, double S, int kst, double J = 0) {
    SOILCOM.LTYPE(2) = code;
    CURCTL.KSTCYC = kst;
    PYLAYR.CUMPU(1, 1) = S;
    EQDEPTH(1, 2, 1, b, c, c, g, 0, 0, 0, 0, 0, 0, 0, J, nullptr);
    return PYLAYR.EQDEP(1, 2);
  };
  EXPECT_EQ(eq(1, 0.0, 1), 0.0);
  EXPECT_NEAR(eq(1, R, 1), zr, 1e-9);
  EXPECT_NEAR(eq(1, 0.72 * R, 0), zr, 1e-5);  // the cyclic sums hold 0.72 pu
  EXPECT_NEAR(eq(1, R + 9 * c * b * 10, 1), zr + 10, 1e-9);
  EXPECT_NEAR(eq(13, 500, 1, 0.5), eq(1, 500, 1), 1e-12);

  // API sand: beyond the fifty steps the depth grows by S / (0.88 zn C3 gamma b).
  const double phi = 35 * M_PI / 180, al = phi / 2, be = M_PI / 4 + phi / 2;
  const double ka = std::pow(std::tan(M_PI / 4 - phi / 2), 2), t = std::pow(std::tan(be), 2);
  const double c3 = t * t * (t + 0.4f * std::tan(phi)) - ka;
  const double gstep = 0.88f * 50.0 * c3 * g * 24;
  auto api = [&](double S) {
    SOILCOM.LTYPE(2) = 8;
    PYLAYR.CUMPU(1, 1) = S;
    EQDEPTH(1, 2, 1, 24.0, 0, 0, g, phi, al, be, 0.4f, ka, t, 50.0, 0, nullptr);
    return PYLAYR.EQDEP(1, 2);
  };
  EXPECT_NEAR(api(2.0e7) - api(1.0e7), 1.0e7 / gstep, 1e-6);
  const double tb = std::tan(be), ta = std::tan(al), tp = std::tan(phi);
  const double c1 = tb * (t * ta + 0.4f * (tp * std::sin(be) * (1 / std::cos(al) + 1) - ta));
  const double zrApi = (c3 - (t - ka)) * 24 / c1;
  const double first = api(1.0);  // passed within the first step
  EXPECT_GT(first, 0.0);
  EXPECT_LT(first, zrApi / 50);
}

TEST(EqDepth, LowerLayersTakeTheTopDepthOrTheEquivalentOne) {
  setRun();
  // Soft clay under soft clay: the true depth of the top.
  setSoil({{1, 0, 120, 0.04, 1.0, 0, 0, 0.01}, {1, 120, 300, 0.04, 2.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20);
  Springs s;
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_DOUBLE_EQ(PYLAYR.EQDEP(1, 2), 120.0);

  // Soft clay under sand: the soft clay's R(zeq) matches the sand's sum.
  clearTables();
  setRun();
  setSoil({{4, 0, 24, 0.04, 0, 35, 150}, {1, 24, 300, 0.04, 2.0, 0, 0, 0.01}});
  setPile(1, 12, 240, 20);
  s.run();
  ASSERT_EQ(s.st, 0);
  const double S = PYLAYR.CUMPU(1, 1);
  const double zeq = PYLAYR.EQDEP(1, 2);
  const double c = 2, b = 12, g = 0.04;
  ASSERT_GT(S, 0.0);
  EXPECT_NEAR(3 * c * b * zeq + (0.25 * c + 0.5 * g * b) * zeq * zeq, S, 1e-9 * S);
}

}  // namespace
}  // namespace drelm
