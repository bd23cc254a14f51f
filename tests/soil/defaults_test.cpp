#include "soil/defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "report/siconv.h"

namespace drelm {
namespace {

constexpr double W1 = double(3.4722223f);  // 500 lb/ft^2 in lb/in^2, as stored
constexpr double W2 = double(6.9444447f);  // 1,000 lb/ft^2
constexpr double W1SI = double(23.94013f);
constexpr double W2SI = double(47.88026f);
constexpr double DRY = 0.06, WET = 0.03;  // lb/in^3, either side of the water test

double rad(double deg) { return deg * std::numbers::pi / 180.0; }

struct Case {
  std::string name;
  std::function<double()> eval;
  double expected;
};

double ruleA(double c, int u) {
  double e = -7;
  E50DEF(c, e, u);
  return e;
}
double ruleB(double c, int u) {
  double e = -7;
  E50DEFST(c, e, u);
  return e;
}
double ruleC(double c, int u, int load) {
  double k = -7;
  KDEFCL(c, k, u, load);
  return k;
}
double ruleD(double phiDeg, double gam, int u) {
  double k = -7;
  KDEFSD(rad(phiDeg), gam, k, u);
  return k;
}
double ruleE(double gam, double c, double phiDeg, int u, int load) {
  double k = -7;
  KDEFCP(gam, c, rad(phiDeg), k, u, load);
  return k;
}

TEST(SoilDefaults, RulesAtTheirBreaks) {
  const std::vector<Case> cases = {
      // Rule A: half-open ranges, the break itself belongs to the upper range.
      {"A c=0", [] { return ruleA(0, 1); }, 0.02},
      {"A c<0", [] { return ruleA(-3, 1); }, 0.02},
      {"A just below W1", [] { return ruleA(3.4722, 1); }, 0.02},
      {"A W1", [] { return ruleA(W1, 1); }, 0.01},
      {"A 2W1", [] { return ruleA(2 * W1, 1); }, 0.005},
      {"A 4W1", [] { return ruleA(4 * W1, 1); }, 0.005},
      {"A just below 8W1", [] { return ruleA(27.7, 1); }, 0.005},
      {"A 8W1", [] { return ruleA(8 * W1, 1); }, 0.004},
      {"A SI W1", [] { return ruleA(W1SI, 2); }, 0.01},
      {"A SI below W1", [] { return ruleA(23.9, 2); }, 0.02},
      {"A other units", [] { return ruleA(100, 3); }, 0.001},
      // Rule B.
      {"B c=0", [] { return ruleB(0, 1); }, 0.011},
      {"B W2", [] { return ruleB(W2, 1); }, 0.007},
      {"B 2W2", [] { return ruleB(2 * W2, 1); }, 0.005},
      {"B 4W2", [] { return ruleB(4 * W2, 1); }, 0.004},
      {"B SI 2W2", [] { return ruleB(2 * W2SI, 2); }, 0.005},
      {"B other units untouched", [] { return ruleB(0, 3); }, -7},
      // Rule C: English and SI, static and cyclic.
      {"C c=0 static", [] { return ruleC(0, 1, 1); }, 250},
      {"C c=0 cyclic", [] { return ruleC(0, 1, 0); }, 100},
      {"C W2 static", [] { return ruleC(W2, 1, 1); }, 500},
      {"C W2 cyclic", [] { return ruleC(W2, 1, 0); }, 200},
      {"C 1000/144 psf is just below W2", [] { return ruleC(1000.0 / 144.0, 1, 1); }, 250},
      {"C 2W2 cyclic", [] { return ruleC(2 * W2, 1, 0); }, 400},
      {"C 4W2 static", [] { return ruleC(4 * W2, 1, 1); }, 2000},
      {"C SI W2 static", [] { return ruleC(W2SI, 2, 1); }, 135723.56},
      {"C SI 4W2 cyclic", [] { return ruleC(4 * W2SI, 2, 0); }, 217157.69},
      {"C loading flag 2 untouched", [] { return ruleC(0, 1, 2); }, -7},
      {"C other units untouched", [] { return ruleC(0, 3, 1); }, -7},
      // Rule D: the break at 27.6423, 45 inclusive, the water test.
      {"D 20 dry", [] { return ruleD(20, DRY, 1); }, 10.206787 * 20 / 27.6423},
      {"D 20 wet", [] { return ruleD(20, WET, 1); }, 10.206726 * 20 / 27.6423},
      {"D 27.6423 dry polynomial", [] { return ruleD(27.6423, DRY, 1); },
       (0.4168 * 27.6423 - 8.1254) * 27.6423 - 83.664},
      {"D 45 dry polynomial", [] { return ruleD(45, DRY, 1); }, 394.713},
      {"D 45 wet polynomial", [] { return ruleD(45, WET, 1); }, 228.766},
      {"D 45.0001 dry plateau", [] { return ruleD(45.0001, DRY, 1); }, 394.71298},
      {"D 45.0001 wet plateau", [] { return ruleD(45.0001, WET, 1); }, 228.76556},
      {"D gamma 0.045 counts as wet", [] { return ruleD(20, 0.045, 1); }, 10.206726 * 20 / 27.6423},
      {"D SI 20 dry", [] { return ruleD(20, 19.0, 2); }, 10.206787 * 20 / 27.6423 * 271.44714},
      {"D SI 40 wet", [] { return ruleD(40, 9.0, 2); },
       (((0.0166 * 40 - 1.55262) * 40 + 58.42955) * 40 - 769.18353) * 271.44714},
      {"D SI plateau dry", [] { return ruleD(50, 19.0, 2); }, 107143.71},
      {"D SI plateau wet", [] { return ruleD(50, 9.0, 2); }, 62097.758},
      {"D other units untouched", [] { return ruleD(30, DRY, 3); }, -7},
      // Rule E: clay k plus the friction increment.
      {"E c=20 phi=33 dry static", [] { return ruleE(DRY, 20, 33, 1, 1); }, 1090},
      {"E c=20 phi=33 wet cyclic", [] { return ruleE(WET, 20, 33, 1, 0); }, 460},
      {"E phi=30 dry static", [] { return ruleE(DRY, 0, 30, 1, 1); }, 275},
      {"E phi=36 wet static", [] { return ruleE(WET, 0, 36, 1, 1); }, 310},
      {"E phi=37 dry cyclic", [] { return ruleE(DRY, 0, 37, 1, 0); }, 325},
      {"E SI phi=40 dry static", [] { return ruleE(19.0, 0, 40, 2, 1); }, 67861.78 + 61075.6},
      {"E SI phi=20 wet cyclic", [] { return ruleE(9.0, 0, 20, 2, 0); }, 27144.71 + 5428.94},
      {"E other units untouched", [] { return ruleE(DRY, 20, 33, 3, 1); }, -7},
  };
  for (const Case& c : cases) {
    const double got = c.eval();
    EXPECT_NEAR(got, c.expected, 5e-6 * std::max(1.0, std::abs(c.expected))) << c.name;
  }
}

// A friction angle of 29 degrees in radians comes back as exactly 29 when
// turned by x 180 / pi (x (180 / pi) gives 29.000000000000004), so the sand
// rule is evaluated at the stored angle.
TEST(SoilDefaults, FrictionAngleTurnsBackToDegreesExactly) {
  const double phi = 29.0 * std::numbers::pi / 180.0;
  const double dry = (double(0.4168f) * 29.0 - double(8.1254f)) * 29.0 - double(83.664f);
  double k = 0;
  KDEFSD(phi, DRY, k, 1);
  EXPECT_EQ(k, dry);
  KDEFSD(phi, 19.0, k, 2);
  EXPECT_EQ(k, dry * PCI_KNM3);
  // The c-phi rule's bands: 30 and 36 degrees still take the lower band.
  EXPECT_EQ(ruleE(DRY, 0, 30, 1, 1), 250.0 + 25.0);
  EXPECT_EQ(ruleE(DRY, 0, 36, 1, 1), 250.0 + 90.0);
}

// A soil given in SI, each value converted exactly, gets the English default
// converted exactly: the breaks, the tables and the water test (0.045 pci is
// 12.215 kN/m^3, not 12.225: a soil of 0.04502 pci is above water in both).
TEST(SoilDefaults, SiDefaultsAreTheEnglishOnesConverted) {
  for (double c : {0.0, 3.0, 3.5, 7.0, 15.0, 30.0}) {  // psi
    SCOPED_TRACE(testing::Message() << "c " << c << " psi");
    EXPECT_EQ(ruleA(c * PSI_KPA, 2), ruleA(c, 1));
    EXPECT_EQ(ruleB(c * PSI_KPA, 2), ruleB(c, 1));
    for (int load : {0, 1}) {
      const double k = ruleC(c, 1, load);
      EXPECT_NEAR(ruleC(c * PSI_KPA, 2, load), k * PCI_KNM3, 1e-12 * k * PCI_KNM3) << "load " << load;
    }
  }
  for (double gam : {0.03, 0.04502, 0.06}) {  // pci
    for (double phi : {20.0, 33.0, 40.0, 50.0}) {
      SCOPED_TRACE(testing::Message() << "gamma " << gam << " pci, phi " << phi);
      const double kd = ruleD(phi, gam, 1);
      EXPECT_NEAR(ruleD(phi, gam * PCI_KNM3, 2), kd * PCI_KNM3, 1e-12 * kd * PCI_KNM3);
      for (int load : {0, 1}) {
        const double ke = ruleE(gam, 5.0, phi, 1, load);
        EXPECT_NEAR(ruleE(gam * PCI_KNM3, 5.0 * PSI_KPA, phi, 2, load), ke * PCI_KNM3, 1e-12 * ke * PCI_KNM3);
      }
    }
  }
  EXPECT_GT(ruleD(33, 0.04502, 1), ruleD(33, 0.045, 1));  // above water, the stiffer default
}

TEST(SoilDefaults, DispatchersBySoilType) {
  struct Row {
    int type;
    double c, e50in;
    int units;
    double e50;
    int flag;
  };
  const Row e50rows[] = {
      {1, 0, 0, 1, 0.02, 1},    {7, W1, -1, 1, 0.01, 1}, {13, 0, 0, 2, 0.02, 1},
      {14, 0, 0, 1, 0.02, 1},   {2, W2, 0, 1, 0.007, 1}, {3, 0, 0, 1, 0.011, 1},
      {10, 4 * W2, 0, 1, 0.004, 1}, {4, 0, 0, 1, 0, 1},  {3, 0, -1, 3, -1, 1},
      {1, 0, 0.03, 1, 0.03, 0}, {4, 0, 0.05, 1, 0.05, 0},
  };
  for (const Row& r : e50rows) {
    double e50 = 99;
    std::int32_t flag = 99;
    E50DEFIN(r.c, r.e50in, e50, r.units, r.type, flag);
    EXPECT_NEAR(e50, r.e50, 1e-9) << "E50DEFIN type " << r.type;
    EXPECT_EQ(flag, r.flag) << "E50DEFIN type " << r.type;
  }

  // E50DEFTY leaves other types as passed and applies rule A or B otherwise.
  double e50 = -2;
  E50DEFTY(0, e50, 4, 1);
  EXPECT_EQ(e50, -2);
  E50DEFTY(0, e50, 13, 1);
  EXPECT_NEAR(e50, 0.02, 1e-9);
  E50DEFTY(0, e50, 10, 1);
  EXPECT_NEAR(e50, 0.011, 1e-9);

  struct KRow {
    int type;
    double c, phiDeg, gam, kin;
    double kst, kcy;
    int fst, fcy;
  };
  const KRow krows[] = {
      {2, 0, 0, DRY, 75, 75, 75, 0, 0},  // a given k is kept for both loadings
      {2, W2, 0, DRY, 0, 500, 200, 1, 1},
      {10, 0, 0, DRY, -1, 250, 100, 1, 1},
      {14, 4 * W2, 0, DRY, 0, 2000, 800, 1, 1},
      {7, 20, 33, DRY, 0, 1090, 490, 1, 1},
      {4, 0, 20, DRY, 0, 10.206787 * 20 / 27.6423, 0, 1, 0},  // sand: no cyclic default
      {8, 0, 50, WET, -3, 228.76556, -3, 1, 0},
      {1, 5, 0, DRY, 0, 0, 0, 1, 0},  // soft clay: flagged, no default here
  };
  for (const KRow& r : krows) {
    double kst = 99, kcy = 99;
    std::int32_t fst = 99, fcy = 99;
    KDEFIN(r.c, rad(r.phiDeg), r.gam, r.kin, kst, kcy, 1, r.type, fst, fcy);
    EXPECT_NEAR(kst, r.kst, 1e-4) << "KDEFIN type " << r.type;
    EXPECT_NEAR(kcy, r.kcy, 1e-4) << "KDEFIN type " << r.type;
    EXPECT_EQ(fst, r.fst) << "KDEFIN type " << r.type;
    EXPECT_EQ(fcy, r.fcy) << "KDEFIN type " << r.type;
  }
}

}  // namespace
}  // namespace drelm
