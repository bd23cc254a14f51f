#include "run/endrun.h"

#include <string>
#include <vector>

#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "run/startup.h"
#include "model/statusmsg.h"
#include "report/timing.h"

namespace drelm {
namespace {

constexpr std::size_t SUMMARY_WIDTH = 120;

// Append the lines that the analysis collected in the summary scratch to the
// summary, under their heading.
void copySummary() {
  io::CLOSE(U_SUMSCR);
  for (int k = 0; k < 4; ++k) io::endRecord(U_SUMMARY);
  io::put(U_SUMMARY, std::string(17, ' ') + "*****" + std::string(5, ' ') +
                         "SUMMARY FOR LOAD CASES AND COMBINATIONS " + std::string(5, ' ') +
                         "*****");
  io::endRecord(U_SUMMARY);
  // Only the scratch this run wrote, whole: lines that are not there must
  // not pass for a summary without load cases.
  if (!io::openChecked(U_SUMSCR, FNAMES.FNU(U_SUMSCR).str(), io::Access::ReadBack)) return;
  std::string text;
  while (io::readLine(U_SUMSCR, text)) {
    text.resize(SUMMARY_WIDTH, ' ');
    std::size_t last = text.find_last_not_of(' ');
    const std::size_t L = last == std::string::npos ? 1 : last + 1;
    io::put(U_SUMMARY, std::string_view(text).substr(0, L));
    WREOL(U_SUMMARY);
  }
}

// A file of the run that failed: the run ends with 41 where it would
// otherwise claim complete reports (0) or a clean stop (4); a run that ended
// for another reason keeps its code. The first failed file is the one named.
void settle(std::int32_t& ISTAT) {
  if (!io::writeFailed()) return;
  if (ISTAT == STAT_OK || ISTAT == STAT_STOPPED) ISTAT = STAT_OPEN_FAILED;
  if (ISTAT != STAT_OPEN_FAILED || !RUNERR.ERRFIL.trimmed().empty()) return;
  const io::Failure f = io::failure();
  RUNERR.ERRFIL = f.name;
  RUNERR.ERRLIN = namesLineOfUnit(f.unit);
  RUNERR.ERRWRT = f.opening ? 0 : 1;
}

std::vector<std::string> finalMessage(std::int32_t ISTAT) {
  std::vector<std::string> lines = statusLines(ISTAT, RUNERR.ERRFIL.trimmed(), RUNERR.ERRLIN, RUNERR.ERRWRT == 1);
  // A run that ended for another reason still names a file that failed.
  if (ISTAT != STAT_OPEN_FAILED && io::writeFailed()) {
    const io::Failure f = io::failure();
    lines.push_back(failedFileLine(f.name, !f.opening));
  }
  return lines;
}

}  // namespace

void ENDRUN(std::int32_t& ISTAT) {
  settle(ISTAT);
  if (ISTAT == STAT_STOPPED) {
    for (int unit : {U_RESULTS, U_SUMMARY}) {
      io::line(unit, "     ");
      io::line(unit, "     *** ANALYSIS STOPPED BY USER ***");
    }
  }

  // A start-up that failed left no summary to complete.
  if (io::connected(U_SUMMARY)) copySummary();
  // The status lines of a case the run left unfinished go out once the
  // reports are on disk; after a failed file they are dropped.
  io::commit(U_STATUS);

  // The results report and the runtime log are closed last, so that they can
  // still name a file whose closing failed.
  for (int unit = 0; unit <= io::MAXUNIT; ++unit)
    if (unit != U_RESULTS && unit != U_LOG) io::CLOSE(unit);
  settle(ISTAT);
  if (ISTAT == STAT_OPEN_FAILED && RUNERR.ERRWRT == 1 && io::failure().unit != U_RESULTS) {
    io::line(U_RESULTS, "    ");
    for (const std::string& l : finalMessage(ISTAT)) io::line(U_RESULTS, l);
  }
  io::CLOSE(U_RESULTS);
  settle(ISTAT);

  io::line(U_LOG, "    ");
  for (const std::string& l : finalMessage(ISTAT)) io::line(U_LOG, l);
  io::FLUSH(U_LOG);
  TIMEWR();
  // A log that cannot be written ends the run with 41 too: the host then
  // finds no message in it and says so.
  io::CLOSE(U_LOG);
  settle(ISTAT);
  io::CLOSEALL();
}

}  // namespace drelm
