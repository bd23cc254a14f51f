// The result tables of one case, combination or envelope in plane analysis.
#include "results/envewr2d.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "results/anlio.h"
#include "results/envewr.h"
#include "results/envtabl.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/model.h"

namespace drelm {

using namespace anl;

namespace {

int rows() { return std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL); }

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

// The working copy of row p: its fourteen pile-top slots and node block.
void copyRow(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  c.pile = p;
  for (int s = 1; s <= NPTVAL; ++s) c.top[s] = 0.0;
  for (int s : {1, 2, 3, 4, 5, 6, 7, 14, 15, 16, 17, 18, 19, 20})
    c.top[s] = SEL == 0 ? E.PTCUR(p, s) : (SEL == 1 ? E.PTMIN(p, s) : E.PTMAX(p, s));
  copyNodes(p, SEL, c);
}

// Scratch record: five blanks, the row, six blanks and the values.
void scratchRecord(const PileCopy& c, int first, int n, bool force) {
  std::string r = blanks(5) + intField(6, c.pile) + blanks(6);
  for (int i = 0; i < n; ++i) {
    const double v = c.top[first + i];
    r += gfield(12, 5, force ? OUTFRC(v) : v);
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
  pileResultTables(c, KIND, allCurves, pileTopBlock);
}

// Summary tables of the pile tops read back from the scratch records.
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
  const ScratchRecords scratch;
  Extremes e;
  for (int p = 1; p <= rows(); ++p) {
    const std::string_view line = scratch.record(p, record);
    double v[7];
    numbers(line.size() > 11 ? line.substr(11) : std::string_view(), v, 7);
    WRBLNK(S, 7);
    WRINT(S, 6, p);
    WRBLNK(S, 6);
    for (int i = 0; i < count; ++i) {
      WRREAL(S, 11, 4, v[i]);
      WRBLNK(S, 2);
    }
    WREOL(S);
    EXTRPIL(p, count, v, e);
  }
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
  if (SEL > 0) envelopeHeading(KIND, SEL, 3, capTable);
  pileTables(KIND, SEL, 3, allCurves, copyRow, resultsItem);

  ColumnFlags flags;
  COLSEL(KIND != 0 ? 1 : 0, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP, flags);
  PTOPWR2D(flags);
}

}  // namespace drelm
