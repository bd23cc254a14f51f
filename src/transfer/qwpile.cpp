// Tip q-w curve of a pile: the ultimate tip load from the soil record or its
// estimate, and the curve by tip soil class and installation type.
#include "transfer/qwpile.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "model/fileio.h"
#include "model/model.h"
#include "report/siconv.h"
#include "soil/defaults.h"
#include "soil/lookup.h"
#include "transfer/fsqtest.h"
#include "transfer/qwtip.h"
#include "transfer/tiptoken.h"
#include "transfer/tzpile.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }
constexpr double TINY = sp(1.0E-10f);

bool clayTip(std::int32_t t) { return t == 1 || t == 2 || t == 3 || t == 5 || t == 6 || t == 10 || t == 13 || t == 14; }

void warnTip(std::string_view text, std::string_view curve) {
#pragma omp critical(drelm_report)
  for (int u : {U_RESULTS, U_LOG}) {
    io::endRecord(u);
    io::put(u, "                             **** WARNING ****");
    io::endRecord(u);
    io::put(u, "     ");
    io::put(u, text);
    io::put(u, curve);
    io::endRecord(u);
  }
}

// Points 2 .. 10: movement factors times a length, load factors times Qmax.
void scaled(const float (&wf)[9], double len, const float (&qf)[9], double qmax, FArray<double, MAXQWP>& QWQ,
            FArray<double, MAXQWP>& QWW) {
  for (int j = 2; j <= NQWPT; ++j) {
    QWW(j) = sp(wf[j - 2]) * len;
    QWQ(j) = sp(qf[j - 2]) * qmax;
  }
}

}  // namespace

void QWCURVE(const std::int32_t& IPROP, const QWTIP& G, std::int32_t& ISTAT, FArray<double, MAXQWP>& QWQ,
             FArray<double, MAXQWP>& QWW) {
  const SOILCOM_T& S = SOILCOM;
  QWQ(1) = 0.0;
  QWW(1) = 0.0;
  const double D0 = G.D0;
  const double Dt = G.DT;
  const double At = G.AT;
  const double Xt = G.XT;
  const double zt = G.ZT;

  // Soil type of the layer holding the tip, the deepest layer below the profile.
  const int nlayer = std::clamp<int>(S.NLAYER, 1, MAXLYR);
  int layer = nlayer;
  for (int L = 1; L <= nlayer; ++L) {
    if (S.LBOT(L) > Xt) {
      layer = L;
      break;
    }
  }
  std::int32_t T = S.LTYPE(layer);
  const std::int32_t units = RUNCTL.IUNITS;

  std::int32_t st = 0;
  auto failed = [&]() {
    if (st == 0) return false;
    storeWord(ISTAT, st);
    return true;
  };
  double E50 = SOILE50(Xt);
  const double c = SOILC(Xt, st);
  if (failed()) return;
  if (E50 <= 0.0) E50DEFTY(c, E50, T, units);
  double qmax = SOILQT(Xt, st) * At;
  if (failed()) return;
  const double phi = SOILPHI(Xt, st);
  if (failed()) return;
  // A cohesive soil coded otherwise takes the clay rules.
  if (c > sp(0.1f) && phi < sp(1.0E-4f)) T = ST_STIFFDRY;

  const std::int32_t ptype = PILEPROP.PTYPE(IPROP);
  if (qmax < TINY) {
    if (isClayType(T)) {
      qmax = 9.0 * c * At;
    } else if (isSoilType(T) && !isClayType(T)) {
      if (ptype == PTYPE_DRIVEN) {
        const double gamma = GAMAVG(Xt, st);
        if (failed()) return;
        qmax = NQFACT(phi * sp(57.296f)) * zt * gamma * At;
      } else if (ptype == PTYPE_DRILLED) {
        if (phi < sp(0.5236f)) qmax = TIPQMIN();
        else if (phi < sp(0.628f)) qmax = At * sp(222.2f) * (units == 1 ? 1.0 : PSI_KPA);
        else qmax = At * sp(555.56f) * (units == 1 ? 1.0 : PSI_KPA);
      }
    }
  }
  if (isGivenTipType(T)) {
    qmax = SOILQT(Xt, st) * At;
    if (failed()) return;
    if (qmax < TINY) qmax = 9.0 * c * At;
  }

  if (ptype == PTYPE_DRIVEN && clayTip(T) && T != 5) {
    if (std::abs(E50) < sp(1.0E-14f)) {
      warnTip("THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, ", G.CURVE);
      storeWord(ISTAT, G.STE50);
      return;
    }
    if (std::abs(qmax) < sp(1.0E-14f)) {
      warnTip("THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, ", G.CURVE);
      storeWord(ISTAT, G.STCOH);
      return;
    }
  }

  constexpr float DRILLW[9] = {0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.10f};
  if (ptype == PTYPE_DRILLED) {
    constexpr float CLAYQ[9] = {0.395f, 0.56f, 0.70f, 0.865f, 0.90f, 0.95f, 0.97f, 0.98f, 0.99f};
    constexpr float SANDQ[9] = {0.175f, 0.345f, 0.485f, 0.65f, 0.73f, 0.88f, 1.015f, 1.195f, 1.46f};
    scaled(DRILLW, D0, clayTip(T) ? CLAYQ : SANDQ, qmax, QWQ, QWW);
  } else if (ptype == PTYPE_DRIVEN) {
    if (T == 5) {
      constexpr float W[9] = {0.002f, 0.013f, 0.042f, 0.073f, 0.10f, 0.12f, 0.15f, 0.18f, 0.20f};
      constexpr float Q[9] = {0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
      scaled(W, D0, Q, qmax, QWQ, QWW);
    } else if (clayTip(T)) {
      // Q = 0.5 Qmax sqrt(w / w50) with w50 = 2 Dt E50, held at Qmax beyond
      // 4 w50; written in k / 8 so that a zero diameter divides nothing.
      const double wu = 8.0 * Dt * E50;
      for (int k = 1; k <= 7; ++k) {
        QWW(k + 1) = k * wu / 8.0;
        QWQ(k + 1) = qmax * std::sqrt(k / 8.0);
      }
      QWW(9) = wu;
      QWQ(9) = qmax;
      QWW(10) = 10.0 * wu;
      QWQ(10) = qmax;
    } else {
      constexpr float W[10] = {0.0f, 0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.4f, 0.8f, 5.0f};
      const double wscale = units == 2 ? sp(0.0254f) : 1.0;
      const double phiLast = G.PHIL;
      const double n = phiLast <= 31.0 ? 0.5 : (phiLast <= 38.0 ? sp(0.333f) : 0.25);
      const double wref = sp(0.05f) * D0;
      for (int j = 2; j <= NQWPT; ++j) {
        QWW(j) = sp(W[j - 1]) * wscale;
        // A pile without diameter has no reference movement: the tip then
        // carries its ultimate load at once.
        QWQ(j) = wref > 0.0 ? qmax * std::pow(QWW(j) / wref, n) : qmax;
      }
    }
  }
}

void QWPILE(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, TzColumn& TZPHI, FArray<double, MAXAEP>& AETAB,
            FArray<double, MAXAEP>& AEDEP, TzColumn& TZDEP, FArray<double, MAXQWP>& QWQ,
            FArray<double, MAXQWP>& QWW) {
  (void)TZT;
  (void)TZZ;
  (void)TZMAX;
  const double phx = PILEAR.PHXREF(IPILE);
  TZDEP(1) = TZDEP(2) = phx + PILEAR.PGRND(IPILE);
  AETABLE(IPROP, AETAB, AEDEP);

  // Geometry of the tip; a property without sections has no diameter or area.
  const std::int32_t nsect = std::min<std::int32_t>(PILEPROP.NSECT(IPROP), MAXSRT - 1);
  QWTIP G;
  G.D0 = nsect >= 1 ? SECTAB.SDIAT(IPROP, 1) : 0.0;
  G.DT = nsect >= 1 ? SECTAB.SDIAT(IPROP, nsect) : 0.0;
  G.AT = UAX >= 0.0 ? (nsect >= 1 ? SECTAB.SAREAB(IPROP, nsect) : 0.0) : TIPAREA0();
  const double plen = PILEPROP.PLEN(IPROP);
  const double lv = RUNCTL.IBATAD == 1 ? plen * std::cos(PILEAR.PBATT(IPILE)) : plen;
  G.XT = phx + lv;
  G.ZT = G.XT - phx - PILEAR.PGRND(IPILE);
  const int nlayer = std::clamp<int>(SOILCOM.NLAYER, 1, MAXLYR);
  G.PHIL = TZPHI(std::min(sideCurveCount(nlayer), MAXTZC));
  G.STE50 = STAT_LS_E50;
  G.STCOH = STAT_LS_COH;
  G.CURVE = "LS CURVE";
  QWCURVE(IPROP, G, ISTAT, QWQ, QWW);
}

}  // namespace drelm
