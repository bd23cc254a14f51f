// Thread count, the parallel force and stiffness sums and the head stiffness
// by central differences, on pile groups in linear springs.
#include "cap/capsum.h"

#include <gtest/gtest.h>

#include <cstring>

#include "results/nthrds.h"
#include "cap/pilehk.h"
#include "cap/capfixture.h"
#include "pile/pilehd_fixture.h"

namespace drelm {
namespace {

using test::CapRun;
using test::group;
using test::pinned;

TEST(ThreadCount, LeavesProcessorsFreeAndNeverExceedsTheWork) {
  struct Case {
    int procs, limit, n, flag, expected;
  };
  const Case cases[] = {
      {8, 0, 100, 0, 6}, {3, 0, 100, 0, 2}, {2, 0, 100, 0, 1}, {1, 0, 100, 0, 1}, {4, 0, 100, 0, 2},
      {8, 16, 100, 0, 8}, {8, 3, 100, 0, 3}, {8, 0, 3, 0, 3},   {8, 0, 100, 1, 2}, {8, -5, 100, 0, 1},
      {8, 0, 0, 0, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(threadCount(c.procs, c.limit, c.n, c.flag), c.expected)
        << c.procs << " procs, limit " << c.limit << ", " << c.n << " items, flag " << c.flag;
}

TEST(ThreadCount, UseCountersOnlyGrow) {
  TIMBLK.NPROCS = 8;
  std::int32_t use = 1, run = 1;
  NTHRDS(0, use, run, 100, 0);
  EXPECT_EQ(use, 6);
  EXPECT_EQ(run, 6);
  NTHRDS(2, use, run, 100, 0);
  EXPECT_EQ(use, 6);
  EXPECT_EQ(run, 6);
}

// Four vertical piles pinned at (0, +-a, +-b): the group stiffness at the
// origin by hand.
TEST(CapSums, GroupOfPinnedPilesMatchesHandStiffness) {
  CapRun run;
  const double kax = 1000.0, klat = 50.0, a = 30.0, b = 20.0;
  for (double y : {-a, a})
    for (double z : {-b, b}) run.add(pinned(kax, klat), 0.0, y, z);
  double K[36];
  std::int32_t ISTAT = 0;
  const double U[6] = {};
  STIFF(K, U, ISTAT);
  auto k = [&](int i, int j) { return K[(i - 1) + 6 * (j - 1)]; };
  // The force of the piles on the cap opposes the displacement.
  EXPECT_NEAR(k(1, 1), -4 * kax, 1e-6 * kax);
  EXPECT_NEAR(k(2, 2), -4 * klat, 1e-6 * kax);
  EXPECT_NEAR(k(3, 3), -4 * klat, 1e-6 * kax);
  EXPECT_NEAR(k(4, 4), -4 * klat * (a * a + b * b), 1e-6 * kax * a * a);
  EXPECT_NEAR(k(5, 5), -4 * kax * b * b, 1e-6 * kax * a * a);
  EXPECT_NEAR(k(6, 6), -4 * kax * a * a, 1e-6 * kax * a * a);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j)
      if (i != j) {
        EXPECT_NEAR(k(i, j), 0.0, 1e-6 * kax * a * a) << i << "," << j;
      }

  // A linear group: the force is the stiffness times the displacement.
  const double U2[6] = {0.01, -0.02, 0.005, 1e-4, -2e-4, 3e-4};
  double F[6];
  FVEC(F, U2, ISTAT);
  double KU[6];
  MATVEC6(KU, K, U2, 1);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(F[i], KU[i], 1e-6 * std::fabs(KU[i]) + 1e-9) << i;
  EXPECT_EQ(ISTAT, 0);
}

// A battered pile: the axial and lateral springs mix in global axes.
TEST(CapSums, BatteredPileHeadStiffnessMixesAxialAndLateral) {
  CapRun run;
  const double kax = 800.0, klat = 40.0, beta = 70.0;
  run.add(pinned(kax, klat), 0.0, 0.0, 0.0, beta, 0.0);
  double KH[36];
  const double uh[6] = {};
  std::int32_t ISTAT = 0;
  PILEHK(1, KH, uh, ISTAT);
  const double s = std::sin(beta * M_PI / 180.0), c = std::cos(beta * M_PI / 180.0);
  EXPECT_NEAR(KH[0], -(kax * s * s + klat * c * c), 1e-5 * kax);
  EXPECT_NEAR(KH[7], -(kax * c * c + klat * s * s), 1e-5 * kax);
  EXPECT_NEAR(KH[6], -(kax - klat) * s * c, 1e-5 * kax);  // (1, 2)
  EXPECT_NEAR(KH[1], KH[6], 1e-5 * kax);
}

// Thirteen head solutions: the base point, +h for the six components, then
// -h; translation steps by the units system, rotation step 1E-11. Scaled
// steps (the cap fallback's): a quarter of a component smaller than the
// usual step, a millionth of the usual step at zero.
TEST(CapSums, HeadStiffnessEvaluationOrderAndSteps) {
  const struct {
    int units;
    bool scaled;
    double uh[6], h[6];
  } cases[] = {
      {1, false, {1, 2, 3, 4, 5, 6}, {1e-7, 1e-7, 1e-7, 1e-11, 1e-11, 1e-11}},
      {2, false, {1, 2, 3, 4, 5, 6}, {2.54e-9, 2.54e-9, 2.54e-9, 1e-11, 1e-11, 1e-11}},
      {1, true, {1, 2, 3, 4, 5, 6}, {1e-7, 1e-7, 1e-7, 1e-11, 1e-11, 1e-11}},
      {1, true, {0.03, -2e-8, 0, 4e-12, -1e-30, 1e-9}, {1e-7, 5e-9, 1e-13, 1e-12, 1e-17, 1e-11}},
      {2, true, {4e-9, 1e-10, 0, 0, 0, 0}, {1e-9, 2.5e-11, 2.54e-15, 1e-17, 1e-17, 1e-17}},
  };
  for (const auto& c : cases) {
    CapRun run;
    RUNCTL.IUNITS = c.units;
    run.add(pinned(1.0, 1.0), 0.0, 0.0, 0.0);
    double KH[36];
    std::int32_t ISTAT = 0;
    group().record = true;
    group().perturbations.clear();
    PILEHK(1, KH, c.uh, ISTAT, false, c.scaled);
    group().record = false;
    const auto& seen = group().perturbations;
    ASSERT_EQ(seen.size(), 13u * 6u);
    for (int e = 0; e < 13; ++e) {
      const int j = e == 0 ? -1 : (e - 1) % 6;
      const double sign = e <= 6 ? 1.0 : -1.0;
      for (int i = 0; i < 6; ++i) {
        const double expected = c.uh[i] + (i == j ? sign * c.h[i] : 0.0);
        EXPECT_NEAR(seen[6 * e + i], expected, 1e-12 * c.h[i])
            << "units " << c.units << " scaled " << c.scaled << " evaluation " << e << " component " << i;
      }
    }
  }
}

TEST(CapSums, FailedPileIsLeftOutOfTheForceButNotTheStiffness) {
  CapRun run;
  for (int p = 0; p < 3; ++p) run.add(pinned(100.0, 10.0), 0.0, 10.0 * p, 0.0);
  group().statusPile = 2;
  const double U[6] = {0.1, 0, 0, 0, 0, 0};
  double F[6], K[36];
  std::int32_t ISTAT = 0;
  FVEC(F, U, ISTAT);
  EXPECT_EQ(ISTAT, STAT_NODE_BELOW);
  // Pile 1 ran before the failure; pile 3 after it returns nothing.
  EXPECT_NEAR(F[0], -10.0, 1e-12);
  // The stiffness sum tests no status: every pile's matrix is added.
  group().statusPile = 0;
  ISTAT = 0;
  STIFF(K, U, ISTAT);
  EXPECT_NEAR(K[0], -300.0, 1e-4);
}

TEST(CapSums, OnePileAtTheOriginGivesItsOwnHeadForceAndStiffness) {
  CapRun run;
  test::Springs s;
  for (int i = 0; i < 6; ++i) s.k[i] = 10.0 * (i + 1);
  run.add(s, 0.0, 0.0, 0.0);
  const double U[6] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
  double F[6], fh[6], K[36], KH[36];
  std::int32_t ISTAT = 0;
  FVEC(F, U, ISTAT);
  test::springHead(1, fh, U, ISTAT);
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(F[i], fh[i]);
  STIFF(K, U, ISTAT);
  PILEHK(1, KH, U, ISTAT);
  for (int i = 0; i < 36; ++i) EXPECT_DOUBLE_EQ(K[i], KH[i]);
}

// The stiffness sum right after the force sum at the same cap displacement
// does not solve the piles' base points again: the stiffness, the outcome
// and what the solutions leave in the pile tables are those of a stiffness
// sum that solves them.
TEST(CapSums, StiffnessAfterTheForceSumAtTheSameDisplacementIsUnchanged) {
  const double U[6] = {0.05, 0.3, -0.2, 1.0E-4, 1.0E-3, -2.0E-3};
  const double V[6] = {0.04, 0.2, -0.1, 1.0E-4, 1.0E-3, -2.0E-3};
  struct State {
    double K[36], pucap, grndx;
    std::int32_t kpilst;
  } state[2];
  for (int reuse = 0; reuse < 2; ++reuse) {
    ASSERT_EQ(test::setThreeLayerRun(4), 0);
    test::CapRun run(false);
    CAPCTL.ICAPOP = 1;  // an embedded cap: the solutions write PUCAP
    CAPCTL.CAPWZ = 60.0;
    double F[6];
    std::int32_t ISTAT = 0;
    RUNCTL.KPILST = KPIL_SOUND;
    FVEC(F, reuse ? U : V, ISTAT);
    State& s = state[reuse];
    STIFF(s.K, U, ISTAT);
    ASSERT_EQ(ISTAT, 0);
    s.pucap = SOILCOM.PUCAP(2);
    s.grndx = SOILCOM.GRNDX(2);
    s.kpilst = RUNCTL.KPILST;
  }
  EXPECT_EQ(std::memcmp(state[0].K, state[1].K, sizeof state[0].K), 0);
  EXPECT_EQ(state[1].pucap, state[0].pucap);
  EXPECT_EQ(state[1].grndx, state[0].grndx);
  EXPECT_EQ(state[1].kpilst, state[0].kpilst);
  EXPECT_NE(state[1].K[7], 0.0);
}

// The sums are the same bits on 1 and on 8 threads: every pile's
// contribution is added in pile order.
TEST(CapSums, SumsAreBitIdenticalForAnyThreadCount) {
  CapRun run;
  for (int p = 0; p < 97; ++p) {
    test::Springs s = pinned(1000.0 + 3.7 * p, 41.3 + 0.11 * p);
    s.k[4] = s.k[5] = 17.0 * p;
    s.cubic[0] = 1.0e5 / (p + 1);
    run.add(s, 0.3 * p, 1.7 * p - 80.0, 0.9 * (p % 7) - 3.0, 80.0 + (p % 5), 37.0 * p);
  }
  group().cubicAbove = -1.0;
  const double U[6] = {0.013, -0.021, 0.0071, 3.3e-4, -1.7e-4, 2.9e-4};
  TIMBLK.NPROCS = 8;
  double F1[6], K1[36], F8[6], K8[36];
  std::int32_t ISTAT = 0;
  CURCTL.NTHLIM = 1;
  FVEC(F1, U, ISTAT);
  STIFF(K1, U, ISTAT);
  CURCTL.NTHLIM = 8;
  FVEC(F8, U, ISTAT);
  STIFF(K8, U, ISTAT);
  EXPECT_EQ(std::memcmp(F1, F8, sizeof F1), 0);
  EXPECT_EQ(std::memcmp(K1, K8, sizeof K1), 0);
  EXPECT_EQ(TIMBLK.NTHRUN, 8);
}

}  // namespace
}  // namespace drelm
