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

bool BEAMFW(int n, double h, const NodeArray& R, const NodeArray& Q, const NodeArray& K,
            const NodeArray& F, NodeArray& A, NodeArray& B, NodeArray& C) {
  const double h2 = h * h;
  const double h4 = h2 * h2;
  for (int i = 5; i <= n; ++i) {
    const double rm = R(i - 1), r0 = R(i), rp = R(i + 1);
    const double qh = Q(i) * h2;
    const double a = rm;
    const double b = -2.0 * (rm + r0) + qh;
    const double c = rm + 4.0 * r0 + rp - 2.0 * qh + K(i) * h4;
    const double d = -2.0 * (r0 + rp) + qh;
    const double e = rp;
    const double E = b + a * A(i - 2);
    const double D = c + a * B(i - 2) + E * A(i - 1);
    if (!(std::fabs(D) > BEAMPIV * std::fabs(c))) return false;
    A(i) = -(d + E * B(i - 1)) / D;
    B(i) = -e / D;
    C(i) = (F(i) * h4 - a * C(i - 2) - E * C(i - 1)) / D;
  }
  return true;
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
