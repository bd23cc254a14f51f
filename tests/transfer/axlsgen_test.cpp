// Generated load-settlement curves: side and tip curves against hand values,
// the march from the tip to the head against closed forms, the tables on the
// head-curve file and the axial listing line by line, and the fatal paths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "transfer/hcfixture.h"
#include "transfer/hcwork.h"

namespace drelm::test {
namespace {

// Soft clay, 0 to 1000 in: c = 5 psi, E50 = 0.01, unit side friction 2 psi
// given, tip resistance left to the estimate. A driven pile 40 ft long,
// 12 in wide, 100 in^2 of area, E = 3.0E6 psi, in one element.
class ClayPile : public HeadCurveTest {
 protected:
  void SetUp() override {
    HeadCurveTest::SetUp();
    soil({{1, 0.0, 1000.0, 0.036, 5.0, 0.0, 0.01, 2.0, 0.0}});
    pile({});
  }
};

// Both calls of a curve, then every line of the axial listing and the tables
// of the head-curve file. Hand values: the tip capacity 9 c A = 4500 lb
// (0.0045 lb with the uplift's token area), w50 = 2 x 12 x 0.01, so the q-w
// points are (0.12 (j-1), 4500 sqrt((j-1)/8)) up to 0.96 in and held to
// 9.6 in. At 1 and 2 in of tip movement the side curves are on their plateau,
// 0.93 x 2 psi, so the side force is 0.93 x 2 x 3.1416 x 12 x 480 = 33657.85
// lb whatever the movement, and the head moves the tip movement plus
// (P_tip + 33657.85 / 2) x 480 / 3.0E8.
TEST_F(ClayPile, TablesOfBothCallsLineByLine) {
  const Call up = axls(KDIR_UPLIFT);
  const Call down = axls(KDIR_COMPRESSION);
  ASSERT_EQ(up.st, 0);
  ASSERT_EQ(down.st, 0);
  EXPECT_EQ(up.n, 9);
  EXPECT_EQ(down.n, 9);

  const std::vector<std::string> ax = lines(U_AXIAL);
  // Header, then per tip movement an empty line, two heading lines, the
  // element line and the head line.
  ASSERT_EQ(ax.size(), 4u + 2 * 9 * 5);
  EXPECT_EQ(ax[0], "");
  EXPECT_EQ(ax[1], "     T-Z CURVES, PILE PROPERTY:    1");
  EXPECT_EQ(ax[2], "");
  EXPECT_EQ(ax[3], " 9 1 9 1 480.0");
  for (int b = 0; b < 18; ++b) {
    const std::size_t at = 4 + 5 * b;
    EXPECT_EQ(ax[at], "") << b;
    EXPECT_EQ(ax[at + 1], "       N    DEPTH      AXIAL LOAD           MOVEMENT") << b;
    EXPECT_EQ(ax[at + 2], "              IN            LBS                 IN") << b;
  }
  // Uplift, 1 and 2 in of tip movement: negated loads and movements.
  EXPECT_EQ(ax[4 + 5 * 7 + 3], "       1   480.000   -0.4500000E-02      -0.1000000E+01");
  EXPECT_EQ(ax[4 + 5 * 7 + 4], "       2     0.000   -0.3365785E+05      -0.1026926E+01");
  EXPECT_EQ(ax[4 + 5 * 8 + 4], "       2     0.000   -0.3365785E+05      -0.2026926E+01");
  // Compression.
  EXPECT_EQ(ax[4 + 5 * 16 + 3], "       1   480.000    0.4500000E+04       0.1000000E+01");
  EXPECT_EQ(ax[4 + 5 * 16 + 4], "       2     0.000    0.3815784E+05       0.1034126E+01");
  EXPECT_EQ(ax[4 + 5 * 17 + 3], "       1   480.000    0.4500000E+04       0.2000000E+01");
  EXPECT_EQ(ax[4 + 5 * 17 + 4], "       2     0.000    0.3815784E+05       0.2034126E+01");
  // The first tip movement: the tip load on the first q-w segment,
  // 4500 sqrt(1/8) x 0.0001 / 0.12 = 1.325825.
  EXPECT_EQ(ax[4 + 5 * 9 + 3], "       1   480.000    0.1325825E+01       0.1000000E-03");

  const std::vector<std::string> hc = lines(U_HEADCRV);
  // Uplift: t-z table of five curves (two at the ground and three in the
  // layer), then the head points. Compression: q-w table, head points.
  const std::size_t tz = 6 + 5 * 11;
  ASSERT_EQ(hc.size(), tz + 5 + 9 + 5 + 10 + 5 + 9);
  const std::vector<std::string> head = {
      "",
      "",
      "     T-Z CURVES, PILE PROPERTY:  1",
      "",
      "          CURVE   N. POINTS     DEPTH           T Value         Z Value",
      "                                ( IN)           ( PSI )          ( IN)",
      "            1         10      0.0000E+00",
      "                                               0.0000E+00      0.0000E+00",
  };
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(hc[i], head[i]) << i;
  // The curves at the ground carry 1.0E-6 psi; point 6 of the driven-pile
  // clay shape is the full friction.
  EXPECT_EQ(hc[6 + 6], "                                               0.1000E-05      0.8000E-01");
  EXPECT_EQ(hc[6 + 33], "            4         10      0.5001E+03");
  EXPECT_EQ(hc[6 + 33 + 6], "                                               0.2000E+01      0.8000E-01");
  EXPECT_EQ(hc[6 + 33 + 10], "                                               0.1860E+01      0.1000E+02");

  const std::vector<std::string> upHead = {
      "",
      "",
      "",
      "        TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT     TIP  LOAD",
      "           LBS              IN               IN            LBS",
  };
  for (std::size_t i = 0; i < upHead.size(); ++i) EXPECT_EQ(hc[tz + i], upHead[i]) << i;
  EXPECT_EQ(hc[tz + 5 + 7], "      -0.3365785E+05 -0.1026926E+01 -0.1000000E+01 -0.4500000E-02");
  EXPECT_EQ(hc[tz + 5 + 8], "      -0.3365785E+05 -0.2026926E+01 -0.2000000E+01 -0.4500000E-02");

  const std::size_t qw = tz + 5 + 9;
  const std::vector<std::string> qwLines = {
      "",
      "     Q-W CURVE, PILE PROPERTY:  1",
      "",
      "         Q Value            W Value",
      "          (LBS)              ( IN)",
      "        0.0000E+00         0.0000E+00",
      "        0.1591E+04         0.1200E+00",
      "        0.2250E+04         0.2400E+00",
      "        0.2756E+04         0.3600E+00",
      "        0.3182E+04         0.4800E+00",
      "        0.3558E+04         0.6000E+00",
      "        0.3897E+04         0.7200E+00",
      "        0.4209E+04         0.8400E+00",
      "        0.4500E+04         0.9600E+00",
      "        0.4500E+04         0.9600E+01",
  };
  for (std::size_t i = 0; i < qwLines.size(); ++i) EXPECT_EQ(hc[qw + i], qwLines[i]) << i;
  const std::size_t dn = qw + qwLines.size();
  for (std::size_t i = 0; i < upHead.size(); ++i) EXPECT_EQ(hc[dn + i], upHead[i]) << i;
  EXPECT_EQ(hc[dn + 5 + 0], "       0.6647004E+02  0.1542367E-03  0.1000000E-03  0.1325825E+01");
  EXPECT_EQ(hc[dn + 5 + 7], "       0.3815784E+05  0.1034126E+01  0.1000000E+01  0.4500000E+04");
  EXPECT_EQ(hc[dn + 5 + 8], "       0.3815784E+05  0.2034126E+01  0.2000000E+01  0.4500000E+04");

  // The returned points are positive in both directions; the table of the
  // generated curves holds the uplift half negated and reversed.
  const double side = sp(0.93f) * 2.0 * sp(3.1416f) * 12.0 * 480.0;
  EXPECT_NEAR(down.load(8), 4500.0 + side, 1e-6);
  EXPECT_NEAR(down.mov(8), 1.0 + (4500.0 + side / 2.0) * 480.0 / 3.0e8, 1e-12);
  EXPECT_NEAR(up.load(9), sp(0.0001f) * 45.0 + side, 1e-6);
  EXPECT_NEAR(up.mov(9), 2.0 + (sp(0.0001f) * 45.0 + side / 2.0) * 480.0 / 3.0e8, 1e-12);
  for (int m = 1; m <= 9; ++m) {
    EXPECT_GT(up.load(m), 0.0);
    EXPECT_EQ(AXTZ.AXHLOD(1, 10 - m), -up.load(m));
    EXPECT_EQ(AXTZ.AXHMOV(1, 10 - m), -up.mov(m));
    EXPECT_EQ(AXTZ.AXHLOD(1, 10 + m), down.load(m));
    EXPECT_EQ(AXTZ.AXHMOV(1, 10 + m), down.mov(m));
  }
  EXPECT_EQ(AXTZ.AXHLOD(1, 10), 0.0);
  EXPECT_EQ(AXTZ.AXTMOV(1, 10), 0.0);
  EXPECT_EQ(AXTZ.AXTMOV(1, 19), 2.0);
  EXPECT_EQ(AXTZ.AXTMOV(1, 1), -2.0);
  EXPECT_EQ(AXTZ.AXTLOD(1, 19), 4500.0);
  for (int k = 1; k < 19; ++k) {
    EXPECT_LT(AXTZ.AXHMOV(1, k), AXTZ.AXHMOV(1, k + 1)) << k;
  }
}

// Ultimate side friction of the side curves: profile value where given, else
// the estimate at the depth below the ground at the pile. Curves 1 and 2 sit
// at the ground with 1.0E-6; then three per layer.
TEST_F(HeadCurveTest, SideFrictionOfTheCurves) {
  const double G = sp(0.1f);
  const double tanSand = std::tan(30.0 * M_PI / 180.0 - sp(0.087f));
  auto beta = [](double zIn) { return std::clamp(1.5 - 0.135 * std::sqrt(zIn / 12.0), 0.25, 1.2); };
  const struct {
    const char* name;
    int code, ptype;
    double c, phi, fs, pgrnd;
    int k;        // curve checked
    double tmax;  // by hand
  } cases[] = {
      // Alpha method: psi = 5 / (0.036 z); below 1 alpha = 0.5 / sqrt(psi).
      {"clay near ground", 1, 1, 5.0, 0, 0, 0, 3, 5.0 * 0.5 / std::pow(5.0 / (0.036 * G), 0.25)},
      {"clay middle", 1, 1, 5.0, 0, 0, 0, 4, 5.0 * 0.5 / std::sqrt(5.0 / (0.036 * (G + 1000) / 2))},
      {"weak clay raised to alpha 1", 1, 1, 3.0, 0, 0, 0, 3, 3.0},
      {"given friction", 1, 1, 5.0, 0, 2.5, 0, 4, 2.5},
      {"at the ground", 1, 1, 5.0, 0, 2.5, 0, 2, sp(1.0E-6f)},
      {"drilled clay", 3, 2, 5.0, 0, 0, 0, 5, sp(0.55f) * 5.0},
      {"vuggy rock", 6, 1, 400.0, 0, 0, 0, 4, sp(0.1f) * 400.0},
      {"driven sand", 4, 1, 0, 30, 0, 0, 4, sp(0.8f) * 0.04 * (G + 1000) / 2 * tanSand},
      // The depth counts from the ground at the pile, not the soil top.
      {"driven sand, ground 100 in below the head", 4, 1, 0, 30, 0, 100, 4,
       sp(0.8f) * 0.04 * ((100 + G + 1000) / 2 - 100) * tanSand},
      {"drilled sand", 8, 2, 0, 30, 0, 0, 4, beta((G + 1000) / 2) * 0.04 * (G + 1000) / 2},
      {"drilled sand, ground 100 in below the head", 8, 2, 0, 30, 0, 100, 5,
       beta(1000 - G - 100) * 0.04 * (1000 - G - 100)},
      {"user curves keep the profile's zero", 5, 1, 5.0, 30, 0, 0, 4, 0.0},
  };
  for (const auto& c : cases) {
    clearTables();
    units(1);
    RUNCONST.EPSCOH = 1.0E-6;
    soil({{c.code, 0.0, 1000.0, c.code == 4 || c.code == 8 ? 0.04 : 0.036, c.c, c.phi, 0.01, c.fs, 0.0}});
    HcPile p;
    p.ptype = c.ptype;
    p.pgrnd = c.pgrnd;
    pile(p);
    HCWORK W;
    std::int32_t st = 0;
    HCSIDE(1, 1, HcKind::Axial, W, st);
    ASSERT_EQ(st, 0) << c.name;
    ASSERT_EQ(W.NCRV, 5) << c.name;
    EXPECT_EQ(W.TZDEP(1), c.pgrnd) << c.name;
    EXPECT_EQ(W.TZDEP(2), c.pgrnd) << c.name;
    EXPECT_EQ(W.TZDEP(3), c.pgrnd + G) << c.name;
    EXPECT_EQ(W.TZDEP(4), (c.pgrnd + G + 1000.0) / 2.0) << c.name;
    EXPECT_EQ(W.TZDEP(5), 1000.0 - G) << c.name;
    EXPECT_NEAR(W.TZMAX(c.k), c.tmax, 1e-6 * std::max(1.0, std::fabs(c.tmax))) << c.name;
    EXPECT_NEAR(W.TZPHI(c.k), c.phi * M_PI / 180.0 * 180.0 / sp(3.1416f), 1e-9) << c.name;
  }
}

// The torsional set drops the two curves at the ground; layers below the
// first start at their top.
TEST_F(HeadCurveTest, CurveDepthsOfLayers) {
  soil({{1, 0.0, 100.0, 0.036, 5.0, 0, 0.01, 1.0}, {3, 100.0, 300.0, 0.036, 9.0, 0, 0.01, 3.0}});
  pile({});
  const double G = sp(0.1f);
  HCWORK W;
  std::int32_t st = 0;
  HCSIDE(1, 1, HcKind::Torsion, W, st);
  ASSERT_EQ(st, 0);
  ASSERT_EQ(W.NCRV, 6);
  const double dep[6] = {G, (G + 100) / 2, 100 - G, 100 + G, (100 + G + 300) / 2, 300 - G};
  const double tmax[6] = {sp(1.0E-6f), 1.0, 1.0, 3.0, 3.0, 3.0};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_DOUBLE_EQ(W.TZDEP(k), dep[k - 1]) << k;
    EXPECT_DOUBLE_EQ(W.TZMAX(k), tmax[k - 1]) << k;
    EXPECT_EQ(W.TZTYP(k), k <= 3 ? 1 : 3) << k;
  }
}

// A drilled shaft in sand, SI, its head 1 m above the ground: the tip curve
// of a drilled shaft in sand (Q = factor x 1530 kPa x A for 33 degrees,
// W = factor x D) and, with an axially rigid pile, the head load equal to
// the tip load plus the side curves' resistance at the tip movement.
TEST_F(HeadCurveTest, DrilledShaftInSandAgainstClosedForm) {
  units(2);
  soil({{4, 1.0, 30.0, 10.0, 0.0, 33.0, 0.0, 0.0, 0.0}});
  HcPile p;
  p.ptype = 2;
  p.len = 12.0;
  p.diam = 0.6;
  p.area = M_PI * 0.09;
  p.emod = 1.0e15;
  p.ninc = 2;
  p.pgrnd = 1.0;
  pile(p);
  const Call c = axls(KDIR_COMPRESSION);
  ASSERT_EQ(c.st, 0);

  // Side friction of curve 3 (just below the ground) and curve 4 (middle):
  // beta gamma z with beta = 1.5 - 0.135 sqrt(z / 0.3048).
  const double G = sp(0.00254f);
  const double x3 = 1.0 + G, x4 = (1.0 + G + 30.0) / 2.0;
  auto fs = [](double z) { return std::clamp(1.5 - 0.135 * std::sqrt(z / sp(0.3048f)), 0.25, 1.2) * 10.0 * z; };
  EXPECT_NEAR(fs(x4 - 1.0), 82.487, 0.001);  // by hand: 0.568829 x 10 x 14.50127
  const double qmax = sp(222.2f) * 6.894757293168361 * p.area;  // 222.2 psi in kPa

  // Tip curve, from the q-w table.
  const std::vector<std::string> hc = lines(U_HEADCRV);
  std::size_t at = 0;
  while (at < hc.size() && hc[at].find("Q-W CURVE") == std::string::npos) ++at;
  ASSERT_LT(at + 14, hc.size());
  const double wd[10] = {0, 0.005, 0.01, 0.015, 0.025, 0.03, 0.04, 0.05, 0.07, 0.10};
  const double qf[10] = {0, 0.175, 0.345, 0.485, 0.65, 0.73, 0.88, 1.015, 1.195, 1.46};
  for (int j = 0; j < 10; ++j) {
    std::istringstream in(hc[at + 4 + j]);
    double q = -1, w = -1;
    in >> q >> w;
    EXPECT_NEAR(q, qf[j] * qmax, 1e-3 * qmax) << j;
    EXPECT_NEAR(w, wd[j] * 0.6, 1e-3 * 0.6) << j;
  }

  // Ninth tip movement: 2 in in metres, the diameter being below 40 in.
  // The drilled-shaft sand shape at w / D = 0.0508 / 0.6 lies between its
  // points 9 (0.016, 0.96) and 10 (0.10, 0.95).
  const double w0 = 2.0 * sp(0.0254f);
  const double r = w0 / 0.6;
  const double f = 0.96 + (0.95 - 0.96) * (r - 0.016) / (0.10 - 0.016);
  const double q0 = qmax * (1.46 - (1.46 - 1.195) * (0.06 - w0) / 0.018);
  // Element mid-points at X = 9 m and 3 m, between curves 3 and 4.
  auto t = [&](double x) { return f * (fs(x3 - 1.0) + (fs(x4 - 1.0) - fs(x3 - 1.0)) * (x - x3) / (x4 - x3)); };
  const double expect = q0 + (t(9.0) + t(3.0)) * sp(3.1416f) * 0.6 * 6.0;
  EXPECT_NEAR(c.load(9), expect, 1e-3 * expect);
  EXPECT_NEAR(c.mov(9), w0, 1e-9);
  EXPECT_NEAR(AXTZ.AXTMOV(1, 19), w0, 1e-7);
}

// One shaft in English and in SI units: soft clay, a long flexible driven
// pile in many elements, so that the march converges element by element on
// the same physical tolerance in both systems and the head curves agree.
TEST_F(HeadCurveTest, SameShaftInEnglishAndSiUnits) {
  const double in = 0.0254, psi = 6.894757293168361, lb = 4.4482216152605e-3;
  const double pci = psi / in;  // lb/in^3 to kN/m^3
  HcPile p;
  p.len = 1200.0;
  p.diam = 12.0;
  p.area = 100.0;
  p.emod = 3.0e4;
  p.ninc = 40;
  for (int kdir : {KDIR_UPLIFT, KDIR_COMPRESSION}) {
    SCOPED_TRACE(kdir);
    units(1);
    soil({{1, 0.0, 2000.0, 0.036, 5.0, 0.0, 0.01, 0.0, 0.0}});
    pile(p);
    const Call en = axls(kdir);
    ASSERT_EQ(en.st, 0);
    units(2);
    soil({{1, 0.0, 2000.0 * in, 0.036 * pci, 5.0 * psi, 0.0, 0.01, 0.0, 0.0}});
    HcPile q = p;
    q.len *= in;
    q.diam *= in;
    q.area *= in * in;
    q.emod *= psi;
    pile(q);
    const Call si = axls(kdir);
    ASSERT_EQ(si.st, 0);
    ASSERT_EQ(si.n, en.n);
    for (int m = 1; m <= en.n; ++m) {
      EXPECT_NEAR(si.load(m), en.load(m) * lb, 2e-4 * en.load(m) * lb) << m;
      EXPECT_NEAR(si.mov(m), en.mov(m) * in, 2e-4 * en.mov(m) * in) << m;
    }
  }
}

// A driven pile in sand: the tip capacity is Nq gamma d A with Nq = 32 at 33
// degrees and d the tip's depth below the ground; the q-w curve follows
// (W / 0.05 D)^n with n = 0.333 for 33 degrees, beyond the capacity for
// movements above 0.05 D.
TEST_F(HeadCurveTest, DrivenPileTipInSand) {
  soil({{4, 0.0, 1000.0, 0.04, 0.0, 33.0, 0.0, 1.0, 0.0}});
  HcPile p;
  p.pgrnd = 20.0;
  pile(p);
  ASSERT_EQ(axls(KDIR_COMPRESSION).st, 0);
  const double qmax = 32.0 * 0.04 * (480.0 - 20.0) * 100.0;
  const double mov[10] = {0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.4, 0.8, 5.0};
  const std::vector<std::string> hc = lines(U_HEADCRV);
  std::size_t at = 0;
  while (at < hc.size() && hc[at].find("Q-W CURVE") == std::string::npos) ++at;
  ASSERT_LT(at + 14, hc.size());
  for (int j = 0; j < 10; ++j) {
    std::istringstream in(hc[at + 4 + j]);
    double q = -1, w = -1;
    in >> q >> w;
    const double expect = qmax * std::pow(mov[j] / 0.6, sp(0.333f));
    EXPECT_NEAR(q, expect, 1e-3 * std::max(expect, 1.0)) << j;
    EXPECT_NEAR(w, mov[j], 1e-3 * mov[j]) << j;
  }
}

// The ninth tip movement is 0.05 D beyond 40 in of diameter, in either
// units system.
TEST_F(HeadCurveTest, NinthTipMovementFollowsLargeDiameters) {
  const struct {
    int units;
    double diam, last;
  } cases[] = {{1, 36.0, 2.0}, {1, 60.0, sp(0.05f) * 60.0}, {2, 0.9, 2.0 * sp(0.0254f)},
               {2, 1.5, sp(0.05f) * 1.5}};
  for (const auto& c : cases) {
    clearTables();
    RUNCONST.EPSCOH = 1.0E-6;
    units(c.units);
    soil({{4, 0.0, c.units == 1 ? 1000.0 : 30.0, 0.04, 0.0, 33.0, 0.0, 1.0, 1.0}});
    HcPile p;
    p.len = c.units == 1 ? 480 : 12;
    p.diam = c.diam;
    pile(p);
    ASSERT_EQ(axls(KDIR_COMPRESSION).st, 0);
    EXPECT_DOUBLE_EQ(AXTZ.AXTMOV(1, 19), c.last) << c.diam;
  }
}

// Zero E50 or zero strength at a driven pile's clay tip ends the call with
// its warning on the results report and the runtime log, and nothing of the
// curve is stored.
TEST_F(HeadCurveTest, ZeroTipValuesOfAClayTip) {
  const struct {
    const char* name;
    HcLayer tip;
    int kdir, status;
    const char* text;
  } cases[] = {
      {"limestone without E50", {6, 400, 1000, 0.04, 100.0, 0.0, 0.0, 1.0}, 2, 32, "E50"},
      // A cohesive soil coded as sand takes the clay rules; sand has no E50 default.
      {"cohesive sand", {4, 400, 1000, 0.04, 5.0, 0.0, 0.0, 1.0}, 1, 32, "E50"},
      {"clay of no strength", {1, 400, 1000, 0.04, 0.0, 0.0, 0.01, 1.0}, 2, 33, "COHESION"},
      {"clay of no strength, uplift", {3, 400, 1000, 0.04, 0.0, 0.0, 0.0, 1.0}, 1, 33, "COHESION"},
  };
  for (const auto& c : cases) {
    clearTables();
    RUNCONST.EPSCOH = 1.0E-6;
    units(1);
    soil({{1, 0.0, 400.0, 0.036, 5.0, 0.0, 0.01, 1.0}, c.tip});
    pile({});
    io::CLOSEALL();
    for (int u : {U_HEADCRV, U_AXIAL, U_RESULTS, U_LOG})
      ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
    Call r;
    r.load(1) = r.mov(1) = 7.0;
    AXLSGEN(1, c.kdir, 1, 1, r.st, r.n, r.load, r.mov);
    EXPECT_EQ(r.st, c.status) << c.name;
    EXPECT_EQ(r.load(1), 7.0) << c.name;
    EXPECT_EQ(r.mov(1), 7.0) << c.name;
    for (int k = 1; k <= 19; ++k) EXPECT_EQ(AXTZ.AXHLOD(1, k), 0.0) << c.name;
    EXPECT_TRUE(lines(U_AXIAL).empty()) << c.name;
    const std::string text =
        std::string("     THE VALUE OF ") + c.text + " AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE";
    for (int u : {U_RESULTS, U_LOG}) {
      const std::vector<std::string> l = lines(u);
      ASSERT_EQ(l.size(), 3u) << c.name;
      EXPECT_EQ(l[0], "");
      EXPECT_EQ(l[1], "                             **** WARNING ****");
      EXPECT_EQ(l[2], text);
    }
  }
}

// A depth beyond the soil profile ends the call with the look-up's status.
TEST_F(HeadCurveTest, PileBelowTheProfile) {
  soil({{1, 0.0, 300.0, 0.036, 5.0, 0.0, 0.01, 1.0, 0.0}});
  pile({});
  const Call c = axls(KDIR_COMPRESSION);
  EXPECT_NE(c.st, 0);
  EXPECT_EQ(AXTZ.AXHLOD(1, 11), 0.0);
}

// Pile properties the generator cannot work with, and a section without
// axial rigidity, are refused with status 43 and a fatal block naming them.
TEST_F(HeadCurveTest, UnusablePileProperty) {
  const struct {
    const char* name;
    void (*spoil)();
    const char* text;
  } cases[] = {
      {"installation type", [] { PILEPROP.PTYPE(1) = 3; }, "INSTALLATION TYPE 3"},
      {"no increments", [] { PILEPROP.NINC(1) = 0; }, "0 INCREMENTS"},
      {"no sections", [] { PILEPROP.NSECT(1) = 0; }, "0 SECTION ROWS"},
      {"no diameter", [] { SECTAB.SDIAT(1, 1) = 0.0; }, "ZERO DIAMETER"},
      {"no area", [] { SECTAB.SAREAB(1, 1) = 0.0; }, "NO AXIAL RIGIDITY"},
  };
  for (const auto& c : cases) {
    clearTables();
    RUNCONST.EPSCOH = 1.0E-6;
    units(1);
    soil({{1, 0.0, 1000.0, 0.036, 5.0, 0.0, 0.01, 1.0}});
    pile({});
    c.spoil();
    const Call r = axls(KDIR_COMPRESSION);
    EXPECT_EQ(r.st, STAT_CAPACITY) << c.name;
    const std::vector<std::string> log = lines(U_LOG);
    ASSERT_GE(log.size(), 3u) << c.name;
    EXPECT_EQ(log[log.size() - 2], "                             **** FATAL ERROR ****") << c.name;
    EXPECT_NE(log.back().find(c.text), std::string::npos) << log.back();
  }
}

// A pile standing 200 in above the ground carries side resistance only
// below it; above it the pile only shortens elastically.
TEST_F(HeadCurveTest, PileStandingAboveTheGround) {
  soil({{1, 0.0, 1000.0, 0.036, 5.0, 0.0, 0.01, 2.0, 0.0}});
  HcPile p;
  p.pgrnd = 200.0;
  p.ninc = 4;
  pile(p);
  const Call c = axls(KDIR_COMPRESSION);
  ASSERT_EQ(c.st, 0);
  // Plateau of the side curves at 2 in of tip movement: elements 1 and 2
  // (mid-points 420 and 300 in) are embedded, 3 and 4 (180 and 60 in) are not.
  const double side = sp(0.93f) * 2.0 * sp(3.1416f) * 12.0 * 120.0;
  EXPECT_NEAR(c.load(9), 4500.0 + 2 * side, 1e-6);
  const double flex = 120.0 / 3.0e8;
  const double mov = 2.0 + (4500.0 + side / 2) * flex + (4500.0 + 1.5 * side) * flex + 2 * (4500.0 + 2 * side) * flex;
  EXPECT_NEAR(c.mov(9), mov, 1e-12);
}

// The march of one element does not settle when the side curve softens
// faster than the pile can follow: the guess jumps between both ends.
TEST(HeadCurveMarch, ElementThatDoesNotConverge) {
  HCWORK W;
  W.NCRV = 1;
  W.TZDEP(1) = 0.0;
  W.TZNPT(1) = 2;
  W.TZZ(1, 1) = 0.0;
  W.TZT(1, 1) = 1.0;
  W.TZZ(2, 1) = 0.5;
  W.TZT(2, 1) = 0.0;
  double pup = 0, wup = 0;
  EXPECT_FALSE(HCELEM(W, 0.0, 1.0, 8.0, 1.0, 0.0, 0.0, HCTOLMOV(), pup, wup));
  // A stiffer element settles on the fixed point of the same curve.
  EXPECT_TRUE(HCELEM(W, 0.0, 1.0, 8.0, 0.1, 0.0, 0.0, HCTOLMOV(), pup, wup));
}

// Side resistance between and beyond the curves.
TEST(HeadCurveMarch, SideResistanceLookUp) {
  HCWORK W;
  W.NCRV = 2;
  W.TZDEP(1) = 10.0;
  W.TZDEP(2) = 20.0;
  for (int k = 1; k <= 2; ++k) {
    W.TZNPT(k) = 3;
    W.TZZ(1, k) = 0.0;
    W.TZZ(2, k) = 1.0;
    W.TZZ(3, k) = 2.0;
    W.TZT(1, k) = 0.0;
    W.TZT(2, k) = 4.0 * k;
    W.TZT(3, k) = 2.0 * k;
  }
  const struct {
    double x, w, t;
  } cases[] = {
      {5.0, 1.0, 0.0},    // above the first curve
      {10.0, 0.5, 2.0},   // on curve 1
      {15.0, 0.5, 3.0},   // halfway between curves: (2 + 4) / 2
      {15.0, 1.5, 4.5},   // softening branch: (3 + 6) / 2
      {25.0, 9.0, 4.0},   // below the last curve, beyond its last point
      {20.0, -1.0, 0.0},  // before the first point
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(HCTZ(W, c.x, c.w), c.t) << c.x << " " << c.w;
}

}  // namespace
}  // namespace drelm::test
