// The plane lateral pile solver: a linear pile on a linear Winkler
// foundation against the long-pile closed form for every head connection,
// the iteration on nonlinear springs, the status and no-closure paths, and
// the stores of the reporting passes.
#include "pile/llp2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/envpil.h"
#include "pile/node2d.h"
#include "pile/pilestore.h"
#include "run/fileio.h"
#include "run/model.h"
#include "soil/pyfixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::Layer;

constexpr double KS = 100.0;   // subgrade modulus (F/L^3)
constexpr double B = 10.0;     // diameter
constexpr double ES = B * KS;  // Winkler modulus of the elastic subgrade (F/L^2)
constexpr double EI = 2.5e8;   // flexural rigidity: beta = (ES / 4 EI)^(1/4) = 0.0316
constexpr double LEN = 300.0;  // beta L = 9.5: a long pile

// Row 1 of property 1, head just below the ground (the criteria give no
// spring at the ground line itself), in one layer of soil of the given code;
// the section is uniform.
void setRow(int code, int conn, double spring = 0.0, int ninc = 100, const Layer* soil = nullptr) {
  test::setRun();
  const Layer elastic{12, 0, 1000, 0, 0, 0, KS};
  test::setSoil({soil ? *soil : elastic});
  if (!soil) SOILCOM.LTYPE(1) = code;
  test::setPile(1, B, LEN, ninc, 0.0, -1.0);
  SECTAB.SEIZT(1, 1) = SECTAB.SEIZB(1, 1) = EI;
  SECTAB.SIZT(1, 1) = SECTAB.SIZB(1, 1) = M_PI * std::pow(B, 4) / 64.0;
  SECTAB.SAREAT(1, 1) = SECTAB.SAREAB(1, 1) = M_PI * B * B / 4.0;
  std::int32_t st = 0;
  SECMARK(st);
  PCONN.CONNECTY(1) = conn;
  PILEAR.HSPR1(1) = spring;
  PILEAR.GRPNP(1) = 1.0;
  RUNCTL.IANTYP = 2;
  RUNCTL.IOUTPS = 0;
  SOILCOM.MAXITL = 50;
  CURCTL.TOLPIL = 1.0e-9;
  st = 0;
  NODE2D(1, st);
  ASSERT_EQ(st, 0);
}

struct Head {
  double VT1 = -7.0, MT1 = -7.0;  // sentinels: the solver did not write them
  std::int32_t st = 0;
};

Head solve(double Y, double S, double PX = 0.0, double axialDisp = 0.0) {
  Head h;
  const double ULOC[3] = {axialDisp, Y, S};
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  NodeArray ax{}, al{};
  LLP2D(1, Y, S, PX, h.VT1, h.MT1, h.st, ULOC, T, ax, al);
  return h;
}

// Long pile on a Winkler foundation, head deflection y0 and head slope s0:
// y = exp(-bx) (y0 cos bx + c2 sin bx). The moment -EI y'' at the head is
// 2 EI b^2 c2 and the head shear k (y0 + c2) / (2 b). The rotational
// restraint K gives EI y''(0) = K (y'(0) - S).
struct Closed {
  double V, M;
};
Closed longPile(int conn, double K, double y0, double S) {
  const double b = std::pow(ES / (4.0 * EI), 0.25);
  double c2 = 0.0;
  if (conn == CONN_FIX) c2 = y0 + S / b;
  if (conn == CONN_RES) c2 = K * (b * y0 + S) / (2.0 * EI * b * b + K * b);
  return {ES * (y0 + c2) / (2.0 * b), 2.0 * EI * b * b * c2};
}

TEST(Llp2dWinkler, HeadForcesMatchTheLongPileSolution) {
  struct Case {
    const char* name;
    int conn;
    double K, Y, S;
  } cases[] = {
      {"pinned head", CONN_PIN, 0, 0.5, 0},
      {"pinned head ignores the rotation", CONN_PIN, 0, 0.5, 0.01},
      {"fixed head, no rotation", CONN_FIX, 0, 0.5, 0},
      {"fixed head with a rotation of its own", CONN_FIX, 0, 0.2, 0.004},
      {"fixed head rotated only", CONN_FIX, 0, 0.0, -0.003},
      {"restrained head", CONN_RES, 5.0e9, 0.5, 0},
      {"restrained head, rotated", CONN_RES, 5.0e9, 0.3, 0.002},
      {"soft restraint", CONN_RES, 1.0e7, 0.5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setRow(12, c.conn, c.K);
    const Head h = solve(c.Y, c.S);
    ASSERT_EQ(h.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    const Closed x = longPile(c.conn, c.K, c.Y, c.S);
    // Differences of spacing h = 3 on a wave of length 2 pi / beta = 200:
    // a few tenths of a percent; the pinned head carries no moment at all.
    EXPECT_NEAR(h.VT1, x.V, 0.005 * std::fabs(x.V)) << "closed form " << x.V;
    EXPECT_NEAR(h.MT1, x.M, 0.006 * std::fabs(x.M) + 1e-9) << "closed form " << x.M;
  }
}

TEST(Llp2dWinkler, ErrorShrinksWithTheNodeSpacing) {
  // Halving the spacing cuts the error of the fixed-head shear about four
  // times: a second-order scheme.
  const Closed x = longPile(CONN_FIX, 0, 0.5, 0);
  double err[2];
  const int incs[2] = {50, 100};
  for (int i = 0; i < 2; ++i) {
    setRow(12, CONN_FIX, 0, incs[i]);
    err[i] = std::fabs(solve(0.5, 0).VT1 - x.V);
  }
  EXPECT_GT(err[0] / err[1], 3.0);
  EXPECT_LT(err[0] / err[1], 5.0);
}

TEST(Llp2dWinkler, PinnedHeadWithoutDisplacementCarriesNothing) {
  setRow(12, CONN_PIN);
  const Head h = solve(0.0, 0.0);
  EXPECT_EQ(h.st, 0);
  EXPECT_DOUBLE_EQ(h.VT1, 0.0);
  EXPECT_DOUBLE_EQ(h.MT1, 0.0);
}

// An axial compression softens the pile: the same head deflection needs
// less shear (P-delta through the Q y'' term).
TEST(Llp2dWinkler, AxialCompressionLowersTheHeadShear) {
  setRow(12, CONN_PIN);
  const double free = solve(0.5, 0).VT1;
  const double loaded = solve(0.5, 0, 2.0e5).VT1;
  const double pulled = solve(0.5, 0, -2.0e5).VT1;
  EXPECT_LT(loaded, free);
  EXPECT_GT(pulled, free);
}

TEST(Llp2dNonlinear, SoftClayClosesBelowTheElasticResponse) {
  const Layer clay{1, 0, 1000, 0.04, 5.0, 0, 0, 0.01};
  setRow(1, CONN_FIX, 0, 60, &clay);
  SOILCOM.MAXITL = 200;
  CURCTL.TOLPIL = 1.0e-7;
  const Head small = solve(0.01, 0);
  const Head large = solve(1.0, 0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  ASSERT_EQ(large.st, 0);
  EXPECT_GT(small.VT1, 0.0);
  // A secant stiffness that falls with the deflection.
  EXPECT_LT(large.VT1 / 1.0, small.VT1 / 0.01);
}

TEST(Llp2dNonlinear, NoClosureWarnsAndLeavesTheHeadValues) {
  struct Case {
    int maxitl;
    double tol;
  } cases[] = {{1, 1.0}, {3, 1.0e-12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "MAXITL " << c.maxitl);
    test::ScratchDir dir;
    ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
    ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
    const Layer clay{1, 0, 1000, 0.04, 5.0, 0, 0, 0.01};
    setRow(1, CONN_FIX, 0, 60, &clay);
    SOILCOM.MAXITL = c.maxitl;
    CURCTL.TOLPIL = c.tol;
    RUNCTL.KPILST = 0;
    const Head h = solve(2.0, 0);
    EXPECT_EQ(h.st, 0);
    EXPECT_EQ(RUNCTL.KPILST, 1);
    EXPECT_EQ(h.VT1, -7.0);
    EXPECT_EQ(h.MT1, -7.0);
    io::CLOSEALL();
    const std::string warn = "     ** WARNING **  NO CLOSURE OF A LLP AFTER " +
                             std::string(c.maxitl < 10 ? "    " : "   ") + std::to_string(c.maxitl) +
                             "  ITERATIONS          PILE GROUP    1";
    for (const char* f : {"results.txt", "log.txt"})
      EXPECT_EQ(test::readLines(dir.path() / f), (std::vector<std::string>{"", "", warn})) << f;
  }
}

// A status already in the word (another row's, or this row's node set-up)
// ends the call before any solution; a soil look-up that fails does too.
TEST(Llp2dStatus, NonZeroStatusEndsTheCall) {
  setRow(12, CONN_PIN);
  Head h;
  h.st = 13;
  const double ULOC[3] = {0, 0.5, 0};
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  NodeArray ax{}, al{};
  LLP2D(1, 0.5, 0.0, 0.0, h.VT1, h.MT1, h.st, ULOC, T, ax, al);
  EXPECT_EQ(h.st, 13);
  EXPECT_EQ(h.VT1, -7.0);
  EXPECT_EQ(h.MT1, -7.0);
}

// Without rigidity and without soil every pivot and the tip determinant are
// zero: the solution is zero, not a division by zero.
TEST(Llp2dStatus, ZeroPivotsGiveZeroNotNaN) {
  setRow(12, CONN_PIN);
  SOILCOM.KPROF.fill(0.0);
  SECTAB.SEIZT.fill(0.0);
  SECTAB.SEIZB.fill(0.0);
  const Head h = solve(0.5, 0);
  EXPECT_EQ(h.st, 0);
  EXPECT_TRUE(std::isfinite(h.VT1));
  EXPECT_TRUE(std::isfinite(h.MT1));
  EXPECT_DOUBLE_EQ(h.MT1, 0.0);
}

}  // namespace
}  // namespace drelm
