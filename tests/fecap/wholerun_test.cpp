// Whole runs with the plate cap: a run that writes the decks, then a run that
// solves the plate from the deck with the piles of the input.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "fecap/capdeck.h"
#include "fecap/fecap.h"
#include "fecap/platedeck.h"
#include "input/names_fixture.h"
#include "model/model_run.h"
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
  EXPECT_EQ(readLines("run.status").back(), "    1 ANALYSIS COMPLETED");
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

bool has(const std::vector<std::string>& lines, const std::string& l) {
  return std::find(lines.begin(), lines.end(), l) != lines.end();
}
bool contains(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// A 4 x 2 plate (plate x, y), loaded at a point; on four pile heads when
// ON_PILES (the heads bound by the test), else on nothing at all.
PlateDeck deckOf(bool onPiles) {
  PlateDeck d;
  d.nx = 2, d.ny = 1, d.lx = 4, d.ly = 2, d.E = 1.0E9, d.t = 1.0;
  d.dt = 0.25, d.dtmin = 0.1;
  d.pointLoads.push_back({{3.0, 1.0}, {0, 0, 5.0, 0, 0, 0}});
  if (onPiles) {
    d.icoupl = 1;
    d.heads = {{0.5, 0.5}, {3.5, 0.5}, {0.5, 1.5}, {3.5, 1.5}};
  }
  return d;
}

struct PlateRun {
  std::int32_t status = -1;
  std::vector<std::string> caseLines;  // lines of the status file
  std::string results, log, listing;
};

// A plate-solution run of the minimal space input on DECK, the piles' place
// taken by HEADS when given.
PlateRun plateRun(const PlateDeck& deck, PlateHeads* heads = nullptr) {
  ScratchDir dir;
  writeNames(runNames("run"));
  writeFile("run.inp", plateInput(1));
  writeFile("run.fedeck", deck.text());
  setPlateHeads(heads);
  PlateRun r;
  r.status = IDRELM(6);
  setPlateHeads(nullptr);
  r.caseLines = readLines("run.status");
  r.results = readFile("run.out");
  r.log = readFile("run.log");
  r.listing = readFile("run.felist");
  return r;
}

// Every way a plate solution stops short gives its case the line a rigid cap
// would, and the run's status; none says the analysis completed.
TEST(PlateWholeRun, APlateSolutionThatStopsShortGivesItsCaseStatusLine) {
  YieldingHeads partial;
  partial.limit = 0.6;
  YieldingHeads failing;
  failing.limit = 0.1;
  PlateDeck free = deckOf(false), freeNoMinimum = deckOf(false), noStep = deckOf(false);
  freeNoMinimum.dtmin = 0.0;
  noStep.dt = 1.5;
  struct Case {
    const char* name;
    const PlateDeck& deck;
    PlateHeads* heads;
    const char* line;
  } cases[] = {
      {"a plate on nothing: singular equations", free, nullptr, "    7 SINGULAR STIFFNESS MATRIX "},
      {"the same without a smallest step", freeNoMinimum, nullptr, "    7 SINGULAR STIFFNESS MATRIX "},
      {"a first step beyond the range", noStep, nullptr, "    2 SOLUTION AT     0.00 % OF THE TOTAL LOAD"},
      {"piles that give way after half the load", deckOf(true), &partial,
       "    2 SOLUTION AT    50.00 % OF THE TOTAL LOAD"},
      {"piles that give way at once", deckOf(true), &failing, "    6 NO CONVERGENCE ON PILES   "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlateRun r = plateRun(c.deck, c.heads);
    EXPECT_EQ(r.status, 0) << r.log;
    EXPECT_TRUE(has(r.caseLines, c.line)) << readFile("run.status");
    EXPECT_FALSE(has(r.caseLines, "    1 ANALYSIS COMPLETED"));
    const bool partly = std::string(c.line).find("SOLUTION AT") != std::string::npos;
    EXPECT_EQ(contains(r.results, "** WARNING **    DRELM COULD NOT GET SOLUTION FOR 100% OF THE LOAD"), partly);
  }
  const PlateRun singular = plateRun(free);
  EXPECT_TRUE(contains(singular.log, "error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"));
  EXPECT_TRUE(contains(singular.log, "NO SOLUTION OF THE PLATE, SINGULAR PLATE EQUATIONS"));
}

// The frontal solver's equation scratch on a device that takes no writes:
// the plate model cannot go on, and says why.
// The plate model reads back its equation scratch and reads its deck: a
// link or a device in the place of either (one that takes every write, or one
// that reads zeros without end) or a directory is refused at its open, never
// solved through or read without end.
TEST(PlateWholeRun, AScratchOrDeckThatIsNoRegularFileEndsWith44) {
  const struct {
    const char* file;
    const char* said;  // in the listing and the log
  } files[] = {{"run.fe2", "EQUATION SCRATCH FILE CANNOT BE OPENED"},
               {"run.fedeck", "CANNOT OPEN THE PLATE DECK run.fedeck"}};
  for (const auto& f : files)
    for (const char* target : {"/dev/full", "/dev/null", "/dev/zero", "dir"}) {
      SCOPED_TRACE(std::string(f.file) + " as " + target);
      ScratchDir dir;
      writeNames(runNames("run"));
      writeFile("run.inp", plateInput(1));
      writeFile("run.fedeck", deckOf(false).text());
      std::filesystem::remove(f.file);
      if (target == std::string("dir")) std::filesystem::create_directory(f.file);
      else std::filesystem::create_symlink(target, f.file);
      EXPECT_EQ(IDRELM(6), STAT_PLATE);
      EXPECT_TRUE(contains(readFile("run.felist") + readFile("run.log"), f.said));
      EXPECT_FALSE(has(readLines("run.status"), "    1 ANALYSIS COMPLETED"));
    }
}

TEST(PlateWholeRun, AStopRequestDuringThePlateStepsEndsTheRunWithStatus4) {
  YieldingHeads heads;
  heads.stopAfter = 10;
  const PlateRun r = plateRun(deckOf(true), &heads);
  EXPECT_EQ(r.status, STAT_STOPPED);
  EXPECT_FALSE(has(r.caseLines, "    1 ANALYSIS COMPLETED"));
  EXPECT_TRUE(contains(r.listing, "   STEP =    1"));
}

TEST(PlateWholeRun, ABoundlessRangeEndsWithStatus44SaidInTheListing) {
  PlateDeck d = deckOf(false);
  d.tend = 1.0E300;
  const PlateRun r = plateRun(d);
  EXPECT_EQ(r.status, STAT_PLATE);
  EXPECT_TRUE(contains(r.listing, " *** DIAGNOSIS: THE STEPPING NEEDS MORE THAN 100001 STEPS"));
  EXPECT_TRUE(contains(r.log, "THE PLATE MODEL OF THE CAP CANNOT GO ON"));
}

// What the input cannot ask of the plate model is refused as it is read,
// the line named.
TEST(PlateWholeRun, EmptyMeshesAndEstimationsWithThePlateCapAreRefusedWhenRead) {
  struct Case {
    int line;
    const char* with;
    const char* message;
  } cases[] = {
      {7, "0.0 0.0 0 1 3600000.0 0.2", "plate elements along the cap length: 0 is outside 1 to 1000000"},
      {7, "0.0 0.0 2 -1 3600000.0 0.2", "plate elements along the cap width: -1 is outside 1 to 1000000"},
      {7, "0.0 0.0 1000 1000 3600000.0 0.2",
       "plate mesh of 1000 x 1000 elements: its 3004001 nodes are beyond the limit of 1000000"},
      {13, "0 1 0 0 0 0 0 0", "load case 1: stiffness estimation 1 cannot be made with the plate model of the cap"},
      {13, "0 11 0 0 0 0 0 0", "load case 1: stiffness estimation 11 cannot be made with the plate model of the cap"},
  };
  for (int option : {1, 2})
    for (const Case& c : cases) {
      SCOPED_TRACE(c.with);
      ScratchDir dir;
      writeNames(runNames("run"));
      std::vector<std::string> L;
      std::istringstream in(plateInput(option));
      for (std::string l; std::getline(in, l);) L.push_back(l);
      L[c.line - 1] = c.with;
      std::string text;
      for (const std::string& l : L) text += l + "\n";
      writeFile("run.inp", text);
      EXPECT_EQ(IDRELM(6), STAT_CAPACITY);
      const std::string log = readFile("run.log");
      EXPECT_TRUE(contains(log, "INPUT DATA FILE, LINE " + std::to_string(c.line))) << log;
      EXPECT_TRUE(contains(log, c.message)) << log;
      EXPECT_FALSE(std::filesystem::exists("run.fedeck"));
    }
}

// Peak memory of a whole run of the host on the input and deck of the
// current directory, in kB.
long hostPeakKb() {
  const pid_t pid = fork();
  if (pid == 0) {
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    dup2(devnull, 2);
    execl(DRELM_HOST_BIN, DRELM_HOST_BIN, "run.inp", "--out", ".", static_cast<char*>(nullptr));
    _exit(127);
  }
  int st = 0;
  struct rusage ru {};
  wait4(pid, &st, 0, &ru);
  EXPECT_TRUE(WIFEXITED(st));
  EXPECT_EQ(WEXITSTATUS(st), STAT_PLATE);
  return ru.ru_maxrss;
}

// Decks whose counts claim far more than they hold end with 44 before any
// array is sized by the counts: the run's peak memory stays that of a run
// whose deck fails its first check.
TEST(PlateWholeRun, DecksClaimingHugeCountsEndWith44InAFewMegabytes) {
  ScratchDir dir;
  writeFile("run.inp", plateInput(1));
  writeFile("run.fedeck", " four Gauss points\n13 2 1 8 4 0 0 0 0 0 1 0 0 0 0 0\n0.5 0 1 0.1 10 1e-4\n");
  const long base = hostPeakKb();
  struct Case {
    const char* name;
    const char* control;
  } cases[] = {
      {"50000 elements", "370301 50000 1 8 2 0 0 0 0 0 1 0 0 0 0 0"},
      {"100000 elements", "740601 100000 1 8 2 0 0 0 0 0 1 0 0 0 0 0"},
      {"a million of every item", "1000000 1000000 1000000 8 2 1000000 1000000 1000000 1000000 1000000 1000000 1000000 1000000 1000000 1000000 1"},
      {"nodes of a thousand", "13 2 1 1000 2 0 0 0 0 0 1 0 0 0 0 0"},
      {"nodes beyond any count", "13 2 1 2147483647 2 0 0 0 0 0 1 0 0 0 0 0"},
  };
  for (const Case& c : cases) {
    writeFile("run.fedeck", std::string(" title\n") + c.control + "\n0.5 0 1 0.1 10 1e-4\n");
    const long peak = hostPeakKb();
    std::printf("[ peak memory ] %-26s %6ld kB (a deck failing its first check: %ld kB)\n", c.name, peak, base);
    EXPECT_LT(peak - base, 4 * 1024) << c.name;
    EXPECT_TRUE(contains(readFile("run.felist"), "DIAGNOSIS")) << c.name;
  }
}

}  // namespace
}  // namespace drelm::test
