// Recursion of the pentadiagonal beam-column system of a pile.
#include "pile/beamfd.h"

#include <cmath>

namespace drelm {

void BEAMHD(std::int32_t code, double RH, double s, double h, double Y, double S, NodeArray& A,
            NodeArray& B, NodeArray& C) {
  for (int i = 1; i <= 4; ++i) A(i) = B(i) = C(i) = 0.0;
  C(4) = Y;  // the head deflection is prescribed
  if (code == 1) {
    B(3) = -1.0;
    C(3) = 2.0 * Y;
  } else if (code == 2) {
    B(3) = 1.0;
    C(3) = 2.0 * h * S;
  } else {
    const double den = 2.0 * RH + h * s;
    // A spring that cancels the rigidity leaves the slot above the head free.
    if (den != 0.0) {
      B(3) = (h * s - 2.0 * RH) / den;
      C(3) = (4.0 * RH * Y + 2.0 * h * h * s * S) / den;
    }
  }
}

namespace {

// Row i of the beam-column without its soil term.
BeamRow rowAt(const NodeArray& R, const NodeArray& Q, int i, double h2) {
  const double rm = R(i - 1), r0 = R(i), rp = R(i + 1);
  const double qh = Q(i) * h2;
  return {rm, -2.0 * (rm + r0) + qh, rm + 4.0 * r0 + rp - 2.0 * qh, -2.0 * (r0 + rp) + qh, rp};
}

// Elimination of row i with soil term k4 = K h^4 and load term f4 = F h^4;
// false when its pivot is negligible against its diagonal. A failed row is
// left unwritten unless KEEP_GOING.
template <bool KEEP_GOING>
inline bool eliminate(const BeamRow& r, double k4, double f4, int i, NodeArray& A, NodeArray& B,
                      NodeArray& C) {
  const double c = r.c + k4;
  const double E = r.b + r.a * A(i - 2);
  const double D = c + r.a * B(i - 2) + E * A(i - 1);
  const bool ok = std::fabs(D) > BEAMPIV * std::fabs(c);
  if (!KEEP_GOING && !ok) return false;
  A(i) = -(r.d + E * B(i - 1)) / D;
  B(i) = -r.e / D;
  C(i) = (f4 - r.a * C(i - 2) - E * C(i - 1)) / D;
  return ok;
}

}  // namespace

bool BEAMFW(int n, double h, const NodeArray& R, const NodeArray& Q, const NodeArray& K,
            const NodeArray& F, NodeArray& A, NodeArray& B, NodeArray& C) {
  const double h2 = h * h;
  const double h4 = h2 * h2;
  for (int i = 5; i <= n; ++i)
    if (!eliminate<false>(rowAt(R, Q, i, h2), K(i) * h4, F(i) * h4, i, A, B, C)) return false;
  return true;
}

void BEAMROWS(int n, double h, const NodeArray& R, const NodeArray& Q, BeamRows& rows) {
  const double h2 = h * h;
  for (int i = 5; i <= n; ++i) rows.row[i] = rowAt(R, Q, i, h2);
}

void BEAMFW2(int n, double h, const BeamRows (&ROWS)[2], const NodeArray& K,
             const NodeArray (&F)[2], NodeArray (&A)[2], NodeArray (&B)[2], NodeArray (&C)[2],
             bool (&OK)[2]) {
  const double h2 = h * h;
  const double h4 = h2 * h2;
  // A direction whose pivot fails goes on with values nobody reads: the
  // caller discards a direction that did not eliminate.
  bool ok0 = true, ok1 = true;
  for (int i = 5; i <= n; ++i) {
    const double k4 = K(i) * h4;
    ok0 &= eliminate<true>(ROWS[0].row[i], k4, F[0](i) * h4, i, A[0], B[0], C[0]);
    ok1 &= eliminate<true>(ROWS[1].row[i], k4, F[1](i) * h4, i, A[1], B[1], C[1]);
  }
  OK[0] = ok0;
  OK[1] = ok1;
}

bool BEAMBK(int n, double h, double QT, double RT, const NodeArray& A, const NodeArray& B,
            const NodeArray& C, NodeArray& Y) {
  // y(n), y(n-1), y(n-2) as linear forms in u = y(n+1), v = y(n+2).
  const double a1 = A(n), b1 = B(n), c1 = C(n);
  const double a2 = A(n - 1) * a1 + B(n - 1), b2 = A(n - 1) * b1, c2 = A(n - 1) * c1 + C(n - 1);
  const double a3 = A(n - 2) * a2 + B(n - 2) * a1, b3 = A(n - 2) * b2 + B(n - 2) * b1;
  const double c3 = A(n - 2) * c2 + B(n - 2) * c1 + C(n - 2);
  // A tip without rigidity carries no shear term of the axial force.
  const double g = RT != 0.0 ? QT * h * h / RT : 0.0;
  // Zero moment: y(n-1) - 2 y(n) + u = 0.
  const double m11 = a2 - 2.0 * a1 + 1.0, m12 = b2 - 2.0 * b1, r1 = -(c2 - 2.0 * c1);
  // Zero shear: v - 2u + 2 y(n-1) - y(n-2) + g (u - y(n-1)) = 0.
  const double m21 = -2.0 + 2.0 * a2 - a3 + g - g * a2;
  const double m22 = 1.0 + 2.0 * b2 - b3 - g * b2;
  const double r2 = -(2.0 * c2 - c3 - g * c2);
  const double det = m11 * m22 - m12 * m21;
  if (!(std::fabs(det) > BEAMPIV * (std::fabs(m11 * m22) + std::fabs(m12 * m21)))) return false;
  Y(n + 1) = (r1 * m22 - m12 * r2) / det;
  Y(n + 2) = (m11 * r2 - m21 * r1) / det;
  for (int i = n; i >= 3; --i) Y(i) = A(i) * Y(i + 1) + B(i) * Y(i + 2) + C(i);
  return true;
}

}  // namespace drelm
