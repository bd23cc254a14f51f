// Linear head stiffness of one pile: a chain of beam-column elements on the
// lateral soil springs of the last pass, condensed onto the head node.
#pragma once

#include <cstdint>
#include <string>

namespace drelm {

// 6 x 6 head stiffness of space pile IPILE in pile axes (axial, lateral 2,
// lateral 3, twist, rotation paired with 3, rotation paired with 2), by
// columns. The springs and the axial and torsional head stiffnesses come
// from the pass results read back into PASRES. KGEOM = 1 includes the
// axial-force terms. ISTAT is neither read nor written. The pile's block of
// the cap-stiffness node file is appended whole to BLOCK; the caller writes it.
void PILESTF(const std::int32_t& IPILE, const std::int32_t& KGEOM, std::int32_t& ISTAT,
             double* KHEAD, std::string& BLOCK);

// The 3 x 3 head stiffness of plane pile row IPILE (axial, lateral, rotation).
void PILESTF2D(const std::int32_t& IPILE, const std::int32_t& KGEOM, std::int32_t& ISTAT,
               double* KHEAD, std::string& BLOCK);

// Copies the node springs of row IPILE from the pass results into S(1..n+1).
void EQKPILE(const std::int32_t& IPILE, double* S);

// The plane transformations of row IPILE, 3 x 3 by columns: TF head forces
// to the cap origin, RT pile axes to global axes, TU = TF transposed,
// R = RT transposed.
void TRANSF2D(const std::int32_t& IPILE, double* TF, double* RT, double* TU, double* R);

}  // namespace drelm
