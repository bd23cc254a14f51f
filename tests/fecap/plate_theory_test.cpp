// The shell element against plate and beam theory, through decks of plates
// alone on supports, solved by the plate solution.
#include <gtest/gtest.h>

#include <cmath>

#include "fecap/slabsol.h"
#include "fecap/platedeck.h"

namespace drelm::test {
namespace {

constexpr std::array<double, 6> ZERO6{0, 0, 0, 0, 0, 0};

// A square plate of side a under a uniform load q; boundary nodes hold the
// deflection (and, clamped, both slopes), the membrane is held at the edges.
double centreDeflection(bool clamped, double* D) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = d.ny = 8;
  d.lx = d.ly = 10.0;
  d.t = 0.1;  // thin: a / t = 100
  d.E = 2.0E7;
  d.nu = 0.3;
  for (int n : d.boundary()) {
    const auto p = d.xy(n);
    const bool xEdge = std::fabs(p[0]) < 1e-9 || std::fabs(p[0] - 10) < 1e-9;
    const bool yEdge = std::fabs(p[1]) < 1e-9 || std::fabs(p[1] - 10) < 1e-9;
    // Simply supported: the slope along the edge is held as well (hard support).
    std::array<int, 6> c{1, 1, 1, clamped || yEdge ? 1 : 0, clamped || xEdge ? 1 : 0, 0};
    d.fixes.push_back({n, c, ZERO6});
  }
  const double q = 1.0;
  for (int e = 1; e <= d.nelem(); ++e) d.distLoads.push_back({e, {0, 0, q, 0, 0, 0}});
  writePlateFiles(d.text());
  std::int32_t ISTAT = 0;
  SLABSOL(nullptr, ISTAT);
  EXPECT_EQ(ISTAT, 0);
  *D = d.E * d.t * d.t * d.t / (12 * (1 - d.nu * d.nu));
  const auto u = lastTable("DISPLACEMENTS", d.npoin());
  if (u.empty()) return 0.0;
  return u[d.nodeAt(5.0, 5.0)][2] * *D / (q * 1.0E4);
}

TEST(PlateTheory, SquarePlatesUnderUniformLoadMatchTheCentreDeflection) {
  double D = 0;
  const double ss = centreDeflection(false, &D), cl = centreDeflection(true, &D);
  EXPECT_NEAR(ss, 0.00406, 0.02 * 0.00406);
  EXPECT_NEAR(cl, 0.00126, 0.02 * 0.00126);
}

TEST(PlateTheory, CantileverStripUnderAnEndLoadFollowsBeamTheory) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = 8;
  d.ny = 1;
  d.lx = 8.0;
  d.ly = 1.0;
  d.t = 0.2;
  d.E = 1.0E6;
  d.nu = 0.0;  // no anticlastic stiffening: the strip is a beam
  for (int n = 1; n <= d.npoin(); ++n)
    if (std::fabs(d.xy(n)[0]) < 1e-9) d.fixes.push_back({n, {1, 1, 1, 1, 1, 1}, ZERO6});
  // End load P spread evenly over the free end: an edge load on side 2 of the last element.
  const double P = 10.0;
  d.edgeLoads.push_back({8, 2, 3, {P / d.ly, P / d.ly, P / d.ly}});
  writePlateFiles(d.text());
  std::int32_t ISTAT = 0;
  SLABSOL(nullptr, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto u = lastTable("DISPLACEMENTS", d.npoin());
  ASSERT_FALSE(u.empty());
  const double I = d.ly * d.t * d.t * d.t / 12, G = d.E / 2;
  const double beam = P * 512.0 / (3 * d.E * I) + P * 8.0 / (5.0 / 6.0 * G * d.ly * d.t);
  for (double y : {0.0, 0.5, 1.0}) EXPECT_NEAR(u[d.nodeAt(8.0, y)][2], beam, 0.01 * beam) << y;
  // The slope at the free end: P L^2 / (2 E I).
  EXPECT_NEAR(u[d.nodeAt(8.0, 0.5)][3], P * 64.0 / (2 * d.E * I), 0.01 * P * 64.0 / (2 * d.E * I));
  // The support carries the load: the reactions in z sum to -P.
  const auto r = lastTable("REACTIONS", d.npoin());
  double sum = 0;
  for (int n = 1; n <= d.npoin(); ++n) sum += r[n][2];
  EXPECT_NEAR(sum, -P, 1e-6 * P);
}

// Linear membrane field prescribed on the boundary of a distorted patch: the
// interior nodes follow it exactly and the stresses are constant; the values
// are reached once, whatever the number of steps and iterations.
TEST(PlateTheory, MembranePatchTestOnADistortedMeshWithPrescribedValues) {
  ScratchDir dir;
  PlateDeck d;
  d.nx = d.ny = 2;
  d.lx = d.ly = 2.0;
  d.E = 1000.0;
  d.nu = 0.25;
  d.dt = 0.5;  // two steps
  // Move the interior corner node and keep the midside nodes on straight sides.
  const int c = d.nodeAt(1.0, 1.0);
  d.moved[c] = {1.2, 0.85};
  for (int n = 1; n <= d.npoin(); ++n) {
    if (n == c) continue;
    const auto p = d.xy(n);
    const auto mid = [&](std::array<double, 2> a) { return std::array<double, 2>{(a[0] + 1.2) / 2, (a[1] + 0.85) / 2}; };
    for (std::array<double, 2> a : {std::array<double, 2>{0, 1}, {2, 1}, {1, 0}, {1, 2}})
      if (std::fabs(p[0] - (a[0] + 1) / 2) < 1e-9 && std::fabs(p[1] - (a[1] + 1) / 2) < 1e-9) d.moved[n] = mid(a);
  }
  const auto field = [](std::array<double, 2> p) {
    return std::array<double, 2>{1e-3 + 2e-3 * p[0] + 1e-3 * p[1], -5e-4 + 5e-4 * p[0] - 1e-3 * p[1]};
  };
  for (int n : d.boundary()) {
    const auto f = field(d.xy(n));
    d.fixes.push_back({n, {1, 1, 1, 1, 1, 0}, {f[0], f[1], 0, 0, 0, 0}});
  }
  writePlateFiles(d.text());
  std::int32_t ISTAT = 0;
  SLABSOL(nullptr, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto u = lastTable("DISPLACEMENTS", d.npoin());
  ASSERT_FALSE(u.empty());
  for (int n = 1; n <= d.npoin(); ++n) {
    const auto f = field(d.xy(n));
    EXPECT_NEAR(u[n][0], f[0], 1e-9) << n;
    EXPECT_NEAR(u[n][1], f[1], 1e-9) << n;
  }
  // Stresses per unit thickness: E/(1-nu^2) (ex + nu ey), ..., G gxy.
  const double ex = 2e-3, ey = -1e-3, gxy = 1e-3 + 5e-4, k = 1000.0 / (1 - 0.0625);
  const double sxx = k * (ex + 0.25 * ey), syy = k * (ey + 0.25 * ex), sxy = 1000.0 / 2.5 * gxy;
  int points = 0;
  for (const std::string& l : readLines("t.felist")) {
    std::istringstream s(l);
    int kg;
    double x, y, v[8];
    if (!(s >> kg >> x >> y) || l.size() != 5 + 20 + 8 * 13) continue;
    for (double& z : v) s >> z;
    EXPECT_NEAR(v[0], sxx, 1e-4 * sxx);
    EXPECT_NEAR(v[1], syy, 1e-4 * std::fabs(syy));
    EXPECT_NEAR(v[2], sxy, 1e-4 * sxy);
    ++points;
  }
  EXPECT_EQ(points, 2 * 4 * 4);  // two steps, four elements of four points
}

}  // namespace
}  // namespace drelm::test
