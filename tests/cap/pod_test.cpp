// The point of definition: the bordered system, the transfer to the point,
// the marks and the cap envelope.
#include "cap/pod.h"

#include <gtest/gtest.h>

#include "pile/envpil.h"
#include "numeric/matrix.h"
#include "model/tables.h"

namespace drelm {
namespace {

double K6(int i, int j) { return i == j ? 10.0 * i : 0.5 / (i + j); }

TEST(PointOfDefinition, AllLoadsGivenSolvesTheOrdinarySystem) {
  double K[36], A[144], Kinv[36];
  for (int j = 1; j <= 6; ++j)
    for (int i = 1; i <= 6; ++i) K[(i - 1) + 6 * (j - 1)] = K6(i, j);
  const double X[3] = {1.0, 2.0, 3.0};
  const std::int32_t KPOD[6] = {1, 1, 1, 1, 1, 1};
  PODSYS(A, K, X, KPOD);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j) {
      const double e = i < 6 && j < 6 ? K[i + 6 * j] : (i == j ? 1.0 : 0.0);
      EXPECT_EQ(A[i + 12 * j], e);
    }
  std::int32_t flag = 0;
  MATINV(A, 12, 12, flag);
  for (int i = 0; i < 36; ++i) Kinv[i] = K[i];
  MATINV(Kinv, 6, 6, flag);
  const double R[6] = {1, -2, 3, -4, 5, -6}, F[6] = {}, U[6] = {}, UPOD[6] = {};
  double rhs[12], aux[12], s[12], dU[6];
  PODRHS(rhs, aux, R, F, UPOD, U, X, KPOD);
  PODSOL(s, A, rhs, 12);
  MATVEC6(dU, Kinv, R, 1);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(s[i], dU[i], 1e-12);
  for (int i = 6; i < 12; ++i) EXPECT_EQ(s[i], 0.0);
}

TEST(PointOfDefinition, VerticalDisplacementGivenOffTheOrigin) {
  double K[36] = {}, A[144];
  for (int i = 0; i < 6; ++i) K[i + 6 * i] = 5.0;
  const double X[3] = {0.0, 2.0, 0.0};
  const std::int32_t KPOD[6] = {0, 1, 1, 1, 1, 1};
  PODSYS(A, K, X, KPOD);
  const double row7[6] = {1, 0, 0, 0, 0, -2};
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(A[6 + 12 * j], row7[j]);
    EXPECT_EQ(A[j + 12 * 6], row7[j]);  // symmetric
  }
  for (int j = 6; j < 12; ++j) EXPECT_EQ(A[6 + 12 * j], 0.0);
  // One Newton step of a linear cap reaches the given displacement.
  std::int32_t flag = 0;
  MATINV(A, 12, 12, flag);
  ASSERT_EQ(flag, 0);
  const double R[6] = {}, F[6] = {}, U[6] = {}, UPOD[6] = {0.3, 0, 0, 0, 0, 0};
  double rhs[12], aux[12], s[12];
  PODRHS(rhs, aux, R, F, UPOD, U, X, KPOD);
  EXPECT_EQ(aux[6], 0.3);
  PODSOL(s, A, rhs, 12);
  EXPECT_NEAR(s[0] - 2.0 * s[5], 0.3, 1e-14);
}

TEST(PointOfDefinition, TransferToThePoint) {
  const double U[6] = {1, 2, 3, 0.1, 0.2, 0.3};
  const double X[3] = {4.0, 5.0, 6.0};
  double P[6] = {10, 20, 30, 40, 50, 60}, UP[6], PP[6];
  const double PPOD[6] = {-1, -2, -3, -4, -5, -6};
  {
    const std::int32_t KPOD[6] = {0, 0, 0, 0, 0, 0};
    double Pc[6];
    std::copy(P, P + 6, Pc);
    std::int32_t flag = 0;
    TOPOINT(U, Pc, X, UP, PP, PPOD, KPOD, flag);
    EXPECT_EQ(flag, 1);
    EXPECT_DOUBLE_EQ(UP[0], 1 - 5 * 0.3 + 6 * 0.2);
    EXPECT_DOUBLE_EQ(UP[1], 2 - 6 * 0.1 + 4 * 0.3);
    EXPECT_DOUBLE_EQ(UP[2], 3 - 4 * 0.2 + 5 * 0.1);
    EXPECT_DOUBLE_EQ(PP[3], 40 - 5 * 30 + 6 * 20);
    EXPECT_DOUBLE_EQ(PP[4], 50 + 4 * 30 - 6 * 10);
    EXPECT_DOUBLE_EQ(PP[5], 60 - 4 * 20 + 5 * 10);
  }
  {
    // Loads given: the given values, and P(1..3) replaced by them.
    const std::int32_t KPOD[6] = {1, 0, 0, 1, 0, 0};
    std::int32_t flag = 0;
    TOPOINT(U, P, X, UP, PP, PPOD, KPOD, flag);
    EXPECT_EQ(PP[0], -1.0);
    EXPECT_EQ(P[0], -1.0);
    EXPECT_EQ(PP[3], -4.0);
    EXPECT_DOUBLE_EQ(PP[4], 50 + 4 * 30 - 6 * 10);  // with P(1) as it was on entry
  }
  {
    const double O[3] = {0, 0, 0};
    const std::int32_t KPOD[6] = {};
    std::int32_t flag = 7;
    TOPOINT(U, P, O, UP, PP, PPOD, KPOD, flag);
    EXPECT_EQ(flag, 0);
  }
}

TEST(PointOfDefinition, MarksAndEnvelope) {
  const std::int32_t KPOD[6] = {0, 1, 1, 0, 1, 0};
  char r1[6], r2[6];
  PODMARK(KPOD, r1, r2, 6);
  EXPECT_EQ(std::string(r1, 6), " ** * ");
  EXPECT_EQ(std::string(r2, 6), "*  * *");

  clearTables();
  ENVPIL.ENVFST = 1;
  const double P1[6] = {1, 2, 3, 4, 5, 6}, U1[6] = {-1, -2, -3, -4, -5, -6};
  CAPENV(P1, U1);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(ENVPIL.CAPFMN(i), ENVPIL.CAPFMX(i));
    EXPECT_EQ(ENVPIL.CAPDMN(i), U1[i - 1]);
  }
  ENVPIL.ENVFST = 2;
  const double P2[6] = {0, 9, 0, 9, 0, 9}, U2[6] = {};
  CAPENV(P2, U2);
  EXPECT_EQ(ENVPIL.CAPFMN(1), 0.0);
  EXPECT_EQ(ENVPIL.CAPFMX(1), 1.0);
  EXPECT_EQ(ENVPIL.CAPFMX(2), 9.0);
  EXPECT_EQ(ENVPIL.CAPDMX(3), 0.0);
  EXPECT_EQ(ENVPIL.CAPDMN(3), -3.0);
}

}  // namespace
}  // namespace drelm
