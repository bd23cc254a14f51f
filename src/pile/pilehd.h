// Head response of one space pile (or row of identical piles): the force it
// exerts on the cap for a displacement of its head.
#pragma once

#include <cstdint>

namespace drelm {

// FHEAD (6, global axes at the pile head) for the head displacement UHEAD
// (6, global axes, already carried from the cap origin to the head).
// Runs the axial, torsional and lateral solutions of pile IPILE and scales
// the reactions by the pile's number of identical piles. A failure leaves
// its code in ISTAT (never cleared here) and FHEAD zero; an unclosed
// lateral solution raises the pass outcome word instead.
void PILEHD(const std::int32_t& IPILE, double* FHEAD, const double* UHEAD, std::int32_t& ISTAT);

}  // namespace drelm
