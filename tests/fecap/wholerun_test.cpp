// Whole runs with the plate cap: a run that writes the decks, then a run that
// solves the plate from the deck with the piles of the input.
#include <gtest/gtest.h>

#include <algorithm>

#include "run/names_fixture.h"
#include "run/model_run.h"
#include "run/rundrv.h"
#include "support/testdir.h"

namespace drelm::test {
namespace {

// The minimal space input with the plate option and a 2 x 1 mesh of a
// concrete cap.
std::string plateInput(int option) {
  std::vector<std::string> L = readLines(dataFile("space_min.inp"));
  L[3] = "1 3 0 " + std::to_string(option) + L[3].substr(7);
  L.insert(L.begin() + 6, "0.0 0.0 2 1 3600000.0 0.2");
  std::string s;
  for (const std::string& l : L) s += l + "\n";
  return s;
}

TEST(PlateWholeRun, DeckRunThenPlateSolutionRun) {
  ScratchDir dir;
  writeNames(runNames("run"));
  writeFile("run.inp", plateInput(2));
  ASSERT_EQ(IDRELM(6), 0);
  const std::vector<std::string> D = readLines("run.fedeck");
  ASSERT_EQ(D.size(), 3u + 2u + 13u + 1u + 1u + 4u);
  EXPECT_EQ(D[1], "      13       2       1       8       2       0       0       0       0       0       1       0       0       0       4       1");
  EXPECT_EQ(D[2], "    0.2500    0.0000    1.0000    0.0100       100  0.10000E-03");
  EXPECT_EQ(D[4], "       2       2       1       3       5      13      11       4       8      12       7");
  // Internal units: the 12 ft cap is 144 in wide.
  EXPECT_EQ(D[5], "       1       1     72.0000    -72.0000");
  EXPECT_EQ(D[17], "      13      13    -72.0000     72.0000");
  EXPECT_EQ(D[18], "       1  0.36000E+07  0.20000E+00  0.48000E+02");
  EXPECT_EQ(D[19], "  0.00000E+00  0.00000E+00  0.00000E+00  0.40000E+05 -0.40000E+06  0.00000E+00  0.00000E+00  0.00000E+00");
  EXPECT_EQ(D[20], " -0.24000E+02 -0.24000E+02  0.10000E+01  0.00000E+00  0.00000E+00  0.10000E+01  0.10000E+01  0.10000E+01");
  EXPECT_FALSE(std::filesystem::exists("run.felist"));

  writeFile("run.inp", plateInput(1));
  ASSERT_EQ(IDRELM(6), 0) << readFile("run.log");
  const std::vector<std::string> list = readLines("run.felist");
  const auto has = [&](const std::string& l) { return std::find(list.begin(), list.end(), l) != list.end(); };
  EXPECT_TRUE(has(" NNLOD =   0     NNSTI =   0     NDLOD =   0     NDSTI =   0     NCLOD =   1     NCSTI =   0 NCTSTI =   4"));
  EXPECT_TRUE(has(" MAXIMUM FRONTWIDTH ENCOUNTERED =   48"));
  EXPECT_TRUE(has("   STEP =    4   TIME =    1.0000"));
  const std::vector<std::string> post = readLines("run.fepost");
  EXPECT_EQ(post.back(), "END_STEP_DATA");
  EXPECT_EQ(std::count_if(post.begin(), post.end(), [](const std::string& l) { return l.rfind("STEP ", 0) == 0; }), 4);
  // The plate heading in the results report; the run files keep their roles.
  EXPECT_NE(readFile("run.out").find("     * TABLE I *   COMPUTATION ON INDIVIDUAL PILE"), std::string::npos);
  EXPECT_NE(readFile("run.log").find("STEP     4   TCUR   =    1.0000  DT =     0.2500"), std::string::npos);
  EXPECT_EQ(readFile("run.inp"), plateInput(1));
}

TEST(PlateWholeRun, APlateRunWithoutADeckEndsWithStatus44AndItsMessage) {
  ScratchDir dir;
  writeNames(runNames("run"));
  writeFile("run.inp", plateInput(1));
  EXPECT_EQ(IDRELM(6), STAT_PLATE);
  const std::string log = readFile("run.log");
  EXPECT_NE(log.find("PLATE MODEL OF THE CAP: CANNOT OPEN THE PLATE DECK"), std::string::npos) << log;
  EXPECT_NE(log.find("THE PLATE MODEL OF THE CAP CANNOT GO ON"), std::string::npos) << log;
}

}  // namespace
}  // namespace drelm::test
