// Shapes of the side load-transfer (t-z) curves: unit side resistance t
// against the local axial movement z of the pile relative to the soil.
//
// Every side curve of the engine, at the input stage and in the analysis, is
// built by one of these five routines. The caller picks the shape from the
// installation type of the pile and the soil type of the layer. A routine
// writes points 1 to 10 of column K of the t and z tables and nothing else
// (TZDRSND may also raise TZMAX(K), see below). Point 1 is always (0, 0).
// t is in internal stress units (psi or kPa), z in internal length units
// (inches or metres). The routines keep no state and write no shared table:
// they run inside the parallel loops over piles.
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

constexpr int MAXTZP = 50;  // point slots of one curve
constexpr int MAXTZC = 90;  // curve slots of a curve set
constexpr int NTZPT = 10;   // points of every curve built by the shapes

// (point, curve): point slots of curve K in column K.
using TzTable = FArray2<double, MAXTZP, MAXTZC>;
// One value per curve.
using TzColumn = FArray<double, MAXTZC>;

// Drilled shaft in sand-like soil: z normalised by the diameter D.
void TZDSSND(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX);
// Drilled shaft in clay-like soil and rock: z normalised by the diameter D.
void TZDSCLY(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX);
// Driven pile in sand-like soil: a hyperbola whose initial slope follows the
// friction angle TZPHI(K) (degrees). A TZMAX(K) of 1.0E-15 or less is
// replaced by 0.001 in the caller's column.
void TZDRSND(const std::int32_t& K, TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, const TzColumn& TZPHI);
// Driven pile in clay-like soil: fixed movements (inches, or metres in SI).
void TZDRCLY(const std::int32_t& K, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX);
// Driven pile in user-curve and elastic-subgrade layers: z normalised by D.
void TZAPICL(const std::int32_t& K, const double& D, TzTable& TZT, TzTable& TZZ, const TzColumn& TZMAX);

}  // namespace drelm
