// The packing and turning services of the pile result stores.
#include "pile/pilestore.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pile/transf.h"
#include "model/model.h"

namespace drelm {
namespace {

TEST(PileStore, PlaneBlockTakesItsThirteenQuantitiesAndClearsTheRest) {
  NodeArray in[13];
  for (int a = 0; a < 13; ++a)
    for (int s = 1; s <= MAXNOD; ++s) in[a](s) = 1000.0 * (a + 1) + s;
  NodeBlock blk;
  blk.fill(-5.0);  // what an earlier row left
  LLPPACK2D(blk, in[0], in[1], in[2], in[3], in[4], in[5], in[6], in[7], in[8], in[9], in[10], in[11], in[12]);
  // Argument order: y, M, V, soil reaction, stress, R, bending ratio, shear
  // ratio, axial movement, axial force, global vertical, global horizontal,
  // distributed load.
  const int quantityOf[13] = {NQ_Y1, NQ_M1,     NQ_V1,    NQ_P1,  NQ_STRESS, NQ_R1, NQ_RBEND,
                              NQ_RSHEAR, NQ_AXMOV, NQ_AXLOAD, NQ_GX, NQ_GY,     NQ_Q1};
  bool used[26] = {};
  for (int a = 0; a < 13; ++a) {
    used[quantityOf[a]] = true;
    for (int s : {1, 4, 60, MAXNOD}) EXPECT_EQ(blk(s, quantityOf[a]), in[a](s)) << "argument " << a + 1;
  }
  for (int q = 1; q <= 25; ++q)
    if (!used[q]) {
      for (int s : {1, 4, MAXNOD}) EXPECT_EQ(blk(s, q), 0.0) << "quantity " << q;
    }
}

TEST(PileStore, TurningToGlobalAxes) {
  // Space: the transpose of the pile rotation, for any angles.
  const double angles[][3] = {{M_PI / 2, 0, 0}, {1.2, 0.7, 0.3}, {0.4, -2.0, 1.1}};
  for (const auto& g : angles) {
    PILEAR.BETA(1) = g[0];
    PILEAR.ALPHA(1) = g[1];
    PILEAR.THETA(1) = g[2];
    double Q[3][3];
    PILEROT(1, Q);
    const double loc[3] = {0.3, -1.7, 2.2};
    double G[3];
    ROTGLB(1, loc[0], loc[1], loc[2], G[0], G[1], G[2]);
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(G[i], Q[0][i] * loc[0] + Q[1][i] * loc[1] + Q[2][i] * loc[2], 1e-14);
    EXPECT_NEAR(std::hypot(G[0], G[1], G[2]), std::hypot(loc[0], loc[1], loc[2]), 1e-14);
  }
  // Plane: a vertical row keeps its axes; a battered one turns by its batter.
  const struct {
    double batt, a, y, gv, gh;
  } rows[] = {{0.0, 0.1, 0.5, 0.1, 0.5},
              {M_PI / 6, 0.1, 0.5, 0.1 * std::cos(M_PI / 6) - 0.5 * 0.5, 0.1 * 0.5 + 0.5 * std::cos(M_PI / 6)}};
  for (const auto& r : rows) {
    PILEAR.PBATT(1) = r.batt;
    double gv = 0, gh = 0;
    ROTGLB2D(1, r.a, r.y, gv, gh);
    EXPECT_NEAR(gv, r.gv, 1e-15);
    EXPECT_NEAR(gh, r.gh, 1e-15);
  }
}

}  // namespace
}  // namespace drelm
