// The plane lateral pile solver: a linear pile on a linear Winkler
// foundation against the long-pile closed form for every head connection,
// the iteration on nonlinear springs, the status and no-closure paths, and
// the stores of the reporting passes.
#include "pile/llp2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "pile/envpil.h"
#include "pile/llph2d.h"
#include "pile/node2d.h"
#include "pile/pilestore.h"
#include "model/fileio.h"
#include "model/model.h"
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

// The same through the head routine, which prints instead of storing.
Head solveHead(double Y, double S) {
  Head h;
  const double ULOC[3] = {0.0, Y, S};
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  NodeArray ax{}, al{};
  LLPH2D(1, Y, S, 0.0, h.VT1, h.MT1, h.st, ULOC, T, ax, al);
  return h;
}

// Straight p-y curves p = ES y by depth for row 1, from the ground down.
void ownStraightCurves() {
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  USRPY.NPYSET = 1;
  USRPY.PYNCRV(1) = 2;
  for (int c = 1; c <= 2; ++c) {
    USRPY.PYDEP(1, c) = c == 1 ? 0.0 : 1000.0;
    USRPY.PYNPT(1, c) = 2;
    USRPY.PYY(1, c, 2) = 100.0;
    USRPY.PYP(1, c, 2) = ES * 100.0;
  }
  std::int32_t st = 0;
  NODE2D(1, st);
}

// Soil moving uniformly by d over the whole row (none for d = 0).
void moveSoil(double d) {
  RUNCONST.EPSMOV = 1.0e-5;
  SMOV = SMOV_T{};
  if (d == 0.0) return;
  SMOV.NSMOV = 2;
  SMOV.SMVFAC = 1.0;
  SMOV.SMVDEP(1) = 0.0;
  SMOV.SMVDEP(2) = 1000.0;
  SMOV.SMVY(1) = SMOV.SMVY(2) = d;
}

// The head forces of row 1 held at Y (no slope, no axial force), which must
// close without a status.
void solveHeld(double Y, double& VT1, double& MT1) {
  RUNCTL.KPILST = 0;
  const Head h = solve(Y, 0.0);
  ASSERT_EQ(h.st, 0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  VT1 = h.VT1;
  MT1 = h.MT1;
}

// Long pile on a Winkler foundation, head deflection y0 and head slope s0:
// y = exp(-bx) (y0 cos bx + c2 sin bx). The moment -EI y'' at the head is
// 2 EI b^2 c2 and the head shear k (y0 + c2) / (2 b). The rotational
// restraint K gives EI y''(0) = K (y'(0) - S).
struct Closed {
  double V, M;
};
Closed longPile(int conn, double K, double y0, double S, double ei = EI) {
  const double b = std::pow(ES / (4.0 * ei), 0.25);
  double c2 = 0.0;
  if (conn == CONN_FIX) c2 = y0 + S / b;
  if (conn == CONN_RES) c2 = K * (b * y0 + S) / (2.0 * ei * b * b + K * b);
  return {ES * (y0 + c2) / (2.0 * b), 2.0 * ei * b * b * c2};
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

// A row with its own straight p-y curves by depth starts from moduli of the
// node distances and reaches the same Winkler solution.
TEST(Llp2dWinkler, RowWithItsOwnStraightCurvesByDepth) {
  for (int conn : {CONN_PIN, CONN_FIX}) {
    SCOPED_TRACE(testing::Message() << "connection " << conn);
    setRow(12, conn);
    ownStraightCurves();
    const Head h = solve(0.5, 0.0);
    ASSERT_EQ(h.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    const Closed x = longPile(conn, 0.0, 0.5, 0.0);
    EXPECT_NEAR(h.VT1, x.V, 0.005 * std::fabs(x.V));
    EXPECT_NEAR(h.MT1, x.M, 0.006 * std::fabs(x.M) + 1e-9);
  }
}

// A straight moment-curvature curve of half the section's rigidity replaces
// it, whenever the rigidity is updated.
TEST(Llp2dWinkler, MomentCurvatureSetReplacesTheRigidity) {
  for (int ieiprv : {0, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "IEIPRV " << ieiprv);
    setRow(12, CONN_FIX);
    RUNCTL.ICTL09 = 1;
    CURCTL.IEIPRV = ieiprv;
    for (int r = 1; r <= 2; ++r) SECTAB.SMCIZ(1, r) = 1;
    MCTAB.NMCSET = 1;
    MCTAB.MCNCRV(1) = 1;
    MCTAB.MCNPT(1, 1) = 3;
    const double phi[3] = {0.0, 1.0e-5, 1.0};
    for (int k = 1; k <= 3; ++k) {
      MCTAB.MCCURV(1, 1, k) = phi[k - 1];
      MCTAB.MCMOM(1, 1, k) = 0.5 * EI * phi[k - 1];
    }
    const Head h = solve(0.5, 0.0);
    ASSERT_EQ(h.st, 0);
    // A shorter wave than the section's: beta h is 19 percent larger.
    const Closed x = longPile(CONN_FIX, 0.0, 0.5, 0.0, 0.5 * EI);
    EXPECT_NEAR(h.VT1, x.V, 0.007 * std::fabs(x.V));
    EXPECT_NEAR(h.MT1, x.M, 0.009 * std::fabs(x.M));
  }
}

TEST(Llp2dWinkler, MomentCurvatureStiffnessHoldsUpToTheTip) {
  // A short row, where the tip takes part in the bending: a straight
  // moment-curvature set of EI on a section of EI / 2 must give the row of
  // EI exactly, the imaginary slots below the tip included.
  auto shortRow = [](bool sets, int ieiprv) {
    setRow(12, CONN_FIX, 0.0, 20);
    test::setPile(1, B, 60.0, 20, 0.0, -1.0);
    SECTAB.SEIZT(1, 1) = SECTAB.SEIZB(1, 1) = sets ? 0.5 * EI : EI;
    std::int32_t st = 0;
    SECMARK(st);
    if (sets) {
      RUNCTL.ICTL09 = 1;
      CURCTL.IEIPRV = ieiprv;
      for (int r = 1; r <= 2; ++r) SECTAB.SMCIZ(1, r) = 1;
      MCTAB.NMCSET = 1;
      MCTAB.MCNCRV(1) = 1;
      MCTAB.MCNPT(1, 1) = 2;
      MCTAB.MCCURV(1, 1, 2) = 1.0e-3;
      MCTAB.MCMOM(1, 1, 2) = EI * 1.0e-3;
    }
    st = 0;
    NODE2D(1, st);
    EXPECT_EQ(st, 0);
    return solve(0.5, 0.0);
  };
  const Head plain = shortRow(false, 0);
  ASSERT_EQ(plain.st, 0);
  for (int ieiprv : {0, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "IEIPRV " << ieiprv);
    const Head mc = shortRow(true, ieiprv);
    ASSERT_EQ(mc.st, 0);
    EXPECT_NEAR(mc.VT1, plain.VT1, 1e-9 * std::fabs(plain.VT1));
    EXPECT_NEAR(mc.MT1, plain.MT1, 1e-9 * std::fabs(plain.MT1));
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

// Rows solved side by side on several threads give what each gives alone.
TEST(Llp2dNonlinear, RowsInParallelMatchRowsInTurn) {
  const Layer clay{1, 0, 1000, 0.04, 5.0, 0, 0, 0.01};
  setRow(1, CONN_FIX, 0, 60, &clay);
  SOILCOM.MAXITL = 200;
  CURCTL.TOLPIL = 1.0e-7;
  constexpr int NR = 16;
  RUNCTL.NPILE = NR;
  for (int p = 2; p <= NR; ++p) {
    PILEAR.PROPOFPILE(p) = 1;
    PILEAR.PHXREF(p) = PILEAR.PHX(p) = 0.0;
    PILEAR.PGRND(p) = PILEAR.PGRND(1);
    PCONN.CONNECTY(p) = CONN_FIX;
    GRPFAC.GRPPF(p) = GRPFAC.GRPYF(p) = 1.0;
    std::int32_t st = 0;
    NODE2D(p, st);
  }
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const NodeArray none{};
  double serial[NR + 1], parallel[NR + 1];
  std::int32_t st = 0;
  for (int p = 1; p <= NR; ++p) {
    const double y = 0.05 * p, ULOC[3] = {0, y, 0};
    double M = 0;
    LLP2D(p, y, 0.0, 0.0, serial[p], M, st, ULOC, T, none, none);
  }
#pragma omp parallel for num_threads(4) schedule(static)
  for (int p = 1; p <= NR; ++p) {
    const double y = 0.05 * p, ULOC[3] = {0, y, 0};
    double M = 0;
    LLP2D(p, y, 0.0, 0.0, parallel[p], M, st, ULOC, T, none, none);
  }
  EXPECT_EQ(st, 0);
  EXPECT_EQ(RUNCTL.KPILST, 0);
  for (int p = 1; p <= NR; ++p) EXPECT_EQ(parallel[p], serial[p]) << "row " << p;
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

// Without soil a pinned row is a mechanism; without rigidity as well every
// pivot is zero. Neither has a unique solution: the call fails as a solution
// that does not close, with a warning, and writes no head value (the head
// routine too: it must not take the deflections it could not solve for a
// closed solution). Held fixed at its head, the same row without soil is a
// cantilever and solves.
TEST(Llp2dStatus, SingularEquationsFailTheSolution) {
  const struct {
    const char* name;
    bool noRigidity;
    int conn;
    bool solves;
    bool headRoutine = false;
  } cases[] = {
      {"pinned, no soil", false, CONN_PIN, false},
      {"pinned, no soil, no rigidity", true, CONN_PIN, false},
      {"fixed head, no soil", false, CONN_FIX, true},
      {"head routine, pinned, no soil", false, CONN_PIN, false, true},
      {"head routine, fixed head, no soil", false, CONN_FIX, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
    ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
    setRow(12, c.conn);
    SOILCOM.KPROF.fill(0.0);
    if (c.noRigidity) {
      SECTAB.SEIZT.fill(0.0);
      SECTAB.SEIZB.fill(0.0);
    }
    RUNCTL.KPILST = 0;
    const Head h = c.headRoutine ? solveHead(0.5, 0) : solve(0.5, 0);
    EXPECT_EQ(h.st, 0);
    io::CLOSEALL();
    if (c.solves) {
      // A rigid translation: no shear, no moment.
      EXPECT_EQ(RUNCTL.KPILST, 0);
      EXPECT_NEAR(h.VT1, 0.0, 1e-6);
      EXPECT_NEAR(h.MT1, 0.0, 1e-3);
      continue;
    }
    EXPECT_EQ(RUNCTL.KPILST, KPIL_LATERAL);
    EXPECT_EQ(h.VT1, -7.0);
    EXPECT_EQ(h.MT1, -7.0);
    const std::string warn = "     ** WARNING **  NO SOLUTION OF A LLP, SINGULAR PILE EQUATIONS     PILE GROUP    1";
    for (const char* f : {"results.txt", "log.txt"})
      EXPECT_EQ(test::readLines(dir.path() / f), (std::vector<std::string>{"", "", warn})) << f;
  }
}

// The reporting pass stores the pile-top values of the row in global and
// row axes, and its values along the pile.
TEST(Llp2dReport, PileTopAndAlongPileValues) {
  setRow(12, CONN_FIX);
  const double batt = 30.0 * M_PI / 180.0, cb = std::cos(batt), sb = std::sin(batt);
  PILEAR.PBATT(1) = batt;  // set after the node set-up: the nodes stay vertical
  SECTAB.SMNT(1, 1) = SECTAB.SMNB(1, 1) = 4.0e5;
  SECTAB.SVNT(1, 1) = SECTAB.SVNB(1, 1) = 2.0e4;
  std::int32_t st = 0;
  SECMARK(st);
  RUNCTL.IOUTPS = 1;
  const double PX = 1.0e4, Y = 0.5, S = 0.001, U = 0.02;
  // A row transformation by columns: row axes turned by the batter.
  const double T[9] = {cb, sb, 0, -sb, cb, 0, 0, 0, 1};
  const double ULOC[3] = {U, Y, S};
  const NodeArray none{};
  struct Pass {
    std::int32_t icomb;
    double rfbend;
  } passes[] = {{0, 1.0}, {3, 0.8}};
  for (const Pass& ps : passes) {
    SCOPED_TRACE(testing::Message() << "combination " << ps.icomb);
    CASECUR.ICOMB = ps.icomb;
    CASECUR.RFBEND = ps.rfbend;
    ENVPIL.ENVFST = 1;
    double VT1 = 0, MT1 = 0;
    LLP2D(1, Y, S, PX, VT1, MT1, st, ULOC, T, none, none);
    ASSERT_EQ(st, 0);
    const double I = M_PI * std::pow(B, 4) / 64.0, A = M_PI * B * B / 4.0;
    const double stress = std::fabs(MT1) * B / (2.0 * I) + PX / A;
    const struct {
      int slot;
      double value;
    } top[] = {{1, U * cb - Y * sb},
               {2, U * sb + Y * cb},
               {3, S},
               {4, cb * PX - sb * VT1},
               {5, sb * PX + cb * VT1},
               {6, MT1},
               {7, stress},
               {14, U},
               {15, Y},
               {16, S},
               {17, PX},
               {18, VT1},
               {19, MT1},
               {20, stress}};
    for (const auto& v : top) {
      EXPECT_NEAR(ENVPIL.PTCUR(1, v.slot), v.value, 1e-9 * (1 + std::fabs(v.value))) << "slot " << v.slot;
      EXPECT_EQ(ENVPIL.PTMIN(1, v.slot), ENVPIL.PTCUR(1, v.slot));
      EXPECT_EQ(ENVPIL.PTMAX(1, v.slot), ENVPIL.PTCUR(1, v.slot));
    }
    // Along the pile: the moment in the report's sign, the shear of the
    // differences agreeing with the shear of equilibrium at the head, the
    // soil reaction k y, the axial force PX without an axial solution.
    EXPECT_NEAR(ENVPIL.NDCUR(1, 4, NQ_M1), -MT1, 1e-9 * std::fabs(MT1));
    // The head shear of the one-sided difference is first order: it misses
    // about h/2 M'' = h k Y / 2 of the shear of equilibrium.
    EXPECT_NEAR(ENVPIL.NDCUR(1, 4, NQ_V1), VT1, 0.6 * 3.0 * ES * Y);
    EXPECT_NEAR(ENVPIL.NDCUR(1, 4, NQ_STRESS), stress, 1e-9 * stress);
    for (int s : {4, 20, 60, 104}) {
      const double y = ENVPIL.NDCUR(1, s, NQ_Y1);
      EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_P1), ES * y, 1e-9 * (1 + std::fabs(ES * y))) << "slot " << s;
      EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_AXLOAD), PX);
      EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_AXMOV), 0.0);
      EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_GX), -y * sb, 1e-15);
      EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_GY), y * cb, 1e-15);
      EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_R1), EI);
    }
    EXPECT_EQ(ENVPIL.NDCUR(1, 4, NQ_Y1), Y);
    // Capacity ratios are reported for combinations only.
    const double rb = ps.icomb == 0 ? 0.0 : std::fabs(MT1) / 4.0e5 / ps.rfbend;
    const double rs = ps.icomb == 0 ? 0.0 : std::fabs(ENVPIL.NDCUR(1, 4, NQ_V1)) / 2.0e4;
    EXPECT_NEAR(ENVPIL.NDCUR(1, 4, NQ_RBEND), rb, 1e-12);
    EXPECT_NEAR(ENVPIL.NDCUR(1, 4, NQ_RSHEAR), rs, 1e-12);
    // Nothing of the second direction or below the tip.
    EXPECT_EQ(ENVPIL.NDCUR(1, 20, NQ_Y2), 0.0);
    EXPECT_EQ(ENVPIL.NDCUR(1, 105, NQ_Y1), 0.0);
  }
}

// Later cases of a series widen the envelope; a value that stays negative
// keeps a negative maximum.
TEST(Llp2dReport, EnvelopeWidensOverTheSeries) {
  setRow(12, CONN_PIN);
  RUNCTL.IOUTPS = 1;
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const NodeArray none{};
  const double ys[] = {-0.2, -0.5, -0.3};
  double v[3];
  for (int i = 0; i < 3; ++i) {
    ENVPIL.ENVFST = i + 1;
    const double ULOC[3] = {0, ys[i], 0};
    double MT1 = 0;
    std::int32_t st = 0;
    LLP2D(1, ys[i], 0.0, 0.0, v[i], MT1, st, ULOC, T, none, none);
  }
  EXPECT_EQ(ENVPIL.PTMIN(1, 15), -0.5);
  EXPECT_EQ(ENVPIL.PTMAX(1, 15), -0.2);
  EXPECT_EQ(ENVPIL.PTCUR(1, 15), -0.3);
  EXPECT_EQ(ENVPIL.PTMIN(1, 18), v[1]);
  EXPECT_EQ(ENVPIL.PTMAX(1, 18), v[0]);
  EXPECT_EQ(ENVPIL.NDMIN(1, 4, NQ_Y1), -0.5);
  EXPECT_EQ(ENVPIL.NDMAX(1, 4, NQ_Y1), -0.2);
}

// The equivalent-stiffness pass stores the axial stiffness, the node
// spacing and the secant spring of every node.
TEST(Llp2dReport, EquivalentStiffnesses) {
  setRow(12, CONN_PIN);
  RUNCTL.IOUTPS = 2;
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const NodeArray none{};
  for (double u : {0.04, 0.0}) {
    SCOPED_TRACE(testing::Message() << "axial displacement " << u);
    const double ULOC[3] = {u, 0.5, 0};
    double VT1 = 0, MT1 = 0;
    std::int32_t st = 0;
    LLP2D(1, 0.5, 0.0, 2.0e3, VT1, MT1, st, ULOC, T, none, none);
    EXPECT_EQ(EQSTIF.EQPAX(1), 2.0e3);
    EXPECT_EQ(EQSTIF.EQKAX(1), u == 0.0 ? 0.0 : 2.0e3 / u);
    EXPECT_EQ(EQSTIF.EQDX(1), 3.0);
    for (int j : {1, 2, 50, 101}) {
      EXPECT_DOUBLE_EQ(EQSTIF.EQXN(1, j), (j - 1) * 3.0);
      EXPECT_NEAR(EQSTIF.EQKN1(1, j), ES, 1e-6) << "node " << j;
    }
    EXPECT_EQ(ENVPIL.PTCUR(1, 15), 0.0);  // no envelope in this pass
  }
}

// With the variation of axial load the bending equation and the report take
// the axial solution's force and movement along the pile.
TEST(Llp2dReport, AxialSolutionAlongThePile) {
  setRow(12, CONN_PIN);
  RUNCTL.IOUTPS = 1;
  CURCTL.IAXVAR = 1;
  PILEAR.ILSCRV(1) = -1;  // a generated load-settlement curve
  NodeArray ax{}, al{};
  for (int s = 4; s <= 104; ++s) {
    al(s) = 5.0e3 * (104 - s) / 100.0;
    ax(s) = 0.01 * (104 - s) / 100.0;
  }
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const double ULOC[3] = {0.01, 0.5, 0};
  double VT1 = 0, MT1 = 0;
  std::int32_t st = 0;
  LLP2D(1, 0.5, 0.0, 5.0e3, VT1, MT1, st, ULOC, T, ax, al);
  for (int s : {4, 30, 104}) {
    EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_AXLOAD), al(s));
    EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_AXMOV), ax(s));
    EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_GX), ax(s));
  }
  // The axial force falls along the pile: the pile is stiffer than under
  // the head force throughout.
  double VT1c = 0;
  CURCTL.IAXVAR = 0;
  RUNCTL.IOUTPS = 0;
  LLP2D(1, 0.5, 0.0, 5.0e3, VT1c, MT1, st, ULOC, T, ax, al);
  EXPECT_GT(VT1, VT1c);
}

// A uniform distributed load q on a pinned row held at q / k: the pile moves
// with the load as a rigid body, y = q / k at every node.
TEST(Llp2dLoads, UniformDistributedLoad) {
  setRow(12, CONN_PIN);
  RUNCTL.IOUTPS = 1;
  const double q = 25.0;
  DLNODE.NDLNOD(1) = 101;
  for (int l = 1; l <= 101; ++l) {
    DLNODE.DLPOS(1, l) = (l - 1) * 3.0;
    DLNODE.DLQ1(1, l) = q;
  }
  const double T[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  const double ULOC[3] = {0, q / ES, 0};
  const NodeArray none{};
  double VT1 = 0, MT1 = 0;
  std::int32_t st = 0;
  LLP2D(1, q / ES, 0.0, 0.0, VT1, MT1, st, ULOC, T, none, none);
  for (int s = 4; s <= 104; s += 10) {
    EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_Y1), q / ES, 1e-12) << "slot " << s;
    EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_Q1), q);
  }
  EXPECT_NEAR(MT1, 0.0, 1e-6);
  // The soil carries the whole load: no shear at the head. (End loads
  // counted in full against half-weight reactions would leave -q h here.)
  EXPECT_NEAR(VT1, 0.0, 1e-6);
}

// Soil moving uniformly by d with a row held at d: no relative deflection,
// so no soil reaction once the movement load is in.
TEST(Llp2dLoads, UniformSoilMovement) {
  setRow(12, CONN_PIN);
  RUNCTL.IOUTPS = 1;
  const double d = 0.2;
  moveSoil(d);
  double VT1 = 0, MT1 = 0;
  ASSERT_NO_FATAL_FAILURE(solveHeld(d, VT1, MT1));
  for (int s = 4; s <= 104; s += 20) {
    EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_Y1), d, 1e-9) << "slot " << s;
    EXPECT_NEAR(ENVPIL.NDCUR(1, s, NQ_P1), 0.0, 1e-6) << "slot " << s;
    EXPECT_EQ(ENVPIL.NDCUR(1, s, NQ_Q1), 0.0);
  }
}

// In soft clay (a nonlinear soil) the springs act on the signed difference
// of the deflection and the soil movement: a uniform movement d under a head
// held at Y gives the head forces of the head held at Y - d without movement,
// whichever the signs, so a movement and its opposite give mirrored forces.
TEST(Llp2dLoads, SoilMovementActsOnTheSignedRelativeDeflection) {
  const Layer clay{1, 0, 1000, 0.04, 5.0, 0, 0, 0.01};
  const auto run = [&](double Y, double d, double& VT1, double& MT1) {
    setRow(1, CONN_FIX, 0, 60, &clay);
    SOILCOM.MAXITL = 200;
    moveSoil(d);
    solveHeld(Y, VT1, MT1);
  };
  const struct {
    double Y, d;
  } cases[] = {{0.0, 0.5}, {0.0, -0.5}, {-0.5, 0.5}, {0.5, -0.5}, {0.3, 0.5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "head " << c.Y << ", movement " << c.d);
    double V = 0, M = 0, V0 = 0, M0 = 0;
    run(c.Y, c.d, V, M);
    run(c.Y - c.d, 0.0, V0, M0);
    EXPECT_NEAR(V, V0, 1e-4 * std::fabs(V0));
    EXPECT_NEAR(M, M0, 1e-4 * std::fabs(M0));
  }
  double Vp = 0, Mp = 0, Vn = 0, Mn = 0;
  run(0.0, 0.5, Vp, Mp);
  run(0.0, -0.5, Vn, Mn);
  EXPECT_NEAR(Vp, -Vn, 1e-4 * std::fabs(Vp));
  EXPECT_GT(std::fabs(Vp), 0.0);
}

// A row with its own straight curves by depth, its head held at 0 while the
// soil moves by d: the curves act on the deflection relative to the soil,
// so the movement loads the row, and its head forces are those of the head
// held at -d in soil at rest. The report shows the reaction the curves give,
// ES d at the head, falling off where the row follows the soil.
TEST(Llp2dLoads, OwnCurvesTakeTheLoadOfTheMovingSoil) {
  const double d = 0.2;
  const auto run = [&](double Y, double move, double& VT1, double& MT1) {
    setRow(12, CONN_FIX);
    ownStraightCurves();
    RUNCTL.IOUTPS = 1;
    moveSoil(move);
    solveHeld(Y, VT1, MT1);
  };
  double V0 = 0, M0 = 0;
  run(-d, 0.0, V0, M0);
  double V = 0, M = 0;
  run(0.0, d, V, M);
  EXPECT_NEAR(V, V0, 1e-6 * std::fabs(V0));
  EXPECT_NEAR(M, M0, 1e-6 * std::fabs(M0));
  EXPECT_GT(std::fabs(V0), 0.0);
  EXPECT_NEAR(std::fabs(ENVPIL.NDCUR(1, 4, NQ_P1)), ES * d, 1e-9 * ES * d);
  EXPECT_NEAR(ENVPIL.NDCUR(1, 104, NQ_Y1), d, 1e-3 * d);
  EXPECT_NEAR(ENVPIL.NDCUR(1, 104, NQ_P1), 0.0, 1e-3 * ES * d);
}

}  // namespace
}  // namespace drelm
