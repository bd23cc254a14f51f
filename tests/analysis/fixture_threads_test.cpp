// The small whole-run fixtures of the soil movement, envelope and user
// bending stiffness runs give the same reports on one and on eight threads.
#include <gtest/gtest.h>
#include <omp.h>

#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::fixture;
using test::wholerun::runInput;
using test::wholerun::untimed;

TEST(FixtureThreads, ReportsAreTheSameOnOneAndOnEightThreads) {
  const char* reports[] = {"run.echo", "run.out", "run.sum", "run.rp2", "run.sta", "run.log", "run.plt"};
  const int threads = omp_get_max_threads();
  for (const char* name : {"space_soilmove.inp", "plane_soilmove.inp", "space_envskip.inp", "plane_envskip.inp",
                           "space_mcuser.inp", "plane_mcuser.inp"}) {
    SCOPED_TRACE(name);
    test::ScratchDir dir;
    omp_set_num_threads(1);
    ASSERT_EQ(runInput(fixture(name)), 0);
    std::vector<std::vector<std::string>> one;
    for (const char* r : reports) one.push_back(untimed(r));
    omp_set_num_threads(8);
    ASSERT_EQ(runInput(fixture(name)), 0);
    for (std::size_t i = 0; i < std::size(reports); ++i) EXPECT_EQ(untimed(reports[i]), one[i]) << reports[i];
  }
  omp_set_num_threads(threads);
}

}  // namespace
}  // namespace drelm
