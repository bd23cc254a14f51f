#include "soil/soilrec.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "model/fileio.h"
#include "model/model.h"
#include "support/testdir.h"

namespace drelm {
namespace {

// Input values of property j (1..9) at the top of a layer; the bottom is ten
// times as large, so a wrong end shows.
constexpr double TOPVAL[10] = {0, 0.07, 11, 30, 13, 14, 0.015, 0.5, 17, 18};

void inputLayer(int L, int code, double top, double bot) {
  SOILIN.SLTYPE(L) = code;
  SOILIN.SLVAL(L, 1) = top;
  SOILIN.SLVAL(L, 2) = bot;
  for (int j = 1; j <= 9; ++j) {
    SOILIN.SLVAL(L, 2 * j + 1) = TOPVAL[j];
    SOILIN.SLVAL(L, 2 * j + 2) = 10 * TOPVAL[j];
  }
}

TEST(SoilRecord, KeptAndZeroedPropertiesByCode) {
  // Which of c, phi, k, Er, E50, J each code keeps ('1') or zeroes ('0').
  struct Row {
    int code;
    const char* kept;  // c phi k Er E50 J
  };
  const Row rows[] = {
      {1, "100010"},  {2, "101010"},  {3, "100010"},  {4, "011000"},  {5, "000000"},
      {6, "100000"},  {7, "111010"},  {8, "011000"},  {9, "100111"},  {10, "101010"},
      {11, "000000"}, {12, "111111"}, {13, "100011"}, {14, "101011"}, {0, "111111"},
      {15, "111111"},
  };
  const double deg = std::numbers::pi / 180.0;
  for (const Row& r : rows) {
    SOILIN = SOILIN_T{};
    SOILCOM = SOILCOM_T{};
    SOILIN.NLAYIN = 2;
    inputLayer(1, 1, 0.0, 120.0);  // a soft clay layer above the one under test
    inputLayer(2, r.code, 120.0, 360.0);
    std::int32_t ISTAT = 0;
    SOILREC(ISTAT);
    ASSERT_EQ(ISTAT, 0);
    EXPECT_EQ(SOILCOM.NLAYER, 2);
    EXPECT_EQ(SOILCOM.NPROF, 4);
    EXPECT_EQ(SOILCOM.NGAM, 4);
    EXPECT_EQ(SOILCOM.LTYPE(2), r.code);
    EXPECT_EQ(SOILCOM.LTOP(2), 120.0);
    EXPECT_EQ(SOILCOM.LBOT(2), 360.0);
    EXPECT_EQ(SOILCOM.LTOP(3), 360.0);  // the closing top, set before any solver runs
    for (int end = 0; end < 2; ++end) {
      const int i = 3 + end;
      const double f = end ? 10.0 : 1.0;
      const std::string at = "code " + std::to_string(r.code) + (end ? " bottom" : " top");
      EXPECT_EQ(SOILCOM.XPROF(i), end ? 360.0 : 120.0) << at;
      EXPECT_EQ(SOILCOM.XGAM(i), SOILCOM.XPROF(i)) << at;
      // Always kept.
      EXPECT_EQ(SOILCOM.GAMPR(i), f * TOPVAL[1]) << at;
      EXPECT_EQ(SOILCOM.FSPROF(i), f * TOPVAL[8]) << at;
      EXPECT_EQ(SOILCOM.QTPROF(i), f * TOPVAL[9]) << at;
      auto expect = [&](int col, double inputValue) { return r.kept[col] == '1' ? inputValue : 0.0; };
      EXPECT_EQ(SOILCOM.CPROF(i), expect(0, f * TOPVAL[2])) << at;
      EXPECT_DOUBLE_EQ(SOILCOM.PHIPR(i), expect(1, f * TOPVAL[3] * deg)) << at;
      EXPECT_EQ(SOILCOM.KPROF(i), expect(2, f * TOPVAL[4])) << at;
      EXPECT_EQ(SOILCOM.ERPROF(i), expect(3, f * TOPVAL[5])) << at;
      const double e50 = r.code == 6 ? double(0.0005f) : expect(4, f * TOPVAL[6]);
      EXPECT_EQ(SOILCOM.E50PR(i), e50) << at;
      EXPECT_EQ(SOILCOM.JPROF(i), expect(5, f * TOPVAL[7])) << at;
    }
  }
}

TEST(SoilRecord, SandLayerAndBoundaryPoints) {
  SOILIN.NLAYIN = 2;
  inputLayer(1, 4, 0.0, 100.0);
  SOILIN.SLVAL(1, 5) = 5.0;    // c at the top: dropped for sand
  SOILIN.SLVAL(1, 7) = 30.0;   // friction angle at the top
  SOILIN.SLVAL(1, 13) = 0.01;  // E50 at the top: dropped for sand
  SOILIN.SLVAL(1, 8) = 33.5;   // friction angle at the bottom
  inputLayer(2, 1, 100.0, 200.0);
  std::int32_t ISTAT = 0;
  SOILREC(ISTAT);
  ASSERT_EQ(ISTAT, 0);
  EXPECT_EQ(SOILCOM.CPROF(1), 0.0);
  EXPECT_EQ(SOILCOM.E50PR(1), 0.0);
  EXPECT_NEAR(SOILCOM.PHIPR(1), 0.5236, 1e-4);
  // Degrees times pi, then over 180: 33.5 x (pi / 180) would differ in the last bit.
  EXPECT_EQ(SOILCOM.PHIPR(2), 33.5 * std::numbers::pi / 180.0);
  EXPECT_NE(SOILCOM.PHIPR(2), 33.5 * (std::numbers::pi / 180.0));
  // The boundary is two points at one depth, each with its own layer's value.
  EXPECT_EQ(SOILCOM.XPROF(2), 100.0);
  EXPECT_EQ(SOILCOM.XPROF(3), 100.0);
  EXPECT_EQ(SOILCOM.CPROF(2), 0.0);
  EXPECT_EQ(SOILCOM.CPROF(3), TOPVAL[2]);
  EXPECT_EQ(SOILCOM.LTOP(1), 0.0);
}

TEST(SoilRecord, RejectsMoreLayersThanTheInputHolds) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_LOG, "log.txt", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_RESULTS, "results.txt", io::Access::Write));
  SOILCOM = SOILCOM_T{};
  SOILIN.NLAYIN = decltype(SOILIN.SLTYPE)::size + 1;
  std::int32_t ISTAT = 0;
  SOILREC(ISTAT);
  io::CLOSEALL();
  EXPECT_EQ(ISTAT, STAT_CAPACITY);
  EXPECT_EQ(SOILCOM.NLAYER, 0);
  for (const char* f : {"log.txt", "results.txt"}) {
    const std::string text = test::readFile(f);
    EXPECT_NE(text.find("**** FATAL ERROR ****"), std::string::npos) << f;
    EXPECT_NE(text.find("THE NUMBER OF SOIL LAYERS, 21, IS OUTSIDE THE RANGE 0 TO 20"), std::string::npos)
        << f;
  }
}

}  // namespace
}  // namespace drelm
