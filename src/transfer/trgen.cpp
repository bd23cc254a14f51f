// Pile-head torque-rotation curve: the side t-z curves turned into torque
// transfer curves about the pile axis, and for nine tip rotations the march
// of torque and twist from the tip (which carries no torque) up to the head.
#include <cmath>
#include <memory>
#include <string>

#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "report/prpftl.h"
#include "soil/defaults.h"
#include "soil/lookup.h"
#include "transfer/hcwork.h"
#include "transfer/headcurves.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

using hc::blanks;
using hc::out;
using hc::shown;

// The torque transfer curves: torque per unit length t R against twist z / R.
void writeTqTable(std::int32_t icurv, const HCWORK& W, double R) {
  const int u = U_HEADCRV;
  const UNITLB_T& L = UNITLB;
  out(u, "");
  out(u, "");
  out(u, blanks(5) + "T-q CURVES, PILE PROPERTY:" + intField(3, icurv));
  out(u, "");
  out(u, blanks(10) + "CURVE" + blanks(3) + "N. POINTS" + blanks(5) + "DEPTH" + blanks(11) + "T Value" + blanks(9) +
             "q Value");
  out(u, blanks(32) + "(" + L.ULLEN3.str() + ")" + blanks(10) + "(" + L.ULFRC3.str() + "/" + L.ULLEN3.str() + ")" +
             blanks(9) + "(RAD)");
  for (int k = 1; k <= W.NCRV; ++k) {
    out(u, blanks(8) + intField(5, k) + intField(11, W.TZNPT(k)) + EFIELD(16, 4, W.TZDEP(k)));
    for (int i = 1; i <= W.TZNPT(k); ++i)
      out(u, blanks(40) + EFIELD(17, 4, W.TZT(i, k) * R) + EFIELD(16, 4, W.TZZ(i, k) / R));
  }
}

bool checkedTip(std::int32_t t) { return t == 1 || t == 2 || t == 3 || t == 6 || t == 10 || t == 13 || t == 14; }
bool clayTip(std::int32_t t) { return t == 1 || t == 2 || t == 3 || t == 10 || t == 13 || t == 14; }

}  // namespace

void TRGEN(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
           const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
           HeadPoints& HMOV) {
  io::FLUSH(U_LOG);
  if (!HCCHECK(IPROP, KDIR, IPILE, ISTAT, "TORQUE-ROTATION CURVE")) return;
  const bool uplift = KDIR == KDIR_UPLIFT;
  const std::int32_t iunits = RUNCTL.IUNITS;
  const double D = SECTAB.SDIAT(IPROP, 1);
  const double R = D / 2.0;
  auto work = std::make_unique<HCWORK>();
  HCWORK& W = *work;

  // Side curves, from just below the ground.
  HCSIDE(IPROP, IPILE, HcKind::Torsion, W, ISTAT);
  if (ISTAT != 0) return;
  io::FLUSH(U_LOG);
  if (uplift) writeTqTable(ICURV, W, R);
  io::FLUSH(U_LOG);
  for (int k = 1; k <= W.NCRV; ++k) W.TZDEP(k) -= PILEAR.PHXREF(IPILE);

  // Torsional rigidity along the pile.
  HCRIGID(IPROP, SECTAB.SGJT, nullptr, SECTAB.SGJB, nullptr, W);
  for (int i = 1; i <= PILEPROP.NSECT(IPROP); ++i) {
    if (SECTAB.SGJT(IPROP, i) > sp(1.0E-6f)) continue;
    for (int u : {static_cast<int>(U_RESULTS), static_cast<int>(U_LOG)}) {
      out(u, "");
      out(u, "");
      out(u, "       ERROR!!!     GJ(TORSIONAL RIGIDITY) IS ZERO");
      out(u, "");
      out(u, "");
    }
  }
  io::FLUSH(U_LOG);

  // The tip carries no torque, but a driven pile in clay or limestone must
  // still have a tip E50 and strength.
  HCTIP T;
  HCTIPPOS(IPROP, KDIR, IPILE, T);
  const std::int32_t ts = T.TS;
  double e50 = SOILE50(T.XT);
  const double c = SOILC(T.XT, ISTAT);
  if (ISTAT != 0) return;
  if (!clayTip(ts)) {
    (void)SOILPHI(T.XT, ISTAT);
    if (ISTAT != 0) return;
    (void)GAMAVG(T.XT, ISTAT);
    if (ISTAT != 0) return;
  }
  double qt = 0.0;
  if (ts == 6 || ts == 9) {
    qt = SOILQT(T.XT, ISTAT);
    if (ISTAT != 0) return;
  }
  if (PILEPROP.PTYPE(IPROP) == PTYPE_DRIVEN && checkedTip(ts)) {
    if (e50 <= 0.0) E50DEFTY(c, e50, ts, iunits);
    if (std::fabs(e50) < sp(1.0E-14f)) {
      HCWARN("THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE");
      ISTAT = STAT_TR_E50;
      return;
    }
    double qmax = 9.0 * c * T.A;
    if (ts == 6 && qt * T.A >= sp(1.0E-10f)) qmax = qt * T.A;
    if (std::fabs(qmax) < sp(1.0E-14f)) {
      HCWARN("THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE");
      ISTAT = STAT_TR_COH;
      return;
    }
  }

  // Torque and twist from the tip to the head for nine tip rotations. The
  // element depths are distances along the pile from the head.
  static constexpr float ROTIN[NHCMAX] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.05f, 0.1f, 0.5f, 1.0f, 2.0f};
  const std::int32_t ninc = PILEPROP.NINC(IPROP);
  const double plen = PILEPROP.PLEN(IPROP);
  const double dz = plen / ninc;
  const double factor = sp(3.1416f) * D * R * dz;
  HeadPoints tiprot, htor, hrot;
  for (int m = 1; m <= NHCMAX; ++m) {
    tiprot(m) = sp(ROTIN[m - 1]) / R;
    if (iunits == 2) tiprot(m) *= sp(0.0254f);
    double torque = 0.0, twist = tiprot(m);
    for (int e = 1; e <= ninc; ++e) {
      const double se = plen - dz / 2.0 - (e - 1) * dz;
      const double gj = HCRIG(W, se);
      // A section without torsional rigidity (reported above) is taken as rigid.
      const double flex = gj > sp(1.0E-6f) ? dz / gj : 0.0;
      double tup = torque, rup = twist;
      if (!HCELEM(W, se, R, factor, flex, torque, twist, HCTOLROT, tup, rup)) {
        PRPFTL(ISTAT, STAT_HC_CONV,
               {"TORQUE-ROTATION CURVE OF PILE PROPERTY " + std::to_string(IPROP) + ": THE TWIST OF ELEMENT " +
                    std::to_string(e) + " DOES NOT CONVERGE",
                "AT THE TIP ROTATION " + FREEREAL(shown(tiprot(m), uplift))});
        return;
      }
      torque = tup;
      twist = rup;
    }
    htor(m) = torque;
    hrot(m) = twist;
  }

  const int u = U_HEADCRV;
  const UNITLB_T& L = UNITLB;
  out(u, "");
  out(u, "");
  out(u, "");
  out(u, blanks(8) + "TOP  MOM.     TOP MOVEMENT     TIP MOVEMENT" + blanks(5) + "TIP  MOM.");
  out(u, blanks(9) + L.ULFRC3.str() + "-" + L.ULLEN3.str() + blanks(11) + "RAD" + blanks(14) + "RAD" + blanks(9) +
             L.ULLEN3.str() + "-" + L.ULFRC3.str());
  for (int m = 1; m <= NHCMAX; ++m) {
    out(u, EFIELD(17, 4, shown(htor(m), uplift)) + EFIELD(16, 4, shown(hrot(m), uplift)) +
               EFIELD(16, 4, shown(tiprot(m), uplift)) + EFIELD(16, 4, 0.0));
  }
  NHCPT = NHCMAX;
  for (int m = 1; m <= NHCMAX; ++m) {
    HLOAD(m) = htor(m);
    HMOV(m) = hrot(m);
  }
}

}  // namespace drelm
