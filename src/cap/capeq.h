// Equilibrium of the rigid pile cap of a space analysis for one analysis
// pass: load stepping with Newton iterations on the six cap displacements,
// then the records and result tables of the pass.
#pragma once

#include <cstdint>

namespace drelm {

// ISCOMB 0 for a load case, 1 for a combination. PCAP: the full load at the
// cap origin on entry, the load that the reported solution carries on return.
// PPOD, UPOD, XPOD, KPOD: loads, displacements (scaled by the load fraction
// during the pass), coordinates and kinds (0 displacement given, 1 load
// given) at the point of definition. FLDOUT, UCPOUT: load and displacement
// of a target-deflection pass. Outcome through ISTAT, the case status line,
// KPILST and SESTAT.
// Clears the warning counts and the cap's p-y flag at the start of a pass of
// the rigid cap or of the plate model.
void startCapPass();

void CAPEQ(const std::int32_t& ISCOMB, std::int32_t& ISTAT, double* FLDOUT, double* UCPOUT,
           double* PCAP, const double* PPOD, double* UPOD, const double* XPOD,
           const std::int32_t* KPOD);

}  // namespace drelm
