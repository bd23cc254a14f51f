// Tip load-movement (q-w) curve of one pile, built right after its side
// curves on the same curve set.
#pragma once

#include <cstdint>

#include "transfer/axcrv.h"
#include "transfer/headcurves.h"  // the status codes of a tip curve that cannot be built

namespace drelm {

// Fills points 1 .. 10 of QWQ (tip load) and QWW (tip movement), rewrites
// TZDEP(1), TZDEP(2) and the axial rigidity table, and reads the friction
// angle of the deepest side curve. A negative UAX (pull-out) leaves the tip
// the token area TIPAREA0. A failed soil look-up, or a driven pile in clay whose
// tip has no E50 (32) or no strength (33), stores its status in ISTAT and
// ends the call.
void QWPILE(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            TzTable& TZT, TzTable& TZZ, TzColumn& TZMAX, TzColumn& TZPHI, FArray<double, MAXAEP>& AETAB,
            FArray<double, MAXAEP>& AEDEP, TzColumn& TZDEP, FArray<double, MAXQWP>& QWQ,
            FArray<double, MAXQWP>& QWW);

}  // namespace drelm
