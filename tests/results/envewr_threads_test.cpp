// The piles of the result tables formatted side by side on plain threads,
// each into its own buffer, and written in pile order: the same text as the
// tables written on one thread.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "results/envewr.h"
#include "results/envewr_fixture.h"
#include "pile/pilehd_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

TEST(ResultTableThreads, PilesFormattedOnEightThreadsMatchTheTablesOfOneThread) {
  test::ScratchDir dir;
  constexpr int NP = 40;
  test::setCurrentResults(NP);
  TIMBLK.NPROCS = 1;  // one thread: the region does not fork
  test::openResultReports("one");
  ENVEWR(0, 0);
  io::CLOSEALL();

  test::openResultReports("many");
  std::vector<io::Capture> out(NP);
  test::onThreads(8, NP, [&](int p) {
    auto c = std::make_unique<PileCopy>();
    envewrPile(p, 0, 0, -1, *c, out[static_cast<std::size_t>(p - 1)]);
  });
  ASSERT_TRUE(io::OPEN(U_PILSCR, "many.pil", io::Access::Write));
  for (io::Capture& o : out) o.replay();
  io::CLOSEALL();

  // Every pile's tables are on the results report and the second results
  // report, eight scratch records each.
  const std::string results = test::readFile("one.out");
  EXPECT_NE(results.find("* PILE GROUP *    40"), std::string::npos);
  EXPECT_NE(results.find("* EFFECTS FOR LATERALLY LOADED PILE *"), std::string::npos);
  EXPECT_EQ(test::readLines("one.pil").size(), 8u * NP);
  for (const char* ext : {".out", ".rp2", ".pil"})
    EXPECT_EQ(test::readFile(std::string("many") + ext), test::readFile(std::string("one") + ext)) << ext;
}

}  // namespace
}  // namespace drelm
