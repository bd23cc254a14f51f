#include "cap/fvec2d.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "model/casecur.h"
#include "results/nthrds.h"
#include "pile/axial2d.h"
#include "pile/llp2d.h"
#include "pile/node2d.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"
#include "report/timing.h"

namespace drelm {

namespace {

// Forces of each row in the last sum, added in row order after the loop.
struct FVEC2D_T {
  FArray2<double, 3, MAXPIL1> FROW;
};
DRELM_ZERO_TABLE(FVEC2D_T, FVEC2DS);

RowResponse replacement = nullptr;

bool statusSet(std::int32_t& ISTAT) {
  return std::atomic_ref<std::int32_t>(ISTAT).load(std::memory_order_relaxed) != 0;
}

// One row: the cap displacement carried to its head, one pile solved, the
// forces of all its piles carried back to the cap origin in G.
void rowForces(int p, const double* U, double* G, std::int32_t& ISTAT) {
  const double c = std::cos(PILEAR.PBATT(p)), s = std::sin(PILEAR.PBATT(p));
  const double X = PILEAR.PHXREF(p), Y = PILEAR.PHYREF(p);
  const double a = X * s - Y * c, b = X * c + Y * s;
  // By columns: row 1 (c, -s, 0), row 2 (s, c, 0), row 3 (a, b, 1).
  const double T[9] = {c, s, a, -s, c, b, 0.0, 0.0, 1.0};
  const double ULOC[3] = {c * U[0] + s * U[1] + a * U[2], -s * U[0] + c * U[1] + b * U[2], U[2]};
  double PX = 0.0, VT1 = 0.0, MT1 = 0.0;
  if (replacement != nullptr) {
    replacement(p, ULOC, T, PX, VT1, MT1, ISTAT);
    PX *= PILEAR.PAXFAC(p);
  } else {
    NodeArray AXMOV{}, AXLOAD{};
    AXIAL2D(p, PX, ULOC, AXMOV, AXLOAD, ISTAT);
    PX *= PILEAR.PAXFAC(p);
    NODE2D(p, ISTAT);
    LLP2D(p, ULOC[1], ULOC[2], PX, VT1, MT1, ISTAT, ULOC, T, AXMOV, AXLOAD);
  }
  const double n = PILEAR.GRPNP(p);
  const double Fa = n * PX, Fl = n * VT1, Fm = n * MT1;
  G[0] = c * Fa - s * Fl;
  G[1] = s * Fa + c * Fl;
  G[2] = a * Fa + b * Fl + Fm;
}

}  // namespace

void setRowResponse(RowResponse f) { replacement = f; }

void FVEC2D(double* F, const double* U, std::int32_t& ISTAT) {
  const int n = RUNCTL.NPILE < MAXPIL ? RUNCTL.NPILE : MAXPIL;
  const double u[3] = {U[0], U[1], U[2]};
  F[0] = F[1] = F[2] = 0.0;
  NTHRDS(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, RUNCTL.NPILE, 0);
  const double t0 = wallClock();
  // The warnings a row writes reach the files in row order.
  std::vector<io::Capture> out(static_cast<std::size_t>(std::max(n, 0)));
#pragma omp parallel for schedule(static)
  for (int p = 1; p <= n; ++p) {
    io::Capture& o = out[static_cast<std::size_t>(p - 1)];
    o.start();
    double G[3];
    rowForces(p, u, G, ISTAT);
    const bool kept = !statusSet(ISTAT);
    for (int i = 0; i < 3; ++i) FVEC2DS.FROW(i + 1, p) = kept ? G[i] : 0.0;
    o.stop();
  }
  for (io::Capture& o : out) o.replay();
  // A row that ended while another failed is left out as well: the caller
  // discards the sum.
  for (int p = 1; p <= n; ++p)
    for (int i = 0; i < 3; ++i) F[i] += FVEC2DS.FROW(i + 1, p);
  const double dt = wallClock() - t0;
  if (RUNCTL.IOUTPS == 0)
    TIMBLK.TPARAL += dt;
  else
    TIMBLK.TPRINT += dt;
}

void PILEHD2D(const std::int32_t& IPILE, const double* U, double* F, std::int32_t& ISTAT) {
  rowForces(IPILE, U, F, ISTAT);
}

}  // namespace drelm
