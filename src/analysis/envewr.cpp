// The result tables of one case, combination or envelope in space analysis.
#include "analysis/envewr.h"

#include <omp.h>

#include <algorithm>
#include <string>

#include "analysis/anlio.h"
#include "report/convert.h"
#include "report/writers.h"
#include "run/model.h"
#include "run/timing.h"

namespace drelm {

using anl::blanks;
using anl::empty;
using anl::out;

namespace {

std::string len2() { return UNITLB.ULLEN2.str(); }
std::string load3() { return UNITLB.ULLOD3.str(); }
std::string load4() { return UNITLB.ULLOD4.str(); }
std::string momentLabel() { return load3() + "-" + len2(); }
std::string stressLabel() { return load3() + "/" + len2() + "**2"; }
const std::string ANGLE = "RAD";
const std::string HYPHENS(39, '-');

// 1 when every pile has a user load-settlement curve, else -1.
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

// The cap table of an envelope on the results report or the summary.
void capTable(int U, const double* P, const double* D) {
  empty(U, 3);
  out(U, blanks(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  empty(U, 2);
  out(U, blanks(5) + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  empty(U, 2);
  out(U, blanks(11) + "VERT. LOAD," + load4() + blanks(4) + "HOR. LOAD Y," + load4() + blanks(3) +
             "HOR. LOAD Z," + load4());
  io::put(U, blanks(8));
  values(U, P, 3, 18, 5, true);
  empty(U);
  out(U, blanks(10) + "MOMENT X ," + momentLabel() + blanks(4) + "MOMENT Y," + momentLabel() + blanks(4) +
             "MOMENT Z," + momentLabel());
  io::put(U, blanks(8));
  values(U, P + 3, 3, 18, 5, true);
  empty(U, 2);
  out(U, blanks(5) + "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *");
  empty(U, 2);
  out(U, blanks(10) + "  VERTICAL ," + len2() + blanks(6) + "HORIZONTAL Y," + len2() + blanks(5) +
             "HORIZONTAL Z," + len2());
  io::put(U, blanks(8));
  values(U, D, 3, 18, 5, false);
  empty(U);
  out(U, blanks(10) + "ANGLE ROT. X," + ANGLE + blanks(4) + "ANGLE ROT. Y," + ANGLE + blanks(4) +
             "ANGLE ROT. Z," + ANGLE);
  io::put(U, blanks(8));
  values(U, D + 3, 3, 18, 5, false);
}

void fullLine(int U, const double* v) {
  for (int i = 0; i < 6; ++i) {
    WRREAL(U, 18, 8, v[i]);
    WRBLNK(U, 5);
  }
  WREOL(U);
}

// Envelope heading, status lines and cap tables.
void envelopeHeading(int KIND, int SEL) {
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
  for (int i = 1; i <= 6; ++i) {
    P[i - 1] = SEL == 1 ? ENVPIL.CAPFMN(i) : ENVPIL.CAPFMX(i);
    D[i - 1] = SEL == 1 ? ENVPIL.CAPDMN(i) : ENVPIL.CAPDMX(i);
  }
  capTable(U_RESULTS, P, D);
  capTable(U_SUMMARY, P, D);
  for (int U : {U_RESULTS, U_SUMMARY, U_SUMSCR}) {
    empty(U, U == U_SUMSCR ? 1 : 3);
    out(U, blanks(5) + "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
  }
  out(U_REPORT, blanks(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  out(U_REPORT, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  fullLine(U_REPORT, P);
  out(U_REPORT, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  fullLine(U_REPORT, D);
  out(U_REPORT, "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
}

// The working copy of pile p from the selected block.
void copyPile(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  c.pile = p;
  for (int s = 1; s <= NPTVAL; ++s)
    c.top[s] = SEL == 0 ? E.PTCUR(p, s) : (SEL == 1 ? E.PTMIN(p, s) : E.PTMAX(p, s));
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

// Work item 0: the pile's compact records on the second results report.
void reportItem(const PileCopy& c, int allCurves) {
  constexpr int U = U_REPORT;
  out(U, "* PILE GROUP *" + intField(6, c.pile));
  const auto topLine = [&](int first) {
    WRBLNK(U, 5);
    for (int i = 0; i < 6; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRBLNK(U, 5);
    for (int i = 6; i < 12; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRREAL(U, 15, 8, c.top[first + 12]);
    WREOL(U);
  };
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. GLOBAL");
  topLine(1);
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. LOCAL");
  topLine(14);
  out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  PRECWR(c, allCurves);
}

// Record of five blanks, the pile, six blanks and n general fields.
void scratchRecord(const PileCopy& c, int first, int n, bool force) {
  constexpr int U = U_PILSCR;
  std::string r = blanks(5) + intField(6, c.pile) + blanks(6);
  for (int i = 0; i < n; ++i) {
    const double v = c.top[first + i];
    r += anl::gfield(12, 5, force ? OUTFRC(v) : v);
    if (i < 6) r += "  ";
  }
  out(U, r);
}

// The pile-top table of one coordinate system on the results report.
void pileTopBlock(const PileCopy& c, int first, bool local) {
  constexpr int U = U_RESULTS;
  empty(U);
  const std::string x = local ? "x" : "X", y = local ? "y" : "Y", z = local ? "z" : "Z";
  out(U, blanks(5) + " DISP. " + x + "," + len2() + blanks(3) + "DISP. " + y + "," + len2() + blanks(3) +
             "DISP. " + z + "," + len2() + blanks(3) + "ROT. " + x + "," + ANGLE + blanks(3) + "ROT. " + y +
             "," + ANGLE + blanks(3) + "ROT. " + z + "," + ANGLE + blanks(2));
  io::put(U, blanks(3));
  values(U, c.top + first, 6, 13, 4, false);
  empty(U);
  if (local) {
    out(U, blanks(5) + "  AXIAL," + load3() + blanks(3) + "LAT. y," + load3() + blanks(3) + "LAT. z," +
               load3() + blanks(2) + "MOM x," + momentLabel() + blanks(1) + "MOM y," + momentLabel() +
               blanks(1) + "MOM z," + momentLabel());
  } else {
    out(U, blanks(5) + " FOR. X," + load3() + blanks(3) + "FOR. Y," + load3() + blanks(3) + "FOR. Z," +
               load3() + blanks(2) + "MOM X," + momentLabel() + blanks(1) + "MOM Y," + momentLabel() +
               blanks(1) + "MOM Z," + momentLabel());
  }
  io::put(U, blanks(3));
  values(U, c.top + first + 6, 6, 13, 4, true);
  empty(U);
  out(U, blanks(5) + "STR," + stressLabel());
  io::put(U, blanks(3));
  values(U, c.top + first + 12, 1, 13, 4, true);
}

// Work item 1: the scratch records, the pile's tables on the results report
// and the extremes along the pile.
void resultsItem(const PileCopy& c, int KIND, int allCurves) {
  scratchRecord(c, 1, 6, false);
  scratchRecord(c, 7, 7, true);
  scratchRecord(c, 14, 6, false);
  scratchRecord(c, 20, 7, true);

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
    pileTopBlock(c, 1, false);
    empty(U, 2);
    out(U, blanks(7) + "THE PILE COORDINATE SYSTEM (LOCAL AXES)");
    out(U, blanks(7) + HYPHENS);
    empty(U);
    pileTopBlock(c, 14, true);
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

}  // namespace

int THRDENV(std::int32_t NTHLIM, std::int32_t& NTHUSE, std::int32_t& NTHRUN, std::int32_t NPILE,
            std::int32_t CAPFLG) {
  const int p = std::max<int>(TIMBLK.NPROCS, 1);
  int t;
  if (NTHLIM != 0) t = std::min<int>(p, NTHLIM);
  else if (p > 3) t = p - 2;
  else if (p >= 2) t = p - 1;
  else t = p;
  t = std::min<int>(t, NPILE);
  if (CAPFLG == 1) t = std::min(t, 2);
  t = std::max(t, 1);
  NTHUSE = std::max<std::int32_t>(NTHUSE, t);
  NTHRUN = std::max<std::int32_t>(NTHRUN, t);
  return t;
}

void ENVEWR(const std::int32_t& KIND, const std::int32_t& SEL) {
  const int allCurves = allCurvesFlag();
  if (SEL > 0) envelopeHeading(KIND, SEL);

  io::OPEN(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Write);
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  PileCopy c;
  for (int p = 1; p <= np; ++p) {
    copyPile(p, SEL, c);
    const int t = THRDENV(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, RUNCTL.NPILE, 1);
    const double t0 = wallClock();
    // Two work items, each writing its own files: the second results report,
    // and the scratch records with the results report.
#pragma omp parallel for schedule(static) num_threads(t)
    for (int item = 0; item < 2; ++item) {
      if (item == 0) reportItem(c, allCurves);
      else resultsItem(c, KIND, allCurves);
    }
    TIMBLK.TPRINT += wallClock() - t0;
  }
  io::CLOSE(U_PILSCR);

  ColumnFlags flags;
  COLSEL(KIND != 0 ? 1 : 0, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP, flags);
  PTOPWR(KIND != 0 ? 1 : 0, flags);
}

}  // namespace drelm
