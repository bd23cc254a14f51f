// The pile-head curves of one pile as the single-pile solvers read them, and
// the head force (or torque) for a head displacement (or twist), with the
// three-line warnings of the warning scratch file when the displacement
// passes either end of the curve.
#pragma once

#include <cstdint>
#include <string_view>

namespace drelm {

// Points 1 .. n of one curve, abscissa ascending; a pile naming no curve
// that exists gets n = 0.
struct HeadCurve {
  int n = 0;
  const double* x = nullptr;  // abscissa of point 1
  const double* y = nullptr;  // ordinate of point 1
  int stride = 1;             // distance between points in the table
  double X(int k) const { return x[(k - 1) * stride]; }
  double Y(int k) const { return y[(k - 1) * stride]; }
};

// The load-settlement (ILSCRV) or torque-rotation (ITRCRV) curve of pile p.
HeadCurve lsCurve(int p);
HeadCurve trCurve(int p);

// The texts and counters of one writer's warnings.
struct CurveWarnings {
  std::string_view beyondMax;   // beyond the last point, end value kept
  std::string_view beyondFail;  // beyond the last point, zero force
  std::string_view beforeMax;   // before the first point, end value kept
  std::string_view beforeFail;  // before the first point, zero force
  std::string_view valueLabel;  // "AX. DISP.=", "ROTATION ="
  std::string_view forceLabel;  // "AX. FORCE=", "T. MOMENT="
  std::int32_t* beyondCount;    // counter of warnings beyond the last point
  std::int32_t* beforeCount;    // counter of warnings before the first point
};

// Ordinate of curve C at abscissa D: linear on the first segment whose right
// end is at or beyond D. Beyond either end the end value is kept (ICRVMX = 1)
// or the force is 0 and the call returns false: the response of the pile ends
// there. Only in the warning pass (IWRNPS = 1) is a warning written and its
// counter raised.
bool HCVALUE(const HeadCurve& C, double D, std::int32_t IPILE, const CurveWarnings& W, double& VALUE);

// One warning of three lines on the warning scratch file (unit 25): an empty
// line, the title with the pile number, and the displacement, the end of
// the curve it passed and the force returned. Written whole under the lock
// of the report files, so warnings of piles on other threads never mix in.
void WRNREC(std::string_view TITLE, std::int32_t IPILE, std::string_view VLABEL, double VALUE, double CEND,
            std::string_view FLABEL, double FORCE);

}  // namespace drelm
