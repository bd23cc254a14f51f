// The convergence test and the bordered-system limiting that the space and
// the plane cap solutions share.
#include "cap/capiter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cap/capeq2d.h"
#include "model/model.h"
#include "model/tables.h"
#include "numeric/matrix.h"

namespace drelm {
namespace {

// Translations and rotations converge each on their own: the relative
// increment within TOLCAP, an increment or total no larger than TINY, or,
// with the alternative test, the largest increment within its own limit.
TEST(CapConvergence, EachGroupPassesByAnyOfItsRules) {
  CURCTL = CURCTL_T{};
  CURCTL.TOLCAP = 1.0e-3;
  CURCTL.ALTDSP = 1.0e-2;
  CURCTL.ALTROT = 1.0e-4;
  const CapNorms settled{1.0e-4, 1.0e-4, 1.0, 1.0, 1.0e-4, 1.0e-4};  // both relative errors 1e-4
  const struct {
    const char* what;
    CapNorms m;
    int alt;
    double tiny;
    bool converged;
  } cases[] = {
      {"both within the tolerance", settled, 0, 1.0e-12, true},
      {"translation off", {2.0e-3, 1.0e-4, 1.0, 1.0, 2.0e-3, 1.0e-4}, 0, 1.0e-12, false},
      {"rotation off", {1.0e-4, 2.0e-3, 1.0, 1.0, 1.0e-4, 2.0e-3}, 0, 1.0e-12, false},
      {"no total: the increment is the error", {5.0e-4, 1.0e-4, 0.0, 1.0, 5.0e-4, 1.0e-4}, 0, 1.0e-12, true},
      {"tiny rotation increment", {1.0e-4, 1.0e-9, 1.0, 1.0e-7, 1.0e-4, 1.0e-9}, 0, 1.0e-8, true},
      {"the same above the tiny limit", {1.0e-4, 1.0e-9, 1.0, 1.0e-7, 1.0e-4, 1.0e-9}, 0, 1.0e-12, false},
      {"largest increments within the absolute limits", {5.0e-3, 5.0e-5, 1.0, 1.0e-2, 5.0e-3, 5.0e-5}, 1,
       1.0e-12, true},
      {"the same without the alternative test", {5.0e-3, 5.0e-5, 1.0, 1.0e-2, 5.0e-3, 5.0e-5}, 0, 1.0e-12,
       false},
      {"rotation beyond its own absolute limit", {5.0e-3, 5.0e-4, 1.0, 1.0e-2, 5.0e-3, 5.0e-4}, 1, 1.0e-12,
       false},
  };
  for (const auto& c : cases) {
    CURCTL.IALTOL = c.alt;
    EXPECT_EQ(capConverged(c.m, c.tiny), c.converged) << c.what;
  }
}

// Off-diagonal terms beyond half their row's diagonal are cut to it, with
// their sign, on both sides of the diagonal; the others stay.
TEST(CapTangent, OffDiagonalTermsAreLimitedToHalfTheirRowsDiagonal) {
  // By columns: row 0 diagonal 10 (limit 5), row 1 diagonal 2 (limit 1),
  // row 2 diagonal 40 (limit 20).
  double K[9] = {10.0, -8.0, 3.0,   // column 0
                 -8.0, 2.0, 0.5,    // column 1
                 3.0, 0.5, 40.0};   // column 2
  limitOffDiagonal(K, 3);
  const double want[9] = {10.0, -1.0, 3.0, -1.0, 2.0, 0.5, 3.0, 0.5, 40.0};
  for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(K[i], want[i]) << "entry " << i;

  double S[4] = {1.0, 2.0, 4.0, 3.0};
  symmetrise(S, 2);
  EXPECT_DOUBLE_EQ(S[1], 3.0);
  EXPECT_DOUBLE_EQ(S[2], 3.0);
}

// The fallback's Newton step converges only where each component is within
// TOLCAP of its own size: a small lateral movement under a large settlement
// is not judged against the settlement, and a component nil by symmetry
// passes at round-off.
TEST(CapConvergence, FallbackJudgesEachComponentOnItsOwn) {
  CURCTL = CURCTL_T{};
  CURCTL.TOLCAP = 1.0e-4;
  const double U[3] = {3.0e-2, 2.0e-11, -1.4e-12};  // settlement, sway, rotation (plane)
  const struct {
    const char* what;
    double d[3];
    bool converged;
  } cases[] = {
      {"every component within its own tolerance", {1.0e-7, 1.0e-15, 1.0e-17}, true},
      {"sway off by a tenth, settlement fine", {1.0e-7, 2.0e-12, 1.0e-17}, false},
      {"rotation off by half", {1.0e-7, 1.0e-15, 7.0e-13}, false},
      {"settlement off", {1.0e-5, 1.0e-15, 1.0e-17}, false},
  };
  for (const auto& c : cases) {
    CapNorms m;
    CAPNRM2D(c.d, m.incD, m.incR);
    m.totD = 3.0e-2;
    m.totR = 1.4e-12;
    CAPMAX2D(c.d, m.maxD, m.maxR);
    // The group test alone passes in every case but the last.
    EXPECT_EQ(searchConverged(m, c.d, U, 3, 1.0e-10), c.converged) << c.what;
  }

  // Space: rotations nil by symmetry, their steps at round-off.
  const double Us[6] = {0.5, 1.0e-3, 0.0, 0.0, 0.0, -2.0e-3};
  const double d[6] = {1.0e-9, 1.0e-8, 1.0e-20, 1.0e-25, 1.0e-26, 1.0e-10};
  CapNorms m;
  CAPNRM(d, m.incD, m.incR);
  CAPNRM(Us, m.totD, m.totR);
  CAPMAX(d, m.maxD, m.maxR);
  EXPECT_TRUE(searchConverged(m, d, Us, 6, 1.0e-12));
  const double dz[6] = {1.0e-9, 1.0e-8, 1.0e-11, 1.0e-25, 1.0e-26, 1.0e-10};
  CAPNRM(dz, m.incD, m.incR);
  CAPMAX(dz, m.maxD, m.maxR);
  EXPECT_FALSE(searchConverged(m, dz, Us, 6, 1.0e-12)) << "a nil component moved beyond round-off";
}

// A state is accepted where its out-of-balance R is small against the load
// P: forces against the largest force (a torque alone: the torque over the
// group's radius), moments against the largest moment or the force scale
// times the radius. Four 12 in piles at (0, +-30, +-30) in: the radius is
// 30 sqrt 2 + 6 = 48.43 in; one pile at the origin: 6 in; plane rows at
// Y = +-40 in, 2 ft down: sqrt(24^2 + 40^2) + 6 = 52.65 in.
TEST(CapConvergence, AStateIsAcceptedWhereItBalancesTheLoad) {
  const auto group = [](int piles, bool plane) {
    clearTables();
    RUNCTL.NPILE = piles;
    PILEPROP.PLEN(1) = 600.0;
    SECTAB.SDIAT(1, 1) = 12.0;
    for (int p = 1; p <= piles; ++p) {
      PILEAR.PROPOFPILE(p) = 1;
      const double y = piles == 1 ? 0.0 : (p % 2 == 0 ? 30.0 : -30.0);
      const double z = piles == 1 ? 0.0 : (p > 2 ? 30.0 : -30.0);
      if (plane) {
        PILEAR.PHXREF(p) = 24.0;
        PILEAR.PHYREF(p) = p == 1 ? -40.0 : 40.0;
      } else {
        PILEAR.PHY(p) = y;
        PILEAR.PHZ(p) = z;
      }
    }
  };
  const double r4 = 30.0 * std::sqrt(2.0) + 6.0, rPlane = std::sqrt(24.0 * 24.0 + 40.0 * 40.0) + 6.0;
  const double nan = std::nan("");
  const struct {
    const char* what;
    int piles, N;
    double P[6], R[6];
    bool balanced;
  } cases[] = {
      {"vertical and a pound sideways", 4, 6, {1.0e5, 1.0}, {0.09, 0.09}, true},
      {"force off by more than 1E-6 of the largest force", 4, 6, {1.0e5, 1.0}, {0.0, 0.11}, false},
      {"moment within 1E-6 of the force times the radius", 4, 6, {1.0e5}, {0, 0, 0, 0, 0, 0.099 * r4}, true},
      {"moment beyond it", 4, 6, {1.0e5}, {0, 0, 0, 0, 0, 0.11 * r4}, false},
      {"a torque alone: forces against it over the radius", 4, 6, {0, 0, 0, 1.0e6}, {0, 0, 0.99 / r4}, true},
      {"a torque alone, a force beyond that", 4, 6, {0, 0, 0, 1.0e6}, {0, 0, 1.01 / r4}, false},
      {"a large moment is its own scale", 4, 6, {1.0, 0, 0, 0, 1.0e9}, {0, 0, 0, 900.0}, true},
      {"one pile at the origin: the radius is half its width", 1, 6, {0, 1000.0}, {0, 0, 0, 0, 0, 0.0059}, true},
      {"one pile at the origin, moment beyond it", 1, 6, {0, 1000.0}, {0, 0, 0, 0, 0, 0.0061}, false},
      {"nil load (a soil movement alone): nothing to judge", 4, 6, {}, {1.0, 1.0, 0, 0, 0, 100.0}, true},
      {"a residual that is not a number", 4, 6, {1.0e5}, {nan}, false},
      {"plane rows, moment within the force times their radius", 2, 3, {1.0e5, 1.0e3}, {0, 0, 0.099 * rPlane}, true},
      {"plane rows, moment beyond it", 2, 3, {1.0e5, 1.0e3}, {0, 0, 0.101 * rPlane}, false},
      {"plane rows, the 1 lb lateral judged against the vertical", 2, 3, {1.0e5, 1.0}, {0, 0.09, 0}, true},
  };
  for (const auto& c : cases) {
    group(c.piles, c.N == 3);
    EXPECT_NEAR(groupRadius(c.N), c.piles == 1 ? 6.0 : (c.N == 3 ? rPlane : r4), 1e-12) << c.what;
    EXPECT_EQ(balances(c.R, c.P, c.N), c.balanced) << c.what;
  }
  clearTables();
}

}  // namespace
}  // namespace drelm
