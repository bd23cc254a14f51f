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

// Number of side curves of a pile in the current soil record.
inline int sideCurveCount(std::int32_t nlayer) { return 3 * nlayer + 2; }

}  // namespace drelm
