// Loads or displacements given at a point of the rigid cap: the bordered
// system that enforces given displacements in the cap's Newton steps, the
// transfer of the result to the point, and the cap envelope.
#pragma once

#include <cstdint>

#include "cap/capiter.h"
#include "numeric/matrix.h"

namespace drelm {

// A (12 x 12 by columns) = K (6 x 6) bordered by one constraint row and
// column per given displacement (KPOD(i) = 0) and an identity row for each
// given load.
void PODSYS(double* A, const double* K, const double* XPOD, const std::int32_t* KPOD);

// The system of the point-of-definition solve with N cap degrees of freedom
// (6 space, 3 plane), 2N square by columns: the stiffness K, and per degree i
// either a fixed row (KPOD) or the row(i, c) of the point's displacement in
// terms of the cap's, with its transpose.
template <int N, class Row>
void podSystem(double* A, const double* K, const std::int32_t* KPOD, Row row) {
  constexpr int M = 2 * N;
  for (int k = 0; k < M * M; ++k) A[k] = 0.0;
  for (int j = 0; j < N; ++j)
    for (int i = 0; i < N; ++i) A[i + M * j] = K[i + N * j];
  for (int i = 0; i < N; ++i) {
    const int r = N + i;
    if (KPOD[i] != 0) {
      A[r + M * r] = 1.0;
      continue;
    }
    double c[N];
    row(i, c);
    for (int j = 0; j < N; ++j) A[r + M * j] = A[j + M * r] = c[j];
  }
}

// S = B RHS (M x M by M: 12 space, 6 plane).
void PODSOL(double* S, const double* B, const double* RHS, int M);

// One Newton increment dU of the cap (N degrees of freedom) with a point of
// definition: the tangent K (its off-diagonal terms limited in iteration 1)
// bordered into A by SYSTEM(A, K), on the dump through LINE, inverted, then
// the solution s of the right-hand side RIGHTSIDE(rhs, aux) writes. False
// (nothing solved) when the system is singular.
template <int N, class System, class RightSide>
bool podIncrement(std::int32_t b, double* K, DumpLine LINE, System SYSTEM, RightSide RIGHTSIDE, double* A,
                  double* rhs, double* aux, double* s, double* dU) {
  if (b == 1) limitOffDiagonal(K, N);
  SYSTEM(A, K);
  dumpRows(LINE, "SE", A, 2 * N);
  std::int32_t singular = 0;
  MATINV(A, 2 * N, 2 * N, singular);
  if (singular != 0) return false;
  RIGHTSIDE(rhs, aux);
  PODSOL(s, A, rhs, 2 * N);
  for (int i = 0; i < N; ++i) dU[i] = s[i];
  return true;
}

// Right-hand side of the bordered system and its auxiliary vector: the cap
// residual R and force F, then per degree of freedom the given displacement
// minus the point's current displacement (0 where the load is given).
void PODRHS(double* RHS, double* AUX, const double* R, const double* F, const double* UPOD,
            const double* U, const double* XPOD, const std::int32_t* KPOD);

// Y = -X (6 values).
void VNEG6(const double* X, double* Y);

// Displacement UP and load PP at the point for the cap displacement U and
// the load P at the origin; the given loads PPOD (times the load fraction)
// replace the transferred ones where KPOD is 1, and replace P(1..3) too.
// FLAG 0 when the point is the origin (nothing else is written), else 1.
void TOPOINT(const double* U, double* P, const double* XPOD, double* UP, double* PP,
             const double* PPOD, const std::int32_t* KPOD, std::int32_t& FLAG);

// The first N loads at the point: the given one PPOD where KPOD is 1, which
// replaces P too, else P.
void givenLoads(double* P, double* PP, const double* PPOD, const std::int32_t* KPOD, int N);

// Marks of the N given quantities: ROW1 "*" where the load is given, ROW2 "*"
// where the displacement is given.
void PODMARK(const std::int32_t* KPOD, char* ROW1, char* ROW2, int N);

// Widens the cap envelope over the load P and displacement U (the first
// analysed case of a series starts it).
void CAPENV(const double* P, const double* U);

// Row i (1..6) of the rigid transfer from the origin to the point.
void podRow(int i, const double* XPOD, double* c);

}  // namespace drelm
