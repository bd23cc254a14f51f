// Springs of the deck under a stiff plate, the placing of points in the mesh,
// and the pseudo-time stepping of the plate solution.
#include <gtest/gtest.h>

#include <cmath>

#include "fecap/platedeck.h"
#include "fecap/slabin.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"

namespace drelm::test {
namespace {

// A stiff 4 x 4 plate on every kind of spring, loaded at its centre: it
// sinks as a rigid body by the load over the sum of the springs. A nodal
// spring on the centre node (in four elements) counts once.
TEST(PlateSupports, EveryKindOfSpringCarriesItsShareOnce) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = d.ny = 2, d.lx = d.ly = 4.0, d.E = 1.0E10, d.t = 1.0, d.nu = 0.2;
  const double k = 10, K0 = 50, ks = 5, Kc = 20;
  for (int e = 1; e <= 4; ++e) d.distSprings.push_back({e, {1, 1, k, 0, 0, 0}});
  d.nodalSprings.push_back({d.nodeAt(2, 2), {0, 0, K0, 0, 0, 0}});
  for (auto [e, side] : {std::pair{1, 1}, {1, 4}, {2, 1}, {2, 2}, {3, 3}, {3, 4}, {4, 2}, {4, 3}})
    d.edgeSprings.push_back({e, side, 3, {ks, ks, ks}});
  for (std::array<double, 2> p : {std::array<double, 2>{1, 1}, {3, 1}, {1, 3}, {3, 3}})
    d.pointSprings.push_back({p, {0, 0, Kc, 0, 0, 0}});
  const double total = k * 16 + K0 + ks * 16 + 4 * Kc;
  d.pointLoads.push_back({{2.0, 2.0}, {0, 0, total, 0, 0, 0}});
  writePlateFiles(d.text());
  std::int32_t ISTAT = 0;
  SLABSOL(nullptr, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto u = lastTable("DISPLACEMENTS", d.npoin());
  ASSERT_FALSE(u.empty()) << readFile("t.feconv");
  for (int n = 1; n <= d.npoin(); ++n) EXPECT_NEAR(u[n][2], 1.0, 1e-6) << n;
}

TEST(PlateSupports, PointsOnSharedSidesGoToTheFirstElementAndOutsidePointsToNone) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = 3, d.ny = 3, d.lx = d.ly = 6.0, d.x0 = d.y0 = -3.0;  // the origin is an element centre
  PlateArrays A;
  FESOLV_T& F = FESOLV;
  F.NPOIN = d.npoin(), F.NELEM = 9, F.NNODE = 8;
  F.NCLOD = 4;
  A.allocate();
  for (int n = 1; n <= d.npoin(); ++n) A.NODXY(1, n) = d.xy(n)[0], A.NODXY(2, n) = d.xy(n)[1];
  for (int j = 1; j <= 3; ++j)
    for (int i = 1; i <= 3; ++i)
      for (int k = 1; k <= 8; ++k) A.ELNOD(k, (j - 1) * 3 + i) = d.elnod(i, j)[k - 1];
  const double pts[4][2] = {{0.0, 0.0}, {-1.0, 0.5}, {1.0, 1.0}, {3.5, 0.0}};
  for (int j = 1; j <= 4; ++j) A.CLPNT(1, j) = pts[j - 1][0], A.CLPNT(2, j) = pts[j - 1][1];
  LOCPT(4, A.CLPNT, A.CLELM, A);
  EXPECT_EQ(A.CLELM(1), 5);
  EXPECT_NEAR(A.CLPNT(1, 1), 0.0, 1e-12);
  EXPECT_NEAR(A.CLPNT(2, 1), 0.0, 1e-12);
  EXPECT_EQ(A.CLELM(2), 4);  // on the side between elements 4 and 5
  EXPECT_NEAR(A.CLPNT(1, 2), 1.0, 1e-12);
  EXPECT_NEAR(A.CLPNT(2, 2), 0.5, 1e-12);
  EXPECT_EQ(A.CLELM(3), 5);  // a corner of elements 5, 6, 8 and 9
  EXPECT_EQ(A.CLELM(4), 0);
  EXPECT_DOUBLE_EQ(A.CLPNT(1, 4), 3.5);
}

// A cantilever strip: steps end on every DT and once on TEND; a step beyond
// the range runs nothing; a deck without a smallest step still ends its
// halving.
struct Stepped {
  std::int32_t ISTAT = 0;
  std::vector<std::string> post, conv;
};

Stepped runSteps(double dt, double dtmin, int maxiter, double P = 1.0) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = 2, d.ny = 1, d.lx = 4, d.ly = 1;
  d.dt = dt, d.dtmin = dtmin, d.maxiter = maxiter;
  for (int n = 1; n <= d.npoin(); ++n)
    if (d.xy(n)[0] == 0.0) d.fixes.push_back({n, {1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0}});
  d.pointLoads.push_back({{4.0, 0.5}, {0, 0, P, 0, 0, 0}});
  writePlateFiles(d.text());
  Stepped s;
  SLABSOL(nullptr, s.ISTAT);
  for (const std::string& l : readLines("t.fepost"))
    if (l.rfind("STEP", 0) == 0 || l == "END_STEP_DATA") s.post.push_back(l);
  for (const std::string& l : readLines("t.feconv"))
    if (l.rfind("STEP", 0) == 0 || l.rfind("error", 0) == 0) s.conv.push_back(l);
  return s;
}

TEST(PlateStepping, StepsHalvingAndTheSmallestStep) {
  Stepped a = runSteps(0.3, 0.1, 10);
  EXPECT_EQ(a.ISTAT, 0);
  EXPECT_EQ(a.post, (std::vector<std::string>{"STEP_DATA", "STEP       1", "STEP       2", "STEP       3",
                                              "STEP       4", "END_STEP_DATA"}));
  EXPECT_EQ(a.conv.back(), "STEP     4   TCUR   =    1.0000  DT =     0.3000");

  Stepped b = runSteps(1.5, 0.1, 10);
  EXPECT_EQ(b.ISTAT, 0);
  EXPECT_EQ(b.post, std::vector<std::string>{"END_STEP_DATA"});
  EXPECT_TRUE(b.conv.empty());

  // Every step iterates twice, whatever the limit: a linear step converges.
  Stepped c = runSteps(0.5, 0.0, 0);
  EXPECT_EQ(c.ISTAT, 0);
  EXPECT_EQ(c.post, (std::vector<std::string>{"STEP_DATA", "STEP       1", "STEP       2", "END_STEP_DATA"}));
}

}  // namespace
}  // namespace drelm::test
