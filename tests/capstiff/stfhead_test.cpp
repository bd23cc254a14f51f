// The heading, unit tables and target lines of the equivalent-stiffness
// estimation, written into the files of a run of the minimal space group
// (English units with forces in kips).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capstiff/stfhead.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using test::readLines;

long find(const Lines& lines, const std::string& text) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(text, 0) == 0) return static_cast<long>(i);
  return -1;
}

class EstimationHeading : public ::testing::Test {
 protected:
  void SetUp() override {
    test::writeNamesFile();
    test::writeInputFile(test::readFile(test::dataFile("space_min.inp")));
    test::runToConvin(ISTAT);
    ASSERT_EQ(ISTAT, 0);
  }
  test::ScratchDir dir;
  std::int32_t ISTAT = 0;
};

TEST_F(EstimationHeading, SpaceUnitTablesAndTargetLines) {
  STFHEAD(1, 3);
  // Two factors; method 1, target degree of freedom 1.
  double CESTV[25] = {0.5, 1.0, 1.0, 1.0, 0.2};
  const double load[6] = {200000.0, 0, 0, 0, 0, 0}, disp[6] = {0.25, 0, 0, 0, 0, 0};
  EQLDWR(2, 3, 1, 0.5, 0.25, 0.1, CESTV, load, disp);
  // A total-load estimation writes no target line.
  CESTV[2] = 0.0;
  EQLDWR(2, 3, 2, 1.0, 0.0, 0.0, CESTV, load, disp);
  test::closeRun(ISTAT);

  const Lines out = readLines("run.out");
  const long t = find(out, "     * PILE CAP STIFFNESS ESTIMATION *");
  ASSERT_GE(t, 0);
  const std::string F = "      KIP      ", M = "    KIP-IN     ";
  const Lines want = {"     - BASED ON TARGET DEFLECTION   ",
                      "",
                      "    UNITS, LOAD AND DISP",
                      "   LOAD   " + F + F + F + M + M + M,
                      "   DISP         IN             IN             IN             RAD            RAD            RAD      ",
                      "",
                      "    UNITS, STIFFNESS",
                      "    DOF          1              2              3              4              5              6    ",
                      "      1       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
                      "      2       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
                      "      3       KIP/IN         KIP/IN         KIP/IN         KIP/RAD        KIP/RAD        KIP/RAD",
                      "      4         KIP            KIP            KIP        KIP-IN/RAD     KIP-IN/RAD     KIP-IN/RAD"};
  for (std::size_t k = 0; k < want.size(); ++k) EXPECT_EQ(out[t + 1 + k], want[k]) << k;
  const long tg = find(out, "       DISPLACEMENT X,  TARGET =");
  ASSERT_GE(tg, 0);
  EXPECT_EQ(out[tg], "       DISPLACEMENT X,  TARGET =    0.1000000 IN , COMPUTED =      0.25000 IN ");
  EXPECT_EQ(out[tg + 1].substr(0, 7), "   LOAD");
  EXPECT_EQ(out[tg + 1].substr(7, 15), "        200.000");  // kips
  EXPECT_EQ(out[tg + 3].substr(0, 7), "   LOAD");            // the second point: no target line

  const Lines sum = readLines("run.sum");
  EXPECT_GE(find(sum, "       N:    1  FACTOR :    0.5000"), 0);
  const Lines rep = readLines("run.rp2");
  EXPECT_GE(find(rep, "        1   N:    2  FACTOR :    1.0000"), 0);
}

}  // namespace
}  // namespace drelm
