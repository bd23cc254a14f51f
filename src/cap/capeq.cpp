#include "cap/capeq.h"

#include <algorithm>
#include <cmath>

#include "results/envewr.h"
#include "pile/envpil.h"
#include "cap/passfile.h"
#include "cap/capiter.h"
#include "cap/capsum.h"
#include "cap/cappas.h"
#include "cap/cappil.h"
#include "cap/caprec.h"
#include "cap/captabl.h"
#include "numeric/loadstep.h"
#include "cap/pod.h"
#include "numeric/matrix.h"
#include "model/model.h"
#include "soil/grprf.h"

namespace drelm {

namespace {

// Multipliers for closely spaced piles in the direction of the cap movement
// (or the load, or the given direction).
void reductionFactors(const double* U, const double* P0) {
  const std::int32_t opt = CAPCTL.IRFOPT;
  const int n = RUNCTL.NPILE;
  if (opt == 1) {
    GRPRFY(U[1] < 0.0 ? -1.0 : 1.0);
    GRPRFZ(U[2] < 0.0 ? -1.0 : 1.0);
    for (int p = 1; p <= n; ++p) {
      GRPFAC.GRPPFY(p) = GRPFAC.GRPPF(p);
      GRPFAC.GRPYFY(p) = GRPFAC.GRPYF(p);
    }
  }
  double cy, cz;
  if (opt == 3 || opt == 4) {
    cy = std::fabs(CAPCTL.RFDIRY);
    cz = std::fabs(CAPCTL.RFDIRZ);
    if (cy == 0.0 && cz == 0.0) cy = cz = 1.0;
  } else {
    cy = std::fabs(U[1]);
    cz = std::fabs(U[2]);
    if (cy == 0.0 && cz == 0.0) {
      cy = std::fabs(P0[1]);
      cz = std::fabs(P0[2]);
    }
    if (cy == 0.0 && cz == 0.0) cy = 1.0;
  }
  const double c = std::sqrt(cy * cy + cz * cz);
  cy /= c;
  cz /= c;
  for (int p = 1; p <= n; ++p) {
    GRPFAC.GRPPF(p) = std::sqrt(std::pow(GRPFAC.GRPPFY(p) * cy, 2) + std::pow(GRPFAC.GRPPFZ(p) * cz, 2));
    GRPFAC.GRPYF(p) = std::sqrt(std::pow(GRPFAC.GRPYFY(p) * cy, 2) + std::pow(GRPFAC.GRPYFZ(p) * cz, 2));
  }
}

// Factors for a cap moving along the lateral load at the origin (along +Y
// without one), whatever the cap's own translation.
void loadDirectionFactors(const double* P0) {
  const double along[6] = {0.0, P0[1], P0[2], 0.0, 0.0, 0.0};
  reductionFactors(along, P0);
}

// Records of a unit-load point whose first step never converged.
void unitLoadFailure() {
  if (CASECUR.IPRDOF == 2) failedPointRecords(6, true);
}

// PCAP: the load of the reported fraction; P0: the full load, whose size
// decides between the ratios and the raw displacements.
void unitLoadResult(const double* PCAP, const double* P0, const double* U) {
  const int d = CASECUR.IPOINT;
  const double pd = d >= 1 && d <= 6 ? PCAP[d - 1] : 0.0;
  const double full = d >= 1 && d <= 6 ? P0[d - 1] : 0.0;
  pointRecords(pd, std::fabs(full) < 1.0E-14, U, 6, true);
  statusCompleted();
}

// Final per-pile evaluation of the reported state for the result tables.
void finalEvaluation(const double* U, std::int32_t& ISTAT) {
  reportingSum(FVEC, U, ISTAT);
  storePrintLevel();
}

}  // namespace

void startCapPass() {
  RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
  RUNCTL.IWRNPS = 0;
  CAPSOL.KCAPPY = 0;
}

void CAPEQ(const std::int32_t& ISCOMB, std::int32_t& ISTAT, double* FLDOUT, double* UCPOUT,
           double* PCAP, const double* PPOD, double* UPOD, const double* XPOD,
           const std::int32_t* KPOD) {
  startCapPass();

  const bool pod = ISCOMB == 0 && CASECUR.ICASE >= 1 && CASECUR.ICASE <= MAXLC &&
                   CASEIN.LCKIND(CASECUR.ICASE) > 0;
  double P0[6], UPOD0[6], PPODT[6] = {};
  for (int i = 0; i < 6; ++i) {
    P0[i] = PCAP[i];
    UPOD0[i] = UPOD[i];
  }
  RUNCTL.KPILST = KPIL_SOUND;
  CURCTL.KPYOUT = 0;
  logGlobalHeading();

  const bool capResistance = CAPCTL.ICAPOP >= 1;
  const bool capAsPile = capResistance && CAPSOL.ICAPSP == 1;
  double U[6] = {}, Ua[6] = {}, Us[6] = {}, dU[6] = {}, F[6] = {}, R[6] = {};
  double K[36] = {}, Kraw[36] = {}, Kinv[36], Fp[6] = {}, Kp[36];
  double A[144], rhs[12] = {}, aux[12] = {}, s[12] = {}, sStep[12] = {}, sPass[12] = {};
  std::int32_t b = 0;
  AcceptedStep<6> acc{};
  BestState<6> best;
  LoadStep ls;
  if (!ls.start(CURCTL.DTCUR0, CURCTL.DTCMIN)) setSoilMovement(1.0);

  // Where the stepping would give up, the pass makes a last attempt from
  // its last accepted step, on a force of the piles that is a continuous
  // function of the cap displacement (a torque on a symmetric group breaks
  // it in two ways; a state that balances is there to be found):
  // - factors of closely spaced piles that follow the cap's translation
  //   flip with it where that translation is nil by symmetry and only the
  //   factors' own asymmetry moves the cap; they are held at those of a cap
  //   moving along the load;
  // - a lateral pile solution whose deflections are near its tolerance
  //   closes after one or two iterations by chance; it closes on a change
  //   small beside its deflection.
  const bool followsCap = CAPCTL.IRFOPT == 1 || CAPCTL.IRFOPT == 2;
  bool last = false, held = false, acceptedHeld = false, acceptedLast = false;
  std::int32_t gaveUp = KPIL_SOUND;  // the outcome of the give-up
  StepWarnings gaveUpWarnings;       // and its capacity warnings
  const auto factorsAt = [&](const double* Ut) {
    if (CAPCTL.IRFOPT > 0 && !held) reductionFactors(Ut, P0);
  };
  struct ClosureGuard {
    ~ClosureGuard() { CURCTL.LLPREL = 0.0; }
  } closureGuard;

  // The cap's own resistance Fpt at Ut added to the piles' force Ft: false
  // when it failed or set ISTAT.
  const auto addCapResistance = [&](const double* Ut, double* Ft, double* Fpt) {
    if (!capResistance) return true;
    if (capAsPile) CAPPILF(Ut, Fpt, ISTAT);
    else CAPPAS(Fpt, Ut, ISTAT);
    CAPSOL.KCAPPY = 0;
    if (ISTAT != 0 || outcomeFailed(RUNCTL.KPILST)) return false;
    for (int i = 0; i < 6; ++i) Ft[i] += Fpt[i];
    return true;
  };

  // The residual R = -(P + F) at the cap displacement Ut of the current
  // step, F the piles' force with the cap's own resistance Fpt: false when a
  // pile failed or a sum set ISTAT. With WARNINGS, the force sum of a state
  // accepted, with its capacity warnings.
  const auto residual = [&](const double* Ut, double* Ft, double* Rt, double* Fpt, bool warnings) {
    factorsAt(Ut);
    if (warnings) sumWithWarnings(FVEC, Ft, Ut, ISTAT);
    else FVEC(Ft, Ut, ISTAT);
    if (ISTAT != 0 || outcomeFailed(RUNCTL.KPILST)) return false;
    for (int i = 0; i < 6; ++i) PCAP[i] = ls.TCUR * P0[i];
    setSoilMovement(ls.TCUR);
    if (!addCapResistance(Ut, Ft, Fpt)) return false;
    for (int i = 0; i < 6; ++i) Rt[i] = -(PCAP[i] + Ft[i]);
    return true;
  };

  // The state Ut about to be accepted balances the step's load, with the
  // group factors of the last iteration, which the report keeps too. A pile
  // that fails there leaves no outcome: the step is judged on the cap.
  const auto balancedAt = [&](const double* Ut) {
    const std::int32_t outcome = RUNCTL.KPILST;
    const double movement = CAPCTL.CAPUHM;
    double Ft[6], Fpt[6], Rt[6];
    FVEC(Ft, Ut, ISTAT);
    const bool ok = ISTAT == 0 && !outcomeFailed(RUNCTL.KPILST) && addCapResistance(Ut, Ft, Fpt);
    RUNCTL.KPILST = outcome;
    CAPCTL.CAPUHM = movement;
    for (int i = 0; i < 6; ++i) Rt[i] = -(PCAP[i] + Ft[i]);
    return ok && balances(Rt, PCAP, 6);
  };

  // Newton with a line search from U, the start of the step, until the full
  // Newton step is within the tolerances, for at most searchLimit()
  // iterations and while it makes progress. It stays apart from its
  // space/plane twin for the reason the step loops do (tangent, resets, dump
  // order, norms); the search along a step and its tests are shared.
  const auto searchStep = [&]() {
    for (int i = 0; i < 6; ++i) Us[i] = 0.0;
    logSearch();
    SearchProgress progress;
    for (int n = 0;; ++n) {
      RUNCTL.KPILST = KPIL_SOUND;
      RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
      PRGREC(ProgressForm::Iteration, ISCOMB, ls.n, ls.TCUR, b + 1);
      if (runEnds(ISTAT)) return SearchOutcome::Ended;
      const bool ok = residual(U, F, R, Fp, false);
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (!ok) return SearchOutcome::Failed;
      ++b;
      // Differences over a fraction of the displacement where it is much
      // smaller than the usual step.
      STIFF(K, U, ISTAT, true);
      if (capResistance) {
        if (capAsPile) CAPPILK(U, Kp, ISTAT);
        else CAPPASK(Kp, U, ISTAT);
        for (int i = 0; i < 36; ++i) K[i] += Kp[i];
      }
      CAPSOL.KCAPPY = 0;
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (outcomeFailed(RUNCTL.KPILST)) return SearchOutcome::Failed;
      dumpIteration(b);
      dumpRows(dumpVector, "SS", K, 6);
      for (int i = 0; i < 36; ++i) Kraw[i] = Kinv[i] = K[i];
      best.offer(U, Us, R, PCAP, Kraw);
      // A singular tangent leaves the diagonal step to the line search.
      double d[6] = {};
      std::int32_t singular = 0;
      MATINV(Kinv, 6, 6, singular);
      if (singular == 0) {
        MATVEC6(d, Kinv, R, 1);
        CapNorms m;
        CAPNRM(d, m.incD, m.incR);
        CAPNRM(Us, m.totD, m.totR);
        CAPMAX(d, m.maxD, m.maxR);
        double Un[6];
        for (int i = 0; i < 6; ++i) Un[i] = U[i] + d[i];
        const bool settled = n > 0 && searchConverged(m, d, U, 6, b > 40 ? 1.0E-8 : 1.0E-12);
        const bool accept = settled && balancedAt(Un);
        best.settled = best.settled || settled;
        if (accept) {
          // The force sum of the accepted state gives its warnings; the
          // last step as plain Newton takes it.
          RUNCTL.KPILST = KPIL_SOUND;
          RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
          const bool sound = residual(U, F, R, Fp, true);
          if (ISTAT != 0) return SearchOutcome::Ended;
          if (!sound) return SearchOutcome::Failed;
          for (int i = 0; i < 6; ++i) {
            U[i] += d[i];
            Us[i] += d[i];
          }
          dumpCapVectors(dumpVector, 6, d, R, Us, U, PCAP, F);
          return SearchOutcome::Converged;
        }
      }
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (n >= searchLimit()) return SearchOutcome::Failed;
      double g0 = 0.0;
      const double t = searchAlong(6, -1.0, Kraw, U, d, R, [&](const double* Ut, double* Rt) {
        double Ft[6], Fpt[6];
        const bool done = residual(Ut, Ft, Rt, Fpt, false);
        RUNCTL.KPILST = KPIL_SOUND;
        return done;
      }, g0);
      if (ISTAT != 0) return SearchOutcome::Ended;
      if (!(t > 0.0) || progress.stalled(g0)) return SearchOutcome::Failed;
      for (int i = 0; i < 6; ++i) {
        dU[i] = t * d[i];
        U[i] += dU[i];
        Us[i] += dU[i];
      }
      dumpCapVectors(dumpVector, 6, dU, R, Us, U, PCAP, F);
      logIteration(b, dU, Us, CURCTL.IALTOL);
    }
  };

  while (ls.more()) {
    ls.begin();
    setSoilMovement(ls.TCUR);
    logStep(ls.n, ls.TCUR, ls.DTCUR);
    for (int i = 0; i < 6; ++i) Us[i] = 0.0;
    for (int i = 0; i < 12; ++i) sStep[i] = 0.0;
    b = 0;
    bool failed = false, exhausted = false;
    best.start();
    for (;;) {
      ++b;
      RUNCTL.KPILST = KPIL_SOUND;
      RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
      PRGREC(ProgressForm::Iteration, ISCOMB, ls.n, ls.TCUR, b);
      if (runEnds(ISTAT)) return;
      factorsAt(U);

      // Pile forces, with the capacity warnings of this evaluation.
      sumWithWarnings(FVEC, F, U, ISTAT);
      if (ISTAT != 0) return;
      // A pile that did not close laterally or converge axially fails the step.
      if (outcomeFailed(RUNCTL.KPILST)) {
        failed = true;
        break;
      }

      for (int i = 0; i < 6; ++i) PCAP[i] = ls.TCUR * P0[i];
      if (pod)
        for (int i = 0; i < 6; ++i) {
          UPOD[i] = ls.TCUR * UPOD0[i];
          PPODT[i] = ls.TCUR * PPOD[i];
        }
      setSoilMovement(ls.TCUR);

      STIFF(K, U, ISTAT);
      if (capResistance) {
        if (capAsPile) {
          CAPPILF(U, Fp, ISTAT);
          CAPPILK(U, Kp, ISTAT);
        } else {
          CAPPAS(Fp, U, ISTAT);
          CAPPASK(Kp, U, ISTAT);
        }
        for (int i = 0; i < 6; ++i) F[i] += Fp[i];
        for (int i = 0; i < 36; ++i) K[i] += Kp[i];
      }
      CAPSOL.KCAPPY = 0;
      if (ISTAT != 0) return;
      if (outcomeFailed(RUNCTL.KPILST)) {
        failed = true;
        break;
      }
      for (int i = 0; i < 6; ++i) R[i] = -(PCAP[i] + F[i]);

      dumpIteration(b);
      dumpRows(dumpVector, "SS", K, 6);
      for (int i = 0; i < 36; ++i) Kraw[i] = K[i];
      if (!pod) best.offer(U, Us, R, PCAP, Kraw);
      if (b == 1) symmetrise(K, 6);
      std::int32_t singular = 0;
      if (!pod) {
        for (int i = 0; i < 36; ++i) Kinv[i] = K[i];
        MATINV(Kinv, 6, 6, singular);
        if (singular == 0) MATVEC6(dU, Kinv, R, 1);
      } else {
        const auto system = [&](double* a, const double* k) { PODSYS(a, k, XPOD, KPOD); };
        const auto rightSide = [&](double* r, double* x) { PODRHS(r, x, R, F, UPOD, U, XPOD, KPOD); };
        singular = podIncrement<6>(b, K, dumpVector, system, rightSide, A, rhs, aux, s, dU) ? 0 : 1;
      }
      if (singular != 0) {
        // The last attempt, marked in the runtime log only, warns there.
        warnSingular(2, !last);
        failed = exhausted = true;
        break;
      }

      for (int i = 0; i < 6; ++i) {
        U[i] += dU[i];
        Us[i] += dU[i];
      }
      if (!pod) dumpCapVectors(dumpVector, 6, dU, R, Us, U, PCAP, F);
      else dumpPointVectors(dumpVector, 6, s, rhs, aux, sStep, sPass, -1.0);
      logIteration(b, dU, Us, CURCTL.IALTOL);

      if (b > 1) {
        CapNorms m;
        CAPNRM(dU, m.incD, m.incR);
        CAPNRM(Us, m.totD, m.totR);
        CAPMAX(dU, m.maxD, m.maxR);
        // After 40 iterations a larger increment or total counts as nil. A
        // state that settled is accepted only where it balances the load:
        // Newton swinging across the solution of a small load, or running
        // off past the piles' capacity, passes the increment tests with a
        // wrong state, which the fallback below mends or the halving takes.
        if (capConverged(m, 1.0E-12) || (b > 40 && capConverged(m, 1.0E-8))) {
          if (pod || balancedAt(U)) break;
          if (ISTAT != 0) return;
          best.settled = true;
          failed = exhausted = true;
          break;
        }
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
      for (int i = 0; i < 6; ++i) U[i] = Ua[i];
      const std::int32_t outcome = RUNCTL.KPILST, nbrg = RUNCTL.NWBRG, npull = RUNCTL.NWPULL,
                         ntors = RUNCTL.NWTORS;
      const SearchOutcome o = searchStep();
      if (o == SearchOutcome::Ended) return;
      failed = o == SearchOutcome::Failed;
      // A fallback that fails leaves the outcome of plain Newton.
      if (failed) {
        RUNCTL.KPILST = outcome;
        RUNCTL.NWBRG = nbrg;
        RUNCTL.NWPULL = npull;
        RUNCTL.NWTORS = ntors;
      }
      // Both swung across a jump of the piles' forces: a state they passed
      // that balances the load is the step's, with its warnings.
      if (failed && best.balanced()) {
        std::copy(best.U, best.U + 6, U);
        std::copy(best.Us, best.Us + 6, Us);
        std::copy(best.K, best.K + 36, Kraw);
        RUNCTL.KPILST = KPIL_SOUND;
        RUNCTL.NWBRG = RUNCTL.NWPULL = RUNCTL.NWTORS = 0;
        failed = !residual(U, F, R, Fp, true);
        if (ISTAT != 0) return;
        if (failed) {
          RUNCTL.KPILST = outcome;
          RUNCTL.NWBRG = nbrg;
          RUNCTL.NWPULL = npull;
          RUNCTL.NWTORS = ntors;
        }
      }
    }

    if (failed) {
      for (int i = 0; i < 6; ++i) U[i] = Ua[i];
      if (!last && ls.lastHalving()) {
        last = true;
        gaveUp = RUNCTL.KPILST;
        gaveUpWarnings.save();
        if (followsCap) {
          held = true;
          loadDirectionFactors(P0);
        }
        CURCTL.LLPREL = LAST_CLOSURE;
        logLastAttempt(held);
        ls.resume(CURCTL.DTCUR0);
      } else {
        failStep(ls, last && !acceptedLast ? gaveUp : RUNCTL.KPILST);
      }
    } else {
      for (int i = 0; i < 6; ++i) Ua[i] = U[i];
      acceptedHeld = held;
      acceptedLast = last;
      acc.save(Fp, Kraw, aux, b);
      ls.accept();
    }
    PRGREC(ProgressForm::Step, ISCOMB, ls.n, ls.Tp, b);
  }

  PRGREC(ProgressForm::End, ISCOMB, ls.n, ls.Tp, b);
  // A last attempt that took no step leaves the outcome of the give-up; the
  // reporting evaluations close as the accepted state was found.
  if (last && !acceptedLast) {
    RUNCTL.KPILST = gaveUp;
    gaveUpWarnings.restore();
  }
  if (!acceptedLast) CURCTL.LLPREL = 0.0;
  // A pass that reports its last accepted step warns of that step's piles.
  if (reportsAcceptedStep(ls)) acc.warnings.restore();
  const bool warned = RUNCTL.NWBRG > 0 || RUNCTL.NWPULL > 0 || RUNCTL.NWTORS > 0;
  capacityWarnings();
  if (warned && SESTIM.SEMODE == 1) SESTIM.SESTAT = -1;

  if (passFailed(ls, unitLoadFailure)) {
    RUNCTL.IOUTPS = 0;
    return;
  }

  // The pass has a result at the fraction Tp.
  const double Tp = ls.Tp;
  if (ls.stoppedEarly()) {
    // U is that of the last accepted step; so is everything reported with it.
    acc.restore(Fp, Kraw, aux, b);
    for (int i = 0; i < 6; ++i) PCAP[i] = Tp * P0[i];
    // The factors that state was found with.
    if (acceptedHeld) loadDirectionFactors(P0);
    else if (CAPCTL.IRFOPT > 0) reductionFactors(U, P0);
    setSoilMovement(Tp);
  }
  if (CASECUR.IPRDOF == 2) {
    // The records pair the displacement of the last accepted step with the
    // load that step carries, not with the load of a later step that failed.
    for (int i = 0; i < 6; ++i) PCAP[i] = Tp * P0[i];
    unitLoadResult(PCAP, P0, U);
    RUNCTL.IOUTPS = 0;
    return;
  }
  if (SESTIM.SEMODE == 1) {
    for (int i = 0; i < 6; ++i) {
      FLDOUT[i] = PCAP[i];
      UCPOUT[i] = U[i];
    }
    if (targetDeflectionPass(FVEC, EQSTIFWR, Kraw, U, 6, ISTAT)) return;
  }

  // Ordinary report.
  if (CAPCTL.IRFOPT > 0) capReductionFactors();
  setSoilMovement(Tp);
  for (int i = 0; i < 6; ++i) PCAP[i] = Tp * P0[i];
  PointResult pt;
  if (pod) {
    for (int i = 0; i < 6; ++i) {
      UPOD[i] = Tp * UPOD0[i];
      PPODT[i] = Tp * PPOD[i];
    }
    // The load at the origin is the reaction the piles carry.
    VNEG6(aux, PCAP);
    std::int32_t flag = 0;
    TOPOINT(U, PCAP, XPOD, pt.UP, pt.PP, PPODT, KPOD, flag);
    PODMARK(KPOD, pt.ROW1, pt.ROW2, 6);
    pt.shown = flag == 1;
    pt.XPOD = XPOD;
  }
  capTableL(PCAP, U, b, pt);
  CAPENV(PCAP, U);
  if (Tp < 1.0 - RUNCONST.EPSLIM) {
    partialLoadWarning(Tp);
    statusPartial(Tp);
  } else {
    statusCompleted();
  }
  RUNCTL.IOUTPS = 1;
  if (capResistance && !capAsPile) passiveReport(Fp);
  if (CURCTL.IPRLEV > 0) tableMHeading(true);
  finalEvaluation(U, ISTAT);
  ENVEWR(0, 0);
  ENVPIL.ENVFST += 1;
  RUNTTL.ENDWRD = "END ";
  RUNCTL.IOUTPS = 0;
}

}  // namespace drelm
