// Whole runs of the same groups in English and in SI units: every cap
// displacement of the SI run is the English one converted, to 1E-5. Each
// pair differed by 2E-4 to 0.27 before:
// - a node of the pile on a layer boundary, which the English input (ten
//   digits) puts 7.2E-8 in above it and the SI input on it;
// - liquefied sand, whose English curve carries the factor 5.7143 (kN/m to
//   lb/in) while SI took 1;
// - the clay default of the starting soil moduli, whose SI form divided the
//   strength by 6.895 and multiplied k by 271.5;
// - the water test of the sand default of k, 12.225 kN/m^3 in SI for the
//   English 0.045 lb/in^3 (12.215).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::readLines;
using test::wholerun::capDisplacements;
using test::wholerun::fixture;
using test::wholerun::runInput;

struct Pair {
  const char* english;
  const char* si;
  bool space;  // six components (three translations), else three (two)
};

std::vector<std::vector<double>> displacementsOf(const char* input) {
  EXPECT_EQ(runInput(fixture(input)), 0) << input;
  const auto status = readLines("run.sta");
  EXPECT_TRUE(!status.empty() && status.back() == "    1 ANALYSIS COMPLETED") << input;
  return capDisplacements();
}

TEST(UnitPairRun, CapDisplacementsAreTheSameInBothSystems) {
  const Pair pairs[] = {
      {"units_softclay_en.inp", "units_softclay_si.inp", true},
      {"units_liquefied_en.inp", "units_liquefied_si.inp", false},
      {"units_kdefault_en.inp", "units_kdefault_si.inp", true},
      {"units_watertest_en.inp", "units_watertest_si.inp", true},
  };
  for (const Pair& p : pairs) {
    SCOPED_TRACE(p.english);
    test::ScratchDir dir;
    const auto en = displacementsOf(p.english);
    const auto si = displacementsOf(p.si);
    ASSERT_EQ(en.size(), 1u);
    ASSERT_EQ(si.size(), en.size());
    const std::size_t n = p.space ? 6 : 3, translations = p.space ? 3 : 2;
    for (std::size_t c = 0; c < en.size(); ++c) {
      ASSERT_EQ(en[c].size(), n);
      ASSERT_EQ(si[c].size(), n);
      for (std::size_t k = 0; k < n; ++k) {
        const double expected = en[c][k] * (k < translations ? 0.0254 : 1.0);  // in to m; rad
        EXPECT_NEAR(si[c][k], expected, 1e-5 * std::fabs(expected)) << "component " << k + 1;
      }
      EXPECT_GT(std::fabs(en[c][1]), 1e-3);  // a lateral movement to compare
    }
  }
}

}  // namespace
}  // namespace drelm
