#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "report/writers.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm {
namespace {

// One line of the reference table made by the Fortran runtime's own edits
// (tests/report/refgen): w d bits|report|buffer|Fw.d|1PEw.d|
struct RefCase {
  int w = 0, d = 0;
  double x = 0;
  std::string report, buffer, fixed, exponent;
  std::string where;
};

std::vector<RefCase> loadReference() {
  std::vector<RefCase> cases;
  const auto lines = test::readLines(test::dataFile("report/realfields.txt"));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    RefCase c;
    std::istringstream head(l.substr(0, l.find('|')));
    std::string bits;
    head >> c.w >> c.d >> bits;
    c.x = std::bit_cast<double>(static_cast<std::uint64_t>(std::stoull(bits, nullptr, 16)));
    std::vector<std::string> f;
    std::size_t p = l.find('|');
    while (p != std::string::npos && f.size() < 4) {
      f.push_back(l.substr(p + 1, static_cast<std::size_t>(c.w)));
      p += 1 + static_cast<std::size_t>(c.w);
    }
    if (f.size() != 4) {
      ADD_FAILURE() << "malformed reference line " << i + 1 << ": " << l;
      continue;
    }
    c.report = f[0];
    c.buffer = f[1];
    c.fixed = f[2];
    c.exponent = f[3];
    c.where = "line " + std::to_string(i + 1) + ": " + l;
    cases.push_back(c);
  }
  return cases;
}

TEST(RealFields, MatchTheFortranEditsOfTheReferenceTable) {
  const auto cases = loadReference();
  ASSERT_GT(cases.size(), 50u);
  for (const RefCase& c : cases) {
    SCOPED_TRACE(c.where);
    EXPECT_EQ(realField(c.w, c.d, c.x), c.report);
    EXPECT_EQ(bufferRealField(c.w, c.d, c.x), c.buffer);
    EXPECT_EQ(fixedField(c.w, c.d, c.x), c.fixed);
    EXPECT_EQ(exponentField(c.w, c.d, c.x), c.exponent);
  }
}

TEST(RealFields, NonPositiveWidthIsAnEmptyFieldAndNegativeDigitsActAsZero) {
  EXPECT_EQ(realField(0, 3, 1.5), "");
  EXPECT_EQ(realField(-4, 3, 1.5), "");
  EXPECT_EQ(fixedField(0, 2, 1.5), "");
  EXPECT_EQ(realField(8, -2, 25.0), realField(8, 0, 25.0));
  EXPECT_EQ(fixedField(6, -1, 2.0), "    2.");
}

TEST(RealFields, WideFieldsAndManyDigitsStayInsideTheirWidth) {
  // Far more decimals than the width holds: asterisks, never an overrun.
  EXPECT_EQ(fixedField(12, 400, 1.0), std::string(12, '*'));
  EXPECT_EQ(exponentField(12, 400, 1.0), std::string(12, '*'));
  EXPECT_EQ(fixedField(8, 2, 1.0e308), std::string(8, '*'));
  const std::string wide = realField(300, 3, -1234.6);
  EXPECT_EQ(wide, std::string(290, ' ') + "-1.235E+03");
}

TEST(ReportWriters, AssembleOneLineWithATrailingBlank) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(16, "out.txt", io::Access::Write));
  WRREAL(16, 10, 3, 1234.6);
  WRREAL(16, 10, 3, 0.5);
  WRINT(16, 5, -42);
  WRINT(16, 2, 123);
  WRBLNK(16, 2);
  WRBLNK(16, 0);
  WRBLNK(16, -3);
  WRA10(16, "PILE");
  WRA6(16, "TOOLONGTEXT");
  WRA1(16, "XY");
  WRA2(16, "A");
  WRA3(16, "ABC");
  WRTRIM(16, "  lead and trail   ");
  WRTRIM(16, "      ");
  WREOL(16);
  WRREAL(16, 6, 3, -1234.6);  // asterisks, and the line goes on
  WRINT(16, 3, 7);
  WREOL(16);
  WREOL(16);
  io::CLOSE(16);
  const auto lines = test::readLines("out.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            " 1.235E+03     0.500  -42**   PILE        TOOLON XA ABC  lead and trail ");
  EXPECT_EQ(lines[1], "******  7 ");
  EXPECT_EQ(lines[2], " ");
}

TEST(ReportWriters, TrimmedTextIsAtMost256Characters) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(16, "out.txt", io::Access::Write));
  WRTRIM(16, std::string(256, 'a') + "bbb");
  WRA256(16, std::string(300, 'c'));
  WREOL(16);
  io::CLOSE(16);
  const auto lines = test::readLines("out.txt");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], std::string(256, 'a') + " " + std::string(256, 'c') + "  ");
}

TEST(BufferWriters, PlaceFieldsAtTheColumnAndAdvanceIt) {
  LineBuffer buf;
  std::memset(buf, '.', sizeof buf);
  int c = 1;
  BFREAL(buf, 10, 3, 0.5, c);  // exponent form below the buffer bound of 1
  EXPECT_EQ(c, 11);
  BFBLNK(buf, 2, c);
  BFBLNK(buf, 0, c);
  EXPECT_EQ(c, 13);
  BFTEXT(buf, "NODE", 6, c);  // short text padded with blanks
  BFTEXT(buf, "ABCDEF", 3, c);
  BFREAL(buf, 8, 3, 5.5, c);
  EXPECT_EQ(c, 30);
  EXPECT_EQ(std::string(buf, 30), " 5.000E-01  NODE  ABC   5.500.");
}

TEST(BufferWriters, ColumnsPastTheEndOfTheBufferAreDropped) {
  // The guard bytes around the buffer must survive a field that runs past
  // its end or starts before it.
  struct {
    char before[8];
    LineBuffer buf;
    char after[8];
  } g;
  std::memset(&g, '#', sizeof g);
  int c = 495;
  BFREAL(g.buf, 10, 3, 1234.6, c);
  EXPECT_EQ(c, 505);
  EXPECT_EQ(std::string(g.buf + 494, 6), " 1.235");
  BFTEXT(g.buf, "XYZ", 3, c);
  BFBLNK(g.buf, 4, c);
  EXPECT_EQ(c, 512);
  c = -2;
  BFREAL(g.buf, 6, 2, 12.5, c);  // "  12.5"
  EXPECT_EQ(c, 4);
  EXPECT_EQ(std::string(g.buf, 3), "2.5");
  EXPECT_EQ(std::string(g.before, 8), std::string(8, '#'));
  EXPECT_EQ(std::string(g.after, 8), std::string(8, '#'));
}

// Exponent fields with the mantissa below 1.
TEST(ReportWriters, ExponentFieldWithTheMantissaBelowOne) {
  const struct {
    int w, d;
    double x;
    const char* text;
  } cases[] = {
      {15, 7, 4500.0, "  0.4500000E+04"},
      {15, 7, -0.0001, " -0.1000000E-03"},
      {16, 4, 0.0, "      0.0000E+00"},
      {15, 7, 0.99999999, "  0.1000000E+01"},
      {13, 4, 1.0e100, "   0.1000+101"},
      {10, 4, -1.5, "-.1500E+01"},
      {8, 4, -1.5, "********"},
      {12, 1, 7.0, "     0.7E+01"},
      {12, 3, 1.0e-200, "   0.100-199"},
      {10, 4, std::numeric_limits<double>::quiet_NaN(), "       NaN"},
      {8, 4, -std::numeric_limits<double>::infinity(), "********"},
  };
  for (const auto& c : cases) EXPECT_EQ(EFIELD(c.w, c.d, c.x), c.text) << c.x;
}

}  // namespace
}  // namespace drelm
