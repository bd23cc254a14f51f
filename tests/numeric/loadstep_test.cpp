// Load stepping: the step that resumes the pass from its last accepted
// fraction after the halving has run down.
#include "numeric/loadstep.h"

#include <gtest/gtest.h>

#include "model/model_run.h"

namespace drelm {
namespace {

TEST(LoadStep, ResumeStepsOnFromTheLastAcceptedFraction) {
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

}  // namespace
}  // namespace drelm
