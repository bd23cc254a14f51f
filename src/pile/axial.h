// Axial response of one space pile for its axial head displacement, from the
// pile-head load-settlement curve or, when the case asks for the variation
// of the axial load along the pile, from the load-transfer solution.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/nodes.h"

namespace drelm {

// Axial head force PX of pile IPILE for the head displacement ULOC(1) (pile
// axes; the rest of ULOC is not read). With the variation of the axial load
// (IAXVAR = 1) and a generated curve, the load-transfer solution gives PX and
// fills AXMOV and AXLOAD (node k in slot k + 3, AXLOAD already times
// PAXFAC); otherwise both stay 0. Beyond the ends of the curve the end value
// is kept (ICRVMX = 1) or PX is 0 and no solution is run; the warning pass
// writes the warnings to unit 25 and counts them in NWBRG and NWPULL. A failed
// soil look-up of the solution stores its code in ISTAT (atomically); a
// solution that does not converge raises KPILST to 4.
void AXIAL(const std::int32_t& IPILE, double& PX, const double (&ULOC)[6], NodeArray& AXMOV, NodeArray& AXLOAD,
           std::int32_t& ISTAT);

// The response shared by the space and the plane pile: D the axial head
// displacement, W the writer's warning texts.
struct CurveWarnings;
void AXRESP(const std::int32_t& IPILE, double& PX, double D, NodeArray& AXMOV, NodeArray& AXLOAD,
            std::int32_t& ISTAT, const CurveWarnings& W);

// The warnings of an axial response: the space and the plane writer title
// the two bearing warnings and the pull-out one beyond the end value in
// their own words; the rest is shared.
CurveWarnings axialWarnings(std::string_view beyondMax, std::string_view beyondFail,
                            std::string_view beforeMax);

}  // namespace drelm
