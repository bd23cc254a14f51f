// A whole run through layers of liquefied sand, silt, elastic subgrade, vuggy
// limestone, weak rock and user curves, with printed p-y curves in each.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run/rundrv.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// The lines of v from the first that equals first, n of them.
Lines slice(const Lines& v, const std::string& first, std::size_t n) {
  for (std::size_t i = 0; i < v.size(); ++i)
    if (v[i] == first) return Lines(v.begin() + i, v.begin() + std::min(v.size(), i + n));
  return {};
}

TEST(PyRockRun, PrintedCurvesOfEveryNewSoilType) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeFile("input.inp", test::readFile(test::dataFile("pyrock_space.inp")));
  ASSERT_EQ(IDRELM(6), 0);
  const Lines echo = test::readLines("run.echo");
  const std::string all = test::readFile("run.echo");
  // The user p-y curves echoed in internal units, their depths in feet.
  EXPECT_EQ(slice(echo, "     * TABLE G *   INPUT P-Y CURVES", 19),
            (Lines{"     * TABLE G *   INPUT P-Y CURVES", "", "       NUM OF SETS :  1", "", "",
                   "       SET  1          NUM OF CURVES  2", "", "",
                   "        CURVE       1      DISTANCE FROM ORIGIN (X-COORD.)      60.0000 FT ", " ",
                   "            POINT             P LBS                 Y IN",
                   "              1                0.00000              0.00000 ",
                   "              2                5000.00              0.50000 ",
                   "              3                6000.00              2.00000 ", "",
                   "        CURVE       2      DISTANCE FROM ORIGIN (X-COORD.)      80.0000 FT ", " ",
                   "            POINT             P LBS                 Y IN",
                   "              1                0.00000              0.00000 "}));
  EXPECT_NE(all.find("     * TABLE N *   PRINTED P-Y CURVES"), std::string::npos);
  for (const char* name : {"LIQUIFIED SAND CRITERIA", "SILT CRITERIA", "ELASTIC SUBGRADE CRITERIA",
                           "VUGGY LIMESTONE CRITERIA", "WEAK ROCK CRITERIA"})
    EXPECT_NE(all.find(std::string("         P-Y CURVE COMPUTED USING ") + name + "\n"), std::string::npos)
        << name;
  EXPECT_NE(all.find("IS BELOW TIP OF REQUIRED PILE"), std::string::npos);

  // Elastic subgrade 25 ft deep, ST 2 psi, ks 100 pci, b 24 in, kips shown:
  // 24 x 100 x 0.01 lb/in on the line, then b ST = 48 lb/in.
  EXPECT_EQ(slice(echo, "         P-Y CURVE COMPUTED USING ELASTIC SUBGRADE CRITERIA", 10),
            (Lines{"         P-Y CURVE COMPUTED USING ELASTIC SUBGRADE CRITERIA", "",
                   "          DEPTH BELOW GS     DIAM        ST           ES",
                   "                FT            IN      KIP/IN**2     KIP/IN**3 ",
                   "               25.00         24.000   0.20E-02      0.10E+00", "",
                   "                                      Y                   P",
                   "                                      IN               KIP/IN",
                   "                              1.00000E-02           0.0240000 ",
                   "                                0.1000000           0.0480000 "}));
  // Liquefied sand 5 ft deep: its own heading; the first point at 1.0E-4 of
  // the 150 mm reference deflection, the last two at the ultimate resistance.
  const Lines liq = slice(echo, "         P-Y CURVE COMPUTED USING LIQUIFIED SAND CRITERIA", 26);
  ASSERT_EQ(liq.size(), 26u);
  EXPECT_EQ(Lines(liq.begin(), liq.begin() + 9),
            (Lines{"         P-Y CURVE COMPUTED USING LIQUIFIED SAND CRITERIA", "",
                   "         Depth below ground surface       =        5.000 FT",
                   "         Diameter                         =       24.000 IN",
                   "         Gamma Avg                        =      0.05000 KIP/FT**3",
                   "         Pu                               =        0.274 KIP/IN",
                   "                                   y, IN            p, KIP/IN",
                   "                              ------------       -------------",
                   "                              5.90551E-04         4.34966E-09 "}));
  EXPECT_EQ(liq[23], "                                  5.90551             0.27392 ");
  EXPECT_EQ(liq[24], "                                  6.49606             0.27392 ");
  // Weak rock 45 ft deep: qu / 2 = 0.5 ksi, the straight line Kir y first.
  EXPECT_EQ(slice(echo, "              DEPTH     DIAM       C         PU    GAMMA AVG      KRM", 6)[2],
            "               45.00    24.000  0.50E+00  0.83E+02  0.57E-01   0.500E-03");
}

}  // namespace
}  // namespace drelm
