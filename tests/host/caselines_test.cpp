#include "host/caselines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/tally.h"
#include "support/testdir.h"

namespace drelm::host {
namespace {

// A status file of every kind of case: unit-load points (one skipped at zero
// load), target-deflection estimation passes whose coded lines are not the
// outcome, envelopes, a case the input skips, and a combination the run
// ended in.
const char* const STATUS =
    "COMPUTATION RESULTS\n"
    "A TITLE                                                                         \n"
    "LOAD CASES RESULTS \n"
    "LOAD CASE :     1\n"
    "      DOF :     1 POINT :     1\n"
    "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO\n"
    "      DOF :     2 POINT :     1\n"
    "    3 NO CONVERGENCE ON PILE CAP\n"
    "      ANALYSIS DUE TO TOTAL LOAD\n"
    "    1 ANALYSIS COMPLETED\n"
    "LOAD CASE :     2\n"
    "      STIFFNESS ESTIMATION, POINT :    1/   1 FACTOR :      1.00000\n"
    "      STIFFNESS ESTIMATION, ITER :     0 FACTOR :      0.00000\n"
    "    10 ANALYSIS COMPLETED\n"
    "      STIFFNESS ESTIMATION, ITER :     1 FACTOR :      1.00000\n"
    "    7 SINGULAR STIFFNESS MATRIX \n"
    "      ANALYSIS DUE TO TOTAL LOAD\n"
    "    2 SOLUTION AT    62.50 % OF THE TOTAL LOAD\n"
    "LOAD CASE :    12\n"
    "       ANALYSIS TO NOT RUN   \n"
    "     9 ANALYSIS NOT PERFORMED\n"
    "LOAD CASE ENV : 1\n"
    "      MINIMUM ENVELOPE\n"
    "    1 CALCULATED AND PRINTED\n"
    "LOAD COMBINATIONS RESULTS \n"
    "LOAD COMB. :     1\n"
    "      ANALYSIS DUE TO TOTAL LOAD\n"
    "    6 NO CONVERGENCE ON PILES   \n"
    "LOAD COMB. :     2\n"
    "      ANALYSIS DUE TO TOTAL LOAD\n";

const std::vector<std::string> SHOWN = {
    "drelm: load case 1: 1 ANALYSIS COMPLETED",
    "drelm: load case 2: 2 SOLUTION AT    62.50 % OF THE TOTAL LOAD",
    "drelm: load case 12: 9 ANALYSIS NOT PERFORMED",
    "drelm: load combination 1: 6 NO CONVERGENCE ON PILES",
};

// The file is read as it grows: cut anywhere, even inside a line, it gives
// the same lines in the same order.
TEST(CaseLines, OutcomeIsTheLineOfTheTotalLoadPassWhereverTheFileIsCut) {
  const std::string text = STATUS;
  for (std::size_t piece = 1; piece <= text.size(); piece += 7) {
    SCOPED_TRACE(piece);
    CaseLines lines;
    std::vector<std::string> shown;
    for (std::size_t at = 0; at < text.size(); at += piece)
      for (const std::string& l : lines.feed(std::string_view(text).substr(at, piece))) shown.push_back(l);
    for (const std::string& l : lines.finish()) shown.push_back(l);
    EXPECT_EQ(shown, SHOWN);
    const auto& c = lines.cases();
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[2].number, 12);
    EXPECT_TRUE(c[4].comb);
    EXPECT_EQ(c[4].code, -1);  // the run ended in it
  }
}

TEST(CaseLines, LastLineWithoutItsLineEndCountsAtTheEnd) {
  CaseLines lines;
  EXPECT_TRUE(lines.feed("LOAD CASE :     1\n      ANALYSIS DUE TO TOTAL LOAD\n    1 ANALYSIS COMPLETED").empty());
  EXPECT_EQ(lines.finish(), std::vector<std::string>{"drelm: load case 1: 1 ANALYSIS COMPLETED"});
}

TEST(Tally, CountsOutcomesOfCasesAndCombinations) {
  CaseLines lines;
  lines.feed(STATUS);
  const auto& cases = lines.cases();
  const struct {
    Declared declared;
    std::string want;
  } rows[] = {
      {{},
       "3 load cases: 1 completed, 1 solved for part of the load, 1 not analysed; 2 load combinations: "
       "1 no convergence on the piles, 1 not finished; see B.status"},
      // Cases the input declares beyond those the run reached.
      {{5, 3},
       "5 load cases: 1 completed, 1 solved for part of the load, 1 not analysed, 2 not reached; 3 load "
       "combinations: 1 no convergence on the piles, 1 not finished, 1 not reached; see B.status"},
  };
  for (const auto& r : rows) EXPECT_EQ(tally(cases, r.declared, "B.status"), r.want);

  // One of each, an outcome of no known name, and no case at all.
  const std::vector<CaseOutcome> one = {{false, 1, 1, ""}, {true, 1, 42, ""}};
  EXPECT_EQ(tally(one, {}, "B.status"), "1 load case: 1 completed; 1 load combination: 1 status 42; see B.status");
  EXPECT_EQ(tally({}, {}, "B.status"), "");
  EXPECT_EQ(tally({}, {0, 1}, "B.status"), "1 load combination: 1 not reached; see B.status");
}

// The follower reads the status file a bounded piece at a time, all of it
// however large; a device in its place is not read (it may never end, or
// hold no line end) and says so.
TEST(CaseFollower, ReadsARegularFileInPiecesAndNoDevice) {
  test::ScratchDir dir;
  RunFiles files(dir.path(), {"B.status", "D.status"});
  // Padding lines beyond one piece before the last case.
  std::string text = STATUS;
  for (int k = 0; k < 40000; ++k) text += "      STIFFNESS ESTIMATION, ITER :     0 FACTOR :      0.00000\n";
  text += "LOAD CASE :    99\n      ANALYSIS DUE TO TOTAL LOAD\n    1 ANALYSIS COMPLETED\n";
  ASSERT_GT(text.size(), std::size_t{2} << 20);
  test::writeFile(dir.path() / "B.status", text);
  CaseFollower whole(dir.path() / "B.status", files);
  whole.finish(nullptr);
  EXPECT_FALSE(whole.unreadable());
  ASSERT_EQ(whole.cases().size(), 6u);
  EXPECT_EQ(whole.cases().back().number, 99);
  EXPECT_EQ(whole.cases().back().code, 1);

  for (const char* dev : {"/dev/zero", "/dev/null"}) {
    SCOPED_TRACE(dev);
    std::filesystem::remove(dir.path() / "D.status");
    std::filesystem::create_symlink(dev, dir.path() / "D.status");
    CaseFollower device(dir.path() / "D.status", files);
    device.finish(nullptr);
    EXPECT_TRUE(device.unreadable());
    EXPECT_TRUE(device.cases().empty());
  }
}

// The declared counts come from the echo's lines, however long a line
// without its end before them; an echo that is a device declares nothing.
TEST(Tally, DeclaredCountsFromARegularEchoOnly) {
  test::ScratchDir dir;
  test::writeFile("B.echo", std::string(3 << 20, 'x') + "\n      NUMBER OF LOAD CASES :     4\n" +
                                "      NUMBER OF LOAD COMB. :     2\n");
  const Declared d = declaredCounts("B.echo");
  EXPECT_EQ(d.cases, 4);
  EXPECT_EQ(d.combs, 2);
  std::filesystem::create_symlink("/dev/zero", "Z.echo");
  const Declared z = declaredCounts("Z.echo");
  EXPECT_EQ(z.cases, 0);
  EXPECT_EQ(z.combs, 0);
}

}  // namespace
}  // namespace drelm::host
