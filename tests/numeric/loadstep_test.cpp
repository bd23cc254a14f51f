// Load stepping: a failed step is halved down to the smallest increment;
// where asked, one step to the full load follows before the stepping ends;
// the step that resumes the pass from its last accepted fraction after the
// halving (or the step to the full load) has run down.
#include "numeric/loadstep.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/model_run.h"

namespace drelm {
namespace {

// The fractions tried after the first step at 0.25 (smallest step 0.01),
// every step failing but those at ACCEPTED, until the stepping ends.
std::vector<double> fractions(bool whole, double accepted) {
  LoadStep ls;
  EXPECT_TRUE(ls.start(0.25, 0.01));
  std::vector<double> tried;
  while (ls.more() && tried.size() < 20) {
    ls.begin();
    tried.push_back(ls.TCUR);
    if (ls.TCUR == accepted) ls.accept();
    else ls.fail(whole);
  }
  return tried;
}

TEST(LoadStepping, HalvingEndsWithOneStepToTheFullLoadWhereAsked) {
  const struct {
    const char* what;
    bool whole;
    double accepted;
    std::vector<double> tried;
  } cases[] = {
      {"halving to the floor", false, -1.0, {0.25, 0.125, 0.0625, 0.03125, 0.015625}},
      {"then the whole load once", true, -1.0, {0.25, 0.125, 0.0625, 0.03125, 0.015625, 1.0}},
      {"the rest of the load from the last accepted step", true, 0.25,
       {0.25, 0.5, 0.375, 0.3125, 0.28125, 0.265625, 1.0}},
  };
  for (const auto& c : cases) EXPECT_EQ(fractions(c.whole, c.accepted), c.tried) << c.what;

  // A whole step that converges completes the pass at the full load.
  LoadStep ls;
  ls.start(0.25, 0.01);
  for (int i = 0; i < 5; ++i) {
    ls.begin();
    ls.fail(true);
  }
  ls.begin();
  EXPECT_EQ(ls.TCUR, 1.0);
  EXPECT_EQ(ls.n, 1);
  ls.accept();
  EXPECT_EQ(ls.Tp, 1.0);
  EXPECT_FALSE(ls.more());
  EXPECT_FALSE(ls.stoppedEarly());
}

TEST(LoadStepping, ResumeStepsOnFromTheLastAcceptedFraction) {
  RUNCONST.EPSLIM = 1.0E-14;
  const struct {
    const char* name;
    int accepted;     // steps of 0.25 accepted before the failures
    double dtcur0;    // first increment handed to resume
    double dtcur;     // the increment resumed with: at most the rest
  } cases[] = {
      {"nothing accepted", 0, 0.25, 0.25},
      {"from 0.5", 2, 0.25, 0.25},
      {"the rest of the load", 3, 0.3, 0.25},
      {"an increment of 0 is one full step", 1, 0.0, 0.75},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadStep ls;
    ASSERT_TRUE(ls.start(0.25, 0.05));
    for (int i = 0; i < c.accepted; ++i) {
      ls.begin();
      ls.accept();
    }
    // Halve down to the last halving: 0.125, 0.0625, then below 0.05.
    ls.begin();
    EXPECT_FALSE(ls.lastHalving());
    EXPECT_FALSE(ls.fail());
    ls.begin();
    EXPECT_FALSE(ls.fail());
    ls.begin();
    EXPECT_TRUE(ls.lastHalving());
    ls.resume(c.dtcur0);
    EXPECT_DOUBLE_EQ(ls.Tp, 0.25 * c.accepted);
    EXPECT_DOUBLE_EQ(ls.DTCUR, c.dtcur);
    EXPECT_DOUBLE_EQ(ls.TCUR, ls.Tp + c.dtcur);
    // Halving comes down towards the accepted fraction, never onto it.
    ls.begin();
    EXPECT_FALSE(ls.fail());
    EXPECT_DOUBLE_EQ(ls.TCUR, ls.Tp + 0.5 * c.dtcur);
    ls.begin();
    EXPECT_TRUE(ls.more());
    // The failed steps are not counted: the next one is the step after the
    // accepted ones.
    EXPECT_EQ(ls.n, c.accepted + 1);
  }
}

// A pass resumed after its step to the full load failed halves again and
// ends, once more, with one step to the full load.
TEST(LoadStepping, ResumedAfterTheWholeStepTheHalvingEndsWithItAgain) {
  LoadStep ls;
  ASSERT_TRUE(ls.start(0.25, 0.05));
  ls.begin();
  ls.accept();
  std::vector<double> tried;
  bool resumed = false;
  while (ls.more() && tried.size() < 20) {
    ls.begin();
    tried.push_back(ls.TCUR);
    if (!resumed && ls.wholeTried) {
      resumed = true;
      ls.resume(0.25);
    } else {
      ls.fail(true);
    }
  }
  const std::vector<double> expected = {0.5, 0.375, 0.3125, 1.0, 0.5, 0.375, 0.3125, 1.0};
  EXPECT_EQ(tried, expected);
  EXPECT_DOUBLE_EQ(ls.Tp, 0.25);
  EXPECT_TRUE(ls.stoppedEarly());
  EXPECT_EQ(ls.n, 2);
}

}  // namespace
}  // namespace drelm
