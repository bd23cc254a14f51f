// The load-transfer curve set of one pile: side t-z curves, axial rigidity
// along the pile and the tip q-w curve. The caller owns it for one
// evaluation of the pile; the routines fill and read its fields by reference.
#pragma once

#include <cstdint>

#include "run/farray.h"
#include "transfer/tzshape.h"

namespace drelm {

constexpr int MAXAEP = 50;  // points of the axial rigidity table
constexpr int MAXQWP = 50;  // point slots of the tip curve
constexpr int NQWPT = 10;   // points of the tip curve

struct AXCRV_T {
  TzTable TZT;                      // (k, P) unit side resistance t of point k of curve P
  TzTable TZZ;                      // (k, P) axial movement z
  TzColumn TZMAX;                   // ultimate unit side friction of curve P
  TzColumn TZPHI;                   // friction angle at curve P, degrees
  FArray<double, MAXAEP> AETAB;     // axial rigidity E x A at the points of AEDEP
  FArray<double, MAXAEP> AEDEP;     // depth below the pile head, two points per section
  FArray<std::int32_t, MAXTZC> TZNPT;  // points of curve P (10)
  TzColumn TZDEP;                   // X of curve P
  FArray<double, MAXQWP> QWQ;       // tip load
  FArray<double, MAXQWP> QWW;       // tip movement
};

}  // namespace drelm
