// The result tables of one case, combination or envelope in plane analysis.
#include "analysis/envewr2d.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/anlio.h"
#include "analysis/envewr.h"
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
const std::string HYPHENS(39, '-');

int allCurvesFlag() {
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int p = 1; p <= np; ++p)
    if (PILEAR.ILSCRV(p) < 1) return -1;
  return 1;
}

int rows() { return std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL); }

void values(int unit, const double* v, int n, int w, int d, bool force) {
  for (int i = 0; i < n; ++i) WRREAL(unit, w, d, force ? OUTFRC(v[i]) : v[i]);
  WREOL(unit);
}

void capTable(int U, const double* P, const double* D) {
  empty(U, 3);
  out(U, blanks(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  empty(U, 2);
  out(U, blanks(5) + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  empty(U);
  out(U, blanks(13) + "VERT. LOAD," + load4() + blanks(4) + "HORI. LOAD," + load4() + blanks(4) + "MOMENT," +
             momentLabel());
  io::put(U, blanks(8));
  values(U, P, 3, 18, 5, true);
  empty(U, 2);
  out(U, blanks(5) + "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *");
  empty(U);
  out(U, blanks(16) + "VERTICAL," + len2() + blanks(6) + "HORIZONTAL," + len2() + blanks(4) + "ROTATION,RAD");
  io::put(U, blanks(8));
  values(U, D, 3, 18, 5, false);
}

void fullLine(int U, const double* v) {
  for (int i = 0; i < 3; ++i) {
    WRREAL(U, 18, 8, v[i]);
    WRBLNK(U, 5);
  }
  WREOL(U);
}

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

  double P[3], D[3];
  for (int i = 1; i <= 3; ++i) {
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

// The working copy of row p: its fourteen pile-top slots and node block.
void copyRow(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  c.pile = p;
  for (int s = 1; s <= NPTVAL; ++s) c.top[s] = 0.0;
  for (int s : {1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 19, 20})
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

// Work item 0: the row's compact records on the second results report.
void reportItem(const PileCopy& c, int allCurves) {
  constexpr int U = U_REPORT;
  out(U, "* PILE GROUP *" + intField(6, c.pile));
  const auto topLine = [&](int first) {
    WRBLNK(U, 5);
    for (int i = 0; i < 3; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRBLNK(U, 5);
    for (int i = 3; i < 6; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRREAL(U, 15, 8, c.top[first + 6]);
    WREOL(U);
  };
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. GLOBAL");
  topLine(1);
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. LOCAL");
  topLine(14);
  out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  PRECWR(c, allCurves);
}

// Scratch record: five blanks, the row, six blanks and the values.
void scratchRecord(const PileCopy& c, int first, int n, bool force) {
  std::string r = blanks(5) + intField(6, c.pile) + blanks(6);
  for (int i = 0; i < n; ++i) {
    const double v = c.top[first + i];
    r += anl::gfield(12, 5, force ? OUTFRC(v) : v);
    if (i + 1 < n) r += "  ";
  }
  out(U_PILSCR, r);
}

void pileTopBlock(const PileCopy& c, int first, bool local) {
  constexpr int U = U_RESULTS;
  if (local)
    out(U, blanks(8) + "DISP.x," + len2() + blanks(3) + "DISP.y," + len2() + blanks(5) + "SLOPE" + blanks(5) +
               "AXIAL," + load3() + blanks(4) + "LAT," + load3() + blanks(4) + "BM," + momentLabel() +
               blanks(3) + "STRESS," + stressLabel());
  else
    out(U, blanks(8) + "DISP.X," + len2() + blanks(3) + "DISP.Y," + len2() + blanks(5) + "SLOPE" + blanks(5) +
               "FOR.X," + load3() + blanks(3) + "FOR.Y," + load3() + blanks(3) + "BM," + momentLabel() +
               blanks(3) + "STRESS," + stressLabel());
  empty(U);
  WRBLNK(U, 6);
  for (int i = 0; i < 3; ++i) WRREAL(U, 12, 4, c.top[first + i]);
  for (int i = 3; i < 6; ++i) WRREAL(U, 12, 4, OUTFRC(c.top[first + i]));
  WRBLNK(U, 4);
  WRREAL(U, 12, 4, OUTFRC(c.top[first + 6]));
  WREOL(U);
}

void resultsItem(const PileCopy& c, int KIND, int allCurves) {
  scratchRecord(c, 1, 3, false);
  scratchRecord(c, 4, 4, true);
  scratchRecord(c, 14, 3, false);
  scratchRecord(c, 17, 4, true);

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

// Summary tables of the pile tops read back from the scratch records.
struct Extremes {
  int n = 0;
  double hi[7] = {}, lo[7] = {};
  int phi[7] = {}, plo[7] = {};
  bool first = true;
  void add(int row, const double* v, int count) {
    n = count;
    for (int i = 0; i < count; ++i) {
      if (first || v[i] > hi[i]) {
        hi[i] = v[i];
        phi[i] = row;
      }
      if (first || v[i] < lo[i]) {
        lo[i] = v[i];
        plo[i] = row;
      }
    }
    first = false;
  }
};

std::vector<double> numbers(const std::string& s) {
  std::vector<double> v;
  std::istringstream in(s);
  std::string t;
  while (in >> t) v.push_back(std::strtod(t.c_str(), nullptr));
  return v;
}

std::string columnHeadings(int A, int B) {
  if (A == 1 && B == 1)
    return " DISP. X," + len2() + blanks(3) + "DISP. Y," + len2() + blanks(3) + "ROT. Z,RAD" + blanks(2);
  if (A == 2 && B == 1)
    return " DISP. x," + len2() + blanks(3) + "DISP. y," + len2() + blanks(3) + "ROT. z,RAD" + blanks(2);
  if (A == 1)
    return " FOR. X," + load3() + blanks(3) + "FOR. Y," + load3() + blanks(3) + "MOM Z," + momentLabel() +
           blanks(2) + "STRESS," + stressLabel();
  return "  AXIAL," + load3() + blanks(3) + "LAT. y," + load3() + blanks(3) + "MOM z," + momentLabel() +
         blanks(2) + "STRESS," + stressLabel();
}

std::string underline(int B, bool blankStart) {
  std::string s = blanks(7) + (blankStart ? blanks(10) : std::string(10, '*'));
  const int widths[2][4] = {{11, 11, 11, 0}, {11, 11, 12, 16}};
  for (int i = 0; i < (B == 1 ? 3 : 4); ++i) s += blanks(2) + std::string(widths[B - 1][i], '*');
  return s;
}

void PTOPTB2D(int A, int B) {
  constexpr int S = U_SUMMARY, R = U_SUMSCR;
  static const char* const TITLES[2][2] = {{"* PILE TOP DISPLACEMENTS, GLOBAL *", "* PILE TOP REACTIONS, GLOBAL *"},
                                           {"* PILE TOP DISPLACEMENTS, LOCAL *", "* PILE TOP REACTIONS, LOCAL *"}};
  if (B == 1) out(S, blanks(7) + "* PILE TOP DISPLACEMENTS *");
  else {
    empty(S);
    out(S, blanks(7) + "* PILE TOP REACTIONS *");
  }
  empty(S);
  out(S, blanks(6) + " PILE GROUP " + columnHeadings(A, B));
  out(S, underline(B, false));
  empty(R);
  out(R, blanks(7) + TITLES[A - 1][B - 1]);
  out(R, blanks(6) + blanks(12) + columnHeadings(A, B));
  out(R, underline(B, true));

  const int record = (A - 1) * 2 + B;
  const int count = B == 1 ? 3 : 4;
  io::OPEN(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Read);
  Extremes e;
  std::string rec[8];
  for (int p = 1; p <= rows(); ++p) {
    for (int r = 0; r < 8; ++r)
      if (!io::readLine(U_PILSCR, rec[r])) rec[r].clear();
    const std::string& line = rec[record - 1];
    std::vector<double> v = numbers(line.size() > 11 ? line.substr(11) : std::string());
    v.resize(7, 0.0);
    WRBLNK(S, 7);
    WRINT(S, 6, p);
    WRBLNK(S, 6);
    for (int i = 0; i < count; ++i) {
      WRREAL(S, 11, 4, v[i]);
      WRBLNK(S, 2);
    }
    WREOL(S);
    e.add(p, v.data(), count);
  }
  io::CLOSE(U_PILSCR);
  empty(S);
  for (int U : {S, R})
    for (int m = 0; m < 2; ++m) {
      WRBLNK(U, 7);
      io::put(U, m == 0 ? "  MINIMUM " : "  MAXIMUM ");
      WRBLNK(U, 2);
      for (int i = 0; i < e.n; ++i) {
        WRREAL(U, 11, 4, m == 0 ? e.lo[i] : e.hi[i]);
        WRBLNK(U, 2);
      }
      WREOL(U);
      WRBLNK(U, 7);
      io::put(U, "  Pile G. ");
      WRBLNK(U, 2);
      for (int i = 0; i < e.n; ++i) {
        WRINT(U, 6, m == 0 ? e.plo[i] : e.phi[i]);
        WRBLNK(U, 7);
      }
      WREOL(U);
    }
}

void coordinateHeading(const char* title) {
  constexpr int S = U_SUMMARY;
  empty(S, 2);
  out(S, blanks(7) + title);
  out(S, blanks(7) + HYPHENS);
  empty(S);
}

void PTOPWR2D(const ColumnFlags& flags) {
  coordinateHeading("THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
  PTOPTB2D(1, 1);
  PTOPTB2D(1, 2);
  coordinateHeading("THE PILE COORDINATE SYSTEM (LOCAL AXES)");
  PTOPTB2D(2, 1);
  PTOPTB2D(2, 2);
  for (int U : {U_SUMMARY, U_SUMSCR}) {
    empty(U);
    out(U, blanks(7) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  }
  PTOPEFF(1, flags);
  PTOPEFF(2, flags);
}

}  // namespace

void ENVEWR2D(const std::int32_t& KIND, const std::int32_t& SEL) {
  const int allCurves = allCurvesFlag();
  if (SEL > 0) envelopeHeading(KIND, SEL);

  io::OPEN(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Write);
  PileCopy c;
  for (int p = 1; p <= rows(); ++p) {
    copyRow(p, SEL, c);
    const int t = THRDENV(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, RUNCTL.NPILE, 1);
    const double t0 = wallClock();
    // Two work items, each writing its own files.
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
  PTOPWR2D(flags);
}

}  // namespace drelm
