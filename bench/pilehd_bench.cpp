// The head solution of one space pile as the cap solution asks for it, many
// times per iteration: a 100-increment driven pile through soft clay, sand
// and stiff clay at a head displacement near working load, set against the
// cost of one lateral iteration's parts (one evaluation of the soil springs
// and the two banded solves of the lateral directions).
#include <benchmark/benchmark.h>

#include <cmath>

#include "pile/axial.h"
#include "pile/beamfd.h"
#include "pile/llp.h"
#include "pile/node.h"
#include "pile/pilehd.h"
#include "pile/pilehd_fixture.h"
#include "soil/pysoil.h"

namespace {

using namespace drelm;

// Axial, lateral and rotational head displacement near working load.
const double UHEAD[6] = {0.08, 0.25, 0.1, 2.0E-4, 1.0E-3, -2.0E-3};

void setUp(int iaxvar) {
  if (test::setThreeLayerRun(1) != 0) return;
  CURCTL.IAXVAR = iaxvar;
}

// Lateral iterations of the head solution of pile 1 (vertical at the cap
// origin: pile axes are global axes).
int lateralIterations() {
  double px = 0, vt1, vt2, mt1, mt2;
  NodeArray ax, al;
  std::int32_t st = 0;
  AXIAL(1, px, UHEAD, ax, al, st);
  NODE(1, st);
  LLPRES res;
  double rt[36] = {};
  for (int i = 0; i < 6; ++i) rt[i + 6 * i] = 1.0;
  LLP(1, UHEAD[1], -UHEAD[5], UHEAD[2], UHEAD[4], px, 0.0, vt1, vt2, mt1, mt2, st, UHEAD, rt, ax, al, &res);
  return st == 0 ? res.ITER : -1;
}

void BM_PileHead(benchmark::State& state) {
  setUp(static_cast<int>(state.range(0)));
  double f[6];
  std::int32_t st = 0;
  for (auto _ : state) {
    PILEHD(1, f, UHEAD, st);
    benchmark::DoNotOptimize(f);
    benchmark::ClobberMemory();
  }
  if (st != 0 || RUNCTL.KPILST != 0) state.SkipWithError("pile not solved");
  const int iters = lateralIterations();
  // Seconds per head solution and per lateral iteration (shown with SI
  // prefixes: u for microseconds).
  const double n = static_cast<double>(state.iterations());
  const auto perCall = benchmark::Counter::kIsRate | benchmark::Counter::kInvert;
  state.counters["head"] = benchmark::Counter(n, perCall);
  state.counters["lateral_iters"] = iters;
  state.counters["lateral_iter"] = benchmark::Counter(n * iters, perCall);
}
BENCHMARK(BM_PileHead)->Arg(0)->Arg(1)->ArgName("iaxvar")->Unit(benchmark::kMicrosecond);

// One evaluation of the soil springs and the two banded solves: what one
// lateral iteration cannot do without.
void BM_LateralIterationParts(benchmark::State& state) {
  setUp(0);
  std::int32_t st = 0;
  NODE(1, st);
  const int n = 104;  // tip slot of 101 nodes
  const double h = PILEPROP.DXINC(1);
  NodeArray y, R, Q, K, F, A, B, C, yd, es, ys1, ys2, psm, ps;
  R.fill(1.0E10);
  for (int k = 1; k <= 101; ++k) yd(k) = 0.25 * std::exp(-0.05 * (k - 1));
  for (auto _ : state) {
    PYSOIL(1, st, 1, 1, yd, es, ys1, ys2, psm, ps);
    for (int k = 1; k <= 101; ++k) K(k + 3) = es(k);
    for (int d = 0; d < 2; ++d) {
      BEAMHD(CONN_FIX, R(4), 0.0, h, 0.25, 0.0, A, B, C);
      BEAMFW(n, h, R, Q, K, F, A, B, C);
      BEAMBK(n, h, Q(n), R(n), A, B, C, y);
    }
    benchmark::DoNotOptimize(y.data());
    benchmark::ClobberMemory();
  }
  if (st != 0) state.SkipWithError("status set");
}
BENCHMARK(BM_LateralIterationParts)->Unit(benchmark::kMicrosecond);

}  // namespace
