// How far a plate solution came, and the ways its stepping ends short: a
// plate free to move, piles that give way beyond part of the load, a first
// step beyond the range, a stop request, a range no bounded stepping covers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "fecap/capdeck.h"
#include "fecap/platedeck.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/model_run.h"

namespace drelm::test {
namespace {

constexpr std::array<double, 6> ZERO6{0, 0, 0, 0, 0, 0};

// A 2 x 1 plate (4 x 2) loaded at a point; HELD: its left edge restrained.
PlateDeck plate(bool held) {
  PlateDeck d;
  d.nx = 2, d.ny = 1, d.lx = 4, d.ly = 2;
  d.dt = 0.25, d.dtmin = 0.1;
  if (held)
    for (int n = 1; n <= d.npoin(); ++n)
      if (d.xy(n)[0] == 0.0) d.fixes.push_back({n, {1, 1, 1, 1, 1, 1}, ZERO6});
  d.pointLoads.push_back({{3.0, 1.0}, {0, 0, 5.0, 0, 0, 0}});
  return d;
}

PlateDeck onPiles() {
  PlateDeck d = plate(false);
  d.E = 1.0E9, d.t = 1.0;
  d.icoupl = 1;
  d.heads = {{0.5, 0.5}, {3.5, 0.5}, {0.5, 1.5}, {3.5, 1.5}};
  return d;
}

struct Solved {
  std::int32_t ISTAT = 0;
  PlateOutcome o;
  std::string listing, conv, post, log;
};

Solved solve(const PlateDeck& d, PlateHeads* heads = nullptr) {
  ScratchDir dir;
  clearTables();
  FNAMES.FNU(U_STOP) = "t.stop";
  RUNCTL.KPILST = KPIL_SOUND;
  EXPECT_TRUE(io::OPEN(U_LOG, "run.log", io::Access::Write));
  writePlateFiles(d.text());
  Solved r;
  SLABSOL(heads, r.ISTAT, &r.o);
  io::CLOSE(U_LOG);
  r.listing = readFile("t.felist");
  r.conv = readFile("t.feconv");
  r.post = readFile("t.fepost");
  r.log = readFile("run.log");
  if (getenv("PLATE_DEBUG")) std::fprintf(stderr, "%s\n%s\n", r.conv.c_str(), r.listing.c_str());
  return r;
}

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

using Failure = PlateOutcome::Failure;

TEST(PlateOutcome, APlateFreeToMoveFailsEveryStepOnItsSingularEquations) {
  for (double dtmin : {0.1, 0.0}) {
    PlateDeck d = plate(false);
    d.dtmin = dtmin;
    const Solved r = solve(d);
    SCOPED_TRACE(dtmin);
    EXPECT_EQ(r.ISTAT, 0);
    EXPECT_TRUE(r.o.stepped);
    EXPECT_FALSE(r.o.accepted);
    EXPECT_EQ(r.o.last, Failure::Singular);
    EXPECT_TRUE(has(r.listing, "    NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO.")) << r.listing;
    EXPECT_TRUE(has(r.log, "     ** WARNING **  NO SOLUTION OF THE PLATE, SINGULAR PLATE EQUATIONS, PIVOT OF VARIABLE"));
    EXPECT_TRUE(has(r.conv, "error, REQUIRED INCREMENT LESS THAN MINIMUM SPECIFIED"));
    // No step converged: no step table, no final pile pass.
    EXPECT_EQ(r.post, "END_STEP_DATA\n");
    // Without a smallest step the halving stops at 1E-5 of the range: 0.25
    // is halved 15 times.
    const auto steps = [&] {
      long n = 0;
      for (std::size_t at = r.conv.find("STEP "); at != std::string::npos; at = r.conv.find("STEP ", at + 1)) ++n;
      return n;
    }();
    EXPECT_EQ(steps, dtmin > 0 ? 2 : 15);
  }
}

TEST(PlateOutcome, PilesThatGiveWayStopTheStepsAtTheFractionReached) {
  YieldingHeads heads;
  heads.limit = 0.6;
  const Solved r = solve(onPiles(), &heads);
  EXPECT_EQ(r.ISTAT, 0);
  EXPECT_TRUE(r.o.accepted);
  // 0.25, 0.5 converge; 0.75 and 0.625 fail, 0.0625 is below DTMIN.
  EXPECT_DOUBLE_EQ(r.o.reached, 0.5);
  EXPECT_EQ(r.o.last, Failure::Piles);
  EXPECT_TRUE(has(r.conv, "PILE-HEAD EVALUATION FAILED"));

  heads.limit = 0.1;  // the first step already fails
  const Solved none = solve(onPiles(), &heads);
  EXPECT_EQ(none.ISTAT, 0);
  EXPECT_FALSE(none.o.accepted);
  EXPECT_EQ(none.o.last, Failure::Piles);

  heads.limit = 2.0;
  const Solved all = solve(onPiles(), &heads);
  EXPECT_EQ(all.ISTAT, 0);
  EXPECT_DOUBLE_EQ(all.o.reached, 1.0);
  EXPECT_EQ(all.o.last, Failure::None);
}

TEST(PlateOutcome, AFirstStepBeyondTheRangeMakesNoStep) {
  PlateDeck d = plate(true);
  d.dt = 1.5;
  const Solved r = solve(d);
  EXPECT_EQ(r.ISTAT, 0);
  EXPECT_FALSE(r.o.stepped);
  EXPECT_EQ(r.o.reached, 0.0);
}

// 0.65 + 0.65 - 0.65 rounds below 1: the step that ends on TEND must still
// be the last, not the first of steps that repeat TEND until the bound.
TEST(PlateOutcome, TheStepThatEndsOnTheRangeEndIsTheLast) {
  for (double dt : {0.65, 0.25, 0.3}) {
    PlateDeck d = plate(true);
    d.dt = dt;
    const Solved r = solve(d);
    SCOPED_TRACE(dt);
    EXPECT_EQ(r.ISTAT, 0);
    EXPECT_TRUE(r.o.accepted);
    EXPECT_EQ(r.o.reached, 1.0);
    std::size_t steps = 0;
    for (std::size_t at = r.conv.find("STEP "); at != std::string::npos; at = r.conv.find("STEP ", at + 1)) ++steps;
    EXPECT_EQ(steps, static_cast<std::size_t>(std::ceil(1.0 / dt - 1e-9))) << r.conv;
    EXPECT_TRUE(has(r.conv, "TCUR   =    1.0000")) << r.conv;
  }
}

TEST(PlateOutcome, AStopRequestDuringTheStepsEndsWithStatus4AndTheFilesClosed) {
  YieldingHeads heads;
  heads.stopAfter = 10;  // inside the second step (four heads an iteration)
  const Solved r = solve(onPiles(), &heads);
  EXPECT_EQ(r.ISTAT, STAT_STOPPED);
  EXPECT_TRUE(r.o.accepted);
  EXPECT_DOUBLE_EQ(r.o.reached, 0.25);
  // Stopped: neither a further step nor the final pile pass.
  EXPECT_LE(heads.calls, 16);
  EXPECT_TRUE(has(r.listing, "   STEP =    1"));
  EXPECT_FALSE(has(r.listing, "   STEP =    2"));
}

TEST(PlateOutcome, ARangeBeyondTheBoundedStepsEndsWithStatus44BeforeAnyStep) {
  for (double tend : {1.0E300, 100001.0 * 0.25 + 1.0}) {
    PlateDeck d = plate(true);
    d.tend = tend;
    const Solved r = solve(d);
    EXPECT_EQ(r.ISTAT, STAT_PLATE) << tend;
    EXPECT_FALSE(r.o.stepped);
    EXPECT_TRUE(has(r.listing, " *** DIAGNOSIS: THE STEPPING NEEDS MORE THAN 100001 STEPS")) << r.listing;
    EXPECT_TRUE(has(r.log, "PLATE MODEL OF THE CAP: ITS STEPPING NEEDS MORE THAN 100001 STEPS"));
  }
}

}  // namespace
}  // namespace drelm::test
