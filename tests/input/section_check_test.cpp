// Whole runs of section values the analysis cannot take: a negative size or
// stiffness of a cross section, a section row whose bottom lies above its
// top, and a set number of a section of user bending stiffness that names
// no user moment-curvature set are refused with status 43 and the input
// line; zero stays a value (none, or computed from the diameter).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::find;
using test::wholerun::fixture;
using test::wholerun::runInput;

// S with the text FROM replaced by TO (a test failure when it is missing).
std::string edited(std::string s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no text " << from;
    return s;
  }
  return s.replace(at, from.size(), to);
}

// 1-based line of the first line of S that is LINE.
int lineOf(const std::string& s, const std::string& line) {
  const std::size_t at = s.find("\n" + line + "\n");
  return at == std::string::npos ? -1 : static_cast<int>(std::count(s.begin(), s.begin() + at + 1, '\n')) + 1;
}

TEST(SectionCheckRun, ImpossibleSectionValuesAreRefusedOnTheirLine) {
  const std::string elastic = "11.5E6 24.35 731.9 731.9 0.0 1.683E10 6.008E6 3.652E5 29.0E6 0.0 0";
  const std::string bottom = "11.5E6 18.06 299.2 299.2 0.0 6.881E9 3.308E6 2.710E5 29.0E6 0.0";
  const std::string nonlinear = "16.0 24.35 731.9 731.9 1.683E10 6.008E6 3.652E5 29.0E6";
  const std::string ninth = "1 1 0 0 0 0 0 0 0.0 0.0 0.0";
  const std::string userSets =
      "USER MOMENT-CURVATURE SETS\n1\n1 1\n0.0\n1 3\n0.0 0.0\n424502.0 2.0E-5\n700000.0 2.0E-4\n";
  struct Case {
    const char* what;
    const char* input;
    std::string from, to;  // the line as it stands and as the case gives it
    std::string message;   // the end of the fatal message ("" for a run that goes)
    std::string from2 = "", to2 = "";
  };
  const Case cases[] = {
      {"negative area", "space_min.inp", elastic, "11.5E6 -24.35 731.9 731.9 0.0 1.683E10 6.008E6 3.652E5 29.0E6 0.0 0",
       "section stiffness line of cross section 1: area -24.35 is negative"},
      {"negative Iy", "space_min.inp", elastic, "11.5E6 24.35 731.9 -731.9 0.0 1.683E10 6.008E6 3.652E5 29.0E6 0.0 0",
       "section stiffness line of cross section 1: moment of inertia Iy -731.9 is negative"},
      {"negative GJ", "space_min.inp", elastic, "11.5E6 24.35 731.9 731.9 0.0 -1.683E10 6.008E6 3.652E5 29.0E6 0.0 0",
       "section stiffness line of cross section 1: torsional rigidity GJ -1.683e+10 is negative"},
      {"negative E", "space_min.inp", elastic, "11.5E6 24.35 731.9 731.9 0.0 1.683E10 6.008E6 3.652E5 -29.0E6 0.0 0",
       "section stiffness line of cross section 1: Young's modulus E -2.9e+07 is negative"},
      {"negative diameter", "space_min.inp", "16.0 15.0 0.0 0.0 0.0 0.0 0.0 0.0",
       "-16.0 15.0 0.0 0.0 0.0 0.0 0.0 0.0", "section dimensions of cross section 1: diameter -16 is negative"},
      {"negative Iz at a tapered section's bottom", "space_rich.inp", bottom,
       "11.5E6 18.06 -299.2 299.2 0.0 6.881E9 3.308E6 2.710E5 29.0E6 0.0",
       "bottom section stiffness line of cross section 2: moment of inertia Iz -299.2 is negative"},
      {"negative Iz of a nonlinear section", "space_mcuser.inp", nonlinear,
       "16.0 24.35 -731.9 731.9 1.683E10 6.008E6 3.652E5 29.0E6",
       "nonlinear section stiffness line of cross section 1: moment of inertia Iz -731.9 is negative"},
      {"section row upside down", "space_min.inp", "0.0 50.0 1", "50.0 0.0 1",
       "section row 1 of pile property 1: its bottom 0 lies above its top 50"},
      {"set about z beyond the user sets", "space_mcuser.inp", ninth, "2 1 0 0 0 0 0 0 0.0 0.0 0.0",
       "moment-curvature set for bending about z of cross section 1: 2 names no set; the user sets are numbered 1 "
       "to 1"},
      {"negative set about y", "space_mcuser.inp", ninth, "1 -1 0 0 0 0 0 0 0.0 0.0 0.0",
       "moment-curvature set for bending about y of cross section 1: -1 names no set; the user sets are numbered 1 "
       "to 1"},
      {"set named without user sets", "space_mcuser.inp", ninth, ninth,
       "moment-curvature set for bending about z of cross section 1: 1 names no set; no user moment-curvature set "
       "is given",
       "1 3 0 0 0 0 0 0 1 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP", "1 3 0 0 0 0 0 0 0 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP"},
      // Zero moments of inertia are computed from the diameter; a zero GJ
      // and a row of no length are taken as they stand.
      {"zero moments of inertia and GJ", "space_min.inp", elastic,
       "11.5E6 24.35 0.0 0.0 0.0 0.0 6.008E6 3.652E5 29.0E6 0.0 0", ""},
      {"section row of no length", "space_min.inp", "0.0 50.0 1", "0.0 0.0 1\n0.0 50.0 1", "",
       "1 1\n50 50.0 1", "1 2\n50 50.0 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    std::string s = edited(fixture(c.input), "\n" + c.from + "\n", "\n" + c.to + "\n");
    if (!c.from2.empty()) s = edited(s, c.from2, c.to2);
    if (c.what == std::string("set named without user sets")) s = edited(s, userSets, "");
    const std::int32_t status = runInput(s);
    if (c.message.empty()) {
      EXPECT_EQ(status, 0);
      continue;
    }
    EXPECT_EQ(status, 43);
    const std::vector<std::string> log = test::readLines("run.log");
    const long at = find(log, "     INPUT DATA FILE, LINE ");
    ASSERT_GE(at, 0);
    // The line that gave the value, in the group that holds it.
    const std::string group = c.message.rfind("section row", 0) == 0 ? "PILE PROPERTIES" : "CROSS SECTIONS";
    const int line = lineOf(s, c.to.substr(0, c.to.find('\n')));
    EXPECT_EQ(log[at], "     INPUT DATA FILE, LINE " + std::to_string(line) + ", WHILE READING: " + group);
    EXPECT_EQ(log[at + 1], "     " + c.message);
    EXPECT_GE(find(test::readLines("run.out"), "     " + c.message), 0);
  }
}

}  // namespace
}  // namespace drelm
