// Supports of the plate in the element pass: nodal, distributed, concentrated
// and edge springs of the deck, and the pile heads evaluated by the pile
// analysis at the current plate displacement.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fecap/edge.h"
#include "fecap/fefmt.h"
#include "fecap/shape.h"
#include "fecap/shell.h"
#include "model/fileio.h"

namespace drelm {
namespace {

double u(PlateArrays& A, int n, int d) { return A.ASDIS(d, n) + A.TSDIS(d, n); }

void traceVector(const char* tag, const double (&v)[6]) {
  std::string s = tag;
  for (double x : v) s += fmtE(13, 5, x);
  io::put(U_FETRACE, s);
  io::endRecord(U_FETRACE);
}

}  // namespace

void SUPPORTS(std::int32_t e, ElemMat& EK, PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT) {
  FESOLV_T& F = FESOLV;
  const int nn = F.NNODE;
  // Nodal springs, once, in the first element holding their node.
  for (int k = 1; k <= nn; ++k) {
    const int n = A.ELNOD(k, e);
    for (int j = 1; j <= F.NNSTI; ++j) {
      if (A.NSNOD(j) != n) continue;
      for (int d = 1; d <= 6; ++d) {
        const int r = 6 * (k - 1) + d;
        EK(r, r) += A.NSVAL(d, j);
        A.ELRHS(r, e) -= A.NSVAL(d, j) * u(A, n, d);
      }
      A.NSNOD(j) = -A.NSNOD(j);
    }
  }
  // Distributed springs.
  for (int j = 1; j <= F.NDSTI; ++j) {
    if (A.DSELM(j) != e) continue;
    int KG = 0;
    for (int i = 1; i <= F.NGAUS; ++i)
      for (int l = 1; l <= F.NGAUS; ++l) {
        SHAPEF(F.GAUSSP(i), F.GAUSSP(l), nn);
        double DETJ = 0;
        JACOB2(e, DETJ, ++KG);
        const double w = DETJ * F.GAUSSW(i) * F.GAUSSW(l);
        for (int k = 1; k <= nn; ++k)
          for (int d = 1; d <= 6; ++d) {
            if (std::fabs(A.DSVAL(d, j)) < 1.0E-30) continue;
            const int r = 6 * (k - 1) + d;
            const double S = F.SHPVAL(k) * w * A.DSVAL(d, j);
            EK(r, r) += S;
            A.ELRHS(r, e) -= S * u(A, A.ELNOD(k, e), d);
          }
      }
  }
  // Concentrated springs.
  for (int j = 1; j <= F.NCSTI; ++j) {
    if (A.CSELM(j) != e) continue;
    SHAPEF(A.CSPNT(1, j), A.CSPNT(2, j), nn);
    for (int k = 1; k <= nn; ++k)
      for (int d = 1; d <= 6; ++d) {
        if (std::fabs(A.CSVAL(d, j)) < 1.0E-30) continue;
        const int r = 6 * (k - 1) + d;
        const double S = F.SHPVAL(k) * A.CSVAL(d, j);
        EK(r, r) += S;
        A.ELRHS(r, e) -= S * u(A, A.ELNOD(k, e), d);
      }
  }
  // Edge springs.
  for (int j = 1; j <= F.NESTI; ++j) {
    if (A.EDSINT(1, j) != e) continue;
    const int q = A.EDSINT(2, j), d = A.EDSINT(3, j);
    const double q1 = A.EDSVAL(1, j), q2 = A.EDSVAL(2, j), q3 = A.EDSVAL(3, j);
    edgeLoop(A, e, q, [&](const int (&pos)[3], const double (&f)[3], int npos, double wl) {
      const double p = q1 * f[0] + q2 * f[1] + (npos == 3 ? q3 * f[2] : 0.0);
      const double S = p * wl;
      for (int i = 0; i < npos; ++i) {
        const int r = 6 * (pos[i] - 1) + d;
        EK(r, r) += f[i] * S;
        A.ELRHS(r, e) -= f[i] * S * u(A, A.ELNOD(pos[i], e), d);
      }
    });
  }
  // Pile heads.
  if (F.ICOUPL <= 0 || F.NCTSTI <= 0 || HEADS == nullptr) return;
  for (int j = 1; j <= F.NCTSTI; ++j) {
    if (A.PHELM(j) != e) continue;
    SHAPEF(A.PHPNT(1, j), A.PHPNT(2, j), nn);
    double up[6] = {0, 0, 0, 0, 0, 0}, uc[6];
    for (int d = 1; d <= 6; ++d)
      for (int k = 1; k <= nn; ++k) up[d - 1] += F.SHPVAL(k) * u(A, A.ELNOD(k, e), d);
    plateToCap(up, uc);
    traceVector("DDD  ", up);
    traceVector("DD2  ", uc);
    double Kh[36];
    HEADS->stiffness(j, Kh, uc, ISTAT);
    // Kp = TPILE Kh TPILE^T.
    double T[36], TK[36], Kp[36];
    platePileAxes(T);
    for (int i = 0; i < 6; ++i)
      for (int c = 0; c < 6; ++c) {
        double s = 0;
        for (int l = 0; l < 6; ++l) s += T[i + 6 * l] * Kh[l + 6 * c];
        TK[i + 6 * c] = s;
      }
    for (int i = 0; i < 6; ++i)
      for (int c = 0; c < 6; ++c) {
        double s = 0;
        for (int l = 0; l < 6; ++l) s += TK[i + 6 * l] * T[c + 6 * l];
        Kp[i + 6 * c] = s;
      }
    for (int k = 1; k <= nn; ++k)
      for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b) {
          const double kba = Kp[(b - 1) + 6 * (a - 1)];
          if (std::fabs(kba) < 1.0E-30) continue;
          EK(6 * (k - 1) + a, 6 * (k - 1) + b) += F.SHPVAL(k) * (-kba);
        }
    double Fh[6], Fp[6];
    HEADS->force(j, Fh, uc, ISTAT);
    capToPlate(Fh, Fp);
    for (int k = 1; k <= nn; ++k)
      for (int d = 1; d <= 6; ++d)
        if (std::fabs(Fp[d - 1]) >= 1.0E-30) A.ELRHS(6 * (k - 1) + d, e) += F.SHPVAL(k) * Fp[d - 1];
  }
}

void supportsPassEnd(PlateArrays& A) {
  for (int j = 1; j <= FESOLV.NNSTI; ++j) A.NSNOD(j) = std::abs(A.NSNOD(j));
}

}  // namespace drelm
