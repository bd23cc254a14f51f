// Loads at the cap origin and load type names.
#include <gtest/gtest.h>

#include <string>

#include "input/capload.h"
#include "report/ldtypnm.h"
#include "model/model.h"
#include "model/tables.h"

namespace drelm {
namespace {

// Load k of case c: V, Hy, Mz, Hz, My, Mx at (x, y, z).
void setLoad(int c, int k, double V, double Hy, double Mz, double Hz, double My, double Mx, double x, double y,
             double z) {
  const double v[9] = {V, Hy, Mz, Hz, My, Mx, x, y, z};
  for (int j = 1; j <= 9; ++j) CASEIN.LCCONC(c, k, j) = v[j - 1];
  if (CASEIN.CASCTL(c, 15) < k) CASEIN.CASCTL(c, 15) = k;
  if (CASEIN.NLCASE < c) CASEIN.NLCASE = c;
  if (CASEIN.CASTOL(c, 5) == 0.0) CASEIN.CASTOL(c, 5) = 1.0;
}

// Every test starts from cleared tables, also when the tests share a process.
class CaseLoad : public ::testing::Test {
 protected:
  void SetUp() override { clearTables(); }
};
using CombinationLoad = CaseLoad;

void expectVector(const double (&P)[6], std::initializer_list<double> want) {
  int j = 0;
  for (double w : want) {
    EXPECT_NEAR(P[j], w, 1e-9) << "component " << j + 1;
    ++j;
  }
}

TEST_F(CaseLoad, SpaceMomentsAboutTheOrigin) {
  RUNCTL.IANTYP = 3;
  // V = 100 and Hy = 10 at (2, 3, 4): Mx = -z Hy, My = z V, Mz = x Hy - y V.
  setLoad(1, 1, 100, 10, 0, 0, 0, 0, 2, 3, 4);
  double P[6];
  CASELD(1, P);
  expectVector(P, {100, 10, 0, -40, 400, 20 - 300});
  // A horizontal load along Z at the same point, and given moments.
  setLoad(1, 2, 0, 0, 7, 5, 8, 9, 2, 3, 4);
  CASELD(1, P);
  expectVector(P, {100, 10, 5, -40 + 9 + 3 * 5, 400 + 8 - 2 * 5, -280 + 7});
}

TEST_F(CaseLoad, PlaneUsesVerticalHorizontalAndMoment) {
  RUNCTL.IANTYP = 2;
  setLoad(1, 1, 100, 10, 50, 99, 99, 99, 2, 3, 4);
  double P[6];
  CASELD(1, P);
  // M + x H - y V; the out-of-plane components are left out.
  expectVector(P, {100, 10, 0, 0, 0, 50 + 20 - 300});
}

TEST_F(CaseLoad, ScaleFactorKindAndMissingCases) {
  RUNCTL.IANTYP = 3;
  setLoad(1, 1, 100, 10, 0, 0, 0, 0, 0, 2, 0);
  CASEIN.CASTOL(1, 5) = 2.0;
  double P[6];
  CASELD(1, P);
  expectVector(P, {200, 20, 0, 0, 0, -400});

  // A case given at a point shows its loads but has no equivalent load.
  CASEIN.LCKIND(1) = 1;
  CASELD(1, P);
  expectVector(P, {0, 0, 0, 0, 0, 0});

  // A slot beyond the cases read keeps whatever it held: it is not read.
  CASEIN.LCKIND(1) = 0;
  setLoad(2, 1, 500, 0, 0, 0, 0, 0, 0, 0, 0);
  CASEIN.NLCASE = 1;
  CASELD(2, P);
  expectVector(P, {0, 0, 0, 0, 0, 0});
  CASEIN.NLCASE = 0;
  CASELD(1, P);
  expectVector(P, {0, 0, 0, 0, 0, 0});
}

TEST_F(CombinationLoad, SumsFactoredScaledCases) {
  RUNCTL.IANTYP = 3;
  setLoad(1, 1, 100, 10, 0, 0, 0, 0, 0, 0, 0);
  setLoad(2, 1, 40, 0, 0, 0, 0, 0, 0, 1, 0);
  CASEIN.CASTOL(2, 5) = 0.5;
  setLoad(3, 1, 1000, 0, 0, 0, 0, 0, 0, 0, 0);
  CASEIN.LCKIND(3) = 1;  // contributes nothing
  COMBIN.NCOMB = 1;
  COMBIN.CMBCTL(1, 8) = 3;
  const int cases[3] = {1, 2, 3};
  const double factors[3] = {1.2, 1.6, 5.0};
  for (int e = 1; e <= 3; ++e) {
    COMBIN.CMBCTL(1, 41 + e) = cases[e - 1];
    COMBIN.CMBTOL(1, 8 + e) = factors[e - 1];
  }
  double P[6];
  COMBLD(1, P);
  // 1.2 L1 + 1.6 x 0.5 x L2'.
  expectVector(P, {1.2 * 100 + 0.8 * 40, 1.2 * 10, 0, 0, 0, -0.8 * 40});
}

TEST(LoadTypeName, CodesAndUnknownCodes) {
  const struct {
    std::int32_t code;
    const char* name;
  } cases[] = {{0, "Dead, DL"},        {1, "Live, LL"},     {2, "Seismic, EQ"}, {3, "Impact, IM"},
               {4, "Wind, WN"},        {5, "Water, WT"},    {6, "Ice, IC"},     {7, "Soils, Hsl"},
               {8, "Roof Live, Lr"},   {9, "Rain, Rn"},     {10, "Snow, Sn"},   {11, "Temperature, Tm"},
               {12, "Special, Sp"},    {-1, "Special, Sp"}, {1000, "Special, Sp"}};
  for (const auto& c : cases) {
    FStr<32> name("garbage that fills the whole field");
    LDTYPNM(c.code, name);
    std::string want = c.name;
    want.resize(32, ' ');
    EXPECT_EQ(name.str(), want) << c.code;
  }
}

}  // namespace
}  // namespace drelm
