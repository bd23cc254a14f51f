// Side t-z curves of a pile: the curve depths from the soil layers, the
// ultimate side friction from the soil record or its estimate, and the shape
// by installation type and soil type.
#include "transfer/tzpile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/fileio.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "transfer/fsqtest.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }
constexpr double TINY = sp(1.0E-10f);


// Adhesion factor of driven piles from the strength ratio c / s.
double alphaFactor(double c, double s) {
  // Without overburden a positive strength makes the ratio unbounded and
  // alpha 0 (raised to 1 below for a weak clay); c / 0 is never formed.
  double psi = s != 0.0 ? c / s : (c > 0.0 ? HUGE_VAL : TINY);
  if (!(psi > TINY)) psi = TINY;
  double alpha = psi <= 1.0 ? sp(0.5f) / std::sqrt(psi) : sp(0.5f) / std::pow(psi, sp(0.25f));
  const std::int32_t u = RUNCTL.IUNITS;
  if (alpha < sp(0.5f) && (u == 1 || u == 2) && c < WEAKCLAY()) alpha = 1.0;
  return alpha;
}

// Beta of drilled shafts from the depth below the ground, in feet.
double betaFactor(double depth) {
  const double zf = std::max(depth / (RUNCTL.IUNITS == 2 ? sp(0.3048f) : sp(12.0f)), sp(1.0E-7f));
  return std::clamp(sp(1.5f) - sp(0.135f) * std::sqrt(zf), sp(0.25f), sp(1.2f));
}

// Estimated unit side friction at X for soil type t; false on a failed look-up.
bool estimate(std::int32_t ptype, std::int32_t t, double X, double z, double depthBelowGround, double& fs,
              std::int32_t& st) {
  if (t == ST_USERPY || t == ST_ELASTIC) return true;  // user curves and elastic subgrade: no estimate
  const double gamma = GAMAVG(X, st);
  if (st != 0) return false;
  const double phi = SOILPHI(X, st);
  if (st != 0) return false;
  const double c = SOILC(X, st);
  if (st != 0) return false;
  if (z < TINY) z = 1.0;
  const double s = gamma * z;
  if (ptype == PTYPE_DRIVEN) {
    const double sand = sp(0.8f) * s * std::tan(phi - sp(0.087f));
    if (isClaySideType(t)) fs = alphaFactor(c, s) * c;
    else if (isRockType(t)) fs = sp(0.1f) * c;
    else if (isSandType(t)) fs = sand;
    else if (t == ST_SILT) fs = sand + alphaFactor(c, s) * c;
  } else if (ptype == PTYPE_DRILLED) {
    const double beta = betaFactor(depthBelowGround);
    if (isClaySideType(t)) fs = sp(0.55f) * c;
    else if (isRockType(t)) fs = sp(0.1f) * c;
    else if (isSandType(t)) fs = beta * s;
    else if (t == ST_SILT) fs = sp(0.55f) * c + beta * s;
  }
  return true;
}

void applyShape(std::int32_t ptype, std::int32_t t, int P, double D, TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX,
                const TzColumn& TZPHI) {
  const bool sandLike = isFrictionalType(t);
  if (ptype == PTYPE_DRIVEN) {
    if (sandLike) TZDRSND(P, TZT, TZZ, TZMAX, TZPHI);
    else if (t == ST_USERPY || t == ST_ELASTIC) TZAPICL(P, D, TZT, TZZ, TZMAX);
    else TZDRCLY(P, TZT, TZZ, TZMAX);
  } else if (ptype == PTYPE_DRILLED) {
    // A user-curve layer counts as sand when it has a friction angle; at
    // exactly one degree it keeps the clay shape.
    if (sandLike || (t == ST_USERPY && TZPHI(P) > 1.0)) TZDSSND(P, D, TZT, TZZ, TZMAX);
    else TZDSCLY(P, D, TZT, TZZ, TZMAX);
  }
}

// More layers than the curve set has slots for: refuse them whole rather
// than write past its columns.
void tooManyCurves(std::int32_t nlayer) {
  char text[120];
  std::snprintf(text, sizeof text, "     %d SOIL LAYERS NEED %d SIDE T-Z CURVES; AT MOST %d FIT THE CURVE SET",
                static_cast<int>(nlayer), sideCurveCount(nlayer), MAXTZC);
#pragma omp critical(drelm_report)
  for (int u : {U_RESULTS, U_LOG}) {
    io::endRecord(u);
    io::put(u, "                             **** FATAL ERROR ****");
    io::endRecord(u);
    io::put(u, text);
    io::endRecord(u);
  }
}

}  // namespace

void TZPILE(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, TzColumn& TZPHI, FArray<double, MAXAEP>& AETAB,
            FArray<double, MAXAEP>& AEDEP, FArray<std::int32_t, MAXTZC>& TZNPT, TzColumn& TZDEP) {
  (void)UAX;
  const SOILCOM_T& S = SOILCOM;
  // A record without layers keeps the two ground curves, whose look-ups
  // then report the empty profile.
  const std::int32_t nlayer = std::max<std::int32_t>(S.NLAYER, 0);
  const int ncrv = sideCurveCount(nlayer);
  if (ncrv > MAXTZC) {
    tooManyCurves(nlayer);
    storeWord(ISTAT, STAT_CAPACITY);
    return;
  }

  // Curve depths: two at the ground, then three per layer.
  const double phx = PILEAR.PHXREF(IPILE);
  const double ground = phx + PILEAR.PGRND(IPILE);
  const double e = RUNCTL.IUNITS == 2 ? sp(0.00254f) : sp(0.1f);
  FArray<std::int32_t, MAXTZC> type;
  TZDEP(1) = TZDEP(2) = ground;
  type(1) = type(2) = S.LTYPE(1);
  for (int L = 1; L <= nlayer; ++L) {
    const double top = (L == 1 ? ground : S.LTOP(L)) + e;
    const int P = 3 * L;
    TZDEP(P) = top;
    TZDEP(P + 1) = (top + S.LBOT(L)) / 2.0;
    TZDEP(P + 2) = S.LBOT(L) - e;
    type(P) = type(P + 1) = type(P + 2) = S.LTYPE(L);
  }

  AETABLE(IPROP, AETAB, AEDEP);

  const std::int32_t ptype = PILEPROP.PTYPE(IPROP);
  const double D = PILEPROP.NSECT(IPROP) >= 1 ? SECTAB.SDIAT(IPROP, 1) : 0.0;
  for (int P = 1; P <= ncrv; ++P) {
    const double X = TZDEP(P);
    const double z = X - PILEAR.PGRND(IPILE) - phx;
    std::int32_t st = 0;
    double fs = SOILFS(X, st);
    if (st == 0 && fs < TINY) estimate(ptype, type(P), X, z, X - TZDEP(1), fs, st);
    if (st != 0) {
      storeWord(ISTAT, st);
      return;
    }
    // The ground itself transfers next to nothing.
    TZMAX(P) = P <= 2 ? sp(1.0E-6f) : fs;
    TZPHI(P) = SOILPHB(X, st) * 180.0 / sp(3.1416f);
    if (st != 0) {
      storeWord(ISTAT, st);
      return;
    }
    TZNPT(P) = NTZPT;
    applyShape(ptype, type(P), P, D, TZT, TZZ, TZMAX, TZPHI);
  }
}

bool TZFSEST(std::int32_t PTYPE, std::int32_t T, double X, double z, double DEPTH, double& FS, std::int32_t& ST) {
  return estimate(PTYPE, T, X, z, DEPTH, FS, ST);
}

void TZSHAPE(std::int32_t PTYPE, std::int32_t T, int P, double D, TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX,
             const TzColumn& TZPHI) {
  applyShape(PTYPE, T, P, D, TZT, TZZ, TZMAX, TZPHI);
}

}  // namespace drelm
