// The preprocessing on input files read and converted by the input stage:
// what the report shows of a real input, and the fatal paths a real input
// reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prepro.h"
#include "input/readin_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;
using test::replaced;

const char* const kPlaneControl = "1 2 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0";

struct PrepRun {
  std::int32_t status = 0;
  Lines echo, log, results;
};

PrepRun readConvertPrepare(const std::string& input) {
  PrepRun r;
  const test::InputRun in = test::runInput(input, true);
  r.status = in.status;
  if (r.status == 0) PREPRO(r.status);
  io::CLOSEALL();
  r.echo = test::readLines("run.echo");
  r.log = test::readLines("run.log");
  r.results = test::readLines("run.out");
  return r;
}

// The lines of `all` from the first line equal to `from`, `count` of them.
Lines slice(const Lines& all, const std::string& from, std::size_t count) {
  const auto it = std::find(all.begin(), all.end(), from);
  if (it == all.end()) return {};
  return Lines(it, it + std::min<std::ptrdiff_t>(count, all.end() - it));
}

// English plane rows: lengths come back in feet, diameters in inches, the
// slope column is the tangent of the slope angle.
TEST(PrepFromInput, PlaneRowsAndSectionsOfARealInput) {
  test::ScratchDir dir;
  const PrepRun r = readConvertPrepare(replaced(test::PLANE_INPUT, "CONTROL\n", std::string(kPlaneControl) + "\n"));
  ASSERT_EQ(r.status, 0);

  const Lines tableD = {
      "     * TABLE D *   ARRANGEMENT OF PILE GROUPS",
      "",
      "       GROUP   CONNECT   NO OF PILE   PILE PROP    P-Y CURVE    L-S CURVE    R-F-L SET",
      "         1       FIX         3            1           0           1 G           0 ",
      "         2       FIX         3            1           0           2 G           0 ",
      "",
      "       GROUP     VERT,FT       HOR,FT    SLOPE,IN/IN   GROUND,FT  SPRING,LBS-IN  SPACING,FT",
      "         1         0.00000     -3.00000      0.00000      5.00000      0.00000      3.00000 ",
      "         2         0.00000      3.00000      0.17633      5.00000      0.00000      3.00000 ",
      "",
      "",
      "",
      "     * TABLE E *   PILE GEOMETRY AND PROPERTIES ",
      "                   PILE TYPE = 1 - DRIVEN PILE",
      "                             = 2 - DRILLED SHAFT",
      "",
      "       PROP   SECTS   INC     PILE TYPE      LENGTH, FT    ",
      "         1      1      50          1             50.000 ",
      "",
      "     * PILE SECTIONS *",
      "",
      "       PROP    SECT      FROM,FT         TO,FT    CROSS SECT  ",
      "         1       1        0.00000        50.0000       1 ",
      "",
      "     * PILE CROSS SECTIONS *",
      "",
      "      CROSS SECTION       :     1",
      "      SECTION NAME        : PIPE24                          ",
      "",
      "      TYPE                :  ELASTIC",
      "      CROSS SECTION TYPE  : GENERAL SECTION  ",
      "      EQUIVALENT DIAMETER :       24.0000 IN ",
      "      YOUNG MODULUS       :   2.90000E+07 LBS/IN**2 ",
      "",
      "     * PILE CROSS SECTIONS PROPERTIES *",
      "",
      "              ELASTIC SECTIONS         ",
      "",
      "       SECT           DIAM,IN     AREA,IN**2      I,IN**4     Mn,LBS-IN      Vn,LBS",
      "         1             24.0000       36.9000       2549.00   1.00000E+07   5.00000E+05 ",
  };
  const Lines got = slice(r.echo, tableD.front(), tableD.size());
  ASSERT_EQ(got.size(), tableD.size());
  for (std::size_t k = 0; k < got.size(); ++k) EXPECT_EQ(got[k], tableD[k]) << "line " << k;

  // The slope of row 2 is 10 degrees; the cap base lies at the highest head,
  // the cap having no thickness.
  EXPECT_DOUBLE_EQ(PILEAR.PBATT(2), 10.0 * 3.141592653589793 / 180.0);
  EXPECT_EQ(CAPSOL.CAPX0, 0.0);
  EXPECT_DOUBLE_EQ(SECTAB.SEIZT(1, 1), 2549.0 * 29.0e6);
}

// Input that the reader takes but that names a cross section or a pile
// property that does not exist ends the run in the preprocessing with the
// capacity status, and the reason goes to the runtime log and the results.
TEST(PrepFromInput, MissingSectionOrPropertyEndsTheRun) {
  const struct {
    const char* what;
    const char* from;
    const char* to;
    const char* reason;
  } cases[] = {
      {"section row names section 2", "0.0 50.0 1\n", "0.0 50.0 2\n",
       "     PILE PROPERTY 1: SECTION ROW 1 NAMES CROSS SECTION 2"},
      {"pile row names property 3", "2 3 1 0 0 0 2\n", "2 3 3 0 0 0 2\n", "     PILE 2 NAMES PILE PROPERTY 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScratchDir dir;
    std::string input = replaced(test::PLANE_INPUT, "CONTROL\n", std::string(kPlaneControl) + "\n");
    const std::string spoilt = replaced(input, c.from, c.to);
    ASSERT_NE(spoilt, input);
    const PrepRun r = readConvertPrepare(spoilt);
    EXPECT_EQ(r.status, STAT_CAPACITY);
    for (const Lines* file : {&r.log, &r.results}) {
      const Lines block = slice(*file, std::string(29, ' ') + "**** FATAL ERROR ****", 2);
      ASSERT_EQ(block.size(), 2u);
      EXPECT_EQ(block[1], c.reason);
    }
  }
}

}  // namespace
}  // namespace drelm
