// Whole runs of one pile of user bending stiffness (a type-10 section whose
// ninth line names a bilinear user moment-curvature set: EI up to the yield
// moment My = 424,502 lb-in, 7 % of it beyond) in elastic subgrade, against
// the same section with no set (its elastic EI), in space and in plane.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::capDisplacements;
using test::wholerun::fixture;
using test::wholerun::replaced;
using test::wholerun::runInput;

constexpr double MY = 424502.0;

struct Result {
  double sway = 0.0, moment = 0.0;  // cap sway, largest moment along the pile
  std::vector<double> y;            // deflection along the pile
};

Result run(const std::string& name, const char* sets, const char* load) {
  std::string s = fixture(name);
  s = replaced(s, "1 1 0 0 0 0 0 0 0.0 0.0 0.0", std::string(sets) + " 0 0 0 0 0 0 0.0 0.0 0.0");
  s = replaced(s, "0.0 20000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0", std::string("0.0 ") + load + " 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
  Result r;
  if (runInput(s) != 0) {
    ADD_FAILURE() << "run failed";
    return r;
  }
  r.sway = capDisplacements().at(0).at(1);
  long at = 0;
  for (const auto& row : test::wholerun::alongPile(test::readLines("run.rp2"), 0, at)) {
    r.y.push_back(row.at(2));
    r.moment = std::fmax(r.moment, std::fabs(row.at(9)));
  }
  return r;
}

TEST(UserBendingStiffnessRun, ASetPastItsYieldMomentSoftensThePileAndBelowItChangesNothing) {
  for (const char* name : {"space_mcuser.inp", "plane_mcuser.inp"}) {
    SCOPED_TRACE(name);
    test::ScratchDir dir;
    // Below the yield moment the set's first branch is the section's EI.
    const Result low = run(name, "1 1", "10000.0"), lowElastic = run(name, "0 0", "10000.0");
    ASSERT_EQ(low.y.size(), 101u);
    ASSERT_EQ(lowElastic.y.size(), low.y.size());
    EXPECT_LT(low.moment, MY);
    EXPECT_NEAR(low.sway, lowElastic.sway, 1e-7 * lowElastic.sway);
    for (std::size_t k = 0; k < low.y.size(); ++k) EXPECT_NEAR(low.y[k], lowElastic.y[k], 1e-7 * lowElastic.sway);
    // Twice the load: the elastic pile bends past My and takes twice the
    // sway; the set's pile yields and sways further, with a largest moment
    // between My and the end of the set.
    const Result high = run(name, "1 1", "20000.0"), highElastic = run(name, "0 0", "20000.0");
    EXPECT_GT(highElastic.moment, MY);
    EXPECT_NEAR(highElastic.sway, 2.0 * lowElastic.sway, 1e-6 * highElastic.sway);
    EXPECT_GT(high.sway, 1.1 * highElastic.sway);
    EXPECT_GT(high.moment, MY);
    EXPECT_LT(high.moment, highElastic.moment);
  }
}

}  // namespace
}  // namespace drelm
