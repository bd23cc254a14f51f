#include "pile/envpil.h"

#include <algorithm>

#include "model/tables.h"

namespace drelm {


namespace {

void widen(double& lo, double& hi, double v) { widenEnvelope(lo, hi, v, ENVPIL.ENVFST == 1); }

void resetPiles(int nslot, const int* slots, int nq) {
  ENVPIL_T& E = ENVPIL;
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL1);
  for (int p = 1; p <= np; ++p) {
    for (int i = 0; i < nslot; ++i) E.PTMIN(p, slots[i]) = E.PTMAX(p, slots[i]) = 0.0;
    for (int q = 1; q <= nq; ++q)
      for (int n = 1; n <= MAXNOD; ++n) E.NDMIN(p, n, q) = E.NDMAX(p, n, q) = 0.0;
  }
}

}  // namespace

void ENVRS() {
  ENVPIL_T& E = ENVPIL;
  for (int i = 1; i <= 6; ++i) E.CAPDMN(i) = E.CAPDMX(i) = E.CAPFMN(i) = E.CAPFMX(i) = 0.0;
  int slots[NPTVAL];
  for (int i = 0; i < NPTVAL; ++i) slots[i] = i + 1;
  resetPiles(NPTVAL, slots, NNDQ);
}

// The rows fill fewer slots and quantities than space piles, but a series
// with no analysed member must show zero in every one it prints, not what
// the series before it left there.
void ENVRS2D() { ENVRS(); }

void CENV2D(const double (&P)[3], const double (&U)[3]) {
  ENVPIL_T& E = ENVPIL;
  for (int i = 1; i <= 3; ++i) {
    widen(E.CAPFMN(i), E.CAPFMX(i), P[i - 1]);
    widen(E.CAPDMN(i), E.CAPDMX(i), U[i - 1]);
  }
}

void PENV2D(const std::int32_t& IPILE, const double& UGV, const double& UGH, const double& UGR,
            const double& ULA, const double& ULL, const double& ULR, const double& FGV, const double& FGH,
            const double& FGM, const double& FLA, const double& FLL, const double& FLM,
            const double& STRESS) {
  const int p = IPILE;
  const struct {
    int slot;
    double value;
  } top[] = {{1, UGV},  {2, UGH},  {3, UGR},  {4, FGV},  {5, FGH},  {6, FGM},  {7, STRESS},
             {14, ULA}, {15, ULL}, {16, ULR}, {17, FLA}, {18, FLL}, {19, FLM}, {20, STRESS}};
  ENVPIL_T& E = ENVPIL;
  for (const auto& v : top) {
    E.PTCUR(p, v.slot) = v.value;
    widen(E.PTMIN(p, v.slot), E.PTMAX(p, v.slot), v.value);
  }
}

}  // namespace drelm
