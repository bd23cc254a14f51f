// Nodal services of the lateral solvers: nonlinear bending stiffness from
// moment-curvature sets, distributed load at the nodes and the springs of
// p-y curves by depth, against hand values.
#include "pile/nodesvc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pile/pilefixture.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm {
namespace {

// Set 1: level P = 0 through (0, 0), (1E-4, 1E6), (2E-4, 1.5E6); level
// P = 1000 through (0, 0), (1E-4, 2E6), (2E-4, 3E6).
void setMomentCurvature() {
  MCTAB_T& T = MCTAB;
  T.NMCSET = 1;
  T.MCNCRV(1) = 2;
  const double curv[3] = {0.0, 1.0E-4, 2.0E-4};
  const double mom[2][3] = {{0.0, 1.0E6, 1.5E6}, {0.0, 2.0E6, 3.0E6}};
  for (int l = 1; l <= 2; ++l) {
    T.MCPAXL(1, l) = l == 1 ? 0.0 : 1000.0;
    T.MCNPT(1, l) = 3;
    for (int j = 1; j <= 3; ++j) {
      T.MCCURV(1, l, j) = curv[j - 1];
      T.MCMOM(1, l, j) = mom[l - 1][j - 1];
    }
  }
}

struct EiCase {
  const char* name;
  double px;
  double phi;  // uniform curvature of the deflected shape
  double ei;   // hand value
};

TEST(EiNodes, SecantStiffnessOfTheLevelsAroundTheAxialForce) {
  setMomentCurvature();
  const std::vector<EiCase> cases = {
      {"straight pile: initial stiffness M2/Phi2", 0.0, 0.0, 1.0E10},
      {"force above the highest level: that level alone", 5000.0, 0.0, 2.0E10},
      {"force below the lowest level: the lowest", -300.0, 0.0, 1.0E10},
      {"half-way between the levels", 500.0, 0.0, 1.5E10},
      {"curvature inside the second segment", 0.0, 1.5E-4, 1.25E6 / 1.5E-4},
      {"curvature beyond the last point", 0.0, 3.0E-4, 1.5E6 / 3.0E-4},
      {"both: levels at the same curvature", 250.0, 1.5E-4,
       (0.75 * 1.25E6 + 0.25 * 2.5E6) / 1.5E-4},
  };
  for (const EiCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::Section sec;
    sec.mcz = 1;
    sec.mcy = 0;
    test::setProperty(1, 100.0, 10, sec);
    test::setPile(1, 1);
    test::placeNodes(1);
    NodeArray y, ei1, ei2;
    // y = phi x^2 / 2 has the second difference phi h^2 at every node.
    for (int i = 1; i <= MAXNOD; ++i) {
      const double x = (i - 4) * 10.0;
      y(i) = 0.5 * c.phi * x * x;
      ei1(i) = ei2(i) = 7.0;
    }
    RUNCTL.KEIERR = 5;
    EINOD1(1, c.px, ei1, y);
    EINOD2(1, c.px, ei2, y);
    EXPECT_EQ(RUNCTL.KEIERR, 0);
    for (int i = 4; i <= 14; ++i) {
      EXPECT_NEAR(ei1(i), c.ei, 1e-6 * c.ei) << "slot " << i;
      EXPECT_EQ(ei2(i), 7.0);  // no set about y: kept
    }
    EXPECT_EQ(ei1(3), 7.0);
    EXPECT_EQ(ei1(15), 7.0);
  }
}

TEST(EiNodes, CurvesWithoutUsablePointsKeepTheStiffness) {
  setMomentCurvature();
  MCTAB.MCNPT(1, 1) = 1;  // the origin alone: no initial slope to take
  test::Section sec;
  sec.mcz = 1;
  test::setProperty(1, 100.0, 10, sec);
  test::setPile(1, 1);
  test::placeNodes(1);
  NodeArray y, ei;
  ei.fill(3.0E9);
  EINOD1(1, 0.0, ei, y);
  EXPECT_EQ(ei(4), 3.0E9);
  MCTAB.MCNPT(1, 1) = 0;
  EINOD1(1, 0.0, ei, y);
  EXPECT_EQ(ei(10), 3.0E9);
}

TEST(DistributedLoadNodes, IntensityAtTheNodesByTheirDistanceFromTheHead) {
  // Head at X = 100 (the load points count from the head), 8 increments of 5.
  test::setProperty(1, 40.0, 8);
  test::setPile(1, 1, 100.0);
  test::placeNodes(1);
  DLNODE.NDLNOD(1) = 4;
  const double pos[4] = {0.0, 15.0 - 5.0E-7, 15.0, 40.0};
  const double q1[4] = {1.0, 4.0, 8.0, 2.0};
  for (int l = 1; l <= 4; ++l) {
    DLNODE.DLPOS(1, l) = pos[l - 1];
    DLNODE.DLQ1(1, l) = q1[l - 1];
    DLNODE.DLQ2(1, l) = -q1[l - 1];
  }
  NodeArray a, b;
  DLQNOD1(0, 1, a);
  DLQNOD2(0, 1, b);
  // Nodes at 0, 5, .. 40; 15 lies on the close pair: their mean.
  const double expect[9] = {1.0, 1.0 + 3.0 * 5.0 / (15.0 - 5.0E-7), 1.0 + 3.0 * 10.0 / (15.0 - 5.0E-7),
                            6.0, 8.0 - 6.0 * 5.0 / 25.0, 8.0 - 6.0 * 10.0 / 25.0,
                            8.0 - 6.0 * 15.0 / 25.0, 8.0 - 6.0 * 20.0 / 25.0, 2.0};
  for (int k = 1; k <= 9; ++k) {
    EXPECT_NEAR(a(k), expect[k - 1], 1e-9) << "node " << k;
    EXPECT_NEAR(b(k), -expect[k - 1], 1e-9) << "node " << k;
  }

  // Points covering 10 .. 30 only: nothing outside them.
  DLNODE.NDLNOD(1) = 2;
  DLNODE.DLPOS(1, 1) = 10.0;
  DLNODE.DLPOS(1, 2) = 30.0;
  DLNODE.DLQ1(1, 1) = DLNODE.DLQ1(1, 2) = 5.0;
  DLQNOD1(0, 1, a);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(a(k), (k >= 3 && k <= 7) ? 5.0 : 0.0) << "node " << k;

  // No load on the pile.
  DLNODE.NDLNOD(1) = 0;
  DLQNOD1(0, 1, a);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(a(k), 0.0);
}

// Pile 1 of 4 increments of 10 from X = head on set 1 of three straight
// curves at X = 0, 20, 40 with moduli 100, 200, 400.
void curvePile(double head, double len = 40.0) {
  test::setLateralRun();
  test::setProperty(1, len, static_cast<int>(len / 10.0));
  test::setPile(1, 1, head);
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  test::setLinearCurves(1, {{0.0, 100.0}, {20.0, 200.0}, {40.0, 400.0}});
}

struct Springs {
  NodeArray y, es, ys1, ys2, psmov, ps;
  void run() { PYTABES(1, y, es, ys1, ys2, psmov, ps); }
};

TEST(CurvesByDepth, ModuliInterpolatedBetweenTheCurvesAroundEachNode) {
  curvePile(0.0);
  GRPFAC.GRPPF(1) = 0.5;
  Springs s;
  for (int i = 4; i <= 8; ++i) s.y(i) = 0.1 * (i - 3);
  s.run();
  EXPECT_EQ(RUNCTL.KPILST, 0);
  EXPECT_DOUBLE_EQ(SOILCOM.GRNDX(1), 0.0);
  // Nodes at 0, 10, 20 (on curve 2: that curve alone), 30, 40.
  const double k[5] = {100.0, 150.0, 200.0, 300.0, 400.0};
  for (int n = 1; n <= 5; ++n) {
    EXPECT_NEAR(s.es(n + 3), 0.5 * k[n - 1], 1e-9) << "node " << n;
  }
  // Reaction of the deeper curve, against the deflection.
  EXPECT_NEAR(s.ps(5), -0.5 * 200.0 * 0.2, 1e-9);
  EXPECT_NEAR(s.ps(6), -0.5 * 200.0 * 0.3, 1e-9);

  // A curved p-y curve: secant at the deflection, p-multipliers by depth.
  USRPY.PYNPT(1, 2) = 3;
  USRPY.PYY(1, 2, 1) = 0.0;
  USRPY.PYP(1, 2, 1) = 0.0;
  USRPY.PYY(1, 2, 2) = 1.0;
  USRPY.PYP(1, 2, 2) = 100.0;
  USRPY.PYY(1, 2, 3) = 2.0;
  USRPY.PYP(1, 2, 3) = 150.0;
  GRPFAC.GRPPF(1) = 1.0;
  RFDCTL.IRFDEP = 1;
  PILEAR.IRFSET(1) = 1;
  RFDEP.NRFPT(1) = 2;
  RFDEP.RFDDEP(1, 1) = 0.0;
  RFDEP.RFDDEP(1, 2) = 40.0;
  RFDEP.RFDPM(1, 1) = RFDEP.RFDPM(1, 2) = 0.8;
  RFDEP.RFDYM(1, 1) = RFDEP.RFDYM(1, 2) = 2.0;
  s.y(6) = 1.5;
  s.run();
  EXPECT_NEAR(s.es(6), 125.0 / 1.5 * 0.8 / 2.0, 1e-9);
  EXPECT_NEAR(s.ps(6), -125.0 * 0.8, 1e-9);
}

// With soil movement the curves act on the signed difference of deflection
// and movement: a movement against the deflection adds to it, and the load of
// the movement and the reaction keep their signs.
TEST(CurvesByDepth, SoilMovementActsOnTheSignedRelativeDeflection) {
  curvePile(0.0);
  USRPY.PYNPT(1, 2) = 3;  // curve 2 (X 20): p 100 at y 1, 150 at y 2
  USRPY.PYY(1, 2, 2) = 1.0;
  USRPY.PYP(1, 2, 2) = 100.0;
  USRPY.PYY(1, 2, 3) = 2.0;
  USRPY.PYP(1, 2, 3) = 150.0;
  SMOV.NSMOV = 2;
  const struct {
    double y, ys;
  } cases[] = {{0.0, 1.5}, {0.0, -1.5}, {0.5, -1.0}, {-0.5, 1.0}, {2.0, 0.5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "deflection " << c.y << ", movement " << c.ys);
    Springs s;
    s.y(6) = c.y;
    s.ys1(6) = c.ys;
    s.run();
    const double r = c.y - c.ys;  // 1.5 in size every time: p = 125
    EXPECT_NEAR(s.es(6), 125.0 / 1.5, 1e-9);
    EXPECT_NEAR(s.psmov(6), 125.0 / 1.5 * c.ys, 1e-9);
    EXPECT_NEAR(s.ps(6), r > 0 ? -125.0 : 125.0, 1e-9);
  }
  SMOV.NSMOV = 0;
}

TEST(CurvesByDepth, NodesAboveTheDepthOriginAndCurvesThatEndTooHigh) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  // Head at -15: nodes at -15 and -5 get no spring.
  curvePile(-15.0);
  Springs s;
  s.es.fill(9.0);
  s.run();
  EXPECT_EQ(RUNCTL.KPILST, 0);
  EXPECT_EQ(s.es(4), 0.0);
  EXPECT_EQ(s.es(5), 0.0);
  EXPECT_NEAR(s.es(6), 125.0, 1e-9);  // at X = 5
  io::CLOSE(U_RESULTS);
  EXPECT_EQ(test::readFile("res.txt"), "");

  // Tip at 50, below the deepest curve at 40.
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res2.txt", io::Access::Write));
  curvePile(0.0, 50.0);
  s.run();
  EXPECT_EQ(RUNCTL.KPILST, 1);
  EXPECT_NEAR(s.es(8), 400.0, 1e-9);  // the nodes above keep their springs
  io::CLOSE(U_RESULTS);
  EXPECT_EQ(test::readLines("res2.txt"),
            (std::vector<std::string>{"", "", "  -  P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"}));

  // A set of one curve at the tip's depth or below covers the pile.
  RUNCTL.KPILST = 0;
  curvePile(0.0);
  test::setLinearCurves(1, {{40.0, 300.0}});
  s.run();
  EXPECT_EQ(RUNCTL.KPILST, 0);
  EXPECT_NEAR(s.es(4), 300.0, 1e-9);
  EXPECT_NEAR(s.es(8), 300.0, 1e-9);
}

}  // namespace
}  // namespace drelm
