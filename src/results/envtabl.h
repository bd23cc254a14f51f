// Pieces of the result tables that the space and the plane analysis share;
// N is the number of cap degrees of freedom (6 or 3).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/envewr.h"
#include "model/fileio.h"

namespace drelm::anl {

// Unit labels of the table headings.
std::string len2();
std::string load3();
std::string load4();
std::string momentLabel();
std::string stressLabel();
inline const std::string HYPHENS(39, '-');

// 1 when every pile has a user load-settlement curve, else -1.
int allCurvesFlag();
// n reals Fw.d and the end of the line (forces in output units when force).
void values(int unit, const double* v, int n, int w, int d, bool force);

// Envelope heading, status lines and cap tables (capTable writes one cap
// table on the results report or the summary).
using CapTable = void (*)(int U, const double* P, const double* D);
void envelopeHeading(int KIND, int SEL, int N, CapTable capTable);
// In place of an envelope of a series that the input does not have (no
// load case, KIND 1, or no combination, KIND 2): its name, a note and the
// not-performed line of the case status file.
void envelopeMissing(int KIND, int SEL);

// The node block and increment of pile p in the working copy, from the
// current values (SEL 0), the minima (1) or the maxima (2).
void copyNodes(int p, int SEL, PileCopy& c);

// The pile tables of the results report after the scratch records, by the
// print level of KIND: the pile-top blocks (topBlock writes one coordinate
// system) and the along-pile table, then the extremes along the pile.
using TopBlock = void (*)(const PileCopy& c, int first, bool local);
void pileResultTables(const PileCopy& c, int KIND, int allCurves, TopBlock topBlock);

// Every pile's tables: copy takes the pile's values, then come the compact
// records of the second results report and results (the scratch records and
// the results report tables). The piles are formatted in parallel and their
// text reaches the files in pile order, the same for any thread count.
using CopyPile = void (*)(int p, int SEL, PileCopy& c);
using ResultsItem = void (*)(const PileCopy& c, int KIND, int allCurves);
void pileTables(int KIND, int SEL, int N, int allCurves, CopyPile copy, ResultsItem results);
// The text of pile p alone, kept in `out` by the calling thread for a later
// replay; it reads the envelope store and the model and writes only c and
// out, so piles can be formatted side by side.
void pileItems(int p, int KIND, int SEL, int N, int allCurves, CopyPile copy, ResultsItem results, PileCopy& c,
               io::Capture& out);

// Running extremes of up to 25 columns over the piles: the first pile sets
// them, a later pile replaces one only when strictly beyond it.
struct Extremes {
  int n = 0;
  double hi[NNDQ] = {}, lo[NNDQ] = {};
  int phi[NNDQ] = {}, plo[NNDQ] = {};
  bool first = true;
};
void EXTRPIL(int pile, int count, const double* v, Extremes& e);

// The first n numbers of a scratch record into v, 0 for those it lacks (a
// field that is no number reads as 0 too).
void numbers(std::string_view s, double* v, int n);

// The per-pile scratch, read back whole in blocks: RECORDS records per pile.
class ScratchRecords {
 public:
  static constexpr int RECORDS = 8;
  ScratchRecords();
  ScratchRecords(const ScratchRecords&) = delete;
  ScratchRecords& operator=(const ScratchRecords&) = delete;
  // Record r (1-based) of pile p; empty when the file is missing or ends
  // before it.
  std::string_view record(int p, int r) const;

 private:
  std::string text_;
  std::vector<std::string_view> lines_;
};

// Heading of a coordinate system on the summary.
void coordinateHeading(const char* title);

}  // namespace drelm::anl
