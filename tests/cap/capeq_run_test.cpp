// Whole runs of the cap solutions, space and plane: a pass that stops after
// accepted load steps reports the last of them; the passive resistance of an
// embedded cap follows the cap's own movement; the reports are the same on
// one and on eight threads.
#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../analysis/wholerun.h"
#include "../input/names_fixture.h"
#include "run/rundrv.h"
#include "support/balance.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::int32_t runFixture(const char* name) {
  fs::copy_file(test::dataFile(name), "run.inp", fs::copy_options::overwrite_existing);
  test::writeNames(test::runNames());
  return IDRELM(6);
}

bool has(const Lines& lines, const std::string& text) {
  for (const std::string& l : lines)
    if (l.find(text) != std::string::npos) return true;
  return false;
}

// The numbers of the line after every line of the second report that holds
// TITLE.
std::vector<std::vector<double>> after(const Lines& rep, const std::string& title) {
  std::vector<std::vector<double>> rows;
  for (std::size_t i = 0; i + 1 < rep.size(); ++i) {
    if (rep[i].find(title) == std::string::npos) continue;
    std::istringstream in(rep[i + 1]);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);
    rows.push_back(v);
  }
  return rows;
}

// A space model has six head displacements and one pile per line, a plane
// model three and two piles per row.
struct Model {
  const char* input;
  std::size_t ndof;
  double piles;
};

// The sum over the piles of head force K (global axes) of the reported state.
double headForceSum(const Lines& rep, const Model& m, std::size_t k) {
  double s = 0.0;
  for (const auto& top : after(rep, "* PILE TOP DISP. AND REACT. GLOBAL")) {
    EXPECT_GT(top.size(), m.ndof + k);
    if (top.size() > m.ndof + k) s += m.piles * top[m.ndof + k];
  }
  return s;
}

// 400 and 300 kips on soft clay: steps up to 76.56 % of the load are
// accepted, then the cap matrix turns singular and the halving runs out.
TEST(CapRun, PassStoppedAfterAcceptedStepsReportsTheLastOfThem) {
  for (const Model& m : {Model{"space_cap_partial.inp", 6, 1.0}, Model{"plane_cap_partial.inp", 3, 2.0}}) {
    SCOPED_TRACE(m.input);
    test::ScratchDir dir;
    ASSERT_EQ(runFixture(m.input), 0);
    EXPECT_EQ(test::readLines("run.status").back(), "    2 SOLUTION AT    76.56 % OF THE TOTAL LOAD");
    const std::string why =
        "     ** WARNING **  LOAD STEPPING STOPPED AT    76.56 % OF THE TOTAL LOAD: SINGULAR STIFFNESS MATRIX";
    EXPECT_TRUE(has(test::readLines("run.log"), why));
    const Lines out = test::readLines("run.out");
    EXPECT_TRUE(has(out, why));
    EXPECT_TRUE(has(out, "RESULTS ARE FOR    76.56% OF THE TOTAL LOAD"));
    EXPECT_TRUE(has(out, "* TABLE L *"));
    EXPECT_TRUE(has(out, "* TABLE M *"));

    // Table L carries the load of the fraction, and the piles of Table M,
    // evaluated once more at the accepted displacement, carry exactly that
    // load: not that of the step that failed.
    const Lines rep = test::readLines("run.report");
    const auto load = after(rep, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
    ASSERT_EQ(load.size(), 1u);
    ASSERT_GE(load[0].size(), 2u);
    EXPECT_NEAR(load[0][0], 0.765625 * 400000.0, 1e-6);
    EXPECT_NEAR(load[0][1], 0.765625 * 300000.0, 1e-6);
    EXPECT_NEAR(headForceSum(rep, m, 0), load[0][0], 1e-6 * load[0][0]);
    EXPECT_NEAR(headForceSum(rep, m, 1), load[0][1], 1e-6 * load[0][1]);
    EXPECT_TRUE(test::balanced(rep));

    // The capacity warnings are those of the reported state too: a pile (or
    // row) is warned where its reported head displacement passes the end of
    // its load-settlement curve, at that displacement; the step that failed
    // had pushed the outer piles past the end as well and the inner ones to
    // 7.817 in.
    const auto tops = after(rep, "* PILE TOP DISP. AND REACT. GLOBAL");
    std::vector<double> warned(tops.size(), 0.0);
    int warnings = 0;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
      const std::size_t at = out[i].find("APPARENT FAILURE IN BEARING");
      if (at == std::string::npos) continue;
      ++warnings;
      const std::size_t g = std::stoul(out[i].substr(out[i].find("PILE GROUP") + 10));
      ASSERT_GE(g, 1u);
      ASSERT_LE(g, tops.size());
      const std::string& values = out[i + 1];
      ASSERT_NE(values.find("AX. DISP.="), std::string::npos) << values;
      warned[g - 1] = std::stod(values.substr(values.find("AX. DISP.=") + 10));
      EXPECT_EQ(values.substr(values.find('>') + 1, 13), "   0.2090E+01") << values;
    }
    int beyond = 0;
    for (std::size_t g = 0; g < tops.size(); ++g) {
      const double x = tops[g].at(0);
      if (x > 2.090) {
        ++beyond;
        EXPECT_NEAR(warned[g], x, 1e-4 * x) << "group " << g + 1;
      } else {
        EXPECT_EQ(warned[g], 0.0) << "group " << g + 1 << " at " << x;
      }
    }
    EXPECT_GT(beyond, 0);
    EXPECT_EQ(warnings, beyond);
  }
}

// One battered row turns the vertical load into a push against the lateral
// load: the cap moves about 1E-3 in sideways. Sand with k = 90 lb/in3 lies
// 24 in above the cap base and the cap is 48 in thick, so the pressure block
// is a triangle over e = 24 in whose base ordinate, at so small a movement,
// is on the initial line of the sand curve: H = e / 2 x k x 24 in x u.
TEST(CapRun, EmbeddedCapResistanceFollowsTheCapsMovement) {
  for (const Model& m : {Model{"space_cap_passive.inp", 6, 1.0}, Model{"plane_cap_passive.inp", 3, 2.0}}) {
    SCOPED_TRACE(m.input);
    test::ScratchDir dir;
    ASSERT_EQ(runFixture(m.input), 0);
    EXPECT_EQ(test::readLines("run.status").back(), "    1 ANALYSIS COMPLETED");
    const Lines rep = test::readLines("run.report");
    const auto U = after(rep, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
    const auto pas = after(rep, "* PASSIVE RESISTANCE IN PILE CAP *");
    const auto load = after(rep, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
    ASSERT_EQ(U.size(), 1u);
    ASSERT_EQ(pas.size(), 1u);
    ASSERT_EQ(load.size(), 1u);
    const double u = U[0][1];
    EXPECT_GT(std::fabs(u), 5e-4);
    EXPECT_LT(std::fabs(u), 2e-3);
    const double H = std::fabs(pas[0][0]);
    EXPECT_NEAR(H, 0.5 * 24.0 * 90.0 * 24.0 * std::fabs(u), 1e-4 * H);
    // The plane report signs the force with the movement it resists.
    if (m.ndof == 3) EXPECT_EQ(std::signbit(pas[0][0]), std::signbit(u));
    // The soil pushes back against the movement: the piles carry the lateral
    // load less that push.
    EXPECT_NEAR(headForceSum(rep, m, 1), load[0][1] - std::copysign(H, u), 1e-6 * load[0][1]);
  }
}

// Vertical piles under a vertical load only, the cap embedded in soft clay:
// the cap's curve, read at the cap's own (nil) sideways movement, adds
// nothing, so the run goes as it would without the cap option. Its force used
// to jump with the sign of the piles' round-off sway and the stepping stopped
// at a quarter of the load.
TEST(CapRun, EmbeddedCapUnderAVerticalLoadOnlyStaysPut) {
  test::ScratchDir dir;
  ASSERT_EQ(runFixture("space_cap_vertical.inp"), 0);
  EXPECT_EQ(test::readLines("run.status").back(), "    1 ANALYSIS COMPLETED");
  const Lines rep = test::readLines("run.report");
  const auto U = after(rep, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  const auto pas = after(rep, "* PASSIVE RESISTANCE IN PILE CAP *");
  ASSERT_EQ(U.size(), 1u);
  ASSERT_EQ(pas.size(), 1u);
  ASSERT_EQ(U[0].size(), 6u);
  EXPECT_GT(U[0][0], 0.1);
  for (std::size_t k = 1; k < 6; ++k) EXPECT_LT(std::fabs(U[0][k]), 1e-6) << k;
  // Under 400 kips the cap's soil carries less than a pound.
  EXPECT_LT(std::fabs(pas[0][0]), 1.0);
}

TEST(CapRun, ReportsAreTheSameOnOneAndOnEightThreads) {
  const char* reports[] = {"run.out", "run.sum", "run.report", "run.status", "run.log"};
  using test::wholerun::untimed;
  const int threads = omp_get_max_threads();
  for (const char* input : {"space_cap_partial.inp", "plane_cap_partial.inp", "space_cap_passive.inp",
                            "plane_cap_passive.inp"}) {
    SCOPED_TRACE(input);
    std::vector<Lines> one;
    {
      test::ScratchDir dir;
      omp_set_num_threads(1);
      ASSERT_EQ(runFixture(input), 0);
      for (const char* r : reports) one.push_back(untimed(r));
    }
    test::ScratchDir dir;
    omp_set_num_threads(8);
    ASSERT_EQ(runFixture(input), 0);
    for (std::size_t i = 0; i < std::size(reports); ++i) EXPECT_EQ(untimed(reports[i]), one[i]) << reports[i];
  }
  omp_set_num_threads(threads);
}

}  // namespace
}  // namespace drelm
