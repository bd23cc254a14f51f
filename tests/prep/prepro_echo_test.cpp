// Whole runs of the input stage and the preprocessing on the input fixtures:
// the opening lines, the pile cap options, the pile arrangement, the pile
// properties with the section echo, the tables of loads and controls, soil data, moment-curvature sets,
// reduction factors along depth, soil movement and reduction factors of
// closely spaced piles, checked line by line against reviewed copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prepro_run.h"
#include "run/rundrv.h"

namespace drelm::test {
namespace {

// The host's text report of the generated moment-curvature sets.
const char* const MCTEXT = "MC LINE 1   \n  second line\n";

struct EchoCase {
  const char* input;
  const char* table;  // letter of the table
};

void PrintTo(const EchoCase& c, std::ostream* os) { *os << c.input << " table " << c.table; }

class EchoTables : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoTables, MatchLineByLine) {
  const EchoCase& c = GetParam();
  ScratchDir dir;
  ASSERT_EQ(runPrepro(readFile(dataFile(std::string(c.input) + ".inp")), MCTEXT), 0);
  const std::vector<std::string> got = echoTable(readLines("run.echo"), std::string("* TABLE ") + c.table + " *");
  const std::vector<std::string> want =
      readLines(dataFile("expected/" + std::string(c.input) + "_" + c.table + ".txt"));
  ASSERT_FALSE(want.empty());
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i)
    ASSERT_EQ(got[i], want[i]) << "line " << i + 1 << " of table " << c.table;
  EXPECT_EQ(got.size(), want.size());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EchoTables,
                         ::testing::Values(EchoCase{"space_rich", "C"}, EchoCase{"space_rich", "F"},
                                           EchoCase{"space_rich", "J"}, EchoCase{"space_rich", "J1"},
                                           EchoCase{"space_rich", "J2"}, EchoCase{"space_rich", "K"},
                                           EchoCase{"plane_si", "C"}, EchoCase{"plane_si", "F"},
                                           EchoCase{"plane_si", "K"}),
                         [](const auto& info) { return std::string(info.param.input) + "_" + info.param.table; });

// Whole runs through the entry point: the opening lines with the title, the
// pile cap options, the pile arrangement, and the pile properties with the
// sections and their echo, in English units with kips (space) and in SI
// (plane). The analysis after the preprocessing leaves these tables as the
// preprocessing wrote them.
class WholeRunFrame : public ::testing::TestWithParam<const char*> {};

TEST_P(WholeRunFrame, MatchesLineByLine) {
  const std::string input = GetParam();
  ScratchDir dir;
  writeNamesFile();
  writeInputFile(readFile(dataFile(input + ".inp")));
  ASSERT_EQ(IDRELM(6), 0);
  const std::vector<std::string> echo = readLines("run.echo");
  // The opening lines begin with six empty lines right after the date line.
  std::vector<std::string> got = echoTable(echo, "*****     INPUT INFORMATION     *****", 7);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.front().rfind("               Date:  ", 0), 0u) << got.front();
  got.erase(got.begin());
  for (const char* table : {"* TABLE B *", "* TABLE D *", "* TABLE E *"}) {
    const std::vector<std::string> part = echoTable(echo, table);
    EXPECT_FALSE(part.empty()) << table;
    got.insert(got.end(), part.begin(), part.end());
  }
  const std::vector<std::string> want = readLines(dataFile("expected/" + input + "_BDE.txt"));
  ASSERT_FALSE(want.empty());
  for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i)
    EXPECT_EQ(i < got.size() ? got[i] : "<missing>", i < want.size() ? want[i] : "<none>") << "line " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WholeRunFrame, ::testing::Values("space_min", "plane_si"),
                         [](const auto& info) { return std::string(info.param); });

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

bool contains(const std::vector<std::string>& lines, const std::string& s) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(s) != std::string::npos; });
}

// A soil look-up outside the profile while the soil data table estimates a
// value ends the preprocessing at once: nothing of the table's layers and no
// later table is written.
TEST(PreproSoilStatus, LookupOutsideTheProfileEndsThePreprocessing) {
  ScratchDir dir;
  // The last layer's bottom lies above its top: the bottom of layer 1 is
  // then below every later point of the profile. The reader refuses such a
  // layer, so the profile is turned over once it is read.
  writeNamesFile();
  writeInputFile(readFile(dataFile("plane_si.inp")));
  std::int32_t ISTAT = 0;
  runToConvin(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  ASSERT_EQ(SOILIN.NLAYIN, 2);
  SOILIN.SLVAL(2, 2) = 0.5 * SOILIN.SLVAL(2, 1);  // from 6.0 to 3.0 m, as the file gives 6.0 30.0
  PREPRO(ISTAT);
  io::CLOSEALL();
  EXPECT_EQ(ISTAT, 25);
  const std::vector<std::string> echo = readLines("run.echo");
  EXPECT_TRUE(contains(echo, "* TABLE F *   SOIL DATA"));
  EXPECT_FALSE(contains(echo, "LAYER  1"));
  EXPECT_FALSE(contains(echo, "* TABLE K *"));
}

// A combination term naming a load case that was not read stops the run
// with the capacity status and its message.
TEST(PreproCombination, TermNamingAMissingCaseIsRejected) {
  ScratchDir dir;
  const std::string input = replaced(readFile(dataFile("space_rich.inp")), "2 1.6\n", "3 1.6\n");
  EXPECT_EQ(runPrepro(input), 43);
  EXPECT_TRUE(contains(readLines("run.log"), "FATAL ERROR"));
  EXPECT_FALSE(contains(readLines("run.echo"), "* TABLE C *"));
}

}  // namespace
}  // namespace drelm::test
