#include "pile/pilestore.h"

#include <algorithm>
#include <cmath>

#include "model/model_envpil.h"
#include "numeric/minmax.h"
#include "model/model.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(EQSTIF_T, EQSTIF);

void LLPPACK(NodeBlock& BLOCK, const NodeArray* const (&COLS)[25]) {
  for (int q = 1; q <= 25; ++q)
    for (int s = 1; s <= MAXNOD; ++s) BLOCK(s, q) = (*COLS[q - 1])(s);
}

void ROTGLB(const std::int32_t& IPILE, const double& A, const double& B, const double& C, double& X,
            double& Y, double& Z) {
  const int p = IPILE;
  const double sb = std::sin(PILEAR.BETA(p)), cb = std::cos(PILEAR.BETA(p));
  const double sa = std::sin(PILEAR.ALPHA(p)), ca = std::cos(PILEAR.ALPHA(p));
  const double st = std::sin(PILEAR.THETA(p)), ct = std::cos(PILEAR.THETA(p));
  // The transpose of the pile rotation: the columns of Q are the global
  // components of the pile axes.
  X = A * sb - B * cb * ct + C * cb * st;
  Y = A * cb * ca + B * (sb * ca * ct - sa * st) - C * (sb * ca * st + sa * ct);
  Z = A * cb * sa + B * (ca * st + sb * sa * ct) + C * (ca * ct - sb * sa * st);
}

void LLPPACK2D(NodeBlock& BLOCK, const NodeArray& Y, const NodeArray& M, const NodeArray& V,
               const NodeArray& P, const NodeArray& STRESS, const NodeArray& R, const NodeArray& RBEND,
               const NodeArray& RSHEAR, const NodeArray& AXMOV, const NodeArray& AXLOAD, const NodeArray& GV,
               const NodeArray& GH, const NodeArray& Q) {
  BLOCK.fill(0.0);
  const struct {
    int q;
    const NodeArray& a;
  } cols[] = {{NQ_AXMOV, AXMOV}, {NQ_Y1, Y},      {NQ_GX, GV},       {NQ_GY, GH},      {NQ_M1, M},
              {NQ_V1, V},        {NQ_P1, P},      {NQ_AXLOAD, AXLOAD}, {NQ_STRESS, STRESS}, {NQ_R1, R},
              {NQ_Q1, Q},        {NQ_RBEND, RBEND}, {NQ_RSHEAR, RSHEAR}};
  for (const auto& c : cols)
    for (int s = 1; s <= MAXNOD; ++s) BLOCK(s, c.q) = c.a(s);
}

void ROTGLB2D(const std::int32_t& IPILE, const double& AXIAL, const double& LATERAL, double& GV, double& GH) {
  const double c = std::cos(PILEAR.PBATT(IPILE)), s = std::sin(PILEAR.PBATT(IPILE));
  GV = AXIAL * c - LATERAL * s;
  GH = AXIAL * s + LATERAL * c;
}

void PENV(const std::int32_t& IPILE, const double& STRESS, const double (&UG)[6], const double (&UL)[6],
          const double (&FG)[6], const double (&FL)[6]) {
  const int p = IPILE;
  ENVPIL_T& E = ENVPIL;
  const bool first = E.ENVFST == 1;
  double v[NPTVAL];
  for (int i = 0; i < 6; ++i) {
    v[i] = UG[i];
    v[6 + i] = FG[i];
    v[13 + i] = UL[i];
    v[19 + i] = FL[i];
  }
  v[12] = v[25] = STRESS;
  for (int k = 1; k <= NPTVAL; ++k) {
    E.PTCUR(p, k) = v[k - 1];
    widenEnvelope(E.PTMIN(p, k), E.PTMAX(p, k), v[k - 1], first);
  }
}

void NODENV(const std::int32_t& IPILE, const std::int32_t& NSLOT, const NodeBlock& BLOCK) {
  const int p = IPILE;
  const int last = std::min<int>(NSLOT, MAXNOD);
  if (last < 4) return;
  ENVPIL_T& E = ENVPIL;
  // The pile's node block lies contiguous in the store, in the block's own
  // order (slot fastest), so each quantity is one run of slots.
  double* cur = &E.NDCUR(p, 1, 1);
  double* lo = &E.NDMIN(p, 1, 1);
  double* hi = &E.NDMAX(p, 1, 1);
  const bool first = E.ENVFST == 1;
  // Separate loops for the first case and the later ones keep the inner
  // loops free of branches, so they vectorise.
  for (int q = 1; q <= NNDQ; ++q) {
    const double* b = &BLOCK(1, q);
    const int o = (q - 1) * MAXNOD;
    if (first) {
      for (int s = 3; s < last; ++s) cur[o + s] = lo[o + s] = hi[o + s] = b[s];
    } else {
      for (int s = 3; s < last; ++s) {
        const double v = b[s];
        cur[o + s] = v;
        const double a = lo[o + s], z = hi[o + s];
        lo[o + s] = a > v ? v : a;  // DMIN and DMAX, stored unconditionally
        hi[o + s] = v > z ? v : z;
      }
    }
  }
}

}  // namespace drelm
