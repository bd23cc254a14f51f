// The beam-column recursion: the two-direction elimination of a space pile
// against the one-direction elimination it stands for.
#include "pile/beamfd.h"

#include <gtest/gtest.h>

#include <cmath>

namespace drelm {
namespace {

// A pile of 40 increments: rigidity, axial force, soil modulus and load that
// change along it; direction 2 stiffer than direction 1.
struct Pile {
  static constexpr int n = 44;  // tip slot
  double h = 12.0;
  NodeArray R[2], Q[2], K, F[2];
  Pile(double axial, double soil) {
    for (int i = 1; i <= MAXNOD; ++i) {
      const double x = i - 4.0;
      R[0](i) = 4.0e10 * (1.0 + 0.3 * std::sin(0.2 * x));
      R[1](i) = 1.7 * R[0](i);
      Q[0](i) = Q[1](i) = axial * (1.0 - x / 50.0);
      K(i) = soil * x * (1.0 + 0.1 * std::cos(x));
      F[0](i) = i == 20 ? 300.0 : 0.0;
      F[1](i) = 25.0 * std::sin(0.5 * x);
    }
  }
};

void headRows(NodeArray (&A)[2], NodeArray (&B)[2], NodeArray (&C)[2], const Pile& p) {
  BEAMHD(1, p.R[0](4), 0.0, p.h, 0.25, 0.0, A[0], B[0], C[0]);
  BEAMHD(2, p.R[1](4), 0.0, p.h, 0.1, 1.0e-3, A[1], B[1], C[1]);
}

// Both directions at once give each direction's own recursion bit for bit,
// and the same deflections after back substitution.
TEST(BeamFw2, SameRecursionAsEachDirectionAlone) {
  struct Case {
    const char* name;
    double axial, soil;
  } cases[] = {
      {"soil only", 0.0, 50.0},
      {"compression and soil", 2.0e5, 50.0},
      {"tension, soft soil", -1.0e5, 0.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Pile p(c.axial, c.soil);
    NodeArray A1[2], B1[2], C1[2], A2[2], B2[2], C2[2];
    headRows(A1, B1, C1, p);
    headRows(A2, B2, C2, p);
    bool single[2];
    for (int d = 0; d < 2; ++d) single[d] = BEAMFW(p.n, p.h, p.R[d], p.Q[d], p.K, p.F[d], A1[d], B1[d], C1[d]);
    BeamRows rows[2];
    for (int d = 0; d < 2; ++d) BEAMROWS(p.n, p.h, p.R[d], p.Q[d], rows[d]);
    bool both[2];
    BEAMFW2(p.n, p.h, rows, p.K, p.F, A2, B2, C2, both);
    for (int d = 0; d < 2; ++d) {
      ASSERT_TRUE(single[d]);
      EXPECT_EQ(both[d], single[d]);
      for (int i = 1; i <= p.n; ++i) {
        EXPECT_EQ(A2[d](i), A1[d](i)) << d << " " << i;
        EXPECT_EQ(B2[d](i), B1[d](i)) << d << " " << i;
        EXPECT_EQ(C2[d](i), C1[d](i)) << d << " " << i;
      }
      NodeArray y1, y2;
      ASSERT_TRUE(BEAMBK(p.n, p.h, p.Q[d](p.n), p.R[d](p.n), A1[d], B1[d], C1[d], y1));
      ASSERT_TRUE(BEAMBK(p.n, p.h, p.Q[d](p.n), p.R[d](p.n), A2[d], B2[d], C2[d], y2));
      EXPECT_EQ(y2(4), d == 0 ? 0.25 : 0.1);  // the prescribed head deflection
      for (int i = 3; i <= p.n + 2; ++i) EXPECT_EQ(y2(i), y1(i)) << d << " " << i;
    }
  }
}

// A direction without rigidity, axial force or soil has no pivot: it fails
// as BEAMFW fails, and the other direction is solved all the same.
TEST(BeamFw2, AFailedDirectionLeavesTheOtherOne) {
  Pile p(0.0, 50.0);
  NodeArray zero{};
  p.R[1] = zero;
  p.K = zero;
  NodeArray A1[2], B1[2], C1[2], A2[2], B2[2], C2[2];
  headRows(A1, B1, C1, p);
  headRows(A2, B2, C2, p);
  bool single[2];
  for (int d = 0; d < 2; ++d) single[d] = BEAMFW(p.n, p.h, p.R[d], p.Q[d], p.K, p.F[d], A1[d], B1[d], C1[d]);
  EXPECT_TRUE(single[0]);
  EXPECT_FALSE(single[1]);
  BeamRows rows[2];
  for (int d = 0; d < 2; ++d) BEAMROWS(p.n, p.h, p.R[d], p.Q[d], rows[d]);
  bool both[2];
  BEAMFW2(p.n, p.h, rows, p.K, p.F, A2, B2, C2, both);
  EXPECT_TRUE(both[0]);
  EXPECT_FALSE(both[1]);
  for (int i = 1; i <= p.n; ++i) {
    EXPECT_EQ(A2[0](i), A1[0](i)) << i;
    EXPECT_EQ(C2[0](i), C1[0](i)) << i;
  }
}

}  // namespace
}  // namespace drelm
