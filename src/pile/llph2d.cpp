// Plane head routine: the five-point beam-column recursion of the plane
// solver on the secant moduli of the p-y curves, starting from k_s z.
#include "pile/llph2d.h"

#include <string>

#include "pile/llp2dset.h"
#include "pile/llpres.h"
#include "pile/nodesvc.h"
#include "pile/pilestore.h"
#include "pile/solve2d.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

void line(int u, std::string_view text) {
  io::put(u, text);
  io::endRecord(u);
}

// One line of six head values: displacements as they are, forces through
// the report's force unit.
void headValues(int u, double d1, double d2, double d3, double f1, double f2, double f3) {
  WRBLNK(u, 6);
  for (double v : {d1, d2, d3}) WRREAL(u, 13, 4, v);
  for (double v : {f1, f2, f3}) WRREAL(u, 13, 4, OUTFRC(v));
  io::endRecord(u);
}

struct Print {
  int p;
  double ul[3], fl[3], ug[3], fg[3];
  int nn;
  double h;
  const NodeArray *y, *m, *v, *stress, *r;
};

void printTables(int u, const Print& t) {
  io::endRecord(u);
  io::endRecord(u);
  line(u, "       * PILE TOP DISPLACEMENTS AND REACTIONS *      PILE GROUP" + intField(5, t.p));
  io::endRecord(u);
  line(u, "       THE PILE COORDINATE SYSTEM");
  line(u, "       " + std::string(26, '-'));
  line(u, "        AXIAL DISP.   LAT. DISP.     ROTATION  AXIAL FORCE   LAT. FORCE       MOMENT");
  headValues(u, t.ul[0], t.ul[1], t.ul[2], t.fl[0], t.fl[1], t.fl[2]);
  io::endRecord(u);
  line(u, "       THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
  line(u, "       " + std::string(39, '-'));
  line(u, "        VERT. DISP.   HOR. DISP.     ROTATION  VERT. FORCE   HOR. FORCE       MOMENT");
  headValues(u, t.ug[0], t.ug[1], t.ug[2], t.fg[0], t.fg[1], t.fg[2]);
  io::endRecord(u);
  line(u, "                  X   DEFLECTION       MOMENT        SHEAR        TOTAL     FLEXURAL");
  line(u, std::string(65, ' ') + "STRESS     RIGIDITY");
  for (int k = 1; k <= t.nn; ++k) {
    const int s = k + 3;
    WRBLNK(u, 6);
    WRREAL(u, 13, 4, (k - 1) * t.h);
    WRREAL(u, 13, 4, (*t.y)(s));
    WRREAL(u, 13, 4, OUTFRC((*t.m)(s)));
    WRREAL(u, 13, 4, OUTFRC((*t.v)(s)));
    WRREAL(u, 13, 4, OUTFRC((*t.stress)(s)));
    WRREAL(u, 13, 4, OUTFRC((*t.r)(s)));
    io::endRecord(u);
  }
}

}  // namespace

void LLPH2D(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& PX,
            double& VT1, double& MT1, std::int32_t& ISTAT, const double (&ULOC)[3], const double (&T)[9],
            const NodeArray& AXMOV, const NodeArray& AXLOAD) {
  (void)AXMOV;
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int n = PILEPROP.NINC(t);
  if (!incrementsFit2D(n, ISTAT)) return;
  const int nn = n + 1;
  const int m = n + 4;  // tip slot
  const double h = PILEPROP.DXINC(t);
  const bool ownCurves = PYBYDEP(p);

  // Solver arrays (node k in slot k + 3) and the node arrays of the p-y
  // evaluation (node k in entry k).
  Beam2D b{};
  NodeArray yd{}, es{}, ys1{}, ys2{}, psm{}, ps{};
  const NodeArray& y = b.y;
  const NodeArray& R = b.R;
  const NodeArray& K = b.k;

  NodeArray q{};
  distLoad2D(p, nn, q, b.w);

  // First moduli: k_s z below the top of the first layer and the ground.
  groundModuli(p, nn, b.k);

  // New moduli after every solution, from the p-y curves (the soil at rest).
  const auto moduli = [&] {
    if (ownCurves) {
      NodeArray zero{}, e{}, pm{}, pr{};
      PYTABES(p, y, e, zero, zero, pm, pr);
      for (int s = 4; s <= m; ++s) b.k(s) = e(s);
      return true;
    }
    for (int j = 1; j <= nn; ++j) yd(j) = y(j + 3);
    PYSOIL(t, ISTAT, p, p, yd, es, ys1, ys2, psm, ps);
    if (statusOf(ISTAT) != 0) return false;
    for (int j = 1; j <= nn; ++j) b.k(j + 3) = es(j);
    return true;
  };
  if (!solve2D(p, t, n, h, PX, AXLOAD, YT1, ST1, b, moduli)) return;

  MT1 = -R(4) * (y(3) - 2.0 * y(4) + y(5)) / (h * h);
  VT1 = HEADSHR(m, h, K, y, b.w);
  if (RUNCTL.IOUTPS != 1) return;

  LLPRES r{};
  r.NN = nn;
  r.Y[0] = y;
  r.R[0] = R;
  r.Q[0] = b.Q;
  r.ESOIL = K;
  LLPFORC(h, r);
  LLPSECT(p, r);
  NodeArray mr{};
  for (int s = 4; s <= m; ++s) mr(s) = -r.M[0](s);

  Print pr{p, {ULOC[0], YT1, ST1}, {PX, VT1, MT1}, {}, {}, nn, h, &y, &mr, &r.V[0], &r.CSTRESS, &R};
  ROTGLB2D(p, ULOC[0], YT1, pr.ug[0], pr.ug[1]);
  pr.ug[2] = ST1;
  for (int i = 0; i < 3; ++i) pr.fg[i] = T[i] * PX + T[i + 3] * VT1 + T[i + 6] * MT1;
  pr.fg[2] = MT1;
#pragma omp critical(drelm_report)
  for (int u : {U_RESULTS, U_SUMMARY}) printTables(u, pr);
}

}  // namespace drelm
