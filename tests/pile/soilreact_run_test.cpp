// Whole runs of one fixed-head pile in elastic subgrade (k = 800 lb/in^2)
// whose cap is held at a given sway while the soil may move: the soil
// reactions along the pile are the soil's force on the pile, with its sign,
// in space as in plane.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::fixture;
using test::wholerun::replaced;
using test::wholerun::runInput;

using Rows = test::wholerun::NodeRows;

// The values along the first pile of the second results report.
Rows alongPile() {
  long at = 0;
  return test::wholerun::alongPile(test::readLines("run.rp2"), 0, at);
}

// The fixture with the soil movement (Y, Z) or none, and the cap held at
// sway Y (the displacement of the second degree of freedom, third value of
// the line of displacements and loads).
std::string input(const std::string& name, bool moving, const std::string& movement, const std::string& capSway) {
  std::string s = fixture(name);
  s = replaced(s, "0.0 0.0 0.0 0.0 0.0 0.0\n0.0 0.0 0.0 0.0 0.0 0.0",
               "0.0 0.0 " + capSway + " 0.0 0.0 0.0\n0.0 0.0 0.0 0.0 0.0 0.0");
  s = replaced(s, "0.0 0.1 0.0", "0.0 " + movement);
  s = replaced(s, "100.0 0.1 0.0", "100.0 " + movement);
  if (!moving) {
    const std::string on = name.rfind("space", 0) == 0 ? "1 3 0 0 0 0 0 0 0 0 0 0 0 0 1 0 1 0 1 0 0"
                                                       : "1 2 0 0 0 0 0 0 0 0 0 0 0 0 1 0 1 0 1 0 0";
    std::string off = on;
    off[off.size() - 5] = '0';
    s = replaced(s, on, off);
  }
  return s;
}

TEST(SoilReactionRun, IsTheSoilsForceOnThePileWithItsSignInSpaceAsInPlane) {
  struct Case {
    const char* what;
    bool moving;
    const char* movement;  // soil movement along Y and Z, in
    const char* capSway;   // cap held at this sway along Y, in
    double p1, p2;         // head soil reaction along y and z, lb/in
    bool plane;            // the plane row has the same case
  };
  // Relative deflection of the head: sway less movement; the soil pushes
  // the pile back against it with k times its length.
  const Case cases[] = {
      {"soil moves +Y, cap held at 0", true, "0.1 0.0", "0.0", 80.0, 0.0, true},
      {"soil moves +Y, cap held at 0.3", true, "0.1 0.0", "0.3", -160.0, 0.0, true},
      {"soil moves -Z, cap held at 0", true, "0.0 -0.1", "0.0", 0.0, -80.0, false},
      {"soil moves +Y and -Z, cap held at 0", true, "0.06 -0.08", "0.0", 48.0, -64.0, false},
      // Without movement the column keeps the p-y sign, k y, as in plane.
      {"no movement, cap held at 0.1", false, "0.1 0.0", "0.1", 80.0, 0.0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    ASSERT_EQ(runInput(input("space_soilmove.inp", c.moving, c.movement, c.capSway)), 0);
    const Rows space = alongPile();
    ASSERT_EQ(space.size(), 51u);
    EXPECT_NEAR(space[0].at(15), c.p1, 1e-4);
    EXPECT_NEAR(space[0].at(16), c.p2, 1e-4);
    EXPECT_NEAR(space[0].at(17), std::hypot(c.p1, c.p2), 1e-4);
    for (const auto& row : space) EXPECT_NEAR(row.at(17), std::hypot(row.at(15), row.at(16)), 1e-4);
    if (!c.plane) continue;
    ASSERT_EQ(runInput(input("plane_soilmove.inp", c.moving, c.movement, c.capSway)), 0);
    const Rows plane = alongPile();
    ASSERT_EQ(plane.size(), space.size());
    for (std::size_t k = 0; k < plane.size(); ++k)
      EXPECT_NEAR(space[k].at(15), plane[k].at(15), 1e-6 * (1.0 + std::fabs(plane[k].at(15)))) << "node " << k + 1;
  }
}

}  // namespace
}  // namespace drelm
