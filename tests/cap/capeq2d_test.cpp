// The plane cap solution on pile rows in springs of known form: the rigid
// cap against hand values, the force sum on many threads, the load stepping
// and its failures in the case status file, the stop request, the passive
// block and the point of definition.
#include "cap/capeq2d.h"

#include <gtest/gtest.h>
#include <omp.h>

#include <atomic>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cap/capfixture.h"
#include "cap/caprec.h"
#include "cap/caprec2d.h"
#include "cap/fvec2d.h"

namespace drelm {
namespace {

using test::CapRun;

// Springs of one pile of a row in row axes: the axial force k u + c u^3, the
// shear and the moment linear; failures for the stepping paths.
struct RowSprings {
  double kax = 0, klat = 0, krot = 0, cubic = 0;
};
struct RowGroup {
  std::vector<RowSprings> rows;
  double nonlinearAbove = -1.0;      // cubic term only above this load fraction
  double failAbove = 1e300;          // raise failCode above this fraction
  std::int32_t failCode = KPIL_LATERAL;
  bool bearingWarning = false;
  int statusRow = 0;                 // this row sets ISTAT = 13
  long stopAfter = -1;               // writes a stop request at this evaluation
  std::atomic<long> calls{0};
};
RowGroup& rg() {
  static RowGroup g;
  return g;
}

void springRow(const std::int32_t& p, const double (&u)[3], const double (&)[9], double& PX, double& VT1,
               double& MT1, std::int32_t& ISTAT) {
  RowGroup& g = rg();
  const long call = ++g.calls;
  if (g.stopAfter >= 0 && call == g.stopAfter) test::writeFile(FNAMES.FNU(U_STOP).trimmed(), "1\n");
  if (p == g.statusRow) {
    std::atomic_ref<std::int32_t>(ISTAT).store(STAT_NODE2D_BELOW);
    return;
  }
  if (SMOV.SMVFAC > g.failAbove) raiseOutcome(g.failCode);
  if (g.bearingWarning && RUNCTL.IWRNPS == 1) {
    std::atomic_ref<std::int32_t>(RUNCTL.NWBRG).fetch_add(1);
    for (const char* l : {"", "     ** WARNING **  APPARENT FAILURE IN BEARING", "     AX. DISP."}) {
      io::put(U_WARN, l);
      io::endRecord(U_WARN);
    }
  }
  const RowSprings& s = g.rows[p - 1];
  const double c = SMOV.SMVFAC > g.nonlinearAbove ? s.cubic : 0.0;
  PX = s.kax * u[0] + c * u[0] * u[0] * u[0];
  VT1 = s.klat * u[1];
  MT1 = s.krot * u[2];
}

class PlaneCap : public ::testing::Test {
 protected:
  void SetUp() override {
    RUNCTL.IANTYP = 2;
    CURCTL.TOLCAP = 1.0E-8;
    rg().rows.clear();
    rg().nonlinearAbove = -1.0;
    rg().failAbove = 1e300;
    rg().failCode = KPIL_LATERAL;
    rg().bearingWarning = false;
    rg().statusRow = 0;
    rg().stopAfter = -1;
    rg().calls = 0;
    setRowResponse(&springRow);
  }
  void TearDown() override { setRowResponse(nullptr); }

  // A row of n piles with its head at (x, y), battered by betaDeg.
  int row(const RowSprings& s, double x, double y, double betaDeg = 0.0, double n = 1.0) {
    rg().rows.push_back(s);
    const int p = static_cast<int>(rg().rows.size());
    PILEAR.PHXREF(p) = x;
    PILEAR.PHYREF(p) = y;
    PILEAR.PBATT(p) = betaDeg * M_PI / 180.0;
    PILEAR.GRPNP(p) = n;
    PILEAR.PAXFAC(p) = 1.0;
    RUNCTL.NPILE = p;
    return p;
  }

  // One pass with the load P at the origin; U the reported displacement.
  std::int32_t pass(const double (&P)[3], double (&U)[3]) {
    std::int32_t ISTAT = 0, kpy = 0;
    double FLD[3], UCP[3], PPOD[3] = {}, UPOD[3] = {}, XPOD[2] = {};
    const std::int32_t KPOD[3] = {1, 1, 1};
    ENVPIL.ENVFST = 1;
    CAPEQ2D(0, kpy, ISTAT, FLD, UCP, P, PPOD, UPOD, XPOD, KPOD);
    for (int i = 0; i < 3; ++i) U[i] = ENVPIL.CAPDMX(i + 1);
    return ISTAT;
  }

  std::vector<std::string> status() { return run.lines(U_STATUS); }
  bool logHas(int u, const std::string& t) {
    for (const std::string& l : run.lines(u))
      if (l.find(t) != std::string::npos) return true;
    return false;
  }

  CapRun run;
};

TEST_F(PlaneCap, SymmetricPairOfRowsSettlesSwaysAndRotatesAsByHand) {
  const double kax = 800.0, klat = 60.0, s = 36.0, n = 4.0;
  row({kax, klat, 0.0, 0.0}, 0.0, -s, 0.0, n);
  row({kax, klat, 0.0, 0.0}, 0.0, s, 0.0, n);
  const double P[3] = {1200.0, 90.0, 5000.0};
  double U[3];
  ASSERT_EQ(pass(P, U), 0);
  EXPECT_NEAR(U[0], P[0] / (2 * n * kax), 1e-9);
  EXPECT_NEAR(U[1], P[1] / (2 * n * klat), 1e-9);
  EXPECT_NEAR(U[2], P[2] / (2 * n * kax * s * s), 1e-12);
  EXPECT_EQ(status().back(), "    1 ANALYSIS COMPLETED");
}

TEST_F(PlaneCap, RowsBatteredInOppositeSensesCarryTheHorizontalLoadLikeATruss) {
  const double kax = 1.0e5, klat = 10.0, beta = 14.036, n = 3.0;
  row({kax, klat, 50.0, 0.0}, 0.0, 0.0, beta, n);
  row({kax, klat, 50.0, 0.0}, 0.0, 0.0, -beta, n);
  const double P[3] = {0.0, 100.0, 0.0};
  double U[3];
  ASSERT_EQ(pass(P, U), 0);
  const double sb = std::sin(beta * M_PI / 180.0), cb = std::cos(beta * M_PI / 180.0);
  EXPECT_NEAR(U[1], P[1] / (2 * n * (kax * sb * sb + klat * cb * cb)), 1e-10);
  // Stiff axial springs: the truss value within a fraction of a percent.
  EXPECT_NEAR(U[1], P[1] / (2 * n * kax * sb * sb), 2e-3 * U[1]);
  EXPECT_NEAR(U[0], 0.0, 1e-10);
}

TEST_F(PlaneCap, ForceSumIsTheSameBitsOnOneAndOnEightThreads) {
  for (int p = 0; p < 37; ++p)
    row({700.0 + 13.1 * p, 41.0 + 0.7 * p, 3.3 * p, 0.0}, 0.3 * p, -20.0 + 1.1 * p, -9.0 + 0.5 * p,
        1.0 + p % 4);
  const double U[3] = {0.0123, -0.0371, 1.7e-4};
  double F1[3], F8[3];
  std::int32_t ISTAT = 0;
  CURCTL.NTHLIM = 1;
  FVEC2D(F1, U, ISTAT);
  CURCTL.NTHLIM = 8;
  TIMBLK.NPROCS = 8;
  FVEC2D(F8, U, ISTAT);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(F1[i], F8[i]);
  // One row with its head at (X, Y): the rotation moves it axially by
  // (X s - Y c) theta and laterally by (X c + Y s) theta.
  const double theta[3] = {0.0, 0.0, 1.0e-3};
  double G[3];
  PILEHD2D(5, theta, G, ISTAT);
  const double b = PILEAR.PBATT(5), X = PILEAR.PHXREF(5), Y = PILEAR.PHYREF(5);
  const double ua = (X * std::sin(b) - Y * std::cos(b)) * 1e-3, ul = (X * std::cos(b) + Y * std::sin(b)) * 1e-3;
  const RowSprings& s = rg().rows[4];
  const double Fa = PILEAR.GRPNP(5) * s.kax * ua, Fl = PILEAR.GRPNP(5) * s.klat * ul;
  EXPECT_NEAR(G[0], std::cos(b) * Fa - std::sin(b) * Fl, 1e-9);
  EXPECT_NEAR(G[1], std::sin(b) * Fa + std::cos(b) * Fl, 1e-9);
}

// The outcome of a pass in the case status file.
struct Outcome {
  const char* name;
  double nonlinearAbove, failAbove;
  std::int32_t failCode;
  bool bearing, zeroSprings;
  double dtcur0, dtcmin;
  const char* line;
  bool noConvergenceWarning;
};

class PlaneCapOutcome : public PlaneCap, public ::testing::WithParamInterface<Outcome> {};

TEST_P(PlaneCapOutcome, StatusLineOfThePass) {
  const Outcome& o = GetParam();
  const double k = o.zeroSprings ? 0.0 : 500.0;
  row({k, k, 0.0, 2.0e7}, 0.0, -10.0);
  row({k, k, 0.0, 2.0e7}, 0.0, 10.0);
  rg().nonlinearAbove = o.nonlinearAbove;
  rg().failAbove = o.failAbove;
  rg().failCode = o.failCode;
  rg().bearingWarning = o.bearing;
  CURCTL.MAXITC = 1;
  CURCTL.DTCUR0 = o.dtcur0;
  CURCTL.DTCMIN = o.dtcmin;
  const double P[3] = {800.0, 50.0, 100.0};
  double U[3];
  EXPECT_EQ(pass(P, U), 0);
  EXPECT_EQ(status().back(), o.line);
  EXPECT_EQ(logHas(U_LOG, "PILE CAP DISPL DOES NOT CONVERGE AFTER,"), o.noConvergenceWarning);
  // A pass that gave up after accepted steps says why, in both files.
  const bool stopped = std::string(o.line).rfind("    2", 0) == 0 && o.dtcur0 <= 1.0;
  for (int u : {U_LOG, U_RESULTS}) EXPECT_EQ(logHas(u, "LOAD STEPPING STOPPED AT "), stopped) << u;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PlaneCapOutcome,
    ::testing::Values(
        Outcome{"Completed", 2.0, 1e300, 0, false, false, 0.3, 0.01, "    1 ANALYSIS COMPLETED", false},
        // Linear up to 0.625 of the load, then no convergence in two
        // iterations: the last accepted fraction is reported.
        Outcome{"Partial", 0.65, 1e300, 0, false, false, 0.125, 0.1, "    2 SOLUTION AT    62.50 % OF THE TOTAL LOAD",
                true},
        Outcome{"NoCapConvergence", -1.0, 1e300, 0, false, false, 1.0, 0.3, "    3 NO CONVERGENCE ON PILE CAP",
                true},
        Outcome{"LateralFailure", 2.0, 0.0, KPIL_LATERAL, false, false, 1.0, 0.3, "    6 NO CONVERGENCE ON PILES   ",
                true},
        // Accepted at 0.5, then a row fails: the accepted step is reported.
        Outcome{"LateralFailureAfterAStep", 2.0, 0.5, KPIL_LATERAL, false, false, 1.0, 0.3,
                "    2 SOLUTION AT    50.00 % OF THE TOTAL LOAD", true},
        // A row whose axial solution stopped at its iteration cap fails too.
        Outcome{"AxialCap", 2.0, 0.0, KPIL_AXIAL, false, false, 1.0, 0.3, "    6 NO CONVERGENCE ON PILES   ", true},
        Outcome{"AxialCapAfterAStep", 2.0, 0.5, KPIL_AXIAL, false, false, 1.0, 0.3,
                "    2 SOLUTION AT    50.00 % OF THE TOTAL LOAD", true},
        // A bearing warning never hides the failure.
        Outcome{"WarningKeepsFailure", 2.0, 0.0, KPIL_LATERAL, true, false, 1.0, 0.3,
                "    6 NO CONVERGENCE ON PILES   ", true},
        // No smallest increment: the halving still ends.
        Outcome{"HalvingEndsWithoutMinimum", 2.0, 0.0, KPIL_LATERAL, false, false, 1.0, 0.0,
                "    6 NO CONVERGENCE ON PILES   ", true},
        Outcome{"Singular", 2.0, 1e300, 0, false, true, 1.0, 0.3, "    7 SINGULAR STIFFNESS MATRIX ", false},
        // More than the whole load in one step: no step, 0 % reported.
        Outcome{"NoStep", 2.0, 1e300, 0, false, false, 1.5, 0.3, "    2 SOLUTION AT     0.00 % OF THE TOTAL LOAD",
                false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(PlaneCap, BearingWarningsAreCopiedAfterTheLoadLoop) {
  row({500.0, 500.0, 0.0, 0.0}, 0.0, -10.0);
  row({500.0, 500.0, 0.0, 0.0}, 0.0, 10.0);
  rg().bearingWarning = true;
  const double P[3] = {800.0, 50.0, 100.0};
  double U[3];
  ASSERT_EQ(pass(P, U), 0);
  EXPECT_TRUE(logHas(U_RESULTS, "     ** WARNING **  SOME PILES, MAY FAIL IN BEARING!"));
  EXPECT_TRUE(logHas(U_RESULTS, "MAXIMUM DISPLACEMENT DEFINED IN LOAD-SETTLEMENT CURVE"));
  EXPECT_TRUE(logHas(U_LOG, "APPARENT FAILURE IN BEARING"));
  EXPECT_EQ(RUNCTL.KPILST, KPIL_WARNED);
  EXPECT_EQ(status().back(), "    1 ANALYSIS COMPLETED");
}

TEST_F(PlaneCap, StopRequestAndRowStatusEndThePassAtOnce) {
  row({500.0, 500.0, 0.0, 0.0}, 0.0, -10.0);
  row({500.0, 500.0, 0.0, 0.0}, 0.0, 10.0);
  rg().stopAfter = 3;  // during the first iteration: the second one stops
  const double P[3] = {800.0, 50.0, 100.0};
  double U[3];
  EXPECT_EQ(pass(P, U), STAT_STOPPED);
  EXPECT_TRUE(status().empty());
  test::writeFile(FNAMES.FNU(U_STOP).trimmed(), "0\n");
  rg().stopAfter = -1;
  rg().statusRow = 2;
  EXPECT_EQ(pass(P, U), STAT_NODE2D_BELOW);
  EXPECT_TRUE(status().empty());
}

TEST_F(PlaneCap, ProgressRecordShowsThePointInTheFormOfEachSolution) {
  CASECUR.NPOINT = 3;
  CASECUR.LOOPNO = 4;
  struct Case {
    std::int32_t IPOINT, SEMODE;
    bool plane;
    const char* line;
  };
  const Case cases[] = {
      {2, 1, true, "\n POINT:  2/  4 STEP:    1 TCUR:    0.250 ITERATION:    2\n"},
      {2, 0, true, "\n DOF:  2/  4 STEP:    1 TCUR:    0.2500 ITERATION:    2\n"},
      {3, 0, true, "\n STEP:    1 TCUR:    0.2500 ITERATION:    2\n"},
      {2, 1, false, "\n DOF:  2/  4 STEP:    1 TCUR:    0.250 ITERATION:    2\n"},
      {2, 0, false, "\n DOF:  2/  4 STEP:    1 TCUR:    0.250 ITERATION:    2\n"},
      {3, 1, false, "\n STEP:    1 TCUR:    0.2500 ITERATION:    2\n"},
  };
  for (const Case& c : cases) {
    CASECUR.IPOINT = c.IPOINT;
    SESTIM.SEMODE = c.SEMODE;
    const std::string t = progressText(ProgressForm::Iteration, 0, 1, 0.25, 2,
                                       c.plane ? planeProgressPoint() : SPACE_POINT);
    EXPECT_NE(t.find(c.line), std::string::npos) << t;
  }
}

// A unit-load point records the load, the displacements and the
// flexibilities; a point of a stiffness estimation the displacement, the
// forces and the forces over the displacement, and no flexibilities.
TEST_F(PlaneCap, UnitLoadAndStiffnessPointsWriteTheirRecords) {
  const double k = 500.0;
  row({k, k, 0.0, 0.0}, 0.0, -10.0);
  row({k, k, 0.0, 0.0}, 0.0, 10.0);
  CASECUR.IPRDOF = 2;
  CASECUR.IPOINT = 2;
  CASECUR.NPOINT = 4;
  CASECUR.LOOPNO = 1;
  const double P[3] = {0.0, 40.0, 0.0};
  double U[3];
  ASSERT_EQ(pass(P, U), 0);
  std::vector<std::string> cld = run.lines(U_CLDSCR);
  ASSERT_EQ(cld.size(), 2u);
  const double u2 = 40.0 / (2 * k);
  const double r1[4] = {40.0, 0.0, u2, 0.0};
  EXPECT_EQ(cld[0], codedRecordText(1, r1, 4));
  std::istringstream in(cld[1]);
  double n, a, b, c;
  in >> n >> a >> b >> c;
  EXPECT_NEAR(b, u2 / 40.0, 1e-12);
  EXPECT_EQ(run.lines(U_FLXSCR).size(), 1u);

  CASECUR.IPRDOF = 1;
  CASECUR.IPOINT = 1;
  CASECUR.LOOPNO = 2;
  const double Pv[3] = {40.0, 0.0, 0.0};
  ASSERT_EQ(pass(Pv, U), 0);
  cld = run.lines(U_CLDSCR);
  ASSERT_EQ(cld.size(), 4u);
  const double s1[4] = {40.0 / (2 * k), 40.0, 0.0, 0.0};
  EXPECT_EQ(cld[2], codedRecordText(2, s1, 4));
  const double s2[3] = {2 * k, 0.0, 0.0};
  EXPECT_EQ(cld[3], codedRecordText(2, s2, 3));
  EXPECT_EQ(run.lines(U_FLXSCR).size(), 1u);
  CASECUR.IPRDOF = 0;
}

// A point whose first step fails records zeros.
TEST_F(PlaneCap, PointWhoseFirstStepFailsRecordsZeros) {
  row({500.0, 500.0, 0.0, 0.0}, 0.0, -10.0);
  row({500.0, 500.0, 0.0, 0.0}, 0.0, 10.0);
  rg().failAbove = 0.0;
  CASECUR.IPOINT = 3;
  CASECUR.NPOINT = 4;
  CASECUR.LOOPNO = 2;
  const double z[4] = {}, e[3] = {0.0, 0.0, 1.0};
  const std::vector<std::string> zeros = {codedRecordText(-2, z, 4), codedRecordText(-2, z, 3)};
  std::vector<std::string> cld;
  for (const std::int32_t iprdof : {1, 2}) {
    CASECUR.IPRDOF = iprdof;
    const double P[3] = {40.0, 0.0, 0.0};
    double U[3];
    pass(P, U);
    cld.insert(cld.end(), zeros.begin(), zeros.end());
    EXPECT_EQ(run.lines(U_CLDSCR), cld);
    const std::vector<std::string> flx =
        iprdof == 2 ? std::vector<std::string>{codedRecordText(2, e, 3)} : std::vector<std::string>{};
    EXPECT_EQ(run.lines(U_FLXSCR), flx);
  }
  CASECUR.IPRDOF = 0;
}

// A unit-load pass that stops below its load records the load of its last
// accepted step with that step's displacement: linear up to 0.65 of the
// load, no convergence above, so the pass ends at 0.625 of 800.
TEST_F(PlaneCap, UnitLoadPointBelowItsLoadRecordsTheLoadItCarries) {
  const double k = 500.0;
  row({k, k, 0.0, 2.0e7}, 0.0, -10.0);
  row({k, k, 0.0, 2.0e7}, 0.0, 10.0);
  rg().nonlinearAbove = 0.65;
  CURCTL.MAXITC = 1;
  CURCTL.DTCUR0 = 0.125;
  CURCTL.DTCMIN = 0.1;
  CASECUR.IPRDOF = 2;
  CASECUR.IPOINT = 1;
  CASECUR.NPOINT = 4;
  CASECUR.LOOPNO = 1;
  const double P[3] = {800.0, 0.0, 0.0};
  double U[3];
  ASSERT_EQ(pass(P, U), 0);
  EXPECT_EQ(status().back(), "    1 ANALYSIS COMPLETED");
  const std::vector<std::string> cld = run.lines(U_CLDSCR);
  ASSERT_EQ(cld.size(), 2u);
  const double r1[4] = {500.0, 500.0 / (2 * k), 0.0, 0.0};
  EXPECT_EQ(cld[0], codedRecordText(1, r1, 4));
  const double r2[3] = {1.0 / (2 * k), 0.0, 0.0};
  EXPECT_EQ(cld[1], codedRecordText(1, r2, 3));
  EXPECT_EQ(run.lines(U_FLXSCR), std::vector<std::string>{cld[1]});
}

TEST(PlanePassive, TrapezoidOverTheEmbeddedHeight) {
  double H, M, pos;
  passive2D(0.01, -5.0, 3.0, 2.0, 0.0, H, M, pos);
  EXPECT_NEAR(H, 2.1 * 2.0, 1e-12);
  EXPECT_NEAR(M, 2.7 * 2.0, 1e-12);
  EXPECT_NEAR(pos, -1.2857142857, 1e-9);
  passive2D(-0.01, -5.0, 3.0, 2.0, 0.0, H, M, pos);
  EXPECT_NEAR(H, -4.2, 1e-12);
  EXPECT_NEAR(M, -5.4, 1e-12);
  passive2D(0.01, 0.0, 3.0, 2.0, 1.5, H, M, pos);
  EXPECT_EQ(H, 0.0);
  EXPECT_EQ(pos, 1.5);
}

TEST(PlanePoint, BorderedSystemTiesThePointToTheCap) {
  const double K[9] = {1, 0, 0, 0, 2, 0, 0, 0, 3};
  const double X[2] = {0.0, 2.0};
  const std::int32_t KPOD[3] = {0, 1, 1};
  double A[36];
  PODSYS2D(A, K, X, KPOD);
  const double row4[6] = {1, 0, -2, 0, 0, 0};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(A[3 + 6 * j], row4[j]);
  EXPECT_EQ(A[4 + 6 * 4], 1.0);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) EXPECT_EQ(A[i + 6 * j], A[j + 6 * i]);
}

TEST_F(PlaneCap, GivenDisplacementAtAPointIsMetByTheConvergedCap) {
  row({800.0, 60.0, 0.0, 0.0}, 0.0, -30.0, 0.0, 2.0);
  row({800.0, 60.0, 0.0, 0.0}, 0.0, 30.0, 0.0, 2.0);
  CASEIN.LCKIND(1) = 1;
  std::int32_t ISTAT = 0, kpy = 0;
  const double P[3] = {0.0, 0.0, 0.0}, PPOD[3] = {0.0, 30.0, 0.0}, UPOD[3] = {0.05, 0.0, 0.0},
               XPOD[2] = {0.0, 2.0};
  const std::int32_t KPOD[3] = {0, 1, 1};
  double FLD[3], UCP[3];
  ENVPIL.ENVFST = 1;
  CAPEQ2D(0, kpy, ISTAT, FLD, UCP, P, PPOD, UPOD, XPOD, KPOD);
  ASSERT_EQ(ISTAT, 0);
  const double U1 = ENVPIL.CAPDMX(1), U3 = ENVPIL.CAPDMX(3);
  EXPECT_NEAR(U1 - 2.0 * U3, 0.05, 1e-9);
  EXPECT_EQ(status().back(), "    1 ANALYSIS COMPLETED");
  CASEIN.LCKIND(1) = 0;
  // Table L: the point blocks go to the results report and the summary, the
  // latter before its own heading and origin blocks.
  const auto headings = [&](int u) {
    std::vector<std::string> h;
    for (const std::string& l : run.lines(u))
      if (l.find("     * ") == 0 || l.find("NUMBER OF ITERATIONS") != std::string::npos) h.push_back(l);
    return h;
  };
  const std::vector<std::string> points = {
      "     * POINT OF DEFINITION DISPLACEMENT/LOADS *", "     * CONCENTRATED LOAD AT SPECIFIED POINT *",
      "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *"};
  const std::vector<std::string> origin = {"     * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *",
                                           "     * DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *"};
  const std::string tableL = "     * TABLE L *   COMPUTATION ON PILE CAP";
  std::vector<std::string> results = {tableL};
  results.insert(results.end(), points.begin(), points.end());
  results.insert(results.end(), origin.begin(), origin.end());
  std::vector<std::string> summary = points;
  summary.push_back(tableL);
  summary.insert(summary.end(), origin.begin(), origin.end());
  std::vector<std::string> got = headings(U_RESULTS);
  ASSERT_EQ(got.size(), results.size() + 1);
  // The count of the iterations in I3.
  EXPECT_EQ(got.back().substr(0, 33), "          NUMBER OF ITERATIONS = ");
  EXPECT_EQ(got.back().size(), 36u);
  got.pop_back();
  EXPECT_EQ(got, results);
  EXPECT_EQ(headings(U_SUMMARY), summary);
}

}  // namespace
}  // namespace drelm
