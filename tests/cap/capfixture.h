// A pile group on linear (or mildly nonlinear) springs for the cap tests: a
// head response of known form takes the place of the single-pile solvers,
// so that the sums and the cap solution can be checked against hand values.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/casecur.h"
#include "pile/envpil.h"
#include "cap/headrsp.h"
#include "numeric/matrix.h"
#include "pile/transf.h"
#include "model/fileio.h"
#include "model/model.h"
#include "report/labels.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm::test {

// Springs of one pile in its own axes: axial, lateral (both directions),
// torsion, rotation (both directions); the force of the pile on the cap is
// -(k u + c u^3) per component, times the number of identical piles.
struct Springs {
  double k[6] = {};
  double cubic[6] = {};
};

struct SpringGroup {
  std::vector<Springs> piles;  // pile p in piles[p - 1]
  // Failures of the head response, for the paths of the cap solution.
  double lateralFailAbove = 1e300;  // KPILST = 1 when SMVFAC exceeds this
  int lateralFailBudget = 0;        // ... this many times (then sound)
  std::int32_t failCode = KPIL_LATERAL;  // the outcome a failing evaluation raises
  bool bearingWarning = false;      // every evaluation warns of bearing
  double cubicAbove = 1e300;        // the cubic terms act only above this fraction
  int statusPile = 0;               // this pile sets ISTAT = 3
  bool statusWhenReporting = false; // ... only in a reporting sum
  long stopAfter = -1;              // writes a stop request after this many evaluations
  std::atomic<long> calls{0};
  std::vector<double> perturbations;  // head displacements seen (recording on)
  bool record = false;
};

inline SpringGroup& group() {
  static SpringGroup g;
  return g;
}

inline void springHead(const std::int32_t& IPILE, double* f, const double* uh, std::int32_t& ISTAT) {
  SpringGroup& g = group();
  const long call = ++g.calls;
  for (int i = 0; i < 6; ++i) f[i] = 0.0;
  if (g.record)
    for (int i = 0; i < 6; ++i) g.perturbations.push_back(uh[i]);
  if (g.stopAfter >= 0 && call == g.stopAfter) writeFile(FNAMES.FNU(U_STOP).trimmed(), "1\n");
  if (IPILE == g.statusPile && (!g.statusWhenReporting || RUNCTL.IOUTPS != 0)) {
    std::atomic_ref<std::int32_t>(ISTAT).store(STAT_NODE_BELOW);
    return;
  }
  if (std::atomic_ref<std::int32_t>(ISTAT).load() != 0) return;
  if (SMOV.SMVFAC > g.lateralFailAbove && g.lateralFailBudget > 0) {
    raiseOutcome(g.failCode);
    --g.lateralFailBudget;
  }
  if (g.bearingWarning && RUNCTL.IWRNPS == 1) {
    std::atomic_ref<std::int32_t>(RUNCTL.NWBRG).fetch_add(1);
    io::endRecord(U_WARN);
    io::put(U_WARN, "     ** WARNING **  APPARENT FAILURE IN BEARING    ,  PILE GROUP" + std::to_string(IPILE));
    io::endRecord(U_WARN);
    io::put(U_WARN, "                    AX. DISP.=  0.1000E+01 >   0.5000E+00     AX. FORCE=  0.0000E+00");
    io::endRecord(U_WARN);
  }
  double TF[36], TU[36], RT[36], R[36], ul[6], fl[6];
  TRANSF(IPILE, TF, TU, RT, R);
  MATVEC6(ul, R, uh, 1);
  const Springs& s = g.piles[IPILE - 1];
  const bool cubic = SMOV.SMVFAC > g.cubicAbove;
  for (int i = 0; i < 6; ++i)
    fl[i] = -PILEAR.GRPNP(IPILE) * (s.k[i] * ul[i] + (cubic ? s.cubic[i] * ul[i] * ul[i] * ul[i] : 0.0));
  MATVEC6(f, RT, fl, 1);
}

// A vertical pile (or battered: BETA from the horizontal, ALPHA azimuth) with
// its head at (x, y, z).
inline void placePile(int p, double x, double y, double z, double betaDeg = 90.0, double alphaDeg = 0.0) {
  PILEAR.PHX(p) = x;
  PILEAR.PHY(p) = y;
  PILEAR.PHZ(p) = z;
  PILEAR.BETA(p) = betaDeg * M_PI / 180.0;
  PILEAR.ALPHA(p) = alphaDeg * M_PI / 180.0;
  PILEAR.THETA(p) = 0.0;
  PILEAR.GRPNP(p) = 1.0;
}

// Pinned heads on linear springs: axial KAX, lateral KLAT, nothing else.
inline Springs pinned(double kax, double klat) {
  Springs s;
  s.k[0] = kax;
  s.k[1] = s.k[2] = klat;
  return s;
}

// The run files of the cap solution in a scratch directory, and sound
// controls of one load case.
class CapRun {
 public:
  // SPRINGS: the head response of the springs above takes the piles' place
  // (and the tables start cleared); otherwise the piles set up before are
  // solved as they are.
  explicit CapRun(bool springs = true) {
    if (springs) clearTables();
    io::CLOSEALL();
    static const std::pair<int, const char*> files[] = {
        {U_LOG, "cap.log"},      {U_RESULTS, "cap.out"},  {U_SUMMARY, "cap.sum"},
        {U_STATUS, "cap.status"}, {U_REPORT, "cap.report"}, {U_ITER, "cap.iter"},
        {U_SUMSCR, "cap.sumscr"}, {U_PROGRESS, "cap.progress"}, {U_STOP, "cap.stop"},
        {U_WARN, "cap.wrn"},     {U_PILSCR, "cap.pilscr"}, {U_FLXSCR, "cap.flx"},
        {U_CLDSCR, "cap.cld"},   {U_PASS, "cap.eqs"}};
    for (const auto& [u, name] : files) FNAMES.FNU(u) = name;
    for (int u : {U_LOG, U_RESULTS, U_SUMMARY, U_STATUS, U_REPORT, U_ITER, U_SUMSCR, U_FLXSCR, U_CLDSCR})
      io::OPEN(u, name(u), io::Access::Write);
    RUNCONST.EPSLIM = 1.0E-14;
    RUNCTL.IUNITS = 1;
    RUNCTL.IANTYP = 3;
    UNITSET(1, 0);
    CURCTL.TOLCAP = 1.0E-8;
    CURCTL.DTCUR0 = 1.0;
    CURCTL.DTCMIN = 0.01;
    CURCTL.MAXITC = 20;
    CASEIN.NLCASE = 1;
    CASECUR.ICASE = 1;
    CASECUR.NPOINT = CASECUR.IPOINT = CASECUR.LOOPNO = 1;
    ENVPIL.ENVFST = 1;
    group().piles.clear();
    group().calls = 0;
    setHeadResponse(springs ? &springHead : nullptr);
  }
  ~CapRun() {
    setHeadResponse(nullptr);
    io::CLOSEALL();
  }

  static std::string name(int u) { return FNAMES.FNU(u).trimmed(); }

  // Adds a pile; returns its number.
  int add(const Springs& s, double x, double y, double z, double betaDeg = 90.0, double alphaDeg = 0.0) {
    group().piles.push_back(s);
    const int p = static_cast<int>(group().piles.size());
    placePile(p, x, y, z, betaDeg, alphaDeg);
    RUNCTL.NPILE = p;
    return p;
  }

  // Lines of a run file (the file is flushed first).
  std::vector<std::string> lines(int u) {
    io::FLUSH(u);
    return readLines(dir_.path() / name(u));
  }

 private:
  ScratchDir dir_;
};

}  // namespace drelm::test
