// Soil movement profile of a pile and the movement at its nodes.
#include "soil/soilmove.h"

#include <algorithm>
#include <cmath>

#include "model/model.h"

namespace drelm {
namespace {

// Nodes of pile p (NINC+1), or 0 when the pile has no valid property.
int nodeCount(std::int32_t p) {
  if (p < 1 || p > MAXPIL1) return 0;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  if (t < 1 || t > MAXPRPS) return 0;
  return std::clamp<int>(PILEPROP.NINC(t) + 1, 0, MAXNOD);
}

// Points of the soil movement table the profile holds.
int profilePoints() { return std::clamp<int>(SMOV.NSMOV, 0, MAXSMP); }

void clear(std::int32_t p, NodeArray& a) {
  const int nn = nodeCount(p);
  for (int i = 1; i <= nn; ++i) a(i) = 0.0;
}

// Movement of value v (2 or 3) of the profile of pile p at every node. The
// profile depths are distances below the pile head, so each node is taken
// into the same frame by its distance below the head X, where node 1 lies.
// The profile is built from the current movement columns, which already
// carry the load fraction: it is not applied again here.
void atNodes(std::int32_t p, int v, NodeArray& a) {
  const int nn = nodeCount(p);
  const int np = profilePoints();
  if (nn == 0 || np == 0) return;
  const double eps = RUNCONST.EPSMOV;
  const double ground = PILEAR.PHXREF(p) + PILEAR.PGRND(p);
  const auto d = [&](int k) { return SMVPIL.SMVPIL(p, k, 1); };
  const auto m = [&](int k) { return SMVPIL.SMVPIL(p, k, v); };
  for (int i = 1; i <= nn; ++i) {
    const double X = PILENODE.XNODE(p, i);
    const double x = X - PILEAR.PHX(p);
    double mov = 0.0;
    if (ground > X || d(1) > x || x > d(np)) {
      mov = 0.0;
    } else if (np == 1) {
      // A single point: the node lies exactly at its depth.
      mov = m(1);
    } else {
      int k = 2;
      while (k < np && x > d(k)) ++k;
      // A node at the depth of a step in the profile (two points at one
      // depth) takes the mean of the two movements, wherever the step lies.
      if (k < np && d(k) - x < eps && std::fabs(d(k + 1) - d(k)) < eps) ++k;
      const double dd = d(k) - d(k - 1);
      if (std::fabs(dd) < eps)
        mov = 0.5 * (m(k) + m(k - 1));  // a step in the profile
      else
        mov = m(k - 1) + (x - d(k - 1)) * (m(k) - m(k - 1)) / dd;
    }
    a(i) = mov;
  }
}

}  // namespace

void SMVPLOC(const std::int32_t& IPILE) {
  const std::int32_t p = IPILE;
  if (p < 1 || p > MAXPIL1) return;
  const int np = profilePoints();
  const bool space = RUNCTL.IANTYP == 3;
  const double sb = std::sin(PILEAR.BETA(p));
  const double sa = std::sin(PILEAR.ALPHA(p)), ca = std::cos(PILEAR.ALPHA(p));
  const double st = std::sin(PILEAR.THETA(p)), ct = std::cos(PILEAR.THETA(p));
  for (int k = 1; k <= np; ++k) {
    const double Y = SMOV.SMVY(k), Z = SMOV.SMVZ(k);
    SMVPIL.SMVPIL(p, k, 1) = SMOV.SMVDEP(k) - PILEAR.PHX(p);
    if (space) {
      // Rows 2 and 3 of the pile's rotation applied to (0, Y, Z).
      const double u = ca * Y + sa * Z, w = ca * Z - sa * Y;
      SMVPIL.SMVPIL(p, k, 2) = sb * u * ct + w * st;
      SMVPIL.SMVPIL(p, k, 3) = w * ct - sb * u * st;
    } else {
      SMVPIL.SMVPIL(p, k, 2) = Y * std::cos(PILEAR.PBATT(p));
      SMVPIL.SMVPIL(p, k, 3) = 0.0;
    }
  }
}

void CLRNODP(const std::int32_t& IPILE, NodeArray& PSOIL) { clear(IPILE, PSOIL); }
void CLRNOD1(const std::int32_t& IPILE, NodeArray& YSOIL1) { clear(IPILE, YSOIL1); }
void CLRNOD2(const std::int32_t& IPILE, NodeArray& YSOIL2) { clear(IPILE, YSOIL2); }

void SMVNOD1(const std::int32_t& IPILE, NodeArray& YSOIL1) { atNodes(IPILE, 2, YSOIL1); }
void SMVNOD2(const std::int32_t& IPILE, NodeArray& YSOIL2) { atNodes(IPILE, 3, YSOIL2); }

}  // namespace drelm
