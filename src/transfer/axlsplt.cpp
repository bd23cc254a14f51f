// Axial and torsional blocks of the per-pile curve file. Both build, for
// every step below the ground, the side t-z curve at the step's middle with
// the rules of the side curves of a pile; a node carries the lower half of
// the step above and the upper half of the step below.
#include "transfer/axlsplt.h"

#include <algorithm>

#include "model/model.h"
#include "soil/crvfile.h"
#include "soil/lookup.h"
#include "transfer/headcurves.h"
#include "transfer/qwtip.h"
#include "transfer/tzpile.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }
constexpr double PI4 = sp(3.1416f);

// One curve of NTZPT points: movement (or twist) and force (or torque).
struct NodeCurve {
  double y[NTZPT] = {};
  double f[NTZPT] = {};
};

// Column 1 of a curve set, for the shapes, which fill one column of a set.
struct Scratch {
  TzTable t, z;
  TzColumn tmax, phi;
};

// The side curve at the middle XM of a step of length S, as a half curve of
// the step: t x (side area of the step) / 2, or in torsion the twist z / R
// and the torque t x (side area) x R / 2. PHI receives the friction angle
// (degrees). False when a look-up stores its status in ST.
bool stepCurve(int p, std::int32_t q, double xm, double S, bool torsion, NodeCurve& h, double& phi,
               std::int32_t& ST) {
  // The curve file is written on the calling thread alone.
  static Scratch s;
  const SOILCOM_T& SC = SOILCOM;
  const int nl = std::clamp<int>(SC.NLAYER, 1, MAXLYR);
  std::int32_t type = SC.LTYPE(1);
  for (int L = 1; L <= nl; ++L)
    if (SC.LBOT(L) > xm) {
      type = SC.LTYPE(L);
      break;
    }
  const double z = xm - PILEAR.PGRND(p) - PILEAR.PHXREF(p);
  const std::int32_t ptype = PILEPROP.PTYPE(q);
  std::int32_t st = 0;
  double fs = SOILFS(xm, st);
  if (st == 0 && fs < sp(1.0E-10f)) TZFSEST(ptype, type, xm, z, z, fs, st);
  if (st == 0) phi = SOILPHB(xm, st) * 180.0 / PI4;
  if (st != 0) {
    ST = st;
    return false;
  }
  s.tmax(1) = fs;
  s.phi(1) = phi;
  const double D1 = PILEPROP.NSECT(q) >= 1 ? SECTAB.SDIAT(q, 1) : 0.0;
  TZSHAPE(ptype, type, 1, D1, s.t, s.z, s.tmax, s.phi);

  const double D = SECDIAM(p, q, xm);
  const double area = PI4 * D * S;
  const double R = D / 2.0;
  for (int k = 1; k <= NTZPT; ++k) {
    if (torsion) {
      h.y[k - 1] = R > 0.0 ? s.z(k, 1) / R : 0.0;
      h.f[k - 1] = s.t(k, 1) * area * R / 2.0;
    } else {
      h.y[k - 1] = s.z(k, 1);
      h.f[k - 1] = s.t(k, 1) * area / 2.0;
    }
  }
  return true;
}

// The tip curve of the curve file: the tip at PHX + PLEN, the bottom area and
// diameter of the last section, and the friction angle PHIL of the last step.
bool tipCurve(int p, std::int32_t q, double phil, bool torsion, FArray<double, MAXQWP>& QWQ,
              FArray<double, MAXQWP>& QWW, std::int32_t& ST) {
  const std::int32_t nsect = std::min<std::int32_t>(PILEPROP.NSECT(q), MAXSRT - 1);
  QWTIP G;
  G.XT = PILEAR.PHX(p) + PILEPROP.PLEN(q);
  G.ZT = G.XT - PILEAR.PGRND(p) - PILEAR.PHXREF(p);
  G.AT = nsect >= 1 ? SECTAB.SAREAB(q, nsect) : 0.0;
  G.D0 = nsect >= 1 ? SECTAB.SDIAT(q, 1) : 0.0;
  G.DT = nsect >= 1 ? SECTAB.SDIAB(q, nsect) : 0.0;
  G.PHIL = phil;
  G.STE50 = torsion ? STAT_TR_E50 : STAT_LS_E50;
  G.STCOH = torsion ? STAT_TR_COH : STAT_LS_COH;
  G.CURVE = torsion ? "TR CURVE" : "LS CURVE";
  std::int32_t st = 0;
  QWCURVE(q, G, st, QWQ, QWW);
  if (st != 0) ST = st;
  return st == 0;
}

void nodeBlock(int p, std::int32_t& ISTAT, CrvRecords& out, bool torsion) {
  const std::int32_t q = PILEAR.PROPOFPILE(p);
  const int nst = CRVCTL.NCRVST;
  const double S = crvStep(p);
  const double ground = PILEAR.PGRND(p) + PILEAR.PHXREF(p);
  out.ints3(p, nst + 1, torsion ? CRV_TORSION : CRV_AXIAL);

  NodeCurve hp, hc, c;
  bool above = false;  // the step above the node has a curve
  bool below = false;  // the step below the node has a curve
  double phil = 0.0;   // friction angle of the last step
  for (int j = 1; j <= nst + 1; ++j) {
    above = below;
    below = false;
    hp = hc;
    hc = NodeCurve{};
    const double X = crvNodeX(PILEAR.PHX(p), S, j);
    const double xm = X + S / 2.0;
    out.node(j, X);
    const bool flag = xm - ground >= 1.0E-6;
    out.ints2(flag ? 1 : 0, flag ? NCRVKD : 0);
    if (!flag) continue;

    if (j <= nst) {
      if (!stepCurve(p, q, xm, S, torsion, hc, phil, ISTAT)) return;
      below = true;
      if (above) crvMerge(hp.y, hp.f, hc.y, hc.f, NTZPT, c.y, c.f);
      else c = hc;
      PYCRVREC(c.y, c.f, NTZPT, out);
      continue;
    }

    // The tip node: the lower half of the last step on the pull-out side,
    // that half with the tip's bearing on the bearing side.
    if (!above) {
      std::int32_t st = 0;
      phil = SOILPHB(xm - S, st) * 180.0 / PI4;
      if (st != 0) {
        ISTAT = st;
        return;
      }
    }
    FArray<double, MAXQWP> QWQ, QWW;
    if (!tipCurve(p, q, phil, torsion, QWQ, QWW, ISTAT)) return;
    for (int k = 0; k < NTZPT; ++k) {
      c.y[k] = above ? hp.y[k] : QWW(k + 1);
      c.f[k] = above ? hp.f[k] : 0.0;
      if (!torsion) c.f[k] += crvForceAt(QWW.data(), QWQ.data(), NQWPT, c.y[k]);
    }
    for (int k = 1; k < NTZPT; ++k) out.point(k, -hp.y[NTZPT - k], -hp.f[NTZPT - k]);
    for (int k = NTZPT; k < 2 * NTZPT; ++k) out.point(k, c.y[k - NTZPT], c.f[k - NTZPT]);
  }
}

}  // namespace

void AXLSPLT(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out) { nodeBlock(IPILE, ISTAT, out, false); }

void TRPLT(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out) { nodeBlock(IPILE, ISTAT, out, true); }

}  // namespace drelm
