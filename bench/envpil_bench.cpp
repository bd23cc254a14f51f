// Copy of one pile's node results into the envelope store, pile after pile
// as a reporting pass does it.
#include <benchmark/benchmark.h>

#include "pile/envpil.h"
#include "pile/pilestore.h"
#include "model/tables.h"

namespace {

void BM_EnvelopeCopyOnePile(benchmark::State& state) {
  drelm::clearTables();
  static drelm::NodeBlock block;
  for (int q = 1; q <= 25; ++q)
    for (int s = 1; s <= drelm::MAXNOD; ++s) block(s, q) = 0.5 * s - q;
  const std::int32_t nslot = 104;  // 101 nodes
  // A first pass brings every pile's pages in, as the first case of a run does.
  drelm::ENVPIL.ENVFST = 1;
  for (std::int32_t p = 1; p <= drelm::MAXPIL; ++p) drelm::NODENV(p, nslot, block);
  drelm::ENVPIL.ENVFST = 0;
  std::int32_t p = 1;
  for (auto _ : state) {
    drelm::NODENV(p, nslot, block);
    benchmark::ClobberMemory();
    p = p % drelm::MAXPIL + 1;
  }
}
BENCHMARK(BM_EnvelopeCopyOnePile)->Unit(benchmark::kMicrosecond);

}  // namespace
