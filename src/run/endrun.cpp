#include "run/endrun.h"

#include <string>

#include "report/writers.h"
#include "run/fileio.h"
#include "run/model.h"
#include "run/statusmsg.h"
#include "run/timing.h"

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
  if (!io::OPEN(U_SUMSCR, FNAMES.FNU(U_SUMSCR).str(), io::Access::Read)) return;
  std::string text;
  while (io::readLine(U_SUMSCR, text)) {
    text.resize(SUMMARY_WIDTH, ' ');
    std::size_t last = text.find_last_not_of(' ');
    const std::size_t L = last == std::string::npos ? 1 : last + 1;
    io::put(U_SUMMARY, std::string_view(text).substr(0, L));
    WREOL(U_SUMMARY);
  }
}

}  // namespace

void ENDRUN(std::int32_t& ISTAT) {
  io::line(U_LOG, "    ");
  for (const std::string& l : statusLines(ISTAT, RUNERR.ERRFIL.trimmed(), RUNERR.ERRLIN))
    io::line(U_LOG, l);
  io::FLUSH(U_LOG);
  TIMEWR();

  if (ISTAT == STAT_STOPPED) {
    for (int unit : {U_RESULTS, U_SUMMARY}) {
      io::line(unit, "     ");
      io::line(unit, "     *** ANALYSIS STOPPED BY USER ***");
    }
  }

  // A start-up that failed left no summary to complete.
  if (io::connected(U_SUMMARY)) copySummary();

  for (int unit : {U_INPUT, U_RESULTS, U_ECHO, U_SUMMARY, U_PLOT, U_LOG, U_STATUS, U_REPORT,
                   U_FLXSCR, U_HEADCRV, U_ITER, U_AXIAL, U_CURVES, U_CAPNODE, U_SUMSCR, U_MCTEXT})
    io::CLOSE(unit);
  // Whatever the analysis left connected is closed too, so the host can read
  // or replace every file of the run.
  io::CLOSEALL();
}

}  // namespace drelm
