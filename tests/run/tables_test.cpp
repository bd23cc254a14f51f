#include <gtest/gtest.h>

#include "run/model.h"
#include "run/tables.h"
#include "analysis/envpil.h"

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

namespace drelm {
namespace {

bool allZero(const void* p, std::size_t n) {
  const auto* b = static_cast<const unsigned char*>(p);
  for (std::size_t i = 0; i < n; ++i)
    if (b[i] != 0) return false;
  return true;
}

// Tables cleared by fresh zero pages must start as zero bytes: a default
// value other than zero in one of them would be lost at every run start.
TEST(Tables, ZeroTablesStartAndClearToZeroBytes) {
  std::size_t count = 0;
  const ZeroTable* z = zeroTables(count);
  ASSERT_GT(count, 0u);
  for (std::size_t k = 0; k < count; ++k) EXPECT_TRUE(allZero(z[k].table, z[k].bytes)) << k;
  for (std::size_t k = 0; k < count; ++k) {
    auto* b = static_cast<unsigned char*>(const_cast<void*>(z[k].table));
    b[0] = b[z[k].bytes / 2] = b[z[k].bytes - 1] = 7;
  }
  ENVPIL.ENVFST = 3;
  clearTables();
  for (std::size_t k = 0; k < count; ++k) EXPECT_TRUE(allZero(z[k].table, z[k].bytes)) << k;
}

}  // namespace
}  // namespace drelm
