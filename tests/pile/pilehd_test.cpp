// Head response of a space pile: an elastic pile in elastic subgrade against
// the closed forms of a long pile laterally, axially and in torsion, the
// battered pile and the row of piles, the failures, and a group evaluated on
// several threads.
#include "pile/pilehd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "cap/pilehk.h"
#include "pile/pilehd_fixture.h"
#include "pile/transf.h"
#include "model/fileio.h"
#include "support/allocs.h"
#include "soil/pysoil.h"
#include "support/testdir.h"

namespace drelm {
namespace {

constexpr double EI = 1.0E10;  // lb in^2
constexpr double KS = 1000.0;  // lateral spring, lb/in per in
constexpr double LEN = 600.0;  // beta L = 7.5: a long pile laterally
constexpr double DIAM = 24.0;
constexpr double EA = 4.0E6 * 450.0;
constexpr double FS = 3.125;   // unit side friction, psi
constexpr double QT = 2300.0;  // unit tip resistance, psi
constexpr double GJ = 4.6E11;

double beta() { return std::pow(KS / (4.0 * EI), 0.25); }

// One vertical drilled shaft in elastic subgrade from 10 in above its head:
// linear lateral springs KS, and side and tip curves whose first segments
// (to 0.001 D of side movement, 0.005 D of tip movement) are straight. The
// curves of the head curves' generators rise from a token friction at the
// ground to the full friction inside the first layer: a thin first layer
// above the head keeps that rise off the pile.
void elasticPile(std::int32_t conn = CONN_FIX) {
  test::HdPile pile;
  pile.len = LEN;
  pile.GJ = GJ;
  const test::HdLayer top{ST_ELASTIC, -10.0, -9.0, 0.04, 0.0, 0.0, KS / DIAM, 0.0, FS, QT};
  test::HdLayer rest = top;
  rest.top = -9.0;
  rest.bot = 1200.0;
  const std::int32_t st = test::setGroupRun({top, rest}, pile, 1, -10.0);
  ASSERT_EQ(st, 0);
  PCONN.CONNECTY(1) = PCONN.CONNECTZ(1) = conn;
}

struct Head {
  double f[6] = {-99, -99, -99, -99, -99, -99};
  std::int32_t st = 0;
  void run(int p, std::initializer_list<double> u) {
    double uh[6] = {};
    int i = 0;
    for (double v : u) uh[i++] = v;
    PILEHD(p, f, uh, st);
  }
};

TEST(PilehdClosedForm, LateralHeadForcesOfALongElasticPile) {
  // Free head: y0 = 2 H b / k, slope -2 H b^2 / k; fixed head: y0 = H b / k,
  // M0 = H / (2 b). Direction 1 is global Y with the rotation about Z, its
  // moment returned about Z with reversed sign; direction 2 is global Z with
  // the rotation about Y entering reversed.
  const double b = beta(), H = 1.0E4;
  const double yfree = 2 * H * b / KS, slope = -2 * H * b * b / KS, yfix = H * b / KS;
  const double M0 = H / (2 * b);
  struct Case {
    const char* name;
    std::int32_t conn;
    std::vector<double> u;
    double f[6];
  };
  const Case cases[] = {
      {"pinned head, direction 1", CONN_PIN, {0, yfree, 0, 0, 0, 0}, {0, -H, 0, 0, 0, 0}},
      {"pinned head, direction 2", CONN_PIN, {0, 0, -yfree, 0, 0, 0}, {0, 0, H, 0, 0, 0}},
      {"free-head slope imposed, direction 1", CONN_FIX, {0, yfree, 0, 0, 0, slope}, {0, -H, 0, 0, 0, 0}},
      {"free-head slope imposed, direction 2", CONN_FIX, {0, 0, yfree, 0, -slope, 0}, {0, 0, -H, 0, 0, 0}},
      {"fixed head, direction 1", CONN_FIX, {0, yfix, 0, 0, 0, 0}, {0, -H, 0, 0, 0, -M0}},
      {"fixed head, direction 2", CONN_FIX, {0, 0, yfix, 0, 0, 0}, {0, 0, -H, 0, M0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    elasticPile(c.conn);
    Head h;
    double uh[6];
    for (int i = 0; i < 6; ++i) uh[i] = c.u[i];
    PILEHD(1, h.f, uh, h.st);
    ASSERT_EQ(h.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(h.f[i], c.f[i], 0.02 * H) << i;
    for (int i = 3; i < 6; ++i) EXPECT_NEAR(h.f[i], c.f[i], 0.02 * M0) << i;
  }
}

TEST(PilehdClosedForm, AxialHeadStiffnessOfAnElasticPileOnLinearShearSprings) {
  // K = EA lam (Kb + EA lam tanh(lam L)) / (EA lam + Kb tanh(lam L)) with the
  // side springs c = pi D 0.51 fs / (0.001 D) and the tip 0.175 qt A /
  // (0.005 D); pulled out, the tip has next to no area.
  const double c = 3.1416 * DIAM * 0.51 * FS / (0.001 * DIAM);
  const double lam = std::sqrt(c / EA), th = std::tanh(lam * LEN);
  auto stiffness = [&](double kb) { return EA * lam * (kb + EA * lam * th) / (EA * lam + kb * th); };
  struct Case {
    const char* name;
    double u, kb, grpnp;
  };
  const Case cases[] = {
      {"compression", 0.01, 0.175 * QT * 450.0 / (0.005 * DIAM), 1.0},
      {"pull-out", -0.01, 0.0, 1.0},
      {"row of 2.5 piles", 0.01, 0.175 * QT * 450.0 / (0.005 * DIAM), 2.5},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.name);
    elasticPile();
    CURCTL.IAXVAR = 1;
    PILEAR.GRPNP(1) = cs.grpnp;
    Head h;
    h.run(1, {cs.u});
    ASSERT_EQ(h.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    const double f = -cs.grpnp * stiffness(cs.kb) * cs.u;
    EXPECT_NEAR(h.f[0], f, 0.005 * std::fabs(f));
    for (int i = 1; i < 6; ++i) EXPECT_NEAR(h.f[i], 0.0, 1e-6 * std::fabs(f)) << i;
  }
  // The tip spring matters: lam L = 1, and Kb is half of EA lam.
  EXPECT_NEAR(lam * LEN, 1.0, 0.01);
  EXPECT_GT(stiffness(0.175 * QT * 450.0 / (0.005 * DIAM)), 1.15 * stiffness(0.0));
}

TEST(PilehdClosedForm, TorqueOfAnElasticPileOnLinearTorsionalSprings) {
  // T = GJ mu tanh(mu L) phi, mu^2 = ct / GJ, ct = pi D R^2 0.51 fs / (0.001 D):
  // the tip takes no torque. A head pinned in either direction carries none.
  const double R = DIAM / 2;
  const double ct = 3.1416 * DIAM * R * R * 0.51 * FS / (0.001 * DIAM);
  const double mu = std::sqrt(ct / GJ);
  const double kt = GJ * mu * std::tanh(mu * LEN);
  const double phi = 2.0E-5;  // on the straight part of every side curve
  struct Case {
    const char* name;
    std::int32_t cy, cz;
    double phi, torque;
  };
  const Case cases[] = {
      {"fixed head", CONN_FIX, CONN_FIX, phi, -kt * phi},
      {"twisted back", CONN_FIX, CONN_FIX, -phi, kt * phi},
      {"restrained head", CONN_RES, CONN_RES, phi, -kt * phi},
      {"pinned in direction 1", CONN_PIN, CONN_FIX, phi, 0.0},
      {"pinned in direction 2", CONN_FIX, CONN_PIN, phi, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    elasticPile();
    PCONN.CONNECTY(1) = c.cy;
    PCONN.CONNECTZ(1) = c.cz;
    Head h;
    h.run(1, {0, 0, 0, c.phi});
    ASSERT_EQ(h.st, 0);
    EXPECT_NEAR(h.f[3], c.torque, 0.005 * kt * phi);
    if (c.torque == 0.0) {
      EXPECT_NEAR(h.f[3], 0.0, 1e-12 * kt * phi);
    }
  }
}

// The battered pile's head forces in pile axes are the vertical pile's for
// the same displacement in pile axes: only the transformation differs.
TEST(PilehdGeometry, BatteredPileGivesTheVerticalPilesForcesRotated) {
  const double uloc[6] = {0.005, 0.2, -0.1, 1.0E-5, 0.001, -0.002};
  elasticPile();
  CURCTL.IAXVAR = 1;
  PILEAR.GRPNP(1) = 3.0;
  double fv[6];
  std::int32_t st = 0;
  PILEHD(1, fv, uloc, st);
  ASSERT_EQ(st, 0);

  PILEAR.BETA(1) = M_PI / 2 - 0.3;
  PILEAR.ALPHA(1) = 0.7;
  PILEAR.THETA(1) = 0.2;
  PILEAR.PHY(1) = 30.0;
  PILEAR.PHZ(1) = -40.0;
  double TF[36], TU[36], RT[36], R[36];
  TRANSF(1, TF, TU, RT, R);
  double uh[6] = {}, expect[6] = {};
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      uh[i] += RT[i + 6 * j] * uloc[j];
      expect[i] += RT[i + 6 * j] * fv[j];
    }
  double fb[6];
  PILEHD(1, fb, uh, st);
  ASSERT_EQ(st, 0);
  double scale = 0;
  for (double v : fv) scale = std::max(scale, std::fabs(v));
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(fb[i], expect[i], 1e-8 * scale) << i;
  // Every component takes part.
  for (int i = 0; i < 6; ++i) EXPECT_GT(std::fabs(fv[i]), 1e-6 * scale) << i;
}

TEST(PilehdGeometry, RowOfIdenticalPilesScalesEveryForceByItsCount) {
  const double u[6] = {0.01, 0.3, 0.1, 1.0E-5, 0.002, -0.001};
  auto forces = [&](double n, double* f) {
    elasticPile();
    CURCTL.IAXVAR = 1;
    PILEAR.GRPNP(1) = n;
    std::int32_t st = 0;
    PILEHD(1, f, u, st);
    ASSERT_EQ(st, 0);
  };
  double one[6], row[6];
  forces(1.0, one);
  forces(2.5, row);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(row[i], 2.5 * one[i], 1e-12 * std::fabs(one[i])) << i;
}

TEST(PilehdAxial, CurveThroughTheOriginGivesTheAxialForceAlone) {
  // A user curve of slope k and no load-transfer solution: F = -n k u.
  elasticPile();
  const double k = 2.0E5;
  LSCRV.LSNCRV = 1;
  LSCRV.LSNPT(1) = 3;
  const double x[3] = {-1, 0, 1};
  for (int i = 1; i <= 3; ++i) {
    LSCRV.LSDSP(1, i) = x[i - 1];
    LSCRV.LSLOD(1, i) = k * x[i - 1];
  }
  PILEAR.ILSCRV(1) = 1;
  PILEAR.GRPNP(1) = 2.5;
  CURCTL.IAXVAR = 1;  // a user curve never runs the solution
  for (double paxfac : {1.0, 0.5}) {
    PILEAR.PAXFAC(1) = paxfac;
    Head h;
    h.run(1, {0.01});
    ASSERT_EQ(h.st, 0);
    EXPECT_DOUBLE_EQ(h.f[0], -2.5 * k * 0.01 * paxfac);
    for (int i = 1; i < 6; ++i) EXPECT_NEAR(h.f[i], 0.0, 1e-9) << i;
  }
}

TEST(PilehdFailure, StatusOrUnclosedSolutionReturnsZeroForces) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  struct Case {
    const char* name;
    double bottom;        // of the soil layer
    std::int32_t before;  // status left by another pile
    int maxitl;
    std::int32_t status, outcome;
  };
  const Case cases[] = {
      {"pile below the deepest layer", 590.0, 0, 100, STAT_NODE_BELOW, KPIL_SOUND},
      {"status of another pile", 1200.0, 21, 100, 21, KPIL_SOUND},
      {"lateral solution not closed", 1200.0, 0, 1, 0, KPIL_LATERAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    elasticPile();
    SOILCOM.LBOT(SOILCOM.NLAYER) = c.bottom;
    SOILCOM.MAXITL = c.maxitl;
    Head h;
    h.st = c.before;
    h.run(1, {0.01, 0.2, 0.1, 1e-5, 0.001, 0.001});
    EXPECT_EQ(h.st, c.status);
    EXPECT_EQ(RUNCTL.KPILST, c.outcome);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(h.f[i], 0.0) << i;
  }
}

// 100 piles of a 10 x 10 group in three layers, each with its own batter
// and head position and displacement.
void hundredPiles() {
  ASSERT_EQ(test::setThreeLayerRun(100), 0);
  CURCTL.IAXVAR = 1;
  for (int p = 1; p <= 100; ++p) {
    const int r = (p - 1) / 10, c = (p - 1) % 10;
    PILEAR.PHY(p) = 72.0 * r;
    PILEAR.PHZ(p) = 72.0 * c;
    PILEAR.BETA(p) = M_PI / 2 - 0.02 * (p % 7);
    PILEAR.ALPHA(p) = 0.4 * (p % 9);
    PILEAR.GRPNP(p) = 1.0 + 0.5 * (p % 3);
  }
}

void headDisplacement(int p, double* u) {
  u[0] = 0.05 + 0.002 * (p % 11);
  u[1] = 0.3 + 0.01 * (p % 5);
  u[2] = -0.2 + 0.02 * (p % 4);
  u[3] = 1.0E-4;
  u[4] = 1.0E-3 * (p % 3);
  u[5] = -2.0E-3;
}

TEST(PilehdThreads, GroupOnEightThreadsMatchesTheSerialLoopBitForBit) {
  hundredPiles();
  std::vector<double> serial(600), parallel(600);
  std::int32_t st = 0;
  for (int p = 1; p <= 100; ++p) {
    double u[6];
    headDisplacement(p, u);
    PILEHD(p, &serial[6 * (p - 1)], u, st);
  }
  ASSERT_EQ(st, 0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  for (int rep = 0; rep < 3; ++rep) {
    std::fill(parallel.begin(), parallel.end(), -1.0);
    test::onThreads(8, 100, [&](int p) {
      double u[6];
      headDisplacement(p, u);
      PILEHD(p, &parallel[6 * (p - 1)], u, st);
    });
    ASSERT_EQ(st, 0);
    EXPECT_EQ(std::memcmp(serial.data(), parallel.data(), 600 * sizeof(double)), 0) << rep;
  }
  EXPECT_EQ(RUNCTL.KPILST, 0);
  for (int p = 1; p <= 100; ++p) EXPECT_NE(serial[6 * (p - 1) + 1], 0.0) << p;
}

// Within a sum scope a thread keeps a pile's springs from one head solution
// to the next: the 13 solutions of each pile's stiffness, on eight threads,
// give bit for bit the stiffness of solutions made one by one without it.
TEST(PilehdThreads, StiffnessWithinASumScopeMatchesSeparateSolutions) {
  hundredPiles();
  std::vector<double> alone(3600), kept(3600);
  std::int32_t st = 0;
  for (int p = 1; p <= 100; ++p) {
    double u[6];
    headDisplacement(p, u);
    PILEHK(p, &alone[36 * (p - 1)], u, st);
  }
  ASSERT_EQ(st, 0);
  {
    const PySprings::SumScope scope;
    test::onThreads(8, 100, [&](int p) {
      double u[6];
      headDisplacement(p, u);
      PILEHK(p, &kept[36 * (p - 1)], u, st);
    });
  }
  ASSERT_EQ(st, 0);
  EXPECT_EQ(std::memcmp(alone.data(), kept.data(), 3600 * sizeof(double)), 0);
  EXPECT_NE(alone[1], 0.0);
}

// Outside a sum scope nothing is kept from one head solution to the next:
// a soil changed between two solutions of a pile is the soil of the second.
TEST(PilehdSprings, OutsideASumScopeEverySolutionReadsTheSoil) {
  double u[6], before[6], after[6], fresh[6];
  headDisplacement(3, u);
  std::int32_t st = 0;
  ASSERT_EQ(test::setThreeLayerRun(1), 0);
  PILEHD(1, before, u, st);
  // The soft clay's E50 doubled (its strength would also move the equivalent
  // depths, which a pile keeps for the run).
  for (int i = 1; i <= 2; ++i) SOILCOM.E50PR(i) *= 2.0;
  PILEHD(1, after, u, st);
  ASSERT_EQ(test::setThreeLayerRun(1), 0);
  for (int i = 1; i <= 2; ++i) SOILCOM.E50PR(i) *= 2.0;
  PILEHD(1, fresh, u, st);
  ASSERT_EQ(st, 0);
  EXPECT_NE(after[1], before[1]);
  EXPECT_EQ(std::memcmp(after, fresh, sizeof after), 0);
}

TEST(PilehdAllocation, HeadSolutionNeverTouchesTheHeap) {
  hundredPiles();
  double u[6], f[6];
  headDisplacement(7, u);
  std::int32_t st = 0;
  PILEHD(7, f, u, st);  // first call outside the count
  const long before = test::allocationCount();
  for (int p = 1; p <= 20; ++p) {
    headDisplacement(p, u);
    PILEHD(p, f, u, st);
  }
  EXPECT_EQ(test::allocationCount() - before, 0);
  EXPECT_EQ(st, 0);
}

}  // namespace
}  // namespace drelm
