#include <gtest/gtest.h>

#include "report/convert.h"
#include "model/model.h"

namespace drelm {
namespace {

void setUnits(int iunits, int ikips) {
  RUNCTL.IUNITS = iunits;
  RUNCTL.IKIPS = ikips;
}

TEST(Conversions, EnglishInputAndDisplayUnits) {
  // Codes 1 and 3 convert alike; the kip switch does not touch lengths.
  for (int code : {1, 3}) {
    for (int kips : {0, 1}) {
      SCOPED_TRACE(testing::Message() << "IUNITS " << code << " IKIPS " << kips);
      setUnits(code, kips);
      EXPECT_DOUBLE_EQ(INLEN(50.0), 600.0);      // feet to inches
      EXPECT_DOUBLE_EQ(OUTLEN(600.0), 50.0);
      EXPECT_DOUBLE_EQ(INPRS(288.0), 2.0);       // psf to psi
      EXPECT_DOUBLE_EQ(OUTPRS(2.0), 288.0);
      EXPECT_DOUBLE_EQ(INUWT(120.0), 120.0 / 1728.0);  // pcf to pci
      EXPECT_DOUBLE_EQ(OUTUWT(INUWT(120.0)), 120.0);
      // Section dimensions stay in inches.
      EXPECT_EQ(INDIM(24.0), 24.0);
      EXPECT_EQ(OUTDIM(24.0), 24.0);
      EXPECT_EQ(INAREA(452.4), 452.4);
      EXPECT_EQ(OUTAREA(452.4), 452.4);
      EXPECT_EQ(INMOI(16286.0), 16286.0);
      EXPECT_EQ(OUTMOI(16286.0), 16286.0);
    }
  }
}

TEST(Conversions, SIInputAndDisplayUnits) {
  for (int kips : {0, 1}) {
    setUnits(2, kips);
    EXPECT_EQ(INLEN(15.0), 15.0);
    EXPECT_EQ(OUTLEN(15.0), 15.0);
    EXPECT_EQ(INPRS(50.0), 50.0);
    EXPECT_EQ(OUTPRS(50.0), 50.0);
    EXPECT_EQ(INUWT(18.5), 18.5);
    EXPECT_EQ(OUTUWT(18.5), 18.5);
    EXPECT_DOUBLE_EQ(INDIM(600.0), 0.6);       // millimetres to metres
    EXPECT_DOUBLE_EQ(OUTDIM(0.6), 600.0);
    EXPECT_DOUBLE_EQ(INAREA(282743.0), 0.282743);
    EXPECT_DOUBLE_EQ(OUTAREA(0.282743), 282743.0);
    EXPECT_DOUBLE_EQ(INMOI(6.3617e9), 6.3617e-3);
    EXPECT_DOUBLE_EQ(OUTMOI(6.3617e-3), 6.3617e9);
  }
}

TEST(Conversions, ForcesAreShownInKipsOnlyForEnglishWithTheSwitch) {
  const struct {
    int iunits, ikips;
    double shown;  // 25,000 internal force units as displayed
  } cases[] = {
      {1, 1, 25.0}, {1, 0, 25000.0}, {2, 1, 25000.0}, {2, 0, 25000.0},
      {3, 1, 25000.0}, {0, 1, 25000.0}, {1, 2, 25000.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "IUNITS " << c.iunits << " IKIPS " << c.ikips);
    setUnits(c.iunits, c.ikips);
    EXPECT_DOUBLE_EQ(OUTFRC(25000.0), c.shown);
    EXPECT_DOUBLE_EQ(INFRC(c.shown), 25000.0);
  }
}

TEST(Conversions, PowersAreAppliedOneFactorAtATime) {
  // Values whose result differs in the last bit from a single 1728 or 10^12
  // factor.
  setUnits(1, 0);
  ASSERT_NE(16.5 / 1728.0, 16.5 / 12.0 / 12.0 / 12.0);
  EXPECT_EQ(INUWT(16.5), 16.5 / 12.0 / 12.0 / 12.0);
  ASSERT_NE(1.37 * 1728.0, 1.37 * 12.0 * 12.0 * 12.0);
  EXPECT_EQ(OUTUWT(1.37), 1.37 * 12.0 * 12.0 * 12.0);
  setUnits(2, 0);
  ASSERT_NE(1.37 / 1e12, 1.37 / 1000.0 / 1000.0 / 1000.0 / 1000.0);
  EXPECT_EQ(INMOI(1.37), 1.37 / 1000.0 / 1000.0 / 1000.0 / 1000.0);
  ASSERT_NE(4.11 * 1e12, 4.11 * 1000.0 * 1000.0 * 1000.0 * 1000.0);
  EXPECT_EQ(OUTMOI(4.11), 4.11 * 1000.0 * 1000.0 * 1000.0 * 1000.0);
}

}  // namespace
}  // namespace drelm
