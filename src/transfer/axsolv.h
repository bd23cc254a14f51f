// Axial load-transfer solution of one pile for a given head displacement.
#pragma once

#include <cstdint>

#include "model/nodes.h"
#include "transfer/axcrv.h"

namespace drelm {

// Finds the tip movement whose load-transfer march from the tip up gives the
// head displacement UAX (positive into the ground), starting from the
// generated head curve of the pile property in AXTZ. Writes the movement and
// the axial force (positive in compression) of every node into slots 4
// (head) to NINC + 4 (tip) of AXMOV and AXLOAD; the head force is AXLOAD(4).
// NQW is the number of points of the tip curve. A solution that does not
// converge sets KPILST to 4 and leaves the arrays of its last march; ISTAT,
// TZMAX and TZPHI are not used.
void AXSOLV(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& UAX, std::int32_t& ISTAT,
            const std::int32_t& NQW, NodeArray& AXMOV, NodeArray& AXLOAD, const TzTable& TZT, const TzTable& TZZ,
            const TzColumn& TZMAX, const TzColumn& TZPHI, const FArray<double, MAXAEP>& AETAB,
            const FArray<double, MAXAEP>& AEDEP, const FArray<std::int32_t, MAXTZC>& TZNPT, const TzColumn& TZDEP,
            const FArray<double, MAXQWP>& QWQ, const FArray<double, MAXQWP>& QWW);

// Outcome word of a pass whose axial solution did not converge.

}  // namespace drelm
