// A large space model as a new user would build one: a square grid of
// vertical steel pipe piles at three diameters, two pile properties of 100
// increments (long and short piles in a checkerboard), five soil layers,
// reduction factors for closely spaced piles computed from the spacing, and
// one generated load-settlement curve per pile. Used by the whole-run
// benchmarks and by the input generator tool.
#pragma once

#include <string>

namespace drelm::bench {

// Piles per side of the grid: the smallest square that holds `piles`.
inline int gridSide(int piles) {
  int side = 1;
  while (side * side < piles) ++side;
  return side;
}

inline std::string spaceGridInput(int piles) {
  std::string s;
  auto line = [&s](const std::string& t) {
    s += t;
    s += '\n';
  };
  const int side = gridSide(piles);
  const double spacing = 6.0;  // ft: three diameters of a 24 in pipe
  const double half = 0.5 * spacing * (side - 1);
  const std::string sel = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

  line("GRID OF " + std::to_string(piles) + " STEEL PIPE PILES, 24 IN, AT 3 DIAMETERS");
  line("TWO PILE LENGTHS, FIVE SOIL LAYERS, GENERATED LOAD-SETTLEMENT CURVES");
  line("CONTROLS");
  line("1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0");
  line("PILE CAP");
  const double cap = spacing * side + 4.0;
  line(std::to_string(cap) + " " + std::to_string(cap) + " 5.0 0.0 0.0 0");
  line("LOAD CASES");
  line("1 0 0 1 0");
  line("0 0 0 1 0 100 100");
  line("0.0001 0.00001 0.25 0.01");
  line("Dead plus live load with wind along Y");
  line("1 0 0 0 0 0 0 0");
  line("1 1 1.0 0 0.0 0.0 0 0 0");
  line("0");
  line(sel);
  line("1");
  line(std::to_string(200000.0 * piles) + " " + std::to_string(5000.0 * piles) +
       " 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("0");
  line("0");
  line("LOAD COMBINATIONS");
  line("0 0 0 1 0");
  line("DISTRIBUTED LOADS");
  line("0");

  line("PILE GROUPS");
  line(std::to_string(piles));
  for (int p = 0; p < piles; ++p) {
    const int row = p / side, col = p % side;
    const int prop = (row + col) % 2 + 1;
    const double y = spacing * col - half, z = spacing * row - half;
    line("2 2 " + std::to_string(prop) + " 0 0 0 0 0 " + std::to_string(p + 1) + " 0");
    line("0.0 0.0 1.0 1.0 1.0 1.0 1.0");
    line("0.0 " + std::to_string(y) + " " + std::to_string(z) + " 0.0 90.0 0.0 0.0");
  }

  line("PILE PROPERTIES");
  line("2");
  line("1 1");
  line("100 80.0 1");
  line("0.0 80.0 1");
  line("2 1");
  line("100 60.0 1");
  line("0.0 60.0 1");

  line("CROSS SECTIONS");
  line("1");
  line("1 1 1 0");
  line("PIPE24");
  line("24.0 23.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("11.5E6 36.91 2549.0 2549.0 0.0 5.864E10 1.381E7 5.537E5 29.0E6 0.0 0");
  line("0 0 0.5 0 0");
  line("'STEEL PIPE, FY 50 KSI'");

  line("SOIL LAYERS");
  line("5");
  // Soft clay, stiff clay, sand, stiff clay and sand to below the tips.
  line("1 1");
  line("0.0 15.0");
  line("2 10");
  line("45.0 300.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0");
  line("50.0 600.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0");
  line("2 3");
  line("15.0 30.0");
  line("2 10");
  line("60.0 2000.0 0.0 500.0 0.0 0.005 0.0 1200.0 0.0 0.0");
  line("60.0 2500.0 0.0 500.0 0.0 0.005 0.0 1500.0 0.0 0.0");
  line("3 4");
  line("30.0 50.0");
  line("2 10");
  line("60.0 0.0 33.0 60.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("62.0 0.0 35.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("4 3");
  line("50.0 70.0");
  line("2 10");
  line("62.0 3000.0 0.0 1000.0 0.0 0.004 0.0 1800.0 0.0 0.0");
  line("62.0 3500.0 0.0 1000.0 0.0 0.004 0.0 2000.0 0.0 0.0");
  line("5 4");
  line("70.0 120.0");
  line("2 10");
  line("65.0 0.0 36.0 125.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("65.0 0.0 38.0 125.0 0.0 0.0 0.0 0.0 0.0 0.0");

  line("GENERATED LOAD-SETTLEMENT CURVES");
  line(std::to_string(piles));
  for (int p = 1; p <= piles; ++p) line(std::to_string(p));
  line("GENERATED TORQUE-ROTATION CURVES");
  line("0");
  line("MOMENT-CURVATURE OF CROSS SECTIONS");
  line("1");
  line("1 0");
  line("1 0");
  return s;
}

}  // namespace drelm::bench
