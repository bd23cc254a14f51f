// Result stores of the lateral pile solvers: the node result block of one
// solution, its copy into the envelope store, and the equivalent stiffnesses
// of the piles.
#pragma once

#include <cstdint>

#include "model/nodes.h"
#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

// Node result block of one solution: quantity q of node k in (k + 3, q).
using NodeBlock = FArray2<double, MAXNOD, 25>;

// Quantities of the block.
enum NodeQuantity : int {
  NQ_AXMOV = 1,    // axial movement
  NQ_Y1 = 2,       // lateral deflection, direction 1
  NQ_Y2 = 3,       // lateral deflection, direction 2
  NQ_YR = 4,       // resultant deflection
  NQ_GX = 5,       // displacement along global X (vertical)
  NQ_GY = 6,       // along global Y (horizontal)
  NQ_GZ = 7,       // along global Z
  NQ_GH = 8,       // resultant horizontal displacement
  NQ_M1 = 9,       // bending moment, direction 1 (+R y'')
  NQ_M2 = 10,      // bending moment, direction 2
  NQ_MR = 11,      // resultant moment
  NQ_V1 = 12,      // shear, direction 1
  NQ_V2 = 13,      // shear, direction 2
  NQ_VR = 14,      // resultant shear
  NQ_P1 = 15,      // soil reaction, direction 1
  NQ_P2 = 16,      // soil reaction, direction 2
  NQ_PR = 17,      // resultant soil reaction
  NQ_AXLOAD = 18,  // axial force
  NQ_STRESS = 19,  // combined stress
  NQ_R1 = 20,      // flexural rigidity, direction 1
  NQ_R2 = 21,      // flexural rigidity, direction 2
  NQ_Q1 = 22,      // distributed load, direction 1
  NQ_Q2 = 23,      // distributed load, direction 2
  NQ_RBEND = 24,   // bending capacity ratio
  NQ_RSHEAR = 25,  // shear capacity ratio
};

// Packs 25 node arrays into the columns of the block, array q into
// quantity q, all 107 slots.
void LLPPACK(NodeBlock& BLOCK, const NodeArray* const (&COLS)[25]);

// Turns the vector (A, B, C) in the axes of pile IPILE (axial, lateral 1,
// lateral 2) into global axes (X, Y, Z).
void ROTGLB(const std::int32_t& IPILE, const double& A, const double& B, const double& C, double& X,
            double& Y, double& Z);

// Pile-top values of space pile IPILE: the head displacement and the
// reaction of one pile in global axes (UG, FG) and in pile axes (UL, FL),
// and the head stress. Writes PTCUR of the pile and widens PTMIN and PTMAX.
void PENV(const std::int32_t& IPILE, const double& STRESS, const double (&UG)[6], const double (&UL)[6],
          const double (&FG)[6], const double (&FL)[6]);

// The plane block: cleared, then the thirteen arrays of a plane row (all
// 107 slots) in their quantities; the second lateral direction and the
// resultants stay 0.
void LLPPACK2D(NodeBlock& BLOCK, const NodeArray& Y, const NodeArray& M, const NodeArray& V,
               const NodeArray& P, const NodeArray& STRESS, const NodeArray& R, const NodeArray& RBEND,
               const NodeArray& RSHEAR, const NodeArray& AXMOV, const NodeArray& AXLOAD, const NodeArray& GV,
               const NodeArray& GH, const NodeArray& Q);

// Global vertical and horizontal displacement of a point of plane row IPILE
// from its axial and lateral displacement, turned by the row's batter.
void ROTGLB2D(const std::int32_t& IPILE, const double& AXIAL, const double& LATERAL, double& GV, double& GH);

// Copies the block's nodes 1 .. NN (slots 4 .. NSLOT, NSLOT = NN + 3) into
// NDCUR of pile IPILE and widens NDMIN and NDMAX over them. Each pile writes
// only its own slots.
void NODENV(const std::int32_t& IPILE, const std::int32_t& NSLOT, const NodeBlock& BLOCK);

// Equivalent stiffnesses of the piles, stored by the lateral solvers in the
// equivalent-stiffness pass.
struct EQSTIF_T {
  PileArray<double, MAXPIL1> EQPAX;  // axial head force
  PileArray<double, MAXPIL1> EQKAX;  // axial equivalent stiffness
  PileArray<double, MAXPIL1> EQKTR;  // torsional equivalent stiffness
  PileArray<double, MAXPIL1> EQDX;   // node spacing
  PileArray2<double, MAXPIL1, MAXNOD> EQXN;   // distance of node j from the head
  PileArray2<double, MAXPIL1, MAXNOD> EQKN1;  // lateral spring p / y, direction 1
  PileArray2<double, MAXPIL1, MAXNOD> EQKN2;  // the same, direction 2
};
extern EQSTIF_T EQSTIF;

}  // namespace drelm
