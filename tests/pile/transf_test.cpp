// The transformations of a space pile: rigid-body carry from the cap origin
// to the head and the rotation into the pile's axes, against hand values.
#include "pile/transf.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/model.h"

namespace drelm {
namespace {

struct Mats {
  double TF[36], TU[36], RT[36], R[36];
  double operator()(const double* a, int i, int j) const { return a[(i - 1) + 6 * (j - 1)]; }
};

Mats transf(int p) {
  Mats m;
  TRANSF(p, m.TF, m.TU, m.RT, m.R);
  return m;
}

void setAngles(int p, double betaDeg, double alphaDeg, double thetaDeg) {
  PILEAR.BETA(p) = betaDeg * M_PI / 180.0;
  PILEAR.ALPHA(p) = alphaDeg * M_PI / 180.0;
  PILEAR.THETA(p) = thetaDeg * M_PI / 180.0;
}

TEST(Transf, VerticalPileAtTheOriginIsTheIdentity) {
  setAngles(1, 90, 0, 0);
  const Mats m = transf(1);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      const double e = i == j ? 1.0 : 0.0;
      EXPECT_EQ(m(m.TU, i, j), e);
      EXPECT_EQ(m(m.TF, i, j), e);
      EXPECT_NEAR(m(m.R, i, j), e, 1e-15);
      EXPECT_NEAR(m(m.RT, i, j), e, 1e-15);
    }
}

TEST(Transf, HeadTranslationIsRigidBodyMotionAndForcesCarryTheirMoments) {
  PILEAR.PHX(2) = 3.0;
  PILEAR.PHY(2) = 5.0;
  PILEAR.PHZ(2) = -7.0;
  setAngles(2, 90, 0, 0);
  const Mats m = transf(2);
  // Cap displacement: translation (1, 2, 3), rotation (0.1, -0.2, 0.3).
  const double u[6] = {1, 2, 3, 0.1, -0.2, 0.3};
  const double r[3] = {3, 5, -7};
  // u + theta x r by hand.
  const double head[3] = {1 + (-0.2 * -7 - 0.3 * 5), 2 + (0.3 * 3 - 0.1 * -7), 3 + (0.1 * 5 - -0.2 * 3)};
  for (int i = 1; i <= 6; ++i) {
    double s = 0;
    for (int j = 1; j <= 6; ++j) s += m(m.TU, i, j) * u[j - 1];
    EXPECT_NEAR(s, i <= 3 ? head[i - 1] : u[i - 1], 1e-12) << "row " << i;
  }
  // A head force F = (10, -4, 2) with no moment gives r x F at the origin.
  const double F[6] = {10, -4, 2, 0, 0, 0};
  const double M[3] = {r[1] * 2 - r[2] * -4, r[2] * 10 - r[0] * 2, r[0] * -4 - r[1] * 10};
  for (int i = 1; i <= 6; ++i) {
    double s = 0;
    for (int j = 1; j <= 6; ++j) s += m(m.TF, i, j) * F[j - 1];
    EXPECT_NEAR(s, i <= 3 ? F[i - 1] : M[i - 4], 1e-12) << "row " << i;
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(m(m.TF, i, j), m(m.TU, j, i));
  }
}

TEST(Transf, BatteredPileTakesGlobalVectorsIntoItsAxes) {
  // Batter of 45 degrees from the vertical (BETA 45), its axis leaning
  // towards +Z (azimuth 90): the pile axis is (1, 0, 1)/sqrt 2 in global X, Y, Z.
  setAngles(3, 45, 90, 0);
  const Mats m = transf(3);
  const double c = std::sqrt(0.5);
  const double Q[3][3] = {{c, 0, c}, {-c, 0, c}, {0, -1, 0}};
  for (int b = 0; b <= 3; b += 3)
    for (int i = 1; i <= 3; ++i)
      for (int j = 1; j <= 3; ++j) {
        EXPECT_NEAR(m(m.R, b + i, b + j), Q[i - 1][j - 1], 1e-15) << i << "," << j;
        EXPECT_NEAR(m(m.RT, b + j, b + i), Q[i - 1][j - 1], 1e-15);
        EXPECT_EQ(m(m.R, b + i, 3 - b + j), 0.0);  // off-diagonal blocks
      }
  // A vertical unit force is split between the axial and the first lateral direction.
  EXPECT_NEAR(m(m.R, 1, 1), c, 1e-15);
  EXPECT_NEAR(m(m.R, 2, 1), -c, 1e-15);
}

TEST(Transf, RotationIsOrthonormalAndThetaTurnsOnlyTheLateralAxes) {
  const double angles[][3] = {{90, 0, 0}, {60, 30, 0}, {60, 30, 25}, {75, -140, 200}, {10, 275, -35}};
  double row1[3] = {0, 0, 0};
  for (const auto& a : angles) {
    setAngles(4, a[0], a[1], a[2]);
    double Q[3][3];
    PILEROT(4, Q);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        double s = 0;
        for (int k = 0; k < 3; ++k) s += Q[i][k] * Q[j][k];
        EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-14) << a[0] << " " << a[1] << " " << a[2];
      }
    // Right-handed: axis 3 = axis 1 x axis 2.
    EXPECT_NEAR(Q[0][1] * Q[1][2] - Q[0][2] * Q[1][1], Q[2][0], 1e-14);
    if (a[0] == 60 && a[1] == 30) {
      if (a[2] == 0)
        for (int j = 0; j < 3; ++j) row1[j] = Q[0][j];
      else
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(Q[0][j], row1[j], 1e-15);
    }
  }
}

}  // namespace
}  // namespace drelm
