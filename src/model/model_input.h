// Input tables of the cap, the plate cap, the reduction-factor and curve-file
// controls. Values are in the units of the input data file until CONVIN has
// run, in internal units afterwards.
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

// Cap dimensions and the cap and reduction-factor options of the control line.
struct CAPCTL_T {
  double CAPLY = 0;   // cap length along Y (length)
  double CAPWZ = 0;   // cap width along Z (length)
  double CAPTX = 0;   // cap thickness along X (length)
  double CAPEQD = 0;  // equivalent diameter of the cap, replaces the width when > 0
  double CAPUNU = 0;  // fifth real of the cap line, read and not used
  double RFDIRY = 1.0;  // Y component of the direction of the reduction factors
  double RFDIRZ = 1.0;  // Z component
  std::int32_t ICAPOP = 0;  // control #3: cap option
  std::int32_t IRFOPT = 0;  // control #8: reduction-factor option 1..4
  std::int32_t IOBSOL = 0;  // 1: an obsolete block follows the cap line (discarded)
  // Horizontal cap displacement kept by the passive resistance of an embedded
  // cap; the user p-y curves by depth take it as the deflection at the cap base.
  double CAPUHM = 0;
  // Means over the piles of the ground level and of the soil resistance at
  // the cap base, kept by the passive resistance of an embedded cap.
  double CAPGXM = 0;
  double CAPPUM = 0;
};
extern CAPCTL_T CAPCTL;

// Pile cap state: the cap-resistance line and what the preprocessing derives.
struct CAPSOL_T {
  double CAPX0 = 0;   // X of the cap base
  double CAPTHK = 0;  // cap thickness of the cap-as-pile model
  double CAPK50 = 0;  // K50 of the given cap soil model (internal)
  double CAPFUL = 0;  // ultimate force of that model (internal)
  double CAPYMX = 0;  // maximum deflection of that model (internal)
  std::int32_t NCAPIN = 0;  // increments of the equivalent lateral spring
  std::int32_t ICAPSP = 0;  // 1 equivalent lateral spring, 0 equivalent lateral load
  std::int32_t ICAPSM = 0;  // cap soil model code
  std::int32_t KCAPPY = 0;  // 1 while the cap's own p-y curves are evaluated
  // The cap width as read (internal length): CAPWZ is replaced by the width
  // of the soil response when the input report is written, while the plate
  // model of the cap needs the width as read.
  double CAPWZIN = 0;
  // Width that the soil response takes for the cap: the plan diagonal in a
  // space analysis, or the equivalent diameter of an embedded cap.
  double CAPWID = 0;
};
extern CAPSOL_T CAPSOL;

// Plate (finite-element) cap option and its line of group 2.
struct FECOPT_T {
  double FEXOFF = 0;  // X offset of the mesh origin (internal length)
  double FEYOFF = 0;  // Y offset
  double FEYOUN = 0;  // Young's modulus of the plate (internal)
  double FEPOIS = 0;  // Poisson's ratio
  std::int32_t IFECAP = 0;  // control #4: 0 none, > 0 plate cap, 2 deck only
  std::int32_t NFEX = 0;    // plate elements along X
  std::int32_t NFEY = 0;    // plate elements along Y
};
extern FECOPT_T FECOPT;

// Most nodes, elements or items of one kind a plate deck may hold: the plate
// solution keeps a 48 x 48 matrix of every element in memory.
constexpr std::int32_t MAXFEITEM = 1000000;

// Reduction factors for closely spaced piles: control words.
struct RFDCTL_T {
  std::int32_t IAVDIA = 0;  // control #13: 1 average diameter of each pair
  std::int32_t IRFDEP = 0;  // control #18: 1 multipliers along depth given (group 18)
};
extern RFDCTL_T RFDCTL;

constexpr int MAXPYU2 = 51;  // second deflection list of the curve-file controls
constexpr int MAXCRVST = 10000;  // steps along a pile of the curve file

// Per-pile curve file: switches, group 20 and the collect state of the criteria.
struct CRVCTL_T {
  double CRVSCL = 0;  // depth of the evaluated node below the ground line (collect mode)
  FArray<double, MAXPYU2> PYUS2;  // second deflection list, read and not used
  std::int32_t ICRVON = 0;  // control #20: 1 the curve file is written (group 20 given)
  std::int32_t ICRVUF = 0;  // control #21: not 0 unformatted, 0 text
  std::int32_t NCRVKD = 0;  // record kind constant of the head-curve records (19)
  std::int32_t NCRVST = 0;  // equal depth steps per pile of the curve file
  std::int32_t IPYUSR = 0;  // 1: user deflections (PYPRT.PYUSR) replace the criteria's list
  std::int32_t IPYUS2 = 0;  // 1: the second list is given
  std::int32_t NPYUS2 = 0;  // count of the second list
  std::int32_t PYCOLL = 0;  // collect switch of the criteria
  std::int32_t ICRVPT = 0;  // curve-kind code stored by the criteria in collect mode
  std::int32_t ICRVEX = 0;  // 1 when the evaluated node lies below the ground line
};
extern CRVCTL_T CRVCTL;

}  // namespace drelm
