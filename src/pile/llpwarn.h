// Warnings of a lateral pile solution that did not close or whose equations
// are singular, shared by the space and plane solvers.
#pragma once

#include <cstdint>

namespace drelm {

// "NO CLOSURE OF A LLP AFTER maxit ITERATIONS" for pile (or row) `pile`, to
// the results report and the runtime log, one whole write per unit.
void llpNoClosure(std::int32_t maxit, std::int32_t pile);

// "NO SOLUTION OF A LLP, SINGULAR PILE EQUATIONS" for pile (or row) `pile`.
void llpSingular(std::int32_t pile);

}  // namespace drelm
