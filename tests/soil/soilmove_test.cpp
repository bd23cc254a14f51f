// Soil movement at the nodes of a pile: the pile's profile in its own axes,
// interpolation between the profile points, steps in the profile, the ground
// surface and the ends of the profile, in plane and space analysis.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "model/model.h"
#include "soil/soilmove.h"

namespace drelm {
namespace {

// Pile 1 of property 1: head at X = 100, 120 long in 10 increments, so node
// i lies at X = 100 + 12 (i - 1); the ground is PGRND below the head.
void pile(double pgrnd) {
  RUNCONST.EPSMOV = 1.0E-5;
  RUNCTL.NPILE = 1;
  PILEAR.PROPOFPILE(1) = 1;
  PILEPROP.NINC(1) = 10;
  PILEAR.PHX(1) = PILEAR.PHXREF(1) = 100.0;
  PILEAR.PGRND(1) = pgrnd;
  for (int i = 1; i <= 11; ++i) PILENODE.XNODE(1, i) = 100.0 + 12.0 * (i - 1);
}

struct Point {
  double depth, y, z;  // global X and input movements
};

// The soil movement table at load fraction t: the current movements are the
// input ones times t.
void profile(std::initializer_list<Point> pts, double t) {
  SMOV.ISMOV = 1;
  SMOV.NSMOV = static_cast<std::int32_t>(pts.size());
  SMOV.SMVFAC = t;
  int k = 0;
  for (const Point& p : pts) {
    ++k;
    SMOV.SMVDEP(k) = p.depth;
    SMOV.SMVYIN(k) = p.y;
    SMOV.SMVZIN(k) = p.z;
    SMOV.SMVY(k) = t * p.y;
    SMOV.SMVZ(k) = t * p.z;
  }
}

// The solver's sequence for one pile; entries beyond the tip hold a marker
// that no routine may touch.
struct Nodes {
  NodeArray psoil, y1, y2;
  void run(bool space) {
    for (NodeArray* a : {&psoil, &y1, &y2}) a->fill(-7.0);
    const std::int32_t p = 1;
    SMVPLOC(p);
    CLRNODP(p, psoil);
    CLRNOD1(p, y1);
    CLRNOD2(p, y2);
    SMVNOD1(p, y1);
    if (space) SMVNOD2(p, y2);
  }
};

// Plane pile with a batter of cos 0.8 at load fraction 0.5: each node sees
// 0.5 x 0.8 m = 0.4 m, m the input movement interpolated at the node; the
// fraction counts once.
// Profile below the head: 12, 36, 36 (a step from 1 to 3), 84.
TEST(SoilMovement, PlaneInterpolationStepsAndEnds) {
  pile(12.0);
  RUNCTL.IANTYP = 2;
  PILEAR.PBATT(1) = std::acos(0.8);
  profile({{112, 2, 9}, {136, 1, 9}, {136, 3, 9}, {184, 0, 9}}, 0.5);
  Nodes n;
  n.run(false);

  EXPECT_DOUBLE_EQ(SMVPIL.SMVPIL(1, 1, 1), 12.0);  // depth below the head
  EXPECT_DOUBLE_EQ(SMVPIL.SMVPIL(1, 4, 1), 84.0);
  EXPECT_NEAR(SMVPIL.SMVPIL(1, 3, 2), 0.5 * 3 * 0.8, 1e-15);
  EXPECT_EQ(SMVPIL.SMVPIL(1, 3, 3), 0.0);

  const double want[11] = {
      0.0,               // X 100: above the ground and the profile
      0.4 * 2,           // X 112: at the first point, first segment
      0.4 * 1.5,         // X 124: halfway between 2 and 1
      0.4 * 2,           // X 136: at the step, the mean of 1 and 3
      0.4 * 2.25,        // X 148: a quarter of the way from 3 to 0
      0.4 * 1.5, 0.4 * 0.75,
      0.0,               // X 184: the last point
      0.0, 0.0, 0.0,     // below the profile
  };
  for (int i = 1; i <= 11; ++i) {
    EXPECT_NEAR(n.y1(i), want[i - 1], 1e-14) << "node " << i;
    EXPECT_EQ(n.psoil(i), 0.0) << "node " << i;
    EXPECT_EQ(n.y2(i), 0.0) << "node " << i;
  }
  for (int i = 12; i <= MAXNOD; ++i) {
    EXPECT_EQ(n.y1(i), -7.0);
    EXPECT_EQ(n.psoil(i), -7.0);
    EXPECT_EQ(n.y2(i), -7.0);
  }
}

// Points closer than the depth tolerance make a step, whose mean a node at
// that depth takes; points just beyond it are interpolated as usual. The
// step at the head of the profile is reached through the first segment.
TEST(SoilMovement, DepthToleranceOfSteps) {
  struct Case {
    const char* name;
    double d2, d3;  // depths of points 2 and 3
    double atNode4;  // movement at X 136, in input units
  } cases[] = {
      {"points 5E-6 apart: a step", 136, 136 + 5e-6, 2.0},
      {"points 2E-5 apart: two segments", 136, 136 + 2e-5, 1.0},
      {"a step just below the node", 136 + 5e-6, 136 + 9e-6, 2.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pile(12.0);
    RUNCTL.IANTYP = 2;
    PILEAR.PBATT(1) = 0.0;
    profile({{112, 2, 0}, {c.d2, 1, 0}, {c.d3, 3, 0}, {184, 0, 0}}, 1.0);
    Nodes n;
    n.run(false);
    EXPECT_NEAR(n.y1(4), c.atNode4, 1e-9);
  }

  // Two points at the first depth: a node there takes their mean.
  pile(0.0);
  profile({{112, 4, 0}, {112, 2, 0}, {160, 0, 0}}, 1.0);
  Nodes n;
  n.run(false);
  EXPECT_DOUBLE_EQ(n.y1(2), 3.0);
  EXPECT_DOUBLE_EQ(n.y1(3), 2.0 - 12.0 / 48 * 2);
}

// The ground surface hides the profile above it; a profile of one point
// acts only at a node exactly at its depth and reads nothing beyond it.
TEST(SoilMovement, GroundSurfaceAndSinglePoint) {
  pile(24.0);
  RUNCTL.IANTYP = 2;
  profile({{100, 4, 0}, {148, 0, 0}}, 1.0);
  Nodes n;
  n.run(false);
  const double want[6] = {0, 0, 2, 1, 0, 0};  // ground at X 124
  for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(n.y1(i), want[i - 1]) << "node " << i;

  pile(0.0);
  profile({{124, 5, 0}}, 0.5);
  SMVPIL.SMVPIL(1, 2, 1) = 200.0;  // a stale second point
  SMVPIL.SMVPIL(1, 2, 2) = 99.0;
  n.run(false);
  for (int i = 1; i <= 11; ++i) EXPECT_DOUBLE_EQ(n.y1(i), i == 3 ? 0.5 * 5 : 0.0) << "node " << i;
}

// Space analysis: the Y and Z movements turned into the pile's lateral
// axes by its angles, and both directions filled at the nodes.
TEST(SoilMovement, SpaceProfileInPileAxes) {
  const double PI = std::acos(-1.0);
  struct Case {
    const char* name;
    double beta, alpha, theta;
    double d1, d2;  // lateral movements of a soil movement (Y, Z) = (1, 2)
  } cases[] = {
      {"vertical pile: Y and Z", PI / 2, 0, 0, 1, 2},
      {"section turned a quarter: Z and -Y", PI / 2, 0, PI / 2, 2, -1},
      {"inclined 60 degrees from the horizontal", PI / 3, 0, 0, std::sin(PI / 3), 2},
      {"vertical, azimuth 90 degrees", PI / 2, PI / 2, 0, 2, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    pile(0.0);
    RUNCTL.IANTYP = 3;
    PILEAR.BETA(1) = c.beta;
    PILEAR.ALPHA(1) = c.alpha;
    PILEAR.THETA(1) = c.theta;
    profile({{100, 1, 2}, {160, 0, 0}}, 1.0);
    Nodes n;
    n.run(true);
    EXPECT_NEAR(SMVPIL.SMVPIL(1, 1, 2), c.d1, 1e-12);
    EXPECT_NEAR(SMVPIL.SMVPIL(1, 1, 3), c.d2, 1e-12);
    // Node 3 at X 124 lies 24/60 of the way down to the motionless point.
    EXPECT_NEAR(n.y1(3), 0.6 * c.d1, 1e-12);
    EXPECT_NEAR(n.y2(3), 0.6 * c.d2, 1e-12);
    EXPECT_EQ(n.y1(7), 0.0);
    EXPECT_EQ(n.y2(7), 0.0);
  }

  // At load fraction 0.4 a node sees 0.4 of the input movement, not 0.4 x 0.4.
  pile(0.0);
  PILEAR.BETA(1) = PI / 2;
  PILEAR.ALPHA(1) = PILEAR.THETA(1) = 0.0;
  profile({{100, 1, 2}, {160, 0, 0}}, 0.4);
  Nodes n;
  n.run(true);
  EXPECT_NEAR(n.y1(1), 0.4, 1e-15);
  EXPECT_NEAR(n.y2(1), 0.8, 1e-15);
}

}  // namespace
}  // namespace drelm
