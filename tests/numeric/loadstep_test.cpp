// Load stepping: a failed step is halved down to the smallest increment;
// where asked, one step to the full load follows before the stepping ends.
#include "numeric/loadstep.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace drelm
