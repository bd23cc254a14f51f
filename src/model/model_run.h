// Run-wide control words, the file-name table, the timing block and the run
// constants.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/farray.h"

namespace drelm {

// Status words of a run. The analysis stores one of these in ISTAT and
// returns; the closing step turns it into the final message.
enum StatusCode : std::int32_t {
  STAT_OK = 0,
  STAT_NODE_BELOW = 3,
  STAT_STOPPED = 4,
  STAT_NODE2D_BELOW = 13,
  STAT_NAMES_FILE = 40,   // names file missing or short
  STAT_OPEN_FAILED = 41,  // a file of the run cannot be opened
  STAT_INPUT_FORM = 42,   // input data file ends early or holds a malformed value
  STAT_CAPACITY = 43,     // a count beyond its table's capacity or a value out of range
  STAT_PLATE = 44,        // the plate model of the cap cannot go on
};

// Unit numbers of the run's files.
enum Unit : int {
  U_LOG = 10,       // runtime log
  U_FLXSCR = 11,    // coded per-pass results
  U_CLDSCR = 12,    // coded per-pass results
  U_PILSCR = 13,    // per-pile result scratch
  U_REPORT = 14,    // second results report
  U_INPUT = 15,     // input data file
  U_RESULTS = 16,   // results report
  U_PLOT = 17,      // plot data
  U_SUMMARY = 18,   // summary
  U_STATUS = 19,    // case status file
  U_HEADCRV = 20,   // generated head-curve tables
  U_PROGRESS = 21,  // progress file
  U_STOP = 22,      // stop-request file
  U_PASS = 23,      // pass file
  U_KMAT = 24,      // stiffness-matrix file
  U_WARN = 25,      // warning scratch
  U_ITER = 26,      // iteration dump
  U_AXIAL = 27,     // axial listing
  U_CURVES = 28,    // per-pile curve file
  U_CAPNODE = 29,   // cap-stiffness node file
  U_SUMSCR = 30,    // summary scratch
  U_NAMES = 31,     // names file
  U_ECHO = 32,      // input echo
  U_MCTEXT = 33,    // moment-curvature text file
};

constexpr int MAXPIL = 2500;  // piles (or plane pile rows)
constexpr int MAXPIL1 = MAXPIL + 1;  // with the cap treated as a pile

struct RUNCTL_T {
  std::int32_t IUNITS = 0;  // 1 English, 2 SI
  std::int32_t IANTYP = 0;  // 2 plane, 3 space
  std::int32_t NPILE = 0;   // piles, or plane pile rows
  std::int32_t IOUTPS = 0;  // pass word
  std::int32_t KPILST = 0;  // outcome word of the current pass
  std::int32_t KEIERR = 0;  // abort switch of the bending-stiffness update, cleared by it
  std::int32_t IWRNPS = 0;  // 1 while the head-curve warnings go to the warning scratch file
  // Head-curve warnings of the current force evaluation (bearing, pull-out,
  // torsion), raised atomically by the pile solutions.
  std::int32_t NWBRG = 0;
  std::int32_t NWPULL = 0;
  std::int32_t NWTORS = 0;
  std::int32_t ITRANS = 0;  // transformation switch
  std::int32_t KRUNMD = 0;  // run mode
  std::int32_t IUSRPY = 0;
  std::int32_t IUSRTR = 0;
  std::int32_t IBATAD = 0;
  std::int32_t IGENLS = 0;
  std::int32_t ICRVMX = 0;
  std::int32_t IKIPS = 0;
  // Input switches of the control line that are words of their own.
  std::int32_t ICTL09 = 0;  // > 0: user moment-curvature sets, nonlinear bending stiffness
  std::int32_t ICTL10 = 0;  // not 0: pile-group table shows the axial-load factor
  std::int32_t ICTL12 = 0;  // read and not used
};
extern RUNCTL_T RUNCTL;

// Codes of the pass outcome word KPILST.
enum OutcomeCode : std::int32_t {
  KPIL_SOUND = 0,
  KPIL_LATERAL = 1,   // a lateral pile solution did not close, or its p-y curves are too short
  KPIL_SINGULAR = 2,  // singular cap matrix
  KPIL_WARNED = 3,    // capacity warnings given
  KPIL_AXIAL = 4,     // an axial load-transfer solution did not converge
};

// Rank of an outcome code: a later code replaces the word only when it ranks
// higher, so that a warning never hides a failure of the same pass.
constexpr int outcomeRank(std::int32_t code) {
  switch (code) {
    case KPIL_WARNED: return 1;
    case KPIL_AXIAL: return 2;
    case KPIL_LATERAL: return 3;
    case KPIL_SINGULAR: return 4;
    default: return 0;
  }
}

// Raise the outcome word of the current pass to CODE unless it already holds
// a code of higher rank. Safe inside the parallel loops over piles.
inline void raiseOutcome(std::int32_t code) {
  std::atomic_ref<std::int32_t> w(RUNCTL.KPILST);
  std::int32_t cur = w.load(std::memory_order_relaxed);
  while (outcomeRank(code) > outcomeRank(cur) &&
         !w.compare_exchange_weak(cur, code, std::memory_order_relaxed)) {
  }
}

// True when the outcome word holds a failure of the pass (1, 2 or 4).
inline bool outcomeFailed(std::int32_t code) {
  return code == KPIL_LATERAL || code == KPIL_SINGULAR || code == KPIL_AXIAL;
}

// Controls of the load case or combination now analysed, and the input
// switches that belong with them.
struct CURCTL_T {
  double TOLCAP = 0;  // tolerance on the cap movement
  double TOLPIL = 0;  // tolerance on the pile deflections
  double DTCUR0 = 0;  // first load step
  double DTCMIN = 0;  // smallest load step
  double NCYCL = 0;   // number of load cycles
  double ALTDSP = 0;  // alternative limit on the largest displacement increment
  double ALTROT = 0;  // alternative limit on the largest rotation increment
  std::int32_t MAXITC = 0;  // cap iteration limit
  std::int32_t NTHLIM = 0;  // thread limit, 0 automatic
  std::int32_t KSTCYC = 0;  // 1 static, 0 cyclic
  std::int32_t IAXVAR = 0;  // 1: variation of the axial load at the piles
  std::int32_t IPRLEV = 0;  // print level
  std::int32_t NPRNOD = 0;  // print every n-th node
  std::int32_t IALTOL = 0;  // 1: alternative convergence test
  std::int32_t IEIPRV = 0;  // 1: bending stiffness of the previous iteration
  std::int32_t KESTCU = 0;  // stiffness-estimation kind of the case being treated
  std::int32_t IUSRLS = 0;  // control #6: user load-displacement curves given
  std::int32_t KPYLST = 0;  // control #11: p-y listing option
  std::int32_t KPYOUT = 0;  // 1 while p-y curves are put out (listing or collect)
  // Set by the cap solutions for their last attempt: a lateral pile
  // solution closes only when its change is also within this fraction of
  // its largest deflection (0 off).
  double LLPREL = 0;
};
extern CURCTL_T CURCTL;

struct TIMBLK_T {
  double TSTART = 0, TELAPS = 0, TLAST = 0, TPARAL = 0, TSERIA = 0, TPRINT = 0;
  std::int32_t NPROCS = 1, NTHUSE = 1, NTHRUN = 1;
};
extern TIMBLK_T TIMBLK;

// File names of the run, by unit number, as the names file gives them.
struct FNAMES_T {
  FStr<12> VERSN;
  FArray<FStr<256>, 34, 0> FNU;  // FNU(15) is the input data file, and so on
};
extern FNAMES_T FNAMES;

struct RUNCONST_T {
  double PI = 0, EPSLIM = 0, EPSCOH = 0, EPSMOV = 0;
};
extern RUNCONST_T RUNCONST;

struct RUNTTL_T {
  FStr<4> ENDWRD;
  FStr<80> TITLE1, TITLE2;
};
extern RUNTTL_T RUNTTL;

}  // namespace drelm
