// Whole runs on the forms of the reports: the exponent fields of the
// warnings and fatal messages, the unit of the summary's depth column, the
// generated curves of a pile in either unit system and the torsion warnings of
// piles that did not fail. Each run is made on one and on eight threads and
// gives the same reports on both.
#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::readLines;
using test::wholerun::fixture;
using test::wholerun::replaced;
using test::wholerun::runInput;
using test::wholerun::untimed;
using Lines = std::vector<std::string>;

const char* const REPORTS[] = {"run.echo", "run.out", "run.sum", "run.log", "run.wrn", "run.sta", "run.rp2"};

// Runs TEXT on eight threads, then on one, expects the same reports of both
// and returns the run's status; the reports of the one-thread run stay.
std::int32_t runOnOneAndEight(const std::string& text) {
  const int threads = omp_get_max_threads();
  omp_set_num_threads(8);
  const std::int32_t st8 = runInput(text);
  std::vector<Lines> eight;
  for (const char* r : REPORTS) eight.push_back(untimed(r));
  omp_set_num_threads(1);
  const std::int32_t st1 = runInput(text);
  omp_set_num_threads(threads);
  EXPECT_EQ(st1, st8);
  for (std::size_t i = 0; i < std::size(REPORTS); ++i) EXPECT_EQ(untimed(REPORTS[i]), eight[i]) << REPORTS[i];
  return st1;
}

// The lines of FILE that contain TEXT.
Lines containing(const std::string& file, const std::string& text) {
  Lines out;
  for (const std::string& l : readLines(file))
    if (l.find(text) != std::string::npos) out.push_back(l);
  return out;
}

// The line after each line of FILE that contains TEXT.
Lines after(const std::string& file, const std::string& text) {
  const Lines all = readLines(file);
  Lines out;
  for (std::size_t i = 0; i + 1 < all.size(); ++i)
    if (all[i].find(text) != std::string::npos) out.push_back(all[i + 1]);
  return out;
}

// The grid of nine piles without torque curves, its cap twisted by a torque
// about the vertical axis when TWIST.
std::string grid9(bool twist) {
  const std::string in = fixture("space_grid9.inp");
  if (!twist) return in;
  return replaced(in, "1800000.000000 45000.000000 0.0 0.0 0.0 0.0 0.0 0.0 0.0",
                  "1800000.000000 45000.000000 0.0 0.0 0.0 1.0E6 0.0 0.0 0.0");
}

// E12.4 with a mantissa below 1, as the warning records write it.
const std::string E124 = " *-?0\\.\\d{4}E[-+]\\d\\d";

// Space: the twisted piles have no torque curve and fail in torsion.
TEST(ReportForms, SpaceWarningExponentsHaveAMantissaBelowOne) {
  test::ScratchDir dir;
  ASSERT_EQ(runOnOneAndEight(grid9(true)), 0);
  const std::regex torsion(" {20}ROTATION =" + E124 + " >   0\\.0000E\\+00     T\\. MOMENT=  0\\.0000E\\+00");
  for (const char* f : {"run.out", "run.log"}) {
    const Lines w = after(f, "APPARENT FAILURE IN TORSION       PILE GROUP");
    EXPECT_EQ(w.size(), 9u) << f;
    for (const std::string& l : w) EXPECT_TRUE(std::regex_match(l, torsion)) << f << ": " << l;
  }

}

// Plane: the estimation's first point overloads the rows in bearing.
TEST(ReportForms, PlaneWarningExponentsHaveAMantissaBelowOne) {
  test::ScratchDir dir;
  ASSERT_EQ(runOnOneAndEight(fixture("est_plane.inp")), 0);
  const std::regex bearing(" {20}AX\\. DISP\\.=" + E124 + " >" + E124 + "     AX\\. FORCE=" + E124);
  const Lines w = after("run.out", "APPARENT FAILURE IN BEARING");
  EXPECT_FALSE(w.empty());
  for (const std::string& l : w) EXPECT_TRUE(std::regex_match(l, bearing)) << l;

}

// Space: a pile of 50 ft in a profile of 45 ft, without head curves to
// generate, stops at its node set-up (the plane twin is a subgrade run).
TEST(ReportForms, SpaceFatalPileLengthHasAMantissaBelowOne) {
  test::ScratchDir dir;
  std::string in = fixture("space_pile1.inp");
  in = replaced(in, "0.0 100.0", "0.0 45.0");
  in = replaced(in, "2 2 1 0 0 0 0 0 1 1", "2 2 1 0 0 0 0 0 0 0");
  in = replaced(in, "GENERATED LOAD-SETTLEMENT CURVES\n1\n1", "GENERATED LOAD-SETTLEMENT CURVES\n0");
  in = replaced(in, "GENERATED TORQUE-ROTATION CURVES\n1\n1", "GENERATED TORQUE-ROTATION CURVES\n0");
  EXPECT_NE(runOnOneAndEight(in), 0);
  for (const char* f : {"run.out", "run.log"})
    EXPECT_EQ(after(f, "**** FATAL ERROR ****"), Lines{"     THE PILE LENGTH,   0.60E+03( IN), EXTENDS BELOW THE"})
        << f;
}

// The extremes along the piles give their depths in feet (metres in SI);
// the heading of the depth column says so.
TEST(ReportForms, SummaryDepthHeadingIsTheUnitOfItsRows) {
  struct Case {
    const char* input;
    const char* label;
  };
  for (const Case& c : {Case{"space_min.inp", "x(FT)"}, Case{"plane_min.inp", "x(FT)"}, Case{"plane_si.inp", "x( M)"}}) {
    SCOPED_TRACE(c.input);
    test::ScratchDir dir;
    ASSERT_EQ(runOnOneAndEight(fixture(c.input)), 0);
    int heads = 0, rows = 0;
    for (const std::string& l : readLines("run.sum")) {
      if (l.rfind("    x(", 0) == 0) {
        ++heads;
        EXPECT_EQ(l.substr(4, 5), c.label) << l;
      } else if (l.rfind("     x(", 0) == 0) {
        ++rows;
        EXPECT_EQ(l.substr(5, 5), c.label) << l;
      }
    }
    EXPECT_GT(heads, 0);
    EXPECT_GT(rows, 0);
  }
}

// A generated curve of the echo, below HEADING: (abscissa, ordinate) per point.
std::vector<std::pair<double, double>> generatedCurve(const std::string& heading) {
  const Lines echo = readLines("run.echo");
  std::vector<std::pair<double, double>> pts;
  std::size_t i = 0;
  while (i < echo.size() && echo[i].find(heading) == std::string::npos) ++i;
  while (i < echo.size() && echo[i].find("NUM OF POINTS") == std::string::npos) ++i;
  for (i += 3; i < echo.size(); ++i) {  // past the empty line and the column heading
    std::istringstream s(echo[i]);
    double x, y;
    if (!(s >> x >> y)) break;
    pts.emplace_back(x, y);
  }
  return pts;
}

// One pile in soft clay (500 psf at the ground), torsionally flexible enough
// that the twist of its elements is iterated: the same pile in SI gives the
// same generated curves, uplift and compression, the units converted.
TEST(ReportForms, GeneratedCurvesOfAnSiPileAreItsEnglishTwins) {
  test::ScratchDir dir;
  const char* const headings[] = {"TORQUE-ROTATION CURVES GENERATED INTERNALLY",
                                  "AXIAL LOAD-DISPLACEMENT CURVES GENERATED INTERNALLY"};
  ASSERT_EQ(runOnOneAndEight(fixture("space_torsion.inp")), 0);
  std::vector<std::pair<double, double>> english[2];
  for (int k = 0; k < 2; ++k) english[k] = generatedCurve(headings[k]);
  ASSERT_EQ(runOnOneAndEight(fixture("space_torsion_si.inp")), 0);
  const double kip = 4.4482216152605;  // kN
  const struct {
    double x, y;
  } factor[2] = {{1.0, kip * 0.0254}, {0.0254, kip}};  // rad, kip-in; in, kip
  for (int k = 0; k < 2; ++k) {
    SCOPED_TRACE(headings[k]);
    const auto si = generatedCurve(headings[k]);
    ASSERT_EQ(english[k].size(), 19u);
    ASSERT_EQ(si.size(), english[k].size());
    for (std::size_t i = 0; i < si.size(); ++i) {
      // Six printed digits and the single-precision constants of the units.
      const double x = english[k][i].first * factor[k].x, y = english[k][i].second * factor[k].y;
      EXPECT_NEAR(si[i].first, x, 2e-5 * std::fabs(x)) << i;
      EXPECT_NEAR(si[i].second, y, 2e-5 * std::fabs(y)) << i;
    }
    EXPECT_LT(english[k].front().first, 0.0);
    EXPECT_GT(english[k].back().first, 0.0);
  }
  EXPECT_GT(english[0].back().first, 1.0);
}

// Piles without torque curves in a symmetric grid: their twist is round-off
// of zero, and nothing failed in torsion.
TEST(ReportForms, NoTorsionWarningWhereNothingFailed) {
  test::ScratchDir dir;
  ASSERT_EQ(runOnOneAndEight(grid9(false)), 0);
  for (const char* f : {"run.out", "run.log", "run.wrn"}) {
    EXPECT_TRUE(containing(f, "TORSION").empty()) << f;
    EXPECT_TRUE(containing(f, "ROTATION =").empty()) << f;
  }
}

}  // namespace
}  // namespace drelm
