#include "numeric/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace drelm {
namespace {

using Inverse = void (*)(double*, std::int32_t, std::int32_t, std::int32_t&);

// Column-major storage of a matrix written row by row in the test.
std::vector<double> byColumns(std::int32_t n, std::int32_t ld, std::initializer_list<double> rows,
                              double fill = 0.0) {
  std::vector<double> a(static_cast<std::size_t>(ld) * n, fill);
  auto it = rows.begin();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) a[i + j * ld] = *it++;
  return a;
}

struct KnownInverse {
  const char* name;
  std::int32_t n;
  std::vector<double> a, inv;  // row by row
};

class GaussJordan : public testing::TestWithParam<Inverse> {};

TEST_P(GaussJordan, KnownInverses) {
  const KnownInverse cases[] = {
      {"identity", 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
      {"second differences", 3, {2, -1, 0, -1, 2, -1, 0, -1, 2},
       {0.75, 0.5, 0.25, 0.5, 1.0, 0.5, 0.25, 0.5, 0.75}},
      {"row swap", 2, {0, 1, 1, 0}, {0, 1, 1, 0}},
      {"cyclic permutation", 3, {0, 0, 1, 1, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, 1, 1, 0, 0}},
      {"two by two", 2, {4, 7, 2, 6}, {0.6, -0.7, -0.2, 0.4}},
      {"one by one", 1, {-4}, {-0.25}},
  };
  for (const KnownInverse& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> a(c.a.size()), inv(c.inv.size());
    for (int i = 0; i < c.n; ++i)
      for (int j = 0; j < c.n; ++j) {
        a[i + j * c.n] = c.a[i * c.n + j];
        inv[i + j * c.n] = c.inv[i * c.n + j];
      }
    std::int32_t flag = 7;
    GetParam()(a.data(), c.n, c.n, flag);
    EXPECT_EQ(flag, 0);
    for (std::size_t k = 0; k < a.size(); ++k) EXPECT_NEAR(a[k], inv[k], 1e-14) << "element " << k;
  }
}

// A * inv(A) = I for systems of the sizes the cap solutions use, built so
// that the pivots wander off the diagonal.
TEST_P(GaussJordan, ProductWithInverseIsIdentity) {
  for (std::int32_t n : {6, 12, 50}) {
    SCOPED_TRACE(n);
    std::vector<double> a(n * n);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) a[i + j * n] = 1.0 / (1 + i + j) + ((j == (i * 7 + 2) % n) ? 3.0 + i : 0.0);
    std::vector<double> inv = a;
    std::int32_t flag = 7;
    GetParam()(inv.data(), n, n, flag);
    ASSERT_EQ(flag, 0);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        double s = 0.0;
        for (int k = 0; k < n; ++k) s += a[i + k * n] * inv[k + j * n];
        EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-12) << i << "," << j;
      }
  }
}

TEST_P(GaussJordan, SingularMatricesAreFlagged) {
  struct Singular {
    const char* name;
    std::int32_t n;
    std::vector<double> rows;
  };
  const Singular cases[] = {
      {"zero row", 3, {1, 2, 3, 0, 0, 0, 4, 5, 7}},
      {"zero column", 2, {0, 2, 0, 5}},
      {"repeated rows", 3, {0.1, 0.7, 0.3, 2.9, 1.3, -0.6, 0.1, 0.7, 0.3}},
      {"all zero", 2, {0, 0, 0, 0}},
      // No pivot can be chosen among values that are not numbers.
      {"not a number", 1, {std::nan("")}},
      {"not a number after elimination", 2, {1, std::nan(""), 0, 1}},
  };
  for (const Singular& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> a(c.rows.size());
    for (int i = 0; i < c.n; ++i)
      for (int j = 0; j < c.n; ++j) a[i + j * c.n] = c.rows[i * c.n + j];
    std::int32_t flag = 0;
    GetParam()(a.data(), c.n, c.n, flag);
    EXPECT_EQ(flag, 1);
  }
}

// Among equal magnitudes the last element met (rows outer, columns inner)
// becomes the pivot: [[1,1],[1,1]] pivots on (2,2), so the row 1 left over
// is [0,-1] when the zero pivot is met; a first-met pivot would leave [1,1].
TEST_P(GaussJordan, TiesTakeTheLastElement) {
  std::vector<double> a = byColumns(2, 2, {1, 1, 1, 1});
  std::int32_t flag = 0;
  GetParam()(a.data(), 2, 2, flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(a, byColumns(2, 2, {0, -1, 1, 1}));
}

TEST_P(GaussJordan, EmptyOrOversizedOrdersTouchNothing) {
  std::vector<double> a(51 * 51, 2.0);
  for (int k = 0; k < 51; ++k) a[k + 51 * k] = 3.0;
  const std::vector<double> before = a;
  struct Order {
    std::int32_t n, ld, flag;
  };
  for (const Order o : {Order{0, 51, 0}, Order{-3, 51, 0}, Order{51, 51, 1}, Order{4, 3, 1}}) {
    SCOPED_TRACE(o.n);
    std::int32_t flag = 7;
    GetParam()(a.data(), o.n, o.ld, flag);
    EXPECT_EQ(flag, o.flag);
    EXPECT_EQ(a, before);
  }
}

// Only the leading n x n block of a larger array is read and written.
TEST_P(GaussJordan, LeadingDimensionLargerThanOrder) {
  const double pad = 99.0;
  std::vector<double> a = byColumns(3, 5, {2, -1, 0, -1, 2, -1, 0, -1, 2}, pad);
  a.resize(5 * 5, pad);  // two more columns past the block
  std::int32_t flag = 7;
  GetParam()(a.data(), 3, 5, flag);
  EXPECT_EQ(flag, 0);
  const double inv[3][3] = {{0.75, 0.5, 0.25}, {0.5, 1.0, 0.5}, {0.25, 0.5, 0.75}};
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j) {
      if (i < 3 && j < 3)
        EXPECT_NEAR(a[i + 5 * j], inv[i][j], 1e-15);
      else
        EXPECT_EQ(a[i + 5 * j], pad) << i << "," << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Routines, GaussJordan, testing::Values(&GJINV, &MATINV),
                         [](const testing::TestParamInfo<Inverse>& i) {
                           return i.param == &GJINV ? std::string("GJINV") : std::string("MATINV");
                         });

TEST(CapVector, NormsAndLargestMagnitudes) {
  struct Case {
    double v[6];
    double et, er, mt, mr;
  };
  const Case cases[] = {
      {{3, 4, 0, -1, 2, -2}, 5, 3, 4, 2},
      {{0, 0, 0, 0, 0, 0}, 0, 0, 0, 0},
      {{-3, 2, -1, 0.5, -7, 7}, std::sqrt(14.0), std::sqrt(98.25), 3, 7},
      {{-1e-3, -2e-3, 0, -8, 0, 0}, std::sqrt(5e-6), 8, 2e-3, 8},
  };
  for (const Case& c : cases) {
    double et = -1, er = -1, mt = -1, mr = -1;
    CAPNRM(c.v, et, er);
    CAPMAX(c.v, mt, mr);
    EXPECT_DOUBLE_EQ(et, c.et);
    EXPECT_DOUBLE_EQ(er, c.er);
    EXPECT_DOUBLE_EQ(mt, c.mt);
    EXPECT_DOUBLE_EQ(mr, c.mr);
  }
}

TEST(MatVec6, ProductsOfABatch) {
  double A[36];
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) A[(i - 1) + 6 * (j - 1)] = 10.0 * i + j;
  // Vector 1 picks column 3; vector 2 sums each row: 60 i + 21; vector 3 is
  // the alternating sum 10 i (1-1+1-1+1-1) + (1-2+3-4+5-6) = -3.
  double X[18] = {0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, -1, 1, -1, 1, -1};
  double Y[24];
  for (double& y : Y) y = -99.0;
  MATVEC6(Y, A, X, 3);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(Y[i - 1], 10.0 * i + 3);
    EXPECT_EQ(Y[6 + i - 1], 60.0 * i + 21);
    EXPECT_EQ(Y[12 + i - 1], -3.0);
    EXPECT_EQ(Y[18 + i - 1], -99.0);  // past the batch
  }
  // In place, and nothing at all for an empty batch.
  MATVEC6(X, A, X, 1);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(X[i - 1], 10.0 * i + 3);
  MATVEC6(Y, A, X, 0);
  MATVEC6(Y, A, X, -2);
  EXPECT_EQ(Y[0], 13.0);
}

}  // namespace
}  // namespace drelm
