// The decks of the plate option 2, line by line, and the plate solution run
// on the deck a deck run wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "fecap/capdeck.h"
#include "fecap/fecap.h"
#include "fecap/platedeck.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm::test {
namespace {

const double PI = 3.14159265358979323846;

void twoByOneCap() {
  setCap(2, 1, 8.0, 4.0, 1.5, 3.0E6, 0.2,
         {{-2.0, 1.0, 0.0, PI / 2, 1}, {2.0, -1.0, PI / 2, PI / 3, 2}}, 2);
  CURCTL.DTCUR0 = 0.25;
}

TEST(PlateDecks, NumericDeckOfATwoByOneMeshLineByLine) {
  ScratchDir dir;
  twoByOneCap();
  const double P[6] = {100, 20, 30, 40, 50, 60};
  std::int32_t ISTAT = 0;
  FECAP(P, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto D = readLines("run.fedeck");
  const std::vector<std::string> head = {
      " TEST OF DRELM5_FC",
      "      13       2       1       8       2       0       0       0       0       0       9       0       0       0       2       1",
      "    0.2500    0.0000    1.0000    0.0100        20  0.10000E-04",
      "       1       1       1       1       3      11       9       2       7      10       6",
      "       2       2       1       3       5      13      11       4       8      12       7",
      // Plate frame: x = cap Z, y = cap Y.
      "       1       1      2.0000     -4.0000",
      "       2       2      2.0000     -2.0000",
      "       3       3      2.0000      0.0000",
      "       4       4      2.0000      2.0000",
      "       5       5      2.0000      4.0000",
      "       6       6      0.0000     -4.0000",
      "       7       7      0.0000      0.0000",
      "       8       8      0.0000      4.0000",
      "       9       9     -2.0000     -4.0000",
      "      10      10     -2.0000     -2.0000",
      "      11      11     -2.0000      0.0000",
      "      12      12     -2.0000      2.0000",
      "      13      13     -2.0000      4.0000",
      "       1  0.30000E+07  0.20000E+00  0.15000E+01",
      // The cap load at the centre in the plate's order: Fz, Fy, -Fx, -My, Mz, 0.
      "  0.00000E+00  0.00000E+00  0.30000E+02  0.20000E+02 -0.10000E+03 -0.50000E+02  0.60000E+02  0.00000E+00",
      // The first torsion force: at cap Y = R = 1.5 (thickness), along Z, P4 / (8 R),
      // whole: five digits would not read back as the force.
      "  0.00000E+00  0.15000E+01 3.3333333333333335  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00",
  };
  ASSERT_EQ(D.size(), 3u + 2u + 13u + 1u + 9u + 2u);
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(D[i], head[i]) << i + 1;
  // Piles: pinned vertical pile, then a battered pile fixed at its head.
  EXPECT_EQ(D[28], "  0.10000E+01 -0.20000E+01  0.10000E+01  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00");
  // cos 60 degrees is not 0.5 in binary: it is written whole.
  EXPECT_EQ(D[29], " -0.10000E+01  0.20000E+01  0.00000E+00 0.5000000000000001  0.00000E+00  0.10000E+01  0.10000E+01  0.10000E+01");
  // The eight torsion forces carry the torsion P4 about X: sum of y u - x v.
  double mx = 0, fy = 0, fz = 0;
  for (int i = 20; i < 28; ++i) {
    std::istringstream s(D[i]);
    double x, y, u, v;
    s >> x >> y >> u >> v;
    mx += y * u - x * v;
    fy += v, fz += u;
  }
  EXPECT_NEAR(mx, 40.0, 1e-3);
  EXPECT_NEAR(fy, 0.0, 1e-9);
  EXPECT_NEAR(fz, 0.0, 1e-9);
  // The file list names the run's own plate files; no run file is touched.
  EXPECT_EQ(readLines(GSLAB_NAME),
            (std::vector<std::string>{"run.fekey", "run.fedeck", "run.felist", "run.fepost", "run.feconv"}));
  EXPECT_FALSE(std::filesystem::exists("run.plot"));
  EXPECT_FALSE(std::filesystem::exists("run.inp"));
}

TEST(PlateDecks, KeywordDeckKeepsTheCapLayout) {
  ScratchDir dir;
  twoByOneCap();
  const double P[6] = {100, 20, 30, 0, 50, 60};
  std::int32_t ISTAT = 0;
  DECKWR(P, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto K = readLines("run.fekey");
  const std::vector<std::string> want = {
      " DRELM5_FC", " TITLE", " TEST OF DRELM5_FC", " ELEMENT_DATA", " QUAD8  REDUCED_INTEGRATION",
      "*       1       1       1       3      11       9       2       7      10       6",
      "*       2       1       3       5      13      11       4       8      12       7", " END_ELEMENT_DATA",
      " NODE_DATA", "*       1      0.0000     -4.0000      2.0000"};
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(K[i], want[i]) << i + 1;
  const std::vector<std::string> tail = {
      " END_NODE_DATA",
      " MATERIAL_DATA",
      "*    ALL  0.30000E+07  0.20000E+00  0.15000E+01",
      " END_MATERIAL_DATA",
      " CONCENTRATED_LOAD_DATA",
      "*  0.00000E+00  0.00000E+00  0.00000E+00  0.10000E+03  0.20000E+02  0.30000E+02  0.00000E+00  0.50000E+02  0.60000E+02",
      " END_CONCENTRATED_LOAD_DATA",
      " TOTAL_CONCENTRATED_STIFFNESS_DATA",
      "*  0.00000E+00 -0.20000E+01  0.10000E+01  0.10000E+01  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00",
      "*  0.00000E+00  0.20000E+01 -0.10000E+01  0.00000E+00 0.5000000000000001  0.00000E+00  0.10000E+01  0.10000E+01  0.10000E+01",
      " END_TOTAL_CONCENTRATED_STIFFNESS_DATA",
      " TIME_STEPPING_DATA",
      "    0.2500    0.0000    1.0000    0.0100        20  0.10000E-04",
      " END_TIME_STEPPING_DATA",
      " END_DATA"};
  ASSERT_EQ(K.size(), 9u + 13u + tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(K[22 + i], tail[i]) << i;
  // Without torsion one concentrated load.
  EXPECT_EQ(readLines("run.fedeck")[1].substr(80, 8), "       1");
}

std::vector<double> values(const std::string& line) {
  std::istringstream s(line);
  std::vector<double> v;
  for (std::string t; s >> t;) {
    char* end = nullptr;
    v.push_back(std::strtod(t.c_str(), &end));
    EXPECT_EQ(*end, '\0') << t;
  }
  return v;
}

// The values of a keyword-deck data line, after its "*" (and "    ALL").
std::vector<double> keyValues(const std::string& line) {
  EXPECT_EQ(line[0], '*');
  const std::string rest = line.substr(1);
  return values(rest.rfind("    ALL", 0) == 0 ? rest.substr(7) : rest);
}

// Values that their fields cannot hold: a first step of 1E-5 (F10.4), a
// modulus of nine digits (E13.5), an exponent of three digits, node
// coordinates with more than four decimals and one too wide for F12.4, an
// iteration limit wider than I10. Each reads back as the value written.
TEST(PlateDecks, EveryValueOfBothDecksReadsBackAsTheValueWritten) {
  ScratchDir dir;
  setCap(3, 1, 1.0E9, 7.0, 1.0E-200, 1.23456789E10, 0.2, {{0.1, -0.7, 1.0, 0.3, 2}}, 2);
  FECOPT.FEXOFF = 1.0 / 3.0;
  CURCTL.DTCUR0 = 1.0E-5;
  CURCTL.DTCMIN = 2.5E-7;
  CURCTL.MAXITC = -2147483647;
  CURCTL.TOLCAP = 1.234567E-4;
  const double P[6] = {1.0E-300, 2.0 / 3.0, 0, 0, 0, 0};
  std::int32_t ISTAT = 0;
  DECKWR(P, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  const auto D = readLines("run.fedeck");
  const auto K = readLines("run.fekey");
  ASSERT_EQ(D.size(), 3u + 3u + 18u + 1u + 1u + 1u);
  const std::vector<double> stepping = {1.0E-5, 0.0, 1.0, 2.5E-7, -2147483647.0, 1.234567E-4};
  EXPECT_EQ(values(D[2]), stepping);
  EXPECT_EQ(values(K[K.size() - 3]), stepping);
  EXPECT_EQ(values(D[24]), (std::vector<double>{1, 1.23456789E10, 0.2, 1.0E-200}));
  EXPECT_EQ(keyValues(K[30]), (std::vector<double>{1.23456789E10, 0.2, 1.0E-200}));
  // Every node where the mesh puts it (plate x = Z, y = Y): full row, middle
  // row, full row.
  const double hy = 1.0E9 / 3, y0 = FECOPT.FEXOFF - 0.5E9;
  for (int n = 1; n <= 18; ++n) {
    const bool middle = n >= 8 && n <= 11;
    const int k = n <= 7 ? n - 1 : (middle ? n - 8 : n - 12);
    const double y = middle ? y0 + k * hy : y0 + k * hy / 2;
    const double z = n <= 7 ? 3.5 : (middle ? 3.5 - 0.5 * 7.0 : 3.5 - 7.0);
    EXPECT_EQ(values(D[5 + n]), (std::vector<double>{double(n), double(n), z, y})) << n;
    EXPECT_EQ(keyValues(K[9 + n]), (std::vector<double>{double(n), 0.0, y, z})) << n;
  }
  EXPECT_EQ(values(D[25]), (std::vector<double>{0, 0, 0, 2.0 / 3.0, -1.0E-300, 0, 0, 0}));
  EXPECT_EQ(values(D[26]), (std::vector<double>{-0.7, 0.1, std::fabs(std::cos(1.0)), std::fabs(std::cos(0.3)), 0,
                                                 1, 1, 1}));
}

TEST(PlateDecks, APlateFileThatWouldReplaceARunFileStopsTheDeckRun) {
  ScratchDir dir;
  twoByOneCap();
  FNAMES.FNU(U_INPUT) = "run.fedeck";
  writeFile("run.fedeck", "the input data\n");
  const double P[6] = {1, 0, 0, 0, 0, 0};
  std::int32_t ISTAT = 0;
  FECAP(P, ISTAT);
  EXPECT_EQ(ISTAT, STAT_PLATE);
  EXPECT_EQ(readFile("run.fedeck"), "the input data\n");
}

}  // namespace
}  // namespace drelm::test
