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
// written by then. A run that analyses no case, or only writes the plate
// model's decks, evaluates no pile and completes.
TEST(PileTips, APileWithoutGeneratedCurvesIsCheckedBeforeTheFirstAnalysedCase) {
  const std::string spaceControls = "1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP\n12.0 12.0 4.0 0.0 0.0 0";
  const std::string deckOnly =
      "1 3 0 2 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP\n12.0 12.0 4.0 0.0 0.0 0\n0.0 0.0 4 4 4.32E8 0.2";
  const std::string analysed = "2 1 1.0 0 0.0 0.0 0 0 0", skipped = "2 1 1.0 0 0.0 0.0 0 1 0";
  const struct {
    const char* what;
    const char* fixture;
    const char* list;  // the list of generated load-settlement curves
    const char* ours;  // the same naming a pile that is not the deep one
    std::string from, to;
    const char* tip;   // the message line of the deep pile
    std::int32_t status;
  } cases[] = {
      {"space, case analysed", "space_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n4",
       "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", analysed, analysed,
       "PILE 4: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT", 3},
      {"space, case skipped", "space_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n4",
       "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", analysed, skipped, nullptr, 0},
      {"space, plate decks only", "space_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n4",
       "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", spaceControls, deckOnly, nullptr, 0},
      {"plane, case analysed", "plane_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n2",
       "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", analysed, analysed,
       "PILE ROW 2: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT", 13},
      {"plane, case skipped", "plane_tip_below.inp", "GENERATED LOAD-SETTLEMENT CURVES\n1\n2",
       "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", analysed, skipped, nullptr, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    const std::string in = replaced(replaced(fixture(c.fixture), c.list, c.ours), c.from, c.to);
    EXPECT_EQ(runInput(in), c.status);
    EXPECT_NE(test::readFile("run.hdc"), "");
    const std::string log = test::readFile("run.log");
    if (c.tip != nullptr) {
      EXPECT_NE(log.find(c.tip), std::string::npos) << log;
    }
    EXPECT_EQ(log.find("BOTTOM OF THE DEEPEST LAYER") == std::string::npos, c.status == 0) << log;
    EXPECT_EQ(log.find("ANALYSIS COMPLETED") != std::string::npos, c.status == 0) << log;
  }
}

}  // namespace
}  // namespace drelm
