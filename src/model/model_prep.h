// Working tables derived from the input by the preprocessing: the per-pile
// arrays, the head connections, the pile properties and the section table.
// The cap state (CAPSOL) and the group factors (GRPFAC) sit with the input
// tables, which fill part of them. Every later stage reads these tables by
// pile or by pile property.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

// Per-pile working arrays: pile p in slot p, the cap in slot NPILE+1.
struct PILEAR_T {
  FArray<double, MAXPIL1> GRPNP;   // identical piles the entry stands for
  FArray<double, MAXPIL1> PHX;     // head X (vertical, downwards)
  FArray<double, MAXPIL1> PHY;     // head Y
  FArray<double, MAXPIL1> PHZ;     // head Z (space)
  FArray<double, MAXPIL1> PANGX;   // fourth orientation angle, radians (0)
  FArray<double, MAXPIL1> BETA;    // inclination from the horizontal plane, radians
  FArray<double, MAXPIL1> ALPHA;   // azimuth (space) or slope (plane), radians
  FArray<double, MAXPIL1> HSPR1;   // rotational head restraint, lateral direction 1
  FArray<double, MAXPIL1> HSPR2;   // rotational head restraint, lateral direction 2
  FArray<double, MAXPIL1> PAXFAC;  // factor on the axial force
  FArray<double, MAXPIL1> PGRND;   // head-to-ground distance
  FArray<std::int32_t, MAXPIL1> PROPOFPILE;  // pile property
  FArray<std::int32_t, MAXPIL1> ILSCRV;  // user load-settlement curve; <0 generated
  FArray<std::int32_t, MAXPIL1> IPYSET;  // user p-y curve set; 0 none
  FArray<std::int32_t, MAXPIL1> ITRCRV;  // user torque-rotation curve; <0 generated
  FArray<std::int32_t, MAXPIL1> IRFSET;  // reduction-factor set along depth
  FArray<std::int32_t, MAXPIL1> ILSGEN;  // generated load-settlement curve
  FArray<std::int32_t, MAXPIL1> ITRGEN;  // generated torque-rotation curve
  FArray<double, MAXPIL1> PHXREF;  // head X, depth origin of the look-ups
  FArray<double, MAXPIL1> PHYREF;  // head Y (plane)
  FArray<double, MAXPIL1> PBATT;   // batter angle, radians (0 vertical)
  FArray<double, MAXPIL1> THETA;   // rotation of the section about the axis, radians
};
extern PILEAR_T PILEAR;

// Head connection codes: 1 pinned, 2 fixed, 3 elastically restrained.
constexpr std::int32_t CONN_PIN = 1;
constexpr std::int32_t CONN_FIX = 2;
constexpr std::int32_t CONN_RES = 3;

struct PCONN_T {
  FArray<std::int32_t, MAXPIL1> CONNECTY;  // bending in lateral direction 1
  FArray<std::int32_t, MAXPIL1> CONNECTZ;  // bending in lateral direction 2 (space)
};
extern PCONN_T PCONN;

constexpr int MAXPRPS = 102;  // property slots of the pile and section tables
constexpr int MAXSRT = 20;    // section rows per property, with the end-marker row
constexpr int MAXINC = 100;   // increments of a pile

// Installation type of a pile property.
constexpr std::int32_t PTYPE_DRIVEN = 1;
constexpr std::int32_t PTYPE_DRILLED = 2;

struct PILEPROP_T {
  FArray<double, MAXPRPS> PLEN;    // pile length
  FArray<double, MAXPRPS> DXINC;   // increment length PLEN / NINC, set by the preprocessing
  FArray<std::int32_t, MAXPRPS> NINC;   // increments (nodes NINC+1)
  FArray<std::int32_t, MAXPRPS> NSECT;  // section rows
  FArray<std::int32_t, MAXPRPS> PTYPE;  // 1 driven pile, 2 drilled shaft
};
extern PILEPROP_T PILEPROP;

// Section rows of each pile property (property index fastest). A row's top
// values belong to depth SXFROM and its bottom values to depth SXTO, both
// measured from the pile head along the pile; the look-ups interpolate
// linearly between them and keep an end marker in row NSECT+1.
struct SECTAB_T {
  template <typename T>
  using Tab = RowArray2<T, MAXPRPS, MAXSRT>;
  Tab<double> SXFROM, SXTO;
  Tab<std::int32_t> SECNUM;
  Tab<double> SEMODT, SEMODB;       // Young's modulus, top and bottom
  Tab<std::int32_t> SMCIZ, SMCIY;   // moment-curvature sets, bending about z and y
  Tab<double> SDIAT, SDIAB;         // diameter
  Tab<double> SAREAT, SAREAB;       // area
  Tab<double> SIZT, SIZB;           // moment of inertia about z
  Tab<double> SIYT, SIYB;           // moment of inertia about y
  Tab<double> SEIZT, SEIZB;         // E x Iz
  Tab<double> SEIYT, SEIYB;         // E x Iy
  Tab<double> SGJT, SGJB;           // torsional rigidity
  Tab<double> SMNT, SMNB;           // nominal moment capacity
  Tab<double> SVNT, SVNB;           // nominal shear capacity
  Tab<double> SDIM1, SDIM2;         // outer dimensions (not written: 0)
  Tab<std::int32_t> SSHAPE;         // shape code (not written: 0)
};
extern SECTAB_T SECTAB;

}  // namespace drelm
