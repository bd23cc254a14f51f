// Records of the plane cap solution where they differ from the space ones:
// the point in the progress record, the iteration dump in E18.10,
// the capacity warnings, the cap part of Table L with its three components,
// and the passive resistance block.
#pragma once

#include <cstdint>
#include <string>

#include "cap/caprec.h"

namespace drelm {

// The point in the plane progress record: a point of the stiffness
// estimation, or a unit-load degree of freedom with the wider fraction.
ProgressPoint planeProgressPoint();

// One vector line of the iteration dump: a tag and the values in E18.10.
void dumpLine2D(const char* tag, const double* v, int n);

// Bearing and pull-out warnings of the last force sum with warnings and the
// lines of the warning scratch file; raises the outcome word to "warned"
// (a failure already there stays).
void capacityWarnings2D();

// What the ordinary report shows of a point of definition.
struct PointResult2D {
  bool shown = false;
  double XPOD[2] = {};
  double UP[3] = {}, PP[3] = {};
  char ROW1[3] = {' ', ' ', ' '}, ROW2[3] = {' ', ' ', ' '};
};

// Table L of an ordinary report: point blocks, origin blocks, iteration
// count B, summary scratch, summary, second report.
void capTableL2D(const double* P, const double* U, std::int32_t B, const PointResult2D& pt);

// Passive resistance block: the signed horizontal force H and the position
// of its resultant.
void passiveReport2D(double H, double POS);

}  // namespace drelm
