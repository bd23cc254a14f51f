// The steps of the input report and preprocessing. Each writes its part of
// the input echo (unit 32) and derives the working tables that it shows.
#pragma once

#include <cstdint>

#include "report/prpftl.h"

namespace drelm {

// Opening lines of the input echo, the pile cap options and the cap width.
void PRPCAP(std::int32_t& ISTAT);
// Pile group arrangement: per-pile arrays, the cap entry, angles in radians.
void PRPPIL(std::int32_t& ISTAT);
// Pile properties, section rows, moment-curvature set numbers, section table.
void PRPSEC(std::int32_t& ISTAT);
// Echo of every cross section of the input.
void ECHSEC(std::int32_t& ISTAT);
// The tip of every pile whose head curves are generated against the bottom
// of the soil profile (status 3, plane 13, naming the pile and both depths).
void PRPTIP(std::int32_t& ISTAT);
// User p-y curves: the working table and "* TABLE G *".
void PRPUPY(std::int32_t& ISTAT);

}  // namespace drelm
