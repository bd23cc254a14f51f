// p-multipliers of closely spaced piles from the positions of all piles of
// the foundation relative to the direction of movement.
#pragma once

#include <cstdint>

namespace drelm {

// Factors for movement along global Y with the given sense (+1.0 towards +Y,
// -1.0 towards -Y): GRPPF per row, and GRPYF = 1.0.
void GRPRFY(const double& sense);
// The same for movement along global Z: GRPPFZ, and GRPYFZ = 1.0.
void GRPRFZ(const double& sense);

// Factor of the pair (i, j) of the group rule, from the offsets of pile i
// from pile j in diameters: o along the movement, u across it.
double GRPPAIR(double o, double u, double sense);

// Number of individual piles in the working list of the rule: the integer
// parts of the pile counts of the rows.
long long GRPCOUNT();

}  // namespace drelm
