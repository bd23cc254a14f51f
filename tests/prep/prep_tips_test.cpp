// The check of the pile tips against the soil profile before the head
// curves are generated: the tip of the pile it names, exactly at the bottom
// of the deepest layer, is accepted and the run goes on; just below it the
// run stops with the node set-up's status before any soil look-up.
// Another pile is checked before the first analysed case.
#include <gtest/gtest.h>

#include <string>

#include "analysis/wholerun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using namespace test::wholerun;

TEST(PileTips, TipAtTheBottomOfTheProfileIsAcceptedBelowItIsNot) {
  const struct {
    const char* fixture;
    const char* line;  // the head line of the pile or row that reaches deepest
    const char* head;
    std::int32_t status;
  } cases[] = {
      {"space_tip_below.inp", "35.0 2.0 2.0 0.0 90.0 0.0 0.0", "30.0 2.0 2.0 0.0 90.0 0.0 0.0", 0},
      {"space_tip_below.inp", "35.0 2.0 2.0 0.0 90.0 0.0 0.0", "30.01 2.0 2.0 0.0 90.0 0.0 0.0", 3},
      {"plane_tip_below.inp", "35.0 2.0 0.0 0.0", "30.0 2.0 0.0 0.0", 0},
      {"plane_tip_below.inp", "35.0 2.0 0.0 0.0", "30.01 2.0 0.0 0.0", 13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.fixture) + ", head " + c.head);
    test::ScratchDir dir;
    EXPECT_EQ(runInput(replaced(fixture(c.fixture), c.line, c.head)), c.status);
    const std::string log = test::readFile("run.log");
    if (c.status == 0) {
      EXPECT_NE(log.find("ANALYSIS COMPLETED"), std::string::npos);
      continue;
    }
    // Stopped before the head curves: the generated-curve file is empty.
    EXPECT_EQ(test::readFile("run.hdc"), "");
    EXPECT_NE(log.find("TIP AT X = 80.010 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT"), std::string::npos)
        << log;
    EXPECT_NE(test::readFile("run.out").find("BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT"), std::string::npos);
  }
}

// A pile whose head curves are not generated is checked where the run first
// evaluates it, before the first analysed case: its head curves' file is
// written by then. A run that analyses no case completes.
TEST(PileTips, APileWithoutGeneratedCurvesIsCheckedBeforeTheFirstAnalysedCase) {
  const struct {
    const char* fixture;
    const char* list;  // the list of generated load-settlement curves
    const char* ours;  // the same naming a pile that is not the deep one
    const char* tip;   // the message line of the deep pile
    std::int32_t below;
  } cases[] = {
      {"space_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n4", "GENERATED LOAD-SETTLEMENT CURVES\n1\n1",
       "PILE 4: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT", 3},
      {"plane_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n2", "GENERATED LOAD-SETTLEMENT CURVES\n1\n1",
       "PILE ROW 2: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT", 13},
  };
  for (const auto& c : cases) {
    for (const bool skipped : {true, false}) {
      SCOPED_TRACE(std::string(c.fixture) + (skipped ? ", case skipped" : ", case analysed"));
      test::ScratchDir dir;
      std::string in = replaced(fixture(c.fixture), c.list, c.ours);
      if (skipped) in = replaced(in, "2 1 1.0 0 0.0 0.0 0 0 0", "2 1 1.0 0 0.0 0.0 0 1 0");
      EXPECT_EQ(runInput(in), skipped ? 0 : c.below);
      EXPECT_NE(test::readFile("run.hdc"), "");
      const std::string log = test::readFile("run.log");
      EXPECT_EQ(log.find(c.tip) == std::string::npos, skipped) << log;
      EXPECT_EQ(log.find("ANALYSIS COMPLETED") != std::string::npos, skipped) << log;
    }
  }
}

}  // namespace
}  // namespace drelm
