// Beam-column element matrices and the static condensation from which the
// linear pile-head stiffness of a pile is built. Matrices are dense, stored
// by columns (element (i, j) at [(i - 1) + n (j - 1)]). Re-entrant: no state.
#pragma once

#include <cstdint>

namespace drelm {

// 12 x 12 stiffness of a prismatic segment in space, element axes (axis 1
// along the element); end 1 DOF 1..6, end 2 DOF 7..12: axial, lateral 2,
// lateral 3, twist, rotation paired with 3 (EIY), rotation paired with 2
// (EIZ, the negative slope). KGEOM = 1 adds the axial-force terms of PAXL
// (positive in compression); any other value gives the elastic matrix.
void BEAMK(const double& EIZ, const double& EIY, const double& EA, const double& GJ,
           const double& ELEN, const double& PAXL, const std::int32_t& KGEOM, double* EK);

// The plane 6 x 6 twin: DOF 1 / 4 axial, 2 / 5 lateral, 3 / 6 rotation.
void BEAMK2D(const double& EI, const double& EA, const double& ELEN, const double& PAXL,
             const std::int32_t& KGEOM, double* EK);

// Condenses A (N x N, destroyed) onto its last M degrees of freedom by Gauss
// elimination without pivoting: AC (M x M) is the Schur complement. IERR = 1
// and AC = 0 at an exactly zero pivot.
void CONDENS(double* A, double* AC, const std::int32_t& N, const std::int32_t& M, std::int32_t& IERR);

}  // namespace drelm
