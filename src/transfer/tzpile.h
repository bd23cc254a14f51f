// Side t-z curves and axial rigidity table of one pile, built afresh at every
// evaluation of a pile whose axial load along the shaft is asked.
#pragma once

#include <cstdint>

#include "transfer/axcrv.h"

namespace drelm {

// Fills the side curves 1 .. 3 x NLAYER + 2 of the curve set: two at the
// ground, then three per soil layer (near its top, at its middle and near its
// bottom). UAX, the axial head displacement, is not used. A failed soil
// look-up stores its status in ISTAT and ends the call; the curve set must
// then not be used.
void TZPILE(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, TzColumn& TZPHI, FArray<double, MAXAEP>& AETAB,
            FArray<double, MAXAEP>& AEDEP, FArray<std::int32_t, MAXTZC>& TZNPT, TzColumn& TZDEP);

// The rules of one side curve, for curves at depths of the caller's choice:
// the unit side friction estimated at X (z below the ground; the drilled
// shafts' beta takes DEPTH, the depth below the ground curve) for a pile of
// installation type PTYPE in soil type T, FS kept for types without a rule;
// false when a look-up stores its status in ST.
bool TZFSEST(std::int32_t PTYPE, std::int32_t T, double X, double z, double DEPTH, double& FS, std::int32_t& ST);
// Points of curve P by the shape of the installation type and soil type,
// scaled by TZMAX(P) and, where the shape asks, by the diameter D.
void TZSHAPE(std::int32_t PTYPE, std::int32_t T, int P, double D, TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX,
             const TzColumn& TZPHI);

// Number of side curves of a pile in the current soil record.
inline int sideCurveCount(std::int32_t nlayer) { return 3 * nlayer + 2; }

}  // namespace drelm
