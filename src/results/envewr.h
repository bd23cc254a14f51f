// Result tables of space analysis: the per-pile tables of the current
// results or of an envelope, the compact per-pile records of the second
// results report, the per-pile scratch records and the summary tables of
// extremes over all piles.
#pragma once

#include <cstdint>

#include "pile/envpil.h"
#include "pile/pilestore.h"
#include "model/fileio.h"

namespace drelm {

// KIND 0 current results, 1 envelope of the load cases, 2 of the load
// combinations; SEL 0 current values, 1 minimum, 2 maximum envelope.
void ENVEWR(const std::int32_t& KIND, const std::int32_t& SEL);

// Thread count of a result-table region: the rule of the pile loops, at
// most NPILE and, with the cap flag 1, at most 2. Raises NTHUSE and NTHRUN.
int THRDENV(std::int32_t NTHLIM, std::int32_t& NTHUSE, std::int32_t& NTHRUN, std::int32_t NPILE,
            std::int32_t CAPFLG);

// One pile's values as the table writers take them: its pile-top values and
// its node block (row 4 the head, NINC + 1 rows).
struct PileCopy {
  int pile = 0;
  double top[NPTVAL + 1] = {};  // 1-based pile-top slots
  NodeBlock block;
  double dx = 0;   // increment length
  int nslot = 0;   // NINC + 4
  int nodes() const { return nslot - 3; }
};

using ColumnFlags = int[NNDQ + 1];  // 1-based print flags of the 25 columns

// The text ENVEWR writes for pile p (second results report, scratch records,
// results report), kept in out by the calling thread; any thread may format
// a pile while others format theirs.
void envewrPile(int p, int KIND, int SEL, int allCurves, PileCopy& c, io::Capture& out);

// Print flags of the along-pile columns: the selections of the series
// (envelopes) or of the case, less the columns the analysis does not fill.
void COLSEL(int envelope, int allCurves, std::int32_t IAXVAR, std::int32_t IANTYP, ColumnFlags& flags);
// Four heading lines of the along-pile table: selector 0 on the results
// report, 1 on the summary, 2 on the summary scratch.
void EFFHDR(const ColumnFlags& flags, int selector);
// Rows of the along-pile table of one pile on the results report.
void EFFROW(const ColumnFlags& flags, const PileCopy& pile, int step);
// Records 5 to 8 of the per-pile scratch: the extremes along the pile and
// their depths.
void PMINMAX(const PileCopy& pile);
// Along-pile records of one pile on the second results report.
void PRECWR(const PileCopy& pile, int allCurves);
// Headings and the seven summary tables of extremes over the piles, read
// back from the per-pile scratch file.
void PTOPWR(int envelope, const ColumnFlags& flags);
// The along-pile table of minima (B = 1) or maxima (B = 2) alone.
void PTOPEFF(int B, const ColumnFlags& flags);

}  // namespace drelm
