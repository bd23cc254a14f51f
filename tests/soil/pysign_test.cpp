// The soil reaction is odd in the deflection: every criterion and the user
// curves give at -y the reaction of +y with its sign turned and the same
// spring, in the analysis and in a listed or collected curve.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/tables.h"
#include "soil/pyfixture.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {
namespace {

using test::Layer;

// Layers by code: {code, top, bottom, gamma, c, phi, k, e50, j}, English
// units (lb, in).
struct SignCase {
  const char* name;
  Layer layer;
};

const SignCase CASES[] = {
    {"1 soft clay", {1, 0, 300, 0.04, 5.0, 0, 0, 0.01}},
    {"2 stiff clay with free water", {2, 0, 300, 0.04, 10.0, 0, 1.0e5, 0.005}},
    {"3 stiff clay without free water", {3, 0, 300, 0.04, 10.0, 0, 0, 0.005}},
    {"4 sand", {4, 0, 300, 0.04, 0, 35, 150}},
    {"5 user curves", {5, 0, 300}},
    {"6 vuggy limestone", {6, 0, 300, 0.04, 2.0}},
    {"7 silt", {7, 0, 300, 0.04, 1.0, 30, 100}},
    {"8 API sand", {8, 0, 300, 0.04, 0, 35, 100}},
    {"9 weak rock", {9, 0, 300, 0.04, 1000.0, 0, 0, 0.0005, 50}},
    {"10 stiff clay with initial k", {10, 0, 300, 0.04, 10.0, 0, 500, 0.005}},
    {"11 liquefied sand", {11, 0, 300, 0.04}},
    {"12 elastic subgrade", {12, 0, 300, 0.04, 2.0, 0, 100}},
    {"13 soft clay with J", {13, 0, 300, 0.04, 5.0, 0, 0, 0.01, 0.25}},
    {"14 modified soft clay with k", {14, 0, 300, 0.04, 5.0, 0, 100, 0.01, 0.5}},
};

// Deflections from the initial line to the plateaus of the curves.
const double DEFL[] = {1.0e-15, 0.001, 0.01, 0.05, 0.3, 2.0, 20.0};

// A pile of width 24, 240 long in 20 increments from the ground; one set of
// user curves at X = 24 and 120 for code 5 (two segments each); the rock
// modulus of weak rock.
void fixture(const Layer& layer) {
  clearTables();
  test::setRun();
  test::setSoil({layer});
  test::setPile(1, 24, 240, 20);
  for (int i = 1; i <= SOILCOM.NPROF; ++i) SOILCOM.ERPROF(i) = 1.0e4;
  PILEAR.IPYSET(1) = 1;
  USRPY.NPYSET = 1;
  USRPY.PYNCRV(1) = 2;
  const double dep[2] = {24, 120};
  for (int c = 1; c <= 2; ++c) {
    USRPY.PYDEP(1, c) = dep[c - 1];
    USRPY.PYNPT(1, c) = 3;
    const double y[3] = {0, 0.5, 2}, p[3] = {0, 100.0 * c, 150.0 * c};
    for (int k = 1; k <= 3; ++k) {
      USRPY.PYY(1, c, k) = y[k - 1];
      USRPY.PYP(1, c, k) = p[k - 1];
    }
  }
}

TEST(PySign, ReactionIsOddInTheDeflectionForEveryCriterion) {
  for (const SignCase& c : CASES) {
    SCOPED_TRACE(c.name);
    for (const double y : DEFL) {
      SCOPED_TRACE(y);
      // The analysis: the springs of every node at +y, then at -y.
      fixture(c.layer);
      test::Springs up, down;
      for (int k = 1; k <= 21; ++k) {
        up.y(k) = y;
        down.y(k) = -y;
      }
      up.run();
      down.run();
      ASSERT_EQ(up.st, 0);
      ASSERT_EQ(down.st, 0);
      for (int k = 2; k <= 21; ++k) {
        ASSERT_TRUE(std::isfinite(up.ps(k)) && std::isfinite(down.ps(k))) << k;
        EXPECT_EQ(down.ps(k), -up.ps(k)) << k;
        EXPECT_EQ(down.es(k), up.es(k)) << k;
      }
      EXPECT_LE(up.ps(11), 0.0);  // the soil pushes back
    }
    // User curves are never listed.
    if (c.layer.code == 5) continue;

    // A collected curve at node 1, 48 deep: the points of -y mirror those of +y.
    fixture(c.layer);
    CURCTL.KPYLST = 1;
    CURCTL.KPYOUT = 1;
    CRVCTL.PYCOLL = 1;
    PYPRT.NPYPTS = 2 * static_cast<int>(std::size(DEFL));
    for (std::size_t i = 0; i < std::size(DEFL); ++i) {
      PYPRT.PYUSR(2 * i + 1) = DEFL[i];
      PYPRT.PYUSR(2 * i + 2) = -DEFL[i];
    }
    PILENODE.XNODE(1, 1) = 48;
    PILENODE.XNODE(1, 2) = 60;
    LAYNODE.LNODE1(1, 1) = LAYNODE.LNODE2(1, 1) = 1;
    test::Springs s;
    s.run();
    ASSERT_EQ(s.st, 0);
    for (int k = 1; k < 2 * static_cast<int>(std::size(DEFL)); k += 2) {
      SCOPED_TRACE(PYPRT.PYUSR(k));
      ASSERT_TRUE(std::isfinite(PYPLOT.PYCOLP(k)) && std::isfinite(PYPLOT.PYCOLP(k + 1)));
      EXPECT_EQ(PYPLOT.PYCOLY(k + 1), -PYPLOT.PYCOLY(k));
      EXPECT_EQ(PYPLOT.PYCOLP(k + 1), -PYPLOT.PYCOLP(k));
      EXPECT_GE(PYPLOT.PYCOLP(k), 0.0);
    }
    EXPECT_GT(PYPLOT.PYCOLP(9), 0.0);  // 0.3: every curve resists
  }
}

}  // namespace
}  // namespace drelm
