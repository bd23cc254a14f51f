// The result tables written from a filled envelope store: envelope headings
// and status lines, the per-pile scratch records and the summary tables of
// extremes over the piles.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "results/envewr.h"
#include "results/envewr_fixture.h"
#include "results/envtabl.h"
#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

long find(const Lines& lines, const std::string& text) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(text, 0) == 0) return static_cast<long>(i);
  return -1;
}

class ResultTables : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    io::CLOSEALL();
    RUNCTL.IANTYP = 3;
    RUNCTL.IUNITS = 1;
    RUNCTL.NPILE = 3;
    UNITSET(1, 0);
    HDRSET(3);
    TIMBLK.NPROCS = 8;
    const struct {
      int unit;
      const char* name;
    } files[] = {{U_RESULTS, "run.out"}, {U_SUMMARY, "run.sum"}, {U_REPORT, "run.rp2"},
                 {U_STATUS, "run.sta"},  {U_SUMSCR, "run.ssc"}};
    for (const auto& f : files) ASSERT_TRUE(io::OPEN(f.unit, f.name, io::Access::Write));
    FNAMES.FNU(U_PILSCR) = "run.pil";
    PILEPROP.NINC(1) = 4;
    PILEPROP.PLEN(1) = 48.0;
    for (int p = 1; p <= 3; ++p) {
      PILEAR.PROPOFPILE(p) = 1;
      PILEAR.ILSCRV(p) = -1;
      for (int s = 1; s <= NPTVAL; ++s) ENVPIL.PTMAX(p, s) = 10.0 * s + (p == 3 ? 0.0 : p);
      for (int n = 4; n <= 8; ++n)
        for (int q = 1; q <= NNDQ; ++q) ENVPIL.NDMAX(p, n, q) = q * (n == 6 ? 2.0 : 1.0);
    }
    for (int i = 1; i <= 6; ++i) ENVPIL.CAPFMX(i) = ENVPIL.CAPDMX(i) = i;
    CURCTL.IAXVAR = 1;
    ENVOPT.IPRLVB = 1;
    ENVOPT.NPRNDB = 1;
    for (int q = 1; q <= NNDQ; ++q) ENVOPT.PRTSEL(q, 2) = 1;
    CASECUR.ICOMB = 1;
  }
  void TearDown() override { io::CLOSEALL(); }
  test::ScratchDir dir_;  // made before SetUp opens the files in it
};

TEST_F(ResultTables, CombinationMaximumEnvelope) {
  ENVEWR(2, 2);
  io::CLOSEALL();

  const Lines sta = test::readLines("run.sta");
  EXPECT_EQ(sta, (Lines{"LOAD COMB. ENV : 2", "      MAXIMUM ENVELOPE", "    1 CALCULATED AND PRINTED"}));
  const Lines out = test::readLines("run.out");
  ASSERT_GE(out.size(), 8u);
  EXPECT_EQ(out[3], "     LOAD COMB. ENV : 2");
  EXPECT_EQ(out[4], "     COMB. NAME     : MAXIMUM ENVELOPE");
  EXPECT_GE(find(out, "     * TABLE L *   COMPUTATION ON PILE CAP"), 0);
  // Envelope print level 1 of the combinations: the pile-top tables only.
  EXPECT_GE(find(out, "       * PILE GROUP *     3"), 0);
  EXPECT_EQ(find(out, "        * EFFECTS FOR LATERALLY LOADED PILE *"), -1);
  EXPECT_EQ(test::readLines("run.rp2")[0], "LOAD COMB. ENV : 2");

  // Eight scratch records per pile, in pile order.
  const Lines pil = test::readLines("run.pil");
  ASSERT_EQ(pil.size(), 24u);
  EXPECT_EQ(pil[8].substr(0, 11), "          2");
  EXPECT_EQ(pil[5].substr(0, 10), "     x(FT)");

  // Summary: the largest head value of every slot is pile 2's, the
  // smallest pile 3's.
  const Lines sum = test::readLines("run.sum");
  const long disp = find(sum, "       * PILE TOP DISPLACEMENTS *");
  ASSERT_GE(disp, 0);
  EXPECT_EQ(sum[disp + 2].substr(0, 36), "      PILE GROUP   DISP. X,IN   DISP");
  const long mn = find(sum, "       MINIMUM  ");
  ASSERT_GE(mn, 0);
  EXPECT_EQ(sum[mn + 1].substr(0, 25), "       Pile N.          3");
  EXPECT_EQ(sum[mn + 3].substr(0, 25), "       Pile N.          2");
  // The along-pile extremes: every pile has the same largest value at its
  // third node, so the earliest pile keeps it.
  const long mx = find(sum, "      Max.");
  ASSERT_GE(mx, 0);
  EXPECT_EQ(sum[mx + 1].substr(0, 18), "   Pile N.       1");
}

TEST(ResultTableThreads, AtMostTwoAndNeverBeyondThePiles) {
  clearTables();
  TIMBLK.NPROCS = 8;
  std::int32_t use = 1, run = 1;
  EXPECT_EQ(THRDENV(0, use, run, 100, 1), 2);
  EXPECT_EQ(THRDENV(0, use, run, 1, 1), 1);
  EXPECT_EQ(use, 2);
  EXPECT_EQ(run, 2);
}

// Two hundred piles fill more than one batch of the parallel formatting.
TEST(ResultTablesOrder, EveryReportIsTheSameOnOneAndOnSixThreads) {
  test::ScratchDir dir;
  test::setCurrentResults(200);
  for (int procs : {1, 8}) {
    TIMBLK.NPROCS = procs;
    test::openResultReports("p" + std::to_string(procs));
    ENVEWR(0, 0);
    io::CLOSEALL();
  }
  EXPECT_EQ(TIMBLK.NTHUSE, 6);
  const Lines pil = test::readLines("p1.pil");
  ASSERT_EQ(pil.size(), 1600u);
  EXPECT_EQ(pil[8 * 199].substr(0, 11), "        200");
  for (const char* ext : {".out", ".sum", ".rp2", ".pil", ".ssc"})
    EXPECT_EQ(test::readFile(std::string("p8") + ext), test::readFile(std::string("p1") + ext)) << ext;
}

TEST(ScratchFields, NumbersOfARecord) {
  const struct {
    const char* text;
    std::vector<double> want;
  } cases[] = {
      {"  1.5  -2.0000E+03   7", {1.5, -2000.0, 7.0, 0.0}},
      {"\t0.25\v-1E-300\f3", {0.25, -1e-300, 3.0, 0.0}},
      // A field that is no number, or only starts like one, reads as its
      // leading number or 0; fields past the count are left out.
      {"*********** 12abc -.5 9 10", {0.0, 12.0, -0.5, 9.0}},
      {"", {0.0, 0.0, 0.0, 0.0}},
  };
  for (const auto& c : cases) {
    double v[4] = {-1, -1, -1, -1};
    anl::numbers(c.text, v, 4);
    EXPECT_EQ(std::vector<double>(v, v + 4), c.want) << c.text;
  }
  // A field longer than any the writers make is read whole.
  const std::string longField = "1" + std::string(80, '0') + " 2";
  double w[2];
  anl::numbers(longField, w, 2);
  EXPECT_EQ(w[0], 1e80);
  EXPECT_EQ(w[1], 2.0);
}

TEST(ScratchFields, RecordsOfAShortOrMissingScratchAreEmptyAndFailTheRun) {
  test::ScratchDir dir;
  clearTables();
  io::CLOSEALL();
  FNAMES.FNU(U_PILSCR) = "run.pil";
  RUNCTL.NPILE = 2;
  // Missing, or short of the records of every pile: the run fails naming
  // the file, rather than show zeros for the records that are not there.
  io::clearFailure();
  {
    const anl::ScratchRecords none;
    EXPECT_TRUE(none.record(1, 1).empty());
    EXPECT_EQ(io::failure().name, "run.pil");
  }
  std::string text;
  for (int r = 1; r <= 8; ++r) text += "pile 1 record " + std::to_string(r) + "\r\n";
  text += "pile 2 record 1";  // no line end
  const auto written = [](const std::string& t) {
    ASSERT_TRUE(io::OPEN(U_PILSCR, "run.pil", io::Access::Work));
    io::put(U_PILSCR, t);
    io::CLOSE(U_PILSCR);
  };
  written(text);
  io::clearFailure();
  {
    const anl::ScratchRecords s;
    EXPECT_EQ(s.record(1, 8), "pile 1 record 8");
    EXPECT_EQ(s.record(2, 1), "pile 2 record 1");
    EXPECT_TRUE(s.record(2, 2).empty());
    EXPECT_TRUE(s.record(3, 1).empty());
    EXPECT_FALSE(io::connected(U_PILSCR));
    EXPECT_EQ(io::failure().name, "run.pil");
  }
  // Whole: nothing failed.
  for (int r = 2; r <= 8; ++r) text += "\npile 2 record " + std::to_string(r);
  written(text);
  io::clearFailure();
  {
    const anl::ScratchRecords s;
    EXPECT_EQ(s.record(2, 8), "pile 2 record 8");
    EXPECT_FALSE(io::writeFailed());
  }
  // Another hand's file of the same records is not read (written after the
  // file system's clock tick, which a change within the same tick keeps).
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  test::writeFile("run.pil", text);
  {
    const anl::ScratchRecords s;
    EXPECT_TRUE(s.record(1, 1).empty());
    EXPECT_EQ(io::failure().name, "run.pil");
  }
  io::clearFailure();
}

}  // namespace
}  // namespace drelm
