#include "cap/cappil.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cap/caplines.h"
#include "numeric/matrix.h"
#include "pile/transf.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "report/prpftl.h"
#include "soil/pysoil.h"

namespace drelm {

using cap::text;

namespace {

void belowDeepestLayer() { belowProfileBlock(CAPSOL.CAPTHK); }

// The member's increments and length, and the cap width as its diameter,
// under the property slot the soil response reads for it.
void memberProperty(int c) {
  const int t = CAPPROP;
  PILEAR.PROPOFPILE(c) = t;
  PILEPROP.NINC(t) = CAPSOL.NCAPIN;
  PILEPROP.PLEN(t) = CAPSOL.CAPTHK;
  PILEPROP.DXINC(t) = CAPSOL.CAPTHK / CAPSOL.NCAPIN;
  PILEPROP.NSECT(t) = 1;
  SECTAB.SXFROM(t, 1) = 0.0;
  SECTAB.SXTO(t, 1) = CAPSOL.CAPTHK;
  SECTAB.SDIAT(t, 1) = SECTAB.SDIAB(t, 1) = CAPSOL.CAPWID;
}

// Node positions of the member and the node range of every soil layer, by
// the rules of the pile node set-up. False when the member reaches below the
// deepest layer.
bool memberNodes(int c, std::int32_t& ISTAT) {
  const int ninc = CAPSOL.NCAPIN;
  const int nn = ninc + 1;
  const double h = CAPSOL.CAPTHK / ninc;
  const double x0 = PILEAR.PHX(c);
  for (int i = 1; i <= nn; ++i) PILENODE.XNODE(c, i) = PILENODE.XPILE(c, i) = x0 + (i - 1) * h;
  const int nl = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  for (int L = 1; L <= nl; ++L) LAYNODE.LNODE1(c, L) = LAYNODE.LNODE2(c, L) = 0;
  if (RUNCTL.IUSRPY == 1) return true;
  if (nl < 1 || PILENODE.XNODE(c, nn) > SOILCOM.LBOT(nl)) {
    belowDeepestLayer();
    ISTAT = STAT_NODE_BELOW;
    return false;
  }
  SOILCOM.LTOP(nl + 1) = SOILCOM.LBOT(nl);
  int j = 1;
  for (int i = 1; i <= nn; ++i)
    if (j <= nl && PILENODE.XNODE(c, i) >= SOILCOM.LTOP(j)) LAYNODE.LNODE1(c, j++) = i;
  if (j <= nl) LAYNODE.LNODE1(c, j) = nn;
  for (int L = 1; L < nl; ++L) LAYNODE.LNODE2(c, L) = LAYNODE.LNODE1(c, L + 1) - 1;
  for (int L = 1; L <= nl; ++L)
    if (SOILCOM.LBOT(L) >= PILENODE.XNODE(c, nn)) LAYNODE.LNODE2(c, L) = nn;
  LAYNODE.LNODE2(c, nl) = nn;
  return true;
}

std::string num(double x) {
  std::string s(1, ' ');
  s += exponentField(14, 6, x);
  return s;
}

}  // namespace

void CAPPILS(const double& Y1, const double& S1, const double& Y2, const double& S2, double& V1,
             double& V2, double& M3, double& M2, std::int32_t& ISTAT) {
  const int c = RUNCTL.NPILE + 1;
  const int ninc = CAPSOL.NCAPIN;
  const double h = CAPSOL.CAPTHK / ninc;
  NodeArray ydef, es, ys1, ys2, psmov, psoil, y1, y2;
  for (int i = 0; i <= ninc; ++i) {
    const double z = i * h;
    y1(i + 1) = Y1 + z * S1;
    y2(i + 1) = Y2 - z * S2;
    ydef(i + 1) = std::sqrt(y1(i + 1) * y1(i + 1) + y2(i + 1) * y2(i + 1));
  }
  CAPSOL.KCAPPY = 1;
  PYSOIL(CAPPROP, ISTAT, c, c, ydef, es, ys1, ys2, psmov, psoil);
  CAPSOL.KCAPPY = 0;
  if (ISTAT != 0) return;

  double s1 = 0, s2 = 0, t1 = 0, t2 = 0;
  io::endRecord(U_RESULTS);
  io::line(U_RESULTS, "REACTIONS CAP");
  for (int i = 0; i <= ninc; ++i) {
    const double k = es(i + 1);
    const double p1 = k * y1(i + 1), p2 = k * y2(i + 1);
    io::line(U_RESULTS, std::to_string(i + 4) + num(k) + num(h));
    io::line(U_RESULTS, "DISP  " + num(y1(i + 1)) + num(y2(i + 1)));
    io::line(U_RESULTS, "RES   " + num(p1) + num(p2));
    io::line(U_RESULTS, "FORCE " + num(s1) + num(s2));
    io::line(U_RESULTS, "MOMENT" + num(t1) + num(-t2));
    const bool end = i == 0 || i == ninc;
    const double w = end ? h / 2.0 : h;
    const double a = i == 0 ? h / 4.0 : (i == ninc ? (ninc - 0.25) * h : i * h);
    s1 += w * p1;
    s2 += w * p2;
    t1 += w * a * p1;
    t2 += w * a * p2;
  }
  io::line(U_RESULTS, "FORCE " + num(s1) + num(s2));
  io::line(U_RESULTS, "MOMENT" + num(t1) + num(-t2));
  V1 = -s1;
  V2 = -s2;
  M3 = -t1;
  M2 = t2;
}

void CAPPILR(double* F, const double* UH, std::int32_t& ISTAT) {
  const int c = RUNCTL.NPILE + 1;
  for (int i = 0; i < 6; ++i) F[i] = 0.0;
  if (CAPSOL.NCAPIN < 1 || CAPSOL.NCAPIN > MAXINC) {
    for (int u : {U_RESULTS, U_LOG}) {
      io::endRecord(u);
      text(u, "     **** FATAL ERROR ****");
      text(u, "     INCREMENTS OF THE PILE CAP AS A PILE: " + std::to_string(CAPSOL.NCAPIN) +
                  ", ALLOWED 1 TO " + std::to_string(MAXINC));
    }
    ISTAT = STAT_CAPACITY;
    return;
  }
  double TF[36], TU[36], RT[36], R[36], ul[6];
  TRANSF(c, TF, TU, RT, R);
  MATVEC6(ul, R, UH, 1);
  CAPSOL.CAPX0 = PILEAR.PHX(c);
  memberProperty(c);
  if (!memberNodes(c, ISTAT)) return;
  if (ISTAT != 0) return;
  double V1 = 0, V2 = 0, M3 = 0, M2 = 0;
  CAPPILS(ul[1], ul[5], ul[2], ul[4], V1, V2, M3, M2, ISTAT);
  if (ISTAT != 0) return;
  const double n = PILEAR.GRPNP(c);
  const double fl[6] = {0.0, n * V1, n * V2, 0.0, n * M2, n * M3};
  MATVEC6(F, RT, fl, 1);
}

void CAPPILF(const double* U, double* F, std::int32_t& ISTAT) {
  const int c = RUNCTL.NPILE + 1;
  for (int i = 0; i < 6; ++i) F[i] = 0.0;
  double TF[36], TU[36], RT[36], R[36], uh[6], fh[6];
  TRANSF(c, TF, TU, RT, R);
  MATVEC6(uh, TU, U, 1);
  CAPPILR(fh, uh, ISTAT);
  if (ISTAT != 0) return;
  double f[6];
  MATVEC6(f, TF, fh, 1);
  for (int i = 0; i < 6; ++i) F[i] += f[i];
}

void CAPPILK(const double* U, double* K, std::int32_t& ISTAT) {
  double u[6], fp[6], fm[6];
  for (int i = 0; i < 6; ++i) u[i] = U[i];
  for (int j = 0; j < 6; ++j) {
    const double h = j < 3 ? 1.0E-7 : 1.0E-13;
    u[j] = U[j] + h;
    CAPPILF(u, fp, ISTAT);
    u[j] = U[j] - h;
    CAPPILF(u, fm, ISTAT);
    u[j] = U[j];
    for (int i = 0; i < 6; ++i) K[i + 6 * j] = (fp[i] - fm[i]) / (2.0 * h);
  }
}

}  // namespace drelm
