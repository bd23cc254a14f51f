// The per-pile curve file of whole inputs, written after the input stage and
// read back record by record in both forms: block structure, the property
// records against the input, the p-y node curves against the soft clay
// criterion evaluated here by hand, the axial node curves against the alpha
// method on the driven-pile clay shape, the torsional curves against the
// axial ones, and a pile whose curves fail part way left out whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/crvfile.h"
#include "analysis/crvreader.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prepro.h"
#include "support/allocs.h"
#include "support/inputrun.h"
#include "support/testdir.h"
#include "transfer/axlsplt.h"

namespace drelm {
namespace {

using test::CrvFile;
using test::CrvNode;

double r4(double x) { return static_cast<double>(static_cast<float>(x)); }

// The fixture with the curve file switched on (controls 20 and 21) and the
// curve-file group at its end.
std::string withCurveFile(const std::string& fixture, const std::string& controls, int unf, int steps) {
  std::string in = test::readFile(test::dataFile(fixture));
  const std::size_t at = in.find(controls);
  EXPECT_NE(at, std::string::npos);
  std::string on = controls.substr(0, controls.size() - 3) + "1 " + std::to_string(unf);
  in.replace(at, controls.size(), on);
  return in + "CURVE FILE\n" + std::to_string(steps) + " 0 0\n";
}

// The first occurrence of a in the input replaced by b.
void swapFirst(std::string& in, const std::string& a, const std::string& b) {
  const std::size_t at = in.find(a);
  ASSERT_NE(at, std::string::npos) << a;
  in.replace(at, a.size(), b);
}

// A whole curve file with its header: the pile count, the analysis type,
// the units and the number of piles that have records.
void expectWholeFile(const CrvFile& f, int npile, int iantyp, int iunits, std::size_t piles) {
  ASSERT_TRUE(f.whole);
  EXPECT_EQ(f.npile, npile);
  EXPECT_EQ(f.iantyp, iantyp);
  EXPECT_EQ(f.iunits, iunits);
  ASSERT_EQ(f.piles.size(), piles);
}

const std::string SPACE_CONTROLS = "1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0";
const std::string PLANE_CONTROLS = "2 2 0 0 0 0 0 1 0 1 0 0 0 0 1 0 0 0 0 0 0";

struct CrvRun {
  std::int32_t status = -1;
  std::string crv;
  std::vector<std::string> log;
};

// Input stage, then the curve file as the analysis driver writes it at the
// end of a run (static loading).
CrvRun runCurveFile(const std::string& input) {
  test::writeNamesFile();
  test::writeInputFile(input);
  CrvRun r;
  std::int32_t ISTAT = 0;
  test::runToConvin(ISTAT);
  if (ISTAT == 0) PREPRO(ISTAT);
  EXPECT_EQ(ISTAT, 0) << "input stage";
  if (ISTAT == 0) {
    CURCTL.KSTCYC = 1;
    CRVFWR(ISTAT);
  }
  r.status = ISTAT;
  io::CLOSEALL();
  r.crv = test::readFile("run.crv");
  r.log = test::readLines("run.log");
  return r;
}

// Both forms hold the same records: reals to the 8 digits of the text form,
// node X to its 4 decimals.
void expectSameFile(const CrvFile& t, const CrvFile& u) {
  ASSERT_TRUE(t.whole && u.whole);
  EXPECT_EQ(t.npile, u.npile);
  EXPECT_EQ(t.iantyp, u.iantyp);
  EXPECT_EQ(t.iunits, u.iunits);
  ASSERT_EQ(t.piles.size(), u.piles.size());
  auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-7 * std::fabs(b) + 1e-12; };
  for (std::size_t i = 0; i < t.piles.size(); ++i) {
    const auto &a = t.piles[i], &b = u.piles[i];
    EXPECT_EQ(a.p, b.p);
    EXPECT_TRUE(near(a.len, b.len));
    for (std::size_t j = 0; j < a.props.size(); ++j) {
      EXPECT_NEAR(a.stepX[j], b.stepX[j], 5e-5);
      for (std::size_t k = 0; k < a.props[j].size(); ++k) EXPECT_TRUE(near(a.props[j][k], b.props[j][k]));
    }
    for (auto blocks : {std::make_pair(&a.py, &b.py), std::make_pair(&a.ax, &b.ax), std::make_pair(&a.tr, &b.tr)}) {
      ASSERT_EQ(blocks.first->size(), blocks.second->size());
      for (std::size_t j = 0; j < blocks.first->size(); ++j) {
        const CrvNode &x = (*blocks.first)[j], &y = (*blocks.second)[j];
        EXPECT_NEAR(x.x, y.x, 5e-5);
        EXPECT_EQ(x.flag, y.flag);
        EXPECT_EQ(x.kind, y.kind);
        ASSERT_EQ(x.y.size(), y.y.size());
        for (std::size_t k = 0; k < x.y.size(); ++k) {
          EXPECT_TRUE(near(x.y[k], y.y[k])) << "pile " << a.p << " node " << x.j << " point " << k + 1;
          EXPECT_TRUE(near(x.f[k], y.f[k])) << "pile " << a.p << " node " << x.j << " point " << k + 1;
        }
      }
    }
  }
}

void expectNear(double got, double want, double rel, const std::string& what) {
  EXPECT_NEAR(got, want, rel * std::fabs(want) + 1e-9) << what;
}

// Soft clay (static, J = 0.5) at depth z below the ground: the criterion's
// own 17 deflections and the resistance per unit length there.
struct SoftClay {
  double c, gam, z, b, e50;
  double y50() const { return 2.5 * e50 * b; }
  double defl(int k) const {
    static const double F[17] = {0,    0.00025, 0.0025, 0.0075, 0.02, 0.04, 0.06, 0.1, 0.15,
                                 0.225, 0.3,    0.4,    0.5,    0.65, 0.8,  1.0,  1.2};
    return r4(F[k]) * 8 * y50();
  }
  double p(double y) const {
    const double pu = std::min(3 + gam * z / c + 0.5 * z / b, 9.0) * c * b;
    if (y <= 0) return 0;
    return y <= 8 * y50() ? 0.5 * pu * std::cbrt(y / y50()) : pu;
  }
};

// The p-y records of a node carrying the halves of two soft clay steps of
// length S (the same deflections in both), with the multipliers of the pile.
void expectSoftClayNode(const CrvNode& n, const SoftClay& up, const SoftClay& down, double S, double fp,
                        double fy) {
  ASSERT_EQ(n.flag, 1);
  EXPECT_EQ(n.kind, 1);
  ASSERT_EQ(n.count, 33);
  ASSERT_EQ(n.y.size(), 33u);
  for (int k = 0; k < 17; ++k) {
    const double y = up.defl(k);
    const double f = (up.p(y) + down.p(y)) * S / 2 * fp;
    const std::string at = "node " + std::to_string(n.j) + " point " + std::to_string(k + 17);
    expectNear(n.y[16 + k], y * fy, 1e-7, at + " y");
    expectNear(n.f[16 + k], f, 1e-6, at + " F");
    // The negative side mirrors the positive one.
    EXPECT_EQ(n.y[16 - k], -n.y[16 + k]);
    EXPECT_EQ(n.f[16 - k], -n.f[16 + k]);
  }
  EXPECT_EQ(n.y[16], 0.0);
  EXPECT_EQ(n.f[16], 0.0);
}

// ---------------------------------------------------------------------------

class SpaceCurveFile : public ::testing::TestWithParam<int> {};

// The 2 x 2 group of 16-in pipe piles, 50 ft long, in soft clay (0 to 20 ft,
// c 400 to 800 psf, 50 pcf, E50 0.02) over sand, ten steps of 60 in.
TEST_P(SpaceCurveFile, ReadsBackWithTheCurvesOfTheSoil) {
  test::ScratchDir dir;
  const int unf = GetParam();
  const CrvRun run = runCurveFile(withCurveFile("space_min.inp", SPACE_CONTROLS, unf, 10));
  EXPECT_EQ(run.status, 0);
  const CrvFile f = test::readCurveFile(run.crv, unf != 0);
  ASSERT_NO_FATAL_FAILURE(expectWholeFile(f, 4, 3, 1, 4u));

  for (int i = 0; i < 4; ++i) {
    const auto& pl = f.piles[i];
    EXPECT_EQ(pl.p, i + 1);
    EXPECT_DOUBLE_EQ(pl.len, 600.0);
    ASSERT_EQ(pl.head.size(), 3u);
    EXPECT_DOUBLE_EQ(pl.head[0], 0.0);
    EXPECT_DOUBLE_EQ(pl.head[1], i % 2 == 0 ? -24.0 : 24.0);
    EXPECT_DOUBLE_EQ(pl.head[2], i < 2 ? -24.0 : 24.0);
    // A vertical pile: its axis is X.
    EXPECT_NEAR(pl.rows[0][0], 1.0, 1e-7);
    EXPECT_NEAR(pl.rows[0][1], 0.0, 1e-7);
    EXPECT_NEAR(pl.rows[0][2], 0.0, 1e-7);
    ASSERT_EQ(pl.props.size(), 10u);
    for (int j = 0; j < 10; ++j) {
      EXPECT_NEAR(pl.stepX[j], 30.0 + 60.0 * j, 5e-5);
      ASSERT_EQ(pl.props[j].size(), 6u);
      EXPECT_DOUBLE_EQ(pl.props[j][0], 16.0);
      EXPECT_DOUBLE_EQ(pl.props[j][1], 24.35);
      EXPECT_DOUBLE_EQ(pl.props[j][2], 731.9);
      EXPECT_DOUBLE_EQ(pl.props[j][3], 731.9);
      EXPECT_DOUBLE_EQ(pl.props[j][4], 29.0E6);
    }
    ASSERT_EQ(pl.py.size(), 11u);
    ASSERT_EQ(pl.ax.size(), 11u);
    ASSERT_EQ(pl.tr.size(), 11u);
    for (int j = 0; j < 11; ++j) {
      EXPECT_NEAR(pl.py[j].x, 60.0 * j, 5e-5);
      EXPECT_EQ(pl.ax[j].flag, 1);
      EXPECT_EQ(pl.ax[j].count, 19);
    }
  }

  // P-y: the nodes at 60 and 180 in carry two soft clay half steps; the
  // node at the head only the upper half of the first step.
  const double fp = GRPFAC.GRPPF(1), fy = GRPFAC.GRPYF(1);
  auto clay = [](double z) { return SoftClay{(400 + 400 * z / 240) / 144, 50.0 / 1728, z, 16.0, 0.02}; };
  const auto& p1 = f.piles[0];
  expectSoftClayNode(p1.py[1], clay(30), clay(90), 60, fp, fy);
  expectSoftClayNode(p1.py[3], clay(150), clay(210), 60, fp, fy);
  for (int k = 0; k < 17; ++k) {
    const SoftClay c = clay(30);
    expectNear(p1.py[0].f[16 + k], c.p(c.defl(k)) * 30 * fp, 1e-6, "head node");
  }
  // The sand below: kind 4 at the tip, which carries the last half step.
  EXPECT_EQ(p1.py[10].kind, 4);
  EXPECT_EQ(p1.py[10].flag, 1);

  // Axial: driven pile in clay, t = alpha c on the clay shape, forces over
  // half the side area of each step.
  auto fs = [](double z) {
    const double c = (400 + 400 * z / 240) / 144, s = 50.0 / 1728 * z, psi = c / s;
    double alpha = psi <= 1 ? 0.5 / std::sqrt(psi) : 0.5 / std::pow(psi, 0.25);
    if (alpha < 0.5 && c < 3.47) alpha = 1.0;
    return alpha * c;
  };
  const double zc[10] = {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
  const double tf[10] = {0, 0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93};
  const double half = 3.1416 * 16 * 60 / 2;
  for (int j : {1, 3}) {
    const CrvNode& n = p1.ax[j];
    const double t = fs(60.0 * j - 30) + fs(60.0 * j + 30);
    for (int k = 0; k < 10; ++k) {
      const std::string at = "axial node " + std::to_string(j + 1) + " point " + std::to_string(k + 10);
      expectNear(n.y[9 + k], r4(zc[k]), 1e-7, at);
      expectNear(n.f[9 + k], r4(tf[k]) * t * half, 2e-6, at);
      EXPECT_EQ(n.y[9 - k], -n.y[9 + k]);
      EXPECT_EQ(n.f[9 - k], -n.f[9 + k]);
    }
  }
  // Torsion: the same curves as twist z / R and torque F x R (R = 8 in).
  for (int j = 0; j < 10; ++j)
    for (int k = 0; k < 19; ++k) {
      expectNear(p1.tr[j].y[k], p1.ax[j].y[k] / 8, 1e-7, "twist");
      expectNear(p1.tr[j].f[k], p1.ax[j].f[k] * 8, 1e-7, "torque");
    }
  // The tip: the lower half of the last step on the pull-out side, that half
  // with the tip's bearing on the bearing side; no tip in torsion.
  const CrvNode& tip = p1.ax[10];
  const CrvNode& last = p1.ax[9];
  for (int k = 1; k < 10; ++k) {
    EXPECT_EQ(tip.y[9 + k], -tip.y[9 - k]);
    EXPECT_GT(tip.f[9 + k], -tip.f[9 - k]);
    EXPECT_LT(-tip.f[9 - k], last.f[9 + k]);  // the half is less than the node's two halves
  }
  for (int k = 1; k < 10; ++k) EXPECT_NEAR(p1.tr[10].f[9 + k], -p1.tr[10].f[9 - k], 1e-9);
  // The tip's share on the bearing side: a driven pile with its tip in sand
  // at 35 degrees (Nq 40), 600 in deep under 56 pcf on average, on the bottom
  // area of the section; the exponent 0.333 from the 34.9 degrees of the last
  // step, interpolated linearly at the movements of the last half step.
  const double phid = 35 * M_PI / 180 * r4(57.296);  // degrees as the tip rule turns them back
  const double qmax = (40 + 2 * (phid - 35)) * 600 * 56.0 / 1728 * 24.35;
  const double w[10] = {0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.4, 0.8, 5.0};
  auto q = [&](double x) {
    int m = 1;
    while (m < 9 && r4(w[m]) < x) ++m;
    auto qw = [&](int i) { return qmax * std::pow(r4(w[i]) / r4(0.05 * 16), r4(0.333)); };
    return qw(m - 1) + (x - r4(w[m - 1])) * (qw(m) - qw(m - 1)) / (r4(w[m]) - r4(w[m - 1]));
  };
  for (int k = 1; k < 10; ++k)
    expectNear(tip.f[9 + k] + tip.f[9 - k], q(tip.y[9 + k]), 1e-6, "tip point " + std::to_string(10 + k));
}

INSTANTIATE_TEST_SUITE_P(Forms, SpaceCurveFile, ::testing::Values(0, 1));

TEST(CurveFile, TextAndUnformattedHoldTheSameRecords) {
  CrvFile files[2];
  for (int unf : {0, 1}) {
    test::ScratchDir dir;
    const CrvRun run = runCurveFile(withCurveFile("space_min.inp", SPACE_CONTROLS, unf, 7));
    files[unf] = test::readCurveFile(run.crv, unf != 0);
  }
  expectSameFile(files[0], files[1]);
  for (int unf : {0, 1}) {
    test::ScratchDir dir;
    const CrvRun run = runCurveFile(withCurveFile("plane_si.inp", PLANE_CONTROLS, unf, 10));
    files[unf] = test::readCurveFile(run.crv, unf != 0);
  }
  expectSameFile(files[0], files[1]);
}

class PlaneCurveFile : public ::testing::TestWithParam<int> {};

// Two rows of 610-mm pipe piles, 18 m long, in soft clay (0 to 6 m, c 25 to
// 40 kPa, 8 kN/m3, E50 0.02) over sand, ten steps of 1.8 m.
TEST_P(PlaneCurveFile, ReadsBackWithoutTorsionalBlocks) {
  test::ScratchDir dir;
  const int unf = GetParam();
  const CrvRun run = runCurveFile(withCurveFile("plane_si.inp", PLANE_CONTROLS, unf, 10));
  EXPECT_EQ(run.status, 0);
  const CrvFile f = test::readCurveFile(run.crv, unf != 0);
  ASSERT_NO_FATAL_FAILURE(expectWholeFile(f, 2, 2, 2, 2u));
  for (int i = 0; i < 2; ++i) {
    const auto& pl = f.piles[i];
    EXPECT_NEAR(pl.len, 18.0, 1e-12);
    ASSERT_EQ(pl.head.size(), 2u);
    EXPECT_NEAR(pl.head[1], i == 0 ? -0.9 : 0.9, 1e-12);
    // A vertical row: (0, 1) and (-1, 0).
    ASSERT_EQ(pl.rows.size(), 2u);
    EXPECT_NEAR(pl.rows[0][0], 0.0, 1e-7);
    EXPECT_NEAR(pl.rows[0][1], 1.0, 1e-7);
    EXPECT_NEAR(pl.rows[1][0], -1.0, 1e-7);
    EXPECT_NEAR(pl.rows[1][1], 0.0, 1e-7);
    for (const auto& v : pl.props) ASSERT_EQ(v.size(), 4u);
    EXPECT_NEAR(pl.props[0][0], 0.61, 1e-9);
    EXPECT_EQ(pl.py.size(), 11u);
    EXPECT_EQ(pl.ax.size(), 11u);
    EXPECT_TRUE(pl.tr.empty());
  }
  const double fp = GRPFAC.GRPPF(1), fy = GRPFAC.GRPYF(1);
  auto clay = [](double z) { return SoftClay{25 + 15 * z / 6, 8.0, z, 0.61, 0.02}; };
  expectSoftClayNode(f.piles[0].py[1], clay(0.9), clay(2.7), 1.8, fp, fy);
  expectSoftClayNode(f.piles[0].py[2], clay(2.7), clay(4.5), 1.8, fp, fy);
}

INSTANTIATE_TEST_SUITE_P(Forms, PlaneCurveFile, ::testing::Values(0, 1));

// A pile whose section widens from 16 to 24 in at 10 ft: the p-y curves of
// the steps below take the 24-in width of their own depth, as the property
// records beside them show.
TEST(CurveFile, PyCurvesTakeTheWidthOfTheirStep) {
  test::ScratchDir dir;
  std::string in = withCurveFile("space_min.inp", SPACE_CONTROLS, 0, 10);
  auto swap = [&](const std::string& a, const std::string& b) { swapFirst(in, a, b); };
  swap("1 1\n50 50.0 1\n0.0 50.0 1\n", "1 2\n50 50.0 1\n0.0 10.0 1\n10.0 50.0 2\n");
  swap("CROSS SECTIONS\n1\n", "CROSS SECTIONS\n2\n");
  swap("SOIL LAYERS\n",
       "2 2 1 0\nPIPE24\n24.0 23.0 0.0 0.0 0.0 0.0 0.0 0.0\n"
       "11.5E6 36.91 2549.0 2549.0 0.0 5.864E10 1.381E7 5.537E5 29.0E6 0.0 0\n0 0 0.5 0 0\n'STEEL PIPE'\n"
       "SOIL LAYERS\n");
  swap("MOMENT-CURVATURE OF CROSS SECTIONS\n1\n1 0\n1 0\n",
       "MOMENT-CURVATURE OF CROSS SECTIONS\n2\n1 0\n1 0\n2 0\n2 0\n");
  const CrvRun run = runCurveFile(in);
  EXPECT_EQ(run.status, 0);
  const CrvFile f = test::readCurveFile(run.crv, false);
  ASSERT_TRUE(f.whole);
  ASSERT_EQ(f.piles.size(), 4u);
  const auto& p1 = f.piles[0];
  EXPECT_DOUBLE_EQ(p1.props[1][0], 16.0);
  EXPECT_DOUBLE_EQ(p1.props[2][0], 24.0);
  const double fp = GRPFAC.GRPPF(1), fy = GRPFAC.GRPYF(1);
  auto clay = [](double z, double b) { return SoftClay{(400 + 400 * z / 240) / 144, 50.0 / 1728, z, b, 0.02}; };
  expectSoftClayNode(p1.py[1], clay(30, 16), clay(90, 16), 60, fp, fy);
  expectSoftClayNode(p1.py[3], clay(150, 24), clay(210, 24), 60, fp, fy);
}

// The same group 60 ft higher in the coordinate frame: the tips lie above X
// = 0, and the tip nodes still carry the last step's curves.
TEST(CurveFile, TipAboveTheCoordinateOriginKeepsItsCurves) {
  test::ScratchDir dir;
  std::string in = withCurveFile("space_min.inp", SPACE_CONTROLS, 0, 10);
  auto swapAll = [&](const std::string& a, const std::string& b) {
    int n = 0;
    for (std::size_t at = in.find(a); at != std::string::npos; at = in.find(a, at + b.size()), ++n)
      in.replace(at, a.size(), b);
    EXPECT_GT(n, 0) << a;
  };
  swapAll("\n0.0 -2.0", "\n-60.0 -2.0");
  swapAll("\n0.0 2.0", "\n-60.0 2.0");
  swapAll("\n0.0 20.0\n", "\n-60.0 -40.0\n");
  swapAll("\n20.0 80.0\n", "\n-40.0 20.0\n");
  const CrvRun run = runCurveFile(in);
  EXPECT_EQ(run.status, 0);
  const CrvFile f = test::readCurveFile(run.crv, false);
  ASSERT_TRUE(f.whole);
  ASSERT_EQ(f.piles.size(), 4u);
  for (const auto& pl : f.piles) {
    EXPECT_NEAR(pl.py[10].x, -120.0, 5e-5);
    EXPECT_EQ(pl.py[10].flag, 1);
    EXPECT_EQ(pl.py[10].count, 33);
    EXPECT_EQ(pl.ax[10].flag, 1);
    // The tip carries the lower half of the last step.
    ASSERT_EQ(pl.py[10].f.size(), 33u);
    EXPECT_GT(pl.py[10].f[32], 0.0);
    EXPECT_LT(pl.py[10].f[32], pl.py[9].f[32]);
  }
}

// ---------------------------------------------------------------------------

// The space fixture with its soil ending at 45 ft, a second property 40 ft
// long for piles 2 to 4 and the generated head curves on pile 2: pile 1 (50
// ft) has steps below the profile, so its axial curves fail part way. Pile 1
// takes its own p-y curves by depth, which keep it from the check of the
// pile tips against the profile.
std::string shortSoilInput(int unf) {
  std::string in = withCurveFile("space_min.inp", SPACE_CONTROLS, unf, 10);
  swapFirst(in, "1 3 0 0 0 0 0 1", "1 3 0 0 1 0 0 1");
  swapFirst(in, "GENERATED LOAD-SETTLEMENT CURVES\n",
            "USER P-Y CURVES\n1\n1 2\n0.0\n2\n0.0 0.0\n100.0 1.0\n50.0\n2\n0.0 0.0\n100.0 1.0\n"
            "GENERATED LOAD-SETTLEMENT CURVES\n");
  auto swap = [&](const std::string& a, const std::string& b) { swapFirst(in, a, b); };
  swap("20.0 80.0\n", "20.0 45.0\n");
  swap("PILE PROPERTIES\n1\n1 1\n50 50.0 1\n0.0 50.0 1\n",
       "PILE PROPERTIES\n2\n1 1\n50 50.0 1\n0.0 50.0 1\n2 1\n40 40.0 1\n0.0 40.0 1\n");
  for (int k = 0; k < 3; ++k) {
    const std::size_t at = in.find("2 2 1 0 0 0 0 0 1 1", in.find("2 2 1 0 0 0 0 0 1 1") + 1 + k);
    in.replace(at, 19, "2 2 2 0 0 0 0 0 1 1");
  }
  swap("2 2 1 0 0 0 0 0 1 1", "2 2 1 1 0 0 0 0 1 1");
  swap("GENERATED LOAD-SETTLEMENT CURVES\n1\n1\n", "GENERATED LOAD-SETTLEMENT CURVES\n1\n2\n");
  swap("GENERATED TORQUE-ROTATION CURVES\n1\n1\n", "GENERATED TORQUE-ROTATION CURVES\n1\n2\n");
  return in;
}

class FailingPile : public ::testing::TestWithParam<int> {};

TEST_P(FailingPile, IsLeftOutWholeAndNamedInTheLog) {
  test::ScratchDir dir;
  const int unf = GetParam();
  const CrvRun run = runCurveFile(shortSoilInput(unf));
  EXPECT_EQ(run.status, 25);  // unit side friction beyond its profile
  const CrvFile f = test::readCurveFile(run.crv, unf != 0);
  ASSERT_TRUE(f.whole) << "a pile's records are whole or absent";
  EXPECT_EQ(f.npile, 4);
  ASSERT_EQ(f.piles.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f.piles[i].p, i + 2);
    EXPECT_DOUBLE_EQ(f.piles[i].len, 480.0);
    EXPECT_EQ(f.piles[i].tr.size(), 11u);
  }
  const std::string msg = "     CURVES OF PILE     1 NOT WRITTEN TO THE PER-PILE CURVE FILE (STATUS  25)";
  EXPECT_NE(std::find(run.log.begin(), run.log.end(), msg), run.log.end());
  for (int p = 2; p <= 4; ++p)
    for (const std::string& l : run.log) EXPECT_EQ(l.find("CURVES OF PILE     " + std::to_string(p)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Forms, FailingPile, ::testing::Values(0, 1));

// A clay tip without strength: the axial block stops at the tip check with
// status 33, the torsional block on its own with 35, each with its warning.
TEST(CurveFile, TipWithoutStrengthStopsTheBlocks) {
  test::ScratchDir dir;
  std::string in = withCurveFile("space_min.inp", SPACE_CONTROLS, 0, 10);
  auto swap = [&](const std::string& a, const std::string& b) { swapFirst(in, a, b); };
  swap("2 4\n20.0 80.0\n", "2 1\n20.0 80.0\n");
  swap("GENERATED LOAD-SETTLEMENT CURVES\n1\n1\n", "GENERATED LOAD-SETTLEMENT CURVES\n0\n");
  swap("GENERATED TORQUE-ROTATION CURVES\n1\n1\n", "GENERATED TORQUE-ROTATION CURVES\n0\n");
  const CrvRun run = runCurveFile(in);
  EXPECT_EQ(run.status, 33);
  const CrvFile f = test::readCurveFile(run.crv, false);
  EXPECT_TRUE(f.whole);
  EXPECT_TRUE(f.piles.empty());
  auto has = [](const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  };
  EXPECT_TRUE(has(run.log, "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, LS CURVE"));
  EXPECT_TRUE(has(run.log, "     CURVES OF PILE     4 NOT WRITTEN TO THE PER-PILE CURVE FILE (STATUS  33)"));

  io::OPEN(U_LOG, "tr.log", io::Access::Write);
  CrvRecords out;
  out.begin(0);
  std::int32_t st = 0;
  TRPLT(1, st, out);
  io::CLOSEALL();
  EXPECT_EQ(st, 35);
  EXPECT_TRUE(has(test::readLines("tr.log"), "     THE VALUE OF COHESION AT TIP OF PILE IS EQUAL TO ZERO, TR CURVE"));
}

TEST(CurveFile, StepCountBelowOneIsRefusedAtInput) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(withCurveFile("space_min.inp", SPACE_CONTROLS, 0, 0));
  std::int32_t ISTAT = 0;
  test::runToConvin(ISTAT);
  io::CLOSEALL();
  EXPECT_EQ(ISTAT, STAT_CAPACITY);
  bool named = false;
  for (const std::string& l : test::readLines("run.log"))
    named = named || l.find("number of steps of the curve file: 0") != std::string::npos;
  EXPECT_TRUE(named);
}

// After the first pile the record buffer has its size: a further pile of the
// same kind is written without touching the heap.
TEST(CurveFile, FurtherPilesAllocateNothing) {
  test::ScratchDir dir;
  for (int unf : {0, 1}) {
    test::writeNamesFile();
    test::writeInputFile(withCurveFile("space_min.inp", SPACE_CONTROLS, unf, 20));
    std::int32_t ISTAT = 0;
    test::runToConvin(ISTAT);
    PREPRO(ISTAT);
    ASSERT_EQ(ISTAT, 0);
    CRVHDR();
    CRVCTL.PYCOLL = 1;
    CURCTL.KPYLST = 1;
    ASSERT_TRUE(CRVPILE(1, ISTAT));
    const long before = test::allocationCount();
    for (std::int32_t p = 2; p <= 4; ++p) ASSERT_TRUE(CRVPILE(p, ISTAT));
    EXPECT_EQ(test::allocationCount() - before, 0) << "form " << unf;
    io::CLOSEALL();
  }
}

}  // namespace
}  // namespace drelm
