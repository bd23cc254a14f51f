// The soil springs of one pile as the lateral solver asks for them at every
// iteration: a 100-increment pile through three layers, soft clay, sand and
// stiff clay without free water (profile 0) or modified soft clay, API sand
// and stiff clay with free water (profile 1).
#include <benchmark/benchmark.h>

#include <cmath>

#include "report/labels.h"
#include "run/model.h"
#include "soil/lookup.h"
#include "soil/pysoil.h"

namespace {

using namespace drelm;

void setUp(int profile) {
  RUNCONST.PI = M_PI;
  RUNCONST.EPSLIM = 1.0E-14;
  RUNCONST.EPSCOH = 1.0E-6;
  RUNCTL.IUNITS = 1;
  CURCTL.KSTCYC = 1;
  CURCTL.NCYCL = 1;
  struct L {
    int code;
    double top, bot, gam, c, phi, k, e50;
  } const layers[2][3] = {{{1, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                           {4, 240, 600, 0.04, 0, 35 * M_PI / 180, 150, 0},
                           {3, 600, 1500, 0.045, 15.0, 0, 0, 0.005}},
                          {{14, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                           {8, 240, 600, 0.04, 0, 35 * M_PI / 180, 100, 0},
                           {2, 600, 1500, 0.045, 15.0, 0, 0, 0.005}}};
  int n = 0;
  for (const L& l : layers[profile]) {
    ++n;
    SOILCOM.LTYPE(n) = l.code;
    SOILCOM.LTOP(n) = l.top;
    SOILCOM.LBOT(n) = l.bot;
    for (int i = 2 * n - 1; i <= 2 * n; ++i) {
      SOILCOM.XPROF(i) = SOILCOM.XGAM(i) = i % 2 ? l.top : l.bot;
      SOILCOM.GAMPR(i) = l.gam;
      SOILCOM.CPROF(i) = l.c;
      SOILCOM.PHIPR(i) = l.phi;
      SOILCOM.KPROF(i) = l.k;
      SOILCOM.E50PR(i) = l.e50;
    }
  }
  SOILCOM.NLAYER = n;
  SOILCOM.NPROF = SOILCOM.NGAM = 2 * n;

  const double len = 1200;
  const int ninc = 100;
  PILEPROP.PLEN(1) = len;
  PILEPROP.NINC(1) = ninc;
  PILEPROP.NSECT(1) = 1;
  SECTAB.SXTO(1, 1) = len;
  SECTAB.SDIAT(1, 1) = SECTAB.SDIAB(1, 1) = 24;
  std::int32_t st = 0;
  SECMARK(st);
  PILEAR.PROPOFPILE(1) = 1;
  GRPFAC.GRPPF(1) = GRPFAC.GRPYF(1) = 1.0;
  RUNCTL.NPILE = 1;
  for (int k = 1; k <= ninc + 1; ++k) {
    const double x = (k - 1) * len / ninc;
    PILENODE.XNODE(1, k) = PILENODE.XPILE(1, k) = x;
    const int L = x < 240 ? 1 : x < 600 ? 2 : 3;
    if (LAYNODE.LNODE1(1, L) == 0) LAYNODE.LNODE1(1, L) = k;
    LAYNODE.LNODE2(1, L) = k;
  }
}

void BM_PySoilPile(benchmark::State& state) {
  setUp(static_cast<int>(state.range(0)));
  NodeArray y, es, ys1, ys2, psmov, ps;
  for (int k = 1; k <= 101; ++k) y(k) = 0.5 * std::exp(-0.05 * (k - 1));  // a deflected shape
  std::int32_t st = 0;
  const std::int32_t prop = 1, pile = 1;
  for (auto _ : state) {
    PYSOIL(prop, st, pile, pile, y, es, ys1, ys2, psmov, ps);
    benchmark::DoNotOptimize(es.data());
    benchmark::ClobberMemory();
  }
  if (st != 0) state.SkipWithError("status set");
  state.SetItemsProcessed(state.iterations() * 101);
  state.counters["ns_per_node"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 101,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PySoilPile)->Arg(0)->Arg(1);

}  // namespace
