// What a reporting pass of the space lateral solver keeps: the pile-top
// values and the values along the pile in the envelope store, and the
// equivalent stiffnesses, against a long elastic pile on a linear Winkler
// foundation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "pile/envpil.h"
#include "pile/llp.h"
#include "pile/node.h"
#include "pile/pilefixture.h"
#include "pile/pilestore.h"
#include "pile/transf.h"
#include "model/model.h"
#include "model/model_hdcrv.h"
#include "support/allocs.h"

namespace drelm {
namespace {

constexpr double EI = 1.0E10;  // lb in^2
constexpr double KS = 1000.0;  // lb/in per in
constexpr double LEN = 600.0;  // beta L = 7.5: a long pile
constexpr int NINC = 100;
constexpr double H = LEN / NINC;

double beta() { return std::pow(KS / (4.0 * EI), 0.25); }

// Pile 1 on straight p-y curves p = KS y by depth, with the given angles.
void winklerPile(std::int32_t conn, double betaAngle = M_PI / 2, double alpha = 0, double theta = 0,
                 const test::Section& sec = {EI, EI}) {
  test::setLateralRun();
  test::setProperty(1, LEN, NINC, sec);
  test::setPile(1, 1, 0.0, conn);
  PILEAR.BETA(1) = betaAngle;
  PILEAR.ALPHA(1) = alpha;
  PILEAR.THETA(1) = theta;
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  test::setLinearCurves(1, {{0.0, KS}, {2.0 * LEN, KS}});
  std::int32_t st = 0;
  NODE(1, st);
  ASSERT_EQ(st, 0);
}

struct Pass {
  double ULOC[6] = {};
  double RT[36] = {};
  double vt1 = 0, vt2 = 0, mt1 = 0, mt2 = 0;
  std::int32_t st = 0;
  NodeArray ax, al;
  void run(double px, double tx) {
    double tf[36], tu[36], r[36];
    TRANSF(1, tf, tu, RT, r);
    LLP(1, ULOC[1], -ULOC[5], ULOC[2], ULOC[4], px, tx, vt1, vt2, mt1, mt2, st, ULOC, RT, ax, al);
  }
};

double nd(int s, int q) { return ENVPIL.NDCUR(1, s, q); }

TEST(LlpStore, PileTopValuesOfAFixedHeadAgainstTheLongPile) {
  // A battered, turned pile: the stores turn the pile-axis values to global
  // axes with the pile's own rotation.
  winklerPile(CONN_FIX, 1.2, 0.7, 0.3);
  RUNCTL.IOUTPS = 1;
  ENVPIL.ENVFST = 1;
  Pass s;
  const double Y1 = 0.4, Y2 = -0.3, PX = 5.0e3, TX = 2.0e4;
  s.ULOC[0] = 0.02;
  s.ULOC[1] = Y1;
  s.ULOC[2] = Y2;
  s.ULOC[3] = 0.001;
  s.run(PX, TX);
  ASSERT_EQ(s.st, 0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  // Fixed head without rotation: y = Y e^(-bx) (cos bx + sin bx), head shear
  // KS Y / b and head moment -EI y''(0) = 2 EI b^2 Y (the axial force of
  // 5000 changes them by well under a percent).
  const double b = beta();
  EXPECT_NEAR(s.vt1, KS * Y1 / b, 0.01 * KS * std::fabs(Y1) / b);
  EXPECT_NEAR(s.mt1, 2 * EI * b * b * Y1, 0.01 * 2 * EI * b * b * std::fabs(Y1));
  EXPECT_NEAR(s.vt2, KS * Y2 / b, 0.01 * KS * std::fabs(Y2) / b);

  const double FL[6] = {PX, s.vt1, s.vt2, TX, -s.mt2, s.mt1};
  const double stress = nd(4, NQ_STRESS);
  EXPECT_GT(stress, 0.0);
  for (int i = 0; i < 6; ++i) {
    double ug = 0, fg = 0;
    for (int j = 0; j < 6; ++j) {
      ug += s.RT[i + 6 * j] * s.ULOC[j];
      fg += s.RT[i + 6 * j] * FL[j];
    }
    const struct {
      int slot;
      double value;
    } top[] = {{1 + i, ug}, {7 + i, fg}, {14 + i, s.ULOC[i]}, {20 + i, FL[i]}};
    for (const auto& v : top) {
      EXPECT_NEAR(ENVPIL.PTCUR(1, v.slot), v.value, 1e-12 * (1 + std::fabs(v.value))) << "slot " << v.slot;
      EXPECT_EQ(ENVPIL.PTMIN(1, v.slot), ENVPIL.PTCUR(1, v.slot));
      EXPECT_EQ(ENVPIL.PTMAX(1, v.slot), ENVPIL.PTCUR(1, v.slot));
    }
  }
  EXPECT_EQ(ENVPIL.PTCUR(1, 13), stress);
  EXPECT_EQ(ENVPIL.PTCUR(1, 26), stress);
  // The head moment in the report's sign, the resultant of both directions.
  EXPECT_NEAR(nd(4, NQ_M1), -s.mt1, 1e-9 * std::fabs(s.mt1));
  EXPECT_NEAR(nd(4, NQ_M2), -s.mt2, 1e-9 * std::fabs(s.mt2));
  EXPECT_NEAR(nd(4, NQ_MR), std::hypot(s.mt1, s.mt2), 1e-9 * std::fabs(s.mt1));
  // The turned pile: the global displacement of every node is the pile's
  // rotation of (axial, y1, y2), and its length is kept.
  double Q[3][3];
  PILEROT(1, Q);
  for (int k : {1, 7, 40, 101}) {
    const int sl = k + 3;
    const double loc[3] = {nd(sl, NQ_AXMOV), nd(sl, NQ_Y1), nd(sl, NQ_Y2)};
    for (int g = 0; g < 3; ++g) {
      const double want = Q[0][g] * loc[0] + Q[1][g] * loc[1] + Q[2][g] * loc[2];
      EXPECT_NEAR(nd(sl, NQ_GX + g), want, 1e-15) << "node " << k;
    }
    EXPECT_NEAR(std::hypot(nd(sl, NQ_GX), nd(sl, NQ_GH)), nd(sl, NQ_YR), 1e-15);
  }
}

// The columns along the pile, case by case.
TEST(LlpStore, ColumnsAlongThePile) {
  struct Case {
    const char* name;
    std::int32_t icomb;
    std::int32_t iaxvar, ilscrv;
    bool movement, load;
  };
  const Case cases[] = {
      {"load case, no axial solution", 0, 0, 0, false, false},
      {"combination with the axial solution", 2, 1, -1, false, true},
      {"axial variation with a user load-settlement curve", 2, 1, 1, false, false},
      {"soil moving past the pile", 0, 0, 0, true, false},
  };
  const double Mn = 2.0e6, Vn = 3.0e4, PX = 4.0e3;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::Section sec{EI, EI, 24.0, 450.0, 16000.0, 16000.0, Mn, Vn};
    winklerPile(CONN_PIN, M_PI / 2, 0, 0, sec);
    RUNCTL.IOUTPS = 1;
    ENVPIL.ENVFST = 1;
    CASECUR.ICOMB = c.icomb;
    CASECUR.RFBEND = 0.9;
    CASECUR.RFSHR = 0.75;
    CURCTL.IAXVAR = c.iaxvar;
    PILEAR.ILSCRV(1) = c.ilscrv;
    SMOV.NSMOV = 0;
    DLNODE.NDLNOD(1) = 0;
    const double ys1 = 0.03, ys2 = 0.04;
    if (c.movement) {
      SMOV.NSMOV = 2;
      SMOV.SMVFAC = 1.0;
      SMOV.SMVDEP(1) = 0.0;
      SMOV.SMVDEP(2) = 2.0 * LEN;
      SMOV.SMVY(1) = SMOV.SMVY(2) = ys1;
      SMOV.SMVZ(1) = SMOV.SMVZ(2) = ys2;
    }
    if (c.load) {
      DLNODE.NDLNOD(1) = 2;
      DLNODE.DLPOS(1, 1) = 0.0;
      DLNODE.DLPOS(1, 2) = LEN;
      DLNODE.DLQ1(1, 1) = DLNODE.DLQ1(1, 2) = 20.0;
      DLNODE.DLQ2(1, 1) = DLNODE.DLQ2(1, 2) = -10.0;
    }
    Pass s;
    for (int i = 4; i <= NINC + 4; ++i) {
      s.ax(i) = 1.0e-3 * (NINC + 4 - i);
      s.al(i) = PX * (NINC + 4 - i) / NINC;
    }
    s.ULOC[1] = c.movement ? 0.0 : 0.5;
    s.ULOC[2] = c.movement ? 0.0 : -0.2;
    s.run(PX, 0.0);
    ASSERT_EQ(s.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    const bool axial = c.iaxvar == 1 && c.ilscrv < 1;
    for (int k = 1; k <= NINC + 1; k += 10) {
      const int sl = k + 3;
      SCOPED_TRACE(testing::Message() << "node " << k);
      const double y1 = nd(sl, NQ_Y1), y2 = nd(sl, NQ_Y2);
      EXPECT_EQ(nd(sl, NQ_AXMOV), axial ? s.ax(sl) : 0.0);
      EXPECT_EQ(nd(sl, NQ_AXLOAD), axial ? s.al(sl) : PX);
      // A vertical pile: global X is the axis, Y and Z the lateral directions.
      EXPECT_NEAR(nd(sl, NQ_GX), nd(sl, NQ_AXMOV), 1e-15);
      EXPECT_NEAR(nd(sl, NQ_GY), y1, 1e-15);
      EXPECT_NEAR(nd(sl, NQ_GZ), y2, 1e-15);
      EXPECT_NEAR(nd(sl, NQ_GH), nd(sl, NQ_YR), 1e-15);
      EXPECT_NEAR(nd(sl, NQ_YR), std::hypot(y1, y2), 1e-15);
      EXPECT_NEAR(nd(sl, NQ_VR), std::hypot(nd(sl, NQ_V1), nd(sl, NQ_V2)), 1e-9);
      EXPECT_EQ(nd(sl, NQ_R1), EI);
      EXPECT_EQ(nd(sl, NQ_R2), EI);
      EXPECT_EQ(nd(sl, NQ_Q1), c.load ? 20.0 : 0.0);
      EXPECT_EQ(nd(sl, NQ_Q2), c.load ? -10.0 : 0.0);
      const double m = nd(sl, NQ_MR), v = nd(sl, NQ_VR);
      EXPECT_NEAR(nd(sl, NQ_RBEND), c.icomb == 0 ? 0.0 : m / Mn / 0.9, 1e-12);
      EXPECT_NEAR(nd(sl, NQ_RSHEAR), c.icomb == 0 ? 0.0 : v / Vn / 0.75, 1e-12);
      const double st = std::fabs(nd(sl, NQ_AXLOAD)) / 450.0 + m * 24.0 / 32000.0;
      if (!axial) {
        EXPECT_NEAR(nd(sl, NQ_STRESS), st, 1e-9 * st);
      }
      if (c.movement) {
        // The movement load drags the pile along the movement; the curves
        // meet the deflection relative to the soil, and the soil pushes the
        // pile back against that deflection: along the movement where the
        // pile lags behind the soil, against it where the pile overshoots.
        EXPECT_NEAR(y1 * ys2, y2 * ys1, 1e-12);
        EXPECT_NEAR(nd(sl, NQ_PR), KS * std::hypot(y1 - ys1, y2 - ys2), 1e-9);
        EXPECT_NEAR(nd(sl, NQ_P1), -KS * (y1 - ys1), 1e-9);
        EXPECT_NEAR(nd(sl, NQ_P2), -KS * (y2 - ys2), 1e-9);
      } else {
        EXPECT_NEAR(nd(sl, NQ_P1), KS * y1, 1e-9 * (1 + KS * std::fabs(y1)));
        EXPECT_NEAR(nd(sl, NQ_P2), KS * y2, 1e-9 * (1 + KS * std::fabs(y2)));
        EXPECT_NEAR(nd(sl, NQ_PR), KS * std::hypot(y1, y2), 1e-9 * (1 + KS));
      }
    }
    // Nothing stored below the tip.
    EXPECT_EQ(nd(NINC + 5, NQ_Y1), 0.0);
  }
}

TEST(LlpStore, EnvelopeOfTwoPasses) {
  winklerPile(CONN_FIX);
  RUNCTL.IOUTPS = 1;
  const double ys[] = {1.0, 0.5};
  double m[2], v[2];
  NodeArray y[2];
  for (int i = 0; i < 2; ++i) {
    ENVPIL.ENVFST = i + 1;
    Pass s;
    s.ULOC[1] = ys[i];
    s.run(0.0, 0.0);
    ASSERT_EQ(s.st, 0);
    m[i] = nd(4, NQ_M1);
    v[i] = s.vt1;
    for (int sl = 4; sl <= NINC + 4; ++sl) y[i](sl) = nd(sl, NQ_Y1);
  }
  // Both head moments are negative in the report's sign: the maximum stays
  // negative.
  const double b = beta();
  EXPECT_NEAR(m[0], -2 * EI * b * b, 0.01 * 2 * EI * b * b);
  EXPECT_EQ(ENVPIL.NDMIN(1, 4, NQ_M1), m[0]);
  EXPECT_EQ(ENVPIL.NDMAX(1, 4, NQ_M1), m[1]);
  EXPECT_LT(ENVPIL.NDMAX(1, 4, NQ_M1), 0.0);
  EXPECT_EQ(ENVPIL.NDCUR(1, 4, NQ_M1), m[1]);
  EXPECT_EQ(ENVPIL.PTMIN(1, 15), 0.5);
  EXPECT_EQ(ENVPIL.PTMAX(1, 15), 1.0);
  EXPECT_EQ(ENVPIL.PTMIN(1, 21), v[1]);
  EXPECT_EQ(ENVPIL.PTMAX(1, 21), v[0]);
  // Two thirds down the pile (slot 70) the deflection of both passes is
  // negative, a quarter down (slot 29) positive: each slot keeps its own
  // signed extremes.
  for (int sl : {29, 70}) {
    const double a = y[0](sl), c = y[1](sl);
    EXPECT_EQ(ENVPIL.NDMIN(1, sl, NQ_Y1), std::min(a, c)) << "slot " << sl;
    EXPECT_EQ(ENVPIL.NDMAX(1, sl, NQ_Y1), std::max(a, c)) << "slot " << sl;
  }
  EXPECT_LT(ENVPIL.NDMAX(1, 70, NQ_Y1), 0.0);
}

TEST(LlpStore, EquivalentStiffnesses) {
  struct Case {
    const char* name;
    double u, twist, Y;
    double eqkax, eqktr;
  };
  // Load-settlement curve through (-0.1, -50), (0, 0), (0.2, 300): the
  // segment holding zero rises 500; the torque-rotation curve 2000.
  const Case cases[] = {
      {"displaced head: secants", 0.05, 0.002, 0.6, 8.0e3 / 0.05, 3.0e3 / 0.002},
      {"no axial displacement or twist: slopes of the head curves", 0.0, 0.0, 0.6, 500.0, 2.0e5},
      {"a straight pile: no lateral springs", 1.0e-15, -1.0e-15, 0.0, 500.0, 2.0e5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    winklerPile(CONN_FIX);
    RUNCTL.IOUTPS = 2;
    ENVPIL.ENVFST = 1;
    PILEAR.ILSCRV(1) = 1;
    PILEAR.ITRCRV(1) = 1;
    LSCRV.LSNCRV = 1;
    LSCRV.LSNPT(1) = 3;
    TRCRV.TRNCRV = 1;
    TRCRV.TRNPT(1) = 3;
    const double d[3] = {-0.1, 0.0, 0.2}, f[3] = {-50.0, 0.0, 300.0};
    for (int k = 1; k <= 3; ++k) {
      LSCRV.LSDSP(1, k) = d[k - 1];
      LSCRV.LSLOD(1, k) = f[k - 1];
      TRCRV.TRROT(1, k) = 0.01 * d[k - 1];
      TRCRV.TRTOR(1, k) = 4.0 * f[k - 1];
    }
    Pass s;
    s.ULOC[0] = c.u;
    s.ULOC[3] = c.twist;
    s.ULOC[1] = c.Y;
    s.ULOC[2] = 0.5 * c.Y;
    const double px = c.u == 0.05 ? 8.0e3 : 0.0, tx = c.twist == 0.002 ? 3.0e3 : 0.0;
    s.run(px, tx);
    ASSERT_EQ(s.st, 0);
    EXPECT_EQ(EQSTIF.EQPAX(1), px);
    EXPECT_NEAR(EQSTIF.EQKAX(1), c.eqkax, 1e-9 * c.eqkax);
    EXPECT_NEAR(EQSTIF.EQKTR(1), c.eqktr, 1e-9 * c.eqktr);
    EXPECT_EQ(EQSTIF.EQDX(1), H);
    for (int j : {1, 2, 51, 101}) {
      SCOPED_TRACE(testing::Message() << "node " << j);
      EXPECT_DOUBLE_EQ(EQSTIF.EQXN(1, j), (j - 1) * H);
      // The head lies at the ground, where the curves by depth give their
      // full modulus too; far down the deflection of a long pile dies out
      // but stays above 1E-14.
      EXPECT_NEAR(EQSTIF.EQKN1(1, j), c.Y == 0.0 ? 0.0 : KS, 1e-6 * KS);
      EXPECT_NEAR(EQSTIF.EQKN2(1, j), c.Y == 0.0 ? 0.0 : KS, 1e-6 * KS);
    }
    // Not a reporting pass: the envelope store is left alone.
    EXPECT_EQ(ENVPIL.PTCUR(1, 15), 0.0);
    EXPECT_EQ(ENVPIL.NDCUR(1, 4, NQ_Y1), 0.0);
  }
}

TEST(LlpStore, IteratingPassesStoreNothing) {
  winklerPile(CONN_FIX);
  RUNCTL.IOUTPS = 0;
  ENVPIL.ENVFST = 1;
  Pass s;
  s.ULOC[1] = 0.5;
  s.run(1.0e3, 0.0);
  ASSERT_EQ(s.st, 0);
  EXPECT_EQ(ENVPIL.PTCUR(1, 15), 0.0);
  EXPECT_EQ(ENVPIL.NDCUR(1, 4, NQ_Y1), 0.0);
  EXPECT_EQ(EQSTIF.EQPAX(1), 0.0);
  EXPECT_EQ(EQSTIF.EQKN1(1, 1), 0.0);
}

TEST(LlpStore, ReportingPassesAllocateNothing) {
  // The reporting evaluations run inside the parallel pile loops too.
  winklerPile(CONN_FIX);
  ENVPIL.ENVFST = 1;
  for (std::int32_t pass : {1, 2}) {
    SCOPED_TRACE(pass);
    RUNCTL.IOUTPS = pass;
    Pass s;
    s.ULOC[1] = 0.5;
    s.run(1.0e3, 0.0);
    const long before = test::allocationCount();
    for (int i = 0; i < 3; ++i) s.run(1.0e3, 0.0);
    EXPECT_EQ(test::allocationCount() - before, 0);
    EXPECT_EQ(s.st, 0);
  }
}

// Piles stored side by side on several threads give what each gives alone:
// every store writes only its own pile's slots.
TEST(LlpStore, PilesInParallelStoreWhatPilesInTurnStore) {
  constexpr int NP = 12;
  winklerPile(CONN_FIX);
  for (int p = 2; p <= NP; ++p) {
    test::setPile(p, 1, 0.0, p % 3 == 0 ? CONN_PIN : CONN_FIX);
    PILEAR.IPYSET(p) = 1;
    std::int32_t st = 0;
    NODE(p, st);
  }
  const auto runAll = [](bool parallel) {
    std::int32_t st = 0;
#pragma omp parallel for num_threads(4) schedule(dynamic) if (parallel)
    for (int p = 1; p <= NP; ++p) {
      double tf[36], tu[36], RT[36], R[36];
      TRANSF(p, tf, tu, RT, R);
      const double ULOC[6] = {0.001 * p, 0.05 * p, -0.02 * p, 0.0, 0.0, 0.0};
      double v1, v2, m1, m2;
      NodeArray ax, al;
      LLP(p, ULOC[1], 0.0, ULOC[2], 0.0, 100.0 * p, 0.0, v1, v2, m1, m2, st, ULOC, RT, ax, al);
    }
    EXPECT_EQ(st, 0);
    // Take the stores and clear them for the next run.
    std::vector<double> all;
    const auto take = [&all](double& x) {
      all.push_back(x);
      x = 0.0;
    };
    for (int p = 1; p <= NP; ++p) {
      for (int k = 1; k <= NPTVAL; ++k) take(ENVPIL.PTCUR(p, k));
      for (int q = 1; q <= NNDQ; ++q)
        for (int s = 1; s <= MAXNOD; ++s) take(ENVPIL.NDCUR(p, s, q));
      take(EQSTIF.EQKAX(p));
      for (int j = 1; j <= MAXNOD; ++j) take(EQSTIF.EQKN1(p, j));
    }
    return all;
  };
  for (std::int32_t pass : {1, 2}) {
    SCOPED_TRACE(pass);
    RUNCTL.IOUTPS = pass;
    ENVPIL.ENVFST = 1;
    const std::vector<double> serial = runAll(false);
    ENVPIL.ENVFST = 1;
    const std::vector<double> parallel = runAll(true);
    ASSERT_EQ(parallel.size(), serial.size());
    std::size_t differ = 0;
    for (std::size_t i = 0; i < serial.size(); ++i) differ += parallel[i] != serial[i];
    EXPECT_EQ(differ, 0u);
    EXPECT_NE(serial[pass == 1 ? 14 : NPTVAL + NNDQ * MAXNOD + 1], 0.0);
  }
}

}  // namespace
}  // namespace drelm
