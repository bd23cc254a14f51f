// A group of elastic piles in elastic subgrade, solved by the single-pile
// solvers: the sums against the long-pile closed form, the rigid cap, and
// the same reports for any thread count.
#include <gtest/gtest.h>

#include <cmath>

#include "cap/capeq.h"
#include "cap/capfixture.h"
#include "cap/capsum.h"
#include "pile/pilehd_fixture.h"

namespace drelm {
namespace {

constexpr double EI = 1.0E10;  // lb in^2
constexpr double KS = 1000.0;  // lateral spring, lb/in per in
constexpr double DIAM = 24.0;
constexpr double A = 60.0, B = 40.0;  // half spacings along Y and Z

double beta() { return std::pow(KS / (4.0 * EI), 0.25); }

// Four vertical drilled shafts 600 in long (beta L = 7.5) with pinned heads
// at (0, +-A, +-B) in elastic subgrade from 10 in above the heads.
void elasticGroup() {
  test::HdPile pile;
  pile.len = 600.0;
  const test::HdLayer top{ST_ELASTIC, -10.0, -9.0, 0.04, 0.0, 0.0, KS / DIAM, 0.0, 3.125, 2300.0};
  test::HdLayer rest = top;
  rest.top = -9.0;
  rest.bot = 1200.0;
  ASSERT_EQ(test::setGroupRun({top, rest}, pile, 4, -10.0), 0);
  int p = 0;
  for (double y : {-A, A})
    for (double z : {-B, B}) {
      ++p;
      PILEAR.PHY(p) = y;
      PILEAR.PHZ(p) = z;
      PCONN.CONNECTY(p) = PCONN.CONNECTZ(p) = CONN_PIN;
    }
}

TEST(CapGroup, StiffnessOfPinnedElasticPilesAgainstTheLongPile) {
  elasticGroup();
  double K[36];
  const double U[6] = {};
  std::int32_t ISTAT = 0;
  STIFF(K, U, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  auto k = [&](int i, int j) { return K[(i - 1) + 6 * (j - 1)]; };
  // A free head deflects 2 H beta / k: a lateral stiffness of k / (2 beta) per pile.
  const double klat = KS / (2.0 * beta());
  EXPECT_NEAR(k(2, 2), -4 * klat, 0.02 * 4 * klat);
  EXPECT_NEAR(k(3, 3), -4 * klat, 0.02 * 4 * klat);
  // Pinned heads resist a cap rotation by their axial stiffness alone.
  EXPECT_LT(k(1, 1), 0.0);
  EXPECT_NEAR(k(6, 6), A * A * k(1, 1), 1e-9 * std::fabs(A * A * k(1, 1)));
  EXPECT_NEAR(k(5, 5), B * B * k(1, 1), 1e-9 * std::fabs(B * B * k(1, 1)));
}

struct Outcome {
  double U[6];
  std::vector<std::string> out, log, status, sumscr, report;
};

Outcome swayPass(int threads) {
  elasticGroup();
  test::CapRun run(false);
  TIMBLK.NPROCS = 8;
  CURCTL.NTHLIM = threads;
  CURCTL.DTCUR0 = 0.5;
  CURCTL.TOLCAP = 1.0E-6;
  double PCAP[6] = {0.0, 4.0E4, 0.0, 0.0, 0.0, 0.0}, FLD[6], UCP[6], PPOD[6] = {}, UPOD[6] = {}, XPOD[6] = {};
  const std::int32_t KPOD[6] = {1, 1, 1, 1, 1, 1};
  std::int32_t ISTAT = 0;
  CAPEQ(0, ISTAT, FLD, UCP, PCAP, PPOD, UPOD, XPOD, KPOD);
  EXPECT_EQ(ISTAT, 0);
  Outcome o;
  for (int i = 1; i <= 6; ++i) o.U[i - 1] = ENVPIL.CAPDMX(i);
  o.out = run.lines(U_RESULTS);
  o.log = run.lines(U_LOG);
  o.status = run.lines(U_STATUS);
  o.sumscr = run.lines(U_SUMSCR);
  o.report = run.lines(U_REPORT);
  return o;
}

// The rigid cap sways as one pile carrying a quarter of the load; the
// reports are the same on one thread and on eight.
TEST(CapGroup, RigidCapSwayAndReportsForAnyThreadCount) {
  const Outcome one = swayPass(1);
  EXPECT_EQ(one.status, std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
  const double y0 = 2.0 * 1.0E4 * beta() / KS;
  EXPECT_NEAR(one.U[1], y0, 0.02 * y0);
  EXPECT_NEAR(one.U[0], 0.0, 1e-9);
  const Outcome eight = swayPass(8);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(one.U[i], eight.U[i]) << i;
  EXPECT_EQ(one.out, eight.out);
  EXPECT_EQ(one.log, eight.log);
  EXPECT_EQ(one.sumscr, eight.sumscr);
  EXPECT_EQ(one.report, eight.report);
  EXPECT_EQ(TIMBLK.NTHRUN, 4);  // never more threads than piles
}

}  // namespace
}  // namespace drelm
