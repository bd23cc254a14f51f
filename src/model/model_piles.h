// Input tables of the pile groups, pile properties, cross sections and soil
// layers (record groups 6 to 9), and the multipliers for closely spaced piles.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXPRP = 50;   // pile properties
constexpr int MAXSRW = 19;   // section rows of a pile property
constexpr int MAXSEC = 100;  // cross sections
constexpr int MAXLAY = 20;   // soil layers of the input
constexpr int NSLVAL = 22;   // columns of SLVAL
constexpr int MAXRPOS = 100;  // reinforcement and strand positions of a section
constexpr int MAXNLL = 100;   // one-real lines of the eighth nonlinear-section line

// Plane pile rows, row p in slot p.
// IPG2D columns: 1 head connection code, 2 number of identical piles, 3 pile
//   property, 4 user p-y set, 5 user load-settlement curve, 6 reduction-factor
//   set along depth, 7 generated load-settlement curve.
// RPG2D columns: 1 rotational head restraint (internal), 2 spacing (length),
//   3 p-multiplier, 4 y-multiplier, 5 axial-load factor, 6 head X (length),
//   7 head Y (length), 8 slope of the axis (degrees), 9 head to ground (length).
struct PGRP2D_T {
  std::int32_t NROW = 0;
  RowArray2<std::int32_t, MAXPIL1, 7> IPG2D;
  RowArray2<double, MAXPIL1, 9> RPG2D;
};
extern PGRP2D_T PGRP2D;

// Space piles, pile p in slot p.
// IPG3D columns: 1 connection about Y, 2 connection about Z, 3 pile property,
//   4 user p-y set, 5 user load-settlement curve, 6 user torque-rotation
//   curve, 7 reduction-factor set, 8 not used, 9 generated load-settlement
//   curve, 10 generated torque-rotation curve.
// RPG3D columns: 1 rotational restraint for direction Z (SPz), 2 for Y (SPy),
//   3 p- and 4 y-multiplier along Y, 5 p- and 6 y-multiplier along Z,
//   7 axial-load factor, 8..10 head X, Y, Z (length), 11 ALPHA, 12 BETA,
//   13 THETA (degrees), 14 head to ground (length).
struct PGRP3D_T {
  std::int32_t NROW = 0;
  RowArray2<std::int32_t, MAXPIL1, 10> IPG3D;
  RowArray2<double, MAXPIL1, 14> RPG3D;
};
extern PGRP3D_T PGRP3D;

// Pile properties as read (record group 7); depths below the pile head.
struct PROPIN_T {
  std::int32_t NPRPIN = 0;
  FArray<std::int32_t, MAXPRP> PRPNUM;  // property number on the file, not used
  FArray<std::int32_t, MAXPRP> NSECT;   // section rows
  FArray<std::int32_t, MAXPRP> NINC;    // increments
  FArray<std::int32_t, MAXPRP> PTYPE;   // 1 driven pile, 2 drilled shaft
  FArray<double, MAXPRP> PLEN;          // pile length
  FArray2<double, MAXPRP, MAXSRW> SXFROM, SXTO;  // top and bottom of each row
  FArray2<std::int32_t, MAXPRP, MAXSRW> SECNUM;  // cross section of each row
};
extern PROPIN_T PROPIN;

// Cross sections as read (record group 8).
// ELSEC columns, top 1..18 and bottom 19..36 (bottom = top + 18):
//   1 diameter, 2 internal diameter, 3 external width, 4 external depth,
//   5 internal width, 6 internal depth, 7 flange and 8 web thickness (D);
//   9 shear modulus, 10 area (A), 11 Iz, 12 Iy (I), 13 not used, 14 GJ,
//   15 Mn, 16 Vn, 17 Young's modulus E, 18 not used.
// A nonlinear section fills 1, 10, 11, 12, 14..17 and copies them to the bottom.
// NLMAT columns: 1 external width or depth, 2 external depth, 3 concrete or
//   external diameter, 4 void diameter, 5 corner chamfer, 6 web thickness,
//   7 flange thickness, 8 casing diameter, 9 casing thickness, 10 steel
//   diameter, 11 steel thickness (D); 12 fc, 13 Young's modulus and 14 yield
//   stress of steel or casing, 15, 16 further values (internal).
struct SECTIN_T {
  std::int32_t NSECIN = 0;
  FArray<std::int32_t, MAXSEC> SCNUM;   // the second integer of the first line
  FArray<std::int32_t, MAXSEC> SCKIND;  // shape code of an elastic section
  FArray<std::int32_t, MAXSEC> SCNLIN;  // nonlinear flag: 0 elastic, 1 nonlinear
  FArray<FStr<80>, MAXSEC> SCNAME;      // section name
  // Elastic sections.
  FArray2<double, MAXSEC, 36> ELSEC;
  FArray<std::int32_t, MAXSEC> ITAPER;  // tapered flag
  FArray<std::int32_t, MAXSEC> MCSETZ;  // moment-curvature set, bending about z
  FArray<std::int32_t, MAXSEC> MCSETY;  // moment-curvature set, bending about y
  FArray2<std::int32_t, MAXSEC, 2> ELAUX;  // the two further integers of that line
  FArray<double, MAXSEC> WALLT;            // wall thickness (internal)
  FArray<FStr<80>, MAXSEC> SCTXT2;         // second text of an elastic section
  // Nonlinear sections.
  FArray<std::int32_t, MAXSEC> NLTYPE;  // type code 1..10 (10 user bending stiffness)
  FArray2<double, MAXSEC, 16> NLMAT;
  FArray2<std::int32_t, MAXSEC, 4> NLOPT;  // sub-kind codes
  FArray<FStr<80>, MAXSEC> NLMATN;         // material name
  FArray2<std::int32_t, MAXSEC, 6> NLRBI;  // reinforcement: 5 integers, then 1
  FArray2<double, MAXSEC, 5> NLRBR;  // bar area (A), bar diameter (D), further (D), E, fy
  FArray2<std::int32_t, MAXSEC, 6> NLRPI;  // position line integers
  FArray2<double, MAXSEC, 4> NLRPR;        // position line reals (A, D, D, internal)
  FArray3<double, MAXSEC, MAXRPOS, 2> NLRPOS;  // reinforcement positions (D)
  FArray2<std::int32_t, MAXSEC, 5> NLSTI;      // strands: 5 integers (5th: positions)
  FArray2<double, MAXSEC, 5> NLSTR;  // strand diameter (D), area (A), further (D), fu, Pi
  FArray3<double, MAXSEC, MAXRPOS, 2> NLSPOS;  // strand positions (D)
  FArray2<std::int32_t, MAXSEC, 3> NLX8I;      // eighth line: 3 integers (1st: count)
  FArray2<double, MAXSEC, 2> NLX8R;
  FArray2<double, MAXSEC, MAXNLL> NLX8L;       // its one-real lines
  FArray2<std::int32_t, MAXSEC, 8> NLX9I;      // ninth line (type 10: the two set numbers first)
  FArray<std::int32_t, MAXSEC> NLX9LN;         // its line in the input data file
  FArray2<double, MAXSEC, 3> NLX9R;
};
extern SECTIN_T SECTIN;

// Soil layers as read (record group 9). SLVAL columns: 1 X of the top, 2 X
// of the bottom, 2j+1 and 2j+2 property j at the top and at the bottom:
// 1 unit weight (W), 2 cohesion or strength (P; internal for types 6, 9),
// 3 friction angle, 4 k, 5 rock modulus, 6 E50 or krm, 7 J or RQD, 8 unit
// side friction (P), 9 unit tip resistance (P), 10 not used.
struct SOILIN_T {
  std::int32_t NLAYIN = 0;
  FArray<std::int32_t, MAXLAY> SLNUM;   // layer number on the file, not used
  FArray<std::int32_t, MAXLAY> SLTYPE;  // soil-type code 1..14
  FArray2<double, MAXLAY, NSLVAL> SLVAL;
};
extern SOILIN_T SOILIN;

// p- and y-multipliers for closely spaced piles, per pile (cap in NPILE+1).
struct GRPFAC_T {
  FArray<double, MAXPIL1> GRPPF, GRPYF;    // used by the p-y criteria
  FArray<double, MAXPIL1> GRPPFY, GRPYFY;  // movement along Y
  FArray<double, MAXPIL1> GRPPFZ, GRPYFZ;  // movement along Z
  FArray<double, MAXPIL1> GRPSPC;          // spacing of a plane pile row
};
extern GRPFAC_T GRPFAC;

}  // namespace drelm
