// Element pass of the plate solution: flat shell elements (plane-stress
// membrane, thick plate with bending and transverse shear, lumped drilling
// stiffness), their internal forces, the supports and pile heads that lie in
// them, and their stress-recovery records.
#pragma once

#include <cstdint>

#include "fecap/fedata.h"
#include "model/farray.h"

namespace drelm {

using ElemMat = FArray2<double, 54, 54>;

// Elasticity of material set m: membrane (per unit thickness) and plate.
void DMEMB(std::int32_t m, PlateArrays& A);
void DPLATE(std::int32_t m, PlateArrays& A);
// Strain-displacement matrices at the current point and their products.
void BMEMB();
void DBMEMB();
void BPLATE();
void DBPLATE();

// Stiffness of element e at the current total displacement into EK (all
// NEVAB x NEVAB entries) with its internal forces subtracted from ELRHS(., e);
// fills DBPGP, DBMGP and GPXY of the element.
void SHELLEL(std::int32_t e, ElemMat& EK, PlateArrays& A);

// The element pass: every element's matrix into ELSTIF and its internal and
// support forces into ELRHS (zeroed by the caller), one element record on the
// element-record file each. HEADS evaluates the piles (null: no coupling);
// their failures are left in ISTAT.
void SHELLSTF(PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT);

// Supports and pile heads lying in element e, added to EK and ELRHS(., e).
void SUPPORTS(std::int32_t e, ElemMat& EK, PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT);
// Nodal springs applied in this pass get their node negated; set them back.
void supportsPassEnd(PlateArrays& A);

}  // namespace drelm
