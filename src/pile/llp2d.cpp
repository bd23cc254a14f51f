// Plane lateral pile solver. The pile is the finite-difference beam-column
// (R y'')'' + Q y'' + k y = w of the space solver in one lateral direction,
// solved by the same recursion without assembling the band. The secant soil
// moduli are updated from the p-y curves until two solutions agree within
// TOLPIL.
#include "pile/llp2d.h"

#include <cmath>
#include <string>

#include "pile/envpil.h"
#include "pile/llp2dset.h"
#include "pile/llpres.h"
#include "pile/nodesvc.h"
#include "pile/pilestore.h"
#include "pile/solve2d.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "soil/pysoil.h"
#include "soil/soilmove.h"

namespace drelm {

namespace {

constexpr double TINY = 1.0E-14;

// Work arrays of one call, all in slot form (node k in slot k + 3) except the
// arrays exchanged with the p-y evaluation, which hold node k in entry k.
struct Work : Beam2D {
  NodeArray q;
  NodeArray ydefl, esoil, ysoil1, ysoil2, psmov, psoil;
};

// Secant soil moduli of the p-y curves at the deflections in ydefl.
void pyModuli(Work& W, int p, int t, int nn, std::int32_t& ISTAT) {
  PYSOIL(t, ISTAT, p, p, W.ydefl, W.esoil, W.ysoil1, W.ysoil2, W.psmov, W.psoil);
  if (statusOf(ISTAT) != 0) return;
  for (int j = 1; j <= nn; ++j) W.k(j + 3) = W.esoil(j);
}

// Moduli and soil reaction of a row with its own p-y curves by depth; they
// take and return slot-form arrays, so the soil movement is shifted into
// slot form and the reaction back into node form.
void tableModuli(Work& W, int p, int nn) {
  NodeArray ys1{}, ys2{}, es{}, psm{}, ps{};
  for (int j = 1; j <= nn; ++j) {
    ys1(j + 3) = W.ysoil1(j);
    ys2(j + 3) = W.ysoil2(j);
  }
  PYTABES(p, W.y, es, ys1, ys2, psm, ps);
  // The soil reaction is what the report shows where the soil moves.
  for (int j = 1; j <= nn; ++j) {
    W.k(j + 3) = es(j + 3);
    W.psoil(j) = ps(j + 3);
  }
}

}  // namespace

void LLP2D(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& PX,
           double& VT1, double& MT1, std::int32_t& ISTAT, const double (&ULOC)[3],
           const double (&T)[9], const NodeArray& AXMOV, const NodeArray& AXLOAD) {
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int n = PILEPROP.NINC(t);
  if (!incrementsFit2D(n, ISTAT)) return;
  const int nn = n + 1;
  const double h = PILEPROP.DXINC(t);
  const bool ownCurves = PYBYDEP(p);
  const bool movement = SMOV.NSMOV > 0;

  // Set-up. Every array starts cleared.
  Work W{};
  const NodeArray &ax = AXMOV, &al = AXLOAD;

  if (movement) {
    SMVPLOC(p);
    CLRNODP(p, W.psoil);
    CLRNOD1(p, W.ysoil1);
    CLRNOD2(p, W.ysoil2);
    SMVNOD1(p, W.ysoil1);
  }

  distLoad2D(p, nn, W.q, W.w);

  if (ownCurves) {
    for (int j = 0; j <= n; ++j) W.k(j + 4) = j * h;
  } else {
    for (int j = 0; j <= n; ++j) W.ydefl(j + 1) = YT1 * (1.0 - static_cast<double>(j) / n);
    pyModuli(W, p, t, nn, ISTAT);
    if (statusOf(ISTAT) != 0) return;
  }

  // New moduli after every solution.
  const auto moduli = [&] {
    if (ownCurves) {
      tableModuli(W, p, nn);
    } else {
      for (int j = 1; j <= nn; ++j) W.ydefl(j) = W.y(j + 3);
      pyModuli(W, p, t, nn, ISTAT);
      if (statusOf(ISTAT) != 0) return false;
    }
    // The springs act on the deflection relative to the moving soil, so the
    // movement loads the row through them, also with curves by depth.
    if (movement)
      for (int j = 1; j <= nn; ++j) W.w(j + 3) = W.k(j + 3) * W.ysoil1(j) + W.q(j);
    return true;
  };
  if (!solve2D(p, t, n, h, PX, AXLOAD, YT1, ST1, W, moduli)) return;
  const int m = n + 4;  // tip slot

  // Head moment, and head shear by equilibrium: the total soil reaction
  // less the applied load.
  MT1 = -W.R(4) * (W.y(3) - 2.0 * W.y(4) + W.y(5)) / (h * h);
  VT1 = HEADSHR(m, h, W.k, W.y, W.w);
  if (RUNCTL.IOUTPS != 1 && RUNCTL.IOUTPS != 2) return;

  // Slope, moment, shear and soil reaction at the nodes, and the section
  // checks, as the space solver forms them with its second direction at
  // rest; only the reporting passes store them.
  LLPRES r{};
  r.NN = nn;
  r.Y[0] = W.y;
  r.R[0] = W.R;
  r.Q[0] = W.Q;
  r.ESOIL = W.k;
  LLPFORC(h, r);
  const NodeArray &M = r.M[0], &V = r.V[0], &P = r.P[0];

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

  LLPSECT(p, r);

  // Pile-top values in global and row axes.
  const double y4 = W.y(4);
  double ugv = 0.0, ugh = 0.0;
  ROTGLB2D(p, ULOC[0], y4, ugv, ugh);
  const double FL[3] = {PX, VT1, MT1};
  double FG[3];
  for (int i = 0; i < 3; ++i) FG[i] = T[i] * FL[0] + T[i + 3] * FL[1] + T[i + 6] * FL[2];
  PENV2D(p, ugv, ugh, ST1, ULOC[0], y4, ST1, FG[0], FG[1], MT1, PX,
         VT1, MT1, r.CSTRESS(4));

  // Values along the pile for the report: the moment in the report's sign,
  // the reaction of the p-y evaluation where the soil moves, the axial
  // solution's force and movement only where it ran.
  const bool keepAxial = CURCTL.IAXVAR != 0 && PILEAR.ILSCRV(p) <= 0;
  const bool ratios = CASECUR.ICOMB != 0;
  NodeArray mr{}, pr{}, br{}, sr{}, a{}, f{}, gv{}, gh{}, q{};
  for (int s = 4; s <= m; ++s) {
    a(s) = keepAxial ? ax(s) : 0.0;
    f(s) = keepAxial ? al(s) : PX;
    ROTGLB2D(p, a(s), W.y(s), gv(s), gh(s));
    mr(s) = -M(s);
    pr(s) = movement ? W.psoil(s - 3) : P(s);
    br(s) = ratios ? r.BRATIO(s) : 0.0;
    sr(s) = ratios ? r.SRATIO(s) : 0.0;
    q(s) = W.q(s - 3);
  }
  NodeBlock blk;
  LLPPACK2D(blk, W.y, mr, V, pr, r.CSTRESS, W.R, br, sr, a, f, gv, gh, q);
  NODENV(p, m, blk);
}

}  // namespace drelm
