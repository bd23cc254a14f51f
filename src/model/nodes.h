// Node tables of the piles: where each node of a pile lies, which nodes each
// soil layer holds, and the soil-movement profile along the pile. The node
// set-up of the lateral solvers fills them before every single-pile solution;
// the p-y listing and the curve-file writers place the nodes they evaluate.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXNOD = 107;  // node slots of a pile: 101 nodes and the imaginary ones
constexpr int MAXLNL = 40;   // soil layers of the node ranges
constexpr int MAXSMP = 25;   // points of a soil-movement profile

// A node array of a pile: node 1 at the head, node NINC+1 at the tip.
using NodeArray = FArray<double, MAXNOD>;

// How far a node placed from the head may pass the bottom of the deepest
// layer and still lie on it: rounding of the node depths, relative to the
// pile length PLEN.
inline double depthTolerance(double plen) { return 1.0E-9 * plen; }

// Depth between two nodes of pile p: the node spacing DXINC of its property,
// shortened by the batter when depths are adjusted for batter piles. The node
// set-up and the preprocessing's check of the pile tips place nodes with it.
double nodeDepthStep(int p);

struct PILENODE_T {
  PileArray2<double, MAXPIL1, MAXNOD> XNODE;  // global X of node k, for the soil look-ups
  PileArray2<double, MAXPIL1, MAXNOD> XPILE;  // coordinate along the axis, for the section look-ups
};
extern PILENODE_T PILENODE;

struct LAYNODE_T {
  // First and last node of pile p in layer L; LNODE1 = 0 when the layer holds
  // no node of the pile.
  PileArray2<std::int32_t, MAXPIL1, MAXLNL> LNODE1;
  PileArray2<std::int32_t, MAXPIL1, MAXLNL> LNODE2;
};
extern LAYNODE_T LAYNODE;

struct SMVPIL_T {
  // Point k of pile p: (p,k,1) depth below the pile head, (p,k,2) and (p,k,3)
  // the soil movement in the pile's lateral directions 1 and 2.
  PileArray3<double, MAXPIL1, MAXSMP, 3> SMVPIL;
};
extern SMVPIL_T SMVPIL;

}  // namespace drelm
