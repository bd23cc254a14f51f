// Beam-column element matrices and static condensation against hand values.
#include <gtest/gtest.h>

#include <cmath>

#include "capstiff/beamk.h"

namespace drelm {
namespace {

double at(const double* m, int n, int i, int j) { return m[(i - 1) + n * (j - 1)]; }

struct Entry {
  int i, j;
  double v;
};

// EIZ = 2, EIY = 3, EA = 5, GJ = 7, L = 2, P = 4: every non-zero entry of
// the upper triangle worked out by hand; all others must be 0.
TEST(Beamk, SpaceMatrixMatchesHandValuesWithAndWithoutAxialForce) {
  const double L = 2.0, P = 4.0;
  const Entry elastic[] = {
      {1, 1, 2.5},   {7, 7, 2.5},   {1, 7, -2.5},  {4, 4, 3.5},   {10, 10, 3.5}, {4, 10, -3.5},
      {2, 2, 3.0},   {8, 8, 3.0},   {2, 8, -3.0},  {2, 6, -3.0},  {2, 12, -3.0}, {6, 8, 3.0},
      {8, 12, 3.0},  {6, 6, 4.0},   {12, 12, 4.0}, {6, 12, 2.0},  {3, 3, 4.5},   {9, 9, 4.5},
      {3, 9, -4.5},  {3, 5, 4.5},   {3, 11, 4.5},  {5, 9, -4.5},  {9, 11, -4.5}, {5, 5, 6.0},
      {11, 11, 6.0}, {5, 11, 3.0}};
  // Axial-force additions: P/L = 2, P/10 = 0.4, 2PL/15 = 16/15, PL/30 = 4/15.
  const Entry geometric[] = {{2, 2, -2},     {8, 8, -2},     {3, 3, -2},       {9, 9, -2},
                             {2, 8, 2},      {3, 9, 2},      {2, 6, 0.4},      {2, 12, 0.4},
                             {5, 9, 0.4},    {9, 11, 0.4},   {6, 8, -0.4},     {8, 12, -0.4},
                             {3, 5, -0.4},   {3, 11, -0.4},  {5, 5, -16. / 15}, {6, 6, -16. / 15},
                             {11, 11, -16. / 15}, {12, 12, -16. / 15}, {5, 11, 4. / 15}, {6, 12, 4. / 15}};
  for (int kgeom : {0, 1, 2}) {
    double hand[144] = {};
    auto put = [&](const Entry& e) {
      hand[(e.i - 1) + 12 * (e.j - 1)] += e.v;
      if (e.i != e.j) hand[(e.j - 1) + 12 * (e.i - 1)] += e.v;
    };
    for (const Entry& e : elastic) put(e);
    if (kgeom == 1)
      for (const Entry& e : geometric) put(e);
    double ek[144];
    BEAMK(2.0, 3.0, 5.0, 7.0, L, P, kgeom, ek);
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) {
        EXPECT_NEAR(at(ek, 12, i, j), at(hand, 12, i, j), 1e-12) << "KGEOM " << kgeom << " (" << i << "," << j << ")";
        EXPECT_EQ(at(ek, 12, i, j), at(ek, 12, j, i));
      }
  }
}

TEST(Beamk, PlaneMatrixIsTheFirstBendingPlaneOfTheSpaceOne) {
  // Plane DOF 1..6 map to space 1, 2, 6, 7, 8, 12.
  const int map[6] = {1, 2, 6, 7, 8, 12};
  for (int kgeom : {0, 1}) {
    double ek[144], e2[36];
    BEAMK(2.5, 9.0, 4.0, 1.0, 1.5, -3.0, kgeom, ek);
    BEAMK2D(2.5, 4.0, 1.5, -3.0, kgeom, e2);
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j) EXPECT_EQ(at(e2, 6, i, j), at(ek, 12, map[i - 1], map[j - 1]));
  }
}

TEST(Beamk, ZeroAxialForceGivesTheElasticMatrix) {
  double a[144], b[144];
  BEAMK(2.0, 3.0, 1.0, 1.0, 0.7, 0.0, 1, a);
  BEAMK(2.0, 3.0, 1.0, 1.0, 0.7, 123.0, 0, b);
  for (int i = 0; i < 144; ++i) EXPECT_EQ(a[i], b[i]);
}

// A hand Schur complement, M = N as a copy, a zero first pivot; and a
// cantilever (end 1 held by stiff springs) giving 3EI/L^3 at the free tip
// once the tip rotation is condensed as well.
TEST(Condens, SchurComplementAndZeroPivot) {
  double a[9] = {4, 2, 0, 2, 5, 1, 0, 1, 3};  // symmetric 3 x 3
  double ac[4];
  std::int32_t ierr = -1;
  CONDENS(a, ac, 3, 2, ierr);
  EXPECT_EQ(ierr, 0);
  // [5 1; 1 3] - [2; 0][2 0] / 4 = [4 1; 1 3]
  EXPECT_DOUBLE_EQ(ac[0], 4.0);
  EXPECT_DOUBLE_EQ(ac[1], 1.0);
  EXPECT_DOUBLE_EQ(ac[2], 1.0);
  EXPECT_DOUBLE_EQ(ac[3], 3.0);

  double b[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9}, bc[9];
  CONDENS(b, bc, 3, 3, ierr);
  EXPECT_EQ(ierr, 0);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(bc[i], i + 1.0);

  double z[9] = {0, 1, 1, 1, 2, 1, 1, 1, 2}, zc[4] = {9, 9, 9, 9};
  CONDENS(z, zc, 3, 2, ierr);
  EXPECT_EQ(ierr, 1);
  for (double v : zc) EXPECT_EQ(v, 0.0);

  const double EI = 7.0, L = 3.0;
  double ek[36], k1[9], tip[1];
  BEAMK2D(EI, 1.0, L, 0.0, 0, ek);
  ek[1 + 6 * 1] += 1e12;  // end 1 held
  ek[2 + 6 * 2] += 1e12;
  CONDENS(ek, k1, 6, 3, ierr);
  ASSERT_EQ(ierr, 0);
  // Reorder to condense the tip rotation onto the tip displacement.
  double r[4] = {k1[8], k1[5], k1[7], k1[4]};
  CONDENS(r, tip, 2, 1, ierr);
  EXPECT_NEAR(tip[0], 3 * EI / (L * L * L), 1e-6);
}

// A chain of axial elements on linear shear springs condensed onto its head
// against the elastic pile on linear springs with a linear tip spring:
// K = EA lam (Kb + EA lam tanh(lam L)) / (EA lam + Kb tanh(lam L)). Short and
// long piles, floating, on a tip as stiff as the pile below (K = EA lam
// whatever the length) and on a nearly rigid tip.
TEST(Condens, AxialChainOnShearSpringsMatchesTheClosedForm) {
  const double EA = 2.0e6, c = 50.0, lam = std::sqrt(c / EA);
  const int n = 400;
  struct Case {
    double lamL, tip;  // tip spring in units of EA lam
  };
  for (const Case& k : {Case{0.5, 0.0}, Case{3.0, 0.0}, Case{0.5, 1.0}, Case{3.0, 1.0}, Case{0.5, 100.0}}) {
    const double len = k.lamL / lam, h = len / n, Kb = k.tip * EA * lam;
    double kacc = 0.0;
    for (int e = n; e >= 1; --e) {
      double ek[144], kc[36];
      BEAMK(1.0, 1.0, EA, 1.0, h, 0.0, 0, ek);
      ek[0] += kacc + 0.5 * c * h + (e == n ? Kb : 0.0);
      ek[6 + 12 * 6] += 0.5 * c * h;
      std::int32_t ierr;
      CONDENS(ek, kc, 12, 6, ierr);
      ASSERT_EQ(ierr, 0);
      kacc = kc[0];
    }
    const double t = std::tanh(lam * len);
    const double closed = EA * lam * (Kb + EA * lam * t) / (EA * lam + Kb * t);
    EXPECT_NEAR(kacc / closed, 1.0, 1e-4) << "lam L " << k.lamL << " tip " << k.tip;
  }
}

}  // namespace
}  // namespace drelm
