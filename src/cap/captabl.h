// The cap part of the results of a pass ("* TABLE L *"): the load and the
// displacement at the cap origin and, for a case with a point of definition,
// at that point; in the results report, the summary, the summary scratch and
// the second report.
#pragma once

#include <cstdint>
#include <functional>

namespace drelm {

// The reduction factors for closely spaced piles of the reported state.
void capReductionFactors();

// The "* TABLE L *" headings and blocks of an ordinary report, in the order
// of the reports: point blocks (POD true and a point other than the origin),
// origin blocks and iteration count B to the results report, summary lines,
// origin blocks to the summary, then the second report.
struct PointResult {
  bool shown = false;  // the point is not the origin
  const double* XPOD = nullptr;
  double PP[6] = {};  // load at the point
  double UP[6] = {};  // displacement at the point
  char ROW1[6] = {};  // marks of the given loads
  char ROW2[6] = {};  // marks of the given displacements
};
void capTableL(const double* PCAP, const double* U, std::int32_t B, const PointResult& pt);

// What differs between the Table L of the space and of the plane solution:
// the N components, the origin blocks of a report, the origin lines of the
// summary scratch, and the iteration count line of the results report (its
// text after ten blanks and the width of the count).
struct TableLForm {
  int N;
  void (*origin)(int u, const double* P, const double* U);
  void (*scratch)(const double* P, const double* U);
  const char* iterations;
  int width;
};
// Table L in the order above for the load P and displacement U; POINTS
// writes the point blocks to a report (empty when the point is not shown).
void tableL(const TableLForm& form, const double* P, const double* U, std::int32_t B,
            const std::function<void(int u)>& points);

// Warning of a solution below the full load (fraction TP), to the results
// report and the summary.
void partialLoadWarning(double TP);

// Passive resistance of an embedded cap: |FP(2)|, |FP(3)|, the position of
// the resultant and the width.
void passiveReport(const double* FP);

// The passive resistance record of the second report: the heading, then
// the N values in full precision, five blanks apart.
void passiveRecord(const double* V, int N);

// "* TABLE M *" headings before the per-pile tables, on the results report,
// the summary and, with SCRATCH (the space solution), the summary scratch.
void tableMHeading(bool SCRATCH);

}  // namespace drelm
