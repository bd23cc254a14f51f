// The pass outcome word: a code is raised by rank, so that a later warning
// never hides an earlier failure of the same pass, on one thread or many.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "model/model.h"

namespace drelm {
namespace {

TEST(Outcome, LaterCodeReplacesTheWordOnlyWhenItRanksHigher) {
  const struct {
    std::int32_t first, later, kept;
  } cases[] = {
      {KPIL_LATERAL, KPIL_WARNED, KPIL_LATERAL},   // a warning after a non-closure
      {KPIL_AXIAL, KPIL_WARNED, KPIL_AXIAL},       // a warning after an axial failure
      {KPIL_SINGULAR, KPIL_WARNED, KPIL_SINGULAR},
      {KPIL_WARNED, KPIL_LATERAL, KPIL_LATERAL},   // a failure after a warning
      {KPIL_WARNED, KPIL_AXIAL, KPIL_AXIAL},
      {KPIL_AXIAL, KPIL_LATERAL, KPIL_LATERAL},
      {KPIL_LATERAL, KPIL_AXIAL, KPIL_LATERAL},
      {KPIL_SOUND, KPIL_WARNED, KPIL_WARNED},
      {KPIL_LATERAL, KPIL_SOUND, KPIL_LATERAL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << " then " << c.later);
    RUNCTL.KPILST = KPIL_SOUND;  // the pass's reset
    raiseOutcome(c.first);
    raiseOutcome(c.later);
    EXPECT_EQ(RUNCTL.KPILST, c.kept);
    EXPECT_EQ(outcomeFailed(RUNCTL.KPILST), c.kept != KPIL_WARNED && c.kept != KPIL_SOUND);
  }
}

// Piles on several threads: many warnings racing one non-closure leave the
// non-closure, whichever thread comes last.
TEST(Outcome, FailureSurvivesWarningsFromOtherThreads) {
  for (int round = 0; round < 20; ++round) {
    RUNCTL.KPILST = KPIL_SOUND;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
      threads.emplace_back([t] {
        for (int i = 0; i < 200; ++i) raiseOutcome(t == 3 && i == 100 ? KPIL_LATERAL : KPIL_WARNED);
      });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(RUNCTL.KPILST, KPIL_LATERAL);
  }
}

}  // namespace
}  // namespace drelm
