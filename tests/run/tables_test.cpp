#include <gtest/gtest.h>

#include "run/model.h"
#include "run/tables.h"

namespace drelm {
namespace {

TEST(Tables, ClearResetsEveryRegisteredTable) {
  RUNCTL.NPILE = 7;
  FNAMES.FNU(15) = "input.dat";
  TIMBLK.NTHRUN = 5;
  clearTables();
  EXPECT_EQ(RUNCTL.NPILE, 0);
  EXPECT_TRUE(FNAMES.FNU(15).blank());
  EXPECT_EQ(TIMBLK.NTHRUN, 1);
}

TEST(Tables, FixedTextIsBlankPaddedAndTrimmed) {
  FStr<8> s("ab");
  EXPECT_EQ(s.view(), "ab      ");
  EXPECT_EQ(s.trimmed(), "ab");
  s = "longer than eight";
  EXPECT_EQ(s.view(), "longer t");
}

TEST(Tables, TwoDimensionalTablesKeepTheFirstIndexFastest) {
  static FArray2<int, 3, 4> a;
  a(2, 1) = 5;
  a(1, 2) = 7;
  EXPECT_EQ(a.data()[1], 5);
  EXPECT_EQ(a.data()[3], 7);
}

}  // namespace
}  // namespace drelm
