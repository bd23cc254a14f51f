// Line search of the cap iteration: how far to go along a Newton direction.
// The force the piles exert on the cap grows monotonically with the cap
// displacement, so along a direction d the residual's component g(t) =
// d . R(U + t d) falls from g(0) > 0 through 0 at the point of equilibrium
// along d. Where the tangent is far off (p-y curves with an infinite slope at
// zero deflection), the full step t = 1 lands beyond that point, as far on
// the other side as it started, and plain Newton swings for ever.
#pragma once

#include <functional>

namespace drelm {

// g(t) for a trial fraction t of the step; false when the trial state cannot
// be evaluated (a pile solution failed): it counts as beyond the root.
using LineResidual = std::function<bool(double t, double& g)>;

// The fraction t in (0, 1] of the step along which g, with g(0) = G0 > 0,
// has fallen within TOL * G0 of 0, found by regula falsi (Illinois) on [0, 1]
// in at most MAXEVAL evaluations of g; 1 at once when g(1) >= 0 (the step
// stops short of the root or meets it: Newton goes on from there). When the
// evaluations run out, the trial of the smallest |g| if it is below G0; 0
// when none is (or none could be evaluated): the step is better not taken.
double lineSearch(double G0, const LineResidual& g, int MAXEVAL, double TOL);

}  // namespace drelm
