#include "cap/pod.h"

#include "model/model_envpil.h"
#include "numeric/minmax.h"

namespace drelm {

void podRow(int i, const double* XPOD, double* c) {
  const double x = XPOD[0], y = XPOD[1], z = XPOD[2];
  for (int j = 0; j < 6; ++j) c[j] = 0.0;
  c[i - 1] = 1.0;
  // The translation at the point is u + theta x r.
  if (i == 1) {
    c[4] = z;
    c[5] = -y;
  } else if (i == 2) {
    c[3] = -z;
    c[5] = x;
  } else if (i == 3) {
    c[3] = y;
    c[4] = -x;
  }
}

void PODSYS(double* A, const double* K, const double* XPOD, const std::int32_t* KPOD) {
  podSystem<6>(A, K, KPOD, [&](int i, double* c) { podRow(i + 1, XPOD, c); });
}

// The plane twin PODRHS2D stays apart: it sums c.U from its first term, this
// one from zero, which differ in the sign of a zero result.
void PODRHS(double* RHS, double* AUX, const double* R, const double* F, const double* UPOD,
            const double* U, const double* XPOD, const std::int32_t* KPOD) {
  for (int i = 0; i < 6; ++i) {
    RHS[i] = R[i];
    AUX[i] = F[i];
  }
  for (int i = 1; i <= 6; ++i) {
    if (KPOD[i - 1] != 0) {
      RHS[5 + i] = AUX[5 + i] = 0.0;
      continue;
    }
    double c[6];
    podRow(i, XPOD, c);
    double cu = 0.0;
    for (int j = 0; j < 6; ++j) cu += c[j] * U[j];
    AUX[5 + i] = UPOD[i - 1];
    RHS[5 + i] = UPOD[i - 1] - cu;
  }
}

void PODSOL(double* S, const double* B, const double* RHS, int M) {
  for (int i = 0; i < M; ++i) {
    double s = 0.0;
    for (int j = 0; j < M; ++j) s += B[i + M * j] * RHS[j];
    S[i] = s;
  }
}

void VNEG6(const double* X, double* Y) {
  for (int i = 0; i < 6; ++i) Y[i] = -X[i];
}

void TOPOINT(const double* U, double* P, const double* XPOD, double* UP, double* PP,
             const double* PPOD, const std::int32_t* KPOD, std::int32_t& FLAG) {
  const double x = XPOD[0], y = XPOD[1], z = XPOD[2];
  FLAG = 0;
  if (x == 0.0 && y == 0.0 && z == 0.0) return;
  UP[0] = U[0] - y * U[5] + z * U[4];
  UP[1] = U[1] - z * U[3] + x * U[5];
  UP[2] = U[2] - x * U[4] + y * U[3];
  for (int i = 3; i < 6; ++i) UP[i] = U[i];
  FLAG = 1;
  const double p1 = P[0], p2 = P[1], p3 = P[2];
  givenLoads(P, PP, PPOD, KPOD, 3);
  PP[3] = KPOD[3] == 1 ? PPOD[3] : P[3] - y * p3 + z * p2;
  PP[4] = KPOD[4] == 1 ? PPOD[4] : P[4] + x * p3 - z * p1;
  PP[5] = KPOD[5] == 1 ? PPOD[5] : P[5] - x * p2 + y * p1;
}

void givenLoads(double* P, double* PP, const double* PPOD, const std::int32_t* KPOD, int N) {
  for (int i = 0; i < N; ++i) {
    if (KPOD[i] == 1) {
      PP[i] = PPOD[i];
      P[i] = PPOD[i];
    } else {
      PP[i] = P[i];
    }
  }
}

void PODMARK(const std::int32_t* KPOD, char* ROW1, char* ROW2, int N) {
  for (int i = 0; i < N; ++i) {
    ROW1[i] = KPOD[i] != 0 ? '*' : ' ';
    ROW2[i] = KPOD[i] != 0 ? ' ' : '*';
  }
}

void CAPENV(const double* P, const double* U) {
  for (int i = 1; i <= 6; ++i) {
    if (ENVPIL.ENVFST == 1) {
      ENVPIL.CAPFMN(i) = ENVPIL.CAPFMX(i) = P[i - 1];
      ENVPIL.CAPDMN(i) = ENVPIL.CAPDMX(i) = U[i - 1];
    }
    DMIN(ENVPIL.CAPFMN(i), P[i - 1]);
    DMAX(ENVPIL.CAPFMX(i), P[i - 1]);
    DMIN(ENVPIL.CAPDMN(i), U[i - 1]);
    DMAX(ENVPIL.CAPDMX(i), U[i - 1]);
  }
}

}  // namespace drelm
