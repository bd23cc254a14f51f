// Load stepping of the cap solutions: the load fraction TCUR goes from the
// first step up to exactly 1; a step that fails is retried with half the
// increment until the increment falls below its smallest value.
#pragma once

#include <cstdint>

namespace drelm {

// Smallest increment when the case gives none above 0: the halving always
// ends.
constexpr double DTCFLR = 1.0E-4;

// The smallest increment the stepping honours for the input DTCMIN.
double stepFloor(double DTCMIN);
// The first increment for the input DTCUR0: an increment of 0 or less would
// never reach the full load, so it is taken as 1 (the full load in one step).
double firstStep(double DTCUR0);

struct LoadStep {
  double TCUR = 0;   // fraction of the current step
  double DTCUR = 0;  // its increment
  double Tp = 0;     // fraction of the last accepted step (0 before any)
  double dtmin = 0;  // smallest increment
  std::int32_t n = 0;     // step counter
  bool lastFailed = false;  // outcome of the last step
  bool anyAccepted = false;  // a step has been accepted
  bool wholeTried = false;   // the rest of the load has been tried in one step

  // Sets up the pass. False when DTCUR0 > 1: no step is made and the pass
  // reports the state at 0 % of the load.
  bool start(double DTCUR0, double DTCMIN);
  // True while another step is to be made.
  bool more() const { return TCUR <= 1.0; }
  // Counts the step about to be made.
  void begin() { ++n; }
  // The step converged: the next fraction, clamped to exactly 1 for the last
  // step.
  void accept();
  // The step failed: halve the increment. True when it fell below the
  // smallest increment (the stepping ends), false when the step is retried.
  // With WHOLE, an increment that falls below the smallest one first gives
  // way to one step from the last accepted fraction to the full load; when
  // that fails too, the stepping ends.
  bool fail(bool whole = false);
  // The next failure would end the stepping: the increment is already below
  // twice the smallest one.
  bool lastHalving() const { return DTCUR / 2.0 < dtmin; }
  // Steps on from the last accepted fraction with the pass's first
  // increment (at most the rest of the load), as if the step that failed
  // had not been made; the halving may again end with the step to the full
  // load.
  void resume(double DTCUR0);
  // The first step never converged.
  bool firstStepFailed() const { return n == 1 && lastFailed; }
  // The stepping gave up after accepted steps: the pass has the result of
  // the last accepted one, at Tp.
  bool stoppedEarly() const { return lastFailed && anyAccepted; }
};

}  // namespace drelm
