// The tip q-w curve from a given tip geometry: shared by the tip curve of the
// axial load-transfer solution and the tip node of the per-pile curve file,
// which place the tip and size it differently.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "transfer/axcrv.h"

namespace drelm {

struct QWTIP {
  double XT = 0;    // X of the tip
  double ZT = 0;    // depth of the tip below the ground
  double AT = 0;    // tip area
  double D0 = 0;    // diameter at the top of the first section
  double DT = 0;    // diameter of the clay rule
  double PHIL = 0;  // friction angle (degrees) that selects the exponent of a sand tip
  // Status codes and the last words of the warning of a driven pile whose
  // clay tip has no E50 or no strength.
  std::int32_t STE50 = 0;
  std::int32_t STCOH = 0;
  const char* CURVE = "";
};

// Points 1 .. 10 of the tip curve of pile property IPROP: QWQ tip load, QWW
// tip movement, point 1 at the origin. A failed soil look-up, or a driven
// pile in clay without E50 (T.STE50) or strength (T.STCOH) at the tip, stores
// its status in ISTAT and ends the call.
void QWCURVE(const std::int32_t& IPROP, const QWTIP& T, std::int32_t& ISTAT, FArray<double, MAXQWP>& QWQ,
             FArray<double, MAXQWP>& QWW);

}  // namespace drelm
