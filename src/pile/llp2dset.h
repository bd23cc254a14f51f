// Set-up that the plane lateral solvers (LLP2D, LLPH2D) share. Solver arrays
// are in slot form: node k of the pile in slot k + 3, imaginary nodes around.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// The status word, read while other piles may be setting it.
inline std::int32_t statusOf(std::int32_t& ISTAT) {
  return std::atomic_ref<std::int32_t>(ISTAT).load(std::memory_order_relaxed);
}

// False, with status 43, when N increments leave the node slots (the node
// set-up has rejected such a property already; never overrun).
bool incrementsFit2D(int n, std::int32_t& ISTAT);

// The distributed load of pile p at its nn nodes: q by node, w by slot;
// both left as they are when the pile has none.
void distLoad2D(int p, int nn, NodeArray& q, NodeArray& w);

// Axial force of slots 3 .. n + 6: PX, or the axial load along the pile
// when it varies with depth, the imaginary slots repeating the ends.
void axialForces2D(int p, int n, double PX, const NodeArray& AXLOAD, NodeArray& Q);

// Rigidity of slots 3 .. n + 6 at the axial coordinate of their node
// (imaginary slots take the head or tip node).
void rigidity2D(int p, int t, int n, NodeArray& R);

// A moment-curvature update of the rigidity at deflections y: the real
// nodes change; the imaginary slots take the end values again, as the end
// conditions and the tip row assume a uniform rigidity across each end.
void updateEI2D(int p, int n, double PX, NodeArray& R, const NodeArray& y);

}  // namespace drelm
