// Pile-head load-settlement curve by the t-z method: side t-z curves along
// the pile, a tip q-w curve, and for nine tip movements the march of load
// and movement from the tip up to the head.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "report/prpftl.h"
#include "report/siconv.h"
#include "soil/defaults.h"
#include "soil/lookup.h"
#include "model/axtz.h"
#include "transfer/fsqtest.h"
#include "transfer/hcwork.h"
#include "transfer/headcurves.h"
#include "transfer/tiptoken.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

using hc::blanks;
using hc::out;
using hc::shown;

// The side curves as generated, on the head-curve file.
void writeTzTable(std::int32_t icurv, const HCWORK& W) {
  const int u = U_HEADCRV;
  const UNITLB_T& L = UNITLB;
  out(u, "");
  out(u, "");
  out(u, blanks(5) + "T-Z CURVES, PILE PROPERTY:" + intField(3, icurv));
  out(u, "");
  out(u, blanks(10) + "CURVE" + blanks(3) + "N. POINTS" + blanks(5) + "DEPTH" + blanks(11) + "T Value" + blanks(9) +
             "Z Value");
  out(u, blanks(32) + "(" + L.ULLEN3.str() + ")" + blanks(11) + "(" + L.ULSTR5.str() + ")" + blanks(10) + "(" +
             L.ULLEN3.str() + ")");
  for (int k = 1; k <= W.NCRV; ++k) {
    out(u, blanks(8) + intField(5, k) + intField(11, W.TZNPT(k)) + EFIELD(16, 4, W.TZDEP(k)));
    for (int i = 1; i <= W.TZNPT(k); ++i) out(u, blanks(40) + EFIELD(17, 4, W.TZT(i, k)) + EFIELD(16, 4, W.TZZ(i, k)));
  }
}

void writeQwTable(std::int32_t icurv, const HCWORK& W) {
  const int u = U_HEADCRV;
  out(u, "");
  out(u, blanks(5) + "Q-W CURVE, PILE PROPERTY:" + intField(3, icurv));
  out(u, "");
  out(u, blanks(9) + "Q Value" + blanks(12) + "W Value");
  out(u, blanks(10) + "(" + UNITLB.ULFRC3.str() + ")" + blanks(14) + "(" + UNITLB.ULLEN3.str() + ")");
  for (int j = 1; j <= NHCQW; ++j) out(u, EFIELD(18, 4, W.QWQ(j)) + EFIELD(19, 4, W.QWW(j)));
}

bool clayTip(std::int32_t t) { return t == 1 || t == 2 || t == 3 || t == 5 || t == 6 || t == 10 || t == 13 || t == 14; }

// Tip q-w curve from the tip soil and the tip capacity; false with ISTAT set
// when a driven pile's clay tip has no E50 or no capacity.
bool tipCurve(std::int32_t ptype, std::int32_t ts, double e50, double qmax, double D, double dtip,
              HCWORK& W, std::int32_t& ISTAT) {
  W.QWQ(1) = 0.0;
  W.QWW(1) = 0.0;
  const bool driven = ptype == PTYPE_DRIVEN;
  if (!clayTip(ts) && driven) {
    static constexpr float MOV[NHCQW] = {0.0f, 0.0001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.2f, 0.4f, 0.8f, 5.0f};
    const double phi = W.TZPHI(W.NCRV);
    const double n = phi <= 31.0 ? sp(0.5f) : (phi <= 38.0 ? sp(0.333f) : sp(0.25f));
    const double ref = sp(0.05f) * D;
    const double scale = RUNCTL.IUNITS == 2 ? sp(0.0254f) : 1.0;
    for (int j = 2; j <= NHCQW; ++j) {
      W.QWW(j) = sp(MOV[j - 1]) * scale;
      W.QWQ(j) = qmax * std::pow(W.QWW(j) / ref, n);
    }
    return true;
  }
  if (!driven) {
    static constexpr float WD[NHCQW] = {0.0f, 0.005f, 0.01f, 0.015f, 0.025f, 0.03f, 0.04f, 0.05f, 0.07f, 0.10f};
    static constexpr float QS[NHCQW] = {0.0f, 0.175f, 0.345f, 0.485f, 0.65f, 0.73f, 0.88f, 1.015f, 1.195f, 1.46f};
    static constexpr float QC[NHCQW] = {0.0f, 0.395f, 0.56f, 0.70f, 0.865f, 0.90f, 0.95f, 0.97f, 0.98f, 0.99f};
    const float* q = clayTip(ts) ? QC : QS;
    for (int j = 2; j <= NHCQW; ++j) {
      W.QWW(j) = sp(WD[j - 1]) * D;
      W.QWQ(j) = sp(q[j - 1]) * qmax;
    }
    return true;
  }
  if (ts == 5) {
    static constexpr float WD[NHCQW] = {0.0f, 0.002f, 0.013f, 0.042f, 0.073f, 0.10f, 0.12f, 0.15f, 0.18f, 0.20f};
    static constexpr float QF[NHCQW] = {0.0f, 0.25f, 0.50f, 0.75f, 0.90f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    for (int j = 2; j <= NHCQW; ++j) {
      W.QWW(j) = sp(WD[j - 1]) * D;
      W.QWQ(j) = sp(QF[j - 1]) * qmax;
    }
    return true;
  }
  // Driven pile in clay: Q = 0.5 Qmax sqrt(w / w50), w50 = 2 D E50, held at
  // Qmax beyond 4 w50.
  if (std::fabs(e50) < sp(1.0E-14f)) {
    HCWARN("THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE");
    ISTAT = STAT_LS_E50;
    return false;
  }
  if (std::fabs(qmax) < sp(1.0E-14f)) {
    HCWARN("THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE");
    ISTAT = STAT_LS_COH;
    return false;
  }
  const double wm = 8.0 * dtip * e50;
  for (int j = 2; j <= 8; ++j) {
    W.QWW(j) = (j - 1) * wm / 8.0;
    W.QWQ(j) = qmax * std::sqrt((j - 1) / 8.0);
  }
  W.QWW(9) = wm;
  W.QWQ(9) = qmax;
  W.QWW(10) = 10.0 * wm;
  W.QWQ(10) = qmax;
  return true;
}

// Tip load at the tip movement w0; beyond the last point the last segment
// goes on.
double tipLoad(const HCWORK& W, double w0) {
  int j = NHCQW;
  for (int i = 2; i <= NHCQW; ++i) {
    if (W.QWW(i) >= w0) {
      j = i;
      break;
    }
  }
  const double dw = W.QWW(j) - W.QWW(j - 1);
  if (dw == 0.0) return W.QWQ(j);
  return W.QWQ(j - 1) + (W.QWQ(j) - W.QWQ(j - 1)) * (w0 - W.QWW(j - 1)) / dw;
}

// One element line of the listing, assembled in place: the listing has a
// line per element of every generated curve.
void listLine(int e, double s, double P, double Wm, bool uplift) {
  char line[3 + 5 + 10 + 2 + 15 + 5 + 15 + 1];
  char* c = line;
  c = std::fill_n(c, 3, ' ');
  c = intFieldTo(c, 5, e);
  c = fixedFieldTo(c, 10, 3, s);
  c = std::fill_n(c, 2, ' ');
  c = efieldTo(c, 15, 7, shown(P, uplift));
  c = std::fill_n(c, 5, ' ');
  c = efieldTo(c, 15, 7, shown(Wm, uplift));
  *c++ = '\n';  // the end of the record
  io::put(U_AXIAL, std::string_view(line, static_cast<std::size_t>(c - line)));
}

// The keeper of the AXTZ points of this thread, if any.
thread_local AxtzKeep* keeping = nullptr;

// Points 1..9 of one direction into row IPROP: uplift from the largest
// uplift down to point 9, compression from point 11 up.
void storeHalf(const AxtzKeep::Half& h) {
  for (int m = 1; m <= NHCMAX; ++m) {
    const int k = h.uplift ? 10 - m : 10 + m;
    AXTZ.AXHMOV(h.prop, k) = h.hmov(m);
    AXTZ.AXHLOD(h.prop, k) = h.hlod(m);
    AXTZ.AXTMOV(h.prop, k) = h.tmov(m);
    AXTZ.AXTLOD(h.prop, k) = h.tlod(m);
  }
}

}  // namespace

void AXLSGEN(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
             const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
             HeadPoints& HMOV) {
  if (!HCCHECK(IPROP, KDIR, IPILE, ISTAT, "LOAD-SETTLEMENT CURVE")) return;
  const bool uplift = KDIR == KDIR_UPLIFT;
  const std::int32_t ptype = PILEPROP.PTYPE(IPROP);
  const std::int32_t ns = PILEPROP.NSECT(IPROP);
  const std::int32_t iunits = RUNCTL.IUNITS;
  const double D = SECTAB.SDIAT(IPROP, 1);
  const double dtip = SECTAB.SDIAT(IPROP, ns);
  auto work = std::make_unique<HCWORK>();
  HCWORK& W = *work;

  // Side curves.
  HCSIDE(IPROP, IPILE, HcKind::Axial, W, ISTAT);
  if (ISTAT != 0) return;
  if (uplift) writeTzTable(ICURV, W);

  // Axial rigidity along the pile.
  HCRIGID(IPROP, SECTAB.SAREAT, &SECTAB.SEMODT, SECTAB.SAREAB, &SECTAB.SEMODB, W);
  for (int i = 1; i <= W.NAE; ++i) {
    if (!(W.AETAB(i) > 0.0)) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {"LOAD-SETTLEMENT CURVE: PILE PROPERTY " + std::to_string(IPROP) + " HAS NO AXIAL RIGIDITY (E x A = " +
              FREEREAL(W.AETAB(i)) + ") IN SECTION " + std::to_string((i + 1) / 2)});
      return;
    }
  }

  // Tip position, soil and capacity.
  HCTIP T;
  HCTIPPOS(IPROP, KDIR, IPILE, T);
  std::int32_t ts = T.TS;
  double e50 = SOILE50(T.XT);
  const double c = SOILC(T.XT, ISTAT);
  if (ISTAT != 0) return;
  if (e50 <= 0.0) E50DEFTY(c, e50, ts, iunits);
  double qmax = SOILQT(T.XT, ISTAT) * T.A;
  if (ISTAT != 0) return;
  const double phi = SOILPHI(T.XT, ISTAT);
  if (ISTAT != 0) return;
  // A cohesive soil coded otherwise takes the clay rules.
  if (c > sp(0.1f) && phi < sp(0.0001f)) ts = ST_STIFFDRY;

  if (qmax < sp(1.0E-10f)) {
    if (isClayType(ts)) {
      qmax = 9.0 * c * T.A;
    } else if (isFrictionalType(ts)) {
      const double nq = NQFACT(sp(57.296f) * phi);
      const double gamma = GAMAVG(T.XT, ISTAT);
      if (ISTAT != 0) return;
      if (ptype == PTYPE_DRIVEN) {
        qmax = nq * gamma * T.DT * T.A;
      } else if (phi < sp(0.5236f)) {
        qmax = TIPQMIN();
      } else if (iunits == 1 || iunits == 2) {
        const bool mid = phi < sp(0.628f);
        const double q = (mid ? sp(222.2f) : sp(555.56f)) * (iunits == 1 ? 1.0 : PSI_KPA);
        qmax = q * T.A;
      }
      if (ts == ST_SILT) qmax += 9.0 * c * T.A;
    } else if (isGivenTipType(ts)) {
      qmax = SOILQT(T.XT, ISTAT) * T.A;
      if (ISTAT != 0) return;
      if (qmax < sp(1.0E-10f)) qmax = 9.0 * c * T.A;
    }
  }
  if (!tipCurve(ptype, ts, e50, qmax, D, dtip, W, ISTAT)) return;
  if (!uplift) writeQwTable(ICURV, W);

  // Load transfer from the tip to the head for nine tip movements.
  NHCPT = NHCMAX;
  const std::int32_t ninc = PILEPROP.NINC(IPROP);
  const double plen = PILEPROP.PLEN(IPROP);
  const double dz = plen / ninc;
  const double dzv = T.LV / ninc;
  const double xhead = PILEAR.PHXREF(IPILE);
  if (uplift) {
    out(U_AXIAL, "");
    out(U_AXIAL, blanks(5) + "T-Z CURVES, PILE PROPERTY:" + intField(5, ICURV));
    out(U_AXIAL, "");
    io::line(U_AXIAL, "9 1 9 " + std::to_string(ninc) + " " + FREEREAL(dz));
  }
  static constexpr float MOVIN[NHCMAX - 1] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f};
  HeadPoints tipmov, tiplod, hload, hmov;
  for (int m = 1; m < NHCMAX; ++m) tipmov(m) = sp(MOVIN[m - 1]) * (iunits == 2 ? sp(0.0254f) : 1.0);
  tipmov(NHCMAX) = std::max(2.0 * (iunits == 2 ? sp(0.0254f) : 1.0), sp(0.05f) * D);

  const double perim = sp(3.1416f) * D * dz;
  for (int m = 1; m <= NHCMAX; ++m) {
    const double w0 = tipmov(m);
    tiplod(m) = tipLoad(W, w0);
    out(U_AXIAL, "");
    out(U_AXIAL, blanks(5) + "  N  " + "  DEPTH " + blanks(5) + "AXIAL LOAD" + blanks(11) + "MOVEMENT");
    out(U_AXIAL, blanks(13) + UNITLB.ULLEN3.str() + blanks(12) + UNITLB.ULFRC3.str() + blanks(16) +
                     UNITLB.ULLEN3.str());
    double P = tiplod(m), Wm = w0;
    for (int e = 1; e <= ninc; ++e) {
      const double xe = xhead + T.LV - dzv / 2.0 - (e - 1) * dzv;
      const double se = plen - (e - 1) * dz;
      const double flex = dz / HCRIG(W, xe - xhead);
      double pup = P, wup = Wm;
      if (!HCELEM(W, xe, 1.0, perim, flex, P, Wm, HCTOLMOV(), pup, wup)) {
        PRPFTL(ISTAT, STAT_HC_CONV,
               {"LOAD-SETTLEMENT CURVE OF PILE PROPERTY " + std::to_string(IPROP) +
                    ": THE MOVEMENT OF ELEMENT " + std::to_string(e) + " DOES NOT CONVERGE",
                "AT THE TIP MOVEMENT " + FREEREAL(shown(w0, uplift))});
        return;
      }
      listLine(e, se, P, Wm, uplift);
      if (e == ninc) listLine(ninc + 1, se - dz, pup, wup, uplift);
      P = pup;
      Wm = wup;
    }
    hload(m) = P;
    hmov(m) = Wm;
  }

  // Head points on the head-curve file, then into the generated-curve table.
  const int u = U_HEADCRV;
  out(u, "");
  out(u, "");
  out(u, "");
  out(u, blanks(8) + "TOP  LOAD     TOP MOVEMENT     TIP MOVEMENT" + blanks(5) + "TIP  LOAD");
  out(u, blanks(11) + UNITLB.ULFRC3.str() + blanks(13) + UNITLB.ULLEN3.str() + blanks(14) + UNITLB.ULLEN3.str() +
             blanks(12) + UNITLB.ULFRC3.str());
  for (int m = 1; m <= NHCMAX; ++m) {
    out(u, blanks(5) + EFIELD(15, 7, shown(hload(m), uplift)) + EFIELD(15, 7, shown(hmov(m), uplift)) +
               EFIELD(15, 7, shown(tipmov(m), uplift)) + EFIELD(15, 7, shown(tiplod(m), uplift)));
  }
  AxtzKeep::Half half{IPROP, uplift, {}, {}, {}, {}};
  for (int m = 1; m <= NHCMAX; ++m) {
    half.hmov(m) = shown(hmov(m), uplift);
    half.hlod(m) = shown(hload(m), uplift);
    half.tmov(m) = shown(tipmov(m), uplift);
    half.tlod(m) = shown(tiplod(m), uplift);
    HLOAD(m) = hload(m);
    HMOV(m) = hmov(m);
  }
  if (keeping)
    keeping->halves.push_back(half);
  else
    storeHalf(half);
}

AxtzKeep::AxtzKeep() : outer_(keeping) { keeping = this; }

AxtzKeep::~AxtzKeep() { keeping = outer_; }

void AxtzKeep::store(const std::vector<Half>& halves) {
  for (const Half& h : halves) storeHalf(h);
}

}  // namespace drelm
