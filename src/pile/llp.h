// Lateral solution of one space pile: a beam-column on nonlinear soil
// springs in its two lateral directions, by five-point finite differences
// on the pile's nodes, iterated on the secant soil moduli.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Values along the pile of a converged lateral solution, for the result
// stores; solver arrays (node k in slot k + 3), filled at slots 4 .. NINC + 4.
// Index d - 1 is lateral direction d.
struct LLPRES {
  std::int32_t NN = 0;      // nodes of the pile
  NodeArray Y[2];           // deflections
  NodeArray S[2];           // slopes
  NodeArray M[2];           // bending moments, -R y''
  NodeArray V[2];           // shears
  NodeArray P[2];           // soil reactions k y
  NodeArray R[2];           // flexural rigidities
  NodeArray Q[2];           // axial force of the bending equations
  NodeArray QD[2];          // distributed load intensities
  NodeArray YS[2];          // soil movement at the nodes (0 without)
  NodeArray ESOIL;          // secant soil moduli
  NodeArray PSOIL;          // soil reaction of the p-y evaluation
  NodeArray AXMOV, AXLOAD;  // axial movement and force as received
  NodeArray BSTRESS;        // bending stress
  NodeArray CSTRESS;        // combined stress |Q1| / A + bending stress
  NodeArray BRATIO;         // sqrt(M1^2 + M2^2) / Mn / RFBEND (0 where Mn <= 1E-14)
  NodeArray SRATIO;         // sqrt(V1^2 + V2^2) / Vn / RFSHR (0 where Vn <= 1E-14)
  std::int32_t ITER = 0;    // solutions made
};

// Pile IPILE for head deflections YT1, YT2 and head rotation terms ST1, ST2
// (the prescribed head slopes are -ST1 and -ST2) under the axial head force
// PX and the torque TX. Returns the head shears VT1, VT2 and moments MT1,
// MT2. ULOC is the head displacement in pile axes (6), RT the pile-to-global
// rotation (6 x 6 by columns); AXMOV and AXLOAD the axial movement and force
// of the axial solution (solver arrays, zero when it did not run).
// No closure within the case's iteration limit: warning on units 16 and 10,
// KPILST = 1 and the head values are not written. A failed soil look-up
// leaves its status in ISTAT and ends the call. A converged solution of a
// reporting pass (IOUTPS 1 or 2) fills the pile's result stores. RES, when
// given, receives the values along the pile of a converged solution.
void LLP(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& YT2,
         const double& ST2, const double& PX, const double& TX, double& VT1, double& VT2,
         double& MT1, double& MT2, std::int32_t& ISTAT, const double* ULOC, const double* RT,
         const NodeArray& AXMOV, const NodeArray& AXLOAD, LLPRES* RES = nullptr);

}  // namespace drelm
