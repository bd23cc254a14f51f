// The per-pile curve file, pile properties and p-y node curves: the first two
// blocks of every pile. The writers append to the pile's record buffer; the
// caller writes the pile to the file once all its blocks are whole.
//
// Geometry of pile p with property q: step S = PLEN(q) / NCRVST, node j at
// X(j) = PHX(p) + (j - 1) S (node NCRVST + 1 is the tip), step j from node j
// to node j + 1 with its middle at M(j) = X(j) + S / 2. Values are written in
// internal units.
#pragma once

#include <cstdint>

#include "soil/crvrec.h"

namespace drelm {

// Block kinds of the third integer of a block header.
constexpr std::int32_t CRV_PROPERTIES = 0;
constexpr std::int32_t CRV_PY = 1;
constexpr std::int32_t CRV_AXIAL = 2;
constexpr std::int32_t CRV_TORSION = 3;

// Property block of pile IPILE: the length, the head coordinates, the
// orientation rows and, at the middle of every step, the section values.
void PPRPWR(const std::int32_t& IPILE, CrvRecords& out);

// P-y block of pile IPILE: at every node the curve of the soil tributary to
// the node (the lower half of the step above, the upper half of the step
// below), by the criteria in collect mode. The caller has set PYCOLL and
// KPYLST to 1. A criterion's status goes to ISTAT.
void PYCRVWR(const std::int32_t& IPILE, std::int32_t& ISTAT, CrvRecords& out);

// Node curve header of a p-y node: 1, COUNT, KIND when the node carries a
// curve, else 0, 0, KIND.
void PYCRVHDR(bool curve, std::int32_t kind, std::int32_t count, CrvRecords& out);
// The 2N - 1 point records of the node curve (Y(1..N), F(1..N)): the side of
// negative deflection mirrors the positive side, point 1 written once.
void PYCRVREC(const double* Y, const double* F, int N, CrvRecords& out);

// Geometry of the curve file for pile p.
double crvStep(std::int32_t p);
inline double crvNodeX(double phx, double step, int j) { return phx + (j - 1) * step; }

}  // namespace drelm
