// Space piles with generated head curves, set up directly in the tables, for
// the tests and the benchmark of the head response.
#pragma once

#include <cmath>
#include <cstdint>
#include <atomic>
#include <initializer_list>
#include <thread>
#include <vector>

#include "pile/pilefixture.h"
#include "model/model.h"
#include "prep/prep_hdcurves.h"
#include "model/tables.h"
#include "support/soilprofile.h"

namespace drelm::test {

// One soil layer, each property constant through it (angle in degrees).
struct HdLayer {
  int code;
  double top, bot;
  double gam = 0, c = 0, phiDeg = 0, k = 0, e50 = 0, fs = 0, qt = 0;
};

// The pile of property 1: uniform section, installation type ptype.
struct HdPile {
  double len = 600.0;
  int ninc = 100;
  double EI = 1.0E10, E = 4.0E6, GJ = 4.6E11;
  double D = 24.0, A = 450.0;
  std::int32_t ptype = PTYPE_DRILLED;
};

// A run of npile identical vertical piles of property 1 with their heads at
// the cap origin, in the soil given, fixed heads, the ground gro above the
// head (negative: above). Generates the load-settlement and torque-rotation
// curve of pile 1, shared by every pile. Returns the status of the
// generation.
inline std::int32_t setGroupRun(std::initializer_list<HdLayer> soil, const HdPile& pile, int npile,
                                double gro = 0.0, double tolpil = 1.0E-8, int maxitl = 100) {
  clearTables();
  setLateralRun(tolpil, maxitl);
  setSoilProfile(soil);
  Section s{pile.EI, pile.EI, pile.D, pile.A, 0.0, 0.0};
  s.Iz = s.Iy = pile.EI / pile.E;
  setProperty(1, pile.len, pile.ninc, s);
  SECTAB.SEMODT(1, 1) = SECTAB.SEMODB(1, 1) = pile.E;
  SECTAB.SGJT(1, 1) = SECTAB.SGJB(1, 1) = pile.GJ;
  PILEPROP.PTYPE(1) = pile.ptype;
  for (int p = 1; p <= npile; ++p) {
    setPile(p, 1, 0.0, CONN_FIX);
    PILEAR.PGRND(p) = gro;
    PILEAR.PAXFAC(p) = 1.0;
    PILEAR.ILSGEN(p) = PILEAR.ITRGEN(p) = 1;
  }
  GENCRVIN.NLSGEN = GENCRVIN.NTRGEN = 1;
  GENCRVIN.LSGLST(1) = GENCRVIN.TRGLST(1) = 1;
  std::int32_t st = 0;
  PRPHCV(st);
  return st;
}

// Soft clay over sand over stiff clay, a driven pile 50 ft long.
inline std::int32_t setThreeLayerRun(int npile, int ninc = 100) {
  HdPile pile;
  pile.ptype = PTYPE_DRIVEN;
  pile.ninc = ninc;
  return setGroupRun({HdLayer{ST_SOFTCLAY, 0.0, 120.0, 0.02, 3.0, 0.0, 0.0, 0.02},
                      HdLayer{ST_SAND, 120.0, 360.0, 0.036, 0.0, 35.0, 90.0},
                      HdLayer{ST_STIFFDRY, 360.0, 1200.0, 0.04, 15.0, 0.0, 0.0, 0.005}},
                     pile, npile);
}

// Calls f(p) for p = 1 .. n on nthread threads, each taking the next pile
// as it comes free. Plain threads rather than an OpenMP loop: the thread
// sanitizer sees their start and join, but not the barriers of the OpenMP
// runtime, which it would take for races.
template <class F>
void onThreads(int nthread, int n, F f) {
  std::atomic<int> next{1};
  std::vector<std::thread> pool;
  for (int t = 0; t < nthread; ++t)
    pool.emplace_back([&] {
      for (int p = next++; p <= n; p = next++) f(p);
    });
  for (std::thread& t : pool) t.join();
}

}  // namespace drelm::test
