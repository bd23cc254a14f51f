// Linear pile-head stiffness of one pile and the equivalent cap stiffness,
// on piles set up directly in the tables with the springs of a linear soil.
#include <gtest/gtest.h>
#include <omp.h>

#include <cmath>
#include <string>

#include "model/casecur.h"
#include "cap/passfile.h"
#include "capstiff/beamk.h"
#include "capstiff/captstf.h"
#include "capstiff/pilestf.h"
#include "pile/transf.h"
#include "model/fileio.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "support/testdir.h"

namespace drelm {
namespace {

double at6(const double* m, int i, int j) { return m[(i - 1) + 6 * (j - 1)]; }

// Pile p of property 1: length len in ninc elements, bending stiffness EI in
// both directions, head at (x, y, z) with the given angles; springs of a
// Winkler soil of modulus k (force / length^2), each node carrying its
// tributary length; axial and torsional head stiffnesses of the pass.
void setPile(int p, double EI, double len, int ninc, double k, double y = 0.0, double z = 0.0,
             double beta = M_PI / 2, double alpha = 0.0) {
  RUNCTL.NPILE = std::max(RUNCTL.NPILE, p);
  PILEPROP.PLEN(1) = len;
  PILEPROP.NINC(1) = ninc;
  PILEPROP.DXINC(1) = len / ninc;
  PILEPROP.NSECT(1) = 1;
  SECTAB.SXFROM(1, 1) = 0.0;
  SECTAB.SXTO(1, 1) = len;
  SECTAB.SDIAT(1, 1) = SECTAB.SDIAB(1, 1) = 1.0;
  SECTAB.SEIZT(1, 1) = SECTAB.SEIZB(1, 1) = EI;
  SECTAB.SEIYT(1, 1) = SECTAB.SEIYB(1, 1) = EI;
  std::int32_t st = 0;
  SECMARK(st);
  PILEAR.PROPOFPILE(p) = 1;
  PILEAR.GRPNP(p) = 1.0;
  PILEAR.PHX(p) = PILEAR.PHXREF(p) = 0.0;
  PILEAR.PHY(p) = PILEAR.PHYREF(p) = y;
  PILEAR.PHZ(p) = z;
  PILEAR.BETA(p) = beta;
  PILEAR.ALPHA(p) = alpha;
  PCONN.CONNECTY(p) = PCONN.CONNECTZ(p) = CONN_FIX;
  const double h = len / ninc;
  for (int n = 1; n <= ninc + 1; ++n) {
    PILENODE.XNODE(p, n) = PILENODE.XPILE(p, n) = (n - 1) * h;
    PASRES.PASNOD(p, n) = k * h * ((n == 1 || n == ninc + 1) ? 0.5 : 1.0);
  }
  PASRES.PASKAX(p) = 1.0e5 + p;
  PASRES.PASKTR(p) = 2.0e4 + p;
  PASRES.PASPAX(p) = 0.0;
}

// A long pile: beta L = 8, 100 elements.
constexpr double EI = 1.0e6, KS = 100.0;
const double BETA = std::pow(KS / (4 * EI), 0.25);
const double LEN = 8.0 / BETA;

TEST(PileHeadStiffness, LongPileOnWinklerSoilMatchesTheClosedForms) {
  RUNCTL.IANTYP = 3;
  setPile(1, EI, LEN, 100, KS);
  double K[36];
  std::string block;
  std::int32_t istat = 0;
  PILESTF(1, 0, istat, K, block);
  const double b = BETA;
  // Fixed head: translation k/beta, rotation k/(2 beta^3), coupling k/(2 beta^2),
  // the sign of the coupling following the rotation convention of each plane.
  EXPECT_NEAR(at6(K, 2, 2) / (KS / b), 1.0, 0.01);
  EXPECT_NEAR(at6(K, 3, 3) / (KS / b), 1.0, 0.01);
  EXPECT_NEAR(at6(K, 6, 6) / (KS / (2 * b * b * b)), 1.0, 0.01);
  EXPECT_NEAR(at6(K, 5, 5) / (KS / (2 * b * b * b)), 1.0, 0.01);
  EXPECT_NEAR(std::fabs(at6(K, 2, 6)) / (KS / (2 * b * b)), 1.0, 0.01);
  EXPECT_DOUBLE_EQ(at6(K, 2, 6), -at6(K, 3, 5));
  // Axial and torsional terms are the pass's, uncoupled from bending.
  for (int i = 1; i <= 6; ++i)
    for (int j : {1, 4}) {
      const double want = i == j ? (j == 1 ? PASRES.PASKAX(1) : PASRES.PASKTR(1)) : 0.0;
      EXPECT_EQ(at6(K, i, j), want);
      EXPECT_EQ(at6(K, j, i), want);
    }

  // Free (pinned) head: k / (2 beta), the rotation terms gone.
  PCONN.CONNECTY(1) = CONN_PIN;
  PCONN.CONNECTZ(1) = CONN_RES;
  PILEAR.HSPR2(1) = 0.0;
  block.clear();
  double P[36];
  PILESTF(1, 0, istat, P, block);
  EXPECT_NEAR(at6(P, 2, 2) / (KS / (2 * b)), 1.0, 0.01);
  EXPECT_DOUBLE_EQ(at6(P, 2, 2), at6(P, 3, 3));
  for (int r : {5, 6}) EXPECT_EQ(at6(P, r, r), 0.0);
  EXPECT_EQ(istat, 0);

  // A rotational spring in series lies between pinned and fixed and
  // approaches the fixed head as it stiffens.
  PCONN.CONNECTY(1) = CONN_RES;
  PILEAR.HSPR1(1) = at6(K, 6, 6);
  double S[36];
  PILESTF(1, 0, istat, S, block);
  EXPECT_GT(at6(S, 2, 2), at6(P, 2, 2));
  EXPECT_LT(at6(S, 2, 2), at6(K, 2, 2));
  EXPECT_NEAR(at6(S, 6, 6), 0.5 * at6(K, 6, 6), 1e-9 * at6(K, 6, 6));
  PILEAR.HSPR1(1) = 1e6 * at6(K, 6, 6);
  PILESTF(1, 0, istat, S, block);
  EXPECT_NEAR(at6(S, 2, 2) / at6(K, 2, 2), 1.0, 1e-5);
}

// A pile of length L with a free tip on a Winkler soil: the head
// flexibilities of the finite beam on an elastic foundation,
//   f_yy = 2 b / k (sh ch - sn cs) / D, f_yt = 2 b^2 / k (sh^2 + sn^2) / D,
//   f_tt = 4 b^3 / k (sh ch + sn cs) / D, D = sh^2 - sn^2 (of b L),
// inverted for the fixed head; 1 / f_yy for the pinned head. From a short,
// nearly rigid pile to a long one.
TEST(PileHeadStiffness, FiniteLengthPileMatchesTheBeamOnAnElasticFoundation) {
  RUNCTL.IANTYP = 3;
  const double b = BETA, k = KS;
  for (double bl : {0.8, 2.0, 4.0}) {
    setPile(1, EI, bl / b, 100, KS);
    double K[36];
    std::string block;
    std::int32_t istat = 0;
    PILESTF(1, 0, istat, K, block);
    const double sh = std::sinh(bl), ch = std::cosh(bl), sn = std::sin(bl), cs = std::cos(bl);
    const double D = sh * sh - sn * sn;
    const double fyy = 2 * b / k * (sh * ch - sn * cs) / D, fyt = 2 * b * b / k * (sh * sh + sn * sn) / D;
    const double ftt = 4 * b * b * b / k * (sh * ch + sn * cs) / D, det = fyy * ftt - fyt * fyt;
    for (int t : {2, 3}) {
      const int r = t == 2 ? 6 : 5;
      EXPECT_NEAR(at6(K, t, t) / (ftt / det), 1.0, 0.005) << "b L " << bl;
      EXPECT_NEAR(at6(K, r, r) / (fyy / det), 1.0, 0.005) << "b L " << bl;
      EXPECT_NEAR(std::fabs(at6(K, t, r)) / (fyt / det), 1.0, 0.005) << "b L " << bl;
      const double pinned = at6(K, t, t) - at6(K, t, r) * at6(K, r, t) / at6(K, r, r);
      EXPECT_NEAR(pinned * fyy, 1.0, 0.005) << "b L " << bl;
    }
  }
}

// A long pile under the axial force P: EI y'''' + P y'' + k y = 0 decays as
// exp(-a x) with a^2 = b^2 - P / (4 EI), so that the fixed head has the
// translation stiffness 4 EI b^2 a and the rotation stiffness 2 EI a. The
// translational axial-force coefficient P / L of the elements (not 6 P / 5 L)
// makes the chain act as a beam under four fifths of P: at 0.45 of the
// critical force 4 EI b^2 it is 8 % stiffer than the beam under P.
TEST(PileHeadStiffness, AxialForceTermsActAsFourFifthsOfTheAxialForce) {
  RUNCTL.IANTYP = 3;
  setPile(1, EI, LEN, 100, KS);
  const double b = BETA, crit = 4 * EI * b * b;
  for (double share : {0.2, 0.45}) {
    PASRES.PASPAX(1) = share * crit;
    double K[36];
    std::string block;
    std::int32_t istat = 0;
    PILESTF(1, 1, istat, K, block);
    const double a = std::sqrt(b * b - 0.8 * PASRES.PASPAX(1) / (4 * EI));
    const double full = std::sqrt(b * b - PASRES.PASPAX(1) / (4 * EI));
    EXPECT_NEAR(at6(K, 2, 2) / (4 * EI * b * b * a), 1.0, 0.002) << share;
    EXPECT_NEAR(at6(K, 6, 6) / (2 * EI * a), 1.0, 0.002) << share;
    EXPECT_GT(at6(K, 2, 2) / (4 * EI * b * b * full), 1.02) << share;
    EXPECT_EQ(at6(K, 3, 3), at6(K, 2, 2));
  }
}

// Two sections, the change between nodes 2 and 3 of a four-element pile:
// element e takes the mean of the values at nodes max(e - 1, 1) and e, so the
// change shows in element 3 (the mean) and element 4.
TEST(PileHeadStiffness, ElementsTakeTheSectionsOfTheNodesAboveThem) {
  RUNCTL.IANTYP = 2;
  const double E1 = 4.0e6, E2 = 1.0e6, len = 8.0, h = len / 4;
  setPile(1, E1, len, 4, 50.0);
  PILEPROP.NSECT(1) = 2;
  SECTAB.SXTO(1, 1) = SECTAB.SXFROM(1, 2) = 1.5 * h;
  SECTAB.SXTO(1, 2) = len;
  SECTAB.SDIAT(1, 2) = SECTAB.SDIAB(1, 2) = 1.0;
  SECTAB.SEIZT(1, 2) = SECTAB.SEIZB(1, 2) = E2;
  SECTAB.SEIYT(1, 2) = SECTAB.SEIYB(1, 2) = E2;
  std::int32_t st = 0;
  SECMARK(st);
  ASSERT_EQ(st, 0);
  double K[9];
  std::string block;
  std::int32_t istat = 0;
  PILESTF2D(1, 0, istat, K, block);

  const double elementEI[5] = {0, E1, E1, 0.5 * (E1 + E2), E2};
  double kacc[9] = {};
  for (int e = 4; e >= 1; --e) {
    double ek[36];
    BEAMK2D(elementEI[e], 1.0, h, 0.0, 0, ek);
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) ek[i + 6 * j] += kacc[i + 3 * j];
    if (e == 4) ek[1 + 6 * 1] += PASRES.PASNOD(1, 5);
    ek[4 + 6 * 4] += PASRES.PASNOD(1, e);
    std::int32_t ierr = 0;
    CONDENS(ek, kacc, 6, 3, ierr);
    ASSERT_EQ(ierr, 0);
  }
  for (int i : {4, 5, 7, 8}) EXPECT_NEAR(K[i], kacc[i], 1e-9 * std::fabs(kacc[i])) << i;
}

TEST(PileHeadStiffness, CompressionLowersTheLateralTermsOnlyWithAxialForceTerms) {
  RUNCTL.IANTYP = 3;
  setPile(1, EI, LEN, 50, KS);
  PASRES.PASPAX(1) = 2.0e4;
  double k0[36], k1[36], k2[36];
  std::string block;
  std::int32_t istat = 0;
  PILESTF(1, 0, istat, k0, block);
  PILESTF(1, 1, istat, k1, block);
  PILESTF(1, 2, istat, k2, block);
  EXPECT_LT(at6(k1, 2, 2), at6(k0, 2, 2));
  EXPECT_LT(at6(k1, 6, 6), at6(k0, 6, 6));
  for (int i = 0; i < 36; ++i) EXPECT_EQ(k2[i], k0[i]);
}

TEST(PileHeadStiffness, PlaneRowMatchesTheSpacePileAndItsTransformations) {
  RUNCTL.IANTYP = 2;
  setPile(1, EI, LEN, 100, KS);
  double K3[9], K6[36];
  std::string block;
  std::int32_t istat = 0;
  PILESTF2D(1, 0, istat, K3, block);
  PILESTF(1, 0, istat, K6, block);
  const int map[3] = {1, 2, 6};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(K3[i + 3 * j], at6(K6, map[i], map[j]));

  double TF[9], RT[9], TU[9], R[9];
  TRANSF2D(1, TF, RT, TU, R);
  for (int i = 0; i < 9; ++i) {
    const double id = (i % 4 == 0) ? 1.0 : 0.0;
    EXPECT_EQ(TF[i], id);
    EXPECT_EQ(RT[i], id);
    EXPECT_EQ(TU[i], id);
    EXPECT_EQ(R[i], id);
  }
  PILEAR.PHXREF(1) = 2.0;
  PILEAR.PHYREF(1) = 3.0;
  PILEAR.PBATT(1) = 0.3;
  TRANSF2D(1, TF, RT, TU, R);
  EXPECT_EQ(TF[2], -3.0);  // row 3: -Y, X, 1
  EXPECT_EQ(TF[5], 2.0);
  EXPECT_EQ(TU[6], -3.0);
  EXPECT_DOUBLE_EQ(RT[3], -std::sin(0.3));  // (1, 2)
  EXPECT_DOUBLE_EQ(R[1], -std::sin(0.3));   // (2, 1)
}

TEST(PileHeadStiffness, OneElementPileCarriesBothNodeSprings) {
  RUNCTL.IANTYP = 2;
  setPile(1, 3.0, 2.0, 1, 0.0);
  PASRES.PASNOD(1, 1) = 5.0;
  PASRES.PASNOD(1, 2) = 7.0;
  double K[9];
  std::string block;
  std::int32_t istat = 0;
  PILESTF2D(1, 0, istat, K, block);
  // The single element: spring 7 on its lower end, spring 5 on the head.
  const double EI1 = 3.0, L = 2.0;
  double ek[36], kc[9];
  BEAMK2D(EI1, 1.0, L, 0.0, 0, ek);
  ek[1 + 6 * 1] += 7.0;
  ek[4 + 6 * 4] += 5.0;
  std::int32_t ierr;
  CONDENS(ek, kc, 6, 3, ierr);
  EXPECT_DOUBLE_EQ(K[4], kc[4]);
  EXPECT_DOUBLE_EQ(K[8], kc[8]);
  EXPECT_DOUBLE_EQ(K[7], kc[7]);
  EXPECT_EQ(block,
            "     PILE=    1     NNODES=    2\n"
            "  1.0000100000000000E+05\n"
            "  5.0000000000000000E+00\n"
            "  7.0000000000000000E+00\n");
}

// Four battered piles around the origin: the sum equals the carried head
// stiffnesses added by hand, for one thread and for several, bit for bit,
// and the node file holds every pile's block whole and in pile order.
TEST(CapStiffness, SumOverThePilesIsTheSameForAnyThreadCount) {
  test::ScratchDir dir;
  RUNCTL.IANTYP = 3;
  for (int p = 1; p <= 4; ++p)
    setPile(p, EI * p, LEN, 60, KS, p % 2 ? 2.0 : -1.5, p < 3 ? 1.0 : -3.0, 1.3 + 0.05 * p, 0.7 * p);
  double hand[36] = {};
  for (int p = 1; p <= 4; ++p) {
    double TF[36], TU[36], RT[36], R[36], K[36];
    std::string b;
    std::int32_t istat = 0;
    TRANSF(p, TF, TU, RT, R);
    PILESTF(p, 0, istat, K, b);
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j) {
        double s = 0;
        // (TF RT K R TU)(i, j)
        for (int a = 1; a <= 6; ++a)
          for (int c = 1; c <= 6; ++c) {
            double l = 0, r = 0;
            for (int m = 1; m <= 6; ++m) l += at6(TF, i, m) * at6(RT, m, a);
            for (int m = 1; m <= 6; ++m) r += at6(R, c, m) * at6(TU, m, j);
            s += l * at6(K, a, c) * r;
          }
        hand[(i - 1) + 6 * (j - 1)] += s;
      }
  }
  std::string files[2];
  double kcap[2][36];
  const int threads[2] = {1, 4};
  for (int run = 0; run < 2; ++run) {
    omp_set_num_threads(threads[run]);
    const std::string name = "node" + std::to_string(run) + ".txt";
    ASSERT_TRUE(io::OPEN(U_CAPNODE, name, io::Access::Write));
    std::int32_t istat = 0;
    CAPKSUM(istat, 0, kcap[run]);
    io::CLOSE(U_CAPNODE);
    files[run] = test::readFile(dir.path() / name);
  }
  for (int i = 0; i < 36; ++i) {
    EXPECT_EQ(kcap[0][i], kcap[1][i]);
    EXPECT_NEAR(kcap[0][i], hand[i], 1e-9 * (std::fabs(hand[i]) + hand[0]));
  }
  EXPECT_EQ(files[0], files[1]);
  const auto lines = test::readLines(dir.path() / "node0.txt");
  ASSERT_EQ(lines.size(), 1u + 4u * (2u + 61u));
  EXPECT_EQ(lines[0], "     NPILES=    4");
  for (int p = 1; p <= 4; ++p)
    EXPECT_EQ(lines[1 + (p - 1) * 63], "     PILE=    " + std::to_string(p) + "     NNODES=   61");
}

TEST(CapStiffness, PlaneRowsCountTheirIdenticalPiles) {
  test::ScratchDir dir;
  RUNCTL.IANTYP = 2;
  RUNCTL.NPILE = 1;
  setPile(1, EI, LEN, 40, KS, 1.5);
  PILEAR.PBATT(1) = 0.2;
  double one[36], three[36];
  std::int32_t istat = 0;
  CAPKSUM(istat, 0, one);
  PILEAR.GRPNP(1) = 3.0;
  CAPKSUM(istat, 0, three);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      if (i > 3 || j > 3) {
        EXPECT_EQ(at6(three, i, j), 0.0);
      } else {
        EXPECT_DOUBLE_EQ(at6(three, i, j), 3.0 * at6(one, i, j));
      }
    }
  // Vertical stiffness of the battered row: axial and lateral mixed by the batter.
  const double c = std::cos(0.2), s = std::sin(0.2);
  double K[9];
  std::string b;
  PILESTF2D(1, 0, istat, K, b);
  EXPECT_NEAR(at6(one, 1, 1), c * c * K[0] + s * s * K[4], 1e-9 * K[0]);
}

}  // namespace
}  // namespace drelm

namespace drelm {
namespace {

// The matrix printed by the cap stiffness: stiffness-matrix file, then the
// point's factor, load and displacement lines, then the results report and
// summary headings and rows, second report diagonal and rows.
TEST(CapStiffness, MatrixIsPrintedToEachReport) {
  test::ScratchDir dir;
  RUNCTL.IANTYP = 2;
  RUNCTL.NPILE = 1;
  setPile(1, EI, LEN, 20, KS);
  CASECUR.CESTV(1) = 0.5;
  CASECUR.CESTV(2) = 0.0;  // based on the total load: no target line
  for (int u : {U_KMAT, U_RESULTS, U_SUMMARY, U_REPORT, U_CAPNODE})
    ASSERT_TRUE(io::OPEN(u, "u" + std::to_string(u), io::Access::Write));
  std::int32_t istat = 0;
  const double f[6] = {}, d[6] = {};
  double K[36];
  CAPTSTF(istat, 0, 1, 1, 0.5, f, d, K);
  for (int u : {U_KMAT, U_RESULTS, U_SUMMARY, U_REPORT, U_CAPNODE}) io::CLOSE(u);
  const auto kmt = test::readLines(dir.path() / "u24");
  ASSERT_EQ(kmt.size(), 4u);
  EXPECT_EQ(kmt[0], "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
  const auto res = test::readLines(dir.path() / "u16");
  ASSERT_EQ(res.size(), 8u);
  EXPECT_EQ(res[0].substr(0, 7), "   LOAD");
  EXPECT_EQ(res[1].substr(0, 7), "   DISP");
  EXPECT_EQ(res[3], "          * EQUIVALENT STIFFNESS MATRIX AT ORIGIN *");
  EXPECT_EQ(res[4], "    DOF          1              2              3    ");
  EXPECT_EQ(res[5].substr(0, 7), "      1");
  EXPECT_EQ(res[5].size(), 7u + 3u * 15u + 1u);
  const auto sum = test::readLines(dir.path() / "u18");
  ASSERT_EQ(sum.size(), 10u);
  EXPECT_EQ(sum[1], "       N:    1  FACTOR :    0.5000");
  EXPECT_EQ(sum[5], "          * EQV. STIFFNESS MATRIX AT ORIGIN *");
  const auto rep = test::readLines(dir.path() / "u14");
  ASSERT_EQ(rep.size(), 9u);
  EXPECT_EQ(rep[0], "        1   N:    1  FACTOR :    0.5000");
  EXPECT_EQ(rep[1], "       * EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  EXPECT_EQ(rep[5].substr(0, 14), std::string(14, ' '));
  EXPECT_EQ(rep[6].substr(0, 14), "         1    ");
  EXPECT_EQ(test::readLines(dir.path() / "u29")[0], "     NPILES=    1");
}

}  // namespace
}  // namespace drelm
