// The input document (docs/input.md) against the reader and the example it
// walks through, and an input written from it against a hand calculation.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

const std::string kSource = DRELM_SOURCE_DIR;

std::vector<std::string> docLines() { return test::readLines(kSource + "/docs/input.md"); }

// The lines of every ```inp block of the document, in order.
std::vector<std::string> quotedExample() {
  std::vector<std::string> out;
  bool inside = false;
  for (const std::string& l : docLines()) {
    if (!inside && l == "```inp") {
      inside = true;
    } else if (inside && l.rfind("```", 0) == 0) {
      inside = false;
    } else if (inside) {
      out.push_back(l);
    }
  }
  EXPECT_FALSE(inside) << "an example block is not closed";
  return out;
}

TEST(InputDocument, TheWorkedExampleIsTheExampleFile) {
  const std::vector<std::string> quoted = quotedExample();
  const std::vector<std::string> file = test::readLines(kSource + "/examples/group3x3.inp");
  ASSERT_FALSE(quoted.empty());
  for (std::size_t i = 0; i < std::min(quoted.size(), file.size()); ++i)
    ASSERT_EQ(quoted[i], file[i]) << "line " << i + 1 << " of examples/group3x3.inp";
  EXPECT_EQ(quoted.size(), file.size());
}

// Names of the heading lines in the reader: every call heading("...").
std::set<std::string> readerHeadings() {
  std::set<std::string> names;
  const std::regex call(R"re(heading\("([^"]+)"\))re");
  for (const auto& e : std::filesystem::directory_iterator(kSource + "/src/input")) {
    const std::string f = e.path().filename().string();
    if (f.rfind("readin", 0) != 0 || e.path().extension() != ".cpp") continue;
    const std::string text = test::readFile(e.path());
    for (std::sregex_iterator m(text.begin(), text.end(), call), end; m != end; ++m) names.insert((*m)[1]);
  }
  return names;
}

// The quoted names of the last column of the document's table of record
// groups, and the group numbers of its rows.
struct GroupTable {
  std::set<std::string> names;
  std::vector<int> numbers;
};

GroupTable documentedGroups() {
  GroupTable t;
  bool inside = false;
  const std::regex quoted("`([^`]+)`");
  for (const std::string& l : docLines()) {
    if (l.rfind("<!-- record groups", 0) == 0) inside = true;
    else if (l.rfind("<!-- /record groups", 0) == 0) inside = false;
    else if (inside && l.rfind("| ", 0) == 0 && std::isdigit(static_cast<unsigned char>(l[2]))) {
      t.numbers.push_back(std::stoi(l.substr(2)));
      const std::string last = l.substr(l.rfind('|', l.size() - 2));
      for (std::sregex_iterator m(last.begin(), last.end(), quoted), end; m != end; ++m) t.names.insert((*m)[1]);
    }
  }
  return t;
}

TEST(InputDocument, EveryHeadingTheReaderKnowsIsDocumented) {
  const std::set<std::string> reader = readerHeadings();
  const GroupTable doc = documentedGroups();
  ASSERT_GE(reader.size(), 19u);  // the regular expression finds the calls
  EXPECT_EQ(doc.names, reader);
  // Twenty groups, numbered in order.
  std::vector<int> expected;
  for (int g = 1; g <= 20; ++g) expected.push_back(g);
  EXPECT_EQ(doc.numbers, expected);
}

// tests/data/doc_hand_rows.inp, written from the document: two rows of two
// identical vertical pipe piles with pinned heads 1 ft below the ground, a
// linear axial head curve and an elastic subgrade.
TEST(InputDocument, ASmallGroupWrittenFromItMatchesAHandCalculation) {
  test::ScratchDir dir;
  ASSERT_EQ(test::wholerun::runInput(test::wholerun::fixture("doc_hand_rows.inp")), 0);
  const auto cap = test::wholerun::capDisplacements();  // X, Y, rotation about Z per case
  ASSERT_EQ(cap.size(), 2u);
  ASSERT_EQ(cap[0].size(), 3u);
  ASSERT_EQ(cap[1].size(), 3u);

  const double n = 4.0;          // piles: two rows of two
  const double kAxial = 1.0E6;   // lb/in, the slope of the user load-displacement curve
  const double V = 400000.0;     // lb, case 1
  const double H = 40000.0;      // lb, case 2, at the pile heads
  const double b = 16.0;         // in, pile diameter
  const double ks = 50.0;        // lb/in^3, subgrade modulus
  const double EI = 29.0E6 * 731.9;  // lb in^2
  const double Es = b * ks;      // lb/in^2, soil modulus along the pile
  const double beta = std::pow(Es / (4.0 * EI), 0.25);  // 1/in; beta L = 5.9 for 50 ft: a long pile

  // Case 1: the cap settles by V / (n k); no sway, no rotation.
  EXPECT_NEAR(cap[0][0], V / (n * kAxial), 1e-6 * 0.1);
  EXPECT_NEAR(cap[0][1], 0.0, 1e-9);
  EXPECT_NEAR(cap[0][2], 0.0, 1e-12);
  // Case 2: each pinned head carries H / n; a long beam on an elastic
  // foundation deflects 2 P beta / Es under a head load P. The finite
  // differences of 100 elements come within 0.2 %.
  const double y = 2.0 * (H / n) * beta / Es;  // 0.2463 in
  EXPECT_NEAR(cap[1][1], y, 0.002 * y);
  EXPECT_NEAR(cap[1][0], 0.0, 1e-9);
  EXPECT_NEAR(cap[1][2], 0.0, 1e-9);

  // Each row's head: axial force V / n in case 1, shear H / n in case 2.
  const auto heads = test::wholerun::reportRows("* PILE TOP DISP. AND REACT. GLOBAL");
  ASSERT_EQ(heads.size(), 4u);  // two rows, two cases
  for (int r = 0; r < 2; ++r) {
    ASSERT_GE(heads[r].size(), 5u);
    ASSERT_GE(heads[2 + r].size(), 5u);
    EXPECT_NEAR(heads[r][3], V / n, 1e-6 * V);
    EXPECT_NEAR(heads[2 + r][4], H / n, 1e-6 * H);
  }
}

}  // namespace
}  // namespace drelm
