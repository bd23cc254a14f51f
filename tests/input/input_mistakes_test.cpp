// Whole runs of plausible input mistakes, each a fixture with one line
// changed: every one is refused when read, with status 43 (42 for a file
// that is no text), the line named in the fatal block of the runtime log and
// the results report, and no case analysed. Differences within round-off
// and values at their limits still run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::wholerun::find;
using test::wholerun::fixture;
using test::wholerun::runInput;

// S with its whole line FROM (the first one) replaced by TO.
std::string edited(std::string s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find("\n" + from + "\n");
  if (at == std::string::npos) {
    ADD_FAILURE() << "no line " << from;
    return s;
  }
  return s.replace(at + 1, from.size(), to);
}

// 1-based number of the first line of S that is LINE (-1: none).
int lineOf(const std::string& s, const std::string& line) {
  const std::size_t at = s.find("\n" + line + "\n");
  return at == std::string::npos ? -1 : static_cast<int>(std::count(s.begin(), s.begin() + at + 1, '\n')) + 1;
}

// The results report without its lines of times and of the run's directory.
std::vector<std::string> results() {
  std::vector<std::string> out;
  for (const std::string& l : test::wholerun::untimed("run.out"))
    if (l.find("Path to file locations") == std::string::npos) out.push_back(l);
  return out;
}

// No report of the run holds a NaN or an infinity.
void finiteReports() {
  for (const auto& e : std::filesystem::directory_iterator(".")) {
    const std::string text = test::readFile(e.path());
    EXPECT_EQ(text.find("NaN"), std::string::npos) << e.path();
    EXPECT_EQ(text.find("Infinity"), std::string::npos) << e.path();
  }
}

bool completedAny() {
  if (!std::filesystem::exists("run.sta")) return false;
  return test::readFile("run.sta").find("ANALYSIS COMPLETED") != std::string::npos;
}

struct Mistake {
  const char* what;
  const char* input;
  std::string from, to;
  std::string group;    // heading of the group named by the fatal block
  std::string named;    // the line the block names, as it stands (default: the first line of TO)
  std::string message;  // the diagnosis
};

TEST(InputMistakes, EachIsRefusedOnTheLineThatGaveIt) {
  const std::string spacePile = "2 2 1 0 0 0 0 0 1 1";
  const std::string planeRow = "2 2 1 0 0 0 1";
  const std::string sandTop = "20.0 80.0";
  const std::string clayRow = "50.0 400.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0";
  const std::string caseControls = "0 0 0 1 0 100 100";
  const std::string noDistLoads = "0\n0\nLOAD COMBINATIONS";
  const Mistake cases[] = {
      // Soil layers
      {"gap between layers (space)", "space_min.inp", sandTop, "25.0 80.0", "SOIL LAYERS", "",
       "soil layers 1 and 2: layer 1 ends at 20 ft (line 54) and layer 2 starts at 25 ft (line 59), leaving a gap "
       "of 5 ft; the layers must follow on without gap or overlap"},
      {"overlap of layers (plane)", "plane_min.inp", sandTop, "10.0 80.0", "SOIL LAYERS", "",
       "soil layers 1 and 2: layer 1 ends at 20 ft (line 48) and layer 2 starts at 10 ft (line 53), overlapping by "
       "10 ft; the layers must follow on without gap or overlap"},
      {"layer upside down", "space_min.inp", "0.0 20.0", "20.0 0.0", "SOIL LAYERS", "",
       "layer top and bottom of soil layer 1: its bottom 0 lies above its top 20"},
      {"negative cohesion", "space_min.inp", clayRow, "50.0 -400.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0", "SOIL LAYERS",
       "", "layer values of soil layer 1, at its top: cohesion -400 is negative"},
      {"negative strength of weak rock", "space_min.inp", "2 4\n20.0 80.0\n2 10\n60.0 0.0 34.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0",
       "2 9\n20.0 80.0\n2 10\n60.0 -5.0 34.0 90.0 1.0E5 0.0005 50.0 0.0 0.0 0.0", "SOIL LAYERS",
       "60.0 -5.0 34.0 90.0 1.0E5 0.0005 50.0 0.0 0.0 0.0",
       "layer values of soil layer 2, at its top: uniaxial compressive strength -5 is negative"},
      {"negative modulus of an elastic subgrade (plane)", "plane_mcuser.inp",
       "60.0 100000.0 0.0 100.0 0.0 0.01 0.0 0.0 0.0 0.0", "60.0 100000.0 0.0 -100.0 0.0 0.01 0.0 0.0 0.0 0.0",
       "SOIL LAYERS", "", "layer values of soil layer 1, at its top: elastic subgrade modulus -100 is negative"},
      {"negative J of a soft clay with a given J", "space_min.inp", "1 1\n0.0 20.0\n2 10\n" + clayRow,
       "1 13\n0.0 20.0\n2 10\n50.0 400.0 0.0 30.0 0.0 0.02 -0.5 0.0 0.0 0.0", "SOIL LAYERS",
       "50.0 400.0 0.0 30.0 0.0 0.02 -0.5 0.0 0.0 0.0",
       "layer values of soil layer 1, at its top: J factor -0.5 is negative"},
      {"friction angle of 90 degrees", "plane_min.inp", "60.0 0.0 36.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0",
       "60.0 0.0 90.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0", "SOIL LAYERS", "",
       "layer values of soil layer 2, at its bottom: friction angle 90 is not below 90 degrees"},
      // Pile properties and pile groups
      {"negative pile length (space)", "space_min.inp", "50 50.0 1", "50 -50 1", "PILE PROPERTIES", "",
       "pile length line of pile property 1: length -50 is not positive"},
      {"pile of no length (plane)", "plane_min.inp", "50 50.0 1", "50 0.0 1", "PILE PROPERTIES", "",
       "pile length line of pile property 1: length 0 is not positive"},
      {"user curve -1 read as generated curve 1", "space_min.inp", spacePile, "2 2 1 0 -1 0 0 0 1 1", "PILE GROUPS",
       "",
       "pile integers of pile 1: user load-displacement curve -1 names none; no user load-displacement curve is "
       "given (0: the generated curve)"},
      {"user curve whose negation overflows (plane)", "plane_min.inp", planeRow, "2 2 1 0 -2147483648 0 1",
       "PILE GROUPS", "",
       "pile row integers of row 1: user load-displacement curve -2147483648 names none; no user "
       "load-displacement curve is given (0: the generated curve)"},
      {"torque-rotation curve whose negation overflows", "space_min.inp", spacePile,
       "2 2 1 0 0 -2147483648 0 0 1 1", "PILE GROUPS", "",
       "pile integers of pile 1: user torque-rotation curve -2147483648 names none; no user torque-rotation curve "
       "is given (0: the generated curve)"},
      {"negative generated curve", "space_min.inp", spacePile, "2 2 1 0 0 0 0 0 -2147483648 1", "PILE GROUPS", "",
       "pile integers of pile 1: generated load-settlement curve -2147483648 names none; give 0 to 2500 (0: none)"},
      {"negative generated torque-rotation curve", "space_min.inp", spacePile, "2 2 1 0 0 0 0 0 1 -1",
       "PILE GROUPS", "",
       "pile integers of pile 1: generated torque-rotation curve -1 names none; give 0 to 50 (0: none)"},
      {"row of no piles", "plane_min.inp", planeRow, "2 0 1 0 0 0 1", "PILE GROUPS", "",
       "pile row integers of row 1: number of piles 0 is below 1"},
      {"negative p-multiplier", "space_min.inp", "0.0 0.0 1.0 1.0 1.0 1.0 1.0", "0.0 0.0 -1.0 1.0 1.0 1.0 1.0",
       "PILE GROUPS", "", "pile springs and factors of pile 1: p-multiplier along Y -1 is negative"},
      {"negative rotational spring (plane)", "plane_min.inp", "0.0 4.0 1.0 1.0 1.0", "-5.0 4.0 1.0 1.0 1.0",
       "PILE GROUPS", "", "pile row springs and factors of row 1: rotational spring -5 is negative"},
      // Cap, load cases and combinations
      {"negative thickness of an embedded cap", "space_cap_passive.inp", "12.0 12.0 4.0 0.0 0.0 0",
       "12.0 12.0 -4.0 0.0 0.0 0", "PILE CAP", "", "cap line: thickness -4 is negative"},
      {"load point at 1E308", "space_min.inp", "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0",
       "400000.0 40000.0 0.0 0.0 0.0 0.0 1E308 0.0 0.0", "LOAD CASES", "",
       "concentrated load: \"1E308\" at line 17 is beyond the limit of 1E30 in magnitude"},
      {"negative number of cycles", "plane_min.inp", caseControls, "0 0 0 0 -1 100 100", "LOAD CASES", "",
       "number of load cycles: -1 is negative"},
      {"static loading switch of 2", "space_min.inp", caseControls, "0 0 0 2 0 100 100", "LOAD CASES", "",
       "static loading switch: 2 is beyond the limit of 1"},
      {"axial variation switch of 2 (plane)", "plane_min.inp", "2 1 1.0 0 0.0 0.0 0 0 0", "2 1 1.0 0 0.0 0.0 2 0 0",
       "LOAD CASES", "", "axial variation switch: 2 is beyond the limit of 1"},
      {"negative iteration limit of the piles", "space_min.inp", caseControls, "0 0 0 1 0 100 -1", "LOAD CASES", "",
       "iteration limit of the piles: -1 is negative"},
      {"distributed-load points out of depth order", "plane_min.inp", "DISTRIBUTED LOADS\n0",
       "DISTRIBUTED LOADS\n1\n2\n5.0 1.0\n2.0 1.0", "DISTRIBUTED LOADS", "2.0 1.0",
       "distributed-load point 2 of set 1: its depth 2 lies above the depth 5 of the point before it"},
  };
  for (const Mistake& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    const std::string s = edited(fixture(c.input), c.from, c.to);
    EXPECT_EQ(runInput(s), 43);
    const std::string named = c.named.empty() ? c.to.substr(0, c.to.find('\n')) : c.named;
    const std::string where =
        "     INPUT DATA FILE, LINE " + std::to_string(lineOf(s, named)) + ", WHILE READING: " + c.group;
    for (const char* report : {"run.log", "run.out"}) {
      SCOPED_TRACE(report);
      const std::vector<std::string> lines = test::readLines(report);
      const long at = find(lines, "     INPUT DATA FILE, LINE ");
      ASSERT_GE(at, 1);
      EXPECT_EQ(lines[at - 1], "                             **** FATAL ERROR ****");
      EXPECT_EQ(lines[at], where);
      ASSERT_LT(at + 1, static_cast<long>(lines.size()));
      EXPECT_EQ(lines[at + 1], "     " + c.message);
    }
    EXPECT_FALSE(completedAny());
  }
}

// What round-off and the limits still let through, and values that reach
// nothing the description gives them no meaning in: the run goes on.
TEST(InputMistakes, RoundOffAndLimitsStillRun) {
  struct Kept {
    const char* what;
    const char* input;
    std::string from, to;
  };
  const std::string clayRow = "50.0 400.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0";
  const std::string embeddedCap = "1 3 1 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP\n12.0 12.0 4.0 0.0 0.0 0";
  const Kept cases[] = {
      // 1E-6 of the 80 ft profile is 8E-5 ft.
      {"layers 5E-5 ft apart", "space_min.inp", "20.0 80.0", "20.00005 80.0"},
      {"layers overlapping by 5E-5 ft", "plane_min.inp", "20.0 80.0", "19.99995 80.0"},
      {"a load point at 1E30", "plane_min.inp", "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0",
       "400000.0 40000.0 0.0 0.0 0.0 0.0 1E30 0.0 0.0"},
      // Only shown: the cap sizes without an embedded cap or a plate model,
      // and the cap-resistance parameters.
      {"negative cap sizes with control 3 at 0", "space_min.inp", "12.0 12.0 4.0 0.0 0.0 0",
       "-12.0 -12.0 -4.0 0.0 0.0 0"},
      {"negative K50, Fult and Ymax", "space_cap_passive.inp", embeddedCap,
       "1 3 2 0 0 0 0 1 0 0 0 0 0 0 1 0 1 0 0 0 0\nPILE CAP\n12.0 12.0 4.0 0.0 0.0 0\n0 2 10 -1.0 -1.0 -1.0"},
      // Beyond the echo's column, the factor is still a factor.
      {"axial-load factor of 1E6", "space_min.inp", "0.0 0.0 1.0 1.0 1.0 1.0 1.0", "0.0 0.0 1.0 1.0 1.0 1.0 1E6"},
      // A tolerance that is never met: the solutions run out of iterations.
      {"negative tolerances", "plane_min.inp", "0.0001 0.00001 0.25 0.01", "-0.0001 -0.00001 0.25 0.01"},
      // A soil type that takes no friction angle.
      {"friction angle of 95 degrees in soft clay", "space_min.inp", clayRow,
       "50.0 400.0 95.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0"},
  };
  for (const Kept& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    EXPECT_EQ(runInput(edited(fixture(c.input), c.from, c.to)), 0);
    EXPECT_LT(find(test::readLines("run.log"), "     INPUT DATA FILE, LINE "), 0);
    finiteReports();
  }
}

// Values that the input description gives a meaning (a default, an
// estimate, none, not in use, no limit, no update) run as it says: status 0,
// and the results report of the same input with the explicit value, apart
// from the lines that echo the value itself. Where the value changes the
// results (the previous-EI switch), the report also differs from the input
// as it was.
TEST(InputMistakes, ValuesWithAMeaningRunAsTheirExplicitTwin) {
  struct Edit {
    std::string from, to;
  };
  struct Twin {
    const char* what;
    const char* input;
    std::vector<Edit> given, explicitly;
    std::vector<std::string> echo = {};  // texts of the lines that show the value itself
    bool changes = false;           // the report differs from that of the input unedited
  };
  const std::string clayTop = "50.0 400.0 0.0 30.0 0.0 0.02 0.5 0.0 0.0 0.0";
  const std::string sandTop = "60.0 0.0 34.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0";
  const std::string sandBottom = "60.0 0.0 36.0 90.0 0.0 0.0 0.0 0.0 0.0 0.0";
  const std::string linearSubgrade = "60.0 0.0 0.0 50.0";  // no maximum stress
  const std::string noDistLoads = "0\n0\nLOAD COMBINATIONS";
  const auto distLoad = [](const std::string& set) {
    return "1\n0 0 1 4 1 " + set + " 1.0 " + set + " 1.0\n0\nLOAD COMBINATIONS";
  };
  // The case of space_min.inp given at a point, its loads with these flags.
  const auto atPoint = [](const std::string& flags) {
    return std::vector<Edit>{{"0 0 0 0 0 0 0 0", "0 0 0 0 0 0 0 1"},
                             {"1\n400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n0\nLOAD COMBINATIONS",
                              "0\n0\n0\n" + flags +
                                  "\n0.0 400000.0 0.0 40000.0 0.0 0.0\n0.0 0.0 0.0 0.0 0.0 0.0\n0.0 0.0 0.0\n"
                                  "LOAD COMBINATIONS"}};
  };
  // The bilinear moment-curvature set of plane_mcuser.inp, and its first
  // branch drawn on: the same bending stiffness at no curvature, and no
  // other. With no update the second branch is never reached; with the
  // update (the input as it is) it is.
  const std::string bilinear = "1 3\n0.0 0.0\n424502.0 2.0E-5\n700000.0 2.0E-4";
  const std::string initial = "1 3\n0.0 0.0\n424502.0 2.0E-5\n4245020000.0 0.2";
  const Twin cases[] = {
      {"E50 -1 as 0 (plane)", "plane_min.inp", {{clayTop, "50.0 400.0 0.0 30.0 0.0 -1.0 0.5 0.0 0.0 0.0"}},
       {{clayTop, "50.0 400.0 0.0 30.0 0.0 0.0 0.5 0.0 0.0 0.0"}}},
      {"k -1 as 0 (plane)", "plane_min.inp", {{sandTop, "60.0 0.0 34.0 -1.0 0.0 0.0 0.0 0.0 0.0 0.0"}},
       {{sandTop, "60.0 0.0 34.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"}}},
      {"side friction -1 as 0", "space_min.inp", {{clayTop, "50.0 400.0 0.0 30.0 0.0 0.02 0.5 -1.0 0.0 0.0"}}, {}},
      {"tip resistance -1 as 0 (plane)", "plane_min.inp", {{sandBottom, "60.0 0.0 36.0 90.0 0.0 0.0 0.0 0.0 -1.0 0.0"}},
       {}},
      {"maximum stress -1 of an elastic subgrade as 0, the linear subgrade (plane)", "plane_linear_rows.inp",
       {{linearSubgrade + "\n" + linearSubgrade, "60.0 -1.0 0.0 50.0\n60.0 -1.0 0.0 50.0"}}, {}},
      {"estimation kind -1 as 0 (plane)", "plane_min.inp", {{"0 0 0 0 0 0 0 0", "0 -1 0 0 0 0 0 0"}}, {}},
      {"distributed-load sets -1 as 0", "space_min.inp", {{noDistLoads, distLoad("-1")}},
       {{noDistLoads, distLoad("0")}}},
      {"distributed-load set beyond the sets given as 0 (plane)", "plane_min.inp", {{noDistLoads, distLoad("3")}},
       {{noDistLoads, distLoad("0")}}},
      {"cap equivalent diameter -1 as 0", "space_cap_passive.inp",
       {{"12.0 12.0 4.0 0.0 0.0 0", "12.0 12.0 4.0 -1.0 0.0 0"}}, {}},
      {"reduction-factor set -1 as none (plane)", "plane_rfdepth.inp", {{"2 1 1 1 0 1 1", "2 1 1 1 0 -1 1"}},
       {{"2 1 1 1 0 1 1", "2 1 1 1 0 0 1"}}},
      {"reduction-factor set with control 18 at 0 as none (plane)", "plane_min.inp",
       {{"2 2 1 0 0 0 1", "2 2 1 0 0 1 1"}}, {}},
      {"user p-y set with control 5 at 0 as none (plane)", "plane_min.inp", {{"2 2 1 0 0 0 1", "2 2 1 2 0 0 1"}},
       {}},
      {"flags of a case given at a point 2 and -1 as 1", "space_min.inp", atPoint("2 -1 2 2 2 2"),
       atPoint("1 1 1 1 1 1")},
      {"previous-EI switch 2: no update of the bending stiffness (plane)", "plane_mcuser.inp",
       {{"2 1 1.0 0 0.0 0.0 0 0 0", "2 1 1.0 0 0.0 0.0 0 0 2"}},
       {{"2 1 1.0 0 0.0 0.0 0 0 0", "2 1 1.0 0 0.0 0.0 0 0 2"}, {bilinear, initial}},
       {"USE EI FROM PREVIOUS ITERATION"}, true},
  };
  const auto report = [](const std::string& input, const std::vector<std::string>& echo) {
    test::ScratchDir dir;
    EXPECT_EQ(runInput(input), 0);
    EXPECT_TRUE(completedAny());
    std::vector<std::string> kept;
    for (const std::string& l : results())
      if (std::none_of(echo.begin(), echo.end(), [&](const std::string& e) { return l.find(e) != std::string::npos; }))
        kept.push_back(l);
    return kept;
  };
  for (const Twin& c : cases) {
    SCOPED_TRACE(c.what);
    std::string given = fixture(c.input), twin = given;
    for (const Edit& e : c.given) given = edited(given, e.from, e.to);
    for (const Edit& e : c.explicitly) twin = edited(twin, e.from, e.to);
    const std::vector<std::string> ran = report(given, c.echo);
    EXPECT_EQ(ran, report(twin, c.echo));
    if (c.changes) {
      EXPECT_NE(ran, report(fixture(c.input), c.echo));
    }
  }
}

// Line ends and bytes that are not those of a plain text file.
TEST(InputMistakes, LineEndsByteOrderMarkAndBinaryFiles) {
  const std::string lf = fixture("space_min.inp");
  std::vector<std::string> reference;
  {
    test::ScratchDir dir;
    ASSERT_EQ(runInput(lf), 0);
    reference = results();
  }
  std::string cr = lf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  {
    SCOPED_TRACE("carriage returns alone end the lines");
    test::ScratchDir dir;
    EXPECT_EQ(runInput(cr), 0);
    EXPECT_EQ(results(), reference);
  }
  {
    SCOPED_TRACE("a byte-order mark stays out of the titles");
    test::ScratchDir dir;
    EXPECT_EQ(runInput("\xEF\xBB\xBF" + lf), 0);
    EXPECT_EQ(results(), reference);
    EXPECT_EQ(test::readFile("run.sum").find("\xEF\xBB\xBF"), std::string::npos);
  }
  {
    SCOPED_TRACE("a NUL byte: no text file");
    test::ScratchDir dir;
    std::string bin = lf;
    bin[bin.find("PILE CAP")] = '\0';  // on line 5
    EXPECT_EQ(runInput(bin), 42);
    const std::vector<std::string> log = test::readLines("run.log");
    const long at = find(log, "     INPUT DATA FILE, LINE ");
    ASSERT_GE(at, 0);
    EXPECT_EQ(log[at], "     INPUT DATA FILE, LINE 5");
    EXPECT_EQ(log[at + 1], "     the input data file is not a text file: it holds a NUL byte at line 5");
    EXPECT_FALSE(completedAny());
  }
}

}  // namespace
}  // namespace drelm
