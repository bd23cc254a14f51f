// Values at the nodes of one pile for the lateral solvers.
//
// Two layouts of node arrays (both NodeArray, 107 slots): a plain node array
// holds node k in slot k; a solver array holds node k in slot k + 3, with
// three imaginary slots above the head and two below the tip. Each routine
// writes only its pile's rows and the caller's arrays, so piles run side by
// side on the threads of the force sums.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// Slot of node k in a solver array.
constexpr int solverSlot(int k) { return k + 3; }

// The largest deflection of slots FROM .. TO of the solver array y and the
// largest change from yold there, folded into LARGEST and CHANGE: a lateral
// solution asked to close relative to its deflections compares the two.
inline void foldChange(int from, int to, const NodeArray& y, const NodeArray& yold, double& largest,
                       double& change) {
  for (int i = from; i <= to; ++i) {
    largest = std::fmax(largest, std::fabs(y(i)));
    change = std::fmax(change, std::fabs(y(i) - yold(i)));
  }
}

// Flexural rigidity for bending in direction 1 (EINOD1, moment-curvature set
// about z) or 2 (EINOD2, set about y): secant EI from the curvature of the
// deflections YDEFL at the axial force PX, at slots 4 .. NINC + 4 of the
// solver array EI. A node without a set keeps its EI.
void EINOD1(const std::int32_t& IPILE, const double& PX, NodeArray& EI, const NodeArray& YDEFL);
void EINOD2(const std::int32_t& IPILE, const double& PX, NodeArray& EI, const NodeArray& YDEFL);

// Distributed load intensity in lateral direction 1 or 2 at every node of
// pile IPILE (plain node array Q). The first argument is not read.
void DLQNOD1(const std::int32_t& IDUMMY, const std::int32_t& IPILE, NodeArray& Q);
void DLQNOD2(const std::int32_t& IDUMMY, const std::int32_t& IPILE, NodeArray& Q);

// Secant soil moduli ESOIL, soil-movement load PSMOV and soil reaction PSOIL
// of a pile with its own p-y curves by depth, for the deflections YDEFL and
// the soil movement YSOIL1, YSOIL2 (taken as PYSOIL takes them: the springs
// act on YDEFL - YSOIL1); all solver arrays. Curves that end above
// a node give a note on unit 16 and KPILST = 1.
void PYTABES(const std::int32_t& IPILE, const NodeArray& YDEFL, NodeArray& ESOIL,
             const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL);

// First secant soil moduli K (solver array) of pile p with nn nodes: k_s
// times the depth below the ground surface, 0 above the ground and above
// the first soil layer.
void groundModuli(int p, int nn, NodeArray& K);

// True when pile IPILE takes its own p-y curves by depth instead of the soil
// layers.
bool PYBYDEP(const std::int32_t& IPILE);

}  // namespace drelm
