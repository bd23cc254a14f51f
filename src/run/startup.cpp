#include "run/startup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "model/fileio.h"
#include "input/freeread.h"
#include "input/stopreq.h"
#include "model/model.h"
#include "run/runlock.h"
#include "model/tables.h"

namespace drelm {

namespace {

constexpr int FIRST_FILE_LINE = 5;
// Units of names-file lines 5 .. 27.
constexpr int UNIT_OF_LINE[NAMES_LINES - FIRST_FILE_LINE + 1] = {
    U_INPUT, U_ECHO,  U_RESULTS, U_SUMMARY, U_PLOT,   U_LOG,    U_STATUS, U_REPORT,
    U_PROGRESS, U_HEADCRV, U_FLXSCR, U_CLDSCR, U_PILSCR, U_STOP, U_PASS, U_KMAT,
    U_WARN,  U_ITER,  U_AXIAL,   U_CURVES,  U_CAPNODE, U_SUMSCR, U_MCTEXT};

const char* const NAMES_FILE = "Names.dat";

std::string nameOf(int unit) { return FNAMES.FNU(unit).trimmed(); }

// Record the file that ended the start-up and keep only the runtime log, so
// that the closing step can still say what went wrong there.
void abandon(std::int32_t code, const std::string& file, int line, std::int32_t& ISTAT) {
  ISTAT = code;
  RUNERR.ERRFIL = file;
  RUNERR.ERRLIN = line;
  for (int u = 0; u <= io::MAXUNIT; ++u)
    if (u != U_LOG) io::CLOSE(u);
  if (!io::connected(U_LOG) && !(code == STAT_OPEN_FAILED && line == namesLineOfUnit(U_LOG)))
    io::OPEN(U_LOG, nameOf(U_LOG), io::Access::Write);
}

bool openOrFail(int unit, io::Access access, std::int32_t& ISTAT) {
  if (io::OPEN(unit, nameOf(unit), access)) return true;
  abandon(STAT_OPEN_FAILED, nameOf(unit), namesLineOfUnit(unit), ISTAT);
  return false;
}

bool readNamesFile(std::int32_t& ISTAT) {
  FNAMES.FNU(U_NAMES) = NAMES_FILE;
  if (!io::OPEN(U_NAMES, NAMES_FILE, io::Access::Read)) {
    // One that is there but is no regular file (a device, a directory) is a
    // file of the run that cannot be opened, not a missing one.
    struct stat st {};
    const bool there = ::stat(NAMES_FILE, &st) == 0 && !S_ISREG(st.st_mode);
    abandon(there ? STAT_OPEN_FAILED : STAT_NAMES_FILE, NAMES_FILE, 0, ISTAT);
    return false;
  }
  std::string text;
  for (int line = 1; line <= NAMES_LINES; ++line) {
    if (!io::readLine(U_NAMES, text)) {
      io::CLOSE(U_NAMES);
      abandon(STAT_NAMES_FILE, NAMES_FILE, 0, ISTAT);
      return false;
    }
    if (line == 1)
      FNAMES.VERSN = text;
    else if (line >= FIRST_FILE_LINE)
      FNAMES.FNU(unitOfNamesLine(line)) = text;
  }
  io::CLOSE(U_NAMES);
  return true;
}

void writeProgressStarted() {
  if (!io::openChecked(U_PROGRESS, nameOf(U_PROGRESS), io::Access::Write)) return;
  io::line(U_PROGRESS, "- ANALYSIS STARTED");
  io::endRecord(U_PROGRESS);
  io::CLOSE(U_PROGRESS);
}

struct FileId {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  bool operator==(const FileId& o) const { return exists && o.exists && dev == o.dev && ino == o.ino; }
};

FileId idOf(const std::string& name) {
  struct stat st {};
  if (name.empty() || ::stat(name.c_str(), &st) != 0) return {};
  return {true, st.st_dev, st.st_ino};
}

// Every output file of the run starts empty, also those this run never
// opens, so that none keeps an earlier run's content under this run's name.
// Files that are not there are not created. An output that is a file the
// run only reads, or the lock of the directory, or that cannot be emptied,
// ends the start-up.
bool emptyOutputs(std::int32_t& ISTAT) {
  const FileId kept[] = {idOf(nameOf(U_INPUT)), idOf(nameOf(U_MCTEXT)), idOf(nameOf(U_STOP)),
                         idOf(RUN_LOCK_FILE)};
  for (int line = FIRST_FILE_LINE; line <= NAMES_LINES; ++line) {
    const int unit = unitOfNamesLine(line);
    if (unit == U_INPUT || unit == U_MCTEXT || unit == U_STOP) continue;
    const std::string name = nameOf(unit);
    struct stat st {};
    // A work file is never reached through a link: its open refuses one, and
    // emptying must not empty the file the link points to.
    const bool work = unit == U_FLXSCR || unit == U_CLDSCR || unit == U_PILSCR || unit == U_PASS ||
                      unit == U_WARN || unit == U_SUMSCR;
    if (name.empty() || (work && ::lstat(name.c_str(), &st) == 0 && S_ISLNK(st.st_mode))) continue;
    if (::stat(name.c_str(), &st) != 0) continue;
    const FileId id{true, st.st_dev, st.st_ino};
    bool clash = S_ISDIR(st.st_mode);
    for (const FileId& k : kept) clash = clash || id == k;
    // Devices and pipes hold no content to empty.
    if (clash || (S_ISREG(st.st_mode) && st.st_size > 0 && ::truncate(name.c_str(), 0) != 0)) {
      abandon(STAT_OPEN_FAILED, name, line, ISTAT);
      return false;
    }
  }
  return true;
}


}  // namespace

int unitOfNamesLine(int line) {
  if (line < FIRST_FILE_LINE || line > NAMES_LINES) return 0;
  return UNIT_OF_LINE[line - FIRST_FILE_LINE];
}

int namesLineOfUnit(int unit) {
  for (int line = FIRST_FILE_LINE; line <= NAMES_LINES; ++line)
    if (unitOfNamesLine(line) == unit) return line;
  return 0;
}

void STARTUP(std::int32_t& ISTAT) {
  RUNCTL.ITRANS = 1;
  RUNCTL.KRUNMD = 2;
  io::clearFailure();
  io::forgetWorkFiles();
  // A report on a pipe that nobody reads must not hold the run past a stop.
  io::whileWaitingForPipe(&stopFileRequests);
  if (!readNamesFile(ISTAT)) return;
  if (!emptyOutputs(ISTAT)) return;

  // Input files are read only; every output file starts empty.
  if (!openOrFail(U_INPUT, io::Access::Read, ISTAT)) return;
  for (int unit : {U_ECHO, U_RESULTS, U_SUMMARY, U_PLOT, U_LOG, U_STATUS, U_REPORT, U_HEADCRV})
    if (!openOrFail(unit, io::Access::Write, ISTAT)) return;
  // The moment-curvature text is needed only by some inputs; whoever reads it
  // reports its absence.
  io::OPEN(U_MCTEXT, nameOf(U_MCTEXT), io::Access::Read);

  writeProgressStarted();

  for (int unit : {U_ITER, U_AXIAL, U_CAPNODE})
    if (!openOrFail(unit, io::Access::Write, ISTAT)) return;
  if (!openOrFail(U_SUMSCR, io::Access::Work, ISTAT)) return;

  if (stopFileRequests()) {
    ISTAT = STAT_STOPPED;
    // The runtime log, the results report and the summary stay connected for
    // the closing step's stop lines; it closes them.
    for (int unit : {U_INPUT, U_ECHO, U_PLOT, U_STATUS, U_REPORT, U_FLXSCR, U_HEADCRV, U_ITER,
                     U_AXIAL, U_CAPNODE, U_SUMSCR, U_MCTEXT})
      io::CLOSE(unit);
  }
}

}  // namespace drelm
