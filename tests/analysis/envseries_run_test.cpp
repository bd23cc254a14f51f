// Whole runs of the envelopes of a series without an analysed member: one
// load case analysed, then a series of combinations that is left out of the
// analysis (its envelope is zero everywhere) or that the input does not
// have (no envelope, a note in its place), in plane and in space.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/wholerun.h"

namespace drelm {
namespace {

using test::readLines;
using test::wholerun::find;
using test::wholerun::fixture;
using test::wholerun::runInput;
using Lines = std::vector<std::string>;

const char* const FIXTURES[] = {"plane_envskip.inp", "space_envskip.inp"};
const std::string SELECTION = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

// The fixture with its combination group replaced by an empty one that
// still asks for envelopes; with `cases` false the load cases go too.
std::string withoutSeries(const std::string& name, bool cases) {
  std::string s = fixture(name);
  const std::size_t c = s.find("LOAD COMBINATIONS\n"), d = s.find("DISTRIBUTED LOADS\n");
  s.replace(c, d - c, "LOAD COMBINATIONS\n0 1 2 1 0\n" + SELECTION + "\n");
  if (!cases) {
    const std::size_t a = s.find("LOAD CASES\n"), b = s.find("LOAD COMBINATIONS\n");
    s.replace(a, b - a, "LOAD CASES\n0 1 2 1 0\n" + SELECTION + "\n");
  }
  return s;
}

// Largest magnitude of the numbers on the line after every title line at
// or after FROM, up to line TO, of the second report.
double largestAfter(const Lines& rep, const std::string& title, std::size_t from, std::size_t to) {
  double m = 0.0;
  for (std::size_t i = from; i + 1 < to; ++i) {
    if (rep[i].find(title) == std::string::npos) continue;
    std::istringstream in(rep[i + 1]);
    for (double x; in >> x;) m = std::fmax(m, std::fabs(x));
  }
  return m;
}

// Largest magnitude of every quantity along every pile from FROM to TO.
double largestAlong(const Lines& rep, std::size_t from, std::size_t to, int& piles) {
  double m = 0.0;
  piles = 0;
  for (long at = 0;;) {
    const test::wholerun::NodeRows rows = test::wholerun::alongPile(rep, from, at);
    if (at < 0 || static_cast<std::size_t>(at) >= to) break;
    ++piles;
    for (const auto& row : rows)
      for (const auto& [q, v] : row) m = std::fmax(m, std::fabs(v));
    from = at + 1;
  }
  return m;
}

TEST(EnvelopeSeriesRun, ASeriesWithNoAnalysedMemberHasAnEnvelopeOfZeroEverywhere) {
  for (const char* name : FIXTURES) {
    SCOPED_TRACE(name);
    test::ScratchDir dir;
    ASSERT_EQ(runInput(fixture(name)), 0);
    const Lines rep = readLines("run.rp2");
    const long cases = find(rep, "LOAD CASE ENV : 1"), comb = find(rep, "LOAD COMB. ENV : 1");
    ASSERT_GE(cases, 0);
    ASSERT_GT(comb, cases);
    // The load case's envelope carries the case's values, the left-out
    // combinations' envelope none of them, at the cap, the heads and along
    // every pile.
    int piles = 0;
    EXPECT_GT(largestAfter(rep, "DISPLACEMENT OF PILE CAP AT ORIGIN", cases, comb), 0.0);
    EXPECT_GT(largestAlong(rep, cases, comb, piles), 1.0E4);
    EXPECT_EQ(piles, 2 * (std::string(name).rfind("plane", 0) == 0 ? 2 : 4));
    for (const char* title : {"EQUIVALENT CONCENTRATED LOAD AT ORIGIN", "DISPLACEMENT OF PILE CAP AT ORIGIN",
                              "PILE TOP DISP. AND REACT. GLOBAL", "PILE TOP DISP. AND REACT. LOCAL"})
      EXPECT_EQ(largestAfter(rep, title, comb, rep.size()), 0.0) << title;
    EXPECT_EQ(largestAlong(rep, comb, rep.size(), piles), 0.0);
    EXPECT_EQ(piles, std::string(name).rfind("plane", 0) == 0 ? 4 : 8);
  }
}

TEST(EnvelopeSeriesRun, ASeriesTheInputDoesNotHaveGetsANoteAndNoEnvelope) {
  const Lines missing = {"LOAD COMB. ENV : 1", "      MINIMUM ENVELOPE", "     9 ANALYSIS NOT PERFORMED",
                         "LOAD COMB. ENV : 2", "      MAXIMUM ENVELOPE", "     9 ANALYSIS NOT PERFORMED"};
  const Lines caseEnvelopes = {"LOAD CASE ENV : 1", "      MINIMUM ENVELOPE", "    1 CALCULATED AND PRINTED",
                               "LOAD CASE ENV : 2", "      MAXIMUM ENVELOPE", "    1 CALCULATED AND PRINTED"};
  const Lines noCase = {"LOAD CASE ENV : 1", "      MINIMUM ENVELOPE", "     9 ANALYSIS NOT PERFORMED",
                        "LOAD CASE ENV : 2", "      MAXIMUM ENVELOPE", "     9 ANALYSIS NOT PERFORMED"};
  for (const char* name : FIXTURES) {
    for (const bool cases : {true, false}) {
      SCOPED_TRACE(testing::Message() << name << (cases ? ", no combination" : ", no case and no combination"));
      test::ScratchDir dir;
      ASSERT_EQ(runInput(withoutSeries(name, cases)), 0);
      // Status file: the case envelopes as calculated, or not performed
      // either when there is no case, then the combination envelopes not
      // performed.
      Lines expected = cases ? caseEnvelopes : noCase;
      expected.insert(expected.end(), missing.begin(), missing.end());
      const Lines status = readLines("run.sta");
      ASSERT_GE(status.size(), expected.size());
      EXPECT_EQ(Lines(status.end() - expected.size(), status.end()), expected);
      for (const std::string& l : status) EXPECT_EQ(l.find("LOAD COMB. :"), std::string::npos);

      // No combination tables in the second report; the note where they
      // would stand in the results report and the summary.
      EXPECT_EQ(find(readLines("run.rp2"), "LOAD COMB. ENV"), -1);
      EXPECT_EQ(find(readLines("run.rp2"), "LOAD CASE ENV") >= 0, cases);
      for (const char* file : {"run.out", "run.sum"}) {
        const Lines out = readLines(file);
        const long min = find(out, "     LOAD COMB. ENV : 1"), max = find(out, "     LOAD COMB. ENV : 2");
        ASSERT_GE(min, 0) << file;
        ASSERT_EQ(max, min + 6) << file;
        const Lines tail(out.begin() + min, out.begin() + max + 3);
        EXPECT_EQ(tail, (Lines{"     LOAD COMB. ENV : 1", "     COMB. NAME     : MINIMUM ENVELOPE",
                               "     NOTE: NO LOAD COMBINATION IN THE INPUT, NO ENVELOPE CALCULATED", "", "", "",
                               "     LOAD COMB. ENV : 2", "     COMB. NAME     : MAXIMUM ENVELOPE",
                               "     NOTE: NO LOAD COMBINATION IN THE INPUT, NO ENVELOPE CALCULATED"}))
            << file;
        if (!cases) {
          EXPECT_GE(find(out, "     NOTE: NO LOAD CASE IN THE INPUT, NO ENVELOPE CALCULATED"), 0) << file;
        }
      }
    }
  }
}

}  // namespace
}  // namespace drelm
