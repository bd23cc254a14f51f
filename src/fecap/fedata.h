// Plate (finite-element) model of the pile cap: the shared record of the plate
// solver and the arrays of one run of it.
//
// The plate lies in the cap's plane. Plate axes: x is the cap's Z, y the
// cap's Y and z the cap's -X (a right-handed frame). Every node carries six
// degrees of freedom in this order: UX, UY (membrane), UZ (deflection), the
// slopes dUZ/dx and dUZ/dy of the thick-plate theory ("XZ-ROT.", "YZ-ROT.")
// and the drilling rotation about z.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/farray.h"

namespace drelm {

// Channels of the plate model's files, apart from the run's own units.
enum FeUnit : int {
  U_FEDECK = 41,   // numeric deck (written by the deck run, read by the plate run)
  U_FELIST = 42,   // plate listing
  U_FEPOST = 43,   // post-processing file
  U_FECONV = 44,   // convergence log
  U_FEELEM = 45,   // element records of the stress recovery
  U_FEKEY = 46,    // keyword deck
  U_FETRACE = 47,  // trace: never connected, so its records are dropped
  U_FEGSLAB = 48,  // the plate solver's file list "gslab.dat"
};

// The plate model ends the run: diagnosis already written; the solution
// unwinds to its entry, which returns the plate status.
struct PlateHalt {
  std::string why;  // one line for the runtime log
};

struct FESOLV_T {
  // Element work areas.
  FArray2<double, 3, 9> ELXY;
  FArray<double, 9> SHPVAL;
  FArray2<double, 2, 9> SHPDER;
  FArray2<double, 5, 5> EPLT;
  FArray2<double, 3, 3> EMEM;
  FArray2<double, 2, 9> SHPCAR;
  FArray2<double, 5, 27> DBPLT;
  FArray2<double, 3, 18> DBMEM;
  FArray2<double, 5, 27> BPLT;
  FArray2<double, 3, 18> BMEM;
  FArray3<double, 5, 27, 9> DBPGP;
  FArray3<double, 3, 18, 9> DBMGP;
  FArray<double, 3> GAUSSP;
  FArray<double, 3> GAUSSW;
  FArray2<double, 2, 9> GPXY;
  // Error counters of the deck checks.
  FArray<std::int32_t, 24> CHKERR;
  // Control block.
  std::int32_t NPOIN = 0, NELEM = 0, NNODE = 0, NDOFN = 6, NDIME = 2, NSTRE = 8, NTYPE = 0;
  std::int32_t NGAUS = 0, NPROP = 3, NMATS = 0, NVFIX = 0, NEVAB = 0, NRHS = 1, NCASE = 1;
  std::int32_t NSTRM = 3, NSTRP = 5, NEVAM = 0, NEVAP = 0, NEVAR = 0, NDOFM = 2, NDOFP = 3, NDOFR = 1;
  std::int32_t NNLOD = 0, NNSTI = 0, NDLOD = 0, NDSTI = 0, NCLOD = 0, NCSTI = 0, NCTSTI = 0;
  std::int32_t MAXFRT = 60, ICOUPL = 0, NELOD = 0, NESTI = 0;
  double DT = 0, TINI = 0, TEND = 0, DTMIN = 0;
  std::int32_t MAXITER = 0, ISTEP = 0;
  double TCUR = 0, DTCUR = 0, FETOL = 0;
  std::int32_t ITER = 0;
};
extern FESOLV_T FESOLV;

// A plate array of one run of the solver: 1-based, first index fastest,
// extents below 0 taken as 0. Bounds are checked in debug builds.
template <typename T>
struct PArr {
  std::vector<T> v;
  int n1 = 0, n2 = 0, n3 = 0;

  void alloc(long a, long b = 1, long c = 1) {
    n1 = static_cast<int>(a < 0 ? 0 : a);
    n2 = static_cast<int>(b < 0 ? 0 : b);
    n3 = static_cast<int>(c < 0 ? 0 : c);
    v.assign(static_cast<std::size_t>(n1) * n2 * n3, T{});
  }
  long size() const { return static_cast<long>(v.size()); }
  // Flat position, as the global vectors are addressed: 6 (n - 1) + d.
  T& operator()(int i) {
    DRELM_CHECK_INDEX(i, 1, size());
    return v[static_cast<std::size_t>(i - 1)];
  }
  T& operator()(int i, int j) {
    DRELM_CHECK_INDEX(i, 1, n1);
    DRELM_CHECK_INDEX(j, 1, n2 * n3);
    return v[static_cast<std::size_t>(i - 1) + static_cast<std::size_t>(n1) * (j - 1)];
  }
  T& operator()(int i, int j, int k) {
    DRELM_CHECK_INDEX(i, 1, n1);
    DRELM_CHECK_INDEX(j, 1, n2);
    DRELM_CHECK_INDEX(k, 1, n3);
    return v[static_cast<std::size_t>(i - 1) +
             static_cast<std::size_t>(n1) * ((j - 1) + static_cast<std::size_t>(n2) * (k - 1))];
  }
  T* data() { return v.data(); }
  void zero() { std::fill(v.begin(), v.end(), T{}); }
};

// The arrays of the plate model, allocated once the control records are known.
struct PlateArrays {
  PArr<double> NODXY, MATPRP, FIXVAL, NLVAL, NSVAL, EDLVAL, EDSVAL, DLDVAL, DSVAL, CLVAL, CSVAL;
  PArr<double> CLPNT, CSPNT, PHPNT, ASDIS, DSDIS, TSDIS, ELRHS, RHSVEC, NODSTR, NODWGT, ELSTIF;
  PArr<std::int32_t> FIXNOD, FIXCOD, NLNOD, NSNOD, EDLINT, EDSINT, DLELM, DSELM;
  PArr<std::int32_t> CLELM, CSELM, PHELM, ELNOD, ELMAT, NODLAB, ELLAB;

  // Sizes every array from the control block of FESOLV.
  void allocate();
  // The arrays of the deck's items and of the nodes; the element matrices
  // and vectors, which need 18 KB an element, once the mesh is checked.
  void allocateDeck();
  void allocateElements();
};

// Response of the piles at the plate's pile heads, in cap axes: the force of
// pile J on the cap for its head displacement U, and the stiffness of that
// force (by columns, 6 x 6). A failure leaves its code in ISTAT.
struct PlateHeads {
  virtual ~PlateHeads() = default;
  virtual void force(std::int32_t J, double (&F)[6], const double (&U)[6], std::int32_t& ISTAT) = 0;
  virtual void stiffness(std::int32_t J, double (&K)[36], const double (&U)[6], std::int32_t& ISTAT) = 0;
};

// Change between plate and cap axes: plate = TPILE x cap, cap = TPILE^T x plate.
void platePileAxes(double (&T)[36]);
// cap = TPILE^T x plate, and plate = TPILE x cap, for one 6-vector.
void plateToCap(const double (&p)[6], double (&c)[6]);
void capToPlate(const double (&c)[6], double (&p)[6]);

}  // namespace drelm
