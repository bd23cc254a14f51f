#include "report/timing.h"

#include <omp.h>

#include <cstdio>

#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {
namespace {

constexpr const char* MONTHS[12] = {"January", "February", "March",     "April",
                                    "May",     "June",     "July",      "August",
                                    "September", "October", "November", "December"};

std::string twoDigits(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%02d", v);
  return b;
}

void writeLine(int unit, const std::string& text) {
  io::put(unit, text);
  io::endRecord(unit);
}

// Time line and processors line of a time t, to the runtime log.
void writeTime(double t, std::int32_t used) {
  writeLine(U_LOG, executionTimeLine(t));
  writeLine(U_LOG, processorsLine(used, TIMBLK.NPROCS));
}

}  // namespace

double wallClock() { return omp_get_wtime(); }

std::string dateLine(const std::tm& now) {
  const int mon = now.tm_mon >= 0 && now.tm_mon < 12 ? now.tm_mon : 0;
  return std::string(15, ' ') + "Date:  " + MONTHS[mon] + " " + twoDigits(now.tm_mday) + ", " +
         intField(4, now.tm_year + 1900) + std::string(5, ' ') + "Time:  " +
         twoDigits(now.tm_hour) + ":" + twoDigits(now.tm_min) + ":" + twoDigits(now.tm_sec);
}

std::string executionTimeLine(double t) {
  // A clock that went backwards or a damaged value must not overflow the
  // integer conversions below.
  if (!(t >= 0)) t = 0;
  if (t > 1e15) t = 1e15;
  const long long s = static_cast<long long>(t);
  const long long m = static_cast<long long>((t - static_cast<double>(s)) * 1000.0);
  std::string l = "     Execution Time    :";
  if (t < 1) return l + intField(5, static_cast<long long>(t * 1000.0)) + " ms";
  if (t < 60) return l + intField(5, s) + " sec" + intField(5, m) + " ms";
  if (t < 3600)
    return l + intField(5, s / 60) + " min" + intField(5, s % 60) + " sec" + intField(5, m) + " ms";
  return l + intField(8, s / 3600) + " hr" + intField(5, (s / 60) % 60) + " min" +
         intField(5, s % 60) + " sec" + intField(5, m) + " ms";
}

std::string processorsLine(std::int32_t used, std::int32_t procs) {
  return "     Number Processors :" + intField(3, used) + "/" + intField(2, procs);
}

void DATEWR(const std::tm& now) {
  const std::string rule = std::string(5, ' ') + std::string(73, '-');
  for (int unit : {U_LOG, U_REPORT, U_RESULTS, U_SUMMARY, U_ECHO}) {
    writeLine(unit, rule);
    writeLine(unit, std::string(26, ' ') + "Time and Date of Analysis");
    writeLine(unit, rule);
    writeLine(unit, "");
    writeLine(unit, dateLine(now));
  }
}

void DATEWR() {
  const std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  DATEWR(now);
}

void TIMEWR() { writeTime(TIMBLK.TELAPS, TIMBLK.NTHRUN); }

void TIMEPH(std::int32_t FLAG) {
  const double t = FLAG != 1 ? TIMBLK.TSTART : TIMBLK.TELAPS;
  writeTime(t, FLAG == 0 ? TIMBLK.NTHUSE : TIMBLK.NTHRUN);
  if (FLAG == 0) {
    TIMBLK.TSERIA = t - TIMBLK.TPARAL - TIMBLK.TPRINT;
    writeLine(U_LOG, "     Serial processing :" + fixedField(10, 3, TIMBLK.TSERIA) + " sec");
    writeLine(U_LOG, "     Paral. processing :" + fixedField(10, 3, TIMBLK.TPARAL) + " sec");
    writeLine(U_LOG, "     Print. processing :" + fixedField(10, 3, TIMBLK.TPRINT) + " sec");
  }
}

}  // namespace drelm
