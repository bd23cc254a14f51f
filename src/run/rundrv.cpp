#include "run/rundrv.h"

#include <omp.h>

#include "analysis/anldrv.h"
#include "input/convin.h"
#include "run/endrun.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prepro.h"
#include "input/readin.h"
#include "run/runlock.h"
#include "run/startup.h"
#include "model/tables.h"
#include "report/timing.h"
#include "report/writers.h"

namespace drelm {

std::int32_t IDRELM(std::int32_t code, void (*beforeRun)()) {
  if (code != 6) return 1;
  // Nothing of the directory, not even its runtime log, is touched before the
  // run holds it: the files may be another run's.
  const RunLock lock;
  if (!lock.held()) return STAT_OPEN_FAILED;
  if (beforeRun) beforeRun();
  std::int32_t ISTAT = 0;
  RUNDRV(ISTAT);
  return ISTAT;
}

void RUNDRV(std::int32_t& ISTAT) {
  // Every run starts from cleared tables and no connected file, whatever an
  // earlier run in this process left behind.
  io::CLOSEALL();
  clearTables();
  ISTAT = 0;
  const int callerThreads = omp_get_max_threads();

  TIMBLK.TSTART = wallClock();
  TIMBLK.TELAPS = wallClock();
  TIMBLK.TLAST = 0;
  TIMBLK.TPARAL = 0;
  TIMBLK.TSERIA = 0;
  TIMBLK.TPRINT = 0;

  STARTUP(ISTAT);
  if (ISTAT == 0) READIN(ISTAT);
  const bool inputRead = ISTAT == 0;

  TIMBLK.NPROCS = omp_get_max_threads();
  TIMBLK.NTHUSE = 1;
  TIMBLK.NTHRUN = 1;

  if (ISTAT == 0) CONVIN(ISTAT);
  if (ISTAT == 0) PREPRO(ISTAT);
  // A report of the input stage that could not be written ends the run,
  // before any case: the echo is small enough to sit in its buffer.
  if (ISTAT == 0 && !io::flushAll()) ISTAT = STAT_OPEN_FAILED;
  if (ISTAT == 0) {
    // The analysis runs without p-y listings; the analysis driver prints the
    // requested curves at its end from its own copy of the option.
    std::int32_t KPYOPT = CURCTL.KPYLST;
    CURCTL.KPYLST = 0;
    RUNCTL.IOUTPS = 0;
    ANLDRV(KPYOPT, ISTAT);
  }

  TIMBLK.TELAPS = wallClock() - TIMBLK.TELAPS;
  // A file that failed may have cut the input echo before it gave the
  // numbers of load cases and combinations: the runtime log gives them, so
  // that what the run did not reach can still be counted.
  if (inputRead && io::writeFailed()) {
    io::line(U_LOG, "    ");
    io::line(U_LOG, "    NUMBER OF LOAD CASES :" + intField(5, CASEIN.NLCASE));
    io::line(U_LOG, "    NUMBER OF LOAD COMB. :" + intField(5, COMBIN.NCOMB));
  }
  ENDRUN(ISTAT);
  // The parallel loops set the thread count of their regions; the caller's
  // thread gets its own count back, so that the next run starts from it.
  omp_set_num_threads(callerThreads);
}

}  // namespace drelm
