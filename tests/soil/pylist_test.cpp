// The listing of requested p-y curves: refused requests with their reasons,
// and a generated curve checked line by line on the input echo and the plot
// data file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "report/writers.h"
#include "model/tables.h"
#include "model/fileio.h"
#include "soil/pyfixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

struct Request {
  int pile;
  double depth;
  std::vector<double> defl;
};

// Soft clay from X = 6 to 100 over user curves to 200; pile 1 with its head at
// X = -12, the ground at X = 0 and the tip at 228; pile 2 takes user curves.
void listingFixture(std::initializer_list<Request> requests) {
  test::setRun();
  test::setSoil({{1, 6, 100, 0.0, 1.0, 0, 0, 0.01}, {5, 100, 200}});
  test::setPile(1, 12, 240, 20, -12.0, 12.0);
  test::setPile(2, 12, 240, 20, -12.0, 12.0);
  RUNCTL.IUSRPY = 1;  // user p-y curves are given: the set of pile 2 is in use
  PILEAR.IPYSET(2) = 1;
  int j = 0;
  for (const Request& r : requests) {
    ++j;
    PYPRT.PRTPIL(j) = r.pile;
    PYPRT.PRTDEP(j) = r.depth;
    PYPRT.PRTNPT(j) = static_cast<int>(r.defl.size());
    for (std::size_t k = 0; k < r.defl.size(); ++k) PYPRT.PRTDEF(static_cast<int>(k) + 1, j) = r.defl[k];
  }
  PYPRT.NPYPRT = j;
}

struct Output {
  Lines echo, plot;
  std::int32_t st = 0;
};

Output runListing(std::int32_t option = 1) {
  test::ScratchDir dir;
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  io::OPEN(U_PLOT, "plot", io::Access::Write);
  Output out;
  PYTABN(option, out.st);
  io::CLOSEALL();
  out.echo = test::readLines("echo");
  out.plot = test::readLines("plot");
  return out;
}

const std::string B9(9, ' ');

Lines head(int j, int pile) {
  return {"", "", B9 + "CURVE NUMBER              =" + intField(5, j), "",
          B9 + "PILE GROUP NUMBER         =" + intField(5, pile)};
}

TEST(PyList, RefusedRequestsGiveTheirReasons) {
  struct Case {
    const char* name;
    Request request;
    Lines message;  // after the request lines
  } cases[] = {
      {"at the ground line", {1, 0.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,        0.00 FT,",
        B9 + "IS ABOVE OR EQUAL TO THE SOIL GROUND FOR REQUIRED PILE,       0.00 FT"}},
      {"below the tip", {1, 240.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,       20.00 FT,",
        B9 + "IS BELOW TIP OF REQUIRED PILE,      19.00 FT"}},
      {"above the head, no cap", {1, -24.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,       -2.00 FT,",
        B9 + "IS ABOVE TOP OF REQUIRED PILE,      -1.00 FT"}},
      {"above the soil top", {1, 3.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,        0.25 FT,",
        B9 + "IS ABOVE OR EQUAL TO THE DEFINED SOIL TOP,       0.50 FT"}},
      {"at the soil bottom", {1, 200.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,          16.67 FT,",
        B9 + "IS BELOW OR EQUAL TO THE DEFINED SOIL BOTTOM,      16.67 FT"}},
      {"pile with user curves", {2, 24.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE A USER DEFINED P-Y CURVE",
        B9 + "IS SET FOR THIS PILE (  1)"}},
      {"layer of user curves", {1, 150.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE REQUIRED DEPTH,          12.50 FT,",
        B9 + "IS WITHIN LAYER   2, WHICH IS SET AS USER DEFINED P-Y CURVES"}},
      {"no such pile", {7, 24.0, {}},
       {"", B9 + "CURVE NOT GENERATED SINCE THE REQUIRED PILE GROUP", B9 + "IS NOT DEFINED"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clearTables();
    listingFixture({c.request});
    const Output out = runListing();
    Lines expected = {"", "", "", "", "", "     * TABLE N *   PRINTED P-Y CURVES", "", "",
                      "     * GENERATED P-Y CURVES *", "", "     NUMBER OF CURVES  :    1"};
    for (const std::string& l : head(1, c.request.pile)) expected.push_back(l);
    for (const std::string& l : c.message) expected.push_back(l);
    EXPECT_EQ(out.echo, expected);
    EXPECT_EQ(out.plot, (Lines{"     * GENERATED P-Y CURVES *", "         1",
                               "    1" + intField(5, c.request.pile) + "    0"}));
    EXPECT_EQ(out.st, 0);
  }
}

TEST(PyList, OnlyTheFirstRequestAtTheCapLevelIsPrinted) {
  // The cap from X = -24 to the head at -12; the ground and the soil at -30.
  listingFixture({{1, -18.0, {0.3}}, {1, -15.0, {0.3}}, {1, -30.0, {0.3}}});
  test::setSoil({{1, -30, 100, 0.0, 1.0, 0, 0, 0.01}});
  PILEAR.PGRND(1) = -18.0;
  CAPCTL.ICAPOP = 1;
  CAPCTL.CAPTX = 12.0;
  CAPCTL.CAPWZ = 60.0;
  const Output out = runListing();
  EXPECT_EQ(PYPRT.PRTSTA(1), 1);
  EXPECT_EQ(PYPRT.PRTSTA(2), 2);
  EXPECT_EQ(PYPRT.PRTSTA(3), 5);
  const std::string echo = [&] {
    std::string s;
    for (const auto& l : out.echo) s += l + "\n";
    return s;
  }();
  EXPECT_NE(echo.find(B9 + "AT PILE CAP LEVEL, DEPTH  =     -1.50 FT\n\n" + B9 +
                      "NUMBER OF POINTS ON CURVE =    1\n"),
            std::string::npos);
  EXPECT_NE(echo.find(B9 + "CURVE NOT GENERATED SINCE ONLY ONE CURVE \n" + B9 +
                      "AT PILE CAP LEVEL CAN BE PRINTED \n"),
            std::string::npos);
  EXPECT_NE(echo.find("IS ABOVE TOP OF PILE CAP,      -2.00 FT"), std::string::npos);
}

// The curve at the cap level is listed once, whatever the cap option: its
// plot record announces 3 points and one X record with 3 points follows. Cap
// option 1 lists the cap's own curve (width 60), option 2 the pile's (12).
TEST(PyList, TheCapLevelCurveIsListedOnce) {
  for (const auto& [icap, width] : {std::pair{1, "60.000"}, std::pair{2, "12.000"}}) {
    SCOPED_TRACE(icap);
    clearTables();
    listingFixture({{1, -18.0, {0.1, 0.3, 0.9}}});
    test::setSoil({{1, -30, 100, 0.0, 1.0, 0, 0, 0.01}});
    PILEAR.PGRND(1) = -18.0;
    CAPCTL.ICAPOP = icap;
    CAPCTL.CAPTX = 12.0;
    CAPCTL.CAPWZ = 60.0;
    const Output out = runListing();
    EXPECT_EQ(out.plot.size(), 2u + 1 + 1 + 3);
    ASSERT_GE(out.plot.size(), 4u);
    EXPECT_EQ(out.plot[2], "    1    1    3");
    EXPECT_EQ(out.plot[3], " -18.000000000000000");
    int headings = 0;
    for (const std::string& l : out.echo)
      if (l.find("DEPTH BELOW GS") != std::string::npos) ++headings;
    EXPECT_EQ(headings, 1);
    bool widthShown = false;
    for (const std::string& l : out.echo)
      if (l.find(std::string("    ") + width + "    ") != std::string::npos) widthShown = true;
    EXPECT_TRUE(widthShown);
  }
}

// A curve 2 ft deep in soft clay of c = 1 psi, b = 12 in, E50 = 0.01: pu = 48
// lb/in, y50 = 0.3 in; the criterion's own 17 deflections f x 8 y50.
TEST(PyList, GeneratedCurveLineByLine) {
  listingFixture({{1, 24.0, {}}, {1, 36.0, {0.3, 1.0e-15}}});
  const Output out = runListing();
  ASSERT_EQ(out.st, 0);
  const std::string B21(21, ' ');
  auto point = [&](double y, double p) { return B21 + realField(20, 5, y) + realField(20, 5, p) + " "; };
  const double f[17] = {0, 0.00025, 0.0025, 0.0075, 0.02, 0.04, 0.06, 0.1, 0.15,
                        0.225, 0.3, 0.4, 0.5, 0.65, 0.8, 1.0, 1.2};

  Lines expected = {"", "", "", "", "", "     * TABLE N *   PRINTED P-Y CURVES", "", "",
                    "     * GENERATED P-Y CURVES *", "", "     NUMBER OF CURVES  :    2"};
  auto curveHead = [&](int j, const std::string& depth, const std::string& z, int n) {
    for (const std::string& l : head(j, 1)) expected.push_back(l);
    for (const std::string& l : Lines{std::string(""), B9 + "DEPTH BELOW ORIGIN        =      " + depth + " FT", std::string(""),
          B9 + "NUMBER OF POINTS ON CURVE =" + intField(5, n), std::string(""),
          B9 + "P-Y CURVE COMPUTED USING SOFT CLAY CRITERIA", std::string(""),
          "         DEPTH BELOW GS      DIAM         C         GAMMA         E50",
          "               FT             IN       LBS/FT**2    LBS/FT**3",
          "              " + z + "          12.000    0.1440E+03   0.0000E+00   0.1000E-01",
          "             EQ. DEPTH =    " + z + " FT", std::string(""),
          "                                     Y,IN             P,LBS/IN"})
      expected.push_back(l);
  };
  curveHead(1, "2.00", "2.00", 17);
  for (int k = 0; k < 17; ++k) {
    const double y = static_cast<double>(static_cast<float>(f[k])) * 2.4;
    const double p = y <= 2.4 ? 24.0 * std::pow(y / 0.3, 0.3333333432674408) : 48.0;
    expected.push_back(point(y, p));
  }
  // 3 ft deep: pu = 54; a deflection below 1.0E-14 takes the initial modulus.
  curveHead(2, "3.00", "3.00", 2);
  expected.push_back(point(0.3, 27.0));
  const double es0 = 0.5 * 54 * std::pow(0.3 / 1e-14, 0.6666666865348816) / 0.3;
  expected.push_back(point(1.0e-15, es0 * 1.0e-15));
  char es[16];
  std::snprintf(es, sizeof es, "%.4E", es0);  // 0.dddd form below
  const std::string mant = std::string("0.") + es[0] + std::string(es + 2, 3);
  const int ex = std::atoi(std::strchr(es, 'E') + 1) + 1;
  char exs[16];
  std::snprintf(exs, sizeof exs, "E%+03d", ex);
  for (const std::string& l : Lines{std::string(""), std::string(29, ' ') + "**** WARNING ****",
        "     DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM",
        "     USED A SOIL MODULUS OF " + std::string(12 - mant.size() - 4, ' ') + mant + exs})
    expected.push_back(l);
  ASSERT_EQ(out.echo.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(out.echo[i], expected[i]) << "line " << i + 1;

  // Plot data: the title, the count, and per curve its numbers, its X and its points.
  ASSERT_GE(out.plot.size(), 6u);
  EXPECT_EQ(out.plot[0], "     * GENERATED P-Y CURVES *");
  EXPECT_EQ(out.plot[1], "         2");
  EXPECT_EQ(out.plot[2], "    1    1   17");
  EXPECT_EQ(out.plot[3], " 24.000000000000000");
  EXPECT_EQ(out.plot[4], "   0.0000000       0.0000000    ");
  EXPECT_EQ(out.plot[5], "  6.00000028E-04   3.0238104    ");
  EXPECT_EQ(out.plot.size(), 2u + 2 + 17 + 2 + 2);
  EXPECT_EQ(out.plot[21], "    2    1    2");
  EXPECT_EQ(out.plot[23], "  0.30000000       27.000000    ");
}

TEST(PyList, NoRequestsWriteBothHeadingsOnly) {
  listingFixture({});
  const Output out = runListing();
  EXPECT_EQ(out.echo, (Lines{"", "", "", "", "", "     * TABLE N *   PRINTED P-Y CURVES", "", "",
                             "     * GENERATED P-Y CURVES *", "", "     NUMBER OF CURVES  :    0"}));
  EXPECT_EQ(out.plot, (Lines{"     * GENERATED P-Y CURVES *", "         0"}));
  // Without the listing option nothing is written.
  EXPECT_TRUE(runListing(0).echo.empty());
}

}  // namespace
}  // namespace drelm
