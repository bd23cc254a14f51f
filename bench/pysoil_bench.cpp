// The soil springs of one pile as the lateral solver asks for them at every
// iteration: a 100-increment pile through three layers, soft clay, sand and
// stiff clay without free water (profile 0) or modified soft clay, API sand
// and stiff clay with free water (profile 1).
#include <benchmark/benchmark.h>

#include <cmath>

#include "soil/pyfixture.h"

namespace {

using namespace drelm;

void setUp(int profile) {
  test::setRun();
  if (profile == 0) {
    test::setSoil({{1, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                   {4, 240, 600, 0.04, 0, 35, 150, 0},
                   {3, 600, 1500, 0.045, 15.0, 0, 0, 0.005}});
  } else {
    test::setSoil({{14, 0, 240, 0.03, 4.0, 0, 0, 0.01},
                   {8, 240, 600, 0.04, 0, 35, 100, 0},
                   {2, 600, 1500, 0.045, 15.0, 0, 0, 0.005}});
  }
  test::setPile(1, 24, 1200, 100);
}

void BM_PySoilPile(benchmark::State& state) {
  setUp(static_cast<int>(state.range(0)));
  test::Springs s;
  for (int k = 1; k <= 101; ++k) s.y(k) = 0.5 * std::exp(-0.05 * (k - 1));  // a deflected shape
  for (auto _ : state) {
    s.run();
    benchmark::DoNotOptimize(s.es.data());
    benchmark::ClobberMemory();
  }
  if (s.st != 0) state.SkipWithError("status set");
  state.SetItemsProcessed(state.iterations() * 101);
  state.counters["ns_per_node"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 101,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PySoilPile)->Arg(0)->Arg(1);

}  // namespace
