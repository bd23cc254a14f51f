// The summed linear pile-head stiffnesses of a group in linear soil, carried
// to the cap origin, against the secant stiffness of an ordinary pass.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "capstiff/captstf.h"
#include "model/fileio.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/passres.h"
#include "support/testdir.h"

namespace drelm {
namespace {

// The minimal space group with its soil replaced by an elastic subgrade
// down to well below the depth of lateral action, over sand that carries
// the axial load.
std::string linearGroup(const std::string& loads) {
  std::string s = test::readFile(test::dataFile("space_min.inp"));
  const std::size_t a = s.find("SOIL LAYERS"), b = s.find("GENERATED LOAD-SETTLEMENT");
  s.replace(a, b - a,
            "SOIL LAYERS\n2\n1 12\n0.0 30.0\n2 10\n"
            "60.0 0.0 0.0 200.0 0.0 0.0 0.0 0.0 0.0 0.0\n"
            "60.0 0.0 0.0 200.0 0.0 0.0 0.0 0.0 0.0 0.0\n"
            "2 4\n30.0 80.0\n2 10\n"
            "60.0 0.0 34.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0\n"
            "60.0 0.0 36.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0\n");
  const std::string oldLoads = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
  s.replace(s.find(oldLoads), oldLoads.size(), loads);
  return s;
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  double x;
  while (in >> x) v.push_back(x);
  return v;
}

// The cap load and displacement at the origin, full precision, from the
// second results report.
void originOf(std::vector<double>& P, std::vector<double>& U) {
  const auto rep = test::readLines("run.rp2");
  for (std::size_t i = 0; i + 1 < rep.size(); ++i) {
    if (rep[i].find("* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *") != std::string::npos) P = numbers(rep[i + 1]);
    if (rep[i].find("* DISPLACEMENT OF PILE CAP AT ORIGIN *") != std::string::npos) U = numbers(rep[i + 1]);
  }
}

TEST(CapStiffnessGroup, SummedHeadStiffnessesMatchTheSecantStiffnessOfAPass) {
  for (const char* loads : {"100000.0 20000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0",
                            "100000.0 0.0 30000.0 0.0 0.0 0.0 0.0 0.0 0.0"}) {
    test::ScratchDir dir;
    test::writeNamesFile();
    test::writeInputFile(linearGroup(loads));
    ASSERT_EQ(IDRELM(6), 0) << loads;
    std::vector<double> P, U;
    originOf(P, U);
    ASSERT_EQ(P.size(), 6u);
    ASSERT_EQ(U.size(), 6u);
    // The piles evaluated once more at the converged cap displacement with
    // their equivalent stiffnesses kept, written to a pass file as an
    // estimation pass writes them, and read back.
    ASSERT_TRUE(test::passStiffnessAt(U.data()));
    double K[36];
    std::int32_t istat = 0;
    CAPKSUM(istat, 0, K);
    double fmax = 0, mmax = 0;
    for (int i = 0; i < 3; ++i) fmax = std::max(fmax, std::fabs(P[i]));
    for (int i = 3; i < 6; ++i) mmax = std::max(mmax, std::fabs(P[i]));
    for (int i = 0; i < 6; ++i) {
      double ku = 0;
      for (int j = 0; j < 6; ++j) ku += K[i + 6 * j] * U[j];
      // Forces against the largest force, moments against the largest moment
      // (or the largest force over one unit of length when none is applied).
      const double scale = i < 3 ? fmax : std::max(mmax, fmax * 10.0);
      EXPECT_NEAR(ku, P[i], 0.01 * scale) << loads << " component " << i + 1;
    }
  }
}

}  // namespace
}  // namespace drelm
