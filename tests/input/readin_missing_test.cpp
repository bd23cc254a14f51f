// A value missing at the end of a line: the reader meets the fault lines
// later, where the records have gone out of step, and its message names the
// record that ran on past its own line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model.h"
#include "input/readin_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

std::vector<std::string> exampleLines() {
  std::vector<std::string> lines;
  const std::string text = test::readFile(std::string(DRELM_SOURCE_DIR) + "/examples/group3x3.inp");
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t e = text.find('\n', at);
    lines.push_back(text.substr(at, e - at));
    at = e == std::string::npos ? text.size() : e + 1;
  }
  return lines;
}

// The example with the last value of line n (1-based) dropped.
std::string withoutLastValue(int n) {
  std::vector<std::string> lines = exampleLines();
  std::string& l = lines[static_cast<std::size_t>(n - 1)];
  l.erase(l.find_last_of(' '));
  std::string out;
  for (const std::string& s : lines) out += s + "\n";
  return out;
}

struct Missing {
  int line;           // line whose last value is dropped
  int stop;           // line the reader stops on
  const char* group;  // group heading of the fatal block
  const char* text;   // the fault and the hint
};

TEST(ReadinErrors, AValueMissingAtTheEndOfALineIsTracedToItsRecord) {
  const Missing cases[] = {
      // The coordinates of pile 1 take the first integer of pile 2; pile 2's
      // integers then meet its first real.
      {51, 53, "PILE GROUPS",
       "pile integers: expected an integer, found \"0.0\" at line 53; the pile coordinates and angles began "
       "on line 51 and ran on to line 52: is a value missing on line 51?"},
      // The load case type line of case 1 takes the first value of its print
      // line; the out-of-step records meet the vertical load on line 16.
      {13, 18, "LOAD CASES",
       "load case print selection: expected an integer, found \"1800000.0\" at line 18; the load case type "
       "line began on line 13 and ran on to line 14: is a value missing on line 13?"},
      // A record short at the end of the file.
      {110, 111, "MOMENT-CURVATURE OF CROSS SECTIONS",
       "section moment-curvature line: expected an integer, found the end of the file at line 111; the "
       "section moment-curvature line began on line 110 and ran on to line 111: is a value missing on line "
       "110?"},
  };
  for (const Missing& c : cases) {
    SCOPED_TRACE(c.line);
    test::ScratchDir dir;
    const test::InputRun r = test::runInput(withoutLastValue(c.line));
    EXPECT_EQ(r.status, STAT_INPUT_FORM);
    const std::string where = "     INPUT DATA FILE, LINE " + std::to_string(c.stop) + ", WHILE READING: " + c.group;
    EXPECT_EQ(r.logLine("INPUT DATA FILE"), where);
    EXPECT_EQ(r.logLine("expected"), std::string("     ") + c.text);
  }
}

// A record that begins on a line of its own and fails there gets no hint;
// neither does one after a sound record that ran over lines before the last
// text line.
TEST(ReadinErrors, AFaultOnTheRecordsOwnLineNamesNoOtherLine) {
  test::ScratchDir dir;
  std::vector<std::string> lines = exampleLines();
  lines[16 - 1] = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 x";
  std::string in;
  for (const std::string& s : lines) in += s + "\n";
  const test::InputRun r = test::runInput(in);
  EXPECT_EQ(r.status, STAT_INPUT_FORM);
  EXPECT_EQ(r.logLine("expected"), "     load case print selection: expected an integer, found \"x\" at line 16");
}

}  // namespace
}  // namespace drelm
