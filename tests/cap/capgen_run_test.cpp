// Whole runs of small random groups, seeded so that every run sees the same
// ones: every soil type (the user p-y curves aside: they need curve sets),
// space and plane, fixed and pinned heads, loads from 1 lb to beyond the
// piles' capacity, with moments and torsion. A case reported complete (or
// at a fraction of its load) balances that load, and a load that converges
// in one step converges when stepped too.
#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../analysis/wholerun.h"
#include "support/balance.h"

namespace drelm {
namespace {

using namespace test::wholerun;

// A fixed generator, the same on every platform (the standard distributions
// are not).
struct Seeded {
  std::uint64_t s;
  double unit() {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(s >> 11) * 0x1.0p-53;
  }
  int pick(int n) { return static_cast<int>(unit() * n) % n; }
};

std::string fmt(double x) {
  char b[32];
  std::snprintf(b, sizeof b, "%.6g", x);
  return b;
}

// One soil layer of TYPE from above the heads to below the tips: the
// properties of the layer's top and bottom rows.
std::string soilRow(int type) {
  switch (type) {
    case 1: return "50.0 500.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
    case 2: return "60.0 1500.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
    case 3: return "62.0 2000.0 0.0 0.0 0.0 0.005 0.0 0.0 0.0 0.0";
    case 4: return "60.0 0.0 33.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
    case 6: return "121.0 2916.0 0.0 0.0 0.0 0.0 0.0 3000.0 56000.0 0.0";
    case 7: return "55.0 200.0 30.0 100.0 0.0 0.01 0.0 0.0 0.0 0.0";
    case 8: return "62.0 0.0 35.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0";
    case 9: return "60.0 1000.0 0.0 0.0 10000.0 0.0005 50.0 0.0 0.0 0.0";
    case 10: return "63.0 2400.0 0.0 1000.0 0.0 0.005 0.0 0.0 0.0 0.0";
    case 11: return "50.0 0.0 0.0 0.0 0.0 0.0 0.0 500.0 20000.0 0.0";
    case 12: return "60.0 0.0 0.0 50.0 0.0 0.0 0.0 1000.0 40000.0 0.0";
    case 13: return "52.0 500.0 0.0 0.0 0.0 0.015 0.5 0.0 0.0 0.0";
    default: return "55.0 600.0 0.0 100.0 0.0 0.01 0.5 0.0 0.0 0.0";
  }
}

struct Generated {
  std::string input, what;
};

// A group of 16 in pipes, 50 ft long, heads 2 ft below the ground, on a
// grid at 4 ft: space 1 to 3 by 1 to 2 piles, plane 1 to 3 rows of 1 to 3.
Generated generate(Seeded& g, int type, bool space, double firstStep) {
  const int ny = 1 + g.pick(3), nz = space ? 1 + g.pick(2) : 1, inRow = space ? 1 : 1 + g.pick(3);
  // Pinned heads only where the group resists the cap's rotations by the
  // piles' axial forces, in space both ways: no mechanism.
  const bool spread = space ? ny > 1 && nz > 1 : ny > 1;
  const int conn = spread ? 1 + g.pick(2) : 2;
  const int piles = ny * nz * inRow;
  // V per pile from 1 lb up to 200 kips; a lateral load of a pound or a
  // tenth of V; a moment of the lateral load 5 ft up; a torque.
  const double V = piles * std::pow(10.0, 5.3 * g.unit());
  const double H = g.pick(2) == 0 ? 1.0 : 0.1 * V;
  const double M = g.pick(2) == 0 ? 0.0 : 60.0 * H;
  const double T = space && g.pick(2) == 0 ? 0.2 * V * 24.0 : 0.0;
  Generated out;
  out.what = std::string(space ? "space" : "plane") + ", soil " + std::to_string(type) + ", " +
             std::to_string(piles) + " piles, conn " + std::to_string(conn) + ", V " + fmt(V) + ", H " + fmt(H) +
             ", M " + fmt(M) + ", T " + fmt(T) + ", step " + fmt(firstStep);
  std::string& s = out.input;
  const auto line = [&s](const std::string& t) { s += t + "\n"; };
  line("GENERATED GROUP");
  line(out.what);
  line("CONTROLS");
  line(std::string("1 ") + (space ? "3" : "2") + " 0 0 0 0 0 0 0 0 0 0 0 0 1 0 " + (space ? "1" : "0") +
       " 0 0 0 0");
  line("PILE CAP");
  line("12.0 12.0 4.0 0.0 0.0 0");
  line("LOAD CASES");
  line("1 0 0 1 0");
  line("0 0 0 1 0 100 100");
  line("0.0001 0.00001 " + fmt(firstStep) + " 0.01");
  line("generated");
  line("0 0 0 0 0 0 0 0");
  line("2 1 1.0 0 0.0 0.0 0 0 0");
  line("0");
  line("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1");
  line("1");
  line(fmt(V) + " " + fmt(H) + " " + fmt(M) + " 0.0 0.0 " + fmt(T) + " 0.0 0.0 0.0");
  line("0");
  line("0");
  line("LOAD COMBINATIONS");
  line("0 0 0 1 0");
  line("DISTRIBUTED LOADS");
  line("0");
  line("PILE GROUPS");
  line(std::to_string(ny * nz));
  for (int j = 0; j < ny; ++j)
    for (int k = 0; k < nz; ++k) {
      const double y = 4.0 * (j - 0.5 * (ny - 1)), z = 4.0 * (k - 0.5 * (nz - 1));
      if (space) {
        line(std::to_string(conn) + " " + std::to_string(conn) + " 1 0 0 0 0 0 1 1");
        line("0.0 0.0 1.0 1.0 1.0 1.0 1.0");
        line("0.0 " + fmt(y) + " " + fmt(z) + " 0.0 90.0 0.0 -2.0");
      } else {
        line(std::to_string(conn) + " " + std::to_string(inRow) + " 1 0 0 0 1");
        line("0.0 4.0 1.0 1.0 1.0");
        line("0.0 " + fmt(y) + " 0.0 -2.0");
      }
    }
  line("PILE PROPERTIES");
  line("1");
  line("1 1");
  line("25 50.0 1");
  line("0.0 50.0 1");
  line("CROSS SECTIONS");
  line("1");
  line("1 1 1 0");
  line("PIPE16");
  line("16.0 15.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("11.5E6 24.35 731.9 731.9 0.0 1.683E10 6.008E6 3.652E5 29.0E6 0.0 0");
  line("0 0 0.5 0 0");
  line("'STEEL PIPE'");
  line("SOIL LAYERS");
  line("1");
  line("1 " + std::to_string(type));
  line("-2.0 80.0");
  line("2 10");
  line(soilRow(type));
  line(soilRow(type));
  line("GENERATED LOAD-SETTLEMENT CURVES");
  line("1");
  line("1");
  if (space) {
    line("GENERATED TORQUE-ROTATION CURVES");
    line("1");
    line("1");
  }
  line("MOMENT-CURVATURE OF CROSS SECTIONS");
  line("1");
  line("1 0");
  if (space) line("1 0");
  return out;
}

std::string status(const Generated& c) {
  EXPECT_EQ(runInput(c.input), 0) << c.what;
  return test::readLines("run.sta").back();
}

bool stopped(const std::string& s) { return s.rfind("    2 ", 0) == 0 || s.rfind("    3 ", 0) == 0; }

TEST(CapGenerated, CompletedCasesBalanceAndSteppingFindsWhatOneStepFinds) {
  const int types[] = {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  // Small groups run fastest on one thread (the reports are the same on any).
  const int threads = omp_get_max_threads();
  omp_set_num_threads(1);
  Seeded g{20261211};
  for (int round = 0; round < 2; ++round)
    for (int type : types)
      for (bool space : {true, false}) {
        const std::uint64_t seed = g.s;
        const Generated stepped = generate(g, type, space, 0.25);
        SCOPED_TRACE(stepped.what);
        test::ScratchDir dir;
        const std::string st = status(stepped);
        if (st.rfind("    1 ", 0) == 0 || st.rfind("    2 ", 0) == 0) {
          EXPECT_TRUE(test::balanced(test::readLines("run.rp2"))) << st;
        }
        if (!stopped(st)) continue;
        // The same group and load in one step.
        Seeded again{seed};
        const Generated once = generate(again, type, space, 1.0);
        EXPECT_TRUE(stopped(status(once))) << "stepped: " << st;
      }
  omp_set_num_threads(threads);
}

}  // namespace
}  // namespace drelm
