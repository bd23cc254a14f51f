#include "numeric/matrix.h"

#include <cmath>
#include <utility>

namespace drelm {
namespace {

constexpr std::int32_t MAXGJ = 50;  // capacity of the pivot bookkeeping

// Gauss-Jordan inverse in place with full pivoting. Only an exactly zero
// pivot, or a column chosen twice, counts as singular: the callers decide
// about ill-conditioning from their own convergence tests.
void gaussJordan(double* A, std::int32_t n, std::int32_t ld, std::int32_t& flag) {
  flag = 0;
  if (n <= 0) return;
  // The bookkeeping holds 50 steps, and the columns must fit the storage.
  if (n > MAXGJ || ld < n) {
    flag = 1;
    return;
  }
  auto a = [A, ld](std::int32_t i, std::int32_t j) -> double& { return A[(i - 1) + (j - 1) * ld]; };
  std::int32_t piv[MAXGJ + 1] = {};
  std::int32_t rowOf[MAXGJ + 1] = {};
  std::int32_t colOf[MAXGJ + 1] = {};

  for (std::int32_t s = 1; s <= n; ++s) {
    // Largest remaining element; among equal magnitudes the last one met,
    // rows outer and columns inner.
    double big = 0.0;
    std::int32_t r = 0, c = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
      if (piv[i] == 1) continue;
      for (std::int32_t j = 1; j <= n; ++j) {
        if (piv[j] == 0) {
          if (std::fabs(a(i, j)) >= big) {
            big = std::fabs(a(i, j));
            r = i;
            c = j;
          }
        } else if (piv[j] > 1) {
          flag = 1;
          return;
        }
      }
    }
    // No element compared at all: the remaining block is not a number.
    if (c == 0) {
      flag = 1;
      return;
    }
    ++piv[c];
    // Bring the pivot onto the diagonal.
    if (r != c)
      for (std::int32_t j = 1; j <= n; ++j) std::swap(a(r, j), a(c, j));
    rowOf[s] = r;
    colOf[s] = c;
    if (a(c, c) == 0.0) {
      flag = 1;
      return;
    }
    const double q = 1.0 / a(c, c);
    a(c, c) = 1.0;
    for (std::int32_t j = 1; j <= n; ++j) a(c, j) *= q;
    for (std::int32_t i = 1; i <= n; ++i) {
      if (i == c) continue;
      const double d = a(i, c);
      a(i, c) = 0.0;
      for (std::int32_t j = 1; j <= n; ++j) a(i, j) -= a(c, j) * d;
    }
  }
  // Undo the row interchanges as column interchanges, last first.
  for (std::int32_t s = n; s >= 1; --s) {
    if (rowOf[s] != colOf[s])
      for (std::int32_t i = 1; i <= n; ++i) std::swap(a(i, rowOf[s]), a(i, colOf[s]));
  }
}

}  // namespace

void GJINV(double* A, std::int32_t n, std::int32_t ld, std::int32_t& flag) {
  gaussJordan(A, n, ld, flag);
}

void MATINV(double* A, std::int32_t n, std::int32_t ld, std::int32_t& flag) {
  gaussJordan(A, n, ld, flag);
}

void CAPNRM(const double v[6], double& et, double& er) {
  et = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  er = std::sqrt(v[3] * v[3] + v[4] * v[4] + v[5] * v[5]);
}

void CAPMAX(const double v[6], double& mt, double& mr) {
  mt = std::fabs(v[0]);
  if (std::fabs(v[1]) > mt) mt = std::fabs(v[1]);
  if (std::fabs(v[2]) > mt) mt = std::fabs(v[2]);
  mr = std::fabs(v[3]);
  if (std::fabs(v[4]) > mr) mr = std::fabs(v[4]);
  if (std::fabs(v[5]) > mr) mr = std::fabs(v[5]);
}

void MATVEC6(double* Y, const double* A, const double* X, std::int32_t n) {
  for (std::int32_t k = 0; k < n; ++k) {
    const double* x = X + 6 * k;
    double y[6];
    for (int i = 0; i < 6; ++i) {
      double sum = 0.0;
      for (int j = 0; j < 6; ++j) sum += A[i + 6 * j] * x[j];
      y[i] = sum;
    }
    // Stored after the product, so that Y may be the same batch as X.
    for (int i = 0; i < 6; ++i) Y[6 * k + i] = y[i];
  }
}

}  // namespace drelm
