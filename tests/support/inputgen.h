// A generated space model of any size: a square-ish grid of vertical steel
// pipe piles in soft clay over sand, with load cases and load combinations.
// Used for capacity tests and for timing the input stage.
#pragma once

#include <string>

namespace drelm::test {

inline std::string generatedSpaceInput(int piles, int cases, int combos) {
  std::string s;
  auto line = [&s](const std::string& t) {
    s += t;
    s += '\n';
  };
  const std::string sel = "25*1";
  line("GENERATED SPACE MODEL: " + std::to_string(piles) + " PILES");
  line(std::to_string(cases) + " LOAD CASES, " + std::to_string(combos) + " COMBINATIONS");
  line("CONTROLS");
  line("1 3 0 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0");
  line("PILE CAP");
  line("300.0 300.0 5.0 0.0 0.0 0");
  line("LOAD CASES");
  line(std::to_string(cases) + " 1 1 5 0");
  line(sel);
  for (int c = 1; c <= cases; ++c) {
    line("0 0 0 1 0 100 100");
    line("0.0001 0.00001 0.25 0.01");
    line("Generated load case " + std::to_string(c));
    line(std::to_string(c % 12) + " 0 0 0 0 0 0 0");
    line("1 1 1.0 0 0.0 0.0 0 0 0");
    line("0");
    line(sel);
    line("3");
    line(std::to_string(1000.0 * piles + c) + " 5000.0 0.0 2000.0 0.0 0.0 0.0 0.0 0.0");
    line("0.0 " + std::to_string(100.0 * c) + " 0.0 0.0 0.0 0.0 -10.0 0.0 0.0");
    line("0.0 0.0 0.0 " + std::to_string(50.0 * c) + " 0.0 0.0 -10.0 5.0 5.0");
    line("1");
    line("0 1 1 " + std::to_string(piles) + " 1 1 1.0 1 0.5");
    line("0");
  }
  line("LOAD COMBINATIONS");
  line(std::to_string(combos) + " 1 1 5 0");
  line(sel);
  for (int b = 1; b <= combos; ++b) {
    line("0 0 0 1 0 100 100");
    line("0.0001 0.00001 0.25 0.01");
    line("Generated combination " + std::to_string(b));
    line("0.9 0.75 5");
    line("1 1 0 0.0 0.0 0 0 0");
    line("0");
    line(sel);
    const int terms = cases < 5 ? cases : 5;
    line(std::to_string(terms));
    for (int t = 0; t < terms; ++t)
      line(std::to_string((b + t - 1) % cases + 1) + " " + std::to_string(1.0 + 0.1 * t));
  }
  line("DISTRIBUTED LOADS");
  line("1");
  line("3");
  line("0.0 0.0");
  line("10.0 20.0");
  line("20.0 0.0");
  line("PILE GROUPS");
  line(std::to_string(piles));
  int side = 1;
  while (side * side < piles) ++side;
  for (int p = 0; p < piles; ++p) {
    const double y = 6.0 * (p % side), z = 6.0 * (p / side);
    line("2 2 1 0 0 0 0 0 1 1");
    line("0.0 0.0 1.0 1.0 1.0 1.0 1.0");
    line("0.0 " + std::to_string(y) + " " + std::to_string(z) + " 0.0 90.0 0.0 0.0");
  }
  line("PILE PROPERTIES");
  line("1");
  line("1 1");
  line("60 60.0 1");
  line("0.0 60.0 1");
  line("CROSS SECTIONS");
  line("1");
  line("1 1 1 0");
  line("PIPE24");
  line("24.0 23.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("11.5E6 36.91 2549.0 2549.0 0.0 5.864E10 1.381E7 5.537E5 29.0E6 0.0 0");
  line("0 0 0.5 0 0");
  line("'STEEL PIPE'");
  line("SOIL LAYERS");
  line("2");
  line("1 1");
  line("0.0 25.0");
  line("2 10");
  line("45.0 300.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0");
  line("50.0 900.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0");
  line("2 4");
  line("25.0 100.0");
  line("2 10");
  line("60.0 0.0 33.0 60.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("65.0 0.0 36.0 125.0 0.0 0.0 0.0 0.0 0.0 0.0");
  line("GENERATED LOAD-SETTLEMENT CURVES");
  line("1");
  line("1");
  line("GENERATED TORQUE-ROTATION CURVES");
  line("1");
  line("1");
  line("MOMENT-CURVATURE OF CROSS SECTIONS");
  line("1");
  line("1 0");
  line("1 0");
  return s;
}

}  // namespace drelm::test
