#include "capstiff/beamk.h"

namespace drelm {
namespace {

// Sets (i, j) and (j, i) of an n x n matrix stored by columns, 1-based.
struct Sym {
  double* m;
  int n;
  void set(int i, int j, double v) const {
    m[(i - 1) + n * (j - 1)] = v;
    m[(j - 1) + n * (i - 1)] = v;
  }
  void add(int i, int j, double v) const {
    m[(i - 1) + n * (j - 1)] += v;
    if (i != j) m[(j - 1) + n * (i - 1)] += v;
  }
};

// Bending in one plane: lateral DOF t1 / t2, rotations r1 / r2, with s = +1
// when the rotation is the slope of the displacement and -1 when it is its
// negative slope.
void bending(const Sym& k, int t1, int r1, int t2, int r2, double EI, double L, double s) {
  const double a = 12.0 * EI / (L * L * L), b = 6.0 * EI / (L * L);
  k.set(t1, t1, a);
  k.set(t2, t2, a);
  k.set(t1, t2, -a);
  k.set(t1, r1, s * b);
  k.set(t1, r2, s * b);
  k.set(r1, t2, -s * b);
  k.set(t2, r2, -s * b);
  k.set(r1, r1, 4.0 * EI / L);
  k.set(r2, r2, 4.0 * EI / L);
  k.set(r1, r2, 2.0 * EI / L);
}

// Axial-force terms of one bending plane; the translational coefficient is
// P/L on purpose (not 6P/(5L)), the rotational ones are the consistent ones.
void geometric(const Sym& k, int t1, int r1, int t2, int r2, double P, double L, double s) {
  k.add(t1, t1, -P / L);
  k.add(t2, t2, -P / L);
  k.add(t1, t2, P / L);
  k.add(t1, r1, -s * P / 10.0);
  k.add(t1, r2, -s * P / 10.0);
  k.add(r1, t2, s * P / 10.0);
  k.add(t2, r2, s * P / 10.0);
  k.add(r1, r1, -2.0 * P * L / 15.0);
  k.add(r2, r2, -2.0 * P * L / 15.0);
  k.add(r1, r2, P * L / 30.0);
}

void axial(const Sym& k, int i, int j, double v) {
  k.set(i, i, v);
  k.set(j, j, v);
  k.set(i, j, -v);
}

}  // namespace

void BEAMK(const double& EIZ, const double& EIY, const double& EA, const double& GJ,
           const double& ELEN, const double& PAXL, const std::int32_t& KGEOM, double* EK) {
  for (int i = 0; i < 144; ++i) EK[i] = 0.0;
  const Sym k{EK, 12};
  const double L = ELEN;
  axial(k, 1, 7, EA / L);
  axial(k, 4, 10, GJ / L);
  bending(k, 2, 6, 8, 12, EIZ, L, -1.0);
  bending(k, 3, 5, 9, 11, EIY, L, 1.0);
  if (KGEOM == 1) {
    geometric(k, 2, 6, 8, 12, PAXL, L, -1.0);
    geometric(k, 3, 5, 9, 11, PAXL, L, 1.0);
  }
}

void BEAMK2D(const double& EI, const double& EA, const double& ELEN, const double& PAXL,
             const std::int32_t& KGEOM, double* EK) {
  for (int i = 0; i < 36; ++i) EK[i] = 0.0;
  const Sym k{EK, 6};
  axial(k, 1, 4, EA / ELEN);
  bending(k, 2, 3, 5, 6, EI, ELEN, -1.0);
  if (KGEOM == 1) geometric(k, 2, 3, 5, 6, PAXL, ELEN, -1.0);
}

void CONDENS(double* A, double* AC, const std::int32_t& N, const std::int32_t& M, std::int32_t& IERR) {
  IERR = 0;
  for (int i = 0; i < M * M; ++i) AC[i] = 0.0;
  auto a = [&](int r, int c) -> double& { return A[(r - 1) + N * (c - 1)]; };
  for (int i = 1; i <= N - M; ++i) {
    if (a(i, i) == 0.0) {
      IERR = 1;
      return;
    }
    for (int r = i + 1; r <= N; ++r) {
      const double f = a(r, i) / a(i, i);
      for (int c = i; c <= N; ++c) a(r, c) -= f * a(i, c);
    }
  }
  const int o = N - M;
  for (int k = 1; k <= M; ++k)
    for (int l = 1; l <= M; ++l) AC[(k - 1) + M * (l - 1)] = a(o + k, o + l);
}

}  // namespace drelm
