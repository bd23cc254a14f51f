#include "capstiff/pilestf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cap/passfile.h"
#include "capstiff/beamk.h"
#include "model/nodes.h"
#include "model/model_prep.h"
#include "soil/lookup.h"

namespace drelm {
namespace {

constexpr int MAXN = MAXNOD;  // node values of one pile, 1-based

void appendf(std::string& s, const char* fmt, int a, int b = 0) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, a, b);
  s += buf;
}

// One value per record, with full double precision.
void appendValues(std::string& s, const double* v, int n) {
  char buf[40];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, i == 0 ? "%24.16E" : " %24.16E", v[i]);
    s += buf;
  }
  s += '\n';
}

// The pile's block: its number and node count, the head stiffnesses, then
// one record per node spring.
void nodeBlock(std::string& s, int p, int nodes, const double* head, int nhead) {
  appendf(s, "     PILE=%5d     NNODES=%5d\n", p, nodes);
  appendValues(s, head, nhead);
  for (int k = 1; k <= nodes; ++k) appendValues(s, &PASRES.PASNOD(p, k), 1);
}

// Element e takes the mean of the values looked up at the coordinates of
// nodes max(e - 1, 1) and e.
int lookupNode(int k, int n) { return std::min(std::max(k - 1, 1), n + 1); }

// Head connection of one lateral / rotation pair (1-based t, r) of an
// nd x nd matrix: pinned, or a rotational spring h in series.
void connect(double* K, int nd, int t, int r, std::int32_t code, double h) {
  auto k = [&](int i, int j) -> double& { return K[(i - 1) + nd * (j - 1)]; };
  if (code == CONN_PIN || (code == CONN_RES && h == 0.0)) {
    k(t, t) -= k(t, r) * k(r, t) / k(r, r);
    k(t, r) = k(r, t) = k(r, r) = 0.0;
  } else if (code == CONN_RES) {
    const double d = 1.0 + k(r, r) / h;
    k(t, t) -= k(t, r) * k(r, t) / (h * d);
    k(t, r) /= d;
    k(r, t) /= d;
    k(r, r) /= d;
  }
}

// Eliminates the lower end (DOF 1..nd) of a 2nd x 2nd element matrix; at an
// exactly zero pivot the stiffness below is dropped (KACC = 0).
void condenseLower(double* EK, int nd, double* KACC) {
  std::int32_t ierr = 0;
  CONDENS(EK, KACC, 2 * nd, nd, ierr);
}

}  // namespace

void PILESTF(const std::int32_t& IPILE, const std::int32_t& KGEOM, std::int32_t& /*ISTAT*/,
             double* KHEAD, std::string& BLOCK) {
  const int p = IPILE, t = PILEAR.PROPOFPILE(p);
  const int n = PILEPROP.NINC(t);
  const double L = PILEPROP.DXINC(t);
  for (int i = 0; i < 36; ++i) KHEAD[i] = 0.0;
  double eiz[MAXN + 1], eiy[MAXN + 1], s[MAXN + 1];
  for (int k = 1; k <= n + 1; ++k) {
    const double x = PILENODE.XPILE(p, lookupNode(k, n));
    eiz[k] = SECEIZ(p, t, x);
    eiy[k] = SECEIY(p, t, x);
    s[k] = PASRES.PASNOD(p, k);
  }
  const double head[2] = {PASRES.PASKAX(p), PASRES.PASKTR(p)};
  nodeBlock(BLOCK, p, n + 1, head, 2);

  const double P = PASRES.PASPAX(p), one = 1.0;
  double kacc[36] = {}, ek[144];
  for (int e = n; e >= 1; --e) {
    const double EIZ = 0.5 * (eiz[e] + eiz[e + 1]), EIY = 0.5 * (eiy[e] + eiy[e + 1]);
    BEAMK(EIZ, EIY, one, one, L, P, KGEOM, ek);
    for (int j = 0; j < 6; ++j)
      for (int i = 0; i < 6; ++i) ek[i + 12 * j] += kacc[i + 6 * j];
    if (e == n) {
      ek[1 + 12 * 1] += s[n + 1];
      ek[2 + 12 * 2] += s[n + 1];
    }
    ek[7 + 12 * 7] += s[e];
    ek[8 + 12 * 8] += s[e];
    condenseLower(ek, 6, kacc);
  }
  for (int i = 0; i < 36; ++i) KHEAD[i] = kacc[i];
  KHEAD[0] = PASRES.PASKAX(p);
  KHEAD[3 + 6 * 3] = PASRES.PASKTR(p);
  connect(KHEAD, 6, 2, 6, PCONN.CONNECTY(p), PILEAR.HSPR1(p));
  connect(KHEAD, 6, 3, 5, PCONN.CONNECTZ(p), PILEAR.HSPR2(p));
}

void EQKPILE(const std::int32_t& IPILE, double* S) {
  const int n = PILEPROP.NINC(PILEAR.PROPOFPILE(IPILE));
  for (int k = 1; k <= n + 1; ++k) S[k - 1] = PASRES.PASNOD(IPILE, k);
}

void PILESTF2D(const std::int32_t& IPILE, const std::int32_t& KGEOM, std::int32_t& /*ISTAT*/,
               double* KHEAD, std::string& BLOCK) {
  const int p = IPILE, t = PILEAR.PROPOFPILE(p);
  const int n = PILEPROP.NINC(t);
  const double L = PILEPROP.DXINC(t);
  for (int i = 0; i < 9; ++i) KHEAD[i] = 0.0;
  double ei[MAXN + 1], sv[MAXN + 1];
  for (int k = 1; k <= n + 1; ++k) ei[k] = SECEIZ(p, t, PILENODE.XNODE(p, lookupNode(k, n)));
  EQKPILE(p, sv + 1);
  const double* s = sv;  // s[k], k = 1 .. n + 1
  const double head[1] = {PASRES.PASKAX(p)};
  nodeBlock(BLOCK, p, n + 1, head, 1);

  const double P = PASRES.PASPAX(p), one = 1.0;
  double kacc[9] = {}, ek[36];
  for (int e = n; e >= 1; --e) {
    BEAMK2D(0.5 * (ei[e] + ei[e + 1]), one, L, P, KGEOM, ek);
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) ek[i + 6 * j] += kacc[i + 3 * j];
    if (e == n) ek[1 + 6 * 1] += s[n + 1];
    ek[4 + 6 * 4] += s[e];
    condenseLower(ek, 3, kacc);
  }
  for (int i = 0; i < 9; ++i) KHEAD[i] = kacc[i];
  KHEAD[0] = PASRES.PASKAX(p);
  connect(KHEAD, 3, 2, 3, PCONN.CONNECTY(p), PILEAR.HSPR1(p));
}

void TRANSF2D(const std::int32_t& IPILE, double* TF, double* RT, double* TU, double* R) {
  const double X = PILEAR.PHXREF(IPILE), Y = PILEAR.PHYREF(IPILE);
  const double c = std::cos(PILEAR.PBATT(IPILE)), s = std::sin(PILEAR.PBATT(IPILE));
  // Rows listed, stored by columns.
  const double tf[3][3] = {{1, 0, 0}, {0, 1, 0}, {-Y, X, 1}};
  const double rt[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      TF[i + 3 * j] = tf[i][j];
      TU[j + 3 * i] = tf[i][j];
      RT[i + 3 * j] = rt[i][j];
      R[j + 3 * i] = rt[i][j];
    }
}

}  // namespace drelm
