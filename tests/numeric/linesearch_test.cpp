// The line search along a Newton direction: the fraction of the step at
// which the residual along it vanishes.
#include "numeric/linesearch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace drelm {
namespace {

// A response like that of a pile in soft clay near rest, F ~ sign(u) |u|^(1/2)
// about a root at a fraction R of the step: plain Newton, with the tangent at
// the start, lands as far beyond the root as it started short of it.
TEST(LineSearch, FindsTheRootOfTheResidualAlongTheStep) {
  const struct {
    const char* what;
    double root;
    double (*shape)(double);  // g = shape(root - t), shape(x) > 0 for x > 0
  } cases[] = {
      {"linear, the step four times too long", 0.25, [](double x) { return x; }},
      {"square root, plain Newton swings", 0.5, [](double x) { return std::copysign(std::sqrt(std::fabs(x)), x); }},
      {"cube root near the start", 0.05, [](double x) { return std::cbrt(x); }},
      {"stiffening", 0.7, [](double x) { return x * x * x + 0.01 * x; }},
  };
  for (const auto& c : cases) {
    int evals = 0;
    const LineResidual g = [&](double t, double& v) {
      ++evals;
      v = c.shape(c.root - t);
      return true;
    };
    const double g0 = c.shape(c.root);
    const double t = lineSearch(g0, g, 30, 1.0e-3);
    EXPECT_LE(std::fabs(c.shape(c.root - t)), 1.0e-3 * g0) << c.what;
    EXPECT_LE(evals, 30) << c.what;
  }
}

TEST(LineSearch, TakesTheFullStepWhenItStopsShortOrMeetsTheRoot) {
  for (double root : {1.0, 1.5, 10.0}) {
    int evals = 0;
    const LineResidual g = [&](double t, double& v) {
      ++evals;
      v = root - t;
      return true;
    };
    EXPECT_EQ(lineSearch(root, g, 12, 0.05), 1.0) << root;
    EXPECT_EQ(evals, 1) << root;
  }
}

// A trial that cannot be evaluated (a pile failed there) counts as beyond
// the root: the search bisects back towards the start.
TEST(LineSearch, BacksOffFromTrialsThatFail) {
  const LineResidual g = [](double t, double& v) {
    if (t > 0.6) return false;
    v = 1.0 - 4.0 * t;
    return true;
  };
  const double t = lineSearch(1.0, g, 20, 1.0e-6);
  EXPECT_NEAR(t, 0.25, 1.0e-6);

  const LineResidual none = [](double, double&) { return false; };
  EXPECT_EQ(lineSearch(1.0, none, 12, 0.05), 0.0);
}

// Out of evaluations, the trial of the smallest residual, if one beat the
// start; else none (0): the step is better not taken.
TEST(LineSearch, ReturnsTheBestTrialWhenTheEvaluationsRunOut) {
  const LineResidual g = [](double t, double& v) {
    v = std::cbrt(0.3 - t);
    return true;
  };
  // g(1) = -0.89 is worse than g(0) = 0.67; regula falsi then tries 0.43.
  const double t = lineSearch(std::cbrt(0.3), g, 2, 1.0e-12);
  EXPECT_GT(t, 0.4);
  EXPECT_LT(t, 0.45);

  const LineResidual steep = [](double t, double& v) {
    v = std::cbrt(1.0e-6 - t);
    return true;
  };
  EXPECT_EQ(lineSearch(std::cbrt(1.0e-6), steep, 3, 1.0e-12), 0.0);
}

}  // namespace
}  // namespace drelm
