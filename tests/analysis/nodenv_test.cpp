#include <gtest/gtest.h>

#include <limits>

#include "pile/envpil.h"
#include "pile/pilestore.h"
#include "model/tables.h"

namespace drelm {
namespace {

// The envelope copy takes slots 4 .. NSLOT of every quantity of the block
// into the pile's own entries: the first case sets minimum and maximum, later
// cases widen them; slots beyond NSLOT, the imaginary slots and the
// neighbouring piles stay untouched.
TEST(NodeEnvelope, CopiesThePilesNodesAndWidensItsBounds) {
  clearTables();
  static NodeBlock block;
  for (int q = 1; q <= NNDQ; ++q)
    for (int s = 1; s <= MAXNOD; ++s) block(s, q) = 100.0 * q + s;
  ENVPIL.ENVFST = 1;
  NODENV(7, 14, block);
  ENVPIL.ENVFST = 0;
  for (int q = 1; q <= NNDQ; ++q)
    for (int s = 1; s <= MAXNOD; ++s) block(s, q) = (s % 2 == 0 ? -1.0 : 1.0) * 1000.0 * q;
  block(5, 3) = std::numeric_limits<double>::quiet_NaN();
  NODENV(7, 14, block);

  for (int q : {1, 3, NNDQ}) {
    for (int s = 4; s <= 14; ++s) {
      const double first = 100.0 * q + s, second = (s % 2 == 0 ? -1.0 : 1.0) * 1000.0 * q;
      if (q == 3 && s == 5) {
        EXPECT_TRUE(ENVPIL.NDCUR(7, s, q) != ENVPIL.NDCUR(7, s, q));
        EXPECT_EQ(ENVPIL.NDMIN(7, s, q), first);  // a NaN does not widen
        EXPECT_EQ(ENVPIL.NDMAX(7, s, q), first);
        continue;
      }
      EXPECT_EQ(ENVPIL.NDCUR(7, s, q), second) << s << " " << q;
      EXPECT_EQ(ENVPIL.NDMIN(7, s, q), std::min(first, second)) << s << " " << q;
      EXPECT_EQ(ENVPIL.NDMAX(7, s, q), std::max(first, second)) << s << " " << q;
    }
    for (int s : {1, 3, 15, MAXNOD}) EXPECT_EQ(ENVPIL.NDCUR(7, s, q), 0.0) << s;
    EXPECT_EQ(ENVPIL.NDCUR(6, 14, q), 0.0);
    EXPECT_EQ(ENVPIL.NDMAX(8, 4, q), 0.0);
  }
}

}  // namespace
}  // namespace drelm
