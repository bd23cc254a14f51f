#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "model/model.h"
#include "model/tables.h"
#include "model/casecur.h"
#include "pile/envpil.h"

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

// Byte image of a table as it is constructed.
template <class T>
std::vector<unsigned char> initialImage() {
  alignas(T) static unsigned char buf[sizeof(T)];
  std::memset(buf, 0, sizeof buf);
  new (buf) T();
  return std::vector<unsigned char>(buf, buf + sizeof(T));
}

template <class T>
bool sameBytes(const T& t, const std::vector<unsigned char>& image) {
  return std::memcmp(&t, image.data(), sizeof(T)) == 0;
}

// Tables with values other than zero at start (blank texts, unit factors,
// counts of one): whatever a run wrote over all of them, clearing restores
// the constructed state byte for byte, texts among numbers included. The
// load-case, combination and section tables are kept as zero storage and
// get their blank texts at each clearing: they too come back as constructed,
// clearing after clearing.
TEST(Tables, ClearRestoresTablesWithNonZeroInitialValues) {
  const auto casein = initialImage<CASEIN_T>();
  const auto combin = initialImage<COMBIN_T>();
  const auto sectin = initialImage<SECTIN_T>();
  const auto casecur = initialImage<CASECUR_T>();
  const auto capctl = initialImage<CAPCTL_T>();
  const auto timblk = initialImage<TIMBLK_T>();
  for (int round = 1; round <= 2; ++round) {
    std::memset(static_cast<void*>(&CASEIN), 0x5A, sizeof CASEIN);
    std::memset(static_cast<void*>(&COMBIN), 0x33, sizeof COMBIN);
    std::memset(static_cast<void*>(&SECTIN), 0, sizeof SECTIN);
    std::memset(static_cast<void*>(&CASECUR), 0xFF, sizeof CASECUR);
    std::memset(static_cast<void*>(&CAPCTL), 0x11, sizeof CAPCTL);
    TIMBLK.NPROCS = TIMBLK.NTHUSE = TIMBLK.NTHRUN = 0;
    clearTables();
    EXPECT_TRUE(sameBytes(CASEIN, casein)) << round;
    EXPECT_TRUE(sameBytes(COMBIN, combin)) << round;
    EXPECT_TRUE(sameBytes(SECTIN, sectin)) << round;
    EXPECT_TRUE(sameBytes(CASECUR, casecur)) << round;
    EXPECT_TRUE(sameBytes(CAPCTL, capctl)) << round;
    EXPECT_TRUE(sameBytes(TIMBLK, timblk)) << round;
  }
  EXPECT_EQ(CASEIN.LCNAME(MAXLC).view(), std::string(80, ' '));
  EXPECT_EQ(COMBIN.CBNAME(1).view(), std::string(80, ' '));
  EXPECT_EQ(SECTIN.NLMATN(MAXSEC).view(), std::string(80, ' '));
  EXPECT_EQ(CAPCTL.RFDIRZ, 1.0);
  EXPECT_EQ(CASECUR.RFBEND, 1.0);
  EXPECT_EQ(CASECUR.NPOINT, 1);
}

// A table whose size is not a whole number of scan blocks, with non-zero
// bytes at its first and last byte, around short and long zero gaps and
// inside a zero block: every byte comes back.
TEST(Tables, ClearRestoresNonZeroBytesAtAnyOffset) {
  alignas(8) static unsigned char t[1000] = {};
  for (int k : {0, 63, 64, 130, 131, 300, 500, 511, 512, 999}) t[k] = static_cast<unsigned char>(k % 250 + 1);
  const std::vector<unsigned char> image(t, t + sizeof t);
  registerTable(t, sizeof t);
  std::memset(t, 0xA5, sizeof t);
  clearTables();
  EXPECT_EQ(std::vector<unsigned char>(t, t + sizeof t), image);
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

// A per-pile table keeps each pile's slots together, in the order of the next
// index, and starts every pile on a cache line of its own; the indexing stays
// that of the other tables.
TEST(Tables, PerPileTablesKeepEachPileTogetherOnItsOwnLines) {
  static PileArray3<double, 4, 5, 3> a;
  static PileArray2<std::int32_t, 4, 3> b;
  static PileArray<double, 4> c;
  const auto at = [](const void* base, const void* x) {
    return static_cast<const char*>(x) - static_cast<const char*>(base);
  };
  EXPECT_EQ(at(&a(2, 1, 1), &a(2, 2, 1)), 8);
  EXPECT_EQ(at(&a(2, 1, 1), &a(2, 1, 2)), 5 * 8);
  EXPECT_EQ(at(&a(2, 1, 1), &a(2, 5, 3)), 14 * 8);
  for (int p = 1; p <= 4; ++p) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&a(p, 1, 1)) % CACHE_LINE, 0u) << p;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&b(p, 1)) % CACHE_LINE, 0u) << p;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&c(p)) % CACHE_LINE, 0u) << p;
    EXPECT_EQ(a.pile(p), &a(p, 1, 1));
  }
  // The last slot of one pile and the first of the next are on different lines.
  EXPECT_GE(at(&a(1, 5, 3), &a(2, 1, 1)), 8);
  EXPECT_EQ(at(&b(1, 1), &b(2, 1)), static_cast<long>(CACHE_LINE));
  a(3, 4, 2) = 7.5;
  b(4, 3) = 9;
  EXPECT_EQ(a(3, 4, 2), 7.5);
  EXPECT_EQ(b(4, 3), 9);
  EXPECT_EQ(a(3, 4, 1) + a(3, 5, 2) + a(4, 4, 2), 0.0);
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

// At its first call the library's tables are as loaded: that clearing
// leaves their bytes alone but still sets the values given after each
// clearing, and it is the only one spared: every later clearing clears.
TEST(Tables, ClearingOfTablesAsLoadedSetsOnlyTheStartedValues) {
  clearTables();
  RUNCTL.NPILE = 7;  // what no table would hold at a first call
  SECTIN.SCNAME(1) = "";
  std::memset(static_cast<void*>(&SECTIN.SCNAME(2)), 0, 80);
  tablesAsLoaded();
  clearTables();
  EXPECT_EQ(RUNCTL.NPILE, 7);
  EXPECT_EQ(SECTIN.SCNAME(2).view(), std::string(80, ' '));
  clearTables();
  EXPECT_EQ(RUNCTL.NPILE, 0);
}

}  // namespace
}  // namespace drelm
