// The five t-z curve shapes. Their decimal constants are single-precision
// values widened to double precision, as in the rest of the load-transfer
// curves.
#include "transfer/tzshape.h"

#include "model/model.h"
#include "report/siconv.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

// Normalised shape: z = zf(i) x D, t = tf(i) x tmax.
void normalised(std::int32_t k, double d, const float (&zf)[NTZPT], const float (&tf)[NTZPT], TzTable& tzt,
                TzTable& tzz, double tmax) {
  for (int i = 1; i <= NTZPT; ++i) {
    tzz(i, k) = sp(zf[i - 1]) * d;
    tzt(i, k) = sp(tf[i - 1]) * tmax;
  }
}

constexpr float ZDS[NTZPT] = {0.0f, 0.001f, 0.002f, 0.003f, 0.005f, 0.006f, 0.008f, 0.012f, 0.016f, 0.10f};

// Movements of the driven-pile shapes, inches.
constexpr float ZDRCLY[NTZPT] = {0.0f, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 10.0f};
constexpr float ZDRSND[NTZPT] = {0.0f, 0.01f, 0.02f, 0.04f, 0.06f, 0.08f, 0.12f, 0.16f, 0.5f, 2.5f};

// Initial slope of the sand hyperbola, lb/ft^2 per inch, from phi in degrees.
double sandSlope(double phi) {
  if (phi <= 28.0) return 6000.0;
  if (phi <= 31.0) return 6000.0 + sp(1333.3f) * (phi - 28.0);
  if (phi <= 32.0) return 10000.0;
  if (phi <= 34.0) return 10000.0 + 2000.0 * (phi - 32.0);
  if (phi <= 35.0) return 14000.0;
  if (phi <= 38.0) return 14000.0 + sp(1333.3f) * (phi - 35.0);
  return 18000.0;
}

}  // namespace

void TZDSSND(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX) {
  constexpr float TF[NTZPT] = {0.0f, 0.335f, 0.58f, 0.72f, 0.86f, 0.91f, 0.95f, 0.965f, 0.96f, 0.95f};
  normalised(K, D, ZDS, TF, TZT, TZZ, TZMAX(K));
}

void TZDSCLY(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX) {
  constexpr float TF[NTZPT] = {0.0f, 0.51f, 0.72f, 0.90f, 0.925f, 0.945f, 0.955f, 0.925f, 0.90f, 0.835f};
  normalised(K, D, ZDS, TF, TZT, TZZ, TZMAX(K));
}

void TZAPICL(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX) {
  constexpr float ZF[NTZPT] = {0.0f, 0.0016f, 0.0031f, 0.0057f, 0.008f, 0.01f, 0.02f, 0.03f, 0.05f, 0.10f};
  constexpr float TF[NTZPT] = {0.0f, 0.30f, 0.50f, 0.75f, 0.90f, 1.0f, 0.80f, 0.80f, 0.80f, 0.80f};
  normalised(K, D, ZF, TF, TZT, TZZ, TZMAX(K));
}

void TZDRCLY(const std::int32_t& K, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX) {
  constexpr float TF[NTZPT] = {0.0f, 0.18f, 0.38f, 0.79f, 0.97f, 1.0f, 0.97f, 0.93f, 0.93f, 0.93f};
  const double zscale = RUNCTL.IUNITS == 1 ? 1.0 : sp(0.0254f);
  for (int i = 1; i <= NTZPT; ++i) {
    TZZ(i, K) = sp(ZDRCLY[i - 1]) * zscale;
    TZT(i, K) = sp(TF[i - 1]) * TZMAX(K);
  }
}

void TZDRSND(const std::int32_t& K, TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, const TzColumn& TZPHI) {
  // A vanishing asymptote would divide by zero below.
  if (TZMAX(K) <= sp(1.0E-15f)) TZMAX(K) = sp(0.001f);
  const double tmax = TZMAX(K);
  const double ks = sandSlope(TZPHI(K));
  const bool english = RUNCTL.IUNITS == 1;
  for (int i = 1; i <= NTZPT; ++i) {
    const double z = sp(ZDRSND[i - 1]);
    if (english) {
      // t in psi: the slope in lb/ft^2 per inch is ks / 144 psi per inch.
      TZT(i, K) = z / (z / tmax + 144.0 / ks);
      TZZ(i, K) = z;
    } else {
      // The hyperbola in lb/ft^2 and inches, turned back to kPa and metres.
      const double f = 144.0 / PSI_KPA;
      TZT(i, K) = (z / (z / (f * tmax) + 1.0 / ks)) / f;
      TZZ(i, K) = z * sp(0.0254f);
    }
  }
}

}  // namespace drelm
