// The lateral solver against closed forms of a long elastic pile on a linear
// Winkler foundation, and its iteration, failures and symmetry on nonlinear
// soil.
#include "pile/llp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "pile/node.h"
#include "pile/pilefixture.h"
#include "model/fileio.h"
#include "model/soilcom.h"
#include "support/allocs.h"
#include "support/testdir.h"

namespace drelm {
namespace {

constexpr double EI = 1.0E10;   // lb in^2
constexpr double KS = 1000.0;   // lb/in per in of deflection
constexpr double LEN = 600.0;   // in: beta L = 7.5, a long pile
constexpr int NINC = 100;

double beta() { return std::pow(KS / (4.0 * EI), 0.25); }

// Semi-infinite beam on a Winkler foundation, y = e^(-bx) (C1 cos bx + C2 sin bx),
// with the solver's signs: M = -EI y'', V = EI y'''.
struct Closed {
  double c1, c2;
  double V0() const { return KS * (c1 + c2) / (2.0 * beta()); }
  double M0() const { return 2.0 * EI * beta() * beta() * c2; }
  double M(double x) const {
    const double b = beta();
    return 2.0 * EI * b * b * std::exp(-b * x) * (c2 * std::cos(b * x) - c1 * std::sin(b * x));
  }
  double V(double x) const {
    const double b = beta();
    return 2.0 * EI * b * b * b * std::exp(-b * x) * ((c1 + c2) * std::cos(b * x) + (c2 - c1) * std::sin(b * x));
  }
  double maxAbsM() const {
    double m = 0;
    for (double x = 0; x <= LEN; x += 0.01) m = std::max(m, std::fabs(M(x)));
    return m;
  }
};

// Head deflection Y and slope th.
Closed fromHead(double Y, double th) { return {Y, Y + th / beta()}; }

struct Solve {
  double vt1 = -99, vt2 = -99, mt1 = -99, mt2 = -99;
  std::int32_t st = 0;
  LLPRES res;
  void run(int p, double y1, double s1, double y2 = 0, double s2 = 0, double px = 0) {
    const double uloc[6] = {0, 0, 0, 0, 0, 0};
    double rt[36] = {};
    NodeArray ax, al;
    LLP(p, y1, s1, y2, s2, px, 0.0, vt1, vt2, mt1, mt2, st, uloc, rt, ax, al, &res);
  }
};

// Pile 1 on straight user p-y curves of modulus KS.
void linearPile(std::int32_t conn, double spring = 0.0) {
  test::setLateralRun();
  test::setProperty(1, LEN, NINC, {EI, EI});
  test::setPile(1, 1, 0.0, conn);
  PILEAR.HSPR1(1) = PILEAR.HSPR2(1) = spring;
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  test::setLinearCurves(1, {{0.0, KS}, {2.0 * LEN, KS}});
  std::int32_t st = 0;
  NODE(1, st);
  ASSERT_EQ(st, 0);
}

struct HeadCase {
  const char* name;
  std::int32_t conn;
  double spring;  // rotational restraint of code 3
  double Y, S;    // head deflection and rotation term (slope -S)
  Closed expect;
};

TEST(LlpClosedForm, LinearWinklerPileHeadForcesAndMaximumMoment) {
  const double b = beta();
  const double H = 1.0E4, M = 2.0E5;
  // Free head under H and M (the classical y0 = 2 H b / k + 2 M b^2 / k),
  // given as its head deflection and slope.
  const double y0 = 2 * H * b / KS + 2 * M * b * b / KS;
  const double th0 = -(2 * H * b * b / KS + 4 * M * b * b * b / KS);
  const double sp = 4.0 * EI * b;  // a spring as stiff as the pile's own rotation
  const double c2sp = sp * 1.0 / (2.0 * EI * b + sp);
  const std::vector<HeadCase> cases = {
      {"pinned: free head under a shear alone", 1, 0, 2 * H * b / KS, 0, fromHead(2 * H * b / KS, -b * 2 * H * b / KS)},
      {"fixed: zero head slope", 2, 0, 1.0, 0, fromHead(1.0, 0.0)},
      {"fixed: head shear and moment", 2, 0, y0, -th0, fromHead(y0, th0)},
      {"rotational spring", 3, sp, 1.0, 0, Closed{1.0, c2sp}},
  };
  for (const HeadCase& c : cases) {
    SCOPED_TRACE(c.name);
    linearPile(c.conn, c.spring);
    Solve s;
    s.run(1, c.Y, c.S);
    ASSERT_EQ(s.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    // A linear foundation closes at the second solution.
    EXPECT_EQ(s.res.ITER, 2);
    const double v = c.expect.V0(), m = c.expect.M0(), mmax = c.expect.maxAbsM();
    EXPECT_NEAR(s.vt1, v, 0.01 * std::fabs(v));
    EXPECT_NEAR(s.mt1, m, 0.01 * mmax + 1e-9);
    double mx = 0;
    for (int i = 4; i <= NINC + 4; ++i) mx = std::max(mx, std::fabs(s.res.M[0](i)));
    EXPECT_NEAR(mx, mmax, 0.01 * mmax);
    // The shear of the differences along the pile (node 11, 60 below the head).
    EXPECT_NEAR(s.res.V[0](14), c.expect.V(60.0), 0.01 * std::fabs(v));
    // Nothing in the unloaded direction.
    EXPECT_EQ(s.vt2, 0.0);
    EXPECT_EQ(s.mt2, 0.0);
  }
  // The free head under H and M returns H and the moment -M in the solver's sign.
  linearPile(2);
  Solve s;
  s.run(1, y0, -th0);
  EXPECT_NEAR(s.vt1, H, 0.01 * H);
  EXPECT_NEAR(s.mt1, -M, 0.01 * M);
}

TEST(LlpClosedForm, FreeStandingPileFollowsItsHead) {
  // No soil spring anywhere: the head conditions alone fix a rigid motion.
  test::setLateralRun();
  test::setProperty(1, LEN, 20, {EI, EI});
  test::setPile(1, 1, 0.0, 2);
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  test::setLinearCurves(1, {{0.0, 0.0}, {2.0 * LEN, 0.0}});
  std::int32_t st = 0;
  NODE(1, st);
  Solve s;
  s.run(1, 0.5, -0.01);  // head slope +0.01
  EXPECT_EQ(s.st, 0);
  for (int k = 1; k <= 21; ++k) EXPECT_NEAR(s.res.Y[0](k + 3), 0.5 + 0.01 * 30.0 * (k - 1), 1e-9);
  EXPECT_NEAR(s.vt1, 0.0, 1e-6);
  EXPECT_NEAR(s.mt1, 0.0, 1e-3);

}

// Pinned and without a spring the pile is a mechanism (free to turn about its
// head): its equations have no unique solution, loaded or not. The call fails
// as a solution that does not close, with a warning, and writes no head value.
TEST(LlpClosedForm, PinnedPileWithoutSpringsIsASingularSolution) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  for (double q : {0.0, 50.0}) {
    SCOPED_TRACE(q);
    test::setLateralRun();
    test::setProperty(1, LEN, 20, {EI, EI});
    test::setPile(1, 1, 0.0, 1);
    RUNCTL.IUSRPY = 1;
    PILEAR.IPYSET(1) = 1;
    test::setLinearCurves(1, {{0.0, 0.0}, {2.0 * LEN, 0.0}});
    DLNODE.NDLNOD(1) = q != 0.0 ? 21 : 0;
    for (int l = 1; l <= 21; ++l) {
      DLNODE.DLPOS(1, l) = (l - 1) * LEN / 20;
      DLNODE.DLQ1(1, l) = q;
    }
    std::int32_t st = 0;
    NODE(1, st);
    RUNCTL.KPILST = 0;
    Solve s;
    s.run(1, 0.0, 0.0);
    EXPECT_EQ(s.st, 0);
    EXPECT_EQ(RUNCTL.KPILST, KPIL_LATERAL);
    EXPECT_EQ(s.vt1, -99);
    EXPECT_EQ(s.mt1, -99);
    EXPECT_EQ(s.vt2, -99);
  }
  DLNODE.NDLNOD(1) = 0;
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
  const std::string warn = "     ** WARNING **  NO SOLUTION OF A LLP, SINGULAR PILE EQUATIONS     PILE GROUP    1";
  const std::vector<std::string> expected = {"", "", warn, "", "", warn};
  EXPECT_EQ(test::readLines("res.txt"), expected);
  EXPECT_EQ(test::readLines("log.txt"), expected);
}

TEST(LlpClosedForm, UniformLoadOnAPinnedHeadIsCarriedByHeadAndSoil) {
  // y = q/k (1 - e^(-bx) cos bx): the head takes -q / (2 b) of the load.
  linearPile(1);
  const double q = 50.0;
  DLNODE.NDLNOD(1) = NINC + 1;
  for (int l = 1; l <= NINC + 1; ++l) {
    DLNODE.DLPOS(1, l) = (l - 1) * LEN / NINC;
    DLNODE.DLQ1(1, l) = q;
  }
  Solve s;
  s.run(1, 0.0, 0.0);
  const double v = -q / (2.0 * beta());
  EXPECT_NEAR(s.vt1, v, 0.01 * std::fabs(v));
  EXPECT_NEAR(s.res.Y[0](NINC + 4), q / KS, 1e-3 * q / KS);
  EXPECT_EQ(s.vt2, 0.0);
  EXPECT_DOUBLE_EQ(s.res.QD[0](10), q);
}

// Pile 1 in one elastic-subgrade layer of modulus KS per unit width; with a
// maximum transferred stress st the springs yield at y = st / ks. The ground
// lies 10 above the head, so that the head node has its spring too.
void subgradePile(double st, int maxitl = 200) {
  test::setLateralRun(1.0E-8, maxitl);
  test::setProperty(1, LEN, 60, {EI, EI, 24.0});
  test::setPile(1, 1, 0.0, 2);
  SOILCOM_T& S = SOILCOM;
  S.NLAYER = 1;
  S.LTYPE(1) = ST_ELASTIC;
  S.LTOP(1) = -10.0;
  S.LBOT(1) = 2.0 * LEN;
  PILEAR.PGRND(1) = -10.0;
  S.NPROF = S.NGAM = 2;
  for (int i = 1; i <= 2; ++i) {
    S.XPROF(i) = S.XGAM(i) = i == 1 ? -10.0 : 2.0 * LEN;
    S.KPROF(i) = KS / 24.0;
    S.CPROF(i) = st;
    S.GAMPR(i) = 0.04;
  }
  std::int32_t code = 0;
  NODE(1, code);
  ASSERT_EQ(code, 0);
}

TEST(LlpSoil, ElasticSubgradeThroughTheSoilSpringsMatchesTheClosedForm) {
  subgradePile(0.0);
  Solve s;
  s.run(1, 1.0, 0.0);
  ASSERT_EQ(s.st, 0);
  EXPECT_EQ(RUNCTL.KPILST, 0);
  const Closed c = fromHead(1.0, 0.0);
  EXPECT_NEAR(s.vt1, c.V0(), 0.02 * c.V0());
  EXPECT_NEAR(s.mt1, c.M0(), 0.02 * c.M0());
  EXPECT_NEAR(s.res.ESOIL(10), KS, 1e-9 * KS);
}

TEST(LlpSoil, BothDirectionsShareTheSpringsOfTheResultant) {
  // Yielding soil: the response depends on the resultant deflection only, so
  // a head deflection at any angle gives the forces of the same deflection
  // in one direction, turned to that angle; direction 2 mirrors direction 1.
  subgradePile(40.0);  // yields at 0.96 in
  const double Y = 2.0;
  Solve one;
  one.run(1, Y, 0.0);
  ASSERT_EQ(one.st, 0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  EXPECT_GT(one.res.ITER, 3);
  const Closed lin = fromHead(Y, 0.0);
  EXPECT_LT(one.vt1, 0.9 * lin.V0());  // softer than the elastic pile

  Solve two;
  two.run(1, 0.0, 0.0, Y, 0.0);
  EXPECT_NEAR(two.vt2, one.vt1, 1e-6 * std::fabs(one.vt1));
  EXPECT_NEAR(two.mt2, one.mt1, 1e-6 * std::fabs(one.mt1));
  EXPECT_EQ(two.vt1, 0.0);

  Solve neg;
  neg.run(1, -Y, 0.0);
  EXPECT_NEAR(neg.vt1, -one.vt1, 1e-6 * std::fabs(one.vt1));

  const double a = 0.6, b = 0.8;  // a direction at (3/5, 4/5)
  Solve both;
  both.run(1, a * Y, 0.0, b * Y, 0.0);
  EXPECT_NEAR(both.vt1, a * one.vt1, 1e-5 * std::fabs(one.vt1));
  EXPECT_NEAR(both.vt2, b * one.vt1, 1e-5 * std::fabs(one.vt1));
  EXPECT_NEAR(both.mt1, a * one.mt1, 1e-5 * std::fabs(one.mt1));
  EXPECT_NEAR(both.mt2, b * one.mt1, 1e-5 * std::fabs(one.mt1));
}

TEST(LlpSoil, SoilMovementLoadsThePileThroughItsSprings) {
  // A uniform movement ys of the soil along global Y (lateral direction 1 of
  // a vertical pile): a fixed head moved with the soil carries nothing; a
  // pinned head held at 0 takes what a uniform load k ys would give it.
  const double ys = 0.05;
  SMOV.NSMOV = 2;
  SMOV.SMVFAC = 1.0;
  SMOV.SMVDEP(1) = 0.0;
  SMOV.SMVDEP(2) = 2.0 * LEN;
  SMOV.SMVY(1) = SMOV.SMVY(2) = ys;
  subgradePile(0.0);
  Solve s;
  s.run(1, ys, 0.0);
  ASSERT_EQ(s.st, 0);
  EXPECT_NEAR(s.vt1, 0.0, 1e-6);
  EXPECT_NEAR(s.mt1, 0.0, 1e-3);
  EXPECT_NEAR(s.res.Y[0](40), ys, 1e-12);
  EXPECT_DOUBLE_EQ(s.res.YS[0](40), ys);
  EXPECT_EQ(s.res.YS[1](40), 0.0);

  PCONN.CONNECTY(1) = 1;
  s.run(1, 0.0, 0.0);
  const double v = -KS * ys / (2.0 * beta());
  EXPECT_NEAR(s.vt1, v, 0.02 * std::fabs(v));
  const double x = 460.0;  // node 47
  EXPECT_NEAR(s.res.Y[0](50), ys * (1.0 - std::exp(-beta() * x) * std::cos(beta() * x)), 1e-3 * ys);
  EXPECT_EQ(s.vt2, 0.0);
}

TEST(LlpSoil, NoClosureIsReportedAndLeavesTheHeadForcesAlone) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  struct Case {
    const char* name;
    double st;
    int maxitl;
    double Y;
  };
  // Pushed far past the soil's capacity the secant iteration needs more
  // solutions than allowed; with a limit of 1 even a linear soil never closes.
  const Case cases[] = {{"past capacity", 1.0, 4, 10.0}, {"limit of one", 0.0, 1, 0.1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    subgradePile(c.st, c.maxitl);
    RUNCTL.KPILST = 0;
    Solve s;
    s.run(1, c.Y, 0.0);
    EXPECT_EQ(s.st, 0);
    EXPECT_EQ(RUNCTL.KPILST, 1);
    EXPECT_EQ(s.vt1, -99);
    EXPECT_EQ(s.mt1, -99);
    EXPECT_EQ(s.vt2, -99);
  }
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
  const std::string line4 = "     ** WARNING **  NO CLOSURE OF A LLP AFTER     4  ITERATIONS          PILE GROUP    1";
  const std::string line1 = "     ** WARNING **  NO CLOSURE OF A LLP AFTER     1  ITERATIONS          PILE GROUP    1";
  const std::vector<std::string> expected = {"", "", line4, "", "", line1};
  EXPECT_EQ(test::readLines("res.txt"), expected);
  EXPECT_EQ(test::readLines("log.txt"), expected);

  // The same pile closes when the limit allows.
  subgradePile(1.0, 500);
  RUNCTL.KPILST = 0;
  Solve s;
  s.run(1, 10.0, 0.0);
  EXPECT_EQ(RUNCTL.KPILST, 0);
  // Fully yielded near the head: the reaction there is the limit b st.
  EXPECT_NEAR(s.res.P[0](5), 24.0 * 1.0, 1e-6);
}

TEST(LlpSoil, ClosureRelativeToTheDeflectionWhenAsked) {
  // Deflections below the pile tolerance close after the second solution,
  // on the springs of the first: on yielding soil that head shear is far
  // from the solution's. With the relative closure the iteration goes on
  // to it, so the head force no longer jumps where the count of solutions
  // changes.
  subgradePile(40.0);  // yields at 0.96 in
  const double Y = 2.0;
  Solve tight;
  tight.run(1, Y, 0.0);
  ASSERT_EQ(RUNCTL.KPILST, 0);
  ASSERT_GT(tight.res.ITER, 3);

  CURCTL.TOLPIL = 10.0;
  Solve loose;
  loose.run(1, Y, 0.0);
  EXPECT_EQ(loose.res.ITER, 2);
  EXPECT_GT(std::fabs(loose.vt1 - tight.vt1), 0.05 * std::fabs(tight.vt1));

  CURCTL.LLPREL = 1.0E-6;
  Solve relative;
  relative.run(1, Y, 0.0);
  CURCTL.LLPREL = 0.0;
  EXPECT_EQ(RUNCTL.KPILST, 0);
  EXPECT_GT(relative.res.ITER, 3);
  EXPECT_NEAR(relative.vt1, tight.vt1, 1e-5 * std::fabs(tight.vt1));
  EXPECT_NEAR(relative.mt1, tight.mt1, 1e-5 * std::fabs(tight.mt1));
}

TEST(LlpSoil, FailedSoilLookupEndsTheCall) {
  // An API sand layer without friction angle stops the p-y evaluation.
  subgradePile(0.0);
  SOILCOM.LTYPE(1) = ST_APISAND;
  Solve s;
  s.run(1, 1.0, 0.0);
  EXPECT_NE(s.st, 0);
  EXPECT_EQ(s.vt1, -99);
  EXPECT_EQ(RUNCTL.KPILST, 0);
}

TEST(LlpClosedForm, AxialCompressionSoftensTheFixedHead) {
  // EI y'''' + P y'' + k y = 0: y = Y e^(-ax) (cos bx + a/b sin bx) with
  // a^2 = b^2 - P/(2 EI), a^2 + b^2 = sqrt(k / EI); head shear by equilibrium.
  const double P = 2.0E6, Y = 1.0;
  const double b2 = beta() * beta();
  const double a = std::sqrt(b2 - P / (4 * EI)), b = std::sqrt(b2 + P / (4 * EI));
  const std::complex<double> r(-a, b), amp(Y, -Y * a / b);
  const double v = (amp * (-KS / r)).real();
  const double m = -EI * (amp * r * r).real();
  struct Case {
    const char* name;
    double px;
    std::int32_t iaxvar, ilscrv;
    double axload;
    bool compressed;
  };
  const Case cases[] = {
      {"head force along the pile", P, 0, 0, 0.0, true},
      {"axial force of the load-transfer solution", 0.0, 1, -1, P, true},
      {"user load-settlement curve: the head force", 0.0, 1, 1, P, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    linearPile(2);
    CURCTL.IAXVAR = c.iaxvar;
    PILEAR.ILSCRV(1) = c.ilscrv;
    const double uloc[6] = {};
    double rt[36] = {};
    NodeArray ax, al;
    al.fill(c.axload);
    double vt1 = 0, vt2 = 0, mt1 = 0, mt2 = 0;
    std::int32_t st = 0;
    LLP(1, Y, 0.0, 0.0, 0.0, c.px, 0.0, vt1, vt2, mt1, mt2, st, uloc, rt, ax, al);
    const Closed plain = fromHead(Y, 0.0);
    EXPECT_NEAR(vt1, c.compressed ? v : plain.V0(), 0.01 * v);
    EXPECT_NEAR(mt1, c.compressed ? m : plain.M0(), 0.01 * m);
  }
  EXPECT_LT(v, 0.9 * fromHead(Y, 0.0).V0());
}

TEST(LlpClosedForm, MomentCurvatureSetsGiveTheBendingStiffness) {
  // The section says EI / 2, its straight moment-curvature set EI: the
  // solution is the closed form of EI, whenever the stiffness is updated.
  for (std::int32_t ieiprv : {0, 1, 2}) {
    SCOPED_TRACE(ieiprv);
    linearPile(2);
    test::Section sec{EI / 2, EI / 2};
    sec.mcz = sec.mcy = 1;
    test::setProperty(1, LEN, NINC, sec);
    RUNCTL.ICTL09 = 1;
    CURCTL.IEIPRV = ieiprv;
    MCTAB.NMCSET = 1;
    MCTAB.MCNCRV(1) = 1;
    MCTAB.MCNPT(1, 1) = 2;
    MCTAB.MCCURV(1, 1, 2) = 1.0E-3;
    MCTAB.MCMOM(1, 1, 2) = EI * 1.0E-3;
    Solve s;
    s.run(1, 1.0, 0.0, 0.5, 0.0);
    const Closed c = fromHead(1.0, 0.0);
    EXPECT_NEAR(s.vt1, c.V0(), 0.01 * c.V0());
    EXPECT_NEAR(s.mt1, c.M0(), 0.01 * c.M0());
    EXPECT_NEAR(s.vt2, 0.5 * c.V0(), 0.01 * c.V0());
    EXPECT_DOUBLE_EQ(s.res.R[0](20), EI);
  }
}

TEST(LlpClosedForm, MomentCurvatureStiffnessHoldsUpToTheTip) {
  // A short pile, where the tip takes part in the bending: a straight
  // moment-curvature set of EI on a section of EI / 2 must give the pile of
  // EI exactly, the imaginary nodes below the tip included.
  const double len = 120.0;
  auto shortPile = [&](bool sets, std::int32_t ieiprv) {
    linearPile(1);
    test::Section sec{EI, EI};
    if (sets) {
      sec = {EI / 2, EI / 2};
      sec.mcz = sec.mcy = 1;
      RUNCTL.ICTL09 = 1;
      CURCTL.IEIPRV = ieiprv;
      MCTAB.NMCSET = 1;
      MCTAB.MCNCRV(1) = 1;
      MCTAB.MCNPT(1, 1) = 2;
      MCTAB.MCCURV(1, 1, 2) = 1.0E-3;
      MCTAB.MCMOM(1, 1, 2) = EI * 1.0E-3;
    }
    test::setProperty(1, len, 20, sec);
    std::int32_t st = 0;
    NODE(1, st);
    Solve s;
    s.run(1, 1.0, 0.0, 0.5, 0.0, 5.0E5);
    EXPECT_EQ(s.st, 0);
    return s;
  };
  const Solve plain = shortPile(false, 0);
  for (std::int32_t ieiprv : {0, 1, 2}) {
    SCOPED_TRACE(ieiprv);
    const Solve mc = shortPile(true, ieiprv);
    EXPECT_NEAR(mc.vt1, plain.vt1, 1e-9 * std::fabs(plain.vt1));
    EXPECT_NEAR(mc.vt2, plain.vt2, 1e-9 * std::fabs(plain.vt2));
    for (int i = 3; i <= 26; ++i) EXPECT_NEAR(mc.res.Y[0](i), plain.res.Y[0](i), 1e-12) << i;
    EXPECT_NEAR(mc.res.V[0](24), plain.res.V[0](24), 1e-9 * std::fabs(plain.vt1));
  }
}

TEST(LlpHeap, SolutionsAllocateNothing) {
  // Every pile is solved at every iteration of the cap solution, on several
  // threads: the solver keeps its work on the stack, also when it warns.
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  auto count = [](const char* name, auto&& setUp, double Y, bool closes) {
    SCOPED_TRACE(name);
    setUp();
    SMOV.NSMOV = 2;
    SMOV.SMVFAC = 1.0;
    SMOV.SMVDEP(1) = 0.0;
    SMOV.SMVDEP(2) = 2.0 * LEN;
    SMOV.SMVY(1) = SMOV.SMVY(2) = 0.01;
    DLNODE.NDLNOD(1) = 2;
    DLNODE.DLPOS(1, 1) = 0.0;
    DLNODE.DLPOS(1, 2) = 100.0;
    DLNODE.DLQ1(1, 1) = DLNODE.DLQ2(1, 2) = 20.0;
    RUNCTL.ICTL09 = 1;
    SECTAB.SMCIZ(1, 1) = SECTAB.SMCIY(1, 1) = 1;
    MCTAB.NMCSET = 1;
    MCTAB.MCNCRV(1) = 1;
    MCTAB.MCNPT(1, 1) = 3;
    MCTAB.MCCURV(1, 1, 2) = 1.0E-5;
    MCTAB.MCMOM(1, 1, 2) = EI * 1.0E-5;
    MCTAB.MCCURV(1, 1, 3) = 1.0E-3;
    MCTAB.MCMOM(1, 1, 3) = 0.5 * EI * 1.0E-3;
    RUNCTL.KPILST = 0;
    Solve s;
    s.run(1, Y, 0.0, 0.5 * Y, 0.0);  // first call outside the count
    const long before = test::allocationCount();
    for (int i = 0; i < 5; ++i) s.run(1, Y, 0.0, 0.5 * Y, 0.0);
    EXPECT_EQ(test::allocationCount() - before, 0);
    EXPECT_EQ(s.st, 0);
    EXPECT_EQ(RUNCTL.KPILST, closes ? 0 : 1);
  };
  count("soil layer", [] { subgradePile(40.0); }, 1.0, true);
  count("p-y curves by depth", [] { linearPile(3, 1.0E8); }, 1.0, true);
  count("no closure", [] { subgradePile(1.0, 3); }, 10.0, false);
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
}

TEST(LlpSections, StressesAndCapacityRatiosAtTheNodes) {
  test::setLateralRun();
  test::Section sec{EI, EI, 24.0, 450.0, 16000.0, 16000.0, 4.0E6, 2.0E4};
  test::setProperty(1, LEN, NINC, sec);
  test::setPile(1, 1, 0.0, 2);
  RUNCTL.IUSRPY = 1;
  PILEAR.IPYSET(1) = 1;
  test::setLinearCurves(1, {{0.0, KS}, {2.0 * LEN, KS}});
  std::int32_t st = 0;
  NODE(1, st);
  CASECUR.RFBEND = 0.5;
  CASECUR.RFSHR = 0.8;
  Solve s;
  s.run(1, 0.3, 0.0, 0.4, 0.0, 1000.0);
  ASSERT_EQ(s.st, 0);
  const double m1 = s.res.M[0](4), m2 = s.res.M[1](4);
  const double m = std::hypot(m1, m2);
  EXPECT_NEAR(s.res.BSTRESS(4), m * 24.0 / (2.0 * 16000.0), 1e-9 * m);
  EXPECT_NEAR(s.res.CSTRESS(4), 1000.0 / 450.0 + m * 24.0 / 32000.0, 1e-9 * m);
  EXPECT_NEAR(s.res.BRATIO(4), m / 4.0E6 / 0.5, 1e-12);
  const double v = std::hypot(s.res.V[0](30), s.res.V[1](30));
  EXPECT_NEAR(s.res.SRATIO(30), v / 2.0E4 / 0.8, 1e-12);

  // Without capacities the ratios stay 0.
  SECTAB.SMNT(1, 1) = SECTAB.SMNB(1, 1) = 0.0;
  SECTAB.SVNT(1, 1) = SECTAB.SVNB(1, 1) = 1.0E-15;
  s.run(1, 0.3, 0.0);
  for (int i = 4; i <= NINC + 4; ++i) {
    EXPECT_EQ(s.res.BRATIO(i), 0.0);
    EXPECT_EQ(s.res.SRATIO(i), 0.0);
  }
}

// In a yielding soil the springs act on the length of the deflection vector
// relative to the soil movement vector: a uniform movement (d1, d2) under a
// head held at (Y1, Y2) gives the head forces of the head held at
// (Y1 - d1, Y2 - d2) without movement, for movements with or against the
// deflection and across it.
TEST(LlpSoil, SoilMovementActsOnTheRelativeDeflectionVector) {
  const auto run = [](double Y1, double Y2, double d1, double d2, Solve& s) {
    subgradePile(40.0, 300);
    SMOV = SMOV_T{};
    if (d1 != 0.0 || d2 != 0.0) {
      SMOV.NSMOV = 2;
      SMOV.SMVFAC = 1.0;
      SMOV.SMVDEP(1) = -10.0;
      SMOV.SMVDEP(2) = 2.0 * LEN;
      SMOV.SMVY(1) = SMOV.SMVY(2) = d1;
      SMOV.SMVZ(1) = SMOV.SMVZ(2) = d2;
    }
    RUNCTL.KPILST = 0;
    s.run(1, Y1, 0.0, Y2, 0.0);
    ASSERT_EQ(s.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
  };
  const struct {
    double Y1, Y2, d1, d2;
  } cases[] = {
      {0.0, 0.0, 1.5, 0.0},   // the soil pushes the pile
      {0.0, 0.0, -1.5, 0.0},  // the other way
      {-1.0, 0.0, 1.0, 0.0},  // against the deflection
      {2.0, 0.0, 1.0, 0.0},   // with it
      {1.0, 0.0, 0.0, 1.5},   // across it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "head (" << c.Y1 << ", " << c.Y2 << "), movement (" << c.d1 << ", "
                                    << c.d2 << ")");
    Solve m, r;
    run(c.Y1, c.Y2, c.d1, c.d2, m);
    run(c.Y1 - c.d1, c.Y2 - c.d2, 0.0, 0.0, r);
    const double scale = std::fabs(r.vt1) + std::fabs(r.vt2);
    EXPECT_NEAR(m.vt1, r.vt1, 1e-4 * scale);
    EXPECT_NEAR(m.vt2, r.vt2, 1e-4 * scale);
    const double mscale = std::fabs(r.mt1) + std::fabs(r.mt2);
    EXPECT_NEAR(m.mt1, r.mt1, 1e-4 * mscale);
    EXPECT_NEAR(m.mt2, r.mt2, 1e-4 * mscale);
  }
}

}  // namespace
}  // namespace drelm
