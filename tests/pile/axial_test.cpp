// Axial and torsional head response from the pile-head curves: the ends of
// the curves under both end rules, the warnings of the warning pass in the
// space and the plane titles, and the load-transfer solution under the
// variation of the axial load.
#include "pile/axial.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pile/axial2d.h"
#include "pile/headcrv.h"
#include "pile/pilehd.h"
#include "pile/pilehd_fixture.h"
#include "pile/torsion.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm {
namespace {

const std::string WARN = "     ** WARNING **  ";

// Pile 1 with user curve 1 of points (x, y), load-settlement or
// torque-rotation.
void userCurves(std::initializer_list<std::pair<double, double>> ls,
                std::initializer_list<std::pair<double, double>> tr) {
  clearTables();
  RUNCTL.NPILE = 1;
  PILEAR.ILSCRV(1) = PILEAR.ITRCRV(1) = 1;
  PILEAR.PAXFAC(1) = 1.0;
  LSCRV.LSNCRV = TRCRV.TRNCRV = 1;
  int k = 0;
  for (auto [x, y] : ls) {
    ++k;
    LSCRV.LSDSP(1, k) = x;
    LSCRV.LSLOD(1, k) = y;
  }
  LSCRV.LSNPT(1) = k;
  k = 0;
  for (auto [x, y] : tr) {
    ++k;
    TRCRV.TRROT(1, k) = x;
    TRCRV.TRTOR(1, k) = y;
  }
  TRCRV.TRNPT(1) = k;
}

// The warnings written while f runs in the warning pass (or outside it).
template <class F>
std::vector<std::string> warnings(bool pass, F f) {
  test::ScratchDir dir;
  EXPECT_TRUE(io::OPEN(U_WARN, "wrn.txt", io::Access::Write));
  RUNCTL.IWRNPS = pass ? 1 : 0;
  f();
  RUNCTL.IWRNPS = 0;
  io::CLOSE(U_WARN);
  return test::readLines("wrn.txt");
}

TEST(AxialCurve, EndsOfTheCurveAndTheirWarningsInSpaceAndPlane) {
  struct Case {
    const char* name;
    double d;
    std::int32_t icrvmx;
    bool pass;
    double px;
    const char* space;  // title of the space pile's warning, "" for none
    const char* plane;  // title of the plane pile's warning
    std::string values;
    std::int32_t nwbrg, nwpull;
  };
  const std::string beyond = "  0.3000E+01 >   0.2000E+01     AX. FORCE=";
  const std::string before = " -0.2000E+01 >  -0.1000E+01     AX. FORCE=";
  const Case cases[] = {
      {"zero displacement", 0.0, 0, true, 0.0, "", "", "", 0, 0},
      {"inside a segment", 0.25, 0, true, 150.0, "", "", "", 0, 0},
      {"at an interior point", 0.5, 0, true, 300.0, "", "", "", 0, 0},
      {"at the first point", -1.0, 0, true, -100.0, "", "", "", 0, 0},
      {"at the last point", 2.0, 0, true, 400.0, "", "", "", 0, 0},
      {"beyond the last point, end kept", 3.0, 1, true, 400.0, "REACHED MAXIMUM LOAD IN BEARING  ",
       "MAXIMUM LOAD REACHED IN BEARING  ", beyond + "  0.4000E+03", 1, 0},
      {"beyond the last point, failure", 3.0, 0, true, 0.0, "APPARENT FAILURE IN BEARING    ,",
       "APPARENT FAILURE IN BEARING     ", beyond + "  0.0000E+00", 1, 0},
      {"before the first point, end kept", -2.0, 1, true, -100.0, "REACHED MAXIMUM LOAD IN PULLOUT  ",
       "MAXIMUM LOAD REACHED IN PULLOUT  ", before + " -0.1000E+03", 0, 1},
      {"before the first point, failure", -2.0, 0, true, 0.0, "APPARENT FAILURE IN PULL OUT    ",
       "APPARENT FAILURE IN PULL OUT    ", before + "  0.0000E+00", 0, 1},
      {"outside the warning pass", 3.0, 0, false, 0.0, "", "", "", 0, 0},
  };
  for (const Case& c : cases) {
    for (bool plane : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (plane ? " (plane)" : " (space)"));
      userCurves({{-1, -100}, {0, 0}, {0.5, 300}, {2, 400}}, {});
      RUNCTL.ICRVMX = c.icrvmx;
      CURCTL.IAXVAR = 1;  // never used with a user curve
      double px = -99;
      NodeArray mov, load;
      mov.fill(7.0);
      load.fill(7.0);
      std::int32_t st = 0;
      const auto lines = warnings(c.pass, [&] {
        if (plane) {
          const double u[3] = {c.d, 0.3, 0.1};
          AXIAL2D(1, px, u, mov, load, st);
        } else {
          const double u[6] = {c.d, 0.3, 0.1, 0.2, 0.1, 0.1};
          AXIAL(1, px, u, mov, load, st);
        }
      });
      EXPECT_DOUBLE_EQ(px, c.px);
      EXPECT_EQ(st, 0);
      for (int i = 1; i <= MAXNOD; ++i) ASSERT_TRUE(mov(i) == 0.0 && load(i) == 0.0) << i;
      EXPECT_EQ(RUNCTL.NWBRG, c.nwbrg);
      EXPECT_EQ(RUNCTL.NWPULL, c.nwpull);
      const std::string title = plane ? c.plane : c.space;
      if (title.empty()) {
        EXPECT_TRUE(lines.empty());
        continue;
      }
      ASSERT_EQ(lines.size(), 3u);
      EXPECT_EQ(lines[0], "");
      EXPECT_EQ(lines[1], WARN + title + "  PILE GROUP    1");
      EXPECT_EQ(lines[2], std::string(20, ' ') + "AX. DISP.=" + c.values);
    }
  }
}

TEST(TorsionCurve, EndsOfTheCurveAndTheirWarnings) {
  struct Case {
    const char* name;
    std::vector<std::pair<double, double>> curve;
    double phi;
    std::int32_t icrvmx;
    bool pass;
    double tx;
    const char* title;
    std::string values;
  };
  const std::vector<std::pair<double, double>> through = {{-0.01, -50}, {0, 0}, {0.01, 50}};
  const std::vector<std::pair<double, double>> away = {{0.001, 5}, {0.002, 10}};
  const Case cases[] = {
      {"no twist on a curve through the origin", through, 0.0, 0, true, 0.0, "", ""},
      {"inside", through, 0.004, 0, true, 20.0, "", ""},
      {"at the first point", through, -0.01, 0, true, -50.0, "", ""},
      {"no twist before a curve that starts later, end kept", away, 0.0, 1, true, 5.0,
       "MAXIMUM MOMENT REACHED IN TORSION ", "  0.0000E+00 >   0.1000E-02     T. MOMENT=  0.5000E+01"},
      {"no twist before a curve that starts later, failure", away, 0.0, 0, true, 0.0,
       "APPARENT FAILURE IN TORSION     ", "  0.0000E+00 >   0.1000E-02     T. MOMENT=  0.0000E+00"},
      {"beyond the last point, end kept", through, 0.02, 1, true, 50.0, "MAXIMUM MOMENT REACHED IN TORSION ",
       "  0.2000E-01 >   0.1000E-01     T. MOMENT=  0.5000E+02"},
      {"beyond the last point, failure", through, -0.02, 0, true, 0.0, "APPARENT FAILURE IN TORSION     ",
       " -0.2000E-01 >  -0.1000E-01     T. MOMENT=  0.0000E+00"},
      {"outside the warning pass", away, 0.0, 0, false, 0.0, "", ""},
      {"at the foot of a vertical first segment", {{0, 0}, {0, 10}, {1, 20}}, 0.0, 0, true, 0.0, "", ""},
      // Round-off of an end is on the curve: 1E-9 of the range (at least a radian).
      {"round-off beyond the last point", through, 0.01 + 1.0e-12, 0, true, 50.0, "", ""},
      {"round-off before the first point", through, -0.01 - 1.0e-12, 0, true, -50.0, "", ""},
      {"round-off before a curve that starts later", away, 0.001 - 5.0e-10, 0, true, 5.0, "", ""},
      {"beyond the round-off", through, 0.01 + 2.0e-9, 0, true, 0.0, "APPARENT FAILURE IN TORSION     ",
       "  0.1000E-01 >   0.1000E-01     T. MOMENT=  0.0000E+00"},
      {"a wide curve's round-off is wider", {{-10, -5}, {10, 5}}, 10.0 + 1.5e-8, 0, true, 5.0, "", ""},
      {"one point: on it", {{0.001, 5}}, 0.001, 0, true, 5.0, "", ""},
      {"one point: beside it", {{0.001, 5}}, 0.002, 0, true, 0.0, "APPARENT FAILURE IN TORSION     ",
       "  0.2000E-02 >   0.1000E-02     T. MOMENT=  0.0000E+00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    userCurves({}, {});
    int k = 0;
    for (auto [x, y] : c.curve) {
      ++k;
      TRCRV.TRROT(1, k) = x;
      TRCRV.TRTOR(1, k) = y;
    }
    TRCRV.TRNPT(1) = k;
    RUNCTL.ICRVMX = c.icrvmx;
    double tx = -99;
    const double u[6] = {0.5, 0.1, 0.1, c.phi, 0.1, 0.1};
    const auto lines = warnings(c.pass, [&] { TORSION(1, tx, u); });
    EXPECT_DOUBLE_EQ(tx, c.tx);
    const std::string title = c.title;
    EXPECT_EQ(RUNCTL.NWTORS, title.empty() ? 0 : 1);
    EXPECT_EQ(RUNCTL.NWBRG + RUNCTL.NWPULL, 0);
    if (title.empty()) {
      EXPECT_TRUE(lines.empty());
      continue;
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], WARN + title + "  PILE GROUP    1");
    EXPECT_EQ(lines[2], std::string(20, ' ') + "ROTATION =" + c.values);
  }
}

TEST(AxialCurve, PileWithoutACurveEndsAtTheOrigin) {
  // A curve number that names no curve: no point to read.
  userCurves({}, {});
  PILEAR.ILSCRV(1) = 3;
  PILEAR.ITRCRV(1) = -2;
  for (std::int32_t icrvmx : {0, 1}) {
    RUNCTL.ICRVMX = icrvmx;
    double px = -99, tx = -99;
    NodeArray mov, load;
    std::int32_t st = 0;
    const double u[6] = {0.1, 0, 0, 0.1, 0, 0};
    const auto lines = warnings(true, [&] {
      AXIAL(1, px, u, mov, load, st);
      TORSION(1, tx, u);
    });
    EXPECT_EQ(px, 0.0);
    EXPECT_EQ(tx, 0.0);
    EXPECT_EQ(lines.size(), 6u);
  }
  // Without a curve the twist of the origin, or round-off of it, is no failure.
  for (double phi : {0.0, -1.1145e-16, 1.0e-10}) {
    double tx = -99;
    RUNCTL.NWTORS = 0;
    const double u[6] = {0, 0, 0, phi, 0, 0};
    EXPECT_TRUE(warnings(true, [&] { TORSION(1, tx, u); }).empty()) << phi;
    EXPECT_EQ(tx, 0.0);
    EXPECT_EQ(RUNCTL.NWTORS, 0);
  }
}

// The elastic drilled shaft of the head-response tests with its generated
// curves, axial load along the pile asked for.
void generatedPile() {
  test::HdPile pile;
  const test::HdLayer top{ST_ELASTIC, -10.0, -9.0, 0.04, 0.0, 0.0, 1000.0 / 24.0, 0.0, 3.125, 2300.0};
  test::HdLayer rest = top;
  rest.top = -9.0;
  rest.bot = 1200.0;
  ASSERT_EQ(test::setGroupRun({top, rest}, pile, 1, -10.0), 0);
  CURCTL.IAXVAR = 1;
}

TEST(AxialTransfer, SolutionReplacesTheCurveValueWhereTheCurveAllows) {
  generatedPile();
  const HeadCurve c = lsCurve(1);
  ASSERT_EQ(c.n, 19);
  const double far = 2.0 * c.X(c.n), deep = 2.0 * c.X(1);
  struct Case {
    const char* name;
    double d;
    std::int32_t icrvmx, iaxvar;
    double paxfac;
    bool solved;
  };
  const Case cases[] = {
      {"inside the curve", 0.05, 0, 1, 1.0, true},
      {"axial factor on the forces along the pile", 0.05, 0, 1, 0.5, true},
      {"no variation of the axial load", 0.05, 0, 0, 1.0, false},
      {"no displacement", 0.0, 1, 1, 1.0, false},
      {"pull-out beyond the curve, end kept", deep, 1, 1, 1.0, true},
      {"pull-out beyond the curve, failure", deep, 0, 1, 1.0, false},
      {"bearing beyond the curve, failure", far, 0, 1, 1.0, false},
  };
  for (const Case& cs : cases) {
    SCOPED_TRACE(cs.name);
    RUNCTL.ICRVMX = cs.icrvmx;
    CURCTL.IAXVAR = cs.iaxvar;
    PILEAR.PAXFAC(1) = cs.paxfac;
    RUNCTL.KPILST = 0;
    double px = -99, pxCurve = -99;
    NodeArray mov, load;
    std::int32_t st = 0;
    const double u[6] = {cs.d, 0, 0, 0, 0, 0};
    AXIAL(1, px, u, mov, load, st);
    EXPECT_EQ(st, 0);
    EXPECT_EQ(RUNCTL.KPILST, 0);
    CURCTL.IAXVAR = 0;
    NodeArray m2, l2;
    AXIAL(1, pxCurve, u, m2, l2, st);
    if (!cs.solved) {
      EXPECT_EQ(px, pxCurve);
      for (int i = 1; i <= MAXNOD; ++i) ASSERT_TRUE(mov(i) == 0.0 && load(i) == 0.0) << i;
      continue;
    }
    // The head force of the solution, before the axial factor; the nodes
    // after it. Inside the generated curve the head moves by d; beyond it
    // the solution stops at the curve's end.
    EXPECT_DOUBLE_EQ(load(4), cs.paxfac * px);
    EXPECT_GT(std::fabs(load(50)), 0.0);
    EXPECT_EQ(load(3), 0.0);
    if (std::fabs(cs.d) < 1.0) {
      EXPECT_NE(px, pxCurve);
      EXPECT_NEAR(mov(4), cs.d, 1e-3 * std::fabs(cs.d));
    } else {
      EXPECT_NEAR(px, pxCurve, 1e-3 * std::fabs(pxCurve));
      EXPECT_NEAR(mov(4), c.X(1), 1e-3 * std::fabs(c.X(1)));
    }
  }
}

TEST(AxialTransfer, FailedSoilLookupOfTheSolutionSetsTheStatus) {
  generatedPile();
  // The profile ends above the deepest side curve.
  SOILCOM.XPROF(4) = 300.0;
  double px = 0;
  NodeArray mov, load;
  std::int32_t st = 0;
  const double u[6] = {0.05, 0, 0, 0, 0, 0};
  AXIAL(1, px, u, mov, load, st);
  EXPECT_EQ(st, 25);
  for (int i = 1; i <= MAXNOD; ++i) ASSERT_TRUE(mov(i) == 0.0 && load(i) == 0.0) << i;
  // The head response then gives nothing.
  double f[6];
  st = 0;
  PILEHD(1, f, u, st);
  EXPECT_EQ(st, 25);
  for (double v : f) EXPECT_EQ(v, 0.0);
}

TEST(AxialThreads, WarningsOfPilesOnEightThreadsNeverMix) {
  // 100 piles beyond both curves in one warning pass: every warning whole,
  // every count exact.
  test::ScratchDir dir;
  ASSERT_EQ(test::setThreeLayerRun(100, 20), 0);
  ASSERT_TRUE(io::OPEN(U_WARN, "wrn.txt", io::Access::Write));
  RUNCTL.ICRVMX = 1;
  RUNCTL.IWRNPS = 1;
  const HeadCurve c = lsCurve(1);
  std::int32_t st = 0;
  test::onThreads(8, 100, [&](int p) {
    const double u[6] = {p % 2 ? 3.0 * c.X(c.n) : 3.0 * c.X(1), 0, 0, 10.0, 0, 0};
    double f[6];
    PILEHD(p, f, u, st);
  });
  RUNCTL.IWRNPS = 0;
  io::CLOSE(U_WARN);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(RUNCTL.NWBRG, 50);
  EXPECT_EQ(RUNCTL.NWPULL, 50);
  EXPECT_EQ(RUNCTL.NWTORS, 100);
  const auto lines = test::readLines("wrn.txt");
  ASSERT_EQ(lines.size(), 600u);
  std::vector<int> seen(101, 0);
  for (std::size_t i = 0; i < lines.size(); i += 3) {
    EXPECT_EQ(lines[i], "");
    ASSERT_EQ(lines[i + 1].substr(0, WARN.size()), WARN);
    const int p = std::stoi(lines[i + 1].substr(lines[i + 1].size() - 5));
    ASSERT_TRUE(p >= 1 && p <= 100);
    ++seen[p];
    const bool torsion = lines[i + 1].find("TORSION") != std::string::npos;
    EXPECT_EQ(lines[i + 2].substr(20, 10), torsion ? "ROTATION =" : "AX. DISP.=");
  }
  for (int p = 1; p <= 100; ++p) EXPECT_EQ(seen[p], 2) << p;
}

}  // namespace
}  // namespace drelm
