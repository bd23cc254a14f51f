// The envelope store: current results of the last analysed pass and their
// smallest and largest values over a series of analyses (the load cases, or
// the load combinations), at the pile heads, along the piles and at the cap.
#pragma once

#include <cstdint>

#include "pile/nodes.h"
#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int NPTVAL = 26;  // pile-top values: two sets of 13
constexpr int NNDQ = 25;    // along-pile quantities

struct ENVPIL_T {
  // 1 while the first analysed case of a series runs: every update then takes
  // the current value as both minimum and maximum.
  std::int32_t ENVFST = 0;
  PileArray2<double, MAXPIL1, NPTVAL> PTCUR, PTMIN, PTMAX;
  // Node slot 4 is the pile head, NINC + 4 the tip.
  PileArray3<double, MAXPIL1, MAXNOD, NNDQ> NDCUR, NDMIN, NDMAX;
  FArray<double, 6> CAPDMN, CAPDMX, CAPFMN, CAPFMX;
};
extern ENVPIL_T ENVPIL;

// a = b when b is smaller (DMIN) or larger (DMAX); a value that does not
// compare leaves a unchanged.
inline void DMIN(double& a, const double& b) {
  if (a > b) a = b;
}
inline void DMAX(double& a, const double& b) {
  if (b > a) a = b;
}

// The envelope rule: the first analysed case of a series (ENVFST = 1)
// starts the extremes at the current value, later cases widen them.
inline void widenEnvelope(double& lo, double& hi, double v, bool first) {
  if (first) lo = hi = v;
  DMIN(lo, v);
  DMAX(hi, v);
}

// Smallest and largest values of a series set to 0 before its first case:
// every cap component, pile-top slot, node slot and quantity of piles (plane:
// rows) 1 .. NPILE, so that the envelope of a series with no analysed member
// is zero everywhere.
void ENVRS();
void ENVRS2D();

// Plane analysis: widens the cap extremes by the cap load and displacement
// (vertical, horizontal, rotation) of the pass just reported.
void CENV2D(const double (&P)[3], const double (&U)[3]);

// Pile-top values of plane row p: global vertical and horizontal
// displacement and rotation, the same in row axes, global vertical and
// horizontal force and moment, the same in row axes, and the head stress.
// Writes PTCUR slots 1-7 and 14-20 and widens PTMIN and PTMAX over them.
// Rows run on several threads; each writes only its own slots.
void PENV2D(const std::int32_t& IPILE, const double& UGV, const double& UGH, const double& UGR,
            const double& ULA, const double& ULL, const double& ULR, const double& FGV, const double& FGH,
            const double& FGM, const double& FLA, const double& FLL, const double& FLM,
            const double& STRESS);

}  // namespace drelm
