#include "analysis/dlnode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/model.h"
#include "model/tables.h"

namespace drelm {


namespace {

int pileCount() { return std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL); }

// Intensity of set m at distance z below the head: linear between its
// points, its end values within 1E-8 of its ends, 0 outside its range.
double setValue(int m, double z) {
  if (m < 1 || m > MAXDLS) return 0.0;
  const int n = std::min<int>(DLSETIN.NDLPT(m), MAXDLP);
  if (n < 2) return 0.0;
  const auto d = [&](int k) { return DLSETIN.DLDEP(m, k); };
  const auto v = [&](int k) { return DLSETIN.DLVAL(m, k); };
  constexpr double tol = 1.0E-8;
  if (std::fabs(z - d(1)) < tol) return v(1);
  if (std::fabs(z - d(n)) < tol) return v(n);
  if (d(1) <= z && z <= d(n)) {
    for (int k = 2; k <= n; ++k)
      if (z < d(k)) return v(k - 1) + (v(k) - v(k - 1)) * (z - d(k - 1)) / (d(k) - d(k - 1));
  }
  return 0.0;
}

void clearPiles() {
  const int np = pileCount();
  for (int p = 1; p <= np; ++p) {
    DLNODE.DLPAX(p) = 0.0;
    DLNODE.NDLNOD(p) = 0;
    for (int l = 1; l <= MAXDLP; ++l) DLNODE.DLQ1(p, l) = DLNODE.DLQ2(p, l) = 0.0;
  }
}

// One line i of case c, times f, on pile p.
void linePile(int c, int i, double f, int p) {
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  if (t < 1 || t > MAXPRPS) return;
  const int ninc = std::clamp<int>(PILEPROP.NINC(t), 0, MAXDLP - 1);
  if (ninc < 1) return;
  const double h = PILEPROP.PLEN(t) / ninc;
  const bool space = RUNCTL.IANTYP == 3;
  const bool global = CASEIN.LCDLAX(c, i) != 0;
  const bool lump = CASEIN.CASCTL(c, 14) == 1;
  const int setY = CASEIN.LCDLSY(c, i), setZ = CASEIN.LCDLSZ(c, i);
  const double fY = CASEIN.LCDLFY(c, i) * f, fZ = CASEIN.LCDLFZ(c, i) * f;
  const double sb = std::sin(PILEAR.BETA(p)), cb = std::cos(PILEAR.BETA(p));
  const double sa = std::sin(PILEAR.ALPHA(p)), ca = std::cos(PILEAR.ALPHA(p));
  const double st = std::sin(PILEAR.THETA(p)), ct = std::cos(PILEAR.THETA(p));
  const double sp = std::sin(PILEAR.PBATT(p)), cp = std::cos(PILEAR.PBATT(p));
  DLNODE.NDLNOD(p) = ninc + 1;
  double qYprev = 0.0, qZprev = 0.0;
  double z = 0.0;
  for (int l = 1; l <= ninc + 1; ++l, z += h) {
    const double qY = setValue(setY, z) * fY;
    const double qZ = space ? setValue(setZ, z) * fZ : 0.0;
    DLNODE.DLPOS(p, l) = z;
    if (!global) {
      DLNODE.DLQ1(p, l) += qY;
      if (space) DLNODE.DLQ2(p, l) += qZ;
    } else if (space) {
      // (0, qY, qZ) in global axes taken to the pile's axes.
      const double A = sb * (ca * qY + sa * qZ), B = ca * qZ - sa * qY;
      DLNODE.DLQ1(p, l) += ct * A + st * B;
      DLNODE.DLQ2(p, l) += ct * B - st * A;
      if (lump && l >= 2) {
        DLNODE.DLPAX(p) += 0.5 * h * cb * (ca * (qYprev + qY) + sa * (qZprev + qZ));
        CASECUR.DLFLAG = 1;
      }
    } else {
      DLNODE.DLQ1(p, l) += qY * cp;
      if (lump && l >= 2) {
        DLNODE.DLPAX(p) += 0.5 * h * sp * (qYprev + qY);
        CASECUR.DLFLAG = 1;
      }
    }
    qYprev = qY;
    qZprev = qZ;
  }
}

}  // namespace

void CLRDL() { clearPiles(); }

void CASEDL(const std::int32_t& c) {
  CASECUR.DLFLAG = 0;
  clearPiles();
  if (c < 1 || c > MAXLC) return;
  PILEDL(c, CASEIN.CASTOL(c, 5));
}

void COMBDL(const std::int32_t& k) {
  CASECUR.DLFLAG = 0;
  clearPiles();
  if (k < 1 || k > MAXCMB) return;
  const int n = std::clamp<int>(COMBIN.CMBCTL(k, 8), 0, MAXTRM);
  for (int e = 1; e <= n; ++e) {
    const std::int32_t c = COMBIN.CMBCTL(k, 41 + e);
    if (c < 1 || c > CASEIN.NLCASE || c > MAXLC) continue;
    PILEDL(c, CASEIN.CASTOL(c, 5) * COMBIN.CMBTOL(k, 8 + e));
  }
}

void PILEDL(const std::int32_t& c, const double& f) {
  if (c < 1 || c > MAXLC) return;
  const int lines = std::clamp<int>(CASEIN.CASCTL(c, 16), 0, MAXDLL);
  const int np = pileCount();
  for (int i = 1; i <= lines; ++i) {
    const long ini = CASEIN.LCDLPI(c, i, 1), end0 = CASEIN.LCDLPI(c, i, 2);
    const long e = end0 == 0 ? ini : end0;
    const long lo = std::min(ini, e), hi = std::min<long>(std::max(ini, e), np);
    // A negative increment counts by its magnitude: the same piles as the
    // ends given in the other order.
    long s = std::labs(static_cast<long>(CASEIN.LCDLPI(c, i, 3)));
    if (s == 0) s = hi - lo > 0 ? std::max(ini, e) - lo : 1;
    // Piles below 1 are passed over without counting through them.
    long p = lo;
    if (p < 1) p += (1 - p + s - 1) / s * s;
    for (; p <= hi; p += s) linePile(c, i, f, static_cast<int>(p));
  }
}

}  // namespace drelm
