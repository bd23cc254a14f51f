// The space cap solution on pile groups in springs of known form: the rigid
// cap against closed forms, the load stepping and its failures, the outcome
// of a pass in the case status file, and the stop request.
#include "cap/capeq.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cap/capfixture.h"
#include "cap/caprec.h"
#include "report/writers.h"

namespace drelm {
namespace {

using test::CapRun;
using test::group;
using test::pinned;

struct Pass {
  std::int32_t ISTAT = 0;
  double PCAP[6] = {};
  double U[6] = {};
};

// One load case with the load P at the cap origin.
Pass runPass(const double* P) {
  Pass r;
  for (int i = 0; i < 6; ++i) r.PCAP[i] = P[i];
  double FLD[6], UCP[6], PPOD[6] = {}, UPOD[6] = {}, XPOD[6] = {};
  std::int32_t KPOD[6] = {1, 1, 1, 1, 1, 1};
  CAPEQ(0, r.ISTAT, FLD, UCP, r.PCAP, PPOD, UPOD, XPOD, KPOD);
  for (int i = 1; i <= 6; ++i) r.U[i - 1] = ENVPIL.CAPDMX(i);  // the first case sets the envelope
  return r;
}

// Four pinned vertical piles at (0, +-a, +-b).
void fourPiles(CapRun& run, double kax, double klat, double a, double b) {
  for (double y : {-a, a})
    for (double z : {-b, b}) run.add(pinned(kax, klat), 0.0, y, z);
}

// One pile at the origin held in every degree of freedom.
test::Springs held(double kax, double klat) {
  test::Springs s = pinned(kax, klat);
  s.k[3] = s.k[4] = s.k[5] = 1000.0;
  return s;
}

bool has(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

std::vector<std::string> stepLines(CapRun& run) {
  std::vector<std::string> out;
  for (const std::string& l : run.lines(U_LOG))
    if (l.rfind("     STEP ", 0) == 0) out.push_back(l);
  return out;
}

std::string stepLine(int n, double t, double dt) {
  return "     STEP " + intField(5, n) + ", TCUR " + fixedField(10, 4, t) + ", DTCUR " + fixedField(10, 4, dt);
}

TEST(CapEquilibrium, RigidCapOnLinearSpringsMatchesClosedForms) {
  const double kax = 2000.0, klat = 80.0, a = 36.0, b = 24.0;
  struct Case {
    double P[6];
    double U[6];
  };
  const double V = 4.0e4, H = 1.2e3, M = 3.0e6, My = -1.5e6;
  const Case cases[] = {
      {{V, 0, 0, 0, 0, 0}, {V / (4 * kax), 0, 0, 0, 0, 0}},
      {{0, H, 0, 0, 0, 0}, {0, H / (4 * klat), 0, 0, 0, 0}},
      {{0, 0, 0, 0, 0, M}, {0, 0, 0, 0, 0, M / (kax * 4 * a * a)}},
      {{V, H, -H, 0, My, M},
       {V / (4 * kax), H / (4 * klat), -H / (4 * klat), 0, My / (kax * 4 * b * b), M / (kax * 4 * a * a)}},
  };
  for (const Case& c : cases) {
    CapRun run;
    fourPiles(run, kax, klat, a, b);
    const Pass r = runPass(c.P);
    EXPECT_EQ(r.ISTAT, 0);
    for (int i = 0; i < 6; ++i) {
      EXPECT_NEAR(r.U[i], c.U[i], 1e-9 * std::max(1.0, std::fabs(c.U[i]))) << "component " << i + 1;
      EXPECT_DOUBLE_EQ(r.PCAP[i], c.P[i]);  // the load the reported solution carries
    }
    EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    // The progress file holds the end record of the pass only.
    const auto progress = run.lines(U_PROGRESS);
    ASSERT_EQ(progress.size(), 3u);
    EXPECT_EQ(progress[0], "- ANALYSIS FOR LOAD CASE   1/  1 ( 1/ 1 proc.)");
    EXPECT_EQ(progress[1], " STEP:    1 COMPLETED");
    EXPECT_TRUE(has(run.lines(U_RESULTS), "* TABLE L *   COMPUTATION ON PILE CAP"));
    EXPECT_EQ(RUNTTL.ENDWRD.str(), "END ");
    EXPECT_EQ(ENVPIL.ENVFST, 2);
  }
}

TEST(CapEquilibrium, LoadSteppingReachesExactlyTheFullLoad) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  CURCTL.DTCUR0 = 0.3;
  const double P[6] = {1000.0, 100.0, 0, 0, 0, 0};
  runPass(P);
  const std::vector<std::string> expected = {stepLine(1, 0.3, 0.3), stepLine(2, 0.6, 0.3), stepLine(3, 0.9, 0.3),
                                             stepLine(4, 1.0, 0.3)};
  EXPECT_EQ(stepLines(run), expected);
}

// A first step of 0 would never advance: the whole load in one step.
TEST(CapEquilibrium, FirstStepOfZeroAppliesTheWholeLoad) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  CURCTL.DTCUR0 = 0.0;
  const double P[6] = {1000.0, 100.0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(stepLines(run), std::vector<std::string>{stepLine(1, 1.0, 1.0)});
  EXPECT_NEAR(r.U[0], 0.25, 1e-12);
}

// A failing step is retried with half the increment; a failing clamped last
// step goes back by half the increment it was made with.
TEST(CapEquilibrium, FailingStepIsHalved) {
  struct Case {
    double dt0;
    std::vector<std::string> steps;
  };
  const Case cases[] = {
      {0.5, {stepLine(1, 0.5, 0.5), stepLine(2, 1.0, 0.5), stepLine(2, 0.75, 0.25), stepLine(3, 1.0, 0.25)}},
      {0.3,
       {stepLine(1, 0.3, 0.3), stepLine(2, 0.6, 0.3), stepLine(3, 0.9, 0.3), stepLine(4, 1.0, 0.3),
        stepLine(4, 0.85, 0.15), stepLine(5, 1.0, 0.15)}},
  };
  for (const Case& c : cases) {
    CapRun run;
    run.add(held(1000.0, 50.0), 0.0, 0.0, 0.0);
    CURCTL.DTCUR0 = c.dt0;
    group().lateralFailAbove = 0.95;
    group().lateralFailBudget = 1;
    const double P[6] = {1000.0, 100.0, 0, 0, 0, 0};
    const Pass r = runPass(P);
    EXPECT_EQ(stepLines(run), c.steps) << c.dt0;
    EXPECT_NEAR(r.U[0], 1.0, 1e-12);
    EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    group().lateralFailAbove = 1e300;
  }
}

TEST(CapEquilibrium, FirstStepLargerThanTheLoadReportsNoLoad) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  CURCTL.DTCUR0 = 1.5;
  const double P[6] = {1000.0, 100.0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    2 SOLUTION AT     0.00 % OF THE TOTAL LOAD"});
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(r.U[i], 0.0);
    EXPECT_EQ(r.PCAP[i], 0.0);
  }
  EXPECT_TRUE(stepLines(run).empty());
  EXPECT_TRUE(has(run.lines(U_RESULTS), "  RESULTS ARE FOR     0.00% OF THE TOTAL LOAD"));
}

// Steps of 1/8 converge up to 62.5 % of the load; beyond it the piles harden
// so much that the iteration limit is reached, and the halved increment is
// below the smallest one: the result is that of 62.5 %, with the soil
// movement of that fraction applied once.
TEST(CapEquilibrium, PassThatGivesUpReportsTheLastConvergedFraction) {
  CapRun run;
  test::Springs s = held(100.0, 10.0);
  s.cubic[0] = 1.0e9;
  run.add(s, 0.0, 0.0, 0.0);
  group().cubicAbove = 0.63;
  CURCTL.DTCUR0 = 0.125;
  CURCTL.DTCMIN = 0.1;
  CURCTL.MAXITC = 2;
  CURCTL.TOLCAP = 1e-12;
  SMOV.NSMOV = 1;
  SMOV.SMVYIN(1) = 0.4;
  const double P[6] = {100.0, 0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    2 SOLUTION AT    62.50 % OF THE TOTAL LOAD"});
  EXPECT_NEAR(r.U[0], 0.625, 1e-12);
  EXPECT_DOUBLE_EQ(r.PCAP[0], 62.5);
  const auto out = run.lines(U_RESULTS);
  EXPECT_TRUE(has(out, "     ** WARNING **  PILE CAP DISPL DOES NOT CONVERGE AFTER,    2  ITERATIONS"));
  EXPECT_TRUE(has(out, "  RESULTS ARE FOR    62.50% OF THE TOTAL LOAD"));
  EXPECT_TRUE(has(run.lines(U_SUMMARY), "  RESULTS ARE FOR    62.50% OF THE TOTAL LOAD"));
  EXPECT_DOUBLE_EQ(SMOV.SMVFAC, 0.625);
  EXPECT_DOUBLE_EQ(SMOV.SMVY(1), 0.625 * 0.4);
}

TEST(CapEquilibrium, FirstStepThatNeverConvergesGivesNoResult) {
  CapRun run;
  test::Springs s = held(100.0, 10.0);
  s.cubic[0] = 1.0e9;
  run.add(s, 0.0, 0.0, 0.0);
  group().cubicAbove = -1.0;
  CURCTL.MAXITC = 1;
  CURCTL.DTCMIN = 0.6;
  CURCTL.TOLCAP = 1e-12;
  const double P[6] = {100.0, 0, 0, 0, 0, 0};
  runPass(P);
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    3 NO CONVERGENCE ON PILE CAP"});
  const auto out = run.lines(U_RESULTS);
  EXPECT_TRUE(has(out, "PILE CAP DISPL DOES NOT CONVERGE AFTER,    1  ITERATIONS"));
  EXPECT_FALSE(has(out, "* TABLE L *"));
}

// Piles that never close (laterally, or axially within the iteration cap)
// fail every step; with no smallest increment the halving still ends, and
// the bearing warnings of the last evaluation do not hide the failure.
TEST(CapEquilibrium, PilesThatNeverCloseEndThePassWithoutResult) {
  for (std::int32_t code : {KPIL_LATERAL, KPIL_AXIAL}) {
    CapRun run;
    run.add(held(100.0, 10.0), 0.0, 0.0, 0.0);
    group().lateralFailAbove = -1.0;
    group().lateralFailBudget = 1 << 30;
    group().failCode = code;
    group().bearingWarning = true;
    CURCTL.DTCMIN = 0.0;
    const double P[6] = {100.0, 0, 0, 0, 0, 0};
    const Pass r = runPass(P);
    EXPECT_EQ(r.ISTAT, 0);
    EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    6 NO CONVERGENCE ON PILES   "}) << code;
    // From 1 down to the floor of 1E-4: tries at 1, 1/2, ..., 1/8192; and
    // once more in the pass's last attempt, which takes no step either.
    EXPECT_EQ(stepLines(run).size(), 28u);
    EXPECT_TRUE(has(run.lines(U_LOG), "LAST ATTEMPT FROM THE LAST CONVERGED STEP: PILES CLOSE ON THEIR OWN DEFLECTIONS"));
    const auto out = run.lines(U_RESULTS);
    EXPECT_TRUE(has(out, "SOME PILES MAY FAIL IN BEARING!"));
    EXPECT_TRUE(has(out, "APPARENT FAILURE IN BEARING    ,  PILE GROUP1"));
    EXPECT_FALSE(has(out, "* TABLE L *"));
    group().failCode = KPIL_LATERAL;
    group().bearingWarning = false;
    group().lateralFailAbove = 1e300;
  }
}

TEST(CapEquilibrium, SingularStiffnessFailsWithoutTheIterationWarning) {
  CapRun run;
  run.add(pinned(100.0, 0.0), 0.0, 0.0, 0.0);  // nothing resists a sway
  const double P[6] = {100.0, 10.0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(r.ISTAT, 0);
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    7 SINGULAR STIFFNESS MATRIX "});
  const auto out = run.lines(U_RESULTS);
  EXPECT_TRUE(has(out, "     ** WARNING **  DETERMINANT OF STIFFNESS MATRIX IS ZERO"));
  EXPECT_FALSE(has(out, "DOES NOT CONVERGE"));
  EXPECT_TRUE(has(run.lines(U_LOG), "DETERMINANT OF STIFFNESS MATRIX IS ZERO"));
}

TEST(CapEquilibrium, StopRequestDuringThePassReturnsStatusFour) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  CURCTL.DTCUR0 = 0.25;
  group().stopAfter = 60;  // inside the second step
  const double P[6] = {1000.0, 100.0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(r.ISTAT, STAT_STOPPED);
  EXPECT_TRUE(run.lines(U_STATUS).empty());
  EXPECT_EQ(stepLines(run).size(), 2u);
  group().stopAfter = -1;
}

// A vertical displacement given at (0, 2, 0) with every other load given
// as 0: the converged cap moves the point by exactly the given value.
TEST(CapEquilibrium, GivenDisplacementIsReachedAtThePoint) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  CASEIN.LCKIND(1) = 1;
  CURCTL.DTCUR0 = 0.5;
  double PCAP[6] = {}, FLD[6], UCP[6], PPOD[6] = {}, UPOD[6] = {0.05, 0, 0, 0, 0, 0};
  const double XPOD[6] = {0.0, 2.0, 0.0};
  const std::int32_t KPOD[6] = {0, 1, 1, 1, 1, 1};
  std::int32_t ISTAT = 0;
  CAPEQ(0, ISTAT, FLD, UCP, PCAP, PPOD, UPOD, XPOD, KPOD);
  ASSERT_EQ(ISTAT, 0);
  const double U1 = ENVPIL.CAPDMX(1), U6 = ENVPIL.CAPDMX(6);
  EXPECT_NEAR(U1 - 2.0 * U6, 0.05, 1e-12);
  EXPECT_DOUBLE_EQ(UPOD[0], 0.05);
  // The load reported at the origin is the reaction of the piles.
  EXPECT_NEAR(PCAP[0], 4 * 1000.0 * U1, 1e-6);
  const auto out = run.lines(U_RESULTS);
  EXPECT_TRUE(has(out, "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *"));
  EXPECT_TRUE(has(out, "  VERTICAL ,IN*     HORIZONTAL Y,IN     HORIZONTAL Z,IN "));
  EXPECT_TRUE(has(out, "     " + realField(19, 5, 0.05)));
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
}

// A unit-load point writes its coded records and its status line, and no
// tables; a failed first step writes the failure records.
TEST(CapEquilibrium, UnitLoadPointRecords) {
  {
    CapRun run;
    fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
    CASECUR.IPRDOF = 2;
    CASECUR.IPOINT = 1;
    CASECUR.LOOPNO = 3;
    CASECUR.NPOINT = 7;
    const double P[6] = {400.0, 0, 0, 0, 0, 0};
    runPass(P);
    // Read back in free form: the load and displacements, then the
    // flexibilities.
    auto values = [](const std::string& line) {
      std::istringstream in(line);
      std::vector<double> v;
      for (double x; in >> x;) v.push_back(x);
      return v;
    };
    const auto cld = run.lines(U_CLDSCR);
    ASSERT_EQ(cld.size(), 2u);
    const auto r1 = values(cld[0]), r2 = values(cld[1]);
    ASSERT_EQ(r1.size(), 8u);
    ASSERT_EQ(r2.size(), 7u);
    EXPECT_EQ(r1[0], 3.0);
    EXPECT_EQ(r1[1], 400.0);
    EXPECT_NEAR(r1[2], 0.1, 1e-9);
    EXPECT_NEAR(r2[1], 0.1 / 400.0, 1e-12);
    EXPECT_EQ(values(run.lines(U_FLXSCR).at(0)), r2);
    EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
    EXPECT_FALSE(has(run.lines(U_RESULTS), "* TABLE L *"));
    // The progress records name the point and its pass.
    EXPECT_EQ(run.lines(U_PROGRESS)[1], " DOF:  1/  3 STEP:    1 COMPLETED");
  }
  {
    CapRun run;
    run.add(pinned(100.0, 0.0), 0.0, 0.0, 0.0);
    CASECUR.IPRDOF = 2;
    CASECUR.IPOINT = 2;
    CASECUR.LOOPNO = 3;
    const double P[6] = {0, 10.0, 0, 0, 0, 0};
    runPass(P);
    const double z[7] = {};
    const double e[6] = {0, 1.0, 0, 0, 0, 0};
    EXPECT_EQ(run.lines(U_CLDSCR), (std::vector<std::string>{codedRecordText(-3, z, 7), codedRecordText(-3, z, 6)}));
    EXPECT_EQ(run.lines(U_FLXSCR), std::vector<std::string>{codedRecordText(3, e, 6)});
    EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    7 SINGULAR STIFFNESS MATRIX "});
  }
}

// The reporting sum of the pass that ends a stiffness estimation fails: the
// run ends with its status, and the case is not reported as completed.
TEST(CapEquilibrium, TargetPassWhoseReportingSumFailsEndsTheRun) {
  CapRun run;
  fourPiles(run, 1000.0, 50.0, 10.0, 10.0);
  SESTIM.SEMODE = 1;
  SESTIM.SESTAT = 3;  // the target is met: the pass writes its results
  SESTIM.SEIDOF = 1;
  io::OPEN(U_PASS, CapRun::name(U_PASS), io::Access::Write);
  group().statusPile = 2;
  group().statusWhenReporting = true;
  const double P[6] = {400.0, 0, 0, 0, 0, 0};
  const Pass r = runPass(P);
  EXPECT_EQ(r.ISTAT, STAT_NODE_BELOW);
  EXPECT_TRUE(run.lines(U_STATUS).empty());
  EXPECT_EQ(RUNCTL.IOUTPS, 0);
  group().statusPile = 0;
  group().statusWhenReporting = false;
  SESTIM.SEMODE = SESTIM.SESTAT = SESTIM.SEIDOF = 0;
}

// Pull-out and torsion given, bearing not: their headings in the results
// report, and on the log as reached the curve's end or as may fail.
TEST(CapEquilibrium, CapacityWarningHeadingsOfEachKind) {
  for (const std::int32_t icrvmx : {0, 1}) {
    CapRun run;
    RUNCTL.NWBRG = 0;
    RUNCTL.NWPULL = 2;
    RUNCTL.NWTORS = 1;
    RUNCTL.ICRVMX = icrvmx;
    RUNCTL.KPILST = KPIL_SOUND;
    // Three lines a warning on the scratch file, copied after the headings.
    std::string scratch;
    std::vector<std::string> copied;
    for (int k = 1; k <= 9; ++k) {
      copied.push_back("W" + std::to_string(k));
      scratch += copied.back() + "\n";
    }
    // Written as the force sum writes it: only such a file is read back.
    ASSERT_TRUE(io::OPEN(U_WARN, CapRun::name(U_WARN), io::Access::Work));
    io::put(U_WARN, scratch);
    io::CLOSE(U_WARN);
    capacityWarnings();
    EXPECT_EQ(RUNCTL.KPILST, KPIL_WARNED);
    const std::vector<std::string> out = run.lines(U_RESULTS);
    std::vector<std::string> expected = {
        "",
        "     ** WARNING **  SOME PILES MAY FAIL IN PULL OUT!",
        "                    AXIAL DISPLACEMENT ESTIMATED IS SMALLER THAN",
        "                    MINIMUM DISPLACEMENT DEFINED IN AXIAL LOAD-DISPLACEMENT CURVE",
        "",
        "     ** WARNING **  SOME PILES MAY FAIL IN TORSION!",
        "                    TORSIONAL ROTATION ESTIMATED IS LARGER/SMALLER",
        "                    THAN MAXIMUM/MINIMUM ROTATION DEFINED IN TORQUE-ROTATION CURVE"};
    expected.insert(expected.end(), copied.begin(), copied.end());
    EXPECT_EQ(out, expected);
    const std::vector<std::string> log = run.lines(U_LOG);
    std::vector<std::string> logExpected =
        icrvmx == 1 ? std::vector<std::string>{"", "     ** WARNING **  SOME PILES REACHED MAXIMUM IN PULL OUT!", "",
                                               "     ** WARNING **  SOME PILES REACHED MAXIMUM IN TORSION!"}
                    : std::vector<std::string>{"", "     ** WARNING **  SOME PILES MAY FAIL IN PULL OUT!", "",
                                               "     ** WARNING **  SOME PILES MAY FAIL IN TORSION!"};
    logExpected.insert(logExpected.end(), copied.begin(), copied.end());
    EXPECT_EQ(log, logExpected);
    EXPECT_FALSE(io::writeFailed());
  }
}

}  // namespace
}  // namespace drelm
