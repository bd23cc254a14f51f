// A layered soil profile written straight into the soil tables, for the
// fixtures of the p-y, t-z and head-curve tests and the node set-up.
#pragma once

#include <cmath>
#include <initializer_list>
#include <utility>

#include "model/model.h"

namespace drelm::test {

// Layer L takes profile points 2L-1 (its top) and 2L (its bottom), each
// property constant through it; the friction angle is given in degrees. A
// layer type carries code, top, bot, gam, c and phiDeg, and any of k, e50, j,
// fs and qt: the profiles it does not carry are left as they are.
template <class Layer>
void setSoilProfile(std::initializer_list<Layer> layers) {
  SOILCOM_T& S = SOILCOM;
  int L = 0;
  for (const Layer& l : layers) {
    ++L;
    S.LTYPE(L) = l.code;
    S.LTOP(L) = l.top;
    S.LBOT(L) = l.bot;
    for (int i = 2 * L - 1; i <= 2 * L; ++i) {
      S.XPROF(i) = S.XGAM(i) = i == 2 * L - 1 ? l.top : l.bot;
      S.GAMPR(i) = l.gam;
      S.CPROF(i) = l.c;
      S.PHIPR(i) = l.phiDeg * M_PI / 180.0;
      if constexpr (requires { l.k; }) S.KPROF(i) = l.k;
      if constexpr (requires { l.e50; }) S.E50PR(i) = l.e50;
      if constexpr (requires { l.j; }) S.JPROF(i) = l.j;
      if constexpr (requires { l.fs; }) S.FSPROF(i) = l.fs;
      if constexpr (requires { l.qt; }) S.QTPROF(i) = l.qt;
    }
  }
  S.NLAYER = L;
  S.NPROF = S.NGAM = 2 * L;
  if (L >= 1) S.LTOP(L + 1) = S.LBOT(L);  // the closing top, as the soil record sets it
}

// Only the layer bounds (top, bottom), for the node set-up.
inline void setLayerBounds(std::initializer_list<std::pair<double, double>> layers) {
  int L = 0;
  for (const auto& [top, bot] : layers) {
    ++L;
    SOILCOM.LTOP(L) = top;
    SOILCOM.LBOT(L) = bot;
  }
  SOILCOM.NLAYER = L;
  if (L >= 1) SOILCOM.LTOP(L + 1) = SOILCOM.LBOT(L);
}

}  // namespace drelm::test
