// The pass file (unit 23): the equivalent stiffnesses of the pass that ends
// the load-factor search of an estimation point, written by the cap solution
// and read back before the equivalent cap stiffness of the point is built.
#pragma once

#include <cstdint>

#include "model/nodes.h"
#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

// Results of the last pass read back from the pass file.
struct PASRES_T {
  FArray<double, MAXPIL1> PASPAX;  // axial load at the pile head
  FArray<double, MAXPIL1> PASKAX;  // axial stiffness of the pile head
  FArray<double, MAXPIL1> PASKTR;  // torsional stiffness of the pile head (space)
  // Lateral soil spring of node n (n = 1 the head): the equivalent soil
  // stiffness per length times the node's share of the pile length.
  FArray2<double, MAXPIL1, MAXNOD> PASNOD;
};
extern PASRES_T PASRES;

// Space analysis: per pile the pile-top equivalent stiffnesses and the
// lateral springs along the pile, from EQSTIF, to the open pass file.
void EQSTIFWR();
// Plane analysis: the same per row, without the torsional and the second
// lateral stiffness.
void EQKWR2D();

// Reads the pass file into PASRES: the case line, the matrix heading and
// the NDOF matrix rows are skipped, then every pile's block. The numbers are
// read as written, whatever their width. Returns false when the file cannot
// be opened or ends before the last pile; what was not read is 0.
bool PASSRD();

// Next load factor SEFACT of the target-deflection search from the history
// of (displacement, factor) pairs: 0 for an empty history, the secant through
// the origin for one pair, else interpolation (extrapolation beyond the
// ends) between the two pairs that bracket the target, the history kept
// sorted by factor.
void FACPRED();

}  // namespace drelm
