// Generated torque-rotation curves: the march against a closed form, the
// tables on the head-curve file, the zero-rigidity block and the fatal paths
// of the tip checks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "transfer/hcfixture.h"

namespace drelm::test {
namespace {

// Soft clay 0 to 1000 in with 2 psi of side friction; a driven pile 40 ft
// long and 12 in wide in one element, GJ = 1.0E10 lb in^2.
class ClayTorsion : public HeadCurveTest {
 protected:
  void SetUp() override {
    HeadCurveTest::SetUp();
    soil({{1, 0.0, 1000.0, 0.036, 5.0, 0.0, 0.01, 2.0, 0.0}});
    pile({});
  }
  // Side friction at the element's mid-point, 240 in below the head: between
  // curve 1 (0.1 in, 1.0E-6 psi) and curve 2 (500.05 in, 2 psi).
  static double tmaxMid() {
    const double d1 = sp(0.1f), d2 = (sp(0.1f) + 1000.0) / 2.0;
    return sp(1.0E-6f) + (2.0 - sp(1.0E-6f)) * (240.0 - d1) / (d2 - d1);
  }
};

// At 1 and 2 in of tip rotation times the radius the side curves are on
// their plateau (0.93 of the friction), so the head torque is
// t x 3.1416 D R x 480 and the twist grows by T/2 x 480 / GJ.
TEST_F(ClayTorsion, HeadTorqueAndTwistAgainstClosedForm) {
  const Call up = tr(KDIR_UPLIFT);
  const Call down = tr(KDIR_COMPRESSION);
  ASSERT_EQ(up.st, 0);
  ASSERT_EQ(down.st, 0);
  EXPECT_EQ(down.n, 9);
  const double torque = sp(0.93f) * tmaxMid() * sp(3.1416f) * 12.0 * 6.0 * 480.0;
  EXPECT_NEAR(torque, 96904.0, 1.0);  // by hand: 0.93 x 0.9597 x 108573.7
  for (int m : {8, 9}) {
    const double tip = (m == 8 ? 1.0 : 2.0) / 6.0;
    EXPECT_NEAR(down.load(m), torque, 1e-6) << m;
    EXPECT_NEAR(down.mov(m), tip + torque / 2.0 * 480.0 / 1.0e10, 1e-12) << m;
  }
  // The tip plays no part: both directions give the same curve.
  for (int m = 1; m <= 9; ++m) {
    EXPECT_EQ(up.load(m), down.load(m)) << m;
    EXPECT_EQ(up.mov(m), down.mov(m)) << m;
    EXPECT_GT(down.load(m), 0.0) << m;
  }
  // Nothing goes to the axial listing or the generated-curve table.
  EXPECT_TRUE(lines(U_AXIAL).empty());
  EXPECT_EQ(AXTZ.AXHLOD(1, 19), 0.0);

  const std::vector<std::string> hc = lines(U_HEADCRV);
  // Uplift: T-q table of three curves, head points; compression: head points.
  const std::size_t tq = 6 + 3 * 11;
  ASSERT_EQ(hc.size(), tq + 2 * (5 + 9));
  const std::vector<std::string> head = {
      "",
      "",
      "     T-q CURVES, PILE PROPERTY:  1",
      "",
      "          CURVE   N. POINTS     DEPTH           T Value         q Value",
      "                                ( IN)          (LBS/ IN)         (RAD)",
      "            1         10      0.1000E+00",
  };
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(hc[i], head[i]) << i;
  // Curve 2, point 6: t R = 2 x 6, z / R = 0.08 / 6.
  EXPECT_EQ(hc[6 + 11], "            2         10      0.5001E+03");
  EXPECT_EQ(hc[6 + 11 + 6], std::string(47, ' ') + "0.1200E+02      0.1333E-01");
  const std::vector<std::string> table = {
      "",
      "",
      "",
      "        TOP  MOM.     TOP MOVEMENT     TIP MOVEMENT     TIP  MOM.",
      "         LBS- IN           RAD              RAD          IN-LBS",
  };
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(hc[tq + i], table[i]) << i;
    EXPECT_EQ(hc[tq + 14 + i], table[i]) << i;
  }
  EXPECT_EQ(hc[tq + 5 + 7], "      -0.9690E+05     -0.1690E+00     -0.1667E+00      0.0000E+00");
  EXPECT_EQ(hc[tq + 5 + 8], "      -0.9690E+05     -0.3357E+00     -0.3333E+00      0.0000E+00");
  EXPECT_EQ(hc[tq + 14 + 5 + 7], "       0.9690E+05      0.1690E+00      0.1667E+00      0.0000E+00");
  EXPECT_EQ(hc[tq + 14 + 5 + 8], "       0.9690E+05      0.3357E+00      0.3333E+00      0.0000E+00");
}

// Tip rotations: the tip movements over the radius, in metres over metres in SI.
TEST_F(HeadCurveTest, TipRotationsInSI) {
  units(2);
  soil({{1, 0.0, 30.0, 8.0, 30.0, 0.0, 0.01, 10.0, 0.0}});
  HcPile p;
  p.len = 12.0;
  p.diam = 0.5;
  p.area = 0.2;
  p.gj = 1.0e15;
  p.ninc = 3;
  pile(p);
  const Call c = tr(KDIR_COMPRESSION);
  ASSERT_EQ(c.st, 0);
  // A torsionally rigid pile twists as its tip.
  const float in[9] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f, 2.0f};
  for (int m = 1; m <= 9; ++m) EXPECT_NEAR(c.mov(m), sp(in[m - 1]) / 0.25 * sp(0.0254f), 1e-10) << m;
}

// A section without torsional rigidity is reported on the results report
// and the runtime log; the curve is still made, the pile taken as rigid.
TEST_F(ClayTorsion, ZeroTorsionalRigidity) {
  SECTAB.SGJT(1, 1) = SECTAB.SGJB(1, 1) = 0.0;
  const Call c = tr(KDIR_COMPRESSION);
  ASSERT_EQ(c.st, 0);
  const std::vector<std::string> block = {"", "", "       ERROR!!!     GJ(TORSIONAL RIGIDITY) IS ZERO", "", ""};
  EXPECT_EQ(lines(U_RESULTS), block);
  EXPECT_EQ(lines(U_LOG), block);
  EXPECT_DOUBLE_EQ(c.mov(8), 1.0 / 6.0);
  EXPECT_NEAR(c.load(8), sp(0.93f) * tmaxMid() * sp(3.1416f) * 12.0 * 6.0 * 480.0, 1e-6);
}

// Tip checks of a driven pile whose tip is in clay or limestone, though the
// tip carries no torque; a drilled shaft and a weak-rock tip are not checked.
TEST_F(HeadCurveTest, TipChecks) {
  const struct {
    const char* name;
    int ptype;
    HcLayer tip;
    int status;
    const char* text;
  } cases[] = {
      {"limestone without E50", 1, {6, 400, 1000, 0.04, 100.0, 0.0, 0.0, 1.0}, 34, "E50"},
      {"clay of no strength", 1, {1, 400, 1000, 0.04, 0.0, 0.0, 0.01, 1.0}, 35, "COHESION"},
      {"stiff clay of no strength, default E50", 1, {10, 400, 1000, 0.04, 0.0, 0.0, 0.0, 1.0}, 35, "COHESION"},
      {"drilled shaft in clay of no strength", 2, {1, 400, 1000, 0.04, 0.0, 0.0, 0.01, 1.0}, 0, nullptr},
      {"weak rock without E50", 1, {9, 400, 1000, 0.04, 100.0, 0.0, 0.0, 1.0}, 0, nullptr},
      // Unlike the load-settlement curve, cohesive sand stays sand here.
      {"cohesive sand", 1, {4, 400, 1000, 0.04, 5.0, 0.0, 0.0, 1.0}, 0, nullptr},
  };
  for (const auto& c : cases) {
    clearTables();
    RUNCONST.EPSCOH = 1.0E-6;
    units(1);
    soil({{1, 0.0, 400.0, 0.036, 5.0, 0.0, 0.01, 1.0}, c.tip});
    HcPile p;
    p.ptype = c.ptype;
    pile(p);
    io::CLOSEALL();
    for (int u : {U_HEADCRV, U_AXIAL, U_RESULTS, U_LOG})
      ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
    Call r;
    r.load(1) = 7.0;
    TRGEN(1, KDIR_COMPRESSION, 1, 1, r.st, r.n, r.load, r.mov);
    EXPECT_EQ(r.st, c.status) << c.name;
    if (c.status == 0) {
      EXPECT_GT(r.load(9), 0.0) << c.name;
      EXPECT_TRUE(lines(U_RESULTS).empty()) << c.name;
      continue;
    }
    EXPECT_EQ(r.load(1), 7.0) << c.name;
    const std::string text = std::string("     THE VALUE OF ") + c.text + " AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE";
    for (int u : {U_RESULTS, U_LOG}) {
      const std::vector<std::string> expect = {"", "                             **** WARNING ****", text};
      EXPECT_EQ(lines(u), expect) << c.name;
    }
  }
}

}  // namespace
}  // namespace drelm::test
