// Records of the cap solutions: the progress and stop-request files shared
// with the host, the step and iteration lines of the runtime log, the
// iteration dump, the capacity warnings, the case status lines and the coded
// results of a unit-load point. The space and the plane solution write them
// alike.
#pragma once

#include <cstdint>
#include <string>

namespace drelm {

// Progress record: at the start of an iteration, after a step, at the end.
enum class ProgressForm { Iteration, Step, End };

// How the progress record of a point other than the last of a case shows
// the point: its label and the field (w, d) of the load fraction.
struct ProgressPoint {
  const char* label;
  int w, d;
};
inline constexpr ProgressPoint SPACE_POINT{" DOF:", 9, 3};

// Writes the latest progress record over the progress file.
// ISCOMB 0 for a load case, 1 for a combination; N the step counter; T the
// load fraction (TCUR for an iteration, the last accepted one after a step);
// B the iteration; PT the form of the point (space or plane solution).
void PRGREC(ProgressForm form, std::int32_t ISCOMB, std::int32_t N, double T, std::int32_t B,
            ProgressPoint PT = SPACE_POINT);
// Its text (the lines without their ends).
std::string progressText(ProgressForm form, std::int32_t ISCOMB, std::int32_t N, double T,
                         std::int32_t B, ProgressPoint PT = SPACE_POINT);

// True when the stop-request file holds 1 (a missing or unreadable file is no
// request).
bool STOPRQ();
// The check of a running analysis: a file of the run that failed ends it
// with 41, a stop request with 4. True when the run ends (ISTAT set).
bool runEnds(std::int32_t& ISTAT);

// Runtime log lines of the load loop.
void logGlobalHeading();
void logStep(std::int32_t N, double TCUR, double DTCUR);
void logIteration(std::int32_t B, const double* dU, const double* Us, std::int32_t IALTOL);

// Iteration dump: the line of the iteration number B that opens an
// iteration, and one vector line of the space solution: a five-character
// tag and N values in E13.5.
void dumpIteration(std::int32_t B);
void dumpVector(const char* tag, const double* v, int n);

// Singular cap matrix: the warning, after EMPTY empty lines on the log (two
// in the space solution, one in the plane one), and the outcome word raised
// to "singular"; with REPORTED false not in the results report. The
// given-up load stepping warning.
void warnSingular(int EMPTY, bool REPORTED = true);
void warnNoConvergence(std::int32_t MAXITC);
// The load stepping stopped after accepted steps: the fraction TP of the
// results and the reason, the outcome word OUTCOME (a failure of the piles,
// a singular matrix, or else no convergence of the cap), to the results
// report and the runtime log.
void warnSteppingStopped(double TP, std::int32_t OUTCOME);

// A kind of capacity warning of the last force evaluation: how many the
// piles gave, the heading on the results report (the title, then two lines
// after 20 blanks) and the line on the runtime log.
struct CapacityWarning {
  std::int32_t count;
  std::string title, line2, line3, log;
};
// The headings of the N kinds that were given, then the warning scratch
// lines copied to the results report and the runtime log. Raises the
// outcome word to "warned" when any was given.
void writeCapacityWarnings(const CapacityWarning* kinds, int N);
// Those of the space solution: bearing, pull-out and torsion.
void capacityWarnings();
// The three lines of each of the total warnings the piles wrote to the
// warning scratch file, in the order they wrote them, to the results and log.
void copyPileWarnings(std::int32_t total);

// Case status lines (unit 19).
void statusCompleted();                  // "    1 ANALYSIS COMPLETED"
void statusPartial(double Tp);           // "    2 SOLUTION AT ... % OF THE TOTAL LOAD"
void statusNoCapConvergence();           // "    3 NO CONVERGENCE ON PILE CAP"
void statusNoPileConvergence();          // "    6 NO CONVERGENCE ON PILES   "
void statusSingular();                   // "    7 SINGULAR STIFFNESS MATRIX "
void statusTargetOff();                  // "    10 ANALYSIS COMPLETED"

// One coded result record: 5X, I5 the record number, 2X, then each value in
// 1PG18.8 followed by 3X.
void codedRecord(int unit, std::int32_t number, const double* v, int n);
std::string codedRecordText(std::int32_t number, const double* v, int n);

// Coded records of a point of the stiffness estimation with N cap degrees of
// freedom: X, the value of the point's degree of freedom, with the N values
// V; then V over X, or V itself when RAW (the full load of the degree of
// freedom about 0) or X is 0, again on the flexibility scratch with FLEX.
void pointRecords(double X, bool RAW, const double* V, int N, bool FLEX);
// The records of a point whose first step never converged: zeros under the
// negative point number, and with FLEX the unit vector of the point's
// degree of freedom on the flexibility scratch.
void failedPointRecords(int N, bool FLEX);

// A real in Fortran Ew.d form (0.ddddE+ee), right-justified in w columns.
std::string eField(int w, int d, double x);

}  // namespace drelm
