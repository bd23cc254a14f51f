// The plate on the piles: a deck run, then a plate-solution run on its deck.
// A plate far stiffer than its piles moves as the rigid cap on the same piles.
#include <gtest/gtest.h>

#include <cmath>

#include "fecap/capdeck.h"
#include "fecap/fecap.h"
#include "fecap/slabsol.h"
#include "numeric/matrix.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm::test {
namespace {

const double PI = 3.14159265358979323846;

// Head displacement of a rigid cap at a head (0, y, z): u + theta x r.
std::array<double, 36> carry(double y, double z) {
  std::array<double, 36> T{};
  for (int i = 0; i < 6; ++i) T[i + 6 * i] = 1.0;
  const auto at = [&](int i, int j) -> double& { return T[(i - 1) + 6 * (j - 1)]; };
  at(1, 5) = z;
  at(1, 6) = -y;
  at(2, 4) = -z;
  at(3, 4) = y;
  return T;
}

struct RigidCap {
  double U[6];
  std::vector<std::array<double, 6>> uh, fh;
};

RigidCap rigidCap(const std::vector<CapPile>& piles, const std::vector<std::array<double, 36>>& K,
                  const double (&P)[6]) {
  double KC[36] = {};
  for (std::size_t p = 0; p < piles.size(); ++p) {
    const auto T = carry(piles[p].y, piles[p].z);
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j)
        for (int a = 0; a < 6; ++a)
          for (int b = 0; b < 6; ++b) KC[i + 6 * j] += T[a + 6 * i] * K[p][a + 6 * b] * T[b + 6 * j];
  }
  std::int32_t flag = 0;
  GJINV(KC, 6, 6, flag);
  RigidCap r{};
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) r.U[i] += KC[i + 6 * j] * P[j];
  for (std::size_t p = 0; p < piles.size(); ++p) {
    const auto T = carry(piles[p].y, piles[p].z);
    std::array<double, 6> u{}, f{};
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) u[i] += T[i + 6 * j] * r.U[j];
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) f[i] -= K[p][i + 6 * j] * u[j];
    r.uh.push_back(u);
    r.fh.push_back(f);
  }
  return r;
}

TEST(PlateCoupling, AVeryStiffPlateCapMovesAsTheRigidCap) {
  ScratchDir dir;
  const std::vector<CapPile> piles = {
      {-2, -2, 0, PI / 2, 2}, {2, -2, 0, PI / 2, 2}, {2, 2, 0, PI / 2, 2}, {-2, 2, 0, PI / 2, 2}, {0, 2, 0, PI / 2, 2}};
  std::vector<std::array<double, 36>> K;
  for (std::size_t p = 0; p < piles.size(); ++p)
    K.push_back(diagSpring(1.0E4 * (1 + 0.2 * p), 2.0E3, 3.0E3 * (1 + 0.1 * p), 0.0, 5.0E3, 4.0E3));
  setCap(4, 4, 8.0, 8.0, 1.5, 1.0E9, 0.2, piles, 2);
  const double P[6] = {1000, 100, 150, 200, 300, -250};
  std::int32_t ISTAT = 0;
  FECAP(P, ISTAT);  // the deck run
  ASSERT_EQ(ISTAT, 0);

  FECOPT.IFECAP = 1;  // the plate-solution run on that deck
  SpringHeads heads(K);
  setPlateHeads(&heads);
  ASSERT_TRUE(io::OPEN(U_RESULTS, "run.out", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_PLOT, "run.plot", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_LOG, "run.log", io::Access::Write));
  FECAP(P, ISTAT);
  setPlateHeads(nullptr);
  io::CLOSEALL();
  ASSERT_EQ(ISTAT, 0) << readFile("run.log");

  const RigidCap r = rigidCap(piles, K, P);
  for (std::size_t p = 0; p < piles.size(); ++p)
    for (int i = 0; i < 6; ++i) {
      const double fs = std::fabs(r.fh[p][i]) + 1e-3 * 1000.0;
      EXPECT_NEAR(heads.lastF[p][i], r.fh[p][i], 0.01 * fs) << "pile " << p + 1 << " force " << i + 1;
      if (i == 3) continue;  // the twist of a head is the plate's drilling rotation
      const double us = std::fabs(r.uh[p][i]) + 1e-3 * std::fabs(r.U[0]);
      EXPECT_NEAR(heads.lastU[p][i], r.uh[p][i], 0.01 * us) << "pile " << p + 1 << " displacement " << i + 1;
    }
  // The plate results went to the run's own plate files and heading.
  EXPECT_EQ(readLines("run.out"),
            (std::vector<std::string>{"", "", "", "                 *****     COMPUTATION RESULTS     *****", "",
                                      "", "", "", "     * TABLE I *   COMPUTATION ON INDIVIDUAL PILE"}));
  EXPECT_EQ(readLines("run.plot"), (std::vector<std::string>{"           0", "           5           1           2"}));
  const auto post = readLines("run.fepost");
  ASSERT_GE(post.size(), 3u);
  EXPECT_EQ(post[0], "STEP_DATA");
  EXPECT_EQ(post[1], "14");
  EXPECT_EQ(post.back(), "END_STEP_DATA");
  const std::string log = readFile("run.log");
  EXPECT_NE(log.find("STEP     2   TCUR   =    1.0000  DT =     0.5000"), std::string::npos) << log;
}

std::string failingPiles(double dtmin, std::int32_t& ISTAT) {
  ScratchDir dir;
  const std::vector<CapPile> piles = {{-2, -2, 0, PI / 2, 2}, {2, 2, 0, PI / 2, 2}, {2, -2, 0, PI / 2, 2}};
  setCap(2, 2, 8.0, 8.0, 1.0, 1.0E8, 0.2, piles, 2);
  CURCTL.DTCUR0 = 0.25;
  CURCTL.DTCMIN = dtmin;
  const double P[6] = {1000, 0, 0, 0, 0, 0};
  FECAP(P, ISTAT);
  EXPECT_EQ(ISTAT, 0);
  FECOPT.IFECAP = 1;
  SpringHeads heads(std::vector<std::array<double, 36>>(3, diagSpring(1e4, 1e3, 1e3, 0, 1e3, 1e3)));
  heads.failWith = 3;
  setPlateHeads(&heads);
  EXPECT_TRUE(io::OPEN(U_LOG, "run.log", io::Access::Write));
  FECAP(P, ISTAT);
  setPlateHeads(nullptr);
  io::CLOSEALL();
  EXPECT_EQ(readLines("run.fepost"), std::vector<std::string>{"END_STEP_DATA"});
  return readFile("run.feconv");
}

TEST(PlateCoupling, APileFailureInTheElementPassFailsTheStepAndTheRun) {
  std::int32_t ISTAT = 0;
  const std::string conv = failingPiles(0.1, ISTAT);
  EXPECT_EQ(ISTAT, 3);
  // Retried with 0.125, then 0.0625 < 0.1 ends the stepping.
  EXPECT_NE(conv.find("STEP     1   TCUR   =    0.2500  DT =     0.2500"), std::string::npos);
  EXPECT_NE(conv.find("STEP     1   TCUR   =    0.1250  DT =     0.1250"), std::string::npos);
  EXPECT_NE(conv.find("error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"), std::string::npos);
  EXPECT_EQ(conv.find("0.0312"), std::string::npos);
}

TEST(PlateCoupling, WithoutASmallestStepTheHalvingStopsAtItsFloor) {
  std::int32_t ISTAT = 0;
  const std::string conv = failingPiles(0.0, ISTAT);
  EXPECT_EQ(ISTAT, 3);
  EXPECT_NE(conv.find("error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"), std::string::npos);
  // 0.25 halved down to 1E-5 of the range: 15 retries after the first try.
  std::size_t steps = 0;
  for (std::size_t at = conv.find("STEP "); at != std::string::npos; at = conv.find("STEP ", at + 1)) ++steps;
  EXPECT_EQ(steps, 15u);
}

}  // namespace
}  // namespace drelm::test
