// Equilibrium of the rigid pile cap of a plane analysis for one analysis
// pass: load stepping with Newton iterations on the vertical and horizontal
// translations and the rotation of the cap, a tangent measured by central
// differences of the force sum, then the records and result tables.
#pragma once

#include <cstdint>

namespace drelm {

// ISCOMB 0 a load case, 1 a combination; KPYOUT receives the p-y listing
// word on entry. PCAP: the full load at the cap origin (never changed).
// PPOD, UPOD, XPOD, KPOD: loads, displacements (imposed in full), the point
// (vertical, horizontal) and the kinds (0 displacement given) at the point
// of definition. FLDOUT, UCPOUT: load and displacement of a
// target-deflection pass. Outcome through ISTAT, KPILST, SESTAT and the case
// status line.
void CAPEQ2D(const std::int32_t& ISCOMB, std::int32_t& KPYOUT, std::int32_t& ISTAT, double* FLDOUT,
             double* UCPOUT, const double* PCAP, const double* PPOD, const double* UPOD, const double* XPOD,
             const std::int32_t* KPOD);

// Norms of a plane cap vector: a the length of the translation, b the
// magnitude of the rotation (CAPNRM2D), or a the larger translation
// component (CAPMAX2D).
void CAPNRM2D(const double* u, double& a, double& b);
void CAPMAX2D(const double* u, double& a, double& b);

// Bordered 6 x 6 system (by columns) of the point of definition, and its
// right-hand side and auxiliary vector.
void PODSYS2D(double* A, const double* K, const double* XPOD, const std::int32_t* KPOD);
void PODRHS2D(double* rhs, double* aux, const double* R, const double* F, const double* UPOD, const double* U,
              const double* XPOD, const std::int32_t* KPOD);
// Displacement UP and load PP at the point; P takes the given loads.
// flag 0 (nothing written) when the point is the origin.
void TOPOINT2D(const double* U, double* P, const double* XPOD, double* UP, double* PP, const double* PPODT,
               const std::int32_t* KPOD, std::int32_t& flag);

// Passive resistance of an embedded cap for the horizontal displacement UH:
// the signed horizontal force H, the moment M about the origin and the
// position of the resultant, from the mean ground level G (negative above
// the origin), the cap thickness TX, the mean resistance Q at the cap base
// and the level C of the base.
void passive2D(double UH, double G, double TX, double Q, double C, double& H, double& M, double& POS);

}  // namespace drelm
