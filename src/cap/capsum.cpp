#include "cap/capsum.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "model/casecur.h"
#include "cap/headrsp.h"
#include "results/nthrds.h"
#include "cap/pilehk.h"
#include "numeric/matrix.h"
#include "pile/pilehd.h"
#include "pile/transf.h"
#include "model/fileio.h"
#include "model/model_run.h"
#include "model/tables.h"
#include "report/timing.h"
#include "soil/pysoil.h"

namespace drelm {

// Contribution of each pile to the last force and stiffness sums.
struct CAPSUM_T {
  FArray2<double, 6, MAXPIL1> FPILE;
  FArray2<double, 36, MAXPIL1> KPILE;
};
DRELM_ZERO_TABLE(CAPSUM_T, CAPSUM);

namespace {

bool statusSet(std::int32_t& ISTAT) {
  return std::atomic_ref<std::int32_t>(ISTAT).load(std::memory_order_relaxed) != 0;
}

// The last force sum, for the stiffness sum that follows it at the same cap
// displacement: a pile's head solution depends only on the pile, its head
// displacement and the case's inputs, so the stiffness need not solve the
// base point again where the force sum's solution of the pile wrote nothing
// but curve warnings (a message must be written again; the curve warnings
// of a force sum go to the warnings file alone, which the stiffness sum
// neither writes nor has open), outside a reporting pass (which stores every
// solution) and with the engine's own head response.
struct SolvedForces {
  bool valid = false;
  double U[6] = {};
  std::vector<char> quiet;  // per pile: its solution wrote no other message
};
SolvedForces lastForces;

bool reusesForces(const double* U, int n) {
  const SolvedForces& s = lastForces;
  if (!s.valid || RUNCTL.IOUTPS != 0 || headResponse() != &PILEHD || io::connected(U_WARN)) return false;
  if (s.quiet.size() != static_cast<std::size_t>(std::max(n, 0))) return false;
  return std::memcmp(s.U, U, sizeof s.U) == 0;
}

}  // namespace

void FVEC(double* F, const double* U, std::int32_t& ISTAT) {
  const int n = RUNCTL.NPILE;
  double u[6];
  for (int i = 0; i < 6; ++i) {
    F[i] = 0.0;
    u[i] = U[i];
  }
  NTHRDS(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, n, 0);
  const HeadResponse head = headResponse();
  const double t0 = wallClock();
  // The warnings a pile writes reach the files in pile order.
  std::vector<io::Capture> out(static_cast<std::size_t>(std::max(n, 0)));
  lastForces.valid = false;
  lastForces.quiet.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
#pragma omp parallel for schedule(static)
  for (int p = 1; p <= n; ++p) {
    io::Capture& o = out[static_cast<std::size_t>(p - 1)];
    o.start();
    double TF[36], TU[36], RT[36], R[36], uh[6], fh[6];
    TRANSF(p, TF, TU, RT, R);
    MATVEC6(uh, TU, u, 1);
    head(p, fh, uh, ISTAT);
    double* slot = &CAPSUM.FPILE(1, p);
    if (statusSet(ISTAT)) {
      for (int i = 0; i < 6; ++i) slot[i] = 0.0;
    } else {
      MATVEC6(slot, TF, fh, 1);
    }
    o.stop();
    lastForces.quiet[static_cast<std::size_t>(p - 1)] = o.holdsOnly(U_WARN);
  }
  for (io::Capture& o : out) o.replay();
  lastForces.valid = RUNCTL.IOUTPS == 0 && !statusSet(ISTAT);
  for (int i = 0; i < 6; ++i) lastForces.U[i] = U[i];
  for (int p = 1; p <= n; ++p)
    for (int i = 0; i < 6; ++i) F[i] += CAPSUM.FPILE(i + 1, p);
  TIMBLK.TPARAL += wallClock() - t0;
}

void STIFF(double* K, const double* U, std::int32_t& ISTAT, bool SCALED) {
  const int n = RUNCTL.NPILE;
  double u[6];
  for (int i = 0; i < 6; ++i) u[i] = U[i];
  for (int i = 0; i < 36; ++i) K[i] = 0.0;
  const bool reuse = reusesForces(U, n);
  lastForces.valid = false;
  NTHRDS(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, n, 0);
  const double t0 = wallClock();
  std::vector<io::Capture> out(static_cast<std::size_t>(std::max(n, 0)));
  // The springs' inputs stay the same through the sum: the 13 solutions of
  // a pile evaluate its soil once.
  const PySprings::SumScope springsScope;
#pragma omp parallel for schedule(static)
  for (int p = 1; p <= n; ++p) {
    io::Capture& o = out[static_cast<std::size_t>(p - 1)];
    o.start();
    double TF[36], TU[36], RT[36], R[36], uh[6], KH[36], KT[36];
    TRANSF(p, TF, TU, RT, R);
    MATVEC6(uh, TU, u, 1);
    PILEHK(p, KH, uh, ISTAT, reuse && lastForces.quiet[static_cast<std::size_t>(p - 1)], SCALED);
    MATVEC6(KT, KH, TU, 6);
    MATVEC6(&CAPSUM.KPILE(1, p), TF, KT, 6);
    o.stop();
  }
  for (io::Capture& o : out) o.replay();
  for (int p = 1; p <= n; ++p)
    for (int i = 0; i < 36; ++i) K[i] += CAPSUM.KPILE(i + 1, p);
  const double dt = wallClock() - t0;
  if (RUNCTL.IOUTPS != 0)
    TIMBLK.TPRINT += dt;
  else
    TIMBLK.TPARAL += dt;
}

}  // namespace drelm
