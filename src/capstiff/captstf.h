// Equivalent linear stiffness of the pile group at the cap origin: every
// pile replaced by its linear head stiffness, carried to the origin and
// summed over the piles in pile order.
#pragma once

#include <cstdint>

namespace drelm {

// ISTAT: run status word, handed on, neither tested nor changed.
// KGEOM: 1 includes the axial-force terms of the beam-column elements.
// NF: number of load factors of the case; IPOINT: estimation point number;
// FACTOR: load factor of the point. FLDOUT, UCPOUT: cap load and converged
// cap displacement at the origin (first NDOF values used).
// KCAP: 6 x 6 out, by columns; in plane analysis only the top-left 3 x 3.
// Writes the pile-count record and one block per pile to the cap-stiffness
// node file, the matrix to the stiffness-matrix file, the point's factor,
// target, load and displacement lines (target values from SESTIM), then the
// matrix to the reports.
void CAPTSTF(std::int32_t& ISTAT, const std::int32_t& KGEOM, const std::int32_t& NF,
             const std::int32_t& IPOINT, const double& FACTOR, const double* FLDOUT,
             const double* UCPOUT, double* KCAP);

// The summation alone, without any report: KCAP = sum over the piles of
// w(p) TF RT KHEAD R TU, w = 1 in space and GRPNP in plane analysis.
// Writes the node file blocks (each pile's block whole, in pile order).
void CAPKSUM(std::int32_t& ISTAT, const std::int32_t& KGEOM, double* KCAP);

// The matrix to the results report, the summary and the second results
// report (forces converted for the first two, internal units in the last).
void CAPKWR(const double* KCAP);

// Y(., k) = A X(., k) for k = 1 .. NV; A 3 x 3, X and Y 3 x NV, by columns.
void MATVEC3(double* Y, const double* A, const double* X, const std::int32_t& NV);

}  // namespace drelm
