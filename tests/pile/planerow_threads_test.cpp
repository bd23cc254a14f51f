// The plane single-pile solvers of many rows side by side, as in the row
// loop of the plane force sum: each row's head response on eight threads is
// bit for bit the one of a serial loop, and a row that fails stops the rest
// through the shared status word without disturbing a row that closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "cap/fvec2d.h"
#include "model/fileio.h"
#include "pile/axial2d.h"
#include "pile/llph2d.h"
#include "pile/pilehd_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

constexpr int NROW = 64;
constexpr int NVAL = 5;  // the row's three cap forces, the head routine's shear and moment
constexpr double EI = 1.0E10;
// The cap displacement: vertical, horizontal, rotation.
constexpr double UCAP[3] = {0.2, 0.4, 4.0E-4};

// 64 driven rows 50 ft long in soft clay over sand over stiff clay, with the
// axial load along the pile solved: pinned, fixed and restrained heads,
// battered rows (node depths follow the batter), every fourth row of a
// section whose bending follows a softening moment-curvature curve, every
// eighth row on straight p-y curves of its own by depth.
void planeGroup() {
  ASSERT_EQ(test::setThreeLayerRun(NROW, 40), 0);
  RUNCTL.IANTYP = 2;
  RUNCTL.IOUTPS = 0;
  RUNCTL.IBATAD = 1;
  CURCTL.IAXVAR = 1;

  test::Section s{EI, EI, 24.0, 450.0, 2500.0, 2500.0};
  s.mcz = 1;
  test::setProperty(2, 600.0, 40, s);
  SECTAB.SEMODT(2, 1) = SECTAB.SEMODB(2, 1) = 4.0E6;
  SECTAB.SGJT(2, 1) = SECTAB.SGJB(2, 1) = 4.6E11;
  PILEPROP.PTYPE(2) = PTYPE_DRIVEN;
  RUNCTL.ICTL09 = 1;
  MCTAB.NMCSET = 1;
  MCTAB.MCNCRV(1) = 1;
  MCTAB.MCNPT(1, 1) = 3;
  const double phi[3] = {0.0, 5.0E-6, 1.0E-3}, mom[3] = {0.0, EI * 5.0E-6, EI * 5.0E-6 + 0.5 * EI * (1.0E-3 - 5.0E-6)};
  for (int k = 1; k <= 3; ++k) {
    MCTAB.MCCURV(1, 1, k) = phi[k - 1];
    MCTAB.MCMOM(1, 1, k) = mom[k - 1];
  }

  RUNCTL.IUSRPY = 1;
  test::setLinearCurves(1, {{0.0, 300.0}, {1200.0, 6000.0}});

  const std::int32_t conn[3] = {CONN_PIN, CONN_FIX, CONN_RES};
  for (int p = 1; p <= NROW; ++p) {
    PILEAR.PROPOFPILE(p) = p % 4 == 1 ? 2 : 1;
    PILEAR.PHX(p) = PILEAR.PHXREF(p) = 6.0 * (p % 3);
    PILEAR.PHYREF(p) = 36.0 * (p - 32);
    PILEAR.PBATT(p) = p % 3 == 0 ? 0.0 : (p % 2 ? 0.05 : -0.05) * (p % 5 + 1);
    PILEAR.GRPNP(p) = 1.0 + p % 3;
    PCONN.CONNECTY(p) = conn[p % 3];
    PILEAR.HSPR1(p) = 5.0E9;
    PILEAR.IPYSET(p) = p % 8 == 3 ? 1 : 0;
  }
}

// Row p: its forces at the cap origin, then the plane head routine on the
// nodes just placed, for the same displacements in row axes.
void rowResponse(int p, double* out, std::int32_t& st) {
  PILEHD2D(p, UCAP, out, st);
  const double c = std::cos(PILEAR.PBATT(p)), s = std::sin(PILEAR.PBATT(p));
  const double a = PILEAR.PHXREF(p) * s - PILEAR.PHYREF(p) * c, b = PILEAR.PHXREF(p) * c + PILEAR.PHYREF(p) * s;
  const double ULOC[3] = {c * UCAP[0] + s * UCAP[1] + a * UCAP[2], -s * UCAP[0] + c * UCAP[1] + b * UCAP[2],
                          UCAP[2]};
  const double T[9] = {c, s, a, -s, c, b, 0.0, 0.0, 1.0};
  NodeArray mov{}, load{};
  double PX = 0.0;
  AXIAL2D(p, PX, ULOC, mov, load, st);
  PX *= PILEAR.PAXFAC(p);
  LLPH2D(p, ULOC[1], ULOC[2], PX, out[3], out[4], st, ULOC, T, mov, load);
}

// Every row alone, each with a status of its own.
std::vector<double> serialRows(std::vector<std::int32_t>& status) {
  std::vector<double> v(NVAL * NROW, -1.0);
  status.assign(NROW, 0);
  for (int p = 1; p <= NROW; ++p) rowResponse(p, &v[NVAL * (p - 1)], status[p - 1]);
  return v;
}

class PlaneRowThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    planeGroup();
    for (int u : {U_RESULTS, U_LOG})
      ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
  }
  void TearDown() override {
    CURCTL.LLPREL = 0.0;
    io::CLOSEALL();
  }

  static std::vector<std::string> written() {
    io::FLUSH(U_RESULTS);
    io::FLUSH(U_LOG);
    std::vector<std::string> out;
    for (int u : {U_RESULTS, U_LOG})
      for (const std::string& l : test::readLines("unit" + std::to_string(u) + ".txt"))
        out.push_back(std::to_string(u) + ":" + l);
    return out;
  }

  test::ScratchDir dir;
};

// Also with the rows closing on their own deflections, as in the last
// attempt of a cap pass.
TEST_F(PlaneRowThreads, RowsOnEightThreadsMatchTheSerialLoopBitForBit) {
  for (double closure : {0.0, 1.0E-6}) {
    SCOPED_TRACE(closure);
    CURCTL.LLPREL = closure;
    std::vector<std::int32_t> status;
    const std::vector<double> serial = serialRows(status);
    for (int p = 1; p <= NROW; ++p) {
      ASSERT_EQ(status[p - 1], 0) << p;
      for (int i = 0; i < NVAL; ++i) ASSERT_NE(serial[NVAL * (p - 1) + i], -1.0) << p << " " << i;
      ASSERT_NE(serial[NVAL * (p - 1) + 3], 0.0) << p;
    }
    ASSERT_EQ(RUNCTL.KPILST, 0);
    ASSERT_TRUE(written().empty());

    std::vector<double> parallel(NVAL * NROW);
    for (int rep = 0; rep < 3; ++rep) {
      std::fill(parallel.begin(), parallel.end(), -1.0);
      std::int32_t st = 0;
      test::onThreads(8, NROW, [&](int p) { rowResponse(p, &parallel[NVAL * (p - 1)], st); });
      ASSERT_EQ(st, 0);
      EXPECT_EQ(std::memcmp(serial.data(), parallel.data(), serial.size() * sizeof(double)), 0) << rep;
    }
    EXPECT_EQ(RUNCTL.KPILST, 0);
    EXPECT_TRUE(written().empty());
  }
}

// Row 5 reaches below the deepest layer: its load transfer and its node
// set-up both store their codes in the status word all rows share. A row
// that ends with the word still clear never saw it, and is kept (as the
// force sum keeps it) with the values it has alone. The failing row's
// messages, captured and written in row order, are the ones it writes alone.
TEST_F(PlaneRowThreads, AFailingRowStopsTheRestAndLeavesTheKeptRowsAlone) {
  constexpr int BELOW = 5;
  PILEAR.PHX(BELOW) = PILEAR.PHXREF(BELOW) = 700.0;  // tip 100 in below the stiff clay
  std::vector<std::int32_t> status;
  const std::vector<double> serial = serialRows(status);
  const std::int32_t code = status[BELOW - 1];
  ASSERT_NE(code, 0);
  for (int p = 1; p <= NROW; ++p) {
    if (p != BELOW) {
      ASSERT_EQ(status[p - 1], 0) << p;
    }
  }
  const std::vector<std::string> message = written();
  ASSERT_FALSE(message.empty());

  for (int u : {U_RESULTS, U_LOG})
    ASSERT_TRUE(io::OPEN(u, "unit" + std::to_string(u) + ".txt", io::Access::Write));
  std::vector<double> parallel(NVAL * NROW, -1.0);
  std::vector<char> kept(NROW, 0);
  std::vector<io::Capture> out(NROW);
  std::int32_t st = 0;
  test::onThreads(8, NROW, [&](int p) {
    out[p - 1].start();
    rowResponse(p, &parallel[NVAL * (p - 1)], st);
    kept[p - 1] = std::atomic_ref<std::int32_t>(st).load(std::memory_order_relaxed) == 0;
    out[p - 1].stop();
  });
  for (io::Capture& o : out) o.replay();
  EXPECT_EQ(st, code);
  EXPECT_FALSE(kept[BELOW - 1]);
  for (int p = 1; p <= NROW; ++p) {
    if (kept[p - 1]) {
      EXPECT_EQ(std::memcmp(&serial[NVAL * (p - 1)], &parallel[NVAL * (p - 1)], NVAL * sizeof(double)), 0) << p;
    }
  }
  EXPECT_EQ(written(), message);
}

}  // namespace
}  // namespace drelm
