// The per-pile curve file, axial and torsional node curves: the third and
// fourth blocks of every pile (the fourth in space analysis only). At every
// node the load-movement (or torque-twist) curve of the soil tributary to the
// node, built from the side t-z curve at the middle of each step and, at the
// tip node, the tip q-w curve. The writers append to the pile's record
// buffer; a look-up or a tip check stores its status in ISTAT and ends the
// block where it stands, and the caller then drops the pile's records.
#pragma once

#include <cstdint>

#include "soil/crvrec.h"

namespace drelm {

constexpr std::int32_t NCRVKD = 19;  // points of an axial or torsional node curve

void AXLSPLT(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out);
void TRPLT(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out);

}  // namespace drelm
