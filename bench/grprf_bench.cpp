// Reduction factors for closely spaced piles of a plane model whose 2,500
// rows stand for 10 piles each: 25,000 individual piles at three diameters.
#include <benchmark/benchmark.h>

#include "model/model.h"
#include "model/tables.h"
#include "soil/grprf.h"

namespace {

void BM_PairFactors25000PlanePiles(benchmark::State& state) {
  using namespace drelm;
  clearTables();
  RUNCTL.IANTYP = 2;
  RUNCTL.NPILE = MAXPIL;
  PILEPROP.NSECT(1) = 1;
  SECTAB.SDIAT(1, 1) = 24.0;
  for (int p = 1; p <= MAXPIL; ++p) {
    PILEAR.PROPOFPILE(p) = 1;
    PILEAR.GRPNP(p) = 10.0;
    PILEAR.PHY(p) = 72.0 * (p - 1);
    GRPFAC.GRPSPC(p) = 72.0;
  }
  for (auto _ : state) {
    GRPRFY(1.0);
    benchmark::DoNotOptimize(GRPFAC.GRPPF(1));
  }
}
BENCHMARK(BM_PairFactors25000PlanePiles)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
