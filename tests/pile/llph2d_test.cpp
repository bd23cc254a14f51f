// The plane head routine: the Winkler solution of the plane solver reached
// from the subgrade moduli, its printed tables, and its failure paths.
#include "pile/llph2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "pile/envpil.h"
#include "pile/llp2d.h"
#include "pile/node2d.h"
#include "model/fileio.h"
#include "model/model.h"
#include "soil/pyfixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

constexpr double KS = 100.0;   // subgrade modulus (F/L^3)
constexpr double B = 10.0;     // diameter
constexpr double ES = B * KS;  // Winkler modulus of the elastic subgrade
constexpr double EI = 2.5e8;   // beta = (ES / 4 EI)^(1/4) = 0.0316
constexpr double LEN = 300.0;  // beta L = 9.5: a long pile

// Row 1 in one elastic-subgrade layer, head just below the ground.
void setRow(int conn, double spring = 0.0) {
  test::setRun();
  test::setSoil({{12, 0, 1000, 0, 0, 0, KS}});
  test::setPile(1, B, LEN, 100, 0.0, -1.0);
  SECTAB.SEIZT(1, 1) = SECTAB.SEIZB(1, 1) = EI;
  SECTAB.SIZT(1, 1) = SECTAB.SIZB(1, 1) = M_PI * std::pow(B, 4) / 64.0;
  SECTAB.SAREAT(1, 1) = SECTAB.SAREAB(1, 1) = M_PI * B * B / 4.0;
  std::int32_t st = 0;
  SECMARK(st);
  PCONN.CONNECTY(1) = conn;
  PILEAR.HSPR1(1) = spring;
  RUNCTL.IANTYP = 2;
  RUNCTL.IOUTPS = 0;
  SOILCOM.MAXITL = 50;
  CURCTL.TOLPIL = 1.0e-9;
  st = 0;
  NODE2D(1, st);
  ASSERT_EQ(st, 0);
}

const double I3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

struct Head {
  double VT1 = -7.0, MT1 = -7.0;
  std::int32_t st = 0;
};

Head head(bool older, double Y, double S, double PX = 0.0) {
  Head h;
  const double ULOC[3] = {0.0, Y, S};
  const NodeArray none{};
  if (older)
    LLPH2D(1, Y, S, PX, h.VT1, h.MT1, h.st, ULOC, I3, none, none);
  else
    LLP2D(1, Y, S, PX, h.VT1, h.MT1, h.st, ULOC, I3, none, none);
  return h;
}

TEST(Llph2d, ReachesTheWinklerSolutionFromTheSubgradeModuli) {
  const struct {
    const char* name;
    int conn;
    double K, Y, S;
  } cases[] = {
      {"pinned", CONN_PIN, 0, 0.5, 0},
      {"fixed, rotated", CONN_FIX, 0, 0.2, 0.004},
      {"restrained", CONN_RES, 5.0e9, 0.3, 0.002},
  };
  const double b = std::pow(ES / (4.0 * EI), 0.25);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    setRow(c.conn, c.K);
    const Head old = head(true, c.Y, c.S, 1.0e3);
    ASSERT_EQ(old.st, 0);
    ASSERT_EQ(RUNCTL.KPILST, 0);
    // The same converged solution as the plane solver's, whatever the start.
    const Head now = head(false, c.Y, c.S, 1.0e3);
    EXPECT_NEAR(old.VT1, now.VT1, 1e-6 * std::fabs(now.VT1));
    EXPECT_NEAR(old.MT1, now.MT1, 1e-6 * std::fabs(now.MT1) + 1e-6);
    if (c.conn == CONN_PIN) {
      // Free head: H = k Y / (2 beta).
      EXPECT_NEAR(old.VT1, ES * c.Y / (2 * b), 0.005 * ES * c.Y / (2 * b));
      EXPECT_NEAR(old.MT1, 0.0, 1e-6);
    }
  }
}

std::vector<double> numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

TEST(Llph2d, ReportingPassPrintsItsTablesInsteadOfStoringThem) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_SUMMARY, "sum.txt", io::Access::Write));
  setRow(CONN_FIX);
  const double batt = M_PI / 6, cb = std::cos(batt), sb = std::sin(batt);
  PILEAR.PBATT(1) = batt;
  RUNCTL.IOUTPS = 1;
  ENVPIL.ENVFST = 1;
  const double U = 0.02, Y = 0.5, S = 0.001, PX = 1.0e4;
  const double T[9] = {cb, sb, 0, -sb, cb, 0, 0, 0, 1};
  const double ULOC[3] = {U, Y, S};
  const NodeArray none{};
  double VT1 = 0, MT1 = 0;
  std::int32_t st = 0;
  LLPH2D(1, Y, S, PX, VT1, MT1, st, ULOC, T, none, none);
  ASSERT_EQ(st, 0);
  io::CLOSE(U_RESULTS);
  io::CLOSE(U_SUMMARY);
  const std::vector<std::string> res = test::readLines("res.txt");
  EXPECT_EQ(res, test::readLines("sum.txt"));
  ASSERT_GE(res.size(), 16u + 101u);
  EXPECT_EQ(res[2], "       * PILE TOP DISPLACEMENTS AND REACTIONS *      PILE GROUP    1");
  EXPECT_EQ(res[4], "       THE PILE COORDINATE SYSTEM");
  EXPECT_EQ(res[9], "       THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
  // Headings right-aligned over their 13-column fields after 6 blanks.
  EXPECT_EQ(res[6], "        AXIAL DISP.   LAT. DISP.     ROTATION  AXIAL FORCE   LAT. FORCE       MOMENT");
  EXPECT_EQ(res[11], "        VERT. DISP.   HOR. DISP.     ROTATION  VERT. FORCE   HOR. FORCE       MOMENT");
  EXPECT_EQ(res[14], "                  X   DEFLECTION       MOMENT        SHEAR        TOTAL     FLEXURAL");
  EXPECT_EQ(res[15], std::string(65, ' ') + "STRESS     RIGIDITY");
  EXPECT_EQ(res[16].size(), 6u + 6 * 13);
  const auto close = [](const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
      EXPECT_NEAR(got[i], want[i], 5e-4 * std::fabs(want[i]) + 1e-12) << "value " << i + 1;
  };
  close(numbers(res[7]), {U, Y, S, PX, VT1, MT1});
  close(numbers(res[12]), {U * cb - Y * sb, U * sb + Y * cb, S, cb * PX - sb * VT1, sb * PX + cb * VT1, MT1});
  // Head row along the pile: depth 0, the head deflection, the moment in
  // the report's sign, and the rigidity.
  const std::vector<double> top = numbers(res[16]);
  ASSERT_EQ(top.size(), 6u);
  EXPECT_EQ(top[0], 0.0);
  EXPECT_NEAR(top[1], Y, 1e-12);
  EXPECT_NEAR(top[2], -MT1, 5e-4 * std::fabs(MT1));
  EXPECT_NEAR(top[5], EI, 5e-4 * EI);
  EXPECT_NEAR(numbers(res[16 + 100])[0], LEN, 1e-9);
  // Nothing in the envelope store.
  EXPECT_EQ(ENVPIL.PTCUR(1, 15), 0.0);
  EXPECT_EQ(ENVPIL.NDCUR(1, 4, 2), 0.0);
}

TEST(Llph2d, FailuresLeaveTheHeadValuesAlone) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "res.txt", io::Access::Write));
  // With a limit of one solution nothing closes.
  setRow(CONN_PIN);
  SOILCOM.MAXITL = 1;
  RUNCTL.KPILST = 0;
  Head h = head(true, 0.5, 0.0);
  EXPECT_EQ(h.st, 0);
  EXPECT_EQ(RUNCTL.KPILST, 1);
  EXPECT_EQ(h.VT1, -7.0);
  EXPECT_EQ(h.MT1, -7.0);
  // A status left by another row ends the call at its first p-y evaluation.
  setRow(CONN_PIN);
  RUNCTL.KPILST = 0;
  h.st = 13;
  const double ULOC[3] = {0, 0.5, 0};
  const NodeArray none{};
  LLPH2D(1, 0.5, 0.0, 0.0, h.VT1, h.MT1, h.st, ULOC, I3, none, none);
  EXPECT_EQ(h.st, 13);
  EXPECT_EQ(h.VT1, -7.0);
  EXPECT_EQ(RUNCTL.KPILST, 0);
  io::CLOSE(U_LOG);
  io::CLOSE(U_RESULTS);
  const std::string warn = "     ** WARNING **  NO CLOSURE OF A LLP AFTER     1  ITERATIONS          PILE GROUP    1";
  EXPECT_EQ(test::readLines("res.txt"), (std::vector<std::string>{"", "", warn}));
  EXPECT_EQ(test::readLines("log.txt"), (std::vector<std::string>{"", "", warn}));
}

}  // namespace
}  // namespace drelm
