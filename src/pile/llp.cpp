// Lateral solution of one space pile in its two lateral directions. Both
// directions share the secant soil moduli, taken from the resultant of the
// two deflections; the iteration repeats the two solutions until no node
// moves by more than the pile tolerance.
#include "pile/llp.h"
#include "pile/llpwarn.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "pile/beamfd.h"
#include "pile/llpres.h"
#include "pile/nodesvc.h"
#include "model/fileio.h"
#include "model/model.h"
#include "soil/lookup.h"
#include "soil/pysoil.h"
#include "soil/soilmove.h"

namespace drelm {

namespace {

// The imaginary slots above the head and below the tip take the rigidity of
// the end nodes, also after a moment-curvature update of the nodes: the end
// conditions and the tip row assume a uniform rigidity across the end.
void mirrorEnds(int n, NodeArray& R) {
  for (int i = 1; i <= 3; ++i) R(i) = R(4);
  for (int i = n + 1; i <= MAXNOD; ++i) R(i) = R(n);
}

// Bending stiffness of both directions from the moment-curvature sets.
void updateEI(const std::int32_t& IPILE, const double& PX, int n, NodeArray (&R)[2],
              const NodeArray (&y)[2]) {
  EINOD1(IPILE, PX, R[0], y[0]);
  EINOD2(IPILE, PX, R[1], y[1]);
  mirrorEnds(n, R[0]);
  mirrorEnds(n, R[1]);
}

// No node of either direction moved by more than REL times the largest
// deflection of the pile.
bool closedRelative(int n, const NodeArray (&y)[2], const NodeArray (&yold)[2], double REL) {
  double largest = 0.0, change = 0.0;
  for (int d = 0; d < 2; ++d) foldChange(4, n, y[d], yold[d], largest, change);
  return change <= REL * largest;
}

}  // namespace

double HEADSHR(int n, double h, const NodeArray& K, const NodeArray& Y, const NodeArray& F) {
  // The soil reaction less the load, integrated over the pile by the
  // trapezoidal rule: the load takes the same end weights as the reaction,
  // or a load at the head or tip would count half an increment too much.
  double sum = 0.0;
  for (int i = 4; i <= n; ++i) {
    const double w = (i == 4 || i == n) ? 0.5 : 1.0;
    sum += w * (K(i) * Y(i) - F(i));
  }
  return h * sum;
}

void LLP(const std::int32_t& IPILE, const double& YT1, const double& ST1, const double& YT2,
         const double& ST2, const double& PX, const double& TX, double& VT1, double& VT2,
         double& MT1, double& MT2, std::int32_t& ISTAT, const double* ULOC, const double* RT,
         const NodeArray& AXMOV, const NodeArray& AXLOAD, LLPRES* RES) {
  const int p = IPILE;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const int ninc = PILEPROP.NINC(t);
  std::atomic_ref<std::int32_t> status(ISTAT);
  // The node set-up has rejected such a property already; never overrun.
  if (ninc < 1 || ninc > MAXINC) {
    status.store(STAT_CAPACITY, std::memory_order_relaxed);
    return;
  }
  const int nn = ninc + 1;
  const int n = nn + 3;  // tip slot
  const double h = PILEPROP.DXINC(t);
  const bool byDepth = PYBYDEP(IPILE);
  const bool smov = SMOV.NSMOV > 0;
  const bool mcurv = RUNCTL.ICTL09 > 0;
  const std::int32_t ieiprv = CURCTL.IEIPRV;
  const double tol = CURCTL.TOLPIL;
  const std::int32_t maxit = SOILCOM.MAXITL;

  // Solver arrays (node k in slot k + 3), direction d in index d - 1.
  NodeArray y[2], yold[2], R[2], Q[2], F[2], QD[2], A[2], B[2], C[2], YSS[2];
  NodeArray EK, PSMS, PSS;
  // Plain node arrays of the p-y evaluation (node k in slot k).
  NodeArray YD, ES, YS1, YS2, PSM, PS;
  // What the springs need besides the deflection, for the iterations below.
  PySprings& springs = PySprings::local();
  springs.startSolution(t, IPILE);

  // Soil movement at the nodes, once per solution.
  if (smov) {
    SMVPLOC(IPILE);
    CLRNODP(IPILE, PS);
    CLRNOD1(IPILE, YS1);
    CLRNOD2(IPILE, YS2);
    SMVNOD1(IPILE, YS1);
    SMVNOD2(IPILE, YS2);
    for (int k = 1; k <= nn; ++k) {
      YSS[0](k + 3) = YS1(k);
      YSS[1](k + 3) = YS2(k);
      PSS(k + 3) = PS(k);
    }
  }

  // Distributed loads.
  if (DLNODE.NDLNOD(p) > 0) {
    NodeArray q;
    DLQNOD1(IPILE, IPILE, q);
    for (int k = 1; k <= nn; ++k) QD[0](k + 3) = q(k);
    DLQNOD2(IPILE, IPILE, q);
    for (int k = 1; k <= nn; ++k) QD[1](k + 3) = q(k);
    F[0] = QD[0];
    F[1] = QD[1];
  }

  // The springs act on the length of the deflection vector relative to the
  // soil movement vector, which the p-y evaluation takes with no movement
  // arrays of its own (NONE).
  const NodeArray NONE{};
  const auto relative = [&](int i) {
    return smov ? std::hypot(y[0](i) - YSS[0](i), y[1](i) - YSS[1](i))
                : std::sqrt(y[0](i) * y[0](i) + y[1](i) * y[1](i));
  };

  // Initial soil moduli: the p-y curves by depth at zero deflection, or
  // k_s times the depth below the ground surface.
  if (byDepth) {
    NodeArray yr;
    for (int i = 4; i <= n; ++i) yr(i) = relative(i);
    PYTABES(IPILE, yr, EK, NONE, NONE, PSMS, PSS);
  } else {
    groundModuli(p, nn, EK);
  }

  // Axial force of the bending equations.
  for (int d = 0; d < 2; ++d) Q[d].fill(PX);
  if (CURCTL.IAXVAR == 1 && PILEAR.ILSCRV(p) < 1) {
    for (int d = 0; d < 2; ++d) {
      for (int k = 1; k <= nn; ++k) Q[d](k + 3) = AXLOAD(k + 3);
      Q[d](3) = AXLOAD(4);
    }
  }

  // Flexural rigidity; the imaginary slots take the end values.
  for (int k = 1; k <= nn; ++k) {
    const double x = PILENODE.XPILE(p, k);
    R[0](k + 3) = SECEIZ(IPILE, t, x);
    R[1](k + 3) = SECEIY(IPILE, t, x);
  }
  for (int d = 0; d < 2; ++d) mirrorEnds(n, R[d]);
  if (mcurv) updateEI(IPILE, PX, n, R, y);
  // The beam-column terms of the rigidity and the axial force, set up again
  // only when the rigidity follows the curvature.
  BeamRows rows[2];
  const auto setRows = [&] {
    for (int d = 0; d < 2; ++d) BEAMROWS(n, h, R[d], Q[d], rows[d]);
  };
  setRows();

  BEAMHD(PCONN.CONNECTY(p), R[0](4), PILEAR.HSPR1(p), h, YT1, ST1, A[0], B[0], C[0]);
  BEAMHD(PCONN.CONNECTZ(p), R[1](4), PILEAR.HSPR2(p), h, YT2, ST2, A[1], B[1], C[1]);

  int it = 1;
  for (;;) {
    if (ieiprv == 1 && mcurv) {
      updateEI(IPILE, PX, n, R, y);
      setRows();
    }
    bool eliminated[2];
    BEAMFW2(n, h, rows, EK, F, A, B, C, eliminated);
    for (int d = 0; d < 2; ++d) {
      yold[d] = y[d];
      // No unique solution: fail as a solution that does not close, so that
      // the cap solution retries with a smaller step.
      if (!eliminated[d] || !BEAMBK(n, h, Q[d](n), R[d](n), A[d], B[d], C[d], y[d])) {
        llpSingular(IPILE);
        raiseOutcome(KPIL_LATERAL);
        return;
      }
    }
    if (ieiprv == 0 && mcurv) {
      updateEI(IPILE, PX, n, R, y);
      setRows();
    }

    bool closed = it > 1;
    for (int i = 4; closed && i <= n; ++i)
      closed = std::fabs(y[0](i) - yold[0](i)) < tol && std::fabs(y[1](i) - yold[1](i)) < tol;
    // Deflections not far above the tolerance close after a change of their
    // own size: the head force then jumps where the count of iterations
    // changes. Asked for, the change must also be small beside them.
    if (closed && CURCTL.LLPREL > 0.0) closed = closedRelative(n, y, yold, CURCTL.LLPREL);
    if (closed) break;
    if (++it > maxit) {
      llpNoClosure(maxit, IPILE);
      raiseOutcome(KPIL_LATERAL);
      return;
    }

    // Soil springs for the resultant relative deflection.
    if (byDepth) {
      NodeArray yr;
      for (int i = 4; i <= n; ++i) yr(i) = relative(i);
      PYTABES(IPILE, yr, EK, NONE, NONE, PSMS, PSS);
      if (smov)
        for (int i = 4; i <= n; ++i)
          for (int d = 0; d < 2; ++d) F[d](i) = EK(i) * YSS[d](i) + QD[d](i);
      continue;
    }
    for (int k = 1; k <= nn; ++k) YD(k) = relative(k + 3);
    PYSOIL(t, ISTAT, IPILE, IPILE, YD, ES, NONE, NONE, PSM, PS, &springs);
    if (status.load(std::memory_order_relaxed) != 0) return;
    for (int k = 1; k <= nn; ++k) {
      const int i = k + 3;
      EK(i) = ES(k);
      if (smov) {
        F[0](i) = ES(k) * YS1(k) + QD[0](i);
        F[1](i) = ES(k) * YS2(k) + QD[1](i);
      }
    }
  }

  const double h2 = h * h;
  VT1 = HEADSHR(n, h, EK, y[0], F[0]);
  VT2 = HEADSHR(n, h, EK, y[1], F[1]);
  MT1 = -R[0](4) * (y[0](3) - 2.0 * y[0](4) + y[0](5)) / h2;
  MT2 = -R[1](4) * (y[1](3) - 2.0 * y[1](4) + y[1](5)) / h2;
  const bool reporting = RUNCTL.IOUTPS == 1 || RUNCTL.IOUTPS == 2;
  if (!RES && !reporting) return;

  // Values along the pile; a reporting pass keeps them in the stores.
  LLPRES local;
  LLPRES& out = RES ? *RES : local;
  out.NN = nn;
  out.ITER = it;
  for (int d = 0; d < 2; ++d) {
    out.Y[d] = y[d];
    out.R[d] = R[d];
    out.Q[d] = Q[d];
    out.QD[d] = QD[d];
    out.YS[d] = YSS[d];
  }
  out.ESOIL = EK;
  if (byDepth) {
    out.PSOIL = PSS;
  } else {
    out.PSOIL = NodeArray{};
    for (int k = 1; k <= nn; ++k) out.PSOIL(k + 3) = PS(k);
  }
  out.AXMOV = AXMOV;
  out.AXLOAD = AXLOAD;
  LLPFORC(h, out);
  LLPSECT(IPILE, out);
  if (reporting) LLPSTORE(IPILE, PX, TX, VT1, VT2, MT1, MT2, ULOC, RT, out);
}

}  // namespace drelm
