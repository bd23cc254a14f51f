#include "soil/lookup.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/fileio.h"
#include "model/model.h"
#include "report/siconv.h"
#include "support/testdir.h"

namespace drelm {
namespace {

struct Ends {
  double top, bot;
};

// Set one layer of the soil record directly.
void layer(int L, int code, Ends x, Ends gam, Ends c, Ends phi, Ends k, Ends fs, Ends qt) {
  SOILCOM_T& S = SOILCOM;
  S.LTYPE(L) = code;
  S.LTOP(L) = x.top;
  S.LBOT(L) = x.bot;
  const int i = 2 * L - 1;
  S.XPROF(i) = S.XGAM(i) = x.top;
  S.XPROF(i + 1) = S.XGAM(i + 1) = x.bot;
  S.GAMPR(i) = gam.top, S.GAMPR(i + 1) = gam.bot;
  S.CPROF(i) = c.top, S.CPROF(i + 1) = c.bot;
  S.PHIPR(i) = phi.top, S.PHIPR(i + 1) = phi.bot;
  S.KPROF(i) = k.top, S.KPROF(i + 1) = k.bot;
  S.FSPROF(i) = fs.top, S.FSPROF(i + 1) = fs.bot;
  S.QTPROF(i) = qt.top, S.QTPROF(i + 1) = qt.bot;
  S.NLAYER = L;
  S.NPROF = S.NGAM = 2 * L;
}

// Soft clay 0-100, sand 100-300 (no cohesion), soft clay 300-400 (no k).
void threeLayers() {
  RUNCONST.EPSCOH = 1.0e-6;
  RUNCTL.IUNITS = 1;
  layer(1, 1, {0, 100}, {0.04, 0.04}, {5, 10}, {0.1, 0.2}, {10, 20}, {1, 2}, {10, 20});
  layer(2, 4, {100, 300}, {0.06, 0.07}, {0, 0}, {0.5, 0.6}, {30, 50}, {4, 6}, {30, 40});
  layer(3, 1, {300, 400}, {0.05, 0.05}, {20, 30}, {0, 0}, {0, 0}, {8, 9}, {50, 60});
}

struct Case {
  const char* name;
  std::function<double(std::int32_t&)> eval;
  double expected;
};

TEST(SoilLookup, ProfileRulesAtBoundariesAndEnds) {
  threeLayers();
  auto K = [](double x) { return [x](std::int32_t&) { return SOILK(x); }; };
  auto C = [](double x) { return [x](std::int32_t& s) { return SOILC(x, s); }; };
  auto PHI = [](double x) { return [x](std::int32_t& s) { return SOILPHI(x, s); }; };
  auto FS = [](double x) { return [x](std::int32_t& s) { return SOILFS(x, s); }; };
  auto QT = [](double x) { return [x](std::int32_t& s) { return SOILQT(x, s); }; };
  auto KD = [](double x) { return [x](std::int32_t&) { return SOILKD(x); }; };
  auto GAM = [](double x) { return [x](std::int32_t& s) { return GAMAVG(x, s); }; };
  auto CAVG = [](double x) { return [x](std::int32_t& s) { return SOILCAVG(x, s); }; };
  const std::vector<Case> cases = {
      {"k inside a layer", K(50), 15},
      {"k at a boundary: mean of both layers", K(100), 25},
      {"k at a boundary with zero below: the upper value", K(300), 50},
      {"k above the top: first segment extended", K(-50), 5},
      {"k at the last point", K(400), 0},
      {"c at a boundary with zero below: the upper value", C(100), 10},
      {"c at a boundary: the lower layer", C(300), 20},
      {"c at the last point", C(400), 30},
      {"phi at a boundary: mean", PHI(100), 0.35},
      {"phi at a boundary with zero below", PHI(300), 0.6},
      {"fs at a boundary: lower layer's top", FS(100), 4},
      {"fs inside", FS(50), 1.5},
      {"fs above the top: first segment extended", FS(-100), 0},
      {"fs at the last point", FS(400), 9},
      {"qt at a boundary: lower layer's top", QT(300), 50},
      {"kd above the top", KD(-1), 0},
      {"kd from the profile", KD(50), 15},
      {"kd default from c = 25 psi", KD(350), 1000},
      {"kd at a boundary keeps the mean k", KD(300), 50},
      {"gamma average at the top: first positive value", GAM(0), 0.04},
      {"gamma average above the top", GAM(-1), 0},
      {"gamma average inside layer 2", GAM(200), (4 + 100 * (2 * 0.06 + 100 * 0.01 / 200) / 2) / 200},
      {"gamma average at the last point", GAM(400), (4 + 13 + 5) / 400.0},
      {"c average at the top: point value", CAVG(0), 5},
      {"c average above the top", CAVG(-5), 0},
      {"c average inside layer 2", CAVG(200), 750.0 / 200},
  };
  for (const Case& c : cases) {
    std::int32_t ISTAT = 0;
    EXPECT_NEAR(c.eval(ISTAT), c.expected, 1e-12) << c.name;
    EXPECT_EQ(ISTAT, 0) << c.name;
  }
}

// The clay default of k is stated in psi and pci: an SI soil, its strength
// converted exactly, gets the English default converted exactly, also just
// above a break (6.9401 psi is 47.85 kPa, which 6.895 took for 6.9399 psi)
// and for a given k too small to count (5E-5 pci, 0.0136 kN/m^3).
TEST(SoilLookup, ClayDefaultOfKInBothUnitSystems) {
  const struct {
    double cPsi, kPci, english;
  } cases[] = {
      {3.0, 0.0, 50},     {3.4701, 0.0, 100}, {5.0, 0.0, 100},    {6.9401, 0.0, 500},   {13.9001, 0.0, 1000},
      {27.7, 0.0, 1000},  {29.0, 0.0, 2000},  {5.0, 5.0e-5, 100}, {5.0, 300.0, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cPsi << " psi, k " << c.kPci << " pci");
    threeLayers();
    SOILCOM.CPROF(5) = SOILCOM.CPROF(6) = c.cPsi;
    SOILCOM.KPROF(5) = SOILCOM.KPROF(6) = c.kPci;
    EXPECT_EQ(SOILKD(350), c.english);
    RUNCTL.IUNITS = 2;
    SOILCOM.CPROF(5) = SOILCOM.CPROF(6) = c.cPsi * PSI_KPA;
    SOILCOM.KPROF(5) = SOILCOM.KPROF(6) = c.kPci * PCI_KNM3;
    EXPECT_NEAR(SOILKD(350), c.english * PCI_KNM3, 1e-12 * c.english * PCI_KNM3);
  }
  EXPECT_NEAR(PCI_KNM3, 271.4471, 1e-4);
}

TEST(SoilLookup, ZeroWidthLayer) {
  RUNCONST.EPSCOH = 1.0e-6;
  layer(1, 1, {0, 100}, {0.04, 0.04}, {5, 10}, {0.1, 0.2}, {10, 20}, {1, 2}, {10, 20});
  layer(2, 1, {100, 100}, {0.08, 0.08}, {12, 14}, {0.3, 0.4}, {30, 40}, {6, 8}, {30, 40});
  std::int32_t ISTAT = 0;
  // The last segment has no width: its two ends are averaged.
  EXPECT_DOUBLE_EQ(SOILFS(100, ISTAT), 7);
  EXPECT_DOUBLE_EQ(SOILQT(100, ISTAT), 35);
  EXPECT_DOUBLE_EQ(SOILPHB(100, ISTAT), 0.35);
  EXPECT_DOUBLE_EQ(GAMAVG(100, ISTAT), 0.04);
  EXPECT_EQ(ISTAT, 0);
  // A zero-width first layer above which the depth lies: no slope to extend.
  SOILCOM = SOILCOM_T{};
  layer(1, 1, {50, 50}, {0.04, 0.04}, {5, 7}, {0.1, 0.2}, {10, 20}, {1, 3}, {10, 20});
  layer(2, 1, {50, 150}, {0.04, 0.04}, {5, 10}, {0.1, 0.2}, {10, 20}, {1, 2}, {10, 20});
  EXPECT_DOUBLE_EQ(SOILK(0), 15);
  EXPECT_DOUBLE_EQ(SOILFS(0, ISTAT), 2);
  EXPECT_EQ(ISTAT, 0);
}

TEST(SoilLookup, DepthBeyondTheProfileWarnsAndSetsItsStatus) {
  struct Row {
    std::function<double(std::int32_t&)> eval;
    std::int32_t status;
    const char* value;  // the depth as printed
    const char* curve;
  };
  const std::vector<Row> rows = {
      {[](std::int32_t& s) { return GAMAVG(500, s); }, 22, " 0.50E+03", "THE INPUT CURVE FOR UNIT WEIGHT"},
      {[](std::int32_t& s) { return SOILC(500, s); }, 23, "  0.5E+03", "THE INPUT STRENGTH CURVE"},
      {[](std::int32_t& s) { return SOILPHI(500, s); }, 24, "  0.5E+03", "THE INPUT PHI CURVE"},
      {[](std::int32_t& s) { return SOILFS(500, s); }, 25, " 0.50E+03", "THE INPUT MAX. LOAD TRANSFER"},
      {[](std::int32_t& s) { return SOILQT(500, s); }, 26, " 0.50E+03", "THE INPUT MAX. LOAD TRANSFER"},
      {[](std::int32_t& s) { return SOILPHB(500, s); }, 27, " 0.50E+03", "THE INPUT STRENGTH CURVE, BPHI"},
  };
  for (const Row& r : rows) {
    test::ScratchDir dir;
    SOILCOM = SOILCOM_T{};
    threeLayers();
    ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
    ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
    std::int32_t ISTAT = 0;
    EXPECT_EQ(r.eval(ISTAT), 0.0) << r.status;
    EXPECT_EQ(ISTAT, r.status);
    io::CLOSEALL();
    const std::vector<std::string> block = {
        "",
        std::string(29, ' ') + "**** WARNING ****",
        std::string("     THE VALUE OF X =") + r.value + " IS BEYOND THE EXTENT OF",
        std::string("     ") + r.curve,
    };
    EXPECT_EQ(test::readLines("log.txt"), block) << r.status;
    std::vector<std::string> results = block;
    // The side friction look-up names the depth and the profile's end first.
    if (r.status == 25) results.insert(results.begin(), " 500.0 6 400.0");
    EXPECT_EQ(test::readLines("results.txt"), results) << r.status;
  }
}

TEST(SoilLookup, WarningsWithoutStatus) {
  test::ScratchDir dir;
  threeLayers();
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
  std::int32_t ISTAT = 0;
  // The average cohesion warns on the results report only.
  EXPECT_EQ(SOILCAVG(450, ISTAT), 0.0);
  // The k default below the profile warns as the strength look-up does and
  // takes c = 0.
  EXPECT_EQ(SOILKD(450), 50.0);
  EXPECT_EQ(ISTAT, 0);
  io::CLOSEALL();
  const std::string warn = std::string(29, ' ') + "**** WARNING ****";
  const std::vector<std::string> cavg = {"", warn, "     THE VALUE OF X = 0.45E+03 IS BEYOND THE EXTENT OF THE",
                                         "     INPUT CURVE FOR STRENGTH"};
  // One digit: 450 is a tie, rounded to the even digit.
  const std::vector<std::string> kd = {"", warn, "     THE VALUE OF X =  0.4E+03 IS BEYOND THE EXTENT OF",
                                       "     THE INPUT STRENGTH CURVE"};
  std::vector<std::string> results = cavg;
  results.insert(results.end(), kd.begin(), kd.end());
  EXPECT_EQ(test::readLines("results.txt"), results);
  EXPECT_EQ(test::readLines("log.txt"), kd);
}

TEST(SoilLookup, WarningBlocksOfParallelPilesStayWhole) {
  test::ScratchDir dir;
  threeLayers();
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
  std::int32_t ISTAT = 0;
  constexpr int calls = 200;
  double sum = 0.0;
#pragma omp parallel for num_threads(4) reduction(+ : sum)
  for (int k = 0; k < calls; ++k) {
    sum += SOILK(50) + SOILFS(600, ISTAT);
  }
  io::CLOSEALL();
  EXPECT_DOUBLE_EQ(sum, 15.0 * calls);
  EXPECT_EQ(ISTAT, STAT_FS_BEYOND);
  const std::vector<std::string> lines = test::readLines("results.txt");
  ASSERT_EQ(lines.size(), 5u * calls);
  for (std::size_t b = 0; b < lines.size(); b += 5) {
    ASSERT_EQ(lines[b], " 600.0 6 400.0") << b;
    ASSERT_EQ(lines[b + 1], "") << b;
    ASSERT_EQ(lines[b + 2], std::string(29, ' ') + "**** WARNING ****") << b;
    ASSERT_EQ(lines[b + 3], "     THE VALUE OF X = 0.60E+03 IS BEYOND THE EXTENT OF") << b;
    ASSERT_EQ(lines[b + 4], "     THE INPUT MAX. LOAD TRANSFER") << b;
  }
}

// Property 1: two rows below a head at X = 10, a tapered top row 0-40 and a
// uniform row 40-100; property 2: a first row without diameter.
void sections() {
  PILEAR.PHXREF(1) = 10.0;
  PILEPROP.PLEN(1) = 100.0;
  PILEPROP.NSECT(1) = 2;
  SECTAB_T& T = SECTAB;
  T.SXFROM(1, 1) = 0, T.SXTO(1, 1) = 40;
  T.SXFROM(1, 2) = 40, T.SXTO(1, 2) = 100;
  T.SDIAT(1, 1) = 2, T.SDIAB(1, 1) = 4, T.SDIAT(1, 2) = 4, T.SDIAB(1, 2) = 4;
  T.SEIZT(1, 1) = 100, T.SEIZB(1, 1) = 200, T.SEIZT(1, 2) = 300, T.SEIZB(1, 2) = 500;
  T.SEIYT(1, 1) = 1, T.SEIYB(1, 1) = 2, T.SEIYT(1, 2) = 3, T.SEIYB(1, 2) = 5;
  T.SEMODT(1, 1) = 1000, T.SEMODT(1, 2) = 2000;
  T.SMCIZ(1, 1) = 3, T.SMCIZ(1, 2) = 5;
  T.SDIM1(1, 1) = 7, T.SDIM1(1, 2) = 8;
  PILEPROP.PLEN(2) = 50.0;
  PILEPROP.NSECT(2) = 2;
  T.SXFROM(2, 1) = 0, T.SXTO(2, 1) = 20;
  T.SXFROM(2, 2) = 20, T.SXTO(2, 2) = 50;
  T.SDIAT(2, 2) = 6, T.SDIAB(2, 2) = 6;
}

TEST(SectionLookup, RulesS1AndS2) {
  sections();
  const std::int32_t p = 1, t = 1;
  struct Row {
    const char* name;
    double value, expected;
  };
  const Row rows[] = {
      {"diameter interpolated in the tapered row", SECDIAM(p, t, 30), 3},
      {"diameter above the first row", SECDIAM(p, t, 0), 2},
      {"EIz on a boundary: upper row's bottom", SECEIZ(p, t, 50), 200},
      {"EIz inside row 2", SECEIZ(p, t, 80), 400},
      {"EIz below the last row: its bottom value", SECEIZ(p, t, 500), 500},
      {"EIy above the first row: its top value", SECEIY(p, t, -20), 1},
      {"dimension on a boundary: upper row", SECDIM1(p, t, 50), 7},
      {"modulus on a boundary: lower row", SECEMOD(p, t, 50), 2000},
      {"modulus just above the boundary", SECEMOD(p, t, 49.9), 1000},
      {"modulus above the head", SECEMOD(p, t, 5), 1000},
      {"modulus below the tip, above the marker", SECEMOD(p, t, 125), 2000},
      {"set on a boundary: lower row", double(SECMCZ(p, t, 50)), 5},
      {"set in row 1", double(SECMCZ(p, t, 20)), 3},
      {"no diameter: the last row's top", SECDIAM(p, 2, 20), 6},
      {"a property without rows", SECDIAM(p, 3, 20), 0},
  };
  for (const Row& r : rows) EXPECT_DOUBLE_EQ(r.value, r.expected) << r.name;
}

TEST(SectionLookup, EndMarkerSetOnceAndRowCapacity) {
  test::ScratchDir dir;
  sections();
  std::int32_t ISTAT = 0;
  SECMARK(ISTAT);
  EXPECT_EQ(ISTAT, 0);
  EXPECT_DOUBLE_EQ(SECTAB.SXFROM(1, 3), 120.0);
  EXPECT_DOUBLE_EQ(SECTAB.SEIZT(1, 3), 300.0);
  EXPECT_DOUBLE_EQ(SECTAB.SEIYT(1, 3), 3.0);
  EXPECT_DOUBLE_EQ(SECTAB.SXFROM(2, 3), 60.0);

  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  PILEPROP.NSECT(4) = SECTAB_T::Tab<double>::size2;  // no room left for the marker
  SECMARK(ISTAT);
  io::CLOSEALL();
  EXPECT_EQ(ISTAT, STAT_CAPACITY);
  EXPECT_NE(test::readFile("log.txt").find("PILE PROPERTY 4 HAS 20 SECTION ROWS; AT MOST 19"),
            std::string::npos);
}

TEST(SectionLookup, DepthRatioTables) {
  sections();
  // Property 5: one row of diameter 10 below a head at X = 0; ground at 5.
  PILEAR.PHXREF(2) = 0.0;
  PILEPROP.PLEN(5) = 100.0;
  PILEPROP.NSECT(5) = 1;
  SECTAB.SXTO(5, 1) = 100.0;
  SECTAB.SDIAT(5, 1) = SECTAB.SDIAB(5, 1) = 10.0;
  SOILCOM.GRNDX(2) = 5.0;
  const std::int32_t p = 2, t = 5;
  double rtab[10], ytab[10];
  for (int i = 0; i < 10; ++i) rtab[i] = i, ytab[i] = i * i;
  struct Row {
    const char* name;
    double value, expected;
  };
  const Row rows[] = {
      {"static at r = 1.5", ASCOEF(p, t, 20), (double(0.46f) + double(0.55f)) / 2},
      {"static at r = 0", ASCOEF(p, t, 5), double(0.223f)},
      {"static beyond the table", ASCOEF(p, t, 75), double(0.60f)},
      {"static above the ground: first segment extended", ASCOEF(p, t, -5),
       double(0.223f) - (double(0.46f) - double(0.223f))},
      {"cyclic at r = 1.5", ACCOEF(p, t, 20), (double(0.29f) + double(0.30f)) / 2},
      {"cyclic beyond the table", ACCOEF(p, t, 45), double(0.30f)},
      {"caller's table at r = 2.5", TABZD(p, t, 30, ytab, rtab), 6.5},
      {"caller's table beyond: last segment extended", TABZD(p, t, 125, ytab, rtab), 81 + 3 * 17},
      {"no diameter: the ground line", ASCOEF(p, 3, 50), double(0.223f)},
      {"resultant", VLEN2(3, 4), 5},
      {"resultant of a negligible component", VLEN2(1e-25, -2), 2},
  };
  for (const Row& r : rows) EXPECT_NEAR(r.value, r.expected, 1e-12) << r.name;
}

}  // namespace
}  // namespace drelm
