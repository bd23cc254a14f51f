#include "fecap/loads.h"

#include <cmath>

#include "fecap/edge.h"
#include "fecap/shape.h"

namespace drelm {

void SLABLOAD(PlateArrays& A) {
  FESOLV_T& F = FESOLV;
  const int nn = F.NNODE;
  const double FLOAD = F.TEND == F.TINI ? 1.0 : (F.TCUR - F.TINI) / (F.TEND - F.TINI);
  for (int j = 1; j <= F.NNLOD; ++j) {
    bool placed = false;
    for (int e = 1; e <= F.NELEM && !placed; ++e)
      for (int k = 1; k <= nn && !placed; ++k) {
        if (A.ELNOD(k, e) != A.NLNOD(j)) continue;
        placed = true;
        for (int d = 1; d <= 6; ++d) {
          const double p = FLOAD * A.NLVAL(d, j);
          if (std::fabs(p) >= 1.0E-30) A.ELRHS(6 * (k - 1) + d, e) += p;
        }
      }
  }
  for (int j = 1; j <= F.NDLOD; ++j) {
    const int e = A.DLELM(j);
    for (int k = 1; k <= nn; ++k) {
      const int n = A.ELNOD(k, e);
      F.ELXY(1, k) = A.NODXY(1, n);
      F.ELXY(2, k) = A.NODXY(2, n);
    }
    int KG = 0;
    for (int i = 1; i <= F.NGAUS; ++i)
      for (int l = 1; l <= F.NGAUS; ++l) {
        SHAPEF(F.GAUSSP(i), F.GAUSSP(l), nn);
        double DETJ = 0;
        JACOB2(e, DETJ, ++KG);
        const double w = DETJ * F.GAUSSW(i) * F.GAUSSW(l);
        for (int k = 1; k <= nn; ++k)
          for (int d = 1; d <= 6; ++d) {
            const double p = FLOAD * A.DLDVAL(d, j);
            if (std::fabs(p) >= 1.0E-30) A.ELRHS(6 * (k - 1) + d, e) += F.SHPVAL(k) * w * p;
          }
      }
  }
  for (int j = 1; j <= F.NCLOD; ++j) {
    const int e = A.CLELM(j);
    if (e < 1) continue;  // the deck reader stops on a load outside the mesh
    SHAPEF(A.CLPNT(1, j), A.CLPNT(2, j), nn);
    for (int k = 1; k <= nn; ++k)
      for (int d = 1; d <= 6; ++d) {
        const double p = FLOAD * A.CLVAL(d, j);
        if (std::fabs(p) >= 1.0E-30) A.ELRHS(6 * (k - 1) + d, e) += F.SHPVAL(k) * p;
      }
  }
  for (int j = 1; j <= F.NELOD; ++j) {
    const int e = A.EDLINT(1, j), q = A.EDLINT(2, j), d = A.EDLINT(3, j);
    const double q1 = A.EDLVAL(1, j), q2 = A.EDLVAL(2, j), q3 = A.EDLVAL(3, j);
    edgeLoop(A, e, q, [&](const int (&pos)[3], const double (&f)[3], int npos, double wl) {
      const double S = (q1 * f[0] + q2 * f[1] + (npos == 3 ? q3 * f[2] : 0.0)) * wl;
      for (int i = 0; i < npos; ++i) A.ELRHS(6 * (pos[i] - 1) + d, e) += f[i] * S;
    });
  }
}

void ASMVEC(PlateArrays& A, PArr<double>& G) {
  const FESOLV_T& F = FESOLV;
  for (int e = 1; e <= F.NELEM; ++e)
    for (int k = 1; k <= F.NNODE; ++k) {
      const int n = A.ELNOD(k, e);
      for (int d = 1; d <= 6; ++d) G(6 * (n - 1) + d) += A.ELRHS(6 * (k - 1) + d, e);
    }
}

void VADD(double* a, const double* b, std::int32_t n) {
  for (int i = 0; i < n; ++i) a[i] += b[i];
}

void VFILL(double* a, std::int32_t n, double c) {
  for (int i = 0; i < n; ++i) a[i] = c;
}

void VNORM6(const double* v, double& t, double& r, std::int32_t n) {
  double st = 0, sr = 0;
  for (int b = 0; b < n / 6; ++b) {
    for (int i = 0; i < 3; ++i) st += v[6 * b + i] * v[6 * b + i];
    for (int i = 3; i < 6; ++i) sr += v[6 * b + i] * v[6 * b + i];
  }
  t = std::sqrt(st);
  r = std::sqrt(sr);
}

}  // namespace drelm
