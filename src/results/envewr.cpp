// The result tables of one case, combination or envelope in space analysis.
#include "results/envewr.h"

#include <algorithm>
#include <string>

#include "results/anlio.h"
#include "results/envtabl.h"
#include "results/nthrds.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/model.h"
#include "report/timing.h"

namespace drelm {

using namespace anl;

namespace {

const std::string ANGLE = "RAD";

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

// The working copy of pile p from the selected block.
void copyPile(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  c.pile = p;
  for (int s = 1; s <= NPTVAL; ++s)
    c.top[s] = SEL == 0 ? E.PTCUR(p, s) : (SEL == 1 ? E.PTMIN(p, s) : E.PTMAX(p, s));
  copyNodes(p, SEL, c);
}

// Record of five blanks, the pile, six blanks and n general fields.
void scratchRecord(const PileCopy& c, int first, int n, bool force) {
  constexpr int U = U_PILSCR;
  std::string r = blanks(5) + intField(6, c.pile) + blanks(6);
  for (int i = 0; i < n; ++i) {
    const double v = c.top[first + i];
    r += gfield(12, 5, force ? OUTFRC(v) : v);
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
  pileResultTables(c, KIND, allCurves, pileTopBlock);
}

}  // namespace

int THRDENV(std::int32_t NTHLIM, std::int32_t& NTHUSE, std::int32_t& NTHRUN, std::int32_t NPILE,
            std::int32_t CAPFLG) {
  const int t = threadCount(std::max<int>(TIMBLK.NPROCS, 1), NTHLIM, NPILE, CAPFLG);
  NTHUSE = std::max<std::int32_t>(NTHUSE, t);
  NTHRUN = std::max<std::int32_t>(NTHRUN, t);
  return t;
}

void envewrPile(int p, int KIND, int SEL, int allCurves, PileCopy& c, io::Capture& out) {
  pileItems(p, KIND, SEL, 6, allCurves, copyPile, resultsItem, c, out);
}

void ENVEWR(const std::int32_t& KIND, const std::int32_t& SEL) {
  const int allCurves = allCurvesFlag();
  if (SEL > 0) envelopeHeading(KIND, SEL, 6, capTable);
  pileTables(KIND, SEL, 6, allCurves, copyPile, resultsItem);

  ColumnFlags flags;
  COLSEL(KIND != 0 ? 1 : 0, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP, flags);
  PTOPWR(KIND != 0 ? 1 : 0, flags);
}

}  // namespace drelm
