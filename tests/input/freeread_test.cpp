#include "input/freeread.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>

namespace drelm {
namespace {

// Every record of the table is read into the same five targets, preset to
// values that no case reads, so that a target left unchanged shows.
constexpr std::int32_t KEEPI = -7;
constexpr double KEEPR = -7.5;
constexpr const char* KEEPT = "old";

struct RecordCase {
  const char* name;
  const char* input;
  bool ok;
  std::int32_t a, b;
  double x, y;
  const char* t;     // the six-character target, without its padding
  const char* next;  // the line read after the record (nullptr: none left)
  int failLine;      // for a failure: its line and a piece of its message
  const char* found;
};

const RecordCase kRecords[] = {
    // Separators
    {"blanks", "1 2 3.5 4.5 abc\n", true, 1, 2, 3.5, 4.5, "abc", nullptr, 0, nullptr},
    {"commas with blanks", "1 , 2,3.5 ,4.5,  abc\n", true, 1, 2, 3.5, 4.5, "abc", nullptr, 0, nullptr},
    {"tabs", "\t1\t2\t3.5\t4.5\tabc\n", true, 1, 2, 3.5, 4.5, "abc", nullptr, 0, nullptr},
    {"crlf", "1 2 3.5 4.5 abc\r\nNEXT\r\n", true, 1, 2, 3.5, 4.5, "abc", "NEXT", 0, nullptr},
    {"last line without end", "1 2 3.5 4.5 abc", true, 1, 2, 3.5, 4.5, "abc", nullptr, 0, nullptr},
    // Records over several lines; the rest of the last line is ignored
    {"over lines with a blank line", "1 2\n\n  3.5\n4.5 abc extra 9 /\nNEXT\n", true, 1, 2, 3.5, 4.5,
     "abc", "NEXT", 0, nullptr},
    {"rest of line ignored", "1 2 3.5 4.5 abc 9 9 @@garbage\nNEXT\n", true, 1, 2, 3.5, 4.5, "abc",
     "NEXT", 0, nullptr},
    {"comma ending a line", "1,\n2,\n3.5,4.5,abc\nNEXT\n", true, 1, 2, 3.5, 4.5, "abc", "NEXT", 0,
     nullptr},
    // Slash and empty values
    {"slash ends early", "1 2 / 9 9 9\nNEXT\n", true, 1, 2, KEEPR, KEEPR, KEEPT, "NEXT", 0, nullptr},
    {"slash glued to a value", "1 2 3.5/9\nNEXT\n", true, 1, 2, 3.5, KEEPR, KEEPT, "NEXT", 0, nullptr},
    {"slash alone", "/\nNEXT\n", true, KEEPI, KEEPI, KEEPR, KEEPR, KEEPT, "NEXT", 0, nullptr},
    {"two commas", "1,,3.5,,abc\n", true, 1, KEEPI, 3.5, KEEPR, "abc", nullptr, 0, nullptr},
    {"comma first", ",2,3.5,4.5,abc\n", true, KEEPI, 2, 3.5, 4.5, "abc", nullptr, 0, nullptr},
    {"blank comma blank comma", "1 , , 3.5 4.5 abc\n", true, 1, KEEPI, 3.5, 4.5, "abc", nullptr, 0,
     nullptr},
    {"empty value over a line end", "1,\n,3.5 4.5 abc\n", true, 1, KEEPI, 3.5, 4.5, "abc", nullptr, 0,
     nullptr},
    {"empty values then slash", "1,,,/\nNEXT\n", true, 1, KEEPI, KEEPR, KEEPR, KEEPT, "NEXT", 0, nullptr},
    // Repeat counts
    {"repeats", "2*5 2*0.25 abc\n", true, 5, 5, 0.25, 0.25, "abc", nullptr, 0, nullptr},
    {"repeated empty values", "2* 2*1.5 abc\n", true, KEEPI, KEEPI, 1.5, 1.5, "abc", nullptr, 0, nullptr},
    {"repeated empty before comma", "1,2*,4.5 abc\n", true, 1, KEEPI, KEEPR, 4.5, "abc", nullptr, 0,
     nullptr},
    {"repeat across kinds", "4*3 xyz\n", true, 3, 3, 3.0, 3.0, "xyz", nullptr, 0, nullptr},
    {"repeat past the targets", "1 2 3.5 4.5 3*q\nNEXT\n", true, 1, 2, 3.5, 4.5, "q", "NEXT", 0, nullptr},
    {"repeat of a quoted text", "1 2 3.5 4.5 2*'a b'\nNEXT\n", true, 1, 2, 3.5, 4.5, "a b", "NEXT", 0,
     nullptr},
    // Number forms
    {"integer limits", "2147483647 -2147483648 0 0 a\n", true, 2147483647, -2147483647 - 1, 0.0, 0.0,
     "a", nullptr, 0, nullptr},
    {"signed integers", "+4 -0 1 1 a\n", true, 4, 0, 1.0, 1.0, "a", nullptr, 0, nullptr},
    {"real forms", "1 2 1. .5 a\n", true, 1, 2, 1.0, 0.5, "a", nullptr, 0, nullptr},
    {"exponent forms", "1 2 -2.5E-3 1.5D2 a\n", true, 1, 2, -2.5e-3, 150.0, "a", nullptr, 0, nullptr},
    {"lower-case exponents", "1 2 1.5d2 +2e+1 a\n", true, 1, 2, 150.0, 20.0, "a", nullptr, 0, nullptr},
    {"underflow reads zero", "1 2 1e-400 -.0 a\n", true, 1, 2, 0.0, 0.0, "a", nullptr, 0, nullptr},
    // Texts
    {"quoted text", "1 2 3 4 'a b'\n", true, 1, 2, 3.0, 4.0, "a b", nullptr, 0, nullptr},
    {"double-quoted text with comma", "1 2 3 4 \"x,y\"\n", true, 1, 2, 3.0, 4.0, "x,y", nullptr, 0, nullptr},
    {"doubled quote", "1 2 3 4 'it''s'\n", true, 1, 2, 3.0, 4.0, "it's", nullptr, 0, nullptr},
    {"long word cut", "1 2 3 4 abcdefghij\n", true, 1, 2, 3.0, 4.0, "abcdef", nullptr, 0, nullptr},
    {"long quoted text cut", "1 2 3 4 'abc defgh'\n", true, 1, 2, 3.0, 4.0, "abc de", nullptr, 0, nullptr},
    {"empty quoted text", "1 2 3 4 ''\n", true, 1, 2, 3.0, 4.0, "", nullptr, 0, nullptr},
    {"word ends at slash", "1 2 3 4 ab/c\n", true, 1, 2, 3.0, 4.0, "ab", nullptr, 0, nullptr},
    // Wrong forms: the whole record is left unread
    {"decimal point in integer", "1.5 2 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"1.5\""},
    {"exponent in integer", "1 1e3 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"1e3\""},
    {"integer overflow", "2147483648 2 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"2147483648\""},
    {"letters for integer", "1 two 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "an integer, found \"two\""},
    {"quoted integer", "'1' 2 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"'1'\""},
    {"sign alone", "- 2 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"-\""},
    {"nan", "1 2 nan 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "a real number, found \"nan\""},
    {"infinity", "1 2 3 Inf a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"Inf\""},
    {"real overflow", "1 2 1e999 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"1e999\""},
    {"two points", "1 2 1.2.3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"1.2.3\""},
    {"point alone", "1 2 . 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\".\""},
    {"exponent without digits", "1 2 1e 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"1e\""},
    {"hexadecimal", "1 2 0x10 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"0x10\""},
    {"trailing letters", "1 2 3 4.5kN a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"4.5kN\""},
    {"zero repeat", "0*5 2 3 4 a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"0*5\""},
    {"repeat of a wrong form", "1 2 2*x a\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"2*x\""},
    {"open quote", "1 2 3 4 'abc\n'\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "a text, found \"'abc\""},
    {"text glued to a quote", "1 2 3 4 'ab'cd\n", false, 0, 0, 0, 0, nullptr, nullptr, 1, "\"'ab'cd\""},
    {"wrong form on a later line", "1 2\n\n3.5 x a\n", false, 0, 0, 0, 0, nullptr, nullptr, 3, "\"x\""},
    {"end of file in record", "1 2\n3.5\n", false, 0, 0, 0, 0, nullptr, nullptr, 3,
     "a real number, found the end of the file"},
    {"end of file after comma", "1,2,3.5,4.5,", false, 0, 0, 0, 0, nullptr, nullptr, 2, "a text, found the end"},
    {"empty file", "", false, 0, 0, 0, 0, nullptr, nullptr, 1, "an integer, found the end of the file"},
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

class FreeRecord : public testing::TestWithParam<RecordCase> {};

TEST_P(FreeRecord, ReadsTheTargets) {
  const RecordCase& c = GetParam();
  FreeReader rd(c.input);
  std::int32_t a = KEEPI, b = KEEPI;
  double x = KEEPR, y = KEEPR;
  FStr<6> t(KEEPT);
  const bool ok = rd.record({fInt(a), fInt(b), fReal(x), fReal(y), fText(t)}, "test line");
  ASSERT_EQ(ok, c.ok) << rd.message();
  EXPECT_EQ(rd.ok(), c.ok);
  if (c.ok) {
    EXPECT_EQ(a, c.a);
    EXPECT_EQ(b, c.b);
    EXPECT_DOUBLE_EQ(x, c.x);
    EXPECT_DOUBLE_EQ(y, c.y);
    EXPECT_EQ(t.view(), FStr<6>(c.t).view());
    std::string line;
    if (c.next) {
      ASSERT_TRUE(rd.rawLine(line, "next line")) << rd.message();
      EXPECT_EQ(line, c.next);
    }
    EXPECT_TRUE(rd.atEnd());
  } else {
    // A failed record leaves every target as it was.
    EXPECT_EQ(a, KEEPI);
    EXPECT_EQ(b, KEEPI);
    EXPECT_EQ(x, KEEPR);
    EXPECT_EQ(y, KEEPR);
    EXPECT_EQ(t.trimmed(), KEEPT);
    EXPECT_EQ(rd.lineNo(), c.failLine);
    EXPECT_NE(rd.message().find("test line: expected "), std::string::npos) << rd.message();
    EXPECT_NE(rd.message().find(c.found), std::string::npos) << rd.message();
    EXPECT_NE(rd.message().find("at line " + std::to_string(c.failLine)), std::string::npos)
        << rd.message();
  }
}

INSTANTIATE_TEST_SUITE_P(Conventions, FreeRecord, testing::ValuesIn(kRecords),
                         [](const testing::TestParamInfo<RecordCase>& i) {
                           std::string n;
                           for (const char* p = i.param.name; *p; ++p)
                             n += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
                           return n;
                         });

TEST(FreeReader, TextLinesArePaddedOrCut) {
  FreeReader rd("Title one\r\n\n" + std::string(90, 'x') + "\n\tTab\n");
  FStr<80> t1, t2, t3, t4;
  ASSERT_TRUE(rd.textLine(t1, "title line 1"));
  ASSERT_TRUE(rd.textLine(t2, "title line 2"));
  ASSERT_TRUE(rd.textLine(t3, "heading"));
  ASSERT_TRUE(rd.textLine(t4, "heading"));
  EXPECT_EQ(t1.view(), "Title one" + std::string(71, ' '));
  EXPECT_TRUE(t2.blank());
  EXPECT_EQ(t3.view(), std::string(80, 'x'));
  EXPECT_EQ(t4.trimmed(), "\tTab");
  EXPECT_TRUE(rd.atEnd());
  EXPECT_FALSE(rd.textLine(t1, "title line 1"));
  EXPECT_EQ(rd.lineNo(), 5);
  EXPECT_EQ(rd.message(), "title line 1: expected a line, found the end of the file at line 5");
  EXPECT_EQ(t1.trimmed(), "Title one");
}

TEST(FreeReader, LinesAreCountedAcrossRecordsAndErrorsStick) {
  const std::string file =
      "TITLE\n"           // 1
      "1 2\n"             // 2  record over lines 2-4
      "\n"                // 3
      "3 extra\n"         // 4
      "HEADING\n"         // 5
      "7, 8 junk\n"       // 6
      "9 q\n"             // 7  wrong form here
      "10 11\n";          // 8
  FreeReader rd(file);
  std::string s;
  std::int32_t v[3] = {0, 0, 0};
  ASSERT_TRUE(rd.rawLine(s, "title"));
  EXPECT_EQ(rd.lineNo(), 2);
  ASSERT_TRUE(rd.record({fInt(v[0]), fInt(v[1]), fInt(v[2])}, "first"));
  EXPECT_EQ(v[2], 3);
  EXPECT_EQ(rd.lineNo(), 5);
  ASSERT_TRUE(rd.rawLine(s, "heading"));
  EXPECT_EQ(s, "HEADING");
  ASSERT_TRUE(rd.record({fInt(v[0]), fInt(v[1])}, "second"));
  EXPECT_EQ(rd.lineNo(), 7);
  EXPECT_FALSE(rd.record({fInt(v[0]), fInt(v[1])}, "third"));
  EXPECT_EQ(rd.lineNo(), 7);
  const std::string first = rd.message();
  EXPECT_EQ(first, "third: expected an integer, found \"q\" at line 7");
  // Later reads do nothing and keep the first failure.
  EXPECT_FALSE(rd.record({fInt(v[0])}, "fourth"));
  EXPECT_FALSE(rd.rawLine(s, "fifth"));
  rd.fail("a later failure");
  EXPECT_EQ(rd.message(), first);
  EXPECT_EQ(rd.lineNo(), 7);
  EXPECT_EQ(v[0], 7);
  EXPECT_EQ(v[1], 8);
}

TEST(FreeReader, CallerFailureNamesTheLastLineRead) {
  FreeReader rd("HEAD\n5\n6\n  3000\nmore\n");
  std::string s;
  std::int32_t n = 0, m = 0;
  ASSERT_TRUE(rd.rawLine(s, "heading"));
  ASSERT_TRUE(rd.record({fInt(n), fInt(m)}, "counts"));  // spans lines 2 and 3
  ASSERT_TRUE(rd.record({fInt(n)}, "count"));            // line 4
  rd.fail("count 3000 beyond 2500");
  EXPECT_FALSE(rd.ok());
  EXPECT_EQ(rd.lineNo(), 4);
  EXPECT_EQ(rd.message(), "count 3000 beyond 2500");
  EXPECT_FALSE(rd.rawLine(s, "next"));
}

TEST(FreeReader, SkippedTargetsAndEmptyRecords) {
  FreeReader rd("1 'any thing' 2.5x 4\nskipped line 1.5.5\n9\n");
  std::int32_t a = 0, d = 0, e = 0;
  ASSERT_TRUE(rd.record({fInt(a), fSkip(), fSkip(), fInt(d)}, "with skips"));
  EXPECT_EQ(a, 1);
  EXPECT_EQ(d, 4);
  ASSERT_TRUE(rd.record({}, "skip a line"));
  ASSERT_TRUE(rd.record({fInt(e)}, "last"));
  EXPECT_EQ(e, 9);
  EXPECT_FALSE(rd.record({}, "past the end"));
  EXPECT_EQ(rd.lineNo(), 4);
}

// Arbitrary bytes must never crash the reader or read out of bounds (the
// sanitizer build catches the latter); every record either reads or fails.
TEST(FreeReader, SurvivesArbitraryInput) {
  std::mt19937 gen(12345);
  using namespace std::string_literals;
  const std::string alphabet = "0123456789+-.eEdD*,/ '\"\t\r\n\nxX\0\xff"s;
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> len(0, 60);
  for (int round = 0; round < 20000; ++round) {
    std::string in;
    for (int k = len(gen); k > 0; --k) in += alphabet[pick(gen)];
    FreeReader rd(in);
    std::int32_t i = 0;
    double r = 0;
    FStr<4> t;
    std::string s;
    for (int k = 0; k < 4 && rd.ok(); ++k) {
      rd.record({fInt(i), fReal(r), fText(t), fSkip()}, "fuzz");
      rd.rawLine(s, "fuzz line");
    }
    EXPECT_TRUE(rd.ok() || (!rd.message().empty() && rd.lineNo() >= 1));
    EXPECT_TRUE(r - r == 0.0);
  }
}

}  // namespace
}  // namespace drelm
