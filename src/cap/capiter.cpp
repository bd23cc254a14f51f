#include "cap/capiter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cap/caplines.h"
#include "cap/caprec.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "numeric/linesearch.h"

namespace drelm {

using cap::text;

namespace {

// Size of a round-off relative to the largest component of a group.
constexpr double ROUNDOFF = 1.0E-12;

bool groupConverged(double inc, double tot, double mx, double TINY, double altLimit) {
  const double err = tot != 0.0 ? inc / tot : inc;
  return err <= CURCTL.TOLCAP || inc <= TINY || tot <= TINY || (CURCTL.IALTOL == 1 && mx <= altLimit);
}

}  // namespace

void setSoilMovement(double t) {
  SMOV.SMVFAC = t;
  for (int k = 1; k <= SMOV.NSMOV && k <= MAXSMV; ++k) {
    SMOV.SMVY(k) = t * SMOV.SMVYIN(k);
    SMOV.SMVZ(k) = t * SMOV.SMVZIN(k);
  }
}

void symmetrise(double* K, int N) {
  for (int i = 0; i < N; ++i)
    for (int j = i + 1; j < N; ++j) K[i + N * j] = K[j + N * i] = 0.5 * (K[i + N * j] + K[j + N * i]);
}

void limitOffDiagonal(double* K, int N) {
  for (int i = 0; i < N; ++i) {
    const double d = 0.5 * std::fabs(K[i + N * i]);
    for (int j = 0; j < N; ++j)
      if (j != i && !(std::fabs(K[i + N * j]) <= d)) K[i + N * j] = K[j + N * i] = std::copysign(d, K[i + N * j]);
  }
}

// A work file that cannot be opened ends the pass: its records would be
// missing from the reports.
void sumWithWarnings(ForceSum sum, double* F, const double* U, std::int32_t& ISTAT) {
  if (!io::openChecked(U_WARN, FNAMES.FNU(U_WARN).trimmed(), io::Access::Work)) {
    ISTAT = STAT_OPEN_FAILED;
    return;
  }
  RUNCTL.IWRNPS = 1;
  sum(F, U, ISTAT);
  io::CLOSE(U_WARN);
  RUNCTL.IWRNPS = 0;
}

void reportingSum(ForceSum sum, const double* U, std::int32_t& ISTAT) {
  double F[6];
  if (!io::openChecked(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Work)) {
    ISTAT = STAT_OPEN_FAILED;
    return;
  }
  sum(F, U, ISTAT);
  io::CLOSE(U_PILSCR);
}

void storePrintLevel() {
  ENVOPT.IPRLVS = CURCTL.IPRLEV;
  ENVOPT.NPRNDS = CURCTL.NPRNOD;
}

void dumpRows(DumpLine line, const char* NAME, const double* A, int N) {
  for (int i = 0; i < N; ++i) {
    double row[12];
    for (int j = 0; j < N; ++j) row[j] = A[i + N * j];
    line((NAME + intField(3, i + 1)).c_str(), row, N);
  }
}

void dumpCapVectors(DumpLine line, int N, const double* dU, const double* R, const double* Us, const double* U,
                    const double* P, const double* F) {
  line("DDV  ", dU, N);
  line("DFV  ", R, N);
  line("UDV  ", Us, N);
  line("DV   ", U, N);
  line("FV   ", P, N);
  line("RV   ", F, N);
}

void dumpPointVectors(DumpLine line, int N, const double* s, const double* rhs, const double* aux, double* sStep,
                      double* sPass, double SIGN) {
  double ffuv[12];
  for (int i = 0; i < 2 * N; ++i) {
    sStep[i] += s[i];
    sPass[i] += s[i];
    ffuv[i] = SIGN * (aux[i] + rhs[i]);
  }
  line("DDUV ", s, 2 * N);
  line("DFUV ", rhs, 2 * N);
  line("UDUV ", sStep, 2 * N);
  line("DUV  ", sPass, 2 * N);
  line("FFUV ", ffuv, 2 * N);
  line("RUV  ", aux, 2 * N);
}

bool capConverged(const CapNorms& m, double TINY) {
  return groupConverged(m.incD, m.totD, m.maxD, TINY, CURCTL.ALTDSP) &&
         groupConverged(m.incR, m.totR, m.maxR, TINY, CURCTL.ALTROT);
}

void logSearch() {
  text(U_LOG, "     NEWTON ITERATION WITH LINE SEARCH FROM THE START OF THE STEP");
  io::FLUSH(U_LOG);
}

void logLastAttempt(bool HELD, bool PATIENT) {
  text(U_LOG, "     LAST ATTEMPT FROM THE LAST CONVERGED STEP: PILES CLOSE ON THEIR OWN DEFLECTIONS");
  if (HELD) text(U_LOG, "     REDUCTION FACTORS HELD IN THE DIRECTION OF THE LOAD");
  if (PATIENT) text(U_LOG, "     LINE SEARCH RUNS ON WHILE IT MAKES PROGRESS, UP TO THE ITERATION LIMIT");
  io::FLUSH(U_LOG);
}

std::int32_t searchLimit(bool patient) {
  return patient ? CURCTL.MAXITC : std::min(CURCTL.MAXITC, SEARCH_ITERATIONS);
}

bool SearchProgress::stalled(double g) {
  G.push_back(g);
  const std::size_t n = G.size();
  return n > static_cast<std::size_t>(span) && !(G[n - 1] <= 0.1 * G[n - 1 - span]);
}

double searchAlong(int N, double SIGN, const double* K, const double* U, double* d, const double* R,
                   const TrialResidual& residualAt, double& G0) {
  const auto along = [&](const double* r) {
    double g = 0.0;
    for (int i = 0; i < N; ++i) g += d[i] * r[i];
    return SIGN * g;
  };
  double g0 = along(R);
  if (!(g0 > 0.0)) {
    for (int i = 0; i < N; ++i) {
      const double k = SIGN * K[i + N * i];
      d[i] = k > 0.0 ? SIGN * R[i] / k : 0.0;
    }
    g0 = along(R);
    G0 = g0;
    if (!(g0 > 0.0)) return 0.0;
  }
  G0 = g0;
  const LineResidual g = [&](double t, double& gt) {
    double Ut[6], Rt[6];
    for (int i = 0; i < N; ++i) Ut[i] = U[i] + t * d[i];
    if (!residualAt(Ut, Rt)) return false;
    gt = along(Rt);
    return true;
  };
  return lineSearch(g0, g, 8, 0.05);
}

namespace {
// Every component of the Newton step d within TOLCAP of that component of U,
// or at the round-off of its group.
bool componentsSettled(const double* d, const double* U, int N) {
  // The round-off of each group: a component that is nil by symmetry stays
  // at round-off, and no relative test passes there.
  const auto rotation = [&](int i) { return N == 3 ? i == 2 : i >= 3; };
  double size[2] = {0.0, 0.0};
  for (int i = 0; i < N; ++i) size[rotation(i)] = std::fmax(size[rotation(i)], std::fabs(U[i]));
  for (int i = 0; i < N; ++i) {
    const double limit = std::fmax(CURCTL.TOLCAP * std::fabs(U[i]), ROUNDOFF * size[rotation(i)]);
    if (!(std::fabs(d[i]) <= limit)) return false;
  }
  return true;
}
}  // namespace

bool searchConverged(const CapNorms& m, const double* d, const double* U, int N, double TINY) {
  return capConverged(m, TINY) && componentsSettled(d, U, N);
}

double groupRadius(int N) {
  const bool plane = N == 3;
  double r = 0.0;
  for (int p = 1; p <= RUNCTL.NPILE && p <= MAXPIL; ++p) {
    const int prop = PILEAR.PROPOFPILE(p);
    const double d = prop >= 1 && prop <= MAXPRPS ? SECTAB.SDIAT(prop, 1) : 0.0;
    const double x = plane ? PILEAR.PHXREF(p) : PILEAR.PHX(p);
    const double y = plane ? PILEAR.PHYREF(p) : PILEAR.PHY(p);
    const double z = plane ? 0.0 : PILEAR.PHZ(p);
    r = std::fmax(r, std::sqrt(x * x + y * y + z * z) + 0.5 * std::fabs(d));
  }
  return r;
}

double imbalance(const double* R, const double* P, int N) {
  const int nf = N == 3 ? 2 : 3;
  double F = 0.0, M = 0.0, dF = 0.0, dM = 0.0;
  for (int i = 0; i < N; ++i) {
    if (!std::isfinite(R[i])) return INFINITY;
    if (i < nf) {
      F = std::fmax(F, std::fabs(P[i]));
      dF = std::fmax(dF, std::fabs(R[i]));
    } else {
      M = std::fmax(M, std::fabs(P[i]));
      dM = std::fmax(dM, std::fabs(R[i]));
    }
  }
  if (F == 0.0 && M == 0.0) return 0.0;
  const double r = groupRadius(N);
  const double forceScale = r > 0.0 ? std::fmax(F, M / r) : F;
  const double momentScale = std::fmax(M, forceScale * r);
  const double f = forceScale > 0.0 ? dF / forceScale : (dF > 0.0 ? INFINITY : 0.0);
  const double m = momentScale > 0.0 ? dM / momentScale : (dM > 0.0 ? INFINITY : 0.0);
  return std::fmax(f, m);
}

bool balances(const double* R, const double* P, int N) { return imbalance(R, P, N) <= BALANCE_TOL; }

void failStep(LoadStep& ls, std::int32_t ENDING) {
  // Where the cap alone did not converge, the halving ends with one step to
  // the full load: a pile solution closes on an absolute tolerance, so the
  // piles' forces are rougher the smaller the load, and a small load that
  // no fraction of it converges at may converge whole.
  const bool capOnly = !outcomeFailed(RUNCTL.KPILST);
  if (ls.fail(capOnly) && ENDING != KPIL_SINGULAR) warnNoConvergence(CURCTL.MAXITC);
}

void StepWarnings::save() {
  bearing = RUNCTL.NWBRG;
  pullout = RUNCTL.NWPULL;
  torsion = RUNCTL.NWTORS;
  lines.clear();
  // Only warned piles write the file.
  if (bearing <= 0 && pullout <= 0 && torsion <= 0) return;
  if (!io::openChecked(U_WARN, FNAMES.FNU(U_WARN).trimmed(), io::Access::ReadBack)) return;
  std::string line;
  while (io::readLine(U_WARN, line)) lines.push_back(line);
  io::CLOSE(U_WARN);
}

void StepWarnings::restore() const {
  RUNCTL.NWBRG = bearing;
  RUNCTL.NWPULL = pullout;
  RUNCTL.NWTORS = torsion;
  if (!io::openChecked(U_WARN, FNAMES.FNU(U_WARN).trimmed(), io::Access::Work)) return;
  for (const std::string& l : lines) text(U_WARN, l);
  io::CLOSE(U_WARN);
}

bool reportsAcceptedStep(const LoadStep& ls) {
  // A pass of the target-deflection search that failed still fails its
  // point: a part of its load is no estimate.
  return ls.stoppedEarly() && !(outcomeFailed(RUNCTL.KPILST) && SESTIM.SEMODE == 1);
}

bool passFailed(const LoadStep& ls, void (*failureRecords)()) {
  // A failure is never hidden by the warnings: the outcome word keeps the
  // highest-ranking code of the last evaluation.
  const std::int32_t outcome = RUNCTL.KPILST;
  // Whatever stopped the stepping, the accepted steps stand: the pass reports
  // the last of them and says why it went no further.
  if (reportsAcceptedStep(ls)) {
    warnSteppingStopped(ls.Tp, outcome);
    return false;
  }
  const bool firstFailed = ls.firstStepFailed();
  if (outcome != KPIL_LATERAL && outcome != KPIL_AXIAL && outcome != KPIL_SINGULAR && !firstFailed) return false;
  if (outcome == KPIL_LATERAL || outcome == KPIL_AXIAL) {
    statusNoPileConvergence();
    if (firstFailed) failureRecords();
  } else if (outcome == KPIL_SINGULAR) {
    statusSingular();
    if (firstFailed) failureRecords();
  } else {
    failureRecords();
    statusNoCapConvergence();
  }
  if (SESTIM.SEMODE == 1) SESTIM.SESTAT = -1;
  return true;
}

bool targetDeflectionMet(const double* U, int N) {
  SESTIM_T& S = SESTIM;
  S.SEDCMP = S.SEIDOF >= 1 && S.SEIDOF <= N ? U[S.SEIDOF - 1] : 0.0;
  const double e = S.SEDTGT != 0.0 ? std::fabs((S.SEDCMP - S.SEDTGT) / S.SEDTGT) : 0.0;
  const std::string values = " COMPUTED DEF.: " + fixedField(11, 4, S.SEDCMP) + " TARGET DEF.: " +
                             fixedField(11, 4, S.SEDTGT) + " ERROR(%): " + fixedField(11, 4, 100.0 * e);
  if (S.SESTAT == 1) {
    io::endRecord(U_LOG);
    text(U_LOG, "     STIFFNESS ESTIMATION,  MAX. ITER. REACHED, " + values);
  } else if (S.SESTAT == 2) {
    io::endRecord(U_LOG);
    text(U_LOG, "     STIFFNESS ESTIMATION, " + values);
    if (e > S.SETOL / 100.0) {
      statusTargetOff();
      return false;
    }
    S.SESTAT = 0;
  } else if (S.SESTAT == 3) {
    S.SESTAT = 0;
  }
  return true;
}

bool targetDeflectionPass(ForceSum SUM, void (*WRITER)(), const double* K, const double* U, int N,
                          std::int32_t& ISTAT) {
  if (SESTIM.SESTAT <= 0) return false;
  if (!targetDeflectionMet(U, N)) return true;
  writeEquivalentStiffness(K, N);
  RUNCTL.IOUTPS = 2;
  reportingSum(SUM, U, ISTAT);
  if (ISTAT == 0) {
    storePrintLevel();
    WRITER();
  }
  RUNCTL.IOUTPS = 0;
  if (ISTAT == 0) statusCompleted();
  return true;
}

void writeEquivalentStiffness(const double* K, int N) {
  text(U_PASS, "     * EQV. STIFFNESS MATRIX AT ORIGIN *");
  for (int i = 0; i < N; ++i) {
    WRBLNK(U_PASS, 5);
    for (int j = 0; j < N; ++j) WRREAL(U_PASS, 19, 5, K[i + N * j]);
    WREOL(U_PASS);
  }
}

}  // namespace drelm
