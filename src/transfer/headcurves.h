// Pile-head curves generated from the soil profile at the input stage: the
// axial load-settlement curve by the t-z method (AXLSGEN) and the
// torque-rotation curve (TRGEN), and the secant slopes of any pile-head curve.
//
// A generator works on one pile and one direction of loading and returns
// NHCPT = 9 head points, positive in both directions; the caller assembles the
// uplift points (negated, reversed), the origin and the compression points
// into a curve of 19 points.
#pragma once

#include <cstdint>
#include <vector>

#include "model/farray.h"

namespace drelm {

// Status codes of a tip with zero E50 or zero cohesion.
enum HeadCurveStatus : std::int32_t {
  STAT_LS_E50 = 32,  // load-settlement curve, E50 at the tip is zero
  STAT_LS_COH = 33,  // load-settlement curve, cohesion at the tip is zero
  STAT_TR_E50 = 34,  // torque-rotation curve, E50 at the tip is zero
  STAT_TR_COH = 35,  // torque-rotation curve, cohesion at the tip is zero
  STAT_HC_CONV = 36, // the march from the tip to the head does not converge
};

constexpr int NHCMAX = 9;  // head points of one generator call
using HeadPoints = FArray<double, NHCMAX>;

// Direction of loading of a generator call.
constexpr std::int32_t KDIR_UPLIFT = 1;
constexpr std::int32_t KDIR_COMPRESSION = 2;

// Axial load-settlement curve of pile IPILE (pile property IPROP) for KDIR
// 1 (uplift) or 2 (compression). ICURV is the number of the generated curve,
// shown in the tables on unit 20. Writes the t-z and q-w tables and the head
// points to unit 20, the axial listing to unit 27, and the points with their
// tip values into the generated-curve table AXTZ (row IPROP). A status from a
// soil look-up, or 32/33 for a clay tip with zero E50 or cohesion, ends the
// call with neither HLOAD/HMOV nor AXTZ written.
void AXLSGEN(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
             const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
             HeadPoints& HMOV);

// While an AxtzKeep is alive on a thread, AXLSGEN on that thread keeps the
// points it would store into AXTZ, in call order, and store() stores them
// later, in that order: curves generated side by side for piles of one property then
// leave AXTZ as generating them one after the other does.
class AxtzKeep {
 public:
  AxtzKeep();
  ~AxtzKeep();
  AxtzKeep(const AxtzKeep&) = delete;
  AxtzKeep& operator=(const AxtzKeep&) = delete;
  struct Half {
    std::int32_t prop;
    bool uplift;
    HeadPoints hmov, hlod, tmov, tlod;  // as AXTZ shows them
  };
  std::vector<Half> halves;
  static void store(const std::vector<Half>& halves);

 private:
  AxtzKeep* outer_;
};

// Torque-rotation curve of pile IPILE: HLOAD receives the head torque and
// HMOV the head rotation (radians) for nine tip rotations. Writes the T-q
// table (KDIR 1) and the head points to unit 20. Status 34/35 for a driven
// pile whose clay or rock tip has zero E50 or cohesion.
void TRGEN(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
           const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
           HeadPoints& HMOV);

// Secant slope of a curve of N points (X(1..N) increasing, Y(1..N)).
// MODE 0: through the first and the last point. Any other MODE: the segment
// that holds the origin (the first point from 2 on with X >= 0, or the last
// segment). Returns false, with SLOPE = 0, when the curve has fewer than two
// points or the segment has no length.
bool SECSLOPE(const std::int32_t& N, const double* X, const double* Y, const std::int32_t& MODE,
              double& SLOPE);

// Equivalent axial and torsional head stiffness of pile IPILE: the secant
// slope (MODE as SECSLOPE) of its load-settlement curve ILSCRV (user curve
// when >= 1, generated curve -ILSCRV when <= 0) or torque-rotation curve
// ITRCRV. A curve that does not exist or has no slope gives 0.
void AXSLOPE(const std::int32_t& IPILE, const std::int32_t& MODE, double& SLOPE);
void TQSLOPE(const std::int32_t& IPILE, const std::int32_t& MODE, double& SLOPE);

}  // namespace drelm
