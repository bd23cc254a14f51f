// Small dense matrix routines. Matrices are stored by columns with leading
// dimension ld; element (i, j), counted from 1, is a[(i-1) + (j-1)*ld].
#pragma once

#include <cstdint>

namespace drelm {

// In-place inverse by Gauss-Jordan elimination with full pivoting (n <= 50).
// flag = 1 when the matrix is singular; A is then unusable.
void GJINV(double* A, std::int32_t n, std::int32_t ld, std::int32_t& flag);
void MATINV(double* A, std::int32_t n, std::int32_t ld, std::int32_t& flag);
void CAPNRM(const double v[6], double& et, double& er);
void CAPMAX(const double v[6], double& mt, double& mr);
// Y(:,k) = A X(:,k) for k = 1..n, 6 x 6 matrix by columns.
void MATVEC6(double* Y, const double* A, const double* X, std::int32_t n);

}  // namespace drelm
