// Passive resistance of the soil in front of an embedded cap, as a force and
// moment on the cap, and its tangent stiffness.
#pragma once

#include <cstdint>

namespace drelm {

// Force and moment FP (6, cap origin) of the soil on the cap for the cap
// displacement U: a trapezoidal pressure block over the embedded height, from
// the mean ground level and the mean soil resistance at the cap base that the
// piles' soil response leaves (a force sum refreshes them first, reading the
// cap's soil curve at the horizontal movement of U, passiveMovement), opposing
// the horizontal movement and split between Y and Z by each one's share.
void CAPPAS(double* FP, const double* U, std::int32_t& ISTAT);

// The cap's soil curve for the horizontal cap movement UH: puts in place
// (CAPUHM) the deflection that the force sums to come read the curve at, and
// returns the factor on the resistance read there. Below a smallest movement
// (10 times the plane tangent's difference step) the resistance follows the
// secant there, a straight line through 0: the curve may start with an
// infinite slope (soft clay), and the cap solution measures its tangent by
// central differences, whose steps must see a finite one.
double passiveMovement(double UH);

// The mean ground level G at the heads of piles (or rows) 1..N and the mean
// resistance Q at the cap base times the factor R of passiveMovement, as the
// force sum before left them; kept in CAPGXM and CAPPUM for the report.
void passiveMeans(double R, int N, double& G, double& Q);

// Tangent stiffness KP (6 x 6 by columns) of CAPPAS by central differences.
void CAPPASK(double* KP, const double* U, std::int32_t& ISTAT);

// The pressure block alone, for the space and the plane cap: force H and
// moment M for the embedded height E from the mean ground level GX (negative
// above the cap origin; at or below LIMIT nothing is embedded and all is 0),
// the cap thickness TX, the resistance Q at the cap base and the level G of
// the base; F the resistance at the top of the embedded height.
struct PressureBlock {
  bool embedded = false;
  double H = 0, M = 0, E = 0, F = 0;
};
PressureBlock passiveBlock(double GX, double TX, double Q, double G, double LIMIT);

}  // namespace drelm
