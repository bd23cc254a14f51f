// Pile geometry of the pile-head curve generators: the checks of the pile
// property, the rigidity table, the tip position, and the look-ups of side
// resistance and rigidity used by the march from the tip to the head.
#include <cmath>
#include <string>

#include "model/model.h"
#include "report/prpftl.h"
#include "transfer/hcwork.h"
#include "transfer/headcurves.h"
#include "transfer/tiptoken.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

// Linear between (x0, y0) and (x1, y1) at x; a zero-width step gives y1.
double linear(double x0, double y0, double x1, double y1, double x) {
  if (x1 == x0) return y1;
  return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

}  // namespace

bool HCCHECK(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& IPILE,
             std::int32_t& ISTAT, const char* what) {
  const std::string head = std::string(what) + ": ";
  auto fail = [&](const std::string& text) {
    PRPFTL(ISTAT, STAT_CAPACITY, {head + text});
    return false;
  };
  if (KDIR != KDIR_UPLIFT && KDIR != KDIR_COMPRESSION)
    return fail("DIRECTION " + std::to_string(KDIR) + " IS NEITHER 1 (UPLIFT) NOR 2 (COMPRESSION)");
  if (IPILE < 1 || IPILE > MAXPIL1)
    return fail("PILE " + std::to_string(IPILE) + " IS OUTSIDE 1 TO " + std::to_string(MAXPIL1));
  if (IPROP < 1 || IPROP > MAXPRPS)
    return fail("PILE PROPERTY " + std::to_string(IPROP) + " IS OUTSIDE 1 TO " + std::to_string(MAXPRPS));
  const std::string prop = "PILE PROPERTY " + std::to_string(IPROP);
  const std::int32_t ptype = PILEPROP.PTYPE(IPROP);
  if (ptype != PTYPE_DRIVEN && ptype != PTYPE_DRILLED)
    return fail(prop + " HAS INSTALLATION TYPE " + std::to_string(ptype) + "; ONLY 1 AND 2 ARE DEFINED");
  if (PILEPROP.NINC(IPROP) < 1)
    return fail(prop + " HAS " + std::to_string(PILEPROP.NINC(IPROP)) + " INCREMENTS; AT LEAST 1 IS NEEDED");
  const std::int32_t ns = PILEPROP.NSECT(IPROP);
  if (ns < 1 || ns > MAXSRT - 1)
    return fail(prop + " HAS " + std::to_string(ns) + " SECTION ROWS; 1 TO " + std::to_string(MAXSRT - 1) +
                " ARE ALLOWED");
  if (!(PILEPROP.PLEN(IPROP) > 0.0)) return fail(prop + " HAS NO LENGTH");
  if (!(SECTAB.SDIAT(IPROP, 1) > 0.0)) return fail(prop + " HAS A ZERO DIAMETER AT THE PILE HEAD");
  return true;
}

void HCRIGID(const std::int32_t& IPROP, const SecColumn& TOP, const SecColumn* TOPF, const SecColumn& BOT,
             const SecColumn* BOTF, HCWORK& W) {
  const int ns = PILEPROP.NSECT(IPROP);
  W.AEDEP(1) = 0.0;
  for (int i = 1; i <= ns; ++i) {
    const double bottom = SECTAB.SXTO(IPROP, i);
    W.AEDEP(2 * i) = bottom;
    W.AEDEP(2 * i + 1) = bottom;
    W.AETAB(2 * i - 1) = TOP(IPROP, i) * (TOPF ? (*TOPF)(IPROP, i) : 1.0);
    W.AETAB(2 * i) = BOT(IPROP, i) * (BOTF ? (*BOTF)(IPROP, i) : 1.0);
  }
  W.NAE = 2 * ns;
}

double HCRIG(const HCWORK& W, double y) {
  const int n = W.NAE;
  if (n < 2 || y <= W.AEDEP(2)) return linear(W.AEDEP(1), W.AETAB(1), W.AEDEP(2), W.AETAB(2), y);
  for (int i = 3; i <= n; ++i) {
    if (W.AEDEP(i) >= y) return linear(W.AEDEP(i - 1), W.AETAB(i - 1), W.AEDEP(i), W.AETAB(i), y);
  }
  // Below the last section the pile keeps the rigidity of its tip.
  return W.AETAB(n);
}

double HCTZK(const HCWORK& W, int k, double w) {
  const int n = W.TZNPT(k);
  if (n < 1) return 0.0;
  for (int i = 1; i <= n; ++i) {
    const double zi = W.TZZ(i, k);
    if (w > zi) continue;
    if (w == zi || i == 1) return W.TZT(i, k);
    return linear(W.TZZ(i - 1, k), W.TZT(i - 1, k), zi, W.TZT(i, k), w);
  }
  return W.TZT(n, k);
}

double HCTZ(const HCWORK& W, double X, double w) {
  const int n = W.NCRV;
  for (int k = 1; k <= n; ++k) {
    const double xk = W.TZDEP(k);
    if (X < xk) {
      if (k == 1) return 0.0;
      const double t0 = HCTZK(W, k - 1, w);
      return linear(W.TZDEP(k - 1), t0, xk, HCTZK(W, k, w), X);
    }
    if (X == xk || k == n) return HCTZK(W, k, w);
  }
  return 0.0;
}

double HCTOLMOV() {
  // One physical tolerance in both unit systems: 1.0E-4 in, in metres in SI.
  return RUNCTL.IUNITS == 2 ? sp(1.0E-4f) * 0.0254 : sp(1.0E-4f);
}

bool HCELEM(const HCWORK& W, double X, double SCALE, double FACTOR, double FLEX, double P, double WLO, double TOL,
            double& PUP, double& WUP) {
  double wg = WLO;
  for (int it = 1; it <= MAXHCIT; ++it) {
    const double dF = HCTZ(W, X, wg * SCALE) * FACTOR;
    PUP = P + dF;
    WUP = WLO + (P + dF / 2.0) * FLEX;
    const double wmid = WLO + (0.75 * P + 0.25 * PUP) * (FLEX / 2.0);
    if (!(std::fabs(wmid - wg) > TOL)) return std::isfinite(wmid);
    wg = wmid;
  }
  return false;
}

void HCTIPPOS(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& IPILE, HCTIP& T) {
  const SOILCOM_T& S = SOILCOM;
  const std::int32_t ns = PILEPROP.NSECT(IPROP);
  // Uplift: a token area, so that the tip carries practically nothing.
  T.A = KDIR == KDIR_UPLIFT ? TIPAREA0() : SECTAB.SAREAB(IPROP, ns);
  const double len = PILEPROP.PLEN(IPROP);
  T.LV = RUNCTL.IBATAD == 1 ? len * std::cos(PILEAR.PBATT(IPILE)) : len;
  T.XT = PILEAR.PHXREF(IPILE) + T.LV;
  T.DT = T.XT - PILEAR.PHXREF(IPILE) - PILEAR.PGRND(IPILE);
  const int nl = std::min<int>(S.NLAYER, MAXLYR);
  T.TS = nl >= 1 ? S.LTYPE(nl) : 0;
  for (int L = 1; L <= nl; ++L) {
    if (T.XT < S.LBOT(L)) {
      T.TS = S.LTYPE(L);
      break;
    }
  }
}

}  // namespace drelm
