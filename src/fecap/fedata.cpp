#include "fecap/fedata.h"

namespace drelm {

FESOLV_T FESOLV;

void PlateArrays::allocate() {
  allocateDeck();
  allocateElements();
}

void PlateArrays::allocateElements() {
  const FESOLV_T& F = FESOLV;
  ELRHS.alloc(F.NEVAB, F.NELEM);
  ELSTIF.alloc(F.NEVAB, F.NEVAB, F.NELEM);
}

void PlateArrays::allocateDeck() {
  const FESOLV_T& F = FESOLV;
  const long nd = F.NDOFN, np = F.NPOIN, ne = F.NELEM;
  NODXY.alloc(F.NDIME, np);
  MATPRP.alloc(F.NPROP, F.NMATS);
  FIXVAL.alloc(nd, F.NVFIX);
  FIXNOD.alloc(F.NVFIX);
  FIXCOD.alloc(nd, F.NVFIX);
  NLVAL.alloc(nd, F.NNLOD);
  NLNOD.alloc(F.NNLOD);
  NSVAL.alloc(nd, F.NNSTI);
  NSNOD.alloc(F.NNSTI);
  DLDVAL.alloc(nd, F.NDLOD);
  DLELM.alloc(F.NDLOD);
  DSVAL.alloc(nd, F.NDSTI);
  DSELM.alloc(F.NDSTI);
  CLVAL.alloc(nd, F.NCLOD);
  CLPNT.alloc(F.NDIME, F.NCLOD);
  CLELM.alloc(F.NCLOD);
  CSVAL.alloc(nd, F.NCSTI);
  CSPNT.alloc(F.NDIME, F.NCSTI);
  CSELM.alloc(F.NCSTI);
  EDLVAL.alloc(3, F.NELOD);
  EDLINT.alloc(3, F.NELOD);
  EDSVAL.alloc(3, F.NESTI);
  EDSINT.alloc(3, F.NESTI);
  PHPNT.alloc(F.NDIME, F.NCTSTI);
  PHELM.alloc(F.NCTSTI);
  ASDIS.alloc(nd, np);
  DSDIS.alloc(nd, np);
  TSDIS.alloc(nd, np);
  RHSVEC.alloc(nd, np);
  NODSTR.alloc(F.NSTRE, np);
  NODWGT.alloc(np);
  ELNOD.alloc(F.NNODE, ne);
  ELMAT.alloc(ne);
  NODLAB.alloc(np);
  ELLAB.alloc(ne);
}

void platePileAxes(double (&T)[36]) {
  for (double& t : T) t = 0.0;
  const auto at = [&](int i, int j) -> double& { return T[(i - 1) + 6 * (j - 1)]; };
  // The deflection is along -X; the slope dUZ/dx (x = Z) is minus the cap
  // rotation about Y, the slope dUZ/dy (y = Y) is the rotation about Z, and
  // the drilling rotation about z is minus the rotation about X.
  at(1, 3) = 1.0;
  at(2, 2) = 1.0;
  at(3, 1) = -1.0;
  at(4, 5) = -1.0;
  at(5, 6) = 1.0;
  at(6, 4) = -1.0;
}

void capToPlate(const double (&c)[6], double (&p)[6]) {
  p[0] = c[2];
  p[1] = c[1];
  p[2] = -c[0];
  p[3] = -c[4];
  p[4] = c[5];
  p[5] = -c[3];
}

void plateToCap(const double (&p)[6], double (&c)[6]) {
  c[0] = -p[2];
  c[1] = p[1];
  c[2] = p[0];
  c[3] = -p[5];
  c[4] = -p[3];
  c[5] = p[4];
}

}  // namespace drelm
