// Shape functions, Jacobian and the flat shell element.
#include <gtest/gtest.h>

#include <cmath>

#include "fecap/fedata.h"
#include "fecap/shape.h"
#include "fecap/shell.h"
#include "model/fileio.h"
#include "support/testdir.h"

namespace drelm {
namespace {

const double SK[9] = {-1, 1, 1, -1, 0, 1, 0, -1, 0};
const double TK[9] = {-1, -1, 1, 1, -1, 0, 1, 0, 0};

TEST(PlateShape, ValuesSumToOneAndInterpolateAndDerivativesMatchDifferences) {
  for (int n : {4, 8, 9}) {
    for (double s : {-0.7, 0.0, 0.35}) {
      for (double t : {-0.2, 0.6}) {
        SHAPEF(s, t, n);
        double sum = 0, ds = 0, dt = 0;
        double v[9], d1[9], d2[9];
        for (int k = 1; k <= n; ++k) {
          sum += FESOLV.SHPVAL(k), ds += FESOLV.SHPDER(1, k), dt += FESOLV.SHPDER(2, k);
          v[k - 1] = FESOLV.SHPVAL(k), d1[k - 1] = FESOLV.SHPDER(1, k), d2[k - 1] = FESOLV.SHPDER(2, k);
        }
        EXPECT_NEAR(sum, 1.0, 1e-14);
        EXPECT_NEAR(ds, 0.0, 1e-14);
        EXPECT_NEAR(dt, 0.0, 1e-14);
        const double h = 1e-6;
        SHAPEF(s + h, t, n);
        for (int k = 1; k <= n; ++k) EXPECT_NEAR((FESOLV.SHPVAL(k) - v[k - 1]) / h, d1[k - 1], 1e-5) << n << k;
        SHAPEF(s, t + h, n);
        for (int k = 1; k <= n; ++k) EXPECT_NEAR((FESOLV.SHPVAL(k) - v[k - 1]) / h, d2[k - 1], 1e-5) << n << k;
      }
    }
    for (int j = 1; j <= n; ++j) {
      SHAPEF(SK[j - 1], TK[j - 1], n);
      for (int k = 1; k <= n; ++k) EXPECT_NEAR(FESOLV.SHPVAL(k), j == k ? 1.0 : 0.0, 1e-14) << n << j << k;
    }
  }
  SHAPEF(0, 0, 8);
  for (int k = 1; k <= 4; ++k) EXPECT_DOUBLE_EQ(FESOLV.SHPVAL(k), -0.25);
  for (int k = 5; k <= 8; ++k) EXPECT_DOUBLE_EQ(FESOLV.SHPVAL(k), 0.5);
  // Any other node count leaves the fields alone.
  SHAPEF(0.3, 0.3, 5);
  EXPECT_DOUBLE_EQ(FESOLV.SHPVAL(1), -0.25);
}

void unitSquare(bool clockwise) {
  FESOLV.NNODE = 8;
  for (int k = 1; k <= 8; ++k) {
    const double s = SK[k - 1], t = TK[k - 1];
    FESOLV.ELXY(1, k) = (s + 1) / 2;
    FESOLV.ELXY(2, k) = clockwise ? (1 - t) / 2 : (t + 1) / 2;
  }
}

TEST(PlateShape, JacobianOfAUnitSquareAndTheHaltOnAClockwiseElement) {
  test::ScratchDir dir;
  unitSquare(false);
  SHAPEF(0.3, -0.4, 8);
  double detj = 0;
  JACOB2(1, detj, 3);
  EXPECT_NEAR(detj, 0.25, 1e-14);
  for (int k = 1; k <= 8; ++k) EXPECT_NEAR(FESOLV.SHPCAR(1, k), 2 * FESOLV.SHPDER(1, k), 1e-13);
  EXPECT_NEAR(FESOLV.GPXY(1, 3), 0.65, 1e-14);
  EXPECT_NEAR(FESOLV.GPXY(2, 3), 0.3, 1e-14);

  ASSERT_TRUE(io::OPEN(U_FELIST, "list", io::Access::Write));
  unitSquare(true);
  SHAPEF(0.0, 0.0, 8);
  bool halted = false;
  try {
    JACOB2(7, detj, 1);
  } catch (const PlateHalt&) {
    halted = true;
  }
  io::CLOSE(U_FELIST);
  EXPECT_TRUE(halted);
  EXPECT_NEAR(FESOLV.GPXY(2, 1), 0.5, 1e-14);  // stored before the test
  EXPECT_EQ(test::readFile("list"),
            "\n\n PROGRAM HALTED IN SUBROUTINE JACOB2\n            ZERO OR NEGATIVE AREA\n"
            "           ELEMENT NUMBER     7\n");
}

// One rectangular element a x b in a model of its own.
struct OneElement {
  PlateArrays A;
  OneElement(double a, double b, double E, double nu, double h) {
    FESOLV_T& F = FESOLV;
    F.NPOIN = 8, F.NELEM = 1, F.NNODE = 8, F.NGAUS = 2, F.NMATS = 1, F.NEVAB = 48;
    F.NVFIX = F.NNLOD = F.NNSTI = F.NDLOD = F.NDSTI = F.NCLOD = F.NCSTI = F.NELOD = F.NESTI = F.NCTSTI = 0;
    F.ICOUPL = 0;
    A.allocate();
    GAUSPT();
    for (int k = 1; k <= 8; ++k) {
      A.ELNOD(k, 1) = k;
      A.NODXY(1, k) = (SK[k - 1] + 1) * a / 2;
      A.NODXY(2, k) = (TK[k - 1] + 1) * b / 2;
    }
    A.ELMAT(1) = 1;
    A.MATPRP(1, 1) = E, A.MATPRP(2, 1) = nu, A.MATPRP(3, 1) = h;
  }
};

TEST(PlateShell, DrillingStiffnessBlocksAndRigidMotions) {
  const double a = 3, b = 2, E = 1000, nu = 0.25, h = 0.5;
  OneElement m(a, b, E, nu, h);
  static ElemMat EK;
  SHELLEL(1, EK, m.A);
  const double G = E / (2 * (1 + nu));
  const double KDRILL = G * (a * a * a * b + a * b * b * b) / (12 * h);
  // Corner and midside shares of the last Gauss point (s = t = 0.57735).
  const double g = 0.577350269;
  SHAPEF(g, g, 8);
  for (int k = 1; k <= 8; ++k) EXPECT_NEAR(EK(6 * k, 6 * k), FESOLV.SHPVAL(k) * KDRILL, 1e-9 * KDRILL) << k;
  EXPECT_NEAR(FESOLV.SHPVAL(1), -0.0962, 1e-4);
  EXPECT_NEAR(FESOLV.SHPVAL(6), 0.5258, 1e-4);
  // No coupling between the membrane, the plate and the drilling dofs.
  const auto part = [](int r) { int d = (r - 1) % 6 + 1; return d <= 2 ? 0 : d <= 5 ? 1 : 2; };
  for (int r = 1; r <= 48; ++r)
    for (int c = 1; c <= 48; ++c) {
      if (part(r) != part(c)) {
        EXPECT_EQ(EK(r, c), 0.0);
      }
      EXPECT_NEAR(EK(r, c), EK(c, r), 1e-9 * (1 + std::fabs(EK(r, c))));
    }
  // Rigid translations and the rigid rotation of the plate part give no forces.
  for (int r = 1; r <= 48; ++r) {
    double ux = 0, uz = 0, rot = 0;
    for (int k = 1; k <= 8; ++k) {
      ux += EK(r, 6 * (k - 1) + 1);
      uz += EK(r, 6 * (k - 1) + 3);
      // w = y with the slope dw/dy = 1
      rot += EK(r, 6 * (k - 1) + 3) * m.A.NODXY(2, k) + EK(r, 6 * (k - 1) + 5);
    }
    EXPECT_NEAR(ux, 0.0, 1e-9) << r;
    EXPECT_NEAR(uz, 0.0, 1e-9) << r;
    EXPECT_NEAR(rot, 0.0, 1e-8) << r;
  }
  // Internal forces of a rigid translation UX = 1: nothing is subtracted.
  for (int k = 1; k <= 8; ++k) m.A.ASDIS(1, k) = 1.0;
  m.A.ELRHS.zero();
  SHELLEL(1, EK, m.A);
  for (int r = 1; r <= 48; ++r) EXPECT_NEAR(m.A.ELRHS(r, 1), 0.0, 1e-9);
}

TEST(PlateShell, ElementRecordHoldsTheFullStressTablesWhateverTheElement) {
  test::ScratchDir dir;
  OneElement m(1, 1, 1000, 0.3, 0.2);
  ASSERT_TRUE(io::OPEN(U_FEELEM, "elem", io::Access::Write, true));
  std::int32_t st = 0;
  SHELLSTF(m.A, nullptr, st);
  io::REWIND(U_FEELEM);
  std::string rec;
  ASSERT_TRUE(io::readRecord(U_FEELEM, rec));
  EXPECT_EQ(rec.size(), 13752u);
  EXPECT_FALSE(io::readRecord(U_FEELEM, rec));
  io::CLOSE(U_FEELEM);
}

}  // namespace
}  // namespace drelm
