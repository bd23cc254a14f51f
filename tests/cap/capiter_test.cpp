// The convergence test and the bordered-system limiting that the space and
// the plane cap solutions share.
#include "cap/capiter.h"

#include <gtest/gtest.h>

#include "model/model.h"

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

}  // namespace
}  // namespace drelm
