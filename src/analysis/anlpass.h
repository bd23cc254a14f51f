// One analysis pass of a load case or combination: the loads it takes and
// the call of the cap solution. Shared by the case, combination and
// estimation loops of the analysis driver.
#pragma once

#include <cstdint>

namespace drelm::anl {

// The loads of one pass and the point of definition of the case. Vectors
// keep the space layout in plane analysis too: the moment and the rotation
// stay in component 6 and the pass takes them from there.
struct PassLoads {
  double PCAP[6] = {};
  double PSAVE[6] = {};
  double PPOD[6] = {}, UPOD[6] = {}, XPOD[6] = {};
  double UPOD0[6] = {};  // given displacements, restored before every pass
  std::int32_t KPOD[6] = {1, 1, 1, 1, 1, 1};
  double FLDOUT[6] = {}, UCPOUT[6] = {};
};

bool space();

// Number of cap degrees of freedom: 3 in plane analysis (vertical,
// horizontal, rotation), 6 in space analysis.
int capDofs();

// Slot (0-based) of the 6-slot vectors that holds cap degree of freedom dof
// (1-based): the plane rotation, degree of freedom 3, stays in slot 6.
int loadSlot(std::int32_t dof);

// Loads of load case c at the cap origin and along the piles, the point of
// definition of a case of that kind; PSAVE and UPOD0 keep them.
void caseLoads(std::int32_t c, PassLoads& L);

// One pass of the cap solution with the load PCAP. A load case rewrites the
// pass file first.
void runPass(bool comb, PassLoads& L, std::int32_t& ISTAT);

}  // namespace drelm::anl
