// Plane lateral pile solver. The pile is a finite-difference beam-column,
// (R y'')'' + Q y'' + k y = w, on nodes of spacing h with three imaginary
// slots above the head and three below the tip. The pentadiagonal system is
// never assembled: a forward recursion y(s) = A(s) y(s+1) + B(s) y(s+2) + C(s)
// runs from the head conditions down, the tip conditions close it, and a
// back substitution gives the deflections. The secant soil moduli are
// updated from the p-y curves until two solutions agree within TOLPIL.
#include "pile/llp2d.h"

#include <atomic>
#include <cmath>
#include <string>

#include "analysis/envpil.h"
#include "pile/nodesvc.h"
#include "pile/pilestore.h"
#include "report/writers.h"
#include "run/fileio.h"
#include "run/model.h"
#include "soil/lookup.h"
#include "soil/pysoil.h"
#include "soil/soilmove.h"

namespace drelm {

namespace {

constexpr double TINY = 1.0E-14;

// Work arrays of one call, all in slot form (node k in slot k + 3) except the
// arrays exchanged with the p-y evaluation, which hold node k in entry k.
struct Work {
  NodeArray y, yp, R, k, Q, w, q;
  NodeArray A, B, C;
  NodeArray ydefl, esoil, ysoil1, ysoil2, psmov, psoil;
};

std::int32_t statusOf(std::int32_t& ISTAT) {
  return std::atomic_ref<std::int32_t>(ISTAT).load(std::memory_order_relaxed);
}

// Secant soil moduli of the p-y curves at the deflections in ydefl.
void pyModuli(Work& W, int p, int t, int nn, std::int32_t& ISTAT) {
  PYSOIL(t, ISTAT, p, p, W.ydefl, W.esoil, W.ysoil1, W.ysoil2, W.psmov, W.psoil);
  if (statusOf(ISTAT) != 0) return;
  for (int j = 1; j <= nn; ++j) W.k(j + 3) = W.esoil(j);
}

// Moduli of a row with its own p-y curves by depth; they take and return
// slot-form arrays, so the soil movement is shifted into slot form too.
void tableModuli(Work& W, int p, int nn) {
  NodeArray ys1{}, ys2{}, es{}, psm{}, ps{};
  for (int j = 1; j <= nn; ++j) {
    ys1(j + 3) = W.ysoil1(j);
    ys2(j + 3) = W.ysoil2(j);
  }
  PYTABES(p, W.y, es, ys1, ys2, psm, ps);
  for (int s = 4; s <= nn + 3; ++s) W.k(s) = es(s);
}

// Forward elimination of the rows of slots 5 .. n + 5.
void eliminate(Work& W, int n, double h) {
  const double h2 = h * h, h4 = h2 * h2;
  for (int s = 5; s <= n + 5; ++s) {
    const double Rm = W.R(s - 1), R0 = W.R(s), Rp = W.R(s + 1), Q = W.Q(s);
    const double a = Rm;
    const double b = -2.0 * (Rm + R0) + Q * h2;
    const double c = Rm + 4.0 * R0 + Rp - 2.0 * Q * h2 + W.k(s) * h4;
    const double d = -2.0 * (R0 + Rp) + Q * h2;
    const double e = Rp;
    const double E = b + a * W.A(s - 2);
    const double D = c + a * W.B(s - 2) + E * W.A(s - 1);
    if (D == 0.0) {
      W.A(s) = W.B(s) = W.C(s) = 0.0;
      continue;
    }
    W.A(s) = -(d + E * W.B(s - 1)) / D;
    W.B(s) = -e / D;
    W.C(s) = (W.w(s) * h4 - a * W.C(s - 2) - E * W.C(s - 1)) / D;
  }
}

// A deflection as a linear form c0 + cu u + cv v of the two slots below the tip.
struct Lin {
  double c0, cu, cv;
};

// Zero moment and zero shear with the axial force at the tip (slot m) give
// the two deflections u = y(m+1), v = y(m+2).
void tipDeflections(Work& W, int m, double h) {
  const Lin ym{W.C(m), W.A(m), W.B(m)};
  const Lin ym1{W.A(m - 1) * ym.c0 + W.C(m - 1), W.A(m - 1) * ym.cu + W.B(m - 1), W.A(m - 1) * ym.cv};
  const Lin ym2{W.A(m - 2) * ym1.c0 + W.B(m - 2) * ym.c0 + W.C(m - 2),
                W.A(m - 2) * ym1.cu + W.B(m - 2) * ym.cu, W.A(m - 2) * ym1.cv + W.B(m - 2) * ym.cv};
  // y(m-1) - 2 y(m) + u = 0
  const double a11 = ym1.cu - 2.0 * ym.cu + 1.0, a12 = ym1.cv - 2.0 * ym.cv;
  const double r1 = -(ym1.c0 - 2.0 * ym.c0);
  // R (v - 2u + 2 y(m-1) - y(m-2)) + Q h^2 (u - y(m-1)) = 0
  const double R = W.R(m), Qh2 = W.Q(m) * h * h;
  const double a21 = R * (-2.0 + 2.0 * ym1.cu - ym2.cu) + Qh2 * (1.0 - ym1.cu);
  const double a22 = R * (1.0 + 2.0 * ym1.cv - ym2.cv) + Qh2 * (-ym1.cv);
  const double r2 = -(R * (2.0 * ym1.c0 - ym2.c0) - Qh2 * ym1.c0);
  const double det = a11 * a22 - a12 * a21;
  if (det == 0.0) {
    W.y(m + 1) = W.y(m + 2) = 0.0;
    return;
  }
  W.y(m + 1) = (r1 * a22 - a12 * r2) / det;
  W.y(m + 2) = (a11 * r2 - r1 * a21) / det;
}

// The warning of a solution that did not close, one whole write per unit.
void noClosure(int p) {
  const std::string text = std::string(5, ' ') + "** WARNING **  " + "NO CLOSURE OF A LLP AFTER " +
                           intField(5, SOILCOM.MAXITL) + "  ITERATIONS" + std::string(10, ' ') +
                           "PILE GROUP" + intField(5, p);
#pragma omp critical(drelm_report)
  for (int unit : {U_RESULTS, U_LOG}) {
    io::endRecord(unit);
    io::endRecord(unit);
    io::put(unit, text);
    io::endRecord(unit);
  }
}

}  // namespace

void LLP2D(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& PX,
           double& VT1, double& MT1, std::int32_t& ISTAT, const double (&ULOC)[3],
           const double (&T)[9], const NodeArray& AXMOV, const NodeArray& AXLOAD) {
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int n = PILEPROP.NINC(t);
  const int nn = n + 1;
  const double h = PILEPROP.DXINC(t);
  const bool ownCurves = PYBYDEP(p);
  const bool movement = SMOV.NSMOV > 0;
  const bool mcSets = RUNCTL.ICTL09 > 0;
  const bool axialVaries = CURCTL.IAXVAR == 1 && PILEAR.ILSCRV(p) <= 0;

  // Set-up. Every array starts cleared.
  Work W{};
  const NodeArray ax = AXMOV, al = AXLOAD;

  if (movement) {
    SMVPLOC(p);
    CLRNODP(p, W.psoil);
    CLRNOD1(p, W.ysoil1);
    CLRNOD2(p, W.ysoil2);
    SMVNOD1(p, W.ysoil1);
  }

  if (DLNODE.NDLNOD(p) != 0) {
    DLQNOD1(1, p, W.q);
    for (int j = 1; j <= nn; ++j) W.w(j + 3) = W.q(j);
  }

  if (ownCurves) {
    for (int j = 0; j <= n; ++j) W.k(j + 4) = j * h;
  } else {
    for (int j = 0; j <= n; ++j) W.ydefl(j + 1) = YT1 * (1.0 - static_cast<double>(j) / n);
    pyModuli(W, p, t, nn, ISTAT);
    if (statusOf(ISTAT) != 0) return;
  }

  for (int s = 3; s <= n + 6; ++s) W.Q(s) = PX;
  if (axialVaries) {
    for (int s = 4; s <= n + 4; ++s) W.Q(s) = al(s);
    W.Q(3) = al(4);
    W.Q(n + 5) = W.Q(n + 6) = al(n + 4);
  }

  // Rigidity at the node's axial coordinate; the imaginary slots repeat the
  // head or tip value.
  for (int s = 3; s <= n + 6; ++s) {
    const int node = std::min(std::max(s - 3, 1), nn);
    W.R(s) = SECEIZ(p, t, PILENODE.XPILE(p, node));
  }
  if (mcSets) EINOD1(p, PX, W.R, W.y);

  // Head rows: the head deflection is YT1; the slot above the head carries
  // the rotational condition of the connection.
  const double R0 = W.R(4), K = PILEAR.HSPR1(p);
  W.C(4) = YT1;
  switch (PCONN.CONNECTY(p)) {
    case CONN_PIN:  // zero moment
      W.B(3) = -1.0;
      W.C(3) = 2.0 * YT1;
      break;
    case CONN_FIX:  // head slope ST1
      W.B(3) = 1.0;
      W.C(3) = -2.0 * h * ST1;
      break;
    default: {  // R0 y''(head) = K (y'(head) - ST1)
      const double den = 2.0 * R0 + h * K;
      if (den != 0.0) {
        W.B(3) = (h * K - 2.0 * R0) / den;
        W.C(3) = (4.0 * R0 * YT1 - 2.0 * h * h * K * ST1) / den;
      }
      break;
    }
  }

  // Iteration.
  const int m = n + 4;
  for (int it = 1;; ++it) {
    if (mcSets && CURCTL.IEIPRV == 1) EINOD1(p, PX, W.R, W.y);
    eliminate(W, n, h);
    for (int s = 4; s <= m; ++s) W.yp(s) = W.y(s);
    W.y(n + 7) = 0.0;
    tipDeflections(W, m, h);
    for (int s = m; s >= 1; --s) W.y(s) = W.A(s) * W.y(s + 1) + W.B(s) * W.y(s + 2) + W.C(s);
    if (mcSets && CURCTL.IEIPRV == 0) EINOD1(p, PX, W.R, W.y);

    bool closed = it > 1;
    for (int s = 4; closed && s <= m; ++s) closed = std::fabs(W.y(s) - W.yp(s)) < CURCTL.TOLPIL;
    if (closed) break;

    if (it + 1 > SOILCOM.MAXITL) {
      noClosure(p);
      std::atomic_ref<std::int32_t>(RUNCTL.KPILST).store(1, std::memory_order_relaxed);
      return;
    }

    if (ownCurves) {
      tableModuli(W, p, nn);
    } else {
      for (int j = 1; j <= nn; ++j) W.ydefl(j) = W.y(j + 3);
      pyModuli(W, p, t, nn, ISTAT);
      if (statusOf(ISTAT) != 0) return;
      if (movement)
        for (int j = 1; j <= nn; ++j) W.w(j + 3) = W.esoil(j) * W.ysoil1(j) + W.q(j);
    }
  }

  // Results: slope, moment, shear and soil reaction at the nodes.
  NodeArray S{}, M{}, V{}, P{}, stress{}, rb{}, rs{};
  for (int s = 4; s <= n + 5; ++s) {
    S(s) = (W.y(s + 1) - W.y(s - 1)) / (2.0 * h);
    M(s) = -W.R(s) * (W.y(s - 1) - 2.0 * W.y(s) + W.y(s + 1)) / (h * h);
  }
  V(4) = W.Q(4) * S(4) - (M(5) - M(4)) / h;
  for (int s = 5; s <= m; ++s) V(s) = W.Q(s) * S(s) - (M(s + 1) - M(s - 1)) / (2.0 * h);
  for (int s = 4; s <= m; ++s) P(s) = W.k(s) * W.y(s);

  const double rfb = CASECUR.RFBEND, rfs = CASECUR.RFSHR;
  for (int s = 4; s <= m; ++s) {
    const double x = PILENODE.XPILE(p, s - 3);
    const double I = SECIZ(p, t, x), area = SECAREA(p, t, x);
    const double D = SECTYP(p, t, x) < 2 ? SECDIAM(p, t, x) : SECDIM1(p, t, x);
    // A section without inertia or area carries no stress term, not an infinity.
    stress(s) = (I > 0.0 ? std::fabs(M(s)) * D / (2.0 * I) : 0.0) +
                (area > 0.0 ? std::fabs(W.Q(s)) / area : 0.0);
    const double mn = SECMN(p, t, x), vn = SECVN(p, t, x);
    rb(s) = mn > TINY && rfb > 0.0 ? std::fabs(M(s)) / mn / rfb : 0.0;
    rs(s) = vn > TINY && rfs > 0.0 ? std::fabs(V(s)) / vn / rfs : 0.0;
  }

  MT1 = M(4);
  // Head shear by equilibrium: total soil reaction less the applied load.
  double sum = 0.0;
  for (int s = 4; s <= m; ++s) {
    const double f = (s == 4 || s == m) ? 0.5 : 1.0;
    sum += f * P(s) - W.w(s);
  }
  VT1 = h * sum;

  if (RUNCTL.IOUTPS == 0) return;

  if (RUNCTL.IOUTPS == 2) {
    EQSTIF.EQPAX(p) = PX;
    EQSTIF.EQKAX(p) = std::fabs(ULOC[0]) > TINY ? PX / ULOC[0] : 0.0;
    EQSTIF.EQDX(p) = h;
    for (int j = 1; j <= nn; ++j) {
      EQSTIF.EQXN(p, j) = (j - 1) * h;
      const double yj = W.y(j + 3);
      EQSTIF.EQKN1(p, j) = std::fabs(yj) > TINY ? P(j + 3) / yj : 0.0;
    }
    return;
  }

  if (RUNCTL.IOUTPS != 1) return;

  // Pile-top values in global and row axes.
  const double cb = std::cos(PILEAR.PBATT(p)), sb = std::sin(PILEAR.PBATT(p));
  const double y4 = W.y(4);
  const double FL[3] = {PX, VT1, MT1};
  double FG[3];
  for (int i = 0; i < 3; ++i) FG[i] = T[i] * FL[0] + T[i + 3] * FL[1] + T[i + 6] * FL[2];
  PENV2D(p, ULOC[0] * cb - y4 * sb, ULOC[0] * sb + y4 * cb, ST1, ULOC[0], y4, ST1, FG[0], FG[1], MT1, PX,
         VT1, MT1, stress(4));

  // Values along the pile for the report.
  const bool keepAxial = CURCTL.IAXVAR != 0 && PILEAR.ILSCRV(p) <= 0;
  NodeBlock blk{};
  for (int s = 4; s <= m; ++s) {
    const double a = keepAxial ? ax(s) : 0.0;
    const double y = W.y(s);
    blk(s, NQ_AXMOV) = a;
    blk(s, NQ_Y1) = y;
    blk(s, NQ_GX) = a * cb - y * sb;
    blk(s, NQ_GY) = a * sb + y * cb;
    blk(s, NQ_M1) = -M(s);
    blk(s, NQ_V1) = V(s);
    blk(s, NQ_P1) = movement ? W.psoil(s - 3) : P(s);
    blk(s, NQ_AXLOAD) = keepAxial ? al(s) : PX;
    blk(s, NQ_STRESS) = stress(s);
    blk(s, NQ_R1) = W.R(s);
    blk(s, NQ_Q1) = W.q(s - 3);
    blk(s, NQ_RBEND) = CASECUR.ICOMB == 0 ? 0.0 : rb(s);
    blk(s, NQ_RSHEAR) = CASECUR.ICOMB == 0 ? 0.0 : rs(s);
  }
  NODENV(p, m, blk);
}

}  // namespace drelm
