#include "analysis/anlrec.h"

#include <string>

#include "results/anlio.h"
#include "report/ldtypnm.h"
#include "report/writers.h"
#include "model/model.h"
#include "report/timing.h"

namespace drelm::anl {

namespace {

std::string title() { return RUNTTL.TITLE1.str(); }

std::string countLine(bool comb, std::int32_t k) {
  const std::int32_t total = comb ? COMBIN.NCOMB : CASEIN.NLCASE;
  return std::string("ANALYSIS FOR LOAD ") + (comb ? "COMB. " : "CASE ") + intField(3, k) + "/" + intField(3, total);
}

}  // namespace

void openingLines() {
  empty(U_LOG, 3);
  out(U_LOG, blanks(5) + "COMPUTATION IS PROCEEDING......");
  for (int U : {U_RESULTS, U_SUMMARY}) {
    empty(U, 4);
    out(U, blanks(17) + "*****" + blanks(5) + "COMPUTATION RESULTS" + blanks(5) + "*****");
    empty(U, 3);
    out(U, blanks(5) + title());
  }
  out(U_REPORT, "** COMPUTATION RESULTS **");
  out(U_REPORT, title());
  out(U_STATUS, "COMPUTATION RESULTS");
  out(U_STATUS, title());
}

void seriesBanners(bool comb) {
  const std::string name = comb ? "LOAD COMBINATIONS RESULTS " : "LOAD CASES RESULTS ";
  const std::string banner = blanks(17) + "*****" + blanks(5) + name + blanks(5) + "*****";
  empty(U_SUMSCR, 2);
  out(U_SUMSCR, banner);
  for (int U : {U_RESULTS, U_SUMMARY}) {
    empty(U, 4);
    out(U, banner);
  }
  out(U_REPORT, name);
  out(U_STATUS, name);
}

void caseHeading(bool comb, std::int32_t k) {
  const std::string number = (comb ? "LOAD COMB. : " : "LOAD CASE : ") + intField(5, k);
  const std::string name = comb ? "COMB. NAME : " + COMBIN.CBNAME(k).str() : "CASE NAME : " + CASEIN.LCNAME(k).str();
  FStr<32> type;
  if (!comb) LDTYPNM(CASEIN.CASCTL(k, 8), type);
  for (int U : {U_RESULTS, U_SUMMARY, U_LOG}) {
    empty(U, 3);
    out(U, blanks(5) + number);
    out(U, blanks(5) + name);
    if (!comb && U != U_LOG) out(U, blanks(5) + "LOAD TYPE : " + type.str());
  }
  io::FLUSH(U_LOG);
  out(U_REPORT, number);
  out(U_STATUS, number);
}

void skipLines(bool comb) {
  const std::string note = blanks(5) + (comb ? "NOTE: LOAD COMB WILL NOT BE ANALYZED" : "NOTE: LOAD CASE WILL NOT BE ANALYZED");
  for (int U : {U_RESULTS, U_SUMMARY, U_LOG}) out(U, note);
  out(U_STATUS, "       ANALYSIS TO NOT RUN   ");
  out(U_STATUS, "     9 ANALYSIS NOT PERFORMED");
}

void analysedLines(bool comb, std::int32_t k) {
  empty(U_SUMSCR);
  out(U_SUMSCR, blanks(5) + (comb ? "LOAD COMB : " : "LOAD CASE : ") + intField(5, k));
  if (!comb) {
    out(U_ITER, "LOAD CASE : " + intField(5, k));
    io::FLUSH(U_ITER);
  }
}

void progressLine(bool comb, std::int32_t k, bool finished) {
  if (!io::openChecked(U_PROGRESS, FNAMES.FNU(U_PROGRESS).trimmed(), io::Access::Write)) return;
  out(U_PROGRESS, "- " + countLine(comb, k) + (finished ? " FINISHED" : " STARTED"));
  empty(U_PROGRESS, 2);
  io::CLOSE(U_PROGRESS);
}

void logFinished(bool comb, std::int32_t k) {
  out(U_LOG, blanks(5) + countLine(comb, k) + " FINISHED");
  empty(U_LOG);
  io::FLUSH(U_LOG);
}

void phaseTiming() {
  const double elapsed = wallClock() - TIMBLK.TELAPS;
  TIMBLK.TSTART = elapsed - TIMBLK.TLAST;
  TIMEPH(0);
  TIMBLK.TLAST = elapsed;
  TIMBLK.TPARAL = TIMBLK.TSERIA = TIMBLK.TPRINT = 0.0;
}

void totalLoadStatus() { out(U_STATUS, blanks(6) + "ANALYSIS DUE TO TOTAL LOAD"); }

}  // namespace drelm::anl
