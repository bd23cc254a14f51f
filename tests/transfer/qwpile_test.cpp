// Tip q-w curves of a pile by tip soil and installation type, against hand
// values; the zero-E50 and zero-cohesion failures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "axfixture.h"
#include "model/fileio.h"
#include "support/testdir.h"
#include "transfer/fsqtest.h"
#include "transfer/qwpile.h"

namespace drelm {
namespace {

using test::AxLayer;

double sp(float x) { return static_cast<double>(x); }

constexpr double AREA = 113.1;
constexpr double DIAM = 12.0;

// A 12 in pile, 600 in long, head at X = 0 and ground 24 in below it; the
// tip (X = 600) lies in the second layer, whose type and properties vary.
class QwPile : public ::testing::Test {
 protected:
  void SetUp() override {
    test::setAxRun();
    test::setAxPile(PTYPE_DRIVEN, DIAM, AREA, 29.0E6, 600.0, 50, 0.0, 24.0);
  }
  void tipLayer(const AxLayer& l) { test::setAxSoil({AxLayer{1, 24.0, 240.0, 0.03, 5.0}, l}); }
  AXCRV_T c;
  std::int32_t st = 0;
  void run(double uax = 0.5) {
    QWPILE(1, 1, uax, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZDEP, c.QWQ, c.QWW);
  }
  void expectCurve(const double (&w)[10], const double (&q)[10], const char* what) {
    for (int j = 1; j <= 10; ++j) {
      EXPECT_NEAR(c.QWW(j), w[j - 1], 1e-7 * (1 + std::abs(w[j - 1]))) << what << " point " << j;
      EXPECT_NEAR(c.QWQ(j), q[j - 1], 1e-6 * (1 + std::abs(q[j - 1]))) << what << " point " << j;
    }
  }
};

// Driven pile in clay: Q = 0.5 Qmax sqrt(w / w50), w50 = 2 D E50, held at
// Qmax = 9 c A from 8 D E50 on. Also writes the ground depth and the
// rigidity table.
TEST_F(QwPile, DrivenClayTip) {
  tipLayer(AxLayer{1, 240.0, 1200.0, 0.035, 6.0, 0.0, 0.01});
  run();
  ASSERT_EQ(st, 0);
  const double qmax = 9.0 * 6.0 * AREA;
  const double w50 = 2.0 * DIAM * 0.01;
  double w[10], q[10];
  w[0] = q[0] = 0.0;
  for (int k = 1; k <= 7; ++k) {
    w[k] = k * 0.96 / 8.0;
    q[k] = 0.5 * qmax * std::sqrt(w[k] / w50);
  }
  w[8] = 0.96;
  w[9] = 9.6;
  q[8] = q[9] = qmax;
  expectCurve(w, q, "driven clay");
  EXPECT_DOUBLE_EQ(c.TZDEP(1), 24.0);
  EXPECT_DOUBLE_EQ(c.TZDEP(2), 24.0);
  EXPECT_DOUBLE_EQ(c.AETAB(1), 29.0E6 * AREA);
  EXPECT_DOUBLE_EQ(c.AEDEP(2), 600.0);

  // Pull-out leaves the tip an area of 1.0E-4.
  run(-0.5);
  ASSERT_EQ(st, 0);
  EXPECT_NEAR(c.QWQ(9), 9.0 * 6.0 * sp(1.0E-4f), 1e-12);
}

// Driven pile in sand: Qmax = Nq gamma z A, Q = Qmax (w / 0.05 D)^n with n
// from the friction angle of the deepest side curve.
TEST_F(QwPile, DrivenSandTipExponent) {
  tipLayer(AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 33.0});
  const double phid = 33.0 * M_PI / 180.0 * sp(57.296f);
  const double nq = 20.0 + 20.0 * (phid - 30.0) / 5.0;
  const double overburden = 0.03 * 216.0 + 0.035 * 360.0;  // gamma x z at the tip
  const double qmax = nq * overburden * AREA;
  const struct {
    double phiLast, n;
  } cases[] = {{30.0, 0.5}, {31.0, 0.5}, {33.0, sp(0.333f)}, {38.0, sp(0.333f)}, {38.5, 0.25}};
  const double win[10] = {0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.4, 0.8, 5.0};
  for (const auto& cs : cases) {
    c.TZPHI(8) = cs.phiLast;
    run();
    ASSERT_EQ(st, 0);
    double w[10], q[10];
    for (int j = 0; j < 10; ++j) {
      w[j] = win[j];
      q[j] = qmax * std::pow(win[j] / 0.6, cs.n);
    }
    expectCurve(w, q, "driven sand");
  }
  // Movements in metres in SI.
  RUNCTL.IUNITS = 2;
  run();
  EXPECT_NEAR(c.QWW(10), 5.0 * 0.0254, 1e-8);
}

// Drilled shafts: movements by the diameter, loads by Qmax, the sand factors
// rising past Qmax; a sand without input tip resistance by its angle.
TEST_F(QwPile, DrilledShaftTips) {
  PILEPROP.PTYPE(1) = PTYPE_DRILLED;
  const double wf[10] = {0, 0.005, 0.01, 0.015, 0.025, 0.03, 0.04, 0.05, 0.07, 0.10};
  const double clay[10] = {0, 0.395, 0.56, 0.70, 0.865, 0.90, 0.95, 0.97, 0.98, 0.99};
  const double sand[10] = {0, 0.175, 0.345, 0.485, 0.65, 0.73, 0.88, 1.015, 1.195, 1.46};
  const struct {
    AxLayer tip;
    double qmax;
    const double* f;
  } cases[] = {
      {AxLayer{1, 240.0, 1200.0, 0.035, 6.0, 0.0, 0.01}, 9.0 * 6.0 * AREA, clay},
      {AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 28.0}, 0.1, sand},
      {AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 32.0}, 222.2 * AREA, sand},
      {AxLayer{8, 240.0, 1200.0, 0.035, 0.0, 37.0}, 555.56 * AREA, sand},
      {AxLayer{4, 240.0, 1200.0, 0.035, 0.0, 37.0, 0.0, 0.0, 80.0}, 80.0 * AREA, sand},  // input qt
  };
  for (const auto& cs : cases) {
    tipLayer(cs.tip);
    run();
    ASSERT_EQ(st, 0);
    double w[10], q[10];
    for (int j = 0; j < 10; ++j) {
      w[j] = wf[j] * DIAM;
      q[j] = cs.f[j] * cs.qmax;
    }
    expectCurve(w, q, "drilled");
  }
}

// Tips of user-curve and rock layers take the input tip resistance, or 9 c
// A without it; a cohesive layer coded as sand takes the clay rule.
TEST_F(QwPile, TipTypesWithTheirOwnRules) {
  {
    tipLayer(AxLayer{5, 240.0, 1200.0, 0.035, 4.0, 20.0, 0.0, 0.0, 50.0});
    run();
    ASSERT_EQ(st, 0);
    const double wf[10] = {0, 0.002, 0.013, 0.042, 0.073, 0.10, 0.12, 0.15, 0.18, 0.20};
    const double qf[10] = {0, 0.25, 0.5, 0.75, 0.9, 1, 1, 1, 1, 1};
    double w[10], q[10];
    for (int j = 0; j < 10; ++j) {
      w[j] = wf[j] * DIAM;
      q[j] = qf[j] * 50.0 * AREA;
    }
    expectCurve(w, q, "user-curve layer");
  }
  {
    tipLayer(AxLayer{6, 240.0, 1200.0, 0.035, 300.0, 0.0, 0.002});
    run();
    ASSERT_EQ(st, 0);
    EXPECT_NEAR(c.QWQ(10), 9.0 * 300.0 * AREA, 1e-6);
    EXPECT_NEAR(c.QWW(9), 8.0 * DIAM * 0.002, 1e-9);
  }
  {
    // Sand by its code, but c = 0.2 and no friction: the clay rule.
    tipLayer(AxLayer{4, 240.0, 1200.0, 0.035, 0.2, 0.0, 0.01});
    run();
    ASSERT_EQ(st, 0);
    EXPECT_NEAR(c.QWQ(9), 9.0 * 0.2 * AREA, 1e-9);
    EXPECT_NEAR(c.QWW(9), 8.0 * DIAM * 0.01, 1e-9);
  }
}

// SI drilled shafts in sand take 222.2 or 555.56 psi in kPa (1532 or 3830.5)
// on the tip area; a pile of another installation type gets the first point
// only.
TEST_F(QwPile, DrilledSandInSiAndUnknownPileType) {
  RUNCTL.IUNITS = 2;
  PILEPROP.PTYPE(1) = PTYPE_DRILLED;
  const struct {
    double phi, unit;
  } cases[] = {{32.0, sp(222.2f) * 6.894757293168361}, {37.0, sp(555.56f) * 6.894757293168361}};
  for (const auto& cs : cases) {
    tipLayer(AxLayer{4, 240.0, 1200.0, 8.0, 0.0, cs.phi});
    run();
    ASSERT_EQ(st, 0);
    EXPECT_NEAR(c.QWQ(10), 1.46 * cs.unit * AREA, 1e-6 * cs.unit * AREA) << cs.phi;
    EXPECT_NEAR(c.QWW(10), 0.10 * DIAM, 1e-7);
  }
  PILEPROP.PTYPE(1) = 3;
  c = AXCRV_T{};
  run();
  EXPECT_EQ(st, 0);
  for (int j = 1; j <= 10; ++j) {
    EXPECT_EQ(c.QWQ(j), 0.0) << j;
    EXPECT_EQ(c.QWW(j), 0.0) << j;
  }
}

// The tip of a battered pile lies at the vertical length when the batter
// adjustment is on: a 600 in pile at cos = 0.8 ends at X = 480, in the clay
// above X = 500, and its tip depth below the ground sets the sand rule.
TEST_F(QwPile, BatteredTipDepthAndLayer) {
  test::setAxSoil({AxLayer{1, 24.0, 500.0, 0.03, 6.0, 0.0, 0.01}, AxLayer{4, 500.0, 1200.0, 0.03, 0.0, 33.0}});
  PILEAR.PBATT(1) = std::acos(0.8);
  const double phid = 33.0 * M_PI / 180.0 * sp(57.296f);
  const double nq = 20.0 + 20.0 * (phid - 30.0) / 5.0;
  const struct {
    int ibatad;
    double q10;  // load at the last point
  } cases[] = {{1, 9.0 * 6.0 * AREA}, {0, nq * 0.03 * 576.0 * AREA * std::pow(5.0 / 0.6, sp(0.333f))}};
  for (const auto& cs : cases) {
    RUNCTL.IBATAD = cs.ibatad;
    c = AXCRV_T{};
    c.TZPHI(8) = 33.0;
    run();
    ASSERT_EQ(st, 0);
    EXPECT_NEAR(c.QWQ(10), cs.q10, 1e-6 * cs.q10) << cs.ibatad;
  }
}

// A driven pile in clay whose tip has no E50 (32) or no strength (33): the
// status, the warning block on the results report and the runtime log, and
// a curve of its first point only.
TEST_F(QwPile, ZeroE50AndZeroCohesionAtTheTip) {
  test::ScratchDir dir;
  const struct {
    AxLayer tip;
    std::int32_t status;
    const char* text;
  } cases[] = {
      {AxLayer{6, 240.0, 1200.0, 0.035, 300.0}, 32, "THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE"},
      {AxLayer{1, 240.0, 1200.0, 0.035, 0.0, 0.0, 0.01}, 33,
       "THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE"},
  };
  for (const auto& cs : cases) {
    ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
    ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
    tipLayer(cs.tip);
    AXCRV_T fresh;
    c = fresh;
    st = 0;
    run();
    io::CLOSEALL();
    EXPECT_EQ(st, cs.status);
    EXPECT_EQ(c.QWW(2), 0.0);
    EXPECT_EQ(c.QWQ(2), 0.0);
    const std::vector<std::string> want = {"", std::string(29, ' ') + "**** WARNING ****",
                                           std::string(5, ' ') + cs.text};
    for (const char* f : {"results.txt", "log.txt"}) {
      std::vector<std::string> lines = test::readLines(f);
      for (auto& l : lines) l.erase(l.find_last_not_of(' ') + 1);
      EXPECT_EQ(lines, want) << f;
    }
  }
}

}  // namespace
}  // namespace drelm
