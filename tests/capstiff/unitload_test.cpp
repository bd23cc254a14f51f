// Whole runs of the unit-load cap stiffness: the points per degree of
// freedom, the stiffness against the secant of an ordinary pass, the records
// of each case starting from an empty file, and short scratch files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "capstiff/capldtab.h"
#include "capstiff/flexstf.h"
#include "run/fileio.h"
#include "run/model.h"
#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using test::readLines;

const char* const CASE_HEAD = "Service load, V/H\n0 0 0 0 0 0 0 0\n";
const char* const CASE_TAIL = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0\n0\n0\n";

// The minimal space group with its one case given the type line TYPE, the
// load LOAD (9 values) and the estimation values EST ("0\n" for none).
std::string oneCase(const std::string& type, const std::string& load, const std::string& est) {
  std::string s = test::readFile(test::dataFile("space_min.inp"));
  const std::size_t a = s.find(CASE_HEAD);
  const std::size_t b = s.find(CASE_TAIL);
  EXPECT_NE(a, std::string::npos);
  EXPECT_NE(b, std::string::npos);
  std::string rows = s.substr(a + std::string(CASE_HEAD).size(), b - a - std::string(CASE_HEAD).size());
  const std::string block = "Service load, V/H\n" + type + "\n" + rows + load + "\n0\n" + est;
  return s.replace(a, b + std::string(CASE_TAIL).size() - a, block);
}

// The same model with the cases C (each a block from oneCase's case part).
std::string cases(const std::vector<std::string>& blocks) {
  std::string s = test::readFile(test::dataFile("space_min.inp"));
  const std::size_t a = s.find("LOAD CASES\n1 0 0 1 0\n");
  const std::size_t b = s.find("LOAD COMBINATIONS");
  std::string head = "LOAD CASES\n" + std::to_string(blocks.size()) + " 0 0 1 0\n";
  std::string body;
  for (const std::string& c : blocks) body += c;
  return s.replace(a, b - a, head + body);
}

// One case block of the model: tolerances, name, type line, print lines,
// one concentrated load, no distributed loads, estimation values EST.
std::string caseBlock(const std::string& type, const std::string& load, const std::string& est) {
  const std::string one = oneCase(type, load, est);
  const std::size_t a = one.find("LOAD CASES\n1 0 0 1 0\n") + std::string("LOAD CASES\n1 0 0 1 0\n").size();
  const std::size_t b = one.find("LOAD COMBINATIONS");
  return one.substr(a, b - a);
}

std::int32_t runInput(const std::string& text) {
  test::writeNamesFile();
  test::writeInputFile(text);
  return IDRELM(6);
}

long find(const Lines& lines, const std::string& text, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind(text, 0) == 0) return static_cast<long>(i);
  return -1;
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

// The cap displacements of the first ordinary pass in the second report.
std::vector<double> capDisplacement(std::size_t from = 0) {
  const Lines rep = readLines("run.rp2");
  const long at = find(rep, "* DISPLACEMENT OF PILE CAP AT ORIGIN *", from);
  EXPECT_GE(at, 0);
  return at < 0 ? std::vector<double>{} : numbers(rep[at + 1]);
}

const std::string LOAD_X = "400000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";
const std::string LOAD_XY = "400000.0 40000.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0";

TEST(UnitLoadStiffness, PointsTablesAndSkippedDegreesOfFreedom) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 0 0 0 0 0", LOAD_XY, "2\n0.5\n1.0\n")), 0);

  // Two loaded degrees of freedom with two passes each; four skipped ones
  // with two status pairs each; then the total load.
  const Lines sta = readLines("run.sta");
  const long first = find(sta, "      DOF :     1 POINT :     1");
  ASSERT_GE(first, 0);
  EXPECT_EQ(sta[first + 1], "    1 ANALYSIS COMPLETED");
  EXPECT_EQ(sta[first + 7], "    1 ANALYSIS COMPLETED");
  EXPECT_EQ(sta[first + 8], "      DOF :     3 POINT :     1");
  EXPECT_EQ(sta[first + 9], "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO");
  EXPECT_EQ(sta[first + 24], "      ANALYSIS DUE TO TOTAL LOAD");

  const Lines out = readLines("run.out");
  const long flex = find(out, "     * PILE CAP FLEXIBILITY ESTIMATION *");
  ASSERT_GE(flex, 0);
  EXPECT_EQ(out[flex + 2], "     DOF   : 1 (FORCE X)");
  EXPECT_EQ(out[flex + 4], "         N     FORCE,KIP ");
  EXPECT_EQ(out[flex + 5],
            "               DISP X,IN      DISP Y,IN      DISP Z,IN      ROT X,RAD      ROT Y,RAD      ROT Z,RAD ");
  EXPECT_EQ(out[flex + 6], "         1        200.000 ");
  EXPECT_EQ(out[flex + 11], "         N         S11            S21            S31            S41            S51            S61   ");
  EXPECT_EQ(out[flex + 12], "                IN/KIP         IN/KIP         IN/KIP        RAD/KIP        RAD/KIP        RAD/KIP");
  EXPECT_GE(find(out, "             DOF NOT CONSIDERED SINCE APPLIED FORCE AT CAP IS ZERO"), flex);

  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GT(stf, flex);
  const Lines head = {"",
                      "    UNITS",
                      "    DOF          1              2              3              4              5              6    ",
                      "      1       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD"};
  for (std::size_t k = 0; k < head.size(); ++k) EXPECT_EQ(out[stf + 1 + k], head[k]);
  EXPECT_EQ(out[stf + 7], "      4         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD");
  EXPECT_EQ(out[stf + 11], "       N:    1  FACTOR :    0.5000");
  // The skipped degrees of freedom stand as unit columns.
  EXPECT_EQ(out[stf + 15].substr(0, 7), "      3");
  EXPECT_EQ(numbers(out[stf + 15])[3], 1.0);
  const long warn = find(out, "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): ", stf);
  ASSERT_GE(warn, 0);
  EXPECT_EQ(out[warn], "     WARNING : STIFFNESS VALUES FOR COMPONENT(S): K33, K44, K55, K66  ");
  EXPECT_EQ(readLines("run.fl1").size(), 12u);  // two levels of six degrees of freedom
  for (int u = 0; u <= io::MAXUNIT; ++u) EXPECT_FALSE(io::connected(u)) << "unit " << u;
}

// The stiffness at a level is the secant of an ordinary pass under the same
// load: K11 of the uncoupled table at level 1.0 against load / displacement.
TEST(UnitLoadStiffness, AgreesWithTheSecantOfAnOrdinaryPass) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 1 0 0 0 0", LOAD_X, "1\n1.0\n")), 0);
  const Lines out = readLines("run.out");
  const long stf = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(stf, 0);
  const long lvl = find(out, "       N:    1  FACTOR :    1.0000", stf);
  ASSERT_GE(lvl, 0);
  const std::vector<double> k = numbers(out[lvl + 2]);
  ASSERT_EQ(k.size(), 6u);
  // The total-load pass after the points is the ordinary pass of that load.
  const Lines rep = readLines("run.rp2");
  const long at = find(rep, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  ASSERT_GE(at, 0);
  const double ux = numbers(rep[at + 1])[0];
  const double secant = 400.0 / ux;  // kips per inch
  EXPECT_NEAR(k[0], secant, 0.01 * secant);
  EXPECT_EQ(k[1], 1.0);  // no load along Y: not estimated
}

// A unit-load case that prints no table must not leave its records for the
// next one: the second case's table equals that of the case run alone.
TEST(UnitLoadStiffness, EveryCaseStartsItsRecordsFromAnEmptyFile) {
  test::ScratchDir dir;
  ASSERT_EQ(runInput(oneCase("0 1 1 0 0 0 0 0", LOAD_X, "1\n1.0\n")), 0);
  Lines alone = readLines("run.out");
  const long a = find(alone, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(a, 0);
  const Lines want(alone.begin() + a, alone.begin() + a + 20);

  const std::string first = caseBlock("0 1 0 0 0 0 0 0", LOAD_XY, "1\n0.5\n");
  const std::string second = caseBlock("0 1 1 0 0 0 0 0", LOAD_X, "1\n1.0\n");
  ASSERT_EQ(runInput(cases({first, second})), 0);
  const Lines both = readLines("run.out");
  const long b = find(both, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(b, 0);
  EXPECT_EQ(find(both, "     * PILE CAP STIFFNESS ESTIMATION *", b + 1), -1);
  const Lines got(both.begin() + b, both.begin() + b + 20);
  EXPECT_EQ(got, want);
}

// Scratch files read back with records missing, and a singular flexibility:
// a clear message, no table of other values.
TEST(UnitLoadStiffness, ShortOrSingularFlexibilityGivesAMessage) {
  test::ScratchDir dir;
  std::int32_t ISTAT = 0;
  test::writeNamesFile();
  test::writeInputFile(test::readFile(test::dataFile("space_min.inp")));
  test::runToConvin(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const double levels[2] = {0.5, 1.0};
  // One record where two levels of three degrees of freedom are owed.
  test::writeFile("run.fl1", "    1  1.0 0.0 0.0\n");
  FLEXSTF(1, 0, 2, 3, 6, levels);
  // A zero column: the flexibility cannot be inverted.
  test::writeFile("run.fl1", "    1  1.0 0.0 0.0\n    1  0.0 0.0 0.0\n    1  0.0 0.0 1.0\n");
  FLEXSTF(1, 0, 1, 3, 6, levels);
  // The point file of two passes holding only the first record of the first.
  test::writeFile("run.fl2", "    1  200000.0 0.1 0.0 0.0 0.0 0.0 0.0\n");
  std::int32_t ICLDOP = 1;
  CAPLDTAB(2, 1, 2, 3, 6, ICLDOP);
  EXPECT_EQ(ICLDOP, 0);
  EXPECT_FALSE(io::connected(U_CLDSCR));
  test::closeRun(ISTAT);
  const Lines out = readLines("run.out");
  const long shortAt = find(out, "     ERROR : SCRATCH FILE FLXSCR ENDS EARLY");
  ASSERT_GE(shortAt, 0);
  EXPECT_EQ(find(out, "       N:    1", 0) > shortAt, true);
  const long sing = find(out, "     WARNING : FLEXIBILITY MATRIX IS SINGULAR", shortAt);
  EXPECT_GT(sing, shortAt);
  // No value rows after the singular level.
  EXPECT_EQ(find(out, "    DOF ", sing), -1);
  EXPECT_GT(find(out, "     ERROR : SCRATCH FILE CLDSCR ENDS EARLY"), sing);
}

}  // namespace
}  // namespace drelm
