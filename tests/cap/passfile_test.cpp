// The pass file written and read back, the load-factor predictor, the
// envelope store and the loads given at a point of definition.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "input/capload.h"
#include "model/casecur.h"
#include "pile/envpil.h"
#include "cap/passfile.h"
#include "pile/pilestore.h"
#include "model/fileio.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

TEST(PassFile, ReadsBackExactlyWhatWasWritten) {
  test::ScratchDir dir;
  clearTables();
  RUNCTL.IANTYP = 3;
  RUNCTL.NPILE = 2;
  FNAMES.FNU(U_PASS) = "run.eqs";
  PILEPROP.NINC(1) = 4;
  PILEPROP.NINC(2) = 2;
  PILEAR.PROPOFPILE(1) = 1;
  PILEAR.PROPOFPILE(2) = 2;
  // Values of many digits and wide magnitudes: a narrower reading field
  // would cut them.
  const double dx[3] = {0, 30.123456789, 61.5};
  for (int p = 1; p <= 2; ++p) {
    EQSTIF.EQPAX(p) = -123456.789 * p;
    EQSTIF.EQKAX(p) = 9.87654321E7 * p;
    EQSTIF.EQKTR(p) = 1.2345678E11 / p;
    EQSTIF.EQDX(p) = dx[p];
    for (int n = 1; n <= PILEPROP.NINC(p) + 1; ++n) {
      EQSTIF.EQXN(p, n) = (n - 1) * dx[p];
      EQSTIF.EQKN1(p, n) = 1000.0 * n + 0.123456;
      EQSTIF.EQKN2(p, n) = n == 2 ? 5.0E6 : 10.0;
    }
  }
  ASSERT_TRUE(io::OPEN(U_PASS, "run.eqs", io::Access::Work));
  io::put(U_PASS, "LOAD CASE :     1");
  io::endRecord(U_PASS);
  io::put(U_PASS, "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
  io::endRecord(U_PASS);
  for (int k = 0; k < 6; ++k) {
    io::put(U_PASS, "      0.12345E+07");
    io::endRecord(U_PASS);
  }
  EQSTIFWR();
  io::CLOSE(U_PASS);

  const auto lines = test::readLines("run.eqs");
  EXPECT_EQ(lines[8], "* PILE GROUP *     1");
  EXPECT_EQ(lines[9], "       * PILE TOP EQUIVALENT STIFFNESSES");
  EXPECT_EQ(lines[11], "       * EQUIVALENT STIFFNESSES ALONG PILE");

  ASSERT_TRUE(PASSRD());
  const auto rel = [](double got, double want) { return std::fabs(got - want) <= 1e-7 * std::fabs(want); };
  for (int p = 1; p <= 2; ++p) {
    EXPECT_TRUE(rel(PASRES.PASPAX(p), EQSTIF.EQPAX(p))) << PASRES.PASPAX(p);
    EXPECT_TRUE(rel(PASRES.PASKAX(p), EQSTIF.EQKAX(p))) << PASRES.PASKAX(p);
    EXPECT_TRUE(rel(PASRES.PASKTR(p), EQSTIF.EQKTR(p))) << PASRES.PASKTR(p);
    const int nn = PILEPROP.NINC(p) + 1;
    for (int n = 1; n <= nn; ++n) {
      // The larger of the two directions, times the node's share of the
      // length: half an increment at the ends.
      const double k = std::max(EQSTIF.EQKN1(p, n), EQSTIF.EQKN2(p, n));
      const double share = (n == 1 || n == nn) ? 0.5 * dx[p] : dx[p];
      EXPECT_TRUE(rel(PASRES.PASNOD(p, n), k * share)) << p << " " << n << " " << PASRES.PASNOD(p, n);
    }
  }

  // A pass file that ends early leaves the rest at zero and says so.
  ASSERT_TRUE(io::OPEN(U_PASS, "run.eqs", io::Access::Work));
  io::put(U_PASS, "LOAD CASE :     1\n");
  io::CLOSE(U_PASS);
  EXPECT_FALSE(PASSRD());
  EXPECT_EQ(PASRES.PASKAX(1), 0.0);
  EXPECT_FALSE(io::connected(U_PASS));

  // One written by another hand since the run closed it, even whole, is not
  // read: the file is named as failed.
  io::clearFailure();
  ASSERT_TRUE(io::OPEN(U_PASS, "run.eqs", io::Access::Work));
  io::CLOSE(U_PASS);
  test::writeFile("run.eqs", "LOAD CASE :     1\n");
  EXPECT_FALSE(PASSRD());
  EXPECT_EQ(io::failure().name, "run.eqs");
  EXPECT_EQ(PASRES.PASKAX(1), 0.0);
  io::clearFailure();
}

TEST(LoadFactorPredictor, SecantInterpolationAndSorting) {
  clearTables();
  SESTIM_T& S = SESTIM;
  S.SEDTGT = 2.0;
  S.SENHIS = 0;
  FACPRED();
  EXPECT_EQ(S.SEFACT, 0.0);
  // One pair: the secant through the origin, or 1 for a vanishing displacement.
  S.SENHIS = 1;
  S.SEHDSP(1) = 0.5;
  S.SEHFAC(1) = 1.0;
  FACPRED();
  EXPECT_DOUBLE_EQ(S.SEFACT, 4.0);
  S.SEHDSP(1) = 1.0E-5;
  FACPRED();
  EXPECT_DOUBLE_EQ(S.SEFACT, 1.0);
  // (0, 0) and (d, 1): t / d.
  S.SENHIS = 2;
  S.SEHDSP(1) = 0.0;
  S.SEHFAC(1) = 0.0;
  S.SEHDSP(2) = 0.8;
  S.SEHFAC(2) = 1.0;
  FACPRED();
  EXPECT_DOUBLE_EQ(S.SEFACT, 2.5);
  // A new pair of a smaller factor is sorted in; the target lies between
  // the pairs of factors 1 and 2.
  S.SENHIS = 3;
  S.SEHDSP(1) = 1.0;
  S.SEHFAC(1) = 1.0;
  S.SEHDSP(2) = 3.0;
  S.SEHFAC(2) = 2.0;
  S.SEHDSP(3) = 0.4;
  S.SEHFAC(3) = 0.5;
  FACPRED();
  EXPECT_DOUBLE_EQ(S.SEHFAC(1), 0.5);
  EXPECT_DOUBLE_EQ(S.SEHFAC(2), 1.0);
  EXPECT_DOUBLE_EQ(S.SEHFAC(3), 2.0);
  EXPECT_DOUBLE_EQ(S.SEFACT, 1.5);
  // Beyond the largest displacement: extrapolated along the last interval.
  S.SEDTGT = 5.0;
  FACPRED();
  EXPECT_DOUBLE_EQ(S.SEFACT, 3.0);
  // Two pairs of one displacement give no slope and no division by zero.
  S.SENHIS = 2;
  S.SEHDSP(1) = S.SEHDSP(2) = 1.0;
  S.SEHFAC(1) = 1.0;
  S.SEHFAC(2) = 2.0;
  FACPRED();
  EXPECT_TRUE(std::isfinite(S.SEFACT));
}

// A target that grows negative (a rotation, say) is searched as its mirror:
// the same histories with every displacement negated give the same factors.
TEST(LoadFactorPredictor, NegativeTargetMirrorsThePositiveSearch) {
  struct Case {
    std::vector<double> d, f;
    double t, want;
  };
  const std::vector<Case> cases = {
      // bracketed after sorting: 0.885 + 0.0011 x 0.115 / 0.0015
      {{0.0, 0.0034, 0.0019}, {0.0, 1.0, 0.885}, 0.003, 0.885 + 0.0011 * 0.115 / 0.0015},
      {{0.0, 0.8}, {0.0, 1.0}, 2.0, 2.5},                    // beyond the last pair
      {{0.2, 0.5, 0.9}, {0.5, 1.0, 2.0}, 0.1, 0.5 - 0.5 / 3.0},  // before the first pair
  };
  SESTIM_T& S = SESTIM;
  for (const Case& c : cases) {
    double f[2];
    for (int sign = 0; sign < 2; ++sign) {
      const double s = sign == 0 ? 1.0 : -1.0;
      S.SENHIS = static_cast<std::int32_t>(c.d.size());
      for (std::size_t i = 0; i < c.d.size(); ++i) {
        S.SEHDSP(static_cast<int>(i) + 1) = s * c.d[i];
        S.SEHFAC(static_cast<int>(i) + 1) = c.f[i];
      }
      S.SEDTGT = s * c.t;
      FACPRED();
      f[sign] = S.SEFACT;
    }
    EXPECT_NEAR(f[0], c.want, 1e-12) << c.t;
    EXPECT_DOUBLE_EQ(f[1], f[0]) << c.t;
  }
}

TEST(EnvelopeStore, SignedExtremesInitialisedByTheFirstCase) {
  clearTables();
  RUNCTL.NPILE = 1;
  ENVPIL.ENVFST = 1;
  ENVRS2D();
  double P[3] = {-5.0, 1.0, 2.0}, U[3] = {-0.1, 0.2, 0.0};
  CENV2D(P, U);
  EXPECT_EQ(ENVPIL.CAPFMN(1), -5.0);
  EXPECT_EQ(ENVPIL.CAPFMX(1), -5.0);  // a negative value keeps a negative maximum
  ENVPIL.ENVFST = 2;
  P[0] = -7.0;
  P[1] = 3.0;
  CENV2D(P, U);
  EXPECT_EQ(ENVPIL.CAPFMN(1), -7.0);
  EXPECT_EQ(ENVPIL.CAPFMX(1), -5.0);
  EXPECT_EQ(ENVPIL.CAPFMN(2), 1.0);
  EXPECT_EQ(ENVPIL.CAPFMX(2), 3.0);
  PENV2D(1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13);
  EXPECT_EQ(ENVPIL.PTMIN(1, 7), 0.0);  // a later case widens from the reset
  EXPECT_EQ(ENVPIL.PTMAX(1, 7), 13.0);
  EXPECT_EQ(ENVPIL.PTCUR(1, 20), 13.0);
  // The reset of the next series.
  ENVRS();
  EXPECT_EQ(ENVPIL.CAPFMN(1), 0.0);
  EXPECT_EQ(ENVPIL.PTMAX(1, 7), 0.0);
}

TEST(PointOfDefinitionLoads, GivenValuesInCapOrder) {
  clearTables();
  RUNCTL.IANTYP = 3;
  CASEIN.NLCASE = 1;
  CASEIN.LCKIND(1) = 1;
  CASEIN.CASTOL(1, 5) = 2.0;
  // Stored order X, Y, rot Z, Z, rot Y, rot X: displacement given in Y,
  // loads elsewhere.
  const std::int32_t flags[6] = {1, 0, 1, 1, 1, 1};
  const double values[15] = {9, 100, 0.5, 99, 9, 30, 9, 10, 9, 20, 9, 40, 1.0, 2.0, 3.0};
  for (int i = 1; i <= 6; ++i) CASEIN.LCSPFL(1, i) = flags[i - 1];
  for (int j = 1; j <= 15; ++j) CASEIN.LCSPVL(1, j) = values[j - 1];
  double P[6], PPOD[6], UPOD[6], XPOD[6];
  std::int32_t KPOD[6];
  SPECDL(1, P, PPOD, UPOD, XPOD, KPOD);
  const std::int32_t k[6] = {1, 0, 1, 1, 1, 1};
  const double pp[6] = {200, 0, 20, 80, 40, 60};
  const double up[6] = {0, 1.0, 0, 0, 0, 0};
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(KPOD[j], k[j]) << j;
    EXPECT_DOUBLE_EQ(PPOD[j], pp[j]) << j;
    EXPECT_DOUBLE_EQ(UPOD[j], up[j]) << j;
  }
  EXPECT_DOUBLE_EQ(XPOD[2], 3.0);
  // The loads moved to the origin: (qx, qy, qz, mx + y qz - z qy, ...).
  const double x = 1, y = 2, z = 3;
  EXPECT_DOUBLE_EQ(P[0], 200);
  EXPECT_DOUBLE_EQ(P[3], 80 + y * 20 - z * 0);
  EXPECT_DOUBLE_EQ(P[4], 40 + z * 200 - x * 20);
  EXPECT_DOUBLE_EQ(P[5], 60 + x * 0 - y * 200);
  // The concentrated-load sum of such a case is zero.
  double L[6];
  CASELD(1, L);
  for (double v : L) EXPECT_EQ(v, 0.0);
}

}  // namespace
}  // namespace drelm
