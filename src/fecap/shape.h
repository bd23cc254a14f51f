// Geometry of the isoparametric plate elements (4, 8 or 9 nodes): the Gauss
// rule, the shape functions at a local point and the Jacobian of the map.
#pragma once

#include <cstdint>

namespace drelm {

// Abscissae and weights of the NGAUS-point Gauss-Legendre rule into GAUSSP, GAUSSW.
void GAUSPT();
// SHPVAL and SHPDER at (s, t) for an n-node element; other n change nothing.
void SHAPEF(double s, double t, std::int32_t n);
// Plate coordinates of the current point into GPXY(., KG), the determinant of
// the Jacobian and the Cartesian derivatives SHPCAR, from ELXY of element e.
// A determinant not above 0 writes the diagnosis to the plate listing and
// halts the plate model (PlateHalt).
void JACOB2(std::int32_t e, double& DETJ, std::int32_t KG);

}  // namespace drelm
