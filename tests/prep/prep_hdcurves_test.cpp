// Pile-head curves of the input report: the user curves and their tables,
// the assembly of the generated curves from the two directions of the
// generators, the curve numbers the piles take, the plot data, and the ends
// of the step on a generator status or a list naming a missing pile.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_hdcurves.h"
#include "prep/prep_steps.h"
#include "prep/prep_tables.h"
#include "prep/prepro_run.h"
#include "soil/soilrec.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// Calls of the generators: property, direction, curve, pile.
using Call = std::tuple<int, int, int, int>;
std::vector<Call> axCalls, trCalls;
std::int32_t failOnCurve = 0, failStatus = 0;  // status returned by a call for this curve

// Head points that show their pile and direction: uplift and compression
// differ, and so do the piles.
void fakeAx(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
            const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
            HeadPoints& HMOV) {
  axCalls.emplace_back(IPROP, KDIR, ICURV, IPILE);
  if (ICURV == failOnCurve) {
    ISTAT = failStatus;
    return;
  }
  NHCPT = 9;
  for (int k = 1; k <= 9; ++k) {
    HLOAD(k) = 1000.0 * k * KDIR + IPILE;
    HMOV(k) = 0.001 * k * KDIR;
  }
}

void fakeTr(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
            const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT, HeadPoints& HLOAD,
            HeadPoints& HMOV) {
  trCalls.emplace_back(IPROP, KDIR, ICURV, IPILE);
  if (-ICURV == failOnCurve) {
    ISTAT = failStatus;
    return;
  }
  NHCPT = 9;
  for (int k = 1; k <= 9; ++k) {
    HLOAD(k) = 100000.0 * k * KDIR + IPILE;
    HMOV(k) = 0.0001 * k * KDIR;
  }
}

// The input stage and the preprocessing of the input up to the head curves,
// which run with the fake generators.
std::int32_t headCurvesOf(const std::string& input) {
  test::writeNamesFile();
  test::writeInputFile(input);
  std::int32_t ISTAT = 0;
  test::runToConvin(ISTAT);
  for (void (*step)(std::int32_t&) : {PRPCAP, PRPLOD, PRPPIL, PRPSEC, SOILREC, PRPSOL, PRPUPY})
    if (ISTAT == 0) step(ISTAT);
  if (ISTAT == 0) PRPHCV(ISTAT, fakeAx, fakeTr);
  const std::int32_t status = ISTAT;
  io::CLOSEALL();
  return status;
}

void expectLines(const Lines& got, const std::string& expectedFile) {
  const Lines want = test::readLines(test::dataFile("expected/" + expectedFile));
  ASSERT_FALSE(want.empty());
  for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i)
    ASSERT_EQ(got[i], want[i]) << "line " << i + 1 << " of " << expectedFile;
  EXPECT_EQ(got.size(), want.size()) << expectedFile;
}

// The rich space fixture: user p-y curves; pile 1 takes user head curves; piles 2 and 3 are the
// generation lists of both kinds, and pile 4 takes the curve of pile 3.
TEST(HeadCurves, SpaceRichTablesPlotDataAndCurveNumbers) {
  test::ScratchDir dir;
  ASSERT_EQ(headCurvesOf(test::readFile(test::dataFile("space_rich.inp"))), 0);

  const std::vector<Call> ax = {{1, 1, 1, 2}, {1, 2, 1, 2}, {2, 1, 2, 3}, {2, 2, 2, 3}};
  EXPECT_EQ(axCalls, ax);
  EXPECT_EQ(trCalls, ax);

  const std::int32_t want[4] = {1, -1, -2, -2};
  for (int p = 1; p <= 4; ++p) {
    EXPECT_EQ(PILEAR.ILSCRV(p), want[p - 1]) << "pile " << p;
    EXPECT_EQ(PILEAR.ITRCRV(p), want[p - 1]) << "pile " << p;
  }
  EXPECT_EQ(AXTZ.NAXTZ, 19);
  EXPECT_EQ(LSCRV.LSGNCV, 2);
  EXPECT_EQ(TRCRV.TRGNCV, 2);

  // Curve 2 from pile 3: uplift reversed and negated, the origin, compression.
  ASSERT_EQ(LSCRV.LSGNPT(2), 19);
  EXPECT_DOUBLE_EQ(LSCRV.LSGLOD(2, 1), -9003.0);
  EXPECT_DOUBLE_EQ(LSCRV.LSGDSP(2, 1), -0.009);
  EXPECT_DOUBLE_EQ(LSCRV.LSGLOD(2, 9), -1003.0);
  EXPECT_EQ(LSCRV.LSGLOD(2, 10), 0.0);
  EXPECT_EQ(LSCRV.LSGDSP(2, 10), 0.0);
  EXPECT_DOUBLE_EQ(LSCRV.LSGLOD(2, 11), 2003.0);
  EXPECT_DOUBLE_EQ(LSCRV.LSGDSP(2, 19), 0.018);
  // The user curves as the input gave them.
  EXPECT_EQ(LSCRV.LSNCRV, 1);
  EXPECT_EQ(LSCRV.LSNPT(1), 5);
  EXPECT_DOUBLE_EQ(LSCRV.LSLOD(1, 4), 300000.0);
  EXPECT_DOUBLE_EQ(LSCRV.LSDSP(1, 4), 0.2);
  EXPECT_EQ(TRCRV.TRNCRV, 1);
  EXPECT_DOUBLE_EQ(TRCRV.TRTOR(1, 3), 1.5E6);
  EXPECT_DOUBLE_EQ(TRCRV.TRROT(1, 3), 0.05);

  const Lines echo = test::readLines("run.echo");
  expectLines(test::echoTable(echo, "* TABLE G *"), "space_rich_G.txt");
  expectLines(test::echoTable(echo, "* TABLE H *"), "space_rich_H.txt");
  expectLines(test::echoTable(echo, "* TABLE I *"), "space_rich_I.txt");
  expectLines(test::readLines("run.plt"), "space_rich_plot.txt");
}

// The whole preprocessing with the real generators: each assembled
// load-settlement curve is the one the generator stored for the pile's
// property in the generated-curve table, which it fills in its own order
// (uplift negated from the largest down, the origin, compression).
TEST(HeadCurves, GeneratedCurvesAgreeWithTheGeneratedCurveTable) {
  test::ScratchDir dir;
  ASSERT_EQ(test::runPrepro(test::readFile(test::dataFile("space_rich.inp"))), 0);
  ASSERT_EQ(LSCRV.LSGNCV, 2);
  for (int h = 1; h <= 2; ++h) {
    SCOPED_TRACE("curve " + std::to_string(h));
    const int prop = PILEAR.PROPOFPILE(GENCRVIN.LSGLST(h));
    ASSERT_EQ(LSCRV.LSGNPT(h), 19);
    for (int k = 1; k <= 19; ++k) {
      EXPECT_DOUBLE_EQ(LSCRV.LSGDSP(h, k), AXTZ.AXHMOV(prop, k)) << "point " << k;
      EXPECT_DOUBLE_EQ(LSCRV.LSGLOD(h, k), AXTZ.AXHLOD(prop, k)) << "point " << k;
    }
    // Twist does not depend on the direction of loading: the torque-rotation
    // curve is odd about its origin.
    ASSERT_EQ(TRCRV.TRGNPT(h), 19);
    for (int k = 1; k <= 19; ++k) {
      if (k < 19) {
        EXPECT_LT(LSCRV.LSGDSP(h, k), LSCRV.LSGDSP(h, k + 1)) << "point " << k;
      }
      EXPECT_DOUBLE_EQ(TRCRV.TRGROT(h, k), -TRCRV.TRGROT(h, 20 - k)) << "point " << k;
      EXPECT_DOUBLE_EQ(TRCRV.TRGTOR(h, k), -TRCRV.TRGTOR(h, 20 - k)) << "point " << k;
      if (k > 10) {
        EXPECT_GT(TRCRV.TRGROT(h, k), TRCRV.TRGROT(h, k - 1)) << "point " << k;
      }
    }
  }
}

// Small models set up in the tables: property 1 for every pile, one soil
// layer unless none is asked for.
class HeadCurveCases : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    axCalls.clear();
    trCalls.clear();
    failOnCurve = failStatus = 0;
  }
  static void piles(std::int32_t antyp, int n, bool soil = true) {
    RUNCTL.IANTYP = antyp;
    RUNCTL.NPILE = n;
    for (int p = 1; p <= n; ++p) PILEAR.PROPOFPILE(p) = 1;
    SOILCOM.NLAYER = soil ? 1 : 0;
  }
  std::int32_t run() {
    test::units(1);
    test::openReports();
    io::OPEN(U_PLOT, "plot.txt", io::Access::Write);
    std::int32_t ISTAT = 0;
    PRPHCV(ISTAT, fakeAx, fakeTr);
    test::closeReports();
    io::CLOSE(U_PLOT);
    echo = test::echoLines();
    return ISTAT;
  }
  bool has(const std::string& s) const { return test::anyLineHas(echo, s); }
  test::ScratchDir dir;
  Lines echo;
};

// Equal uplift and compression points give a curve symmetric about the
// origin; a plane analysis has no torque-rotation table.
TEST_F(HeadCurveCases, PlaneCurveSymmetricAboutTheOrigin) {
  piles(2, 1);
  PILEAR.ILSGEN(1) = 1;
  GENCRVIN.NLSGEN = 1;
  GENCRVIN.LSGLST(1) = 1;
  const auto same = [](const std::int32_t&, const std::int32_t&, const std::int32_t&, const std::int32_t&,
                       std::int32_t&, std::int32_t& N, HeadPoints& L, HeadPoints& M) {
    N = 9;
    for (int k = 1; k <= 9; ++k) {
      L(k) = 10.0 * k;
      M(k) = 0.1 * k;
    }
  };
  test::units(1);
  test::openReports();
  io::OPEN(U_PLOT, "plot.txt", io::Access::Write);
  std::int32_t ISTAT = 0;
  PRPHCV(ISTAT, same, fakeTr);
  io::CLOSEALL();
  ASSERT_EQ(ISTAT, 0);
  ASSERT_EQ(LSCRV.LSGNPT(1), 19);
  for (int k = 1; k <= 19; ++k) {
    EXPECT_DOUBLE_EQ(LSCRV.LSGLOD(1, k), 10.0 * (k - 10)) << "point " << k;
    EXPECT_DOUBLE_EQ(LSCRV.LSGDSP(1, k), 0.1 * (k - 10)) << "point " << k;
  }
  EXPECT_EQ(PILEAR.ILSCRV(1), -1);
  const Lines out = test::echoLines();
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](const std::string& l) { return l.find("* TABLE H *") != std::string::npos; }));
  EXPECT_FALSE(std::any_of(out.begin(), out.end(), [](const std::string& l) { return l.find("* TABLE I *") != std::string::npos; }));
  EXPECT_TRUE(trCalls.empty());
}

// Nothing is generated without a soil profile, or when every pile has its
// own curve: the heading stands alone and the piles keep their numbers.
TEST_F(HeadCurveCases, NothingToGenerate) {
  struct Case {
    const char* name;
    bool soil;
    std::int32_t lscrv, trcrv;  // of the only pile
    bool axial, torsion;        // generated
  } cases[] = {
      {"no soil layer", false, 0, 0, false, false},
      {"user curves of both kinds", true, 1, 1, false, false},
      {"user load-settlement curve only", true, 1, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    piles(3, 1, c.soil);
    PILEAR.ILSCRV(1) = c.lscrv;
    PILEAR.ITRCRV(1) = c.trcrv;
    PILEAR.ILSGEN(1) = PILEAR.ITRGEN(1) = 1;
    GENCRVIN.NLSGEN = GENCRVIN.NTRGEN = 1;
    GENCRVIN.LSGLST(1) = GENCRVIN.TRGLST(1) = 1;
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(!axCalls.empty(), c.axial);
    EXPECT_EQ(!trCalls.empty(), c.torsion);
    EXPECT_EQ(has("AXIAL LOAD-DISPLACEMENT CURVES GENERATED INTERNALLY"), c.axial);
    EXPECT_EQ(has("TORQUE-ROTATION CURVES GENERATED INTERNALLY"), c.torsion);
    EXPECT_EQ(PILEAR.ILSCRV(1), c.axial ? -1 : c.lscrv);
    EXPECT_EQ(PILEAR.ITRCRV(1), c.torsion ? -1 : c.trcrv);
    EXPECT_EQ(LSCRV.LSGNCV, c.axial ? 1 : 0);
    EXPECT_TRUE(has("* TABLE H *   AXIAL LOAD VS DISPLACEMENT "));
    EXPECT_TRUE(has("* TABLE I *   TORS. MOM. VS ANGLE ROT. "));
    const Lines plot = test::readLines("plot.txt");
    EXPECT_EQ(plot.empty(), !c.axial && !c.torsion);
  }
}

// A generator status ends the step at once: no echo of the generated curves
// and no later generation; a generation list naming a pile that does not
// exist stops the run with the capacity status before any call.
TEST_F(HeadCurveCases, StatusAndMissingPileEndTheStep) {
  struct Case {
    const char* name;
    std::int32_t fail;    // curve whose call fails (negative: torque-rotation)
    std::int32_t status;  // its status
    std::int32_t pile2;   // pile of the second load-settlement curve
    std::int32_t want;
    std::size_t axCalls, trCalls;
  } cases[] = {
      {"zero E50 at the tip of load-settlement curve 2", 2, 32, 2, 32, 3, 0},
      {"zero cohesion at the tip of torque-rotation curve 1", -1, 35, 2, 35, 4, 1},
      {"list naming pile 3 of 2", 0, 0, 3, 43, 2, 0},
      {"list naming pile 0", 0, 0, 0, 43, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    piles(3, 2);
    failOnCurve = c.fail;
    failStatus = c.status;
    PILEAR.ILSGEN(1) = 1;
    PILEAR.ILSGEN(2) = 2;
    PILEAR.ITRGEN(1) = PILEAR.ITRGEN(2) = 1;
    GENCRVIN.NLSGEN = 2;
    GENCRVIN.LSGLST(1) = 1;
    GENCRVIN.LSGLST(2) = c.pile2;
    GENCRVIN.NTRGEN = 1;
    GENCRVIN.TRGLST(1) = 1;
    EXPECT_EQ(run(), c.want);
    EXPECT_EQ(axCalls.size(), c.axCalls);
    EXPECT_EQ(trCalls.size(), c.trCalls);
    EXPECT_FALSE(has("TORQUE-ROTATION CURVES GENERATED INTERNALLY"));
    EXPECT_EQ(has("AXIAL LOAD-DISPLACEMENT CURVES GENERATED INTERNALLY"), c.fail < 0);
    if (c.want == 43) {
      const Lines log = test::readLines("runtime.txt");
      const Lines expected = {"", std::string(29, ' ') + "**** FATAL ERROR ****",
                              "     GENERATED LOAD-SETTLEMENT CURVE 2 NAMES PILE " + std::to_string(c.pile2) + ",",
                              "     PILES 1 TO 2 EXIST"};
      EXPECT_EQ(log, expected);
    }
  }
}

}  // namespace
}  // namespace drelm
