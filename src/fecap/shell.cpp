#include "fecap/shell.h"

#include <vector>

#include "fecap/shape.h"
#include "model/fileio.h"

namespace drelm {
namespace {

FArray2<double, 18, 18> KMEM;
FArray2<double, 27, 27> KPLT;

}  // namespace

void DMEMB(std::int32_t m, PlateArrays& A) {
  FESOLV_T& F = FESOLV;
  F.EMEM.fill(0.0);
  const double E = A.MATPRP(1, m), v = A.MATPRP(2, m);
  const double c = E / (1 - v * v);
  F.EMEM(1, 1) = c;
  F.EMEM(2, 2) = c;
  F.EMEM(1, 2) = c * v;
  F.EMEM(2, 1) = c * v;
  F.EMEM(3, 3) = c * (1 - v) / 2;
}

void DPLATE(std::int32_t m, PlateArrays& A) {
  FESOLV_T& F = FESOLV;
  F.EPLT.fill(0.0);
  const double E = A.MATPRP(1, m), v = A.MATPRP(2, m), h = A.MATPRP(3, m);
  const double D = E * h * h * h / (12 * (1 - v * v));
  F.EPLT(1, 1) = D;
  F.EPLT(2, 2) = D;
  F.EPLT(1, 2) = D * v;
  F.EPLT(2, 1) = D * v;
  F.EPLT(3, 3) = D * (1 - v) / 2;
  // Shear rigidity 5/6 G h.
  F.EPLT(4, 4) = E * h / (2.4 * (1 + v));
  F.EPLT(5, 5) = E * h / (2.4 * (1 + v));
}

void BMEMB() {
  FESOLV_T& F = FESOLV;
  F.BMEM.fill(0.0);
  for (int k = 1; k <= F.NNODE; ++k) {
    const double nx = F.SHPCAR(1, k), ny = F.SHPCAR(2, k);
    F.BMEM(1, 2 * k - 1) = nx;
    F.BMEM(2, 2 * k) = ny;
    F.BMEM(3, 2 * k - 1) = ny;
    F.BMEM(3, 2 * k) = nx;
  }
}

void DBMEMB() {
  FESOLV_T& F = FESOLV;
  for (int c = 1; c <= 2 * F.NNODE; ++c)
    for (int i = 1; i <= 3; ++i) {
      double s = 0;
      for (int j = 1; j <= 3; ++j) s += F.EMEM(i, j) * F.BMEM(j, c);
      F.DBMEM(i, c) = s;
    }
}

void BPLATE() {
  FESOLV_T& F = FESOLV;
  F.BPLT.fill(0.0);
  for (int k = 1; k <= F.NNODE; ++k) {
    const double n = F.SHPVAL(k), nx = F.SHPCAR(1, k), ny = F.SHPCAR(2, k);
    const int w = 3 * k - 2, rx = 3 * k - 1, ry = 3 * k;
    F.BPLT(1, rx) = -nx;
    F.BPLT(2, ry) = -ny;
    F.BPLT(3, rx) = -ny;
    F.BPLT(3, ry) = -nx;
    F.BPLT(4, w) = nx;
    F.BPLT(4, rx) = -n;
    F.BPLT(5, w) = ny;
    F.BPLT(5, ry) = -n;
  }
}

void DBPLATE() {
  FESOLV_T& F = FESOLV;
  for (int c = 1; c <= 3 * F.NNODE; ++c)
    for (int i = 1; i <= 5; ++i) {
      double s = 0;
      for (int j = 1; j <= 5; ++j) s += F.EPLT(i, j) * F.BPLT(j, c);
      F.DBPLT(i, c) = s;
    }
}

void SHELLEL(std::int32_t e, ElemMat& EK, PlateArrays& A) {
  FESOLV_T& F = FESOLV;
  const int nn = F.NNODE, nevab = F.NEVAB;
  SHAPEF(0.0, 0.0, nn);
  const int m = A.ELMAT(e);
  double xc = 0, yc = 0;
  for (int k = 1; k <= nn; ++k) {
    const int n = A.ELNOD(k, e);
    F.ELXY(1, k) = A.NODXY(1, n);
    F.ELXY(2, k) = A.NODXY(2, n);
    xc += F.SHPVAL(k) * F.ELXY(1, k);
    yc += F.SHPVAL(k) * F.ELXY(2, k);
  }
  EK.fill(0.0);
  KMEM.fill(0.0);
  KPLT.fill(0.0);
  const double h = A.MATPRP(3, m);
  DPLATE(m, A);
  DMEMB(m, A);
  double Jp = 0;
  int KG = 0;
  for (int i = 1; i <= F.NGAUS; ++i)
    for (int j = 1; j <= F.NGAUS; ++j) {
      ++KG;
      SHAPEF(F.GAUSSP(i), F.GAUSSP(j), nn);
      double DETJ = 0;
      JACOB2(e, DETJ, KG);
      const double w = DETJ * F.GAUSSW(i) * F.GAUSSW(j);
      BPLATE();
      DBPLATE();
      for (int a = 1; a <= 3 * nn; ++a)
        for (int b = a; b <= 3 * nn; ++b) {
          double s = 0;
          for (int c = 1; c <= 5; ++c) s += F.BPLT(c, a) * F.DBPLT(c, b);
          KPLT(a, b) += s * w;
        }
      for (int a = 1; a <= 3 * nn; ++a)
        for (int c = 1; c <= 5; ++c) F.DBPGP(c, a, KG) = F.DBPLT(c, a);
      const double wm = h != 0.0 ? h * w : w;
      BMEMB();
      DBMEMB();
      for (int a = 1; a <= 2 * nn; ++a)
        for (int b = a; b <= 2 * nn; ++b) {
          double s = 0;
          for (int c = 1; c <= 3; ++c) s += F.BMEM(c, a) * F.DBMEM(c, b);
          KMEM(a, b) += s * wm;
        }
      for (int a = 1; a <= 2 * nn; ++a)
        for (int c = 1; c <= 3; ++c) F.DBMGP(c, a, KG) = F.DBMEM(c, a);
      const double dx = F.GPXY(1, KG) - xc, dy = F.GPXY(2, KG) - yc;
      Jp += w * (dx * dx + dy * dy);
    }
  const double E = A.MATPRP(1, m), v = A.MATPRP(2, m);
  const double KDRILL = Jp * 0.5 * E / (1 + v) / h;
  for (int a = 1; a <= 3 * nn; ++a)
    for (int b = a + 1; b <= 3 * nn; ++b) KPLT(b, a) = KPLT(a, b);
  for (int a = 1; a <= 2 * nn; ++a)
    for (int b = a + 1; b <= 2 * nn; ++b) KMEM(b, a) = KMEM(a, b);
  for (int k = 1; k <= nn; ++k)
    for (int l = 1; l <= nn; ++l) {
      for (int p = 1; p <= 2; ++p)
        for (int q = 1; q <= 2; ++q) EK(6 * (k - 1) + p, 6 * (l - 1) + q) = KMEM(2 * (k - 1) + p, 2 * (l - 1) + q);
      for (int p = 1; p <= 3; ++p)
        for (int q = 1; q <= 3; ++q)
          EK(6 * (k - 1) + 2 + p, 6 * (l - 1) + 2 + q) = KPLT(3 * (k - 1) + p, 3 * (l - 1) + q);
    }
  // The drilling stiffness is lumped with the shape values of the last Gauss point.
  for (int k = 1; k <= nn; ++k) EK(6 * k, 6 * k) = F.SHPVAL(k) * KDRILL;
  // Internal forces at the current total displacement.
  for (int r = 1; r <= nevab; ++r) {
    double s = 0;
    for (int c = 1; c <= nevab; ++c) {
      const int k = (c - 1) / 6 + 1, d = c - 6 * (k - 1);
      const int n = A.ELNOD(k, e);
      s += EK(r, c) * (A.ASDIS(d, n) + A.TSDIS(d, n));
    }
    A.ELRHS(r, e) -= s;
  }
}

void SHELLSTF(PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT) {
  FESOLV_T& F = FESOLV;
  static ElemMat EK;
  const int nevab = F.NEVAB;
  std::vector<double> rec(1215 + 486 + 18);
  for (int e = 1; e <= F.NELEM; ++e) {
    SHELLEL(e, EK, A);
    SUPPORTS(e, EK, A, HEADS, ISTAT);
    for (int b = 1; b <= nevab; ++b)
      for (int a = 1; a <= nevab; ++a) A.ELSTIF(a, b, e) = EK(a, b);
    std::copy(F.DBPGP.v, F.DBPGP.v + 1215, rec.begin());
    std::copy(F.DBMGP.v, F.DBMGP.v + 486, rec.begin() + 1215);
    std::copy(F.GPXY.v, F.GPXY.v + 18, rec.begin() + 1701);
    io::writeRecord(U_FEELEM, rec.data(), rec.size() * sizeof(double));
  }
  supportsPassEnd(A);
}

}  // namespace drelm
