// Distributed loads mapped onto the pile nodes, and their axial resultant at
// the cap origin.
#include <gtest/gtest.h>

#include <cmath>

#include "input/capload.h"
#include "analysis/dlnode.h"
#include "model/model.h"
#include "model/tables.h"

namespace drelm {
namespace {

class DistributedLoads : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    RUNCTL.IANTYP = 3;
    RUNCTL.NPILE = 8;
    PILEPROP.PLEN(1) = 10.0;
    PILEPROP.NINC(1) = 10;
    for (int p = 1; p <= 8; ++p) {
      PILEAR.PROPOFPILE(p) = 1;
      PILEAR.BETA(p) = M_PI / 2;  // vertical
    }
    CASEIN.NLCASE = 1;
    CASEIN.CASTOL(1, 5) = 1.0;
    // Set 1: 0 at the head rising to 20 at 10 below it; set 2 uniform 5
    // from 2 to 6.
    DLSETIN.NDLSET = 2;
    set(1, {{0.0, 0.0}, {10.0, 20.0}});
    set(2, {{2.0, 5.0}, {6.0, 5.0}});
  }
  static void set(int m, std::initializer_list<std::pair<double, double>> pts) {
    int k = 0;
    for (const auto& [d, v] : pts) {
      ++k;
      DLSETIN.DLDEP(m, k) = d;
      DLSETIN.DLVAL(m, k) = v;
    }
    DLSETIN.NDLPT(m) = k;
  }
  // Line i of case c: axis, first, last, step, set and factor of Y and Z.
  static void line(int c, int i, int axis, int ini, int end, int inc, int sy, double fy, int sz, double fz) {
    CASEIN.LCDLAX(c, i) = axis;
    CASEIN.LCDLPI(c, i, 1) = ini;
    CASEIN.LCDLPI(c, i, 2) = end;
    CASEIN.LCDLPI(c, i, 3) = inc;
    CASEIN.LCDLSY(c, i) = sy;
    CASEIN.LCDLFY(c, i) = fy;
    CASEIN.LCDLSZ(c, i) = sz;
    CASEIN.LCDLFZ(c, i) = fz;
    if (CASEIN.CASCTL(c, 16) < i) CASEIN.CASCTL(c, 16) = i;
  }
  static std::vector<int> loadedPiles() {
    std::vector<int> v;
    for (int p = 1; p <= RUNCTL.NPILE; ++p)
      if (DLNODE.NDLNOD(p) > 0) v.push_back(p);
    return v;
  }
};

TEST_F(DistributedLoads, PileRangeOfALine) {
  const struct {
    int ini, end, inc;
    std::vector<int> piles;
  } cases[] = {
      {2, 6, 0, {2, 6}},         // increment 0: the two end piles
      {3, 0, 0, {3}},            // no end pile: the first alone
      {6, 2, 2, {2, 4, 6}},      // ends in either order
      {2, 6, -2, {2, 4, 6}},     // a negative increment counts by its magnitude
      {-3, 3, 2, {1, 3}},        // piles below 1 are passed over
      {5, 40, 1, {5, 6, 7, 8}},  // never beyond the last pile
      {7, 30, 0, {7}},
  };
  for (const auto& k : cases) {
    line(1, 1, 0, k.ini, k.end, k.inc, 1, 1.0, 0, 0.0);
    CASEDL(1);
    EXPECT_EQ(loadedPiles(), k.piles) << k.ini << " " << k.end << " " << k.inc;
  }
}

TEST_F(DistributedLoads, LocalIntensitiesAtTheNodesAndTheEndsOfASet) {
  line(1, 1, 0, 1, 0, 0, 1, 2.0, 2, 1.0);
  CASEIN.CASTOL(1, 5) = 0.5;
  CASEDL(1);
  EXPECT_EQ(DLNODE.NDLNOD(1), 11);
  for (int l = 1; l <= 11; ++l) {
    const double z = l - 1.0;
    EXPECT_DOUBLE_EQ(DLNODE.DLPOS(1, l), z);
    EXPECT_NEAR(DLNODE.DLQ1(1, l), 2.0 * z * 0.5 * 2.0, 1e-12) << l;
    // Set 2 acts from 2 to 6 only, its end values included.
    EXPECT_DOUBLE_EQ(DLNODE.DLQ2(1, l), (z >= 2.0 && z <= 6.0) ? 2.5 : 0.0) << l;
  }
  EXPECT_EQ(CASECUR.DLFLAG, 0);
  // A node 1E-9 outside the set's end still takes the end value.
  DLSETIN.DLDEP(2, 2) = 6.0 + 1.0E-9;
  CASEDL(1);
  EXPECT_DOUBLE_EQ(DLNODE.DLQ2(1, 7), 2.5);
}

TEST_F(DistributedLoads, GlobalLinesOnVerticalAndInclinedPiles) {
  // A vertical pile takes global Y and Z as its lateral directions.
  line(1, 1, 1, 1, 0, 0, 2, 1.0, 2, 3.0);
  CASEIN.CASCTL(1, 14) = 1;
  CASEDL(1);
  EXPECT_DOUBLE_EQ(DLNODE.DLQ1(1, 4), 5.0);
  EXPECT_DOUBLE_EQ(DLNODE.DLQ2(1, 4), 15.0);
  EXPECT_NEAR(DLNODE.DLPAX(1), 0.0, 1e-12);

  // A uniform load along Y on a pile inclined at 60 degrees in the X-Y
  // plane: q sin(beta) across it and q cos(beta) L lumped at its head.
  set(3, {{0.0, 4.0}, {10.0, 4.0}});
  PILEAR.BETA(2) = M_PI / 3;
  line(1, 1, 1, 2, 0, 0, 3, 1.0, 0, 0.0);
  CASEDL(1);
  EXPECT_NEAR(DLNODE.DLQ1(2, 5), 4.0 * std::sin(M_PI / 3), 1e-12);
  EXPECT_NEAR(DLNODE.DLQ2(2, 5), 0.0, 1e-12);
  EXPECT_NEAR(DLNODE.DLPAX(2), 4.0 * 0.5 * 10.0, 1e-9);
  EXPECT_EQ(CASECUR.DLFLAG, 1);

  // The lumped load at the head, moved to the origin.
  PILEAR.PHX(2) = 1.0;
  PILEAR.PHY(2) = 2.0;
  PILEAR.PHZ(2) = 3.0;
  double P[6] = {0, 0, 0, 0, 0, 0};
  AXLDRES(P);
  const double a = 20.0, fx = a * std::sin(M_PI / 3), fy = a * std::cos(M_PI / 3);
  EXPECT_NEAR(P[0], fx, 1e-9);
  EXPECT_NEAR(P[1], fy, 1e-9);
  EXPECT_NEAR(P[2], 0.0, 1e-9);
  EXPECT_NEAR(P[3], -3.0 * fy, 1e-9);
  EXPECT_NEAR(P[4], 3.0 * fx, 1e-9);
  EXPECT_NEAR(P[5], 1.0 * fy - 2.0 * fx, 1e-9);
  // Without a lumped part the cap load is left alone.
  CASEIN.CASCTL(1, 14) = 0;
  CASEDL(1);
  double Q[6] = {1, 2, 3, 4, 5, 6};
  AXLDRES(Q);
  EXPECT_EQ(Q[5], 6.0);
}

TEST_F(DistributedLoads, CombinationsAddTheirCasesAndCaseOfPointKindCounts) {
  CASEIN.NLCASE = 2;
  line(1, 1, 0, 1, 0, 0, 1, 1.0, 0, 0.0);
  line(2, 1, 0, 1, 0, 0, 1, 1.0, 0, 0.0);
  CASEIN.CASTOL(2, 5) = 0.5;
  CASEIN.LCKIND(2) = 1;
  COMBIN.NCOMB = 1;
  COMBIN.CMBCTL(1, 8) = 2;
  COMBIN.CMBCTL(1, 42) = 1;
  COMBIN.CMBCTL(1, 43) = 2;
  COMBIN.CMBTOL(1, 9) = 1.2;
  COMBIN.CMBTOL(1, 10) = 1.6;
  COMBDL(1);
  // 1.2 x 1.0 + 1.6 x 0.5 of the same intensity 2 z.
  EXPECT_NEAR(DLNODE.DLQ1(1, 6), (1.2 + 0.8) * 10.0, 1e-12);
  // The next case starts from nothing.
  CASEIN.CASCTL(1, 16) = 0;
  CASEDL(1);
  EXPECT_TRUE(loadedPiles().empty());
}

TEST_F(DistributedLoads, PlaneRowsTakeTheirBatter) {
  RUNCTL.IANTYP = 2;
  PILEAR.PBATT(1) = M_PI / 6;
  set(3, {{0.0, 4.0}, {10.0, 4.0}});
  line(1, 1, 1, 1, 0, 0, 3, 1.0, 0, 0.0);
  CASEIN.CASCTL(1, 14) = 1;
  CASEDL(1);
  EXPECT_NEAR(DLNODE.DLQ1(1, 3), 4.0 * std::cos(M_PI / 6), 1e-12);
  EXPECT_NEAR(DLNODE.DLPAX(1), 4.0 * 10.0 * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(DLNODE.DLQ2(1, 3), 0.0);
}

}  // namespace
}  // namespace drelm
