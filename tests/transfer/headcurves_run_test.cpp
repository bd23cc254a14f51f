// Whole runs whose pile tips stand in soil that the generated head curves
// cannot use: the run ends in the input stage with the status of the curve,
// its warning on the results report and the runtime log, and the closing
// message.
#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "run/rundrv.h"
#include "model/model_run.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

// The sand below 20 ft of the minimal space model, where the pile tips are.
const std::string SAND =
    "2 4\n20.0 80.0\n2 10\n"
    "60.0 0.0 34.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0\n"
    "60.0 0.0 36.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0\n";

bool holds(const std::vector<std::string>& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}
bool mentions(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

TEST(HeadCurveRun, TipSoilWithoutStrengthOrStiffness) {
  const struct {
    const char* name;
    std::string tipLayer;  // layer 2 in place of the sand
    std::int32_t status;
    const char* warning;
    const char* closing;
  } cases[] = {
      {"stiff clay of no strength",
       "2 3\n20.0 80.0\n2 10\n60.0 0.0 0.0 0.0 0.0 0.01 0.0 0.0 0.0 0.0\n60.0 0.0 0.0 0.0 0.0 0.01 0.0 0.0 0.0 0.0\n",
       33, "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE", "LS CURVE, COHESION VALUE IS ZERO"},
      // A cohesive layer of no friction takes the clay rules at the tip;
      // an elastic subgrade has no E50 default.
      {"cohesive elastic subgrade without E50",
       "2 12\n20.0 80.0\n2 10\n60.0 300.0 0.0 50.0 0.0 0.0 0.0 0.0 0.0 0.0\n60.0 300.0 0.0 50.0 0.0 0.0 0.0 0.0 0.0 0.0\n",
       32, "     THE VALUE OF E50 AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE", "LS CURVE, E50 VALUE IS ZERO"},
      // The given tip resistance carries the load-settlement curve, but the
      // torque-rotation curve checks the cohesion alone.
      {"soft clay of no strength with a tip resistance",
       "2 1\n20.0 80.0\n2 10\n60.0 0.0 0.0 0.0 0.0 0.02 0.0 0.0 2000.0 0.0\n"
       "60.0 0.0 0.0 0.0 0.0 0.02 0.0 0.0 2000.0 0.0\n",
       35, "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE",
       "TORQUE CURVE, COHESION VALUE IS ZERO"},
  };
  for (const auto& c : cases) {
    test::ScratchDir dir;
    test::writeNamesFile();
    std::string input = test::readFile(test::dataFile("space_min.inp"));
    const std::size_t at = input.find(SAND);
    ASSERT_NE(at, std::string::npos);
    input.replace(at, SAND.size(), c.tipLayer);
    test::writeInputFile(input);
    EXPECT_EQ(IDRELM(6), c.status) << c.name;
    const std::vector<std::string> log = test::readLines("run.log");
    const std::vector<std::string> out = test::readLines("run.out");
    EXPECT_TRUE(holds(log, c.warning)) << c.name;
    EXPECT_TRUE(holds(out, c.warning)) << c.name;
    EXPECT_TRUE(mentions(log, "* ERROR IN ANALYSIS *")) << c.name;
    EXPECT_TRUE(mentions(log, c.closing)) << c.name;
    // The curve ended before its head points: the uplift call got as far as
    // its t-z table (load-settlement) or its T-q table (torque-rotation).
    const std::vector<std::string> hdc = test::readLines("run.hdc");
    const bool torque = c.status == 35;
    EXPECT_TRUE(holds(hdc, "     T-Z CURVES, PILE PROPERTY:  1")) << c.name;
    EXPECT_EQ(holds(hdc, "     T-q CURVES, PILE PROPERTY:  1"), torque) << c.name;
  }
}

// Lines of a report without the date line of its heading.
std::vector<std::string> undated(const char* file) {
  std::vector<std::string> kept;
  for (const std::string& l : test::readLines(file))
    if (l.find("Date:  ") == std::string::npos) kept.push_back(l);
  return kept;
}

// Thirty-six generated curves, of which curve 34 (the only one from the
// pile whose tip stands in clay of no strength) fails: the curves are
// generated side by side, but the files hold curves 1 to 33 whole, curve 34
// up to its failure and nothing of the later ones, the same on one thread
// and on eight.
TEST(HeadCurveRun, LateCurveFailsTheSameOnOneAndOnEightThreads) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("space_tipfail3.inp")));
  const char* files[] = {"run.echo", "run.out", "run.hdc", "run.axl", "run.plt"};
  const int threads = omp_get_max_threads();
  omp_set_num_threads(1);
  EXPECT_EQ(IDRELM(6), 33);
  std::vector<std::vector<std::string>> one;
  for (const char* f : files) one.push_back(undated(f));
  const std::vector<std::string>& hdc = one[2];
  EXPECT_EQ(std::count_if(hdc.begin(), hdc.end(),
                          [](const std::string& l) { return l.find("     T-Z CURVES, PILE PROPERTY:") == 0; }),
            34);
  EXPECT_TRUE(holds(hdc, "     Q-W CURVE, PILE PROPERTY: 33"));
  EXPECT_TRUE(holds(hdc, "     T-Z CURVES, PILE PROPERTY: 34"));
  EXPECT_FALSE(mentions(hdc, "PILE PROPERTY: 35"));
  EXPECT_TRUE(holds(one[1], "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE"));
  omp_set_num_threads(8);
  EXPECT_EQ(IDRELM(6), 33);
  omp_set_num_threads(threads);
  for (std::size_t i = 0; i < std::size(files); ++i) EXPECT_EQ(undated(files[i]), one[i]) << files[i];
}

}  // namespace
}  // namespace drelm
