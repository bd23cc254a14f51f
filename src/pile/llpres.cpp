// Forces and section checks along a pile of a converged lateral solution.
#include "pile/llpres.h"

#include <cmath>

#include "model/model.h"
#include "soil/lookup.h"

namespace drelm {

void LLPFORC(double h, LLPRES& r) {
  const int n = r.NN + 3;
  const double h2 = h * h;
  for (int d = 0; d < 2; ++d) {
    const NodeArray& y = r.Y[d];
    r.S[d] = NodeArray{};
    r.M[d] = NodeArray{};
    r.V[d] = NodeArray{};
    r.P[d] = NodeArray{};
    for (int i = 4; i <= n + 1; ++i) {
      r.S[d](i) = (y(i + 1) - y(i - 1)) / (2.0 * h);
      r.M[d](i) = -r.R[d](i) * (y(i - 1) - 2.0 * y(i) + y(i + 1)) / h2;
    }
    r.V[d](4) = r.Q[d](4) * r.S[d](4) - (r.M[d](5) - r.M[d](4)) / h;
    for (int i = 5; i <= n; ++i)
      r.V[d](i) = r.Q[d](i) * r.S[d](i) - (r.M[d](i + 1) - r.M[d](i - 1)) / (2.0 * h);
    for (int i = 4; i <= n; ++i) r.P[d](i) = r.ESOIL(i) * y(i);
  }
}

void LLPSECT(const std::int32_t& IPILE, LLPRES& r) {
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const double rfb = CASECUR.RFBEND, rfs = CASECUR.RFSHR;
  r.BSTRESS = NodeArray{};
  r.CSTRESS = NodeArray{};
  r.BRATIO = NodeArray{};
  r.SRATIO = NodeArray{};
  for (int k = 1; k <= r.NN; ++k) {
    const int i = k + 3;
    const double x = PILENODE.XPILE(p, k);
    const double m1 = r.M[0](i), m2 = r.M[1](i);
    double bend;
    if (SECTYP(IPILE, t, x) < 2) {
      const double D = SECDIAM(IPILE, t, x);
      const double iz = SECIZ(IPILE, t, x), iy = SECIY(IPILE, t, x);
      const double s1 = iz != 0.0 ? m1 * D / (2.0 * iz) : 0.0;
      const double s2 = iy != 0.0 ? m2 * D / (2.0 * iy) : 0.0;
      bend = std::sqrt(s1 * s1 + s2 * s2);
    } else {
      const double iz = SECIZ(IPILE, t, x), iy = SECIY(IPILE, t, x);
      const double s1 = iz != 0.0 ? m1 * SECDIM1(IPILE, t, x) / (2.0 * iz) : 0.0;
      const double s2 = iy != 0.0 ? m2 * SECDIM2(IPILE, t, x) / (2.0 * iy) : 0.0;
      bend = std::fabs(s1) + std::fabs(s2);
    }
    const double area = SECAREA(IPILE, t, x);
    r.BSTRESS(i) = bend;
    r.CSTRESS(i) = (area != 0.0 ? std::fabs(r.Q[0](i)) / area : 0.0) + bend;
    const double mn = SECMN(IPILE, t, x), vn = SECVN(IPILE, t, x);
    if (mn > 1.0E-14 && rfb != 0.0) r.BRATIO(i) = std::sqrt(m1 * m1 + m2 * m2) / mn / rfb;
    const double v1 = r.V[0](i), v2 = r.V[1](i);
    if (vn > 1.0E-14 && rfs != 0.0) r.SRATIO(i) = std::sqrt(v1 * v1 + v2 * v2) / vn / rfs;
  }
}

}  // namespace drelm
