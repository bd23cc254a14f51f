// Generated head curves of many piles side by side: each thread keeps its
// listings and AXTZ points, which written in pile order afterwards give the
// files and the table of generating the curves one after the other.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "model/fileio.h"
#include "transfer/hcfixture.h"

namespace drelm::test {
namespace {

constexpr int NPILE = 12;

// Piles of property 1 with their heads at different depths, so that every
// curve is a different one; sand over stiff clay, in several elements.
class HeadCurveThreads : public HeadCurveTest {
 protected:
  void SetUp() override {
    HeadCurveTest::SetUp();
    soil({{4, 0.0, 300.0, 0.036, 0.0, 34.0, 0.0, 0.0, 0.0}, {3, 300.0, 2000.0, 0.04, 10.0, 0.0, 0.007, 0.0, 0.0}});
    HcPile p;
    p.ninc = 20;
    pile(p);
    RUNCTL.NPILE = NPILE;
    for (int q = 1; q <= NPILE; ++q) {
      PILEAR.PROPOFPILE(q) = 1;
      PILEAR.PHX(q) = PILEAR.PHXREF(q) = 12.0 * q;
    }
  }

  // Both curves of pile q, both directions each.
  static std::int32_t curvesOf(int q) {
    std::int32_t st = 0, n = 0;
    HeadPoints load, mov;
    for (int kdir : {KDIR_UPLIFT, KDIR_COMPRESSION}) {
      AXLSGEN(1, kdir, q, q, st, n, load, mov);
      if (st == 0) TRGEN(1, kdir, q, q, st, n, load, mov);
    }
    return st;
  }

  static std::vector<std::string> all() {
    std::vector<std::string> out;
    for (int u : {U_HEADCRV, U_AXIAL, U_RESULTS, U_LOG})
      for (const std::string& l : lines(u)) out.push_back(std::to_string(u) + ":" + l);
    return out;
  }

  static std::vector<double> row1() {
    std::vector<double> r;
    for (int k = 1; k <= 19; ++k)
      for (double v : {AXTZ.AXHMOV(1, k), AXTZ.AXHLOD(1, k), AXTZ.AXTMOV(1, k), AXTZ.AXTLOD(1, k)}) r.push_back(v);
    return r;
  }
};

TEST_F(HeadCurveThreads, CurvesOnEightThreadsWrittenInPileOrderMatchTheSerialCalls) {
  for (int q = 1; q <= NPILE; ++q) ASSERT_EQ(curvesOf(q), 0) << q;
  const std::vector<std::string> serial = all();
  const std::vector<double> serialRow = row1();
  ASSERT_GT(serial.size(), 100u);

  // Start again from empty files and an empty row.
  io::CLOSEALL();
  for (int u : {U_HEADCRV, U_AXIAL, U_RESULTS, U_LOG})
    ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
  for (int k = 1; k <= 19; ++k) AXTZ.AXHMOV(1, k) = AXTZ.AXHLOD(1, k) = AXTZ.AXTMOV(1, k) = AXTZ.AXTLOD(1, k) = 0.0;

  struct Kept {
    io::Capture output;
    std::vector<AxtzKeep::Half> axtz;
    std::int32_t st = -1;
  };
  std::vector<Kept> kept(NPILE);
  std::atomic<int> next{1};
  std::vector<std::thread> pool;
  for (int t = 0; t < 8; ++t)
    pool.emplace_back([&] {
      for (int q = next++; q <= NPILE; q = next++) {
        Kept& k = kept[q - 1];
        AxtzKeep keep;
        k.output.start();
        k.st = curvesOf(q);
        k.output.stop();
        k.axtz = std::move(keep.halves);
      }
    });
  for (std::thread& t : pool) t.join();
  // Nothing reached the files or the table while the threads worked.
  EXPECT_TRUE(all().empty());
  EXPECT_EQ(AXTZ.AXHLOD(1, 19), 0.0);

  for (Kept& k : kept) {
    EXPECT_EQ(k.st, 0);
    EXPECT_EQ(k.axtz.size(), 2u);  // uplift and compression of AXLSGEN
    k.output.replay();
    AxtzKeep::store(k.axtz);
  }
  EXPECT_EQ(all(), serial);
  EXPECT_EQ(row1(), serialRow);  // the last pile's curve, as in the serial calls
}

// A capture inside a capture keeps its own output; the outer one gets what
// is written before and after it and, once replayed, the inner's output.
TEST(OutputCapture, NestedCapturesAndFlushesKeepTheWritingOrder) {
  ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  io::put(U_LOG, "direct");
  io::endRecord(U_LOG);
  io::Capture outer, inner;
  outer.start();
  io::line(U_LOG, "outer 1");
  inner.start();
  io::put(U_LOG, "inner");
  io::endRecord(U_LOG);
  io::FLUSH(U_LOG);
  inner.stop();
  io::line(U_LOG, "outer 2");
  inner.replay();  // into the outer capture, after "outer 2"
  outer.stop();
  io::FLUSH(U_LOG);
  EXPECT_EQ(readLines("log.txt"), std::vector<std::string>({"direct"}));
  outer.replay();
  outer.replay();  // nothing left the second time
  io::CLOSE(U_LOG);
  EXPECT_EQ(readLines("log.txt"), std::vector<std::string>({"direct", " outer 1", " outer 2", "inner"}));
}

}  // namespace
}  // namespace drelm::test
