// Axial load-transfer solution of a pile: a march from the tip up gives the
// head movement of a tip movement; Newton steps, guarded by a bracket from
// the pile property's generated head curve, find the tip movement of the
// given head displacement.
#include "transfer/axsolv.h"

#include <algorithm>
#include <cmath>

#include "model/model.h"
#include "report/siconv.h"
#include "transfer/tzpile.h"

namespace drelm {
namespace {

constexpr double sp(float x) { return static_cast<double>(x); }

constexpr double TOLREL = sp(1.0E-4f);  // relative tolerance of the head movement
constexpr int MAXMID = 200;             // iterations on the middle movement of a segment
constexpr int MAXOUT = 25;              // further iterations on the tip movement

// A length of the rules given in inches, in metres in SI: the movement
// tolerance (1.0E-4 in) and the step of the slope by differences (1.0E-6 in)
// are the same physical lengths in both unit systems.
double inches(float x) { return RUNCTL.IUNITS == 2 ? sp(x) * IN_M : sp(x); }

// What a march reads, gathered once per call.
struct March {
  const TzTable& tzt;
  const TzTable& tzz;
  const FArray<std::int32_t, MAXTZC>& tznpt;
  const TzColumn& tzdep;
  const FArray<double, MAXAEP>& aetab;
  const FArray<double, MAXAEP>& aedep;
  const FArray<double, MAXQWP>& qwq;
  const FArray<double, MAXQWP>& qww;
  int n = 0;        // segments
  int ncrv = 0;     // side curves
  int nae = 0;      // points of the rigidity table
  int nqw = 0;      // points of the tip curve
  double dx = 0;    // segment length along the pile
  double dxv = 0;   // vertical extent of a segment
  double per = 0;   // side area of a segment
  double l0 = 0;    // X of the middle of the lowest segment
  double phx = 0;   // X of the pile head
};

// t of side curve P at movement z: linear between points, the last t beyond.
double curveAt(const March& m, int P, double z) {
  const int npt = std::clamp<int>(m.tznpt(P), 1, MAXTZP);
  for (int i = 1; i <= npt; ++i) {
    const double zi = m.tzz(i, P);
    if (z == zi || (z < zi && i == 1)) return m.tzt(i, P);
    if (z < zi) {
      // Every earlier point lies below z, so the segment has a width.
      const double z0 = m.tzz(i - 1, P);
      return m.tzt(i - 1, P) + (m.tzt(i, P) - m.tzt(i - 1, P)) * (z - z0) / (zi - z0);
    }
  }
  return m.tzt(npt, P);
}

// Unit side resistance at depth X and movement z, linear in depth between
// the curves around X; none above the first curve.
double sideAt(const March& m, double X, double z) {
  for (int P = 1; P <= m.ncrv; ++P) {
    const double d = m.tzdep(P);
    if (X < d) {
      if (P == 1) return 0.0;
      const double d0 = m.tzdep(P - 1);
      const double t0 = curveAt(m, P - 1, z);
      return t0 + (curveAt(m, P, z) - t0) * (X - d0) / (d - d0);
    }
    if (X == d) return curveAt(m, P, z);
  }
  return m.ncrv >= 1 ? curveAt(m, m.ncrv, z) : 0.0;
}

// Tip load at tip movement s; the last segment extends beyond the last point.
double tipLoad(const March& m, double s) {
  int M = m.nqw;
  for (int j = 1; j <= m.nqw; ++j) {
    if (m.qww(j) >= s) {
      M = j;
      break;
    }
  }
  if (M <= 1) return 0.0;
  const double w0 = m.qww(M - 1), w1 = m.qww(M);
  if (!(w1 != w0)) return m.qwq(M);  // a vertical step of the curve
  return m.qwq(M - 1) + (m.qwq(M) - m.qwq(M - 1)) * (s - w0) / (w1 - w0);
}

// E x A at depth y below the head, linear in the table; the end values hold
// beyond its ends.
double rigidity(const March& m, double y) {
  const int n = std::max(m.nae, 2);
  if (!(y > m.aedep(1))) return m.aetab(1);
  if (y >= m.aedep(n)) return m.aetab(n);
  int j = n;
  for (int i = 2; i <= n; ++i) {
    if (m.aedep(i) >= y) {
      j = i;
      break;
    }
  }
  const double d0 = m.aedep(j - 1), d1 = m.aedep(j);
  if (!(d1 > d0)) return m.aetab(j);
  return m.aetab(j - 1) + (m.aetab(j) - m.aetab(j - 1)) * (y - d0) / (d1 - d0);
}

// March from the tip up for a tip movement of magnitude s, storing each node
// with the given sign. H is the head movement, signed. False when a segment
// has no positive rigidity or its middle movement does not settle.
bool march(const March& m, double s, double sign, NodeArray& AXMOV, NodeArray& AXLOAD, double& H) {
  const double tol = inches(1.0E-4f);
  double zb = s;
  double fb = tipLoad(m, s);
  double L = m.l0;
  for (int seg = 1; seg <= m.n; ++seg, L -= m.dxv) {
    const double ea = rigidity(m, L - m.phx);
    if (!(ea > 0.0) || !std::isfinite(ea)) return false;
    double zm = zb;
    double zt = zb, ft = fb;
    bool settled = false;
    for (int it = 0; it < MAXMID; ++it) {
      const double f = sideAt(m, L, zm) * m.per;
      ft = fb + f;
      zt = zb + (fb + f / 2.0) * m.dx / ea;
      const double zmNew = zb + (fb + f / 4.0) * m.dx / (2.0 * ea);
      if (!(std::abs(zmNew - zm) > tol)) {
        settled = std::isfinite(zmNew);
        break;
      }
      zm = zmNew;
    }
    if (!settled) return false;
    AXMOV(m.n + 5 - seg) = sign * zb;
    AXLOAD(m.n + 5 - seg) = sign * fb;
    zb = zt;
    fb = ft;
  }
  AXMOV(4) = sign * zb;
  AXLOAD(4) = sign * fb;
  H = sign * zb;
  return true;
}

}  // namespace

void AXSOLV(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            const std::int32_t& NQW, NodeArray& AXMOV, NodeArray& AXLOAD, const TzTable& TZT, const TzTable& TZZ,
            const TzColumn& TZMAX, const TzColumn& TZPHI, const FArray<double, MAXAEP>& AETAB,
            const FArray<double, MAXAEP>& AEDEP, const FArray<std::int32_t, MAXTZC>& TZNPT, const TzColumn& TZDEP,
            const FArray<double, MAXQWP>& QWQ, const FArray<double, MAXQWP>& QWW) {
  (void)ISTAT;
  (void)TZMAX;
  (void)TZPHI;
  March m{TZT, TZZ, TZNPT, TZDEP, AETAB, AEDEP, QWQ, QWW};
  m.n = std::clamp<int>(PILEPROP.NINC(IPROP), 1, MAXINC);
  m.ncrv = std::clamp(sideCurveCount(SOILCOM.NLAYER), 0, MAXTZC);
  m.nae = std::clamp<int>(2 * PILEPROP.NSECT(IPROP), 0, MAXAEP);
  m.nqw = std::clamp<int>(NQW, 1, MAXQWP);
  const double plen = PILEPROP.PLEN(IPROP);
  const double lv = RUNCTL.IBATAD == 1 ? plen * std::cos(PILEAR.PBATT(IPILE)) : plen;
  m.dx = plen / m.n;
  m.dxv = lv / m.n;
  m.per = sp(3.1416f) * (PILEPROP.NSECT(IPROP) >= 1 ? SECTAB.SDIAT(IPROP, 1) : 0.0) * m.dx;
  m.phx = PILEAR.PHXREF(IPILE);
  m.l0 = m.phx + lv - m.dxv / 2.0;

  auto fail = [] { raiseOutcome(KPIL_AXIAL); };

  // Start from the generated head curve: its tip movement at the head
  // displacement, and the two points around it as the bracket.
  const double D = UAX;
  const int npt = std::clamp<int>(AXTZ.NAXTZ, 0, MAXAXP);
  bool outside = false;
  double Q = D, Hl = 0, Ql = 0, Hu = D, Qu = D;
  if (npt >= 2) {
    auto hm = [&](int k) { return AXTZ.AXHMOV(IPROP, k); };
    auto tm = [&](int k) { return AXTZ.AXTMOV(IPROP, k); };
    if (D < hm(1)) {
      Q = tm(1);
      outside = true;
    } else if (D > hm(npt)) {
      Q = tm(npt);
      outside = true;
    } else {
      int k = npt;
      for (int i = 2; i <= npt; ++i) {
        if (hm(i) > D) {
          k = i;
          break;
        }
      }
      Hl = hm(k - 1);
      Ql = tm(k - 1);
      Hu = hm(k);
      Qu = tm(k);
      Q = Hu != Hl ? Ql + (Qu - Ql) * (D - Hl) / (Hu - Hl) : Qu;
    }
  } else if (D < 0.0) {
    // No generated curve: the tip moves at most as much as the head, and a
    // still head leaves the tip still.
    Hl = Ql = D;
    Hu = Qu = 0.0;
  }

  for (int c = 0;;) {
    const double aq = std::abs(Q);
    const double step = inches(1.0E-6f);
    const double dq = aq < step ? aq / 2.0 : step;
    const double sign = Q > 0.0 ? 1.0 : -1.0;
    double H1 = 0, H2 = 0, H = 0;
    if (!march(m, aq - dq, sign, AXMOV, AXLOAD, H1) || !march(m, aq + dq, sign, AXMOV, AXLOAD, H2) ||
        !march(m, aq, sign, AXMOV, AXLOAD, H)) {
      fail();
      return;
    }
    if (outside) return;
    if (std::abs(D) < sp(1.0E-14f)) {
      if (std::abs(D - H) <= inches(1.0E-4f)) return;
    } else {
      const double W = std::abs((D - H) / D);
      if (W <= TOLREL || (c > 10 && W <= sp(1.0E-3f))) return;
    }
    if (++c > MAXOUT) {
      fail();
      return;
    }
    if (H > D) {
      Hu = H;
      Qu = Q;
    } else {
      Hl = H;
      Ql = Q;
    }
    const double Qr = Hu != Hl ? Ql + (D - Hl) * (Qu - Ql) / (Hu - Hl) : (Ql + Qu) / 2.0;
    Q = Qr;
    if (H2 != H1) {
      const double S = D < 0.0 ? -1.0 : 1.0;
      const double Qn = S * aq + S * 2.0 * dq * (D - H) / (H2 - H1);
      if (Ql <= Qn && Qn <= Qu) Q = Qn;
    }
  }
}

}  // namespace drelm
