#include "analysis/envtabl.h"

#include <omp.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "analysis/anlio.h"
#include "cap/caplines.h"
#include "report/convert.h"
#include "report/writers.h"
#include "run/model.h"
#include "run/timing.h"

namespace drelm::anl {

std::string len2() { return UNITLB.ULLEN2.str(); }
std::string load3() { return UNITLB.ULLOD3.str(); }
std::string load4() { return UNITLB.ULLOD4.str(); }
std::string momentLabel() { return load3() + "-" + len2(); }
std::string stressLabel() { return load3() + "/" + len2() + "**2"; }

int allCurvesFlag() {
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int p = 1; p <= np; ++p)
    if (PILEAR.ILSCRV(p) < 1) return -1;
  return 1;
}

void values(int unit, const double* v, int n, int w, int d, bool force) {
  for (int i = 0; i < n; ++i) WRREAL(unit, w, d, force ? OUTFRC(v[i]) : v[i]);
  WREOL(unit);
}

void envelopeHeading(int KIND, int SEL, int N, CapTable capTable) {
  const bool cases = KIND != 2;
  const std::string digit = SEL == 1 ? "1" : "2";
  const std::string env = cases ? "LOAD CASE ENV : " : "LOAD COMB. ENV : ";
  const std::string name = cases ? "CASE NAME     : " : "COMB. NAME     : ";
  const std::string which = SEL == 1 ? "MINIMUM ENVELOPE" : "MAXIMUM ENVELOPE";
  for (int U : {U_RESULTS, U_SUMMARY}) {
    empty(U, 3);
    out(U, blanks(5) + env + digit);
    out(U, blanks(5) + name + which);
  }
  out(U_REPORT, env + digit);
  out(U_STATUS, env + digit);
  out(U_STATUS, blanks(6) + which);
  out(U_STATUS, "    1 CALCULATED AND PRINTED");

  double P[6], D[6];
  for (int i = 1; i <= N; ++i) {
    P[i - 1] = SEL == 1 ? ENVPIL.CAPFMN(i) : ENVPIL.CAPFMX(i);
    D[i - 1] = SEL == 1 ? ENVPIL.CAPDMN(i) : ENVPIL.CAPDMX(i);
  }
  capTable(U_RESULTS, P, D);
  capTable(U_SUMMARY, P, D);
  for (int U : {U_RESULTS, U_SUMMARY, U_SUMSCR}) {
    empty(U, U == U_SUMSCR ? 1 : 3);
    out(U, blanks(5) + "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
  }
  cap::reportTableL(P, D, N);
  out(U_REPORT, "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
}

void copyNodes(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const bool prop = t >= 1 && t <= MAXPRPS;
  const int ninc = prop ? std::clamp<int>(PILEPROP.NINC(t), 0, MAXNOD - 4) : 0;
  c.dx = prop && ninc > 0 ? PILEPROP.PLEN(t) / ninc : 0.0;
  c.nslot = ninc + 4;
  c.block.fill(0.0);
  for (int q = 1; q <= NNDQ; ++q)
    for (int n = 4; n <= c.nslot; ++n)
      c.block(n, q) = SEL == 0 ? E.NDCUR(p, n, q) : (SEL == 1 ? E.NDMIN(p, n, q) : E.NDMAX(p, n, q));
}

namespace {

// Work item 0: the pile's compact records on the second results report:
// the N displacements, the N reactions and the stress of each system.
void reportItem(const PileCopy& c, int allCurves, int N) {
  constexpr int U = U_REPORT;
  out(U, "* PILE GROUP *" + intField(6, c.pile));
  const auto topLine = [&](int first) {
    WRBLNK(U, 5);
    for (int i = 0; i < N; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRBLNK(U, 5);
    for (int i = N; i < 2 * N; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRREAL(U, 15, 8, c.top[first + 2 * N]);
    WREOL(U);
  };
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. GLOBAL");
  topLine(1);
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. LOCAL");
  topLine(14);
  out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  PRECWR(c, allCurves);
}

}  // namespace

void pileResultTables(const PileCopy& c, int KIND, int allCurves, TopBlock topBlock) {
  int level, step, alongLevel;
  if (KIND == 0) {
    level = ENVOPT.IPRLVS;
    step = ENVOPT.NPRNDS;
    alongLevel = level;
  } else if (KIND == 1) {
    level = ENVOPT.IPRLVC;
    step = ENVOPT.NPRNDC;
    alongLevel = level;
  } else {
    level = ENVOPT.IPRLVB;
    step = ENVOPT.NPRNDB;
    alongLevel = level > 1 ? level : 0;
  }
  constexpr int U = U_RESULTS;
  if (level > 0) {
    empty(U, 2);
    out(U, blanks(7) + "* PILE GROUP *" + intField(6, c.pile));
    empty(U, 2);
    out(U, blanks(8) + "* PILE TOP DISPLACEMENTS AND REACTIONS *");
    empty(U);
    empty(U);
    out(U, blanks(7) + "THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
    out(U, blanks(7) + HYPHENS);
    empty(U);
    topBlock(c, 1, false);
    empty(U, 2);
    out(U, blanks(7) + "THE PILE COORDINATE SYSTEM (LOCAL AXES)");
    out(U, blanks(7) + HYPHENS);
    empty(U);
    topBlock(c, 14, true);
  }
  if (alongLevel > 0) {
    empty(U, 2);
    out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
    empty(U);
    ColumnFlags flags;
    COLSEL(KIND != 0 ? 1 : 0, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP, flags);
    EFFHDR(flags, 0);
    EFFROW(flags, c, step);
  }
  PMINMAX(c);
}

void pileTables(int KIND, int SEL, int N, int allCurves, CopyPile copy, ResultsItem results) {
  io::openChecked(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Write);
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  PileCopy c;
  for (int p = 1; p <= np; ++p) {
    copy(p, SEL, c);
    const int t = THRDENV(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, RUNCTL.NPILE, 1);
    const double t0 = wallClock();
#pragma omp parallel for schedule(static) num_threads(t)
    for (int item = 0; item < 2; ++item) {
      if (item == 0) reportItem(c, allCurves, N);
      else results(c, KIND, allCurves);
    }
    TIMBLK.TPRINT += wallClock() - t0;
  }
  io::CLOSE(U_PILSCR);
}

void EXTRPIL(int pile, int count, const double* v, Extremes& e) {
  e.n = count;
  for (int i = 0; i < count; ++i) {
    if (e.first || v[i] > e.hi[i]) {
      e.hi[i] = v[i];
      e.phi[i] = pile;
    }
    if (e.first || v[i] < e.lo[i]) {
      e.lo[i] = v[i];
      e.plo[i] = pile;
    }
  }
  e.first = false;
}

std::vector<double> numbers(const std::string& s) {
  std::vector<double> v;
  std::istringstream in(s);
  std::string t;
  while (in >> t) v.push_back(std::strtod(t.c_str(), nullptr));
  return v;
}

void coordinateHeading(const char* title) {
  constexpr int S = U_SUMMARY;
  empty(S, 2);
  out(S, blanks(7) + title);
  out(S, blanks(7) + HYPHENS);
  empty(S);
}

}  // namespace drelm::anl
