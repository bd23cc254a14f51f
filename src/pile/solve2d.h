// The beam-column solution that the plane lateral solvers (LLP2D, LLPH2D)
// share: axial forces, rigidity and head rows, then new soil moduli after
// every solution until two solutions agree within TOLPIL.
#pragma once

#include <cstdint>

#include "model/nodes.h"

namespace drelm {

// The solver arrays of one plane solution (node k in slot k + 3): the
// deflections y and those of the solution before yp, rigidity R, soil
// moduli k, axial force Q, load w and the recursion terms A, B, C.
struct Beam2D {
  NodeArray y, yp, R, k, Q, w, A, B, C;
};

// The caller's update of the moduli, called without a copy or an allocation:
// the solver runs once per row in every cap iteration.
class ModuliUpdate {
 public:
  template <class F>
  ModuliUpdate(const F& f) : obj_(&f), call_([](const void* o) { return (*static_cast<const F*>(o))(); }) {}
  bool operator()() const { return call_(obj_); }

 private:
  const void* obj_;
  bool (*call_)(const void*);
};

// Solves row p (property t, n increments of length h) for the head
// deflection YT1 and slope ST1 at the axial force PX (or the axial load
// AXLOAD along the pile), starting from the moduli in b.k and the load in
// b.w. After a solution that has not closed, `moduli` sets b.k (and b.w)
// from b.y; it returns false when the soil look-up failed. True when the
// iteration closed; false after singular equations or no closure (a
// warning and KPIL_LATERAL) or a failed look-up.
bool solve2D(int p, int t, int n, double h, double PX, const NodeArray& AXLOAD, double YT1, double ST1,
             Beam2D& b, ModuliUpdate moduli);

}  // namespace drelm
