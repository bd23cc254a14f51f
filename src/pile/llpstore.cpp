// What a reporting pass of the space lateral solver keeps of a converged
// solution: the pile-top values and the values along the pile in the
// envelope store, or the equivalent stiffnesses of the pile.
#include <cmath>

#include "pile/llpres.h"
#include "pile/pilestore.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "transfer/headcurves.h"

namespace drelm {

namespace {

constexpr double TINY = 1.0E-14;

// y = A x for a 6 x 6 matrix by columns.
void mul6(const double* A, const double (&x)[6], double (&y)[6]) {
  for (int i = 0; i < 6; ++i) {
    double s = 0.0;
    for (int j = 0; j < 6; ++j) s += A[i + 6 * j] * x[j];
    y[i] = s;
  }
}

void storeStiffness(int p, double PX, double TX, const double* ULOC, const LLPRES& r) {
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const double h = PILEPROP.DXINC(t);
  EQSTIF_T& E = EQSTIF;
  E.EQPAX(p) = PX;
  // Without a head displacement the secant has no meaning: the slope of the
  // head curve's segment through the origin stands in.
  double k = 0.0;
  if (std::fabs(ULOC[0]) > TINY)
    k = PX / ULOC[0];
  else
    AXSLOPE(p, 1, k);
  E.EQKAX(p) = k;
  k = 0.0;
  if (std::fabs(ULOC[3]) > TINY)
    k = TX / ULOC[3];
  else
    TQSLOPE(p, 1, k);
  E.EQKTR(p) = k;
  E.EQDX(p) = h;
  for (int j = 1; j <= r.NN; ++j) {
    const int s = j + 3;
    E.EQXN(p, j) = (j - 1) * h;
    const double y1 = r.Y[0](s), y2 = r.Y[1](s);
    E.EQKN1(p, j) = std::fabs(y1) > TINY ? r.P[0](s) / y1 : 0.0;
    E.EQKN2(p, j) = std::fabs(y2) > TINY ? r.P[1](s) / y2 : 0.0;
  }
}

void storeReport(int p, double PX, double TX, double VT1, double VT2, double MT1, double MT2,
                 const double* ULOC, const double* RT, const LLPRES& r) {
  // Pile top: the reaction of one pile at its head, in pile and global axes.
  double UL[6], FL[6] = {PX, VT1, VT2, TX, -MT2, MT1}, UG[6], FG[6];
  for (int i = 0; i < 6; ++i) UL[i] = ULOC[i];
  mul6(RT, UL, UG);
  mul6(RT, FL, FG);
  PENV(p, r.CSTRESS(4), UG, UL, FG, FL);

  // Along the pile, in the report's signs.
  const bool axial = CURCTL.IAXVAR == 1 && PILEAR.ILSCRV(p) < 1;
  const bool movement = SMOV.NSMOV > 0;
  const bool loadCase = CASECUR.ICOMB == 0;
  NodeArray col[25];
  for (int k = 1; k <= r.NN; ++k) {
    const int s = k + 3;
    const double y1 = r.Y[0](s), y2 = r.Y[1](s);
    const double a = axial ? r.AXMOV(s) : 0.0;
    col[0](s) = a;
    col[1](s) = y1;
    col[2](s) = y2;
    col[3](s) = VLEN2(y1, y2);
    ROTGLB(p, a, y1, y2, col[4](s), col[5](s), col[6](s));
    col[7](s) = VLEN2(col[5](s), col[6](s));
    const double m1 = -r.M[0](s), m2 = -r.M[1](s);
    col[8](s) = m1;
    col[9](s) = m2;
    col[10](s) = VLEN2(m1, m2);
    col[11](s) = r.V[0](s);
    col[12](s) = r.V[1](s);
    col[13](s) = VLEN2(r.V[0](s), r.V[1](s));
    // Where the soil moves, the soil pushes the pile with the resistance of
    // the p-y evaluation against the deflection relative to the soil, as
    // the plane row prints it; the p-y evaluation had only the length of
    // that deflection, so the direction comes from its two components.
    double p1 = r.P[0](s), p2 = r.P[1](s);
    if (movement) {
      const double d1 = y1 - r.YS[0](s), d2 = y2 - r.YS[1](s);
      const double d = VLEN2(d1, d2);
      const double p = std::fabs(r.PSOIL(s));
      p1 = d > 0.0 ? -p * d1 / d : 0.0;
      p2 = d > 0.0 ? -p * d2 / d : 0.0;
    }
    col[14](s) = p1;
    col[15](s) = p2;
    col[16](s) = VLEN2(p1, p2);
    col[17](s) = axial ? r.AXLOAD(s) : PX;
    col[18](s) = r.CSTRESS(s);
    col[19](s) = r.R[0](s);
    col[20](s) = r.R[1](s);
    col[21](s) = r.QD[0](s);
    col[22](s) = r.QD[1](s);
    col[23](s) = loadCase ? 0.0 : r.BRATIO(s);
    col[24](s) = loadCase ? 0.0 : r.SRATIO(s);
  }
  const NodeArray* const cols[25] = {&col[0],  &col[1],  &col[2],  &col[3],  &col[4],  &col[5],  &col[6],
                                     &col[7],  &col[8],  &col[9],  &col[10], &col[11], &col[12], &col[13],
                                     &col[14], &col[15], &col[16], &col[17], &col[18], &col[19], &col[20],
                                     &col[21], &col[22], &col[23], &col[24]};
  NodeBlock block;
  LLPPACK(block, cols);
  NODENV(p, r.NN + 3, block);
}

}  // namespace

void LLPSTORE(const std::int32_t& IPILE, const double& PX, const double& TX, const double& VT1,
              const double& VT2, const double& MT1, const double& MT2, const double* ULOC, const double* RT,
              const LLPRES& r) {
  if (RUNCTL.IOUTPS == 1) storeReport(IPILE, PX, TX, VT1, VT2, MT1, MT2, ULOC, RT, r);
  if (RUNCTL.IOUTPS == 2) storeStiffness(IPILE, PX, TX, ULOC, r);
}

}  // namespace drelm
