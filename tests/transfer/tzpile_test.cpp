// Side t-z curves of a pile in clay over sand, against hand values.
#include <gtest/gtest.h>

#include <cmath>

#include "axfixture.h"
#include "transfer/tzpile.h"

namespace drelm {
namespace {

using test::AxLayer;

double sp(float x) { return static_cast<double>(x); }

// Head 24 in above the ground; soft clay (c = 5 psi) to X = 240, sand at 33
// degrees below. A 12 in pile, 600 in long.
class TzPile : public ::testing::Test {
 protected:
  void SetUp() override {
    test::setAxRun();
    test::setAxSoil({AxLayer{1, 24.0, 240.0, 0.03, 5.0, 0.0, 0.02},
                     AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 33.0}});
    test::setAxPile(PTYPE_DRIVEN, 12.0, 113.1, 29.0E6, 600.0, 50, 0.0, 24.0);
  }
  AXCRV_T c;
  std::int32_t st = 0;
  void run() {
    TZPILE(1, 1, 0.5, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZNPT, c.TZDEP);
  }
  // Overburden at X: 0.03 pci through the clay, 0.035 below.
  static double overburden(double X) { return 0.03 * std::min(X, 240.0) - 0.72 + 0.035 * std::max(X - 240.0, 0.0); }
};

TEST_F(TzPile, CurveDepthsAndCount) {
  run();
  ASSERT_EQ(st, 0);
  const double e = sp(0.1f);
  const double depth[8] = {24, 24, 24 + e, (24 + e + 240) / 2, 240 - e, 240 + e, (240 + e + 1200) / 2, 1200 - e};
  for (int P = 1; P <= 8; ++P) {
    EXPECT_DOUBLE_EQ(c.TZDEP(P), depth[P - 1]) << P;
    EXPECT_EQ(c.TZNPT(P), 10);
  }
  EXPECT_EQ(c.TZNPT(9), 0);  // no curve beyond 3 x layers + 2
  // The ground carries next to nothing.
  EXPECT_DOUBLE_EQ(c.TZMAX(1), sp(1.0E-6f));
  EXPECT_DOUBLE_EQ(c.TZMAX(2), sp(1.0E-6f));
  EXPECT_NEAR(c.TZT(6, 1), sp(1.0E-6f), 1e-12);
  // Axial rigidity: E A at the head and at the tip of the one section.
  EXPECT_DOUBLE_EQ(c.AEDEP(1), 0.0);
  EXPECT_DOUBLE_EQ(c.AEDEP(2), 600.0);
  EXPECT_DOUBLE_EQ(c.AETAB(1), 29.0E6 * 113.1);
  EXPECT_DOUBLE_EQ(c.AETAB(2), 29.0E6 * 113.1);
}

// Driven pile: alpha c in the clay, 0.8 s tan(phi - 0.087) in the sand,
// with the clay and sand shapes.
TEST_F(TzPile, DrivenPileEstimatesAndShapes) {
  run();
  ASSERT_EQ(st, 0);
  // Middle of the clay: s = 0.03 x 108.05, psi = 5 / s > 1.
  const double X4 = c.TZDEP(4);
  const double s4 = 0.03 * (X4 - 24.0);
  const double alpha = 0.5 / std::pow(5.0 / s4, 0.25);
  ASSERT_LT(alpha, 0.5);
  EXPECT_NEAR(c.TZMAX(4), alpha * 5.0, 1e-6);
  EXPECT_NEAR(c.TZT(6, 4), alpha * 5.0, 1e-6);  // the clay curve peaks at 0.08 in
  EXPECT_NEAR(c.TZZ(6, 4), 0.08, 1e-7);
  EXPECT_NEAR(c.TZT(10, 4), 0.93 * alpha * 5.0, 1e-6);
  // Middle of the sand.
  const double X7 = c.TZDEP(7);
  const double phi = 33.0 * M_PI / 180.0;
  const double fs7 = 0.8 * overburden(X7) * std::tan(phi - 0.087);
  EXPECT_NEAR(c.TZMAX(7), fs7, 1e-5);
  EXPECT_NEAR(c.TZPHI(7), phi * 180.0 / 3.1416, 1e-4);
  // Hyperbola with ks = 12000 lb/ft^2 per inch (33 degrees).
  const double ks = 10000.0 + 2000.0 * (c.TZPHI(7) - 32.0);
  const double z = sp(0.04f);
  EXPECT_NEAR(c.TZZ(4, 7), z, 1e-9);
  EXPECT_NEAR(c.TZT(4, 7), z / (z / fs7 + 144.0 / ks), 1e-5);
}

// Drilled shaft: 0.55 c in the clay, beta s in the sand with beta from the
// depth below the ground in feet, with the drilled-shaft shapes.
TEST_F(TzPile, DrilledShaftEstimatesAndShapes) {
  PILEPROP.PTYPE(1) = PTYPE_DRILLED;
  run();
  ASSERT_EQ(st, 0);
  EXPECT_NEAR(c.TZMAX(4), 0.55 * 5.0, 1e-6);
  EXPECT_NEAR(c.TZZ(2, 4), 0.001 * 12.0, 1e-9);
  EXPECT_NEAR(c.TZT(2, 4), 0.51 * 0.55 * 5.0, 1e-6);
  const double X7 = c.TZDEP(7);
  const double beta = 1.5 - 0.135 * std::sqrt((X7 - 24.0) / 12.0);
  ASSERT_GT(beta, 0.25);
  EXPECT_NEAR(c.TZMAX(7), beta * overburden(X7), 1e-5);
  EXPECT_NEAR(c.TZZ(8, 7), 0.012 * 12.0, 1e-8);
  EXPECT_NEAR(c.TZT(8, 7), 0.965 * c.TZMAX(7), 1e-6);
  // Deep in the sand beta stops at 0.25.
  const double beta8 = 1.5 - 0.135 * std::sqrt((c.TZDEP(8) - 24.0) / 12.0);
  EXPECT_LT(beta8, 0.25);
  EXPECT_NEAR(c.TZMAX(8), 0.25 * overburden(c.TZDEP(8)), 1e-5);
}

// An input side friction is used as it stands. A weak clay (c below 3.47
// psi) whose alpha falls below 0.5 near the ground gets alpha 1; deeper, its
// strength ratio is below 1 and alpha is 0.5 / sqrt(psi).
TEST_F(TzPile, InputFrictionAndWeakClay) {
  test::setAxSoil({AxLayer{1, 24.0, 240.0, 0.03, 2.0, 0.0, 0.02},
                   AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 33.0, 0.0, 4.5}});
  run();
  ASSERT_EQ(st, 0);
  EXPECT_NEAR(c.TZMAX(3), 2.0, 1e-9);
  const double psi5 = 2.0 / (0.03 * (c.TZDEP(5) - 24.0));
  ASSERT_LT(psi5, 1.0);
  EXPECT_NEAR(c.TZMAX(5), 0.5 / std::sqrt(psi5) * 2.0, 1e-6);
  EXPECT_NEAR(c.TZMAX(7), 4.5, 1e-9);
}

// One layer of each soil type from the head (X = 0) to X = 1200, c = 4 psi,
// 30 degrees, 0.04 pci, 12 in pile. At the middle curve (X = 600.05, z the
// same below the ground) the estimate of each soil type and pile type.
TEST_F(TzPile, EstimateBySoilTypeAndPileType) {
  const double X = (sp(0.1f) + 1200.0) / 2.0;
  const double s = 0.04 * X;
  const double alphaC = 0.5 / std::sqrt(4.0 / s) * 4.0;  // c / s below 1
  const double sand = 0.8 * s * std::tan(30.0 * M_PI / 180.0 - 0.087);
  const double beta = 1.5 - 0.135 * std::sqrt(X / 12.0);
  const struct {
    int type;
    double driven, drilled;
  } cases[] = {
      {1, alphaC, 2.2},  {2, alphaC, 2.2},        {3, alphaC, 2.2},  {4, sand, beta * s},
      {5, 0.0, 0.0},     {6, 0.4, 0.4},           {7, sand + alphaC, 2.2 + beta * s},
      {8, sand, beta * s}, {9, 0.4, 0.4},         {10, alphaC, 2.2}, {11, alphaC, 2.2},
      {12, 0.0, 0.0},    {13, alphaC, 2.2},       {14, alphaC, 2.2},
  };
  for (const auto& cs : cases) {
    for (int ptype : {PTYPE_DRIVEN, PTYPE_DRILLED}) {
      test::setAxSoil({AxLayer{cs.type, 0.0, 1200.0, 0.04, 4.0, 30.0, 0.01}});
      test::setAxPile(ptype, 12.0, 113.1, 29.0E6, 600.0, 50);
      c = AXCRV_T{};
      st = 0;
      run();
      ASSERT_EQ(st, 0);
      ASSERT_DOUBLE_EQ(c.TZDEP(4), X);
      const double want = ptype == PTYPE_DRIVEN ? cs.driven : cs.drilled;
      EXPECT_NEAR(c.TZMAX(4), want, 1e-5 * (1.0 + want)) << "type " << cs.type << " pile " << ptype;
    }
  }
}

// The shape of each soil type and pile type, told apart by the last
// movement and the ratio t / t_max of the second point, on an input side
// friction of 3 psi. A drilled shaft in a user-curve layer takes the sand
// shape when its friction angle is above one degree.
TEST_F(TzPile, ShapeBySoilTypeAndPileType) {
  struct Shape {
    const char* name;
    double z10, r2;  // r2 < 0: hyperbola
  };
  const Shape drSand{"driven sand", 2.5, -1.0}, drClay{"driven clay", 10.0, 0.18}, drUser{"driven user", 1.2, 0.30};
  const Shape dsSand{"drilled sand", 1.2, 0.335}, dsClay{"drilled clay", 1.2, 0.51};
  const struct {
    int type;
    double phi;
    Shape driven, drilled;
  } cases[] = {
      {1, 0, drClay, dsClay},   {2, 0, drClay, dsClay},   {3, 0, drClay, dsClay},  {4, 30, drSand, dsSand},
      {5, 30, drUser, dsSand},  {5, 0.9, drUser, dsClay}, {5, 1.1, drUser, dsSand}, {6, 0, drClay, dsClay},
      {7, 30, drSand, dsSand},  {8, 30, drSand, dsSand},  {9, 0, drClay, dsClay},  {10, 0, drClay, dsClay},
      {11, 0, drClay, dsClay},  {12, 0, drUser, dsClay},  {13, 0, drClay, dsClay}, {14, 0, drClay, dsClay},
  };
  for (const auto& cs : cases) {
    for (int ptype : {PTYPE_DRIVEN, PTYPE_DRILLED}) {
      test::setAxSoil({AxLayer{cs.type, 0.0, 1200.0, 0.04, 4.0, cs.phi, 0.01, 3.0}});
      test::setAxPile(ptype, 12.0, 113.1, 29.0E6, 600.0, 50);
      c = AXCRV_T{};
      st = 0;
      run();
      ASSERT_EQ(st, 0);
      const Shape& want = ptype == PTYPE_DRIVEN ? cs.driven : cs.drilled;
      for (int P : {3, 4, 5}) {
        ASSERT_DOUBLE_EQ(c.TZMAX(P), 3.0);
        EXPECT_NEAR(c.TZZ(10, P), want.z10, 1e-6) << "type " << cs.type << " phi " << cs.phi << " " << want.name;
        if (want.r2 > 0.0) {
          EXPECT_NEAR(c.TZT(2, P) / 3.0, want.r2, 1e-6) << "type " << cs.type << " " << want.name;
        }
      }
    }
  }
}

// SI: curves 0.00254 m inside the layer, a weak clay (c below 24 kPa) near
// the ground with alpha 1 and a stronger one without, beta from the depth
// in feet (metres / 0.3048).
TEST_F(TzPile, SiOffsetsAndThresholds) {
  test::setAxRun(2);
  test::setAxPile(PTYPE_DRIVEN, 0.3, 0.07, 2.0E8, 15.0, 50);
  const double e = sp(0.00254f);
  for (double coh : {20.0, 30.0}) {
    test::setAxSoil({AxLayer{1, 0.0, 20.0, 8.0, coh, 0.0, 0.01}});
    c = AXCRV_T{};
    run();
    ASSERT_EQ(st, 0);
    EXPECT_DOUBLE_EQ(c.TZDEP(3), e);
    EXPECT_DOUBLE_EQ(c.TZDEP(4), (e + 20.0) / 2.0);
    EXPECT_DOUBLE_EQ(c.TZDEP(5), 20.0 - e);
    const double alpha = 0.5 / std::pow(coh / (8.0 * e), 0.25);
    ASSERT_LT(alpha, 0.5);
    EXPECT_NEAR(c.TZMAX(3), coh < 24.0 ? coh : alpha * coh, 1e-6) << coh;
    EXPECT_NEAR(c.TZZ(10, 3), 10.0 * 0.0254, 1e-7);
  }
  PILEPROP.PTYPE(1) = PTYPE_DRILLED;
  test::setAxSoil({AxLayer{4, 0.0, 20.0, 8.0, 0.0, 32.0}});
  c = AXCRV_T{};
  run();
  ASSERT_EQ(st, 0);
  const double X = c.TZDEP(4);
  const double beta = 1.5 - 0.135 * std::sqrt(X / 0.3048);
  EXPECT_NEAR(c.TZMAX(4), beta * 8.0 * X, 1e-4);
}

// A soil look-up beyond the profile ends the call with its status; a soil
// record with more layers than the curve set holds is refused; a record
// without layers fails in the look-up of the ground curve.
TEST_F(TzPile, FailuresStopTheCurves) {
  PILEAR.PGRND(1) = 1500.0;  // the ground below the deepest layer
  run();
  EXPECT_EQ(st, 25);
  EXPECT_EQ(c.TZNPT(1), 0);

  st = 0;
  PILEAR.PGRND(1) = 24.0;
  SOILCOM.NLAYER = 30;  // 92 curves
  AXCRV_T fresh;
  c = fresh;
  run();
  EXPECT_EQ(st, STAT_CAPACITY);
  EXPECT_EQ(c.TZNPT(1), 0);

  // No layers at all: the ground curves' look-up finds no profile.
  st = 0;
  SOILCOM.NLAYER = 0;
  SOILCOM.NPROF = SOILCOM.NGAM = 0;
  c = fresh;
  run();
  EXPECT_EQ(st, 25);
  EXPECT_EQ(c.TZNPT(1), 0);
}

}  // namespace
}  // namespace drelm
