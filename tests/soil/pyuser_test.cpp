// Springs from user p-y curves: interpolation between the curves that
// bracket a node, beyond their points and below the deepest curve, and the
// copy of the input curves with their echo.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "report/writers.h"
#include "model/fileio.h"
#include "prep/prep_steps.h"
#include "model/tables.h"
#include "soil/pyfixture.h"
#include "soil/pysoil.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// Set 1: curves at X = 24, 60 and 120 through (0, 0), (1, P) and (2, 1.5 P)
// with P = 100, 200 and 400; pile 1 of width 12, 240 long in 20 increments
// of 12, its head at the ground (X = 0), in one layer of user curves.
void userFixture() {
  test::setRun();
  test::setSoil({{5, 0, 300}});
  test::setPile(1, 12, 240, 20);
  PILEPROP.DXINC(1) = 12;
  PILEAR.IPYSET(1) = -1;
  USRPY.NPYSET = 1;
  USRPY.PYNCRV(1) = 3;
  const double dep[3] = {24, 60, 120}, P[3] = {100, 200, 400};
  for (int c = 1; c <= 3; ++c) {
    USRPY.PYDEP(1, c) = dep[c - 1];
    USRPY.PYNPT(1, c) = 3;
    for (int k = 1; k <= 3; ++k) USRPY.PYY(1, c, k) = k - 1;
    USRPY.PYP(1, c, 1) = 0;
    USRPY.PYP(1, c, 2) = P[c - 1];
    USRPY.PYP(1, c, 3) = 1.5 * P[c - 1];
  }
}

TEST(PyUser, InterpolatesBetweenTheBracketingCurves) {
  test::ScratchDir dir;
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  userFixture();
  struct Node {
    const char* name;
    int node;
    double y, es, ps;
  } nodes[] = {
      // w = (60 - X) / 36 between curves 1 and 2. The spring is interpolated
      // by depth; the reaction is the deeper curve's at the deflection.
      {"above the first curve: extrapolated, w = 5/3", 1, 0.5, 200 - 5.0 / 3 * 100, -100},
      {"zero deflection: secants of the first segments", 2, 0.0, 200 - 4.0 / 3 * 100, 0.0},
      {"between curves 1 and 2, w = 2/3", 4, 0.5, 200 - 2.0 / 3 * 100, -100},
      {"at curve 2: curve 2 alone", 6, 0.5, 200, -100},
      // X = 96, w = 0.4: secants 250 / 1.5 and 500 / 1.5; curve 3 gives 500.
      {"between curves 2 and 3 on the second segments", 9, 1.5, 400 / 1.5, -500},
      {"beyond the last points: the last resistance", 10, 3.0, (600 - 300 * 12.0 / 60) / 3.0, -600},
      {"below the deepest curve: curve 3 alone", 21, 3.0, 200, -600},
  };
  test::Springs s;
  for (const Node& n : nodes) s.y(n.node) = n.y;
  s.run();
  io::CLOSEALL();
  ASSERT_EQ(s.st, 0);
  for (const Node& n : nodes) {
    SCOPED_TRACE(n.name);
    EXPECT_NEAR(s.es(n.node), n.es, 1e-9 * std::fabs(n.es) + 1e-12);
    EXPECT_NEAR(s.ps(n.node), n.ps, 1e-9 * std::fabs(n.ps) + 1e-9);
  }
  // Nodes 12 to 21 lie below the deepest curve: one note each.
  Lines expected;
  for (int k = 12; k <= 21; ++k)
    for (const char* l : {"", "", "     P-Y CURVES DO NOT EXTEND THE LENGTH OF THE PILE"}) expected.push_back(l);
  EXPECT_EQ(test::readLines("echo"), expected);

  // The layer's cumulative resistance: the interpolated last resistances
  // times the node spacing.
  double sum = 0.0;
  for (int k = 1; k <= 21; ++k) {
    const double x = 12.0 * (k - 1);
    sum += 12 * (x <= 60 ? 300 - (60 - x) / 36 * 150 : x <= 120 ? 600 - (120 - x) / 60 * 300 : 600);
  }
  EXPECT_NEAR(PYLAYR.CUMPU(1, 1), sum, 1e-9 * sum);
}

TEST(PyUser, MultipliersSoilMovementAndTheCapPass) {
  userFixture();
  GRPFAC.GRPPF(1) = 0.5;
  GRPFAC.GRPYF(1) = 2.0;
  SMOV.NSMOV = 1;
  CAPCTL.ICAPOP = 1;
  // The cap pass looks the curves up at 0.99 x the head X, at the cap's
  // movement (not the head deflection); the ground stays at 0.
  PILEAR.PHXREF(1) = 50;
  PILEAR.PGRND(1) = -50;
  CAPCTL.CAPUHM = 0.5;
  test::Springs s;
  s.y(6) = 0.7;
  s.ys1(6) = 0.2;  // 0.5 relative to the soil
  s.y(1) = 0.9;
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_NEAR(s.es(6), 0.5 * 100 / (0.5 * 2), 1e-9);
  EXPECT_NEAR(s.ps(6), -0.5 * 100, 1e-9);
  EXPECT_NEAR(s.psmov(6), s.es(6) * 0.2, 1e-12);
  // X = 49.5 between curves 1 and 2: p = 100 - w 50 at 0.5, w = (60 - X) / 36.
  const double X = static_cast<double>(0.99f) * 50;
  EXPECT_NEAR(SOILCOM.PUCAP(1), 100 - (60 - X) / 36 * 50, 1e-9);
}

// Multipliers along depth: the spring takes pm / ym, the reaction pm, as in
// every other criterion; between curves the reaction stays the deeper curve's.
TEST(PyUser, DepthMultipliersOnSpringAndReaction) {
  userFixture();
  RFDCTL.IRFDEP = 1;
  PILEAR.IRFSET(1) = 1;
  RFDEP.NRFPT(1) = 2;
  RFDEP.RFDDEP(1, 1) = 0;
  RFDEP.RFDDEP(1, 2) = 240;
  for (int k = 1; k <= 2; ++k) {
    RFDEP.RFDPM(1, k) = 0.5;
    RFDEP.RFDYM(1, k) = 2.0;
  }
  test::Springs s;
  s.y(4) = 0.5;   // X = 36, w = 2/3 between curves 1 and 2
  s.y(9) = -1.5;  // X = 96, w = 0.4 between curves 2 and 3, deflected the other way
  s.run();
  ASSERT_EQ(s.st, 0);
  EXPECT_NEAR(s.es(4), (200 - 2.0 / 3 * 100) * 0.5 / 2.0, 1e-9);
  EXPECT_NEAR(s.ps(4), -0.5 * 100, 1e-9);
  EXPECT_NEAR(s.es(9), 400 / 1.5 * 0.5 / 2.0, 1e-9);
  EXPECT_NEAR(s.ps(9), 0.5 * 500, 1e-9);
}

// A set of a single curve serves every node; a pile in a layer of user
// curves without a set of them stops the run.
TEST(PyUser, SingleCurveAndMissingSet) {
  test::ScratchDir dir;
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  io::OPEN(U_LOG, "log", io::Access::Write);
  io::OPEN(U_RESULTS, "out", io::Access::Write);
  userFixture();
  USRPY.PYNCRV(1) = 1;
  test::Springs s;
  s.y(2) = 0.5;
  s.y(4) = 0.5;
  s.run();
  EXPECT_EQ(s.st, 0);
  EXPECT_NEAR(s.es(2), 100, 1e-9);
  EXPECT_NEAR(s.es(4), 100, 1e-9);

  for (int set : {0, 2}) {
    PILEAR.IPYSET(1) = set;
    test::Springs t;
    t.run();
    EXPECT_EQ(t.st, STAT_CAPACITY) << set;
  }
  io::CLOSEALL();
  const std::string log = test::readFile("log");
  EXPECT_NE(log.find("     SOIL LAYER   1 TAKES USER-DEFINED P-Y CURVES, BUT PILE     1\n"
                     "     HAS NO SET OF USER P-Y CURVES (SET     2).\n"),
            std::string::npos);
  EXPECT_NE(test::readFile("out").find("**** FATAL ERROR ****"), std::string::npos);
}

TEST(PyUser, InputCurvesAreCopiedAndEchoed) {
  test::ScratchDir dir;
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  test::setRun();
  RUNCTL.IUSRPY = 1;
  INPCRV.NPYSET = 1;
  INPCRV.UPYNC(1) = 1;
  INPCRV.UPYDEP(1, 1) = 120.0;
  INPCRV.UPYNPT(1, 1) = 2;
  INPCRV.UPYY(1, 1, 2) = 0.5;
  INPCRV.UPYP(1, 1, 2) = 250.0;
  std::int32_t st = 0;
  PRPUPY(st);
  io::CLOSEALL();
  EXPECT_EQ(st, 0);
  EXPECT_EQ(USRPY.NPYSET, 1);
  EXPECT_EQ(USRPY.PYNPT(1, 1), 2);
  EXPECT_EQ(USRPY.PYDEP(1, 1), 120.0);
  EXPECT_EQ(USRPY.PYP(1, 1, 2), 250.0);
  EXPECT_EQ(USRPY.PYY(1, 1, 2), 0.5);
  const std::string B10(10, ' ');
  EXPECT_EQ(test::readLines("echo"),
            (Lines{"", "", "", "     * TABLE G *   INPUT P-Y CURVES", "", "       NUM OF SETS :  1", "", "",
                   "       SET  1          NUM OF CURVES  1", "", "",
                   "        CURVE       1      DISTANCE FROM ORIGIN (X-COORD.)   " + realField(10, 5, 10.0) +
                       UNITLB.ULBIG3.str() + " ",
                   " ",
                   "            POINT             P" + UNITLB.ULFRC4.str() + "                 Y" +
                       UNITLB.ULLEN3.str(),
                   B10 + "    1" + std::string(11, ' ') + realField(12, 5, 0.0) + std::string(9, ' ') +
                       realField(12, 5, 0.0) + " ",
                   B10 + "    2" + std::string(11, ' ') + realField(12, 5, 250.0) + std::string(9, ' ') +
                       realField(12, 5, 0.5) + " "}));

  // Without the switch nothing is copied or written.
  clearTables();
  INPCRV.NPYSET = 1;
  PRPUPY(st);
  EXPECT_EQ(USRPY.NPYSET, 0);
}

}  // namespace
}  // namespace drelm
