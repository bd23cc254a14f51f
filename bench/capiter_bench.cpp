// One cap iteration of a large space model: the force sum and the stiffness
// sum (fourteen head solutions per pile) for 2,500 vertical pipe piles of 100
// increments through soft clay, sand and stiff clay, at 1, 2, 4 and 8
// threads through the case's thread limit.
#include <benchmark/benchmark.h>
#include <omp.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cap/capsum.h"
#include "cap/headrsp.h"
#include "model/model.h"
#include "prep/prepro.h"
#include "support/inputrun.h"
#include "support/inputgen.h"

namespace {

namespace fs = std::filesystem;
using namespace drelm;

void replaceOnce(std::string& s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  if (at != std::string::npos) s.replace(at, from.size(), to);
}

// The generated model with 100 increments per pile and a third layer.
std::string largeModel() {
  std::string s = test::generatedSpaceInput(2500, 1, 0);
  replaceOnce(s, "PILE PROPERTIES\n1\n1 1\n60 60.0 1\n", "PILE PROPERTIES\n1\n1 1\n100 60.0 1\n");
  replaceOnce(s, "SOIL LAYERS\n2\n", "SOIL LAYERS\n3\n");
  replaceOnce(s, "65.0 0.0 36.0 125.0 0.0 0.0 0.0 0.0 0.0 0.0\n",
              "65.0 0.0 36.0 125.0 0.0 0.0 0.0 0.0 0.0 0.0\n3 3\n100.0 200.0\n2 10\n"
              "62.0 2000.0 0.0 500.0 0.0 0.005 0.0 0.0 0.0 0.0\n"
              "62.0 3000.0 0.0 500.0 0.0 0.004 0.0 0.0 0.0 0.0\n");
  return s;
}

// The model is read and preprocessed once, in a private directory.
bool prepared() {
  static const bool ok = [] {
    char tmpl[] = "/tmp/drelm-capbench-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) return false;
    const fs::path previous = fs::current_path();
    fs::current_path(tmpl);
    test::writeNamesFile();
    test::writeInputFile(largeModel());
    std::int32_t st = 0;
    test::runToConvin(st);
    if (st == 0) PREPRO(st);
    io::CLOSEALL();
    fs::current_path(previous);
    std::error_code ec;
    fs::remove_all(tmpl, ec);
    // The case's controls as the analysis driver sets them.
    CURCTL.TOLPIL = 1.0E-5;
    SOILCOM.MAXITL = 100;
    CURCTL.KSTCYC = 1;
    return st == 0 && RUNCTL.NPILE == 2500;
  }();
  return ok;
}

void BM_CapIteration(benchmark::State& state) {
  if (headResponse() == nullptr) {
    state.SkipWithError("the single-pile head response is not linked in");
    return;
  }
  if (!prepared()) {
    state.SkipWithError("the model did not preprocess");
    return;
  }
  TIMBLK.NPROCS = omp_get_num_procs();
  CURCTL.NTHLIM = static_cast<std::int32_t>(state.range(0));
  // Near working load: a settlement and a sway of the cap (internal units).
  const double U[6] = {0.05, 0.2, 0.1, 0.0, 1.0E-5, -1.0E-5};
  double F[6], K[36];
  std::int32_t ISTAT = 0;
  for (auto _ : state) {
    FVEC(F, U, ISTAT);
    STIFF(K, U, ISTAT);
    benchmark::DoNotOptimize(F);
    benchmark::DoNotOptimize(K);
  }
  if (ISTAT != 0) state.SkipWithError(("status " + std::to_string(ISTAT)).c_str());
  state.counters["threads"] = static_cast<double>(TIMBLK.NTHUSE);
  state.counters["head_solutions"] = 14.0 * RUNCTL.NPILE;
}
BENCHMARK(BM_CapIteration)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
