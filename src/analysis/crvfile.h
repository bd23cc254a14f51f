// The per-pile curve file (unit 28), written at the end of a run when the
// input asks for it: the header record, then every pile's blocks (pile
// properties, p-y, axial and, in space analysis, torsional node curves).
#pragma once

#include <cstdint>

namespace drelm {

// The header record: NPILE, IANTYP, IUNITS (3I10, or three 32-bit integers
// when ICRVUF is not 0).
void CRVHDR();

// The blocks of pile IPILE, written whole or not at all: when a look-up or a
// tip check fails on the pile, none of its records reach the file, the
// runtime log names the pile, and ISTAT takes the status. Returns whether the
// pile was written. The caller has set PYCOLL and KPYLST to 1.
bool CRVPILE(const std::int32_t& IPILE, std::int32_t& ISTAT);

// The whole file, when the input asks for it (ICRVON 1): the header, then
// every pile in turn whatever the status word; PYCOLL and KPYLST are set to 1 for the pass, and KPYLST is 0 again
// at its end.
void CRVFWR(std::int32_t& ISTAT);

}  // namespace drelm
