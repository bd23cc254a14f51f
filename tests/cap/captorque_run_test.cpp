// Whole runs of a torque on symmetric groups. The factors of closely spaced
// piles follow the cap's translation, which the torque leaves at round-off:
// they flipped with it and turned the sway by a right angle at every
// iteration, and lateral pile solutions whose deflections were near their
// tolerance closed after one or two solutions by chance. No step balanced
// and the stepping gave up ("3 NO CONVERGENCE ON PILE CAP", or a part of the
// load). The last attempt of the pass finds the balance.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../analysis/wholerun.h"
#include "support/balance.h"

namespace drelm {
namespace {

using namespace test::wholerun;
using Lines = std::vector<std::string>;

const char* const LAST_LINE = "     LAST ATTEMPT FROM THE LAST CONVERGED STEP: PILES CLOSE ON THEIR OWN DEFLECTIONS";
const char* const HELD_LINE = "     REDUCTION FACTORS HELD IN THE DIRECTION OF THE LOAD";

bool has(const Lines& lines, const std::string& text) {
  for (const std::string& l : lines)
    if (l == text) return true;
  return false;
}

// Every case and combination of the run completed, and the reported head
// reactions carried to the origin balance the load of each to 1E-6.
void expectCompletedAndBalanced(std::size_t cases) {
  const Lines status = test::readLines("run.sta");
  std::size_t completed = 0;
  for (const std::string& l : status) completed += l == "    1 ANALYSIS COMPLETED";
  EXPECT_EQ(completed, cases);
  const std::vector<test::CaseBalance> b = test::caseBalances(test::readLines("run.rp2"));
  EXPECT_EQ(b.size(), cases);
  EXPECT_TRUE(test::balanced(test::readLines("run.rp2")));
}

// A torque alone (547,798 lb-in in quarter steps, halved once at most so
// that the last attempt comes soon) on four piles on the axes (each moving
// along one lateral direction only) and on a 3x3 group, in soft clay and in
// sand.
TEST(CapTorque, TorqueAloneOnASymmetricGroupBalances) {
  for (const char* input : {"space_torque_axes_clay.inp", "space_torque_axes_sand.inp",
                            "space_torque_3x3_clay.inp", "space_torque_3x3_sand.inp"}) {
    SCOPED_TRACE(input);
    test::ScratchDir dir;
    ASSERT_EQ(runInput(fixture(input)), 0);
    expectCompletedAndBalanced(1);
    const Lines log = test::readLines("run.log");
    EXPECT_TRUE(has(log, LAST_LINE));
    EXPECT_TRUE(has(log, HELD_LINE));
    const auto U = capDisplacements();
    ASSERT_EQ(U.size(), 1u);
    ASSERT_EQ(U[0].size(), 6u);
    // The cap turns with the torque; the factors held along +Y, the leading
    // and trailing piles resist unequally and the cap sways a little.
    EXPECT_GT(U[0][3], 0.0);
    const double turn = U[0][3] * 102.3;  // at the outer piles
    EXPECT_LT(std::hypot(U[0][1], U[0][2]), 0.1 * turn);
  }
}

// The shipped example, with a torque added to its first case (1,800 kips
// down): 100 kip-in ended at 37.5 % of the load, 1,000 kip-in with no
// step at all. Its other case and its combination complete as before.
TEST(CapTorque, ShippedExampleWithATorqueCompletes) {
  const std::string example = test::readFile(std::string(DRELM_SOURCE_DIR) + "/examples/group3x3.inp");
  for (const char* torque : {"100000.0", "1000000.0"}) {
    SCOPED_TRACE(torque);
    test::ScratchDir dir;
    // At most 20 cap iterations in the first case (100 as shipped): the
    // stepping gives up, and the last attempt comes, sooner.
    const std::string fewer = replaced(example, "0 0 0 1 0 100 100", "0 0 0 1 0 20 100");
    ASSERT_EQ(runInput(replaced(fewer, "1800000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0",
                                std::string("1800000.0 0.0 0.0 0.0 0.0 ") + torque + " 0.0 0.0 0.0")),
              0);
    expectCompletedAndBalanced(3);
    EXPECT_TRUE(has(test::readLines("run.log"), LAST_LINE));
    const auto load = capLoads();
    ASSERT_FALSE(load.empty());
    EXPECT_EQ(load[0][3], std::stod(torque));
  }
}

}  // namespace
}  // namespace drelm
