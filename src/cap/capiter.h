// Pieces of the load-step iteration that the space and the plane cap
// solutions share; N is the number of cap degrees of freedom (6 or 3).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>
#include <functional>

#include "numeric/loadstep.h"

namespace drelm {

// The current soil movement is the input movement times the load fraction;
// the node routines apply it as it stands.
void setSoilMovement(double t);

// The N x N tangent K (by columns) made symmetric by averaging.
void symmetrise(double* K, int N);
// Off-diagonal terms limited row by row to half the diagonal, so that the
// bordered system of a point of definition stays well conditioned.
void limitOffDiagonal(double* K, int N);

// A force sum over the piles (or rows): F for the cap displacement U.
using ForceSum = void (*)(double* F, const double* U, std::int32_t& ISTAT);
// The force sum of an iteration, with the warning scratch file open and the
// capacity warnings of this evaluation switched on.
void sumWithWarnings(ForceSum sum, double* F, const double* U, std::int32_t& ISTAT);
// The force sum of a reporting pass, with the per-pile scratch file open for
// the result tables (the forces themselves are not kept).
void reportingSum(ForceSum sum, const double* U, std::int32_t& ISTAT);
// The print level and node step of the current results for the tables.
void storePrintLevel();

// One vector line of the iteration dump: a five-character tag and n values.
using DumpLine = void (*)(const char* tag, const double* v, int n);
// The rows of the N x N matrix A (by columns, N at most 12) on the dump,
// each under NAME and its number in I3 ("SS  1", "SE 12").
void dumpRows(DumpLine line, const char* NAME, const double* A, int N);
// The vectors of an iteration on the dump: the increment dU, the residual R,
// the step total Us, the displacement U, the applied load P and the force F.
void dumpCapVectors(DumpLine line, int N, const double* dU, const double* R, const double* Us, const double* U,
                    const double* P, const double* F);
// The 2N-vectors of the bordered system of a point of definition: the
// solution s (added to its step and pass totals sStep and sPass), the
// right-hand side, the full force SIGN * (aux + rhs) and the auxiliary vector.
void dumpPointVectors(DumpLine line, int N, const double* s, const double* rhs, const double* aux, double* sStep,
                      double* sPass, double SIGN);

// Norms of an iteration: increments, totals of the step and largest
// increment component, for the translations (D) and the rotations (R).
struct CapNorms {
  double incD = 0, incR = 0, totD = 0, totR = 0, maxD = 0, maxR = 0;
};
// True when both the translations and the rotations have converged: the
// relative increment within TOLCAP, the increment or the total at most
// TINY, or (alternative tolerance) the largest increment within the
// absolute limits.
bool capConverged(const CapNorms& m, double TINY);

// The capacity warnings of a step: the counters of the piles warned in
// bearing, pull-out and torsion, and the lines of the warning scratch file,
// as the last force sum of the step left them.
struct StepWarnings {
  std::int32_t bearing = 0, pullout = 0, torsion = 0;
  std::vector<std::string> lines;
  // From the counters and the file; a file that cannot be read back keeps
  // the lines it gave (the failed open is remembered for the run's status).
  void save();
  // Back into the counters and the file, for the report of the step.
  void restore() const;
};
// Newton with a line search, the fallback of a step whose plain Newton
// iteration ran out of iterations: converged, failed (the step is halved),
// or ended (ISTAT set: the run stops).
enum class SearchOutcome { Converged, Failed, Ended };
// The log line that opens the fallback of a step.
void logSearch();
// The log line of the last attempt of a pass; HELD: the factors of closely
// spaced piles are held at those of a cap moving along the load;
// PATIENT: its fallback runs on while it makes progress.
void logLastAttempt(bool HELD, bool PATIENT = false);
// Closure of the lateral pile solutions in the last attempt of a pass,
// relative to their largest deflection.
constexpr double LAST_CLOSURE = 1.0E-6;
// Iterations of the fallback: MAXITC, at most SEARCH_ITERATIONS. Where it
// converges it takes a handful; where the load has no equilibrium (a pile
// plunging past its capacity) it would only wander. PATIENT: MAXITC.
constexpr std::int32_t SEARCH_ITERATIONS = 30;
std::int32_t searchLimit(bool patient = false);
// The residual at a trial cap displacement Ut into Rt: false when it cannot
// be evaluated (a pile failed).
using TrialResidual = std::function<bool(const double* Ut, double* Rt)>;
// The fraction t of the step d (N components) from U, the tangent K (N x N
// by columns, SIGN = +1 when R = P - F and K = dF/dU, -1 when R = -(P + F))
// and the residual R at U, at which the residual along d has about vanished;
// G0 the residual along d at U (SIGN d . R, the work the step expects). A d
// that does not lead downhill (an indefinite K) is replaced by the diagonal
// step R_i / K_ii. 0 when no trial could be evaluated.
double searchAlong(int N, double SIGN, const double* K, const double* U, double* d, const double* R,
                   const TrialResidual& residualAt, double& G0);
// The fallback gives up when the work its Newton step expects has not fallen
// tenfold over SEARCH_SPAN iterations: it converges fast where it converges.
constexpr int SEARCH_SPAN = 5;
// The patient fallback of a last attempt gives up only when the work has not
// fallen tenfold over PATIENT_SPAN iterations: under loads so small that the
// piles deflect far less than their tolerance, the forces of piles in soft
// clay kink wherever a node's deflection changes sign, and the search
// converges there, but slowly.
constexpr int PATIENT_SPAN = 20;
struct SearchProgress {
  int span = SEARCH_SPAN;
  std::vector<double> G;
  // Records the work G of the next iteration; true when it has stalled.
  bool stalled(double G);
};
// Convergence of the fallback at a state U (N components: 6 space, 3 plane)
// whose full Newton step is d, m the norms of d against the step total:
// capConverged, and every component of d within TOLCAP of that component of
// U (or at the round-off of its group), so that a component near zero is
// judged on its own, not against the larger ones.
bool searchConverged(const CapNorms& m, const double* d, const double* U, int N, double TINY);
// A state is accepted only where it balances the load of its step: the
// out-of-balance R (N components: 6 space, 3 plane; the forces first, then
// the moments) against the step's load P, the forces against the largest
// force of P (or its largest moment over the group's radius, for moments
// alone), the moments against the largest moment of P or that force scale
// times the group's radius, each within BALANCE_TOL. A nil load (a soil
// movement alone) has nothing to be judged against: the increments decide.
constexpr double BALANCE_TOL = 1.0E-6;
bool balances(const double* R, const double* P, int N);
// The larger of the two ratios above (infinite for a residual that is not
// a number, 0 for a nil load).
double imbalance(const double* R, const double* P, int N);
// The radius of the circle about the cap origin that holds every pile head
// (half a head diameter for one pile at the origin).
double groupRadius(int N);

// The state of a step's iterations (plain Newton and its fallback) that
// balanced the load best: U, the step total Us and the tangent K there. A
// pile solution closes on an absolute tolerance, so where the deflections
// are of its size (small loads) the piles' forces jump where a solution
// closes at another iteration: Newton swings across the jump with
// increments that vanish, at states out of balance. A state it passed on
// the way that balances the load is the step's.
template <int N>
struct BestState {
  double measure = 0;  // imbalance of the state; 0 before any
  bool valid = false;
  bool settled = false;  // the increments vanished at a state out of balance
  double U[N], Us[N], K[N * N];
  void start() { valid = settled = false; }
  void offer(const double* u, const double* us, const double* R, const double* P, const double* k) {
    bool loaded = false;
    for (int i = 0; i < N; ++i) loaded = loaded || P[i] != 0.0;
    const double m = imbalance(R, P, N);
    // A nil load is judged by the increments alone.
    if (!loaded || (valid && !(m < measure))) return;
    valid = true;
    measure = m;
    std::copy(u, u + N, U);
    std::copy(us, us + N, Us);
    std::copy(k, k + N * N, K);
  }
  // Only where the iterations settled out of balance (not where they ran
  // out or met a singular tangent), and the state balances.
  bool balanced() const { return settled && valid && measure <= BALANCE_TOL; }
};

// What the report takes from the last iteration of a step, as it stood when
// the last step was accepted, so that a later step that failed leaves it
// alone: the pile-head force sum F, the stiffness K (N x N), the auxiliary
// vector, the iteration count and the capacity warnings.
template <int N>
struct AcceptedStep {
  double F[N], K[N * N], aux[2 * N];
  std::int32_t b;
  StepWarnings warnings;
  void save(const double* f, const double* k, const double* a, std::int32_t it) {
    std::copy(f, f + N, F);
    std::copy(k, k + N * N, K);
    std::copy(a, a + 2 * N, aux);
    b = it;
    warnings.save();
  }
  void restore(double* f, double* k, double* a, std::int32_t& it) const {
    std::copy(F, F + N, f);
    std::copy(K, K + N * N, k);
    std::copy(aux, aux + 2 * N, a);
    it = b;
  }
};

// A step that did not converge: the increment is halved, down to the
// smallest increment, then (where no pile failed) one step to the full load
// is tried; when the stepping gives up the warning is written, unless the
// outcome the pass ends with (ENDING: that of the step, or of the give-up
// before a last attempt that took no step) is a singular matrix.
void failStep(LoadStep& ls, std::int32_t ENDING);

// The outcome of the load stepping: true when the pass failed (no
// convergence of the piles or the cap, a singular matrix, or a first step
// that never converged) before any step was accepted; the case status line,
// the records of a unit-load point (failureRecords) and the estimation state
// are then written. A pass that stopped after accepted steps has the result
// of the last of them (the reason is written, and false returned), except
// a failed pass of the target-deflection search.
bool passFailed(const LoadStep& ls, void (*failureRecords)());
// The pass stopped after accepted steps and reports the last of them (the
// case of passFailed that returns false with the reason written): its
// capacity warnings are then those of that step, not of the step that failed.
bool reportsAcceptedStep(const LoadStep& ls);

// The stiffness-estimation check of a pass with SESTAT > 0 at the cap
// displacement U: logs the computed and target deflections; false (and the
// status "target off") when the target is still off, true when the pass goes
// on to write the equivalent stiffness matrix.
bool targetDeflectionMet(const double* U, int N);
// The equivalent stiffness matrix K (N x N by columns) on the pass file.
void writeEquivalentStiffness(const double* K, int N);
// The pass of a stiffness estimation that ends the load-factor search
// (SESTAT > 0): false when there is none. Else, once the target is met, the
// matrix K, the reporting sum SUM at U and the per-pile (per-row) block
// WRITER on the pass file, and the case completed; a sum that fails
// (ISTAT) ends the run with nothing more written. True then, and the
// reporting phase is over either way.
bool targetDeflectionPass(ForceSum SUM, void (*WRITER)(), const double* K, const double* U, int N,
                          std::int32_t& ISTAT);

}  // namespace drelm
