// A whole space run on one and on many threads: the generated head curves,
// the warnings the piles raise while they are solved side by side and every
// report come out the same.
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../input/names_fixture.h"
#include "run/rundrv.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines withoutTimes(const std::string& file) {
  Lines kept;
  for (const std::string& l : test::readLines(file))
    if (l.find("Time") == std::string::npos && l.find("Date") == std::string::npos &&
        l.find("processing") == std::string::npos && l.find("Processors") == std::string::npos)
      kept.push_back(l);
  return kept;
}

// Nine piles with one generated load-settlement curve each and no torque
// curve: a torque on the cap twists them all, and every head reports a
// failure in torsion at every force evaluation.
TEST(SpaceRunThreads, GridReportsAreTheSameOnOneAndOnEightThreads) {
  test::ScratchDir dir;
  std::string in = test::readFile(test::dataFile("space_grid9.inp"));
  const std::string load = "1800000.000000 45000.000000 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
  ASSERT_NE(in.find(load), std::string::npos);
  in.replace(in.find(load), load.size(), "1800000.000000 45000.000000 0.0 0.0 0.0 1.0E6 0.0 0.0 0.0");
  test::writeFile("run.inp", in);
  test::writeNames(test::runNames());
  const char* reports[] = {"run.echo", "run.out", "run.sum",   "run.report", "run.status", "run.log",
                           "run.plot", "run.lsgen", "run.axl", "run.wrn",    "run.crv"};
  const int threads = omp_get_max_threads();
  omp_set_num_threads(1);
  ASSERT_EQ(IDRELM(6), 0);
  std::vector<Lines> one;
  for (const char* r : reports) one.push_back(withoutTimes(r));
  const Lines& out = one[1];
  ASSERT_GE(std::count_if(out.begin(), out.end(),
                          [](const std::string& l) { return l.find("APPARENT FAILURE IN TORSION") != std::string::npos; }),
            9);
  omp_set_num_threads(8);
  ASSERT_EQ(IDRELM(6), 0);
  for (std::size_t i = 0; i < std::size(reports); ++i) EXPECT_EQ(withoutTimes(reports[i]), one[i]) << reports[i];
  omp_set_num_threads(threads);
}

}  // namespace
}  // namespace drelm
