#include "cap/capeq2d.h"

#include <algorithm>
#include <cmath>

#include "model/casecur.h"
#include "results/envewr2d.h"
#include "pile/envpil.h"
#include "cap/capiter.h"
#include "cap/caplines.h"
#include "cap/caprec.h"
#include "cap/pod.h"
#include "cap/caprec2d.h"
#include "cap/passfile.h"
#include "cap/pilehk.h"
#include "cap/cappas.h"
#include "cap/captabl.h"
#include "cap/fvec2d.h"
#include "numeric/loadstep.h"
#include "numeric/matrix.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

using cap::text;

namespace {

// The constants of the solution are single-precision values.
constexpr double F1E10 = static_cast<double>(1.0E-10f);
constexpr double F1E14 = static_cast<double>(1.0E-14f);

// Row i of the map from the cap origin to the point (x, y).
void pointRow(int i, const double* XPOD, double* c) {
  const double x = XPOD[0], y = XPOD[1];
  c[0] = i == 0 ? 1.0 : 0.0;
  c[1] = i == 1 ? 1.0 : 0.0;
  c[2] = i == 0 ? -y : (i == 1 ? x : 1.0);
}

// Inverse of a 3 x 3 matrix (by columns) by cofactors; false when the
// determinant is too small.
bool invert3(const double* K, double* Ki) {
  const auto k = [&](int i, int j) { return K[i + 3 * j]; };
  double c[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      c[i + 3 * j] = k(i1, j1) * k(i2, j2) - k(i1, j2) * k(i2, j1);
    }
  const double det = k(0, 0) * c[0] + k(0, 1) * c[3] + k(0, 2) * c[6];
  if (!(std::fabs(det) > F1E14)) return false;
  // The inverse is the transposed cofactor matrix over the determinant.
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) Ki[i + 3 * j] = c[j + 3 * i] / det;
  return true;
}

void matvec3(double* y, const double* A, const double* x) {
  for (int i = 0; i < 3; ++i) y[i] = A[i] * x[0] + A[i + 3] * x[1] + A[i + 6] * x[2];
}

// Passive resistance at the cap displacement u after a force sum at u: the
// pile rows left the ground level and the resistance at the cap base, read
// on the cap's soil curve at the horizontal movement that moving(u) put in
// place before the sum.
struct Passive {
  double H = 0, M = 0, POS = 0;
  static double moving(const double* u) { return passiveMovement(std::fabs(u[1])); }
  void at(const double* u) {
    const double r = moving(u);
    const int n = RUNCTL.NPILE < MAXPIL ? RUNCTL.NPILE : MAXPIL;
    double g, q;
    passiveMeans(r, n, g, q);
    passive2D(u[1], g, CAPCTL.CAPTX, q, n > 0 ? PILEAR.PHXREF(n) : 0.0, H, M, POS);
  }
};

// Coded records of a point of the cap stiffness estimation. The ratios give
// way to the raw values when the full load of the point's degree of freedom
// is about 0, or when the divisor itself is 0.
// A point of a stiffness (IPRDOF 1: forces over the displacement) or of a
// flexibility estimation (2: displacements over the load).
void unitPointRecords(const double* PCAP, const double* F, const double* U, const double* P) {
  const CASECUR_T& C = CASECUR;
  const int d = C.IPOINT >= 1 && C.IPOINT <= 3 ? C.IPOINT - 1 : 0;
  const bool raw = std::fabs(PCAP[d]) < F1E14;
  if (C.IPRDOF == 1)
    pointRecords(U[d], raw, F, 3, false);
  else
    pointRecords(P[d], raw, U, 3, true);
}

void failureRecords() {
  if (CASECUR.IPRDOF == 1 || CASECUR.IPRDOF == 2) failedPointRecords(3, CASECUR.IPRDOF == 2);
}

}  // namespace

void CAPNRM2D(const double* u, double& a, double& b) {
  a = std::sqrt(u[0] * u[0] + u[1] * u[1]);
  b = std::fabs(u[2]);
}

void CAPMAX2D(const double* u, double& a, double& b) {
  a = std::fmax(std::fabs(u[0]), std::fabs(u[1]));
  b = std::fabs(u[2]);
}

void PODSYS2D(double* A, const double* K, const double* XPOD, const std::int32_t* KPOD) {
  podSystem<3>(A, K, KPOD, [&](int i, double* c) { pointRow(i, XPOD, c); });
}

void PODRHS2D(double* rhs, double* aux, const double* R, const double* F, const double* UPOD, const double* U,
              const double* XPOD, const std::int32_t* KPOD) {
  for (int i = 0; i < 3; ++i) {
    rhs[i] = R[i];
    aux[i] = F[i];
    if (KPOD[i] != 0) {
      rhs[3 + i] = aux[3 + i] = 0.0;
      continue;
    }
    double c[3];
    pointRow(i, XPOD, c);
    aux[3 + i] = UPOD[i];
    rhs[3 + i] = UPOD[i] - (c[0] * U[0] + c[1] * U[1] + c[2] * U[2]);
  }
}

void TOPOINT2D(const double* U, double* P, const double* XPOD, double* UP, double* PP, const double* PPODT,
               const std::int32_t* KPOD, std::int32_t& flag) {
  const double x = XPOD[0], y = XPOD[1];
  if (x == 0.0 && y == 0.0) {
    flag = 0;
    return;
  }
  UP[0] = U[0] - y * U[2];
  UP[1] = U[1] + x * U[2];
  UP[2] = U[2];
  flag = 1;
  const double P1 = P[0], P2 = P[1], P3 = P[2];
  givenLoads(P, PP, PPODT, KPOD, 2);
  PP[2] = KPOD[2] == 1 ? PPODT[2] : P3 - x * P2 + y * P1;
}

void passive2D(double UH, double G, double TX, double Q, double C, double& H, double& M, double& POS) {
  H = M = 0.0;
  POS = C;
  // The limit of the plane solution is a single-precision value.
  const PressureBlock b = passiveBlock(G, TX, Q, C, -static_cast<double>(1.0E-6f));
  if (!b.embedded) return;
  const double e = b.E, f = b.F;
  const double s = UH >= 0.0 ? 1.0 : -1.0;
  H = s * b.H;
  M = s * b.M;
  if (b.H > 0.0) POS = C - 0.5 * e * (f * e + (Q - f) * e / 3.0) / b.H;
}

void CAPEQ2D(const std::int32_t& ISCOMB, std::int32_t& KPYOUT, std::int32_t& ISTAT, double* FLDOUT,
             double* UCPOUT, const double* PCAP, const double* PPOD, const double* UPOD, const double* XPOD,
             const std::int32_t* KPOD) {
  RUNTTL.ENDWRD = "END ";
  KPYOUT = CURCTL.KPYLST;
  CURCTL.KPYLST = 0;
  RUNCTL.IOUTPS = 0;
  RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
  RUNCTL.IWRNPS = 0;
  RUNCTL.KPILST = KPIL_SOUND;
  logGlobalHeading();

  const bool pod = ISCOMB == 0 && CASECUR.ICASE >= 1 && CASECUR.ICASE <= MAXLC &&
                   CASEIN.LCKIND(CASECUR.ICASE) > 0;
  const bool embedded = CAPCTL.ICAPOP == 1;
  const double hd = RUNCTL.IUNITS == 2 ? static_cast<double>(2.54E-7f) : static_cast<double>(1.0E-5f);
  const double h[3] = {hd, hd, static_cast<double>(1.0E-8f)};

  double U[3] = {}, Uc[3] = {}, Us[3] = {}, du[3] = {}, P[3] = {}, F[3] = {}, R[3] = {};
  double K[9] = {}, Ke[9] = {}, Ki[9], Kp[9] = {};
  double A[36], rhs[6] = {}, aux[6] = {}, s[6] = {}, sStep[6] = {}, sPass[6] = {}, PPODT[3] = {};
  Passive pas;
  std::int32_t b = 0;
  // The records take the passive resistance of that step too.
  AcceptedStep<3> acc{};
  BestState<3> best;
  Passive accPas{};
  LoadStep ls;
  if (!ls.start(CURCTL.DTCUR0, CURCTL.DTCMIN)) setSoilMovement(1.0);

  // Where even the step to the full load failed, the pass makes a last
  // attempt from its last accepted step. Under small loads the deflections
  // are near the pile tolerance and far below the curves' first points: a
  // lateral solution closes after one or two iterations by chance, so the
  // piles close on a change small beside their deflection; and the rows'
  // forces kink wherever a node's deflection changes sign on a curve that
  // starts with an infinite slope, where the line search converges only
  // linearly, so the fallback runs on while it makes progress.
  bool last = false, acceptedLast = false;
  std::int32_t gaveUp = KPIL_SOUND;  // the outcome of the give-up
  StepWarnings gaveUpWarnings;       // and its capacity warnings
  struct ClosureGuard {
    ~ClosureGuard() { CURCTL.LLPREL = 0.0; }
  } closureGuard;

  // Tangent K at U by central differences; the same sums give the tangent
  // Kp of the passive resistance.
  const auto tangent = [&](const double* Uat, const double* h) {
    for (int j = 0; j < 3; ++j) {
      double Fpm[2][3], Ppm[2][2] = {};
      for (int k = 0; k < 2; ++k) {
        double Ut[3] = {Uat[0], Uat[1], Uat[2]};
        Ut[j] += k == 0 ? h[j] : -h[j];
        if (embedded) Passive::moving(Ut);
        FVEC2D(Fpm[k], Ut, ISTAT);
        if (embedded) {
          Passive q;
          q.at(Ut);
          Ppm[k][0] = q.H;
          Ppm[k][1] = q.M;
        }
      }
      // Fp = (0, -H, M)
      Kp[0 + 3 * j] = 0.0;
      Kp[1 + 3 * j] = -(Ppm[0][0] - Ppm[1][0]) / (2.0 * h[j]);
      Kp[2 + 3 * j] = (Ppm[0][1] - Ppm[1][1]) / (2.0 * h[j]);
      for (int i = 0; i < 3; ++i) K[i + 3 * j] = (Fpm[0][i] - Fpm[1][i]) / (2.0 * h[j]) - Kp[i + 3 * j];
    }
  };

  // The residual R = P - F at the cap displacement Ut of the current step:
  // false when a row failed or the sum set ISTAT. With WARNINGS, the force
  // sum of a state accepted: its capacity warnings and passive resistance
  // are kept.
  const auto residual = [&](const double* Ut, double* Ft, double* Rt, bool warnings) {
    if (embedded) Passive::moving(Ut);
    if (warnings) sumWithWarnings(FVEC2D, Ft, Ut, ISTAT);
    else FVEC2D(Ft, Ut, ISTAT);
    if (ISTAT != 0 || outcomeFailed(RUNCTL.KPILST)) return false;
    for (int i = 0; i < 3; ++i) P[i] = ls.TCUR * PCAP[i];
    setSoilMovement(ls.TCUR);
    if (embedded) {
      Passive q;
      q.at(Ut);
      Ft[1] += q.H;
      Ft[2] -= q.M;
      if (warnings) pas = q;
    }
    for (int i = 0; i < 3; ++i) Rt[i] = P[i] - Ft[i];
    return true;
  };

  // The state Ut about to be accepted balances the step's load. A row that
  // fails there leaves no outcome: the step is judged on the cap. The
  // passive movement of the last iteration stays for the report.
  const auto balancedAt = [&](const double* Ut) {
    const std::int32_t outcome = RUNCTL.KPILST;
    const double movement = CAPCTL.CAPUHM;
    double Ft[3], Rt[3];
    if (embedded) Passive::moving(Ut);
    FVEC2D(Ft, Ut, ISTAT);
    const bool ok = ISTAT == 0 && !outcomeFailed(RUNCTL.KPILST);
    if (ok && embedded) {
      Passive q;
      q.at(Ut);
      Ft[1] += q.H;
      Ft[2] -= q.M;
    }
    RUNCTL.KPILST = outcome;
    CAPCTL.CAPUHM = movement;
    for (int i = 0; i < 3; ++i) Rt[i] = P[i] - Ft[i];
    return ok && balances(Rt, P, 3);
  };

  // Newton with a line search from U, the start of the step, until the full
  // Newton step is within the tolerances, for at most searchLimit(last)
  // iterations and while it makes progress. It stays apart from its
  // space/plane twin for the reason the step loops do (tangent, resets, dump
  // order, norms); the search along a step and its tests are shared.
  const auto searchStep = [&]() {
    for (int i = 0; i < 3; ++i) Us[i] = 0.0;
    logSearch();
    SearchProgress progress;
    if (last) progress.span = PATIENT_SPAN;
    for (int n = 0;; ++n) {
      RUNCTL.NWBRG = RUNCTL.NWPULL = 0;
      RUNCTL.KPILST = KPIL_SOUND;
      PRGREC(ProgressForm::Iteration, ISCOMB, ls.n, ls.TCUR, b + 1, planeProgressPoint());
      if (runEnds(ISTAT)) return SearchOutcome::Ended;
      const bool ok = residual(U, F, R, false);
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (!ok) return SearchOutcome::Failed;
      ++b;
      dumpIteration(b);
      // Differences over a fraction of the displacement itself where it is
      // much smaller than the usual step.
      double hs[3];
      for (int j = 0; j < 3; ++j) hs[j] = scaledStep(h[j], U[j]);
      tangent(U, hs);
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (outcomeFailed(RUNCTL.KPILST)) return SearchOutcome::Failed;
      for (int i = 0; i < 9; ++i) Ke[i] = K[i];
      best.offer(U, Us, R, P, Ke);
      dumpRows(dumpLine2D, "SS", K, 3);
      // A singular tangent leaves the diagonal step to the line search.
      double d[3] = {};
      if (invert3(K, Ki)) {
        matvec3(d, Ki, R);
        CapNorms m;
        CAPNRM2D(d, m.incD, m.incR);
        CAPNRM2D(Us, m.totD, m.totR);
        CAPMAX2D(d, m.maxD, m.maxR);
        const double Un[3] = {U[0] + d[0], U[1] + d[1], U[2] + d[2]};
        const bool settled = n > 0 && searchConverged(m, d, U, 3, F1E10);
        const bool accept = settled && balancedAt(Un);
        best.settled = best.settled || settled;
        if (accept) {
          // The force sum of the accepted state gives its warnings; the
          // last step as plain Newton takes it.
          RUNCTL.NWBRG = RUNCTL.NWPULL = 0;
          RUNCTL.KPILST = KPIL_SOUND;
          const bool sound = residual(U, F, R, true);
          if (ISTAT != 0) return SearchOutcome::Ended;
          if (!sound) return SearchOutcome::Failed;
          for (int i = 0; i < 3; ++i) {
            U[i] += d[i];
            Us[i] += d[i];
          }
          dumpCapVectors(dumpLine2D, 3, d, R, Us, U, P, F);
          return SearchOutcome::Converged;
        }
      }
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (n >= searchLimit(last)) return SearchOutcome::Failed;
      double g0 = 0.0;
      const double t = searchAlong(3, 1.0, K, U, d, R, [&](const double* Ut, double* Rt) {
        double Ft[3];
        const bool done = residual(Ut, Ft, Rt, false);
        RUNCTL.KPILST = KPIL_SOUND;
        return done;
      }, g0);
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (!(t > 0.0) || progress.stalled(g0)) return SearchOutcome::Failed;
      for (int i = 0; i < 3; ++i) {
        du[i] = t * d[i];
        U[i] += du[i];
        Us[i] += du[i];
      }
      dumpCapVectors(dumpLine2D, 3, du, R, Us, U, P, F);
      const double du6[6] = {du[0], du[1], 0.0, 0.0, 0.0, du[2]};
      const double Us6[6] = {Us[0], Us[1], 0.0, 0.0, 0.0, Us[2]};
      logIteration(b, du6, Us6, CURCTL.IALTOL);
    }
  };

  // The step loop stays apart from the space one: tangent, passive
  // resistance, resets, dump order and accepted displacement differ at
  // nearly every line; the pieces they share are functions of capiter.
  while (ls.more()) {
    ls.begin();
    // The movement of the step is in place before its first sum.
    setSoilMovement(ls.TCUR);
    logStep(ls.n, ls.TCUR, ls.DTCUR);
    for (int i = 0; i < 3; ++i) Us[i] = 0.0;
    for (int i = 0; i < 6; ++i) sStep[i] = 0.0;
    CURCTL.KPYOUT = 0;
    b = 0;
    bool failed = false, exhausted = false;
    best.start();
    for (;;) {
      ++b;
      RUNCTL.NWBRG = RUNCTL.NWPULL = 0;
      RUNCTL.KPILST = KPIL_SOUND;
      PRGREC(ProgressForm::Iteration, ISCOMB, ls.n, ls.TCUR, b, planeProgressPoint());
      if (runEnds(ISTAT)) return;
      if (embedded) Passive::moving(U);
      sumWithWarnings(FVEC2D, F, U, ISTAT);
      if (ISTAT != 0) return;
      // A row that did not close laterally or converge axially fails the step.
      if (outcomeFailed(RUNCTL.KPILST)) {
        failed = true;
        break;
      }
      for (int i = 0; i < 3; ++i) P[i] = ls.TCUR * PCAP[i];
      if (pod)
        for (int i = 0; i < 3; ++i) PPODT[i] = ls.TCUR * PPOD[i];
      setSoilMovement(ls.TCUR);
      if (embedded) {
        pas.at(U);
        F[1] += pas.H;
        F[2] -= pas.M;
      }
      for (int i = 0; i < 3; ++i) R[i] = P[i] - F[i];
      dumpIteration(b);

      tangent(U, h);
      if (ISTAT != 0) return;
      if (outcomeFailed(RUNCTL.KPILST)) {
        failed = true;
        break;
      }
      for (int i = 0; i < 9; ++i) Ke[i] = K[i];
      if (!pod) best.offer(U, Us, R, P, Ke);
      dumpRows(dumpLine2D, "SS", K, 3);
      if (b == 1) symmetrise(K, 3);

      bool singular;
      if (pod) {
        const auto system = [&](double* a, const double* k) { PODSYS2D(a, k, XPOD, KPOD); };
        const auto rightSide = [&](double* r, double* x) { PODRHS2D(r, x, R, F, UPOD, U, XPOD, KPOD); };
        singular = !podIncrement<3>(b, K, dumpLine2D, system, rightSide, A, rhs, aux, s, du);
      } else {
        // Kept apart from the space solve: inverting by cofactors rather than
        // by Gauss-Jordan elimination changes last digits of plane reports.
        singular = !invert3(K, Ki);
        if (!singular) matvec3(du, Ki, R);
      }
      if (singular) {
        // The last attempt, marked in the runtime log only, warns there.
        warnSingular(1, !last);
        failed = exhausted = true;
        break;
      }

      for (int i = 0; i < 3; ++i) {
        U[i] += du[i];
        Us[i] += du[i];
      }
      if (!pod) dumpCapVectors(dumpLine2D, 3, du, R, Us, U, P, F);
      else dumpPointVectors(dumpLine2D, 3, s, rhs, aux, sStep, sPass, 1.0);

      // Not the space norms on the six-component form: sqrt(r * r) is not |r|
      // where r * r underflows, and that may decide the convergence.
      CapNorms m;
      CAPNRM2D(du, m.incD, m.incR);
      CAPNRM2D(Us, m.totD, m.totR);
      CAPMAX2D(du, m.maxD, m.maxR);
      // The log lines take six components: the rotation goes last.
      const double du6[6] = {du[0], du[1], 0.0, 0.0, 0.0, du[2]};
      const double Us6[6] = {Us[0], Us[1], 0.0, 0.0, 0.0, Us[2]};
      logIteration(b, du6, Us6, CURCTL.IALTOL);
      // A state that settled is accepted only where it balances the load;
      // one that ran off past the rows' capacity goes to the fallback.
      if (b > 1 && capConverged(m, F1E10)) {
        if (pod || balancedAt(U)) break;
        if (ISTAT != 0) return;
        best.settled = true;
        failed = exhausted = true;
        break;
      }
      if (b > CURCTL.MAXITC) {
        failed = exhausted = true;
        break;
      }
    }

    // Plain Newton ran out of iterations, met a singular tangent or settled
    // on a state not in balance: before the step is halved, Newton with a
    // line search from the start of the step.
    if (failed && exhausted && !pod) {
      for (int i = 0; i < 3; ++i) U[i] = Uc[i];
      const std::int32_t outcome = RUNCTL.KPILST, nbrg = RUNCTL.NWBRG, npull = RUNCTL.NWPULL;
      const SearchOutcome o = searchStep();
      if (o == SearchOutcome::Ended) return;
      failed = o == SearchOutcome::Failed;
      // A fallback that fails leaves the outcome of plain Newton.
      if (failed) {
        RUNCTL.KPILST = outcome;
        RUNCTL.NWBRG = nbrg;
        RUNCTL.NWPULL = npull;
      }
      // Both swung across a jump of the rows' forces: a state they passed
      // that balances the load is the step's, with its warnings.
      if (failed && best.balanced()) {
        for (int i = 0; i < 3; ++i) {
          Us[i] = best.Us[i];
          U[i] = Uc[i] + Us[i];
        }
        std::copy(best.K, best.K + 9, Ke);
        RUNCTL.KPILST = KPIL_SOUND;
        RUNCTL.NWBRG = RUNCTL.NWPULL = 0;
        failed = !residual(U, F, R, true);
        if (ISTAT != 0) return;
        if (failed) {
          RUNCTL.KPILST = outcome;
          RUNCTL.NWBRG = nbrg;
          RUNCTL.NWPULL = npull;
        }
      }
    }

    if (failed) {
      for (int i = 0; i < 3; ++i) U[i] = Uc[i];
      if (!last && !pod && ls.wholeTried) {
        last = true;
        gaveUp = RUNCTL.KPILST;
        gaveUpWarnings.save();
        CURCTL.LLPREL = LAST_CLOSURE;
        logLastAttempt(false, true);
        ls.resume(CURCTL.DTCUR0);
      } else {
        failStep(ls, last && !acceptedLast ? gaveUp : RUNCTL.KPILST);
      }
    } else {
      // Kept apart from the space acceptance: the plane cap adds the step's
      // total to the accepted displacement, a sum the space cap never forms.
      for (int i = 0; i < 3; ++i) Uc[i] += Us[i];
      for (int i = 0; i < 3; ++i) U[i] = Uc[i];
      acc.save(F, Ke, aux, b);
      accPas = pas;
      acceptedLast = last;
      ls.accept();
    }
  }

  // A last attempt that took no step leaves the outcome of the give-up; the
  // reporting evaluations close as the accepted state was found.
  if (last && !acceptedLast) {
    RUNCTL.KPILST = gaveUp;
    gaveUpWarnings.restore();
  }
  if (!acceptedLast) CURCTL.LLPREL = 0.0;

  // Warnings of the last force sum with warnings, or of the last accepted
  // step when the pass reports that step; a failure stays.
  if (reportsAcceptedStep(ls)) acc.warnings.restore();
  capacityWarnings2D();
  if (RUNCTL.KPILST == KPIL_WARNED && SESTIM.SEMODE == 1) SESTIM.SESTAT = -1;

  if (passFailed(ls, failureRecords)) return;
  if (ls.stoppedEarly()) {
    // U is that of the last accepted step; so is everything recorded with it.
    acc.restore(F, Ke, aux, b);
    pas = accPas;
    for (int i = 0; i < 3; ++i) P[i] = ls.Tp * PCAP[i];
    setSoilMovement(ls.Tp);
  }
  if (CASECUR.IPRDOF == 1 || CASECUR.IPRDOF == 2) {
    // A unit load is recorded at the fraction of the last accepted step,
    // whose displacement the records carry.
    if (CASECUR.IPRDOF == 2)
      for (int i = 0; i < 3; ++i) P[i] = ls.Tp * PCAP[i];
    unitPointRecords(PCAP, F, U, P);
    statusCompleted();
    return;
  }

  if (SESTIM.SEMODE == 1) {
    for (int i = 0; i < 3; ++i) {
      UCPOUT[i] = U[i];
      FLDOUT[i] = P[i];
    }
    if (targetDeflectionPass(FVEC2D, EQKWR2D, Ke, U, 3, ISTAT)) return;
  }

  // Ordinary report.
  const double Tp = ls.Tp;
  if (CAPCTL.IRFOPT > 0) capReductionFactors();
  for (int i = 0; i < 3; ++i) P[i] = Tp * PCAP[i];
  setSoilMovement(Tp);
  PointResult2D pt;
  if (pod) {
    for (int i = 0; i < 3; ++i) PPODT[i] = Tp * PPOD[i];
    // The load at the origin is the force the rows carry.
    for (int i = 0; i < 3; ++i) P[i] = aux[i];
    std::int32_t flag = 0;
    TOPOINT2D(U, P, XPOD, pt.UP, pt.PP, PPODT, KPOD, flag);
    PODMARK(KPOD, pt.ROW1, pt.ROW2, 3);
    pt.shown = flag == 1;
    pt.XPOD[0] = XPOD[0];
    pt.XPOD[1] = XPOD[1];
  }
  capTableL2D(P, U, b, pt);
  CENV2D({P[0], P[1], P[2]}, {U[0], U[1], U[2]});
  // Not the space test Tp < 1 - EPSLIM: the two differ at Tp = fl(1 - EPSLIM).
  if (Tp - 1.0 < -RUNCONST.EPSLIM) {
    partialLoadWarning(Tp);
    statusPartial(Tp);
  } else {
    statusCompleted();
  }
  RUNCTL.IOUTPS = 1;
  if (embedded) passiveReport2D(pas.H, pas.POS);
  if (CURCTL.IPRLEV > 0) tableMHeading(false);
  reportingSum(FVEC2D, U, ISTAT);
  if (ISTAT != 0) return;
  storePrintLevel();
  ENVEWR2D(0, 0);
  if (CASECUR.IPRDOF == 0) ENVPIL.ENVFST += 1;
}

}  // namespace drelm
