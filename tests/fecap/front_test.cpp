// The frontal solver against a dense solve of the same assembled system.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fecap/front.h"
#include "fecap/shape.h"
#include "fecap/shell.h"
#include "fecap/platedeck.h"
#include "model/fileio.h"

namespace drelm {
namespace {

// Gaussian elimination with partial pivoting of a dense n x n system (by columns).
std::vector<double> denseSolve(std::vector<double> K, std::vector<double> b) {
  const int n = static_cast<int>(b.size());
  const auto at = [&](int i, int j) -> double& { return K[i + static_cast<std::size_t>(n) * j]; };
  for (int c = 0; c < n; ++c) {
    int p = c;
    for (int i = c + 1; i < n; ++i)
      if (std::fabs(at(i, c)) > std::fabs(at(p, c))) p = i;
    for (int j = 0; j < n; ++j) std::swap(at(c, j), at(p, j));
    std::swap(b[c], b[p]);
    for (int i = c + 1; i < n; ++i) {
      const double f = at(i, c) / at(c, c);
      for (int j = c; j < n; ++j) at(i, j) -= f * at(c, j);
      b[i] -= f * b[c];
    }
  }
  std::vector<double> x(n);
  for (int i = n - 1; i >= 0; --i) {
    double s = b[i];
    for (int j = i + 1; j < n; ++j) s -= at(i, j) * x[j];
    x[i] = s / at(i, i);
  }
  return x;
}

// Two 8-node elements side by side (13 nodes), the nodes of the left edge
// restrained with non-zero prescribed values on some dofs.
struct TwoElements {
  PlateArrays A;
  std::vector<int> fixedNodes;
  TwoElements() {
    test::PlateDeck d;
    d.nx = 2, d.ny = 1, d.lx = 4, d.ly = 1.5;
    FESOLV_T& F = FESOLV;
    F.NPOIN = d.npoin(), F.NELEM = 2, F.NNODE = 8, F.NGAUS = 2, F.NMATS = 1, F.NEVAB = 48;
    F.NNLOD = F.NNSTI = F.NDLOD = F.NDSTI = F.NCLOD = F.NCSTI = F.NELOD = F.NESTI = F.NCTSTI = 0;
    F.ICOUPL = 0;
    F.MAXFRT = 60;
    for (int n = 1; n <= d.npoin(); ++n)
      if (std::fabs(d.xy(n)[0]) < 1e-9) fixedNodes.push_back(n);
    F.NVFIX = static_cast<int>(fixedNodes.size());
    A.allocate();
    GAUSPT();
    for (int n = 1; n <= d.npoin(); ++n) A.NODXY(1, n) = d.xy(n)[0], A.NODXY(2, n) = d.xy(n)[1];
    for (int i = 1; i <= 2; ++i) {
      const auto k = d.elnod(i, 1);
      for (int j = 1; j <= 8; ++j) A.ELNOD(j, i) = k[j - 1];
      A.ELMAT(i) = 1;
    }
    A.MATPRP(1, 1) = 2000, A.MATPRP(2, 1) = 0.3, A.MATPRP(3, 1) = 0.4;
    for (int i = 1; i <= F.NVFIX; ++i) {
      A.FIXNOD(i) = fixedNodes[i - 1];
      for (int d6 = 1; d6 <= 6; ++d6) {
        // Dof 6 of the second fixed node is restrained with another code: solved as free.
        A.FIXCOD(d6, i) = (i == 2 && d6 == 6) ? 2 : 1;
        A.FIXVAL(d6, i) = 0.001 * (i + d6) * (d6 % 2 ? 1 : -1);
      }
    }
    std::int32_t st = 0;
    SHELLSTF(A, nullptr, st);
    for (int e = 1; e <= 2; ++e)
      for (int r = 1; r <= 48; ++r) A.ELRHS(r, e) = std::sin(1.0 + r + 7.0 * e);
  }
};

TEST(PlateFront, SolutionAndReactionsEqualADenseSolve) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_FEELEM, "elem", io::Access::Write, true));
  TwoElements m;
  PlateArrays& A = m.A;
  const int nv = 6 * FESOLV.NPOIN;
  // Dense assembly.
  std::vector<double> K(static_cast<std::size_t>(nv) * nv, 0.0), f(nv, 0.0);
  for (int e = 1; e <= 2; ++e)
    for (int a = 1; a <= 48; ++a) {
      const int ga = 6 * (A.ELNOD((a - 1) / 6 + 1, e) - 1) + (a - 1) % 6;
      f[ga] += A.ELRHS(a, e);
      for (int b = 1; b <= 48; ++b) {
        const int gb = 6 * (A.ELNOD((b - 1) / 6 + 1, e) - 1) + (b - 1) % 6;
        K[ga + static_cast<std::size_t>(nv) * gb] += A.ELSTIF(a, b, e);
      }
    }
  std::vector<int> prescribed(nv, 0);
  std::vector<double> u(nv, 0.0);
  for (int i = 1; i <= FESOLV.NVFIX; ++i)
    for (int d = 1; d <= 6; ++d)
      if (A.FIXCOD(d, i) == 1) {
        const int g = 6 * (A.FIXNOD(i) - 1) + d - 1;
        prescribed[g] = 1;
        u[g] = A.FIXVAL(d, i);
      }
  std::vector<int> fr;
  for (int g = 0; g < nv; ++g)
    if (!prescribed[g]) fr.push_back(g);
  const int nf = static_cast<int>(fr.size());
  std::vector<double> Kff(static_cast<std::size_t>(nf) * nf), rhs(nf);
  for (int i = 0; i < nf; ++i) {
    rhs[i] = f[fr[i]];
    for (int g = 0; g < nv; ++g)
      if (prescribed[g]) rhs[i] -= K[fr[i] + static_cast<std::size_t>(nv) * g] * u[g];
    for (int j = 0; j < nf; ++j) Kff[i + static_cast<std::size_t>(nf) * j] = K[fr[i] + static_cast<std::size_t>(nv) * fr[j]];
  }
  const std::vector<double> x = denseSolve(Kff, rhs);
  for (int i = 0; i < nf; ++i) u[fr[i]] = x[i];

  const std::vector<std::int32_t> elnod = A.ELNOD.v;
  FrontScratch scratch;
  ASSERT_TRUE(scratch.open("eq.scratch"));
  A.DSDIS.zero();
  FRONTSOL(A, A.FIXVAL, scratch);
  EXPECT_EQ(A.ELNOD.v, elnod);
  double scale = 0;
  for (double x : u) scale = std::max(scale, std::fabs(x));
  for (int g = 0; g < nv; ++g) EXPECT_NEAR(A.DSDIS(g + 1), u[g], 1e-9 * scale) << g + 1;
  for (int g = 0; g < nv; ++g) {
    if (!prescribed[g]) continue;
    double r = -f[g];
    for (int h = 0; h < nv; ++h) r += K[g + static_cast<std::size_t>(nv) * h] * u[h];
    EXPECT_NEAR(A.RHSVEC(g + 1), r, 1e-8 * (1 + std::fabs(r))) << g + 1;
  }
  // The variable restrained with another code keeps its given value in the reactions.
  EXPECT_DOUBLE_EQ(A.RHSVEC(6 * (m.fixedNodes[1] - 1) + 6), A.FIXVAL(6, 2));
  // One equation record per variable, each of the full front capacity.
  EXPECT_EQ(std::ftell(scratch.file()) >= 0, true);
  std::fseek(scratch.file(), 0, SEEK_END);
  EXPECT_EQ(std::ftell(scratch.file()), static_cast<long>(nv) * (60 * 8 + 16));
  io::CLOSE(U_FEELEM);
}

TEST(PlateFront, NilPivotFailsTheSolveAndAFullFrontHalts) {
  test::ScratchDir dir;
  ASSERT_TRUE(io::OPEN(U_FELIST, "list", io::Access::Write));
  ASSERT_TRUE(io::OPEN(U_FEELEM, "elem", io::Access::Write, true));
  FrontScratch scratch;
  ASSERT_TRUE(scratch.open("eq.scratch"));
  // Node 1 (element 1 only) with its dofs 5 and 6 free; dof 6 repeats dof 5
  // in every coupling, its diagonal scaled by 1 + REL: after dof 5 its pivot
  // is REL times its diagonal.
  const auto twin = [&](double rel) {
    TwoElements m;
    m.A.FIXCOD(5, 1) = m.A.FIXCOD(6, 1) = 0;
    for (int r = 1; r <= 48; ++r) m.A.ELSTIF(r, 6, 1) = m.A.ELSTIF(r, 5, 1);
    for (int c = 1; c <= 48; ++c) m.A.ELSTIF(6, c, 1) = m.A.ELSTIF(5, c, 1);
    m.A.ELSTIF(6, 6, 1) *= 1.0 + rel;
    m.A.DSDIS.zero();
    const std::vector<std::int32_t> elnod = m.A.ELNOD.v;
    const int g = FRONTSOL(m.A, m.A.FIXVAL, scratch);
    EXPECT_EQ(m.A.ELNOD.v, elnod);
    return g;
  };
  EXPECT_EQ(twin(0.0), 6);
  EXPECT_EQ(twin(1.0E-13), 6);
  EXPECT_EQ(twin(1.0E-6), 0);  // small but real: the system is solved
  {
    // No stiffness at all on the drilling dof of node 1.
    TwoElements m;
    for (int r = 1; r <= 48; ++r) m.A.ELSTIF(r, 6, 1) = m.A.ELSTIF(6, r, 1) = 0.0;
    m.A.FIXCOD(6, 1) = 0;
    EXPECT_EQ(FRONTSOL(m.A, m.A.FIXVAL, scratch), 6);
    // Restrained, it is never divided by its pivot.
    m.A.FIXCOD(6, 1) = 1;
    EXPECT_EQ(FRONTSOL(m.A, m.A.FIXVAL, scratch), 0);
    FESOLV.MAXFRT = 40;  // less than the 48 variables of one element
    const std::vector<std::int32_t> elnod = m.A.ELNOD.v;
    EXPECT_THROW(FRONTSOL(m.A, m.A.FIXVAL, scratch), PlateHalt);
    EXPECT_EQ(m.A.ELNOD.v, elnod);
  }
  io::CLOSE(U_FELIST);
  io::CLOSE(U_FEELEM);
  const auto L = test::readLines("list");
  ASSERT_EQ(L.size(), 4u);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(L[i].substr(0, 69), "    NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO.    6 OF VALUE") << i;
  EXPECT_EQ(L[2], "    NEGATIVE OR ZERO PIVOT ENCOUNTERED FOR VARIABLE NO.    6 OF VALUE      0.000000E+00");
  EXPECT_EQ(L[3], " FRONT WIDTH EXCEEDS    40 AT ELEMENT     1");
}

}  // namespace
}  // namespace drelm
