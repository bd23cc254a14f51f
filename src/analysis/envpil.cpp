#include "analysis/envpil.h"

#include "run/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(ENVPIL_T, ENVPIL);

void DMIN(double& a, const double& b) {
  if (a > b) a = b;
}

void DMAX(double& a, const double& b) {
  if (b > a) a = b;
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
    if (E.ENVFST == 1) E.PTMIN(p, v.slot) = E.PTMAX(p, v.slot) = v.value;
    DMIN(E.PTMIN(p, v.slot), v.value);
    DMAX(E.PTMAX(p, v.slot), v.value);
  }
}

}  // namespace drelm
