// Every example and fixture, run whole: each case and combination whose pile
// results the second results report prints balances its load. The pile-head
// reactions carried to the cap origin equal the load at the origin to 1E-6
// (a case stopped short of its load balances the fraction it reports).
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "support/balance.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs() {
  const fs::path data = test::dataFile("x").parent_path();
  std::vector<fs::path> files;
  for (const fs::path& dir : {data, data / ".." / ".." / "examples"})
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".inp") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(FixtureBalance, EveryReportedCaseBalancesItsLoad) {
  // One thread is the fastest for small groups, and the reports are the same
  // on any number.
  const int threads = omp_get_max_threads();
  omp_set_num_threads(1);
  std::size_t checked = 0;
  for (const fs::path& f : inputs()) {
    SCOPED_TRACE(f.filename().string());
    test::ScratchDir dir;
    test::wholerun::runInput(test::readFile(f));
    // A cap that carries load itself (the passive resistance of an embedded
    // cap) is not in the pile-head sums.
    if (CAPCTL.ICAPOP != 0) continue;
    // A soil movement alone loads the cap with nothing: its piles' sums are
    // judged against 1 lb.
    for (const test::CaseBalance& b : test::caseBalances(test::readLines("run.rp2"), 1.0)) {
      if (b.rows == 0) continue;  // print level 0: no pile results
      ++checked;
      EXPECT_EQ(b.rows, static_cast<std::size_t>(RUNCTL.NPILE));
      EXPECT_LE(b.force, 1e-6);
      EXPECT_LE(b.moment, 1e-6);
    }
  }
  omp_set_num_threads(threads);
  EXPECT_GT(checked, 40u);
}

}  // namespace
}  // namespace drelm
