#include "input/readin_io.h"

#include <cstdio>

#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm {
namespace {

template <std::size_t... I>
bool recordOf(FreeReader& rd, const FreeItem* it, const char* what, std::index_sequence<I...>) {
  return rd.record({it[I]...}, what);
}

template <std::size_t N>
bool recordN(FreeReader& rd, const FreeItem* it, const char* what) {
  return recordOf(rd, it, what, std::make_index_sequence<N>{});
}

using RecordFn = bool (*)(FreeReader&, const FreeItem*, const char*);

template <std::size_t... N>
constexpr std::array<RecordFn, sizeof...(N)> recordTable(std::index_sequence<N...>) {
  return {&recordN<N>...};
}

constexpr auto kRecord = recordTable(std::make_index_sequence<InRead::MAXITEMS + 1>{});

void fatalTo(int unit, const std::string& line1, const std::string& line2) {
  io::endRecord(unit);
  io::put(unit, std::string(29, ' ') + "**** FATAL ERROR ****");
  io::endRecord(unit);
  for (const std::string* s : {&line1, &line2}) {
    if (s->empty()) continue;
    io::put(unit, "     " + *s);
    io::endRecord(unit);
  }
}

}  // namespace

bool InRead::heading(const char* what) {
  if (!rd.textLine(group, what)) return false;
  io::put(U_LOG, "     READING ");
  io::put(U_LOG, group.view());
  io::endRecord(U_LOG);
  return true;
}

bool InRead::recList(const FreeItem* items, int n, const char* what) {
  if (n < 0 || n > MAXITEMS) {
    // Callers bound n by the table first; this guards the dispatch alone.
    code = STAT_CAPACITY;
    rd.fail(std::string(what) + ": " + std::to_string(n) + " values on one line is beyond the limit of " +
            std::to_string(MAXITEMS));
    return false;
  }
  return kRecord[static_cast<std::size_t>(n)](rd, items, what);
}

bool InRead::check(std::int32_t v, std::int32_t lo, std::int32_t hi, const char* what) {
  if (!rd.ok()) return false;
  if (v >= lo && v <= hi) return true;
  code = STAT_CAPACITY;
  std::string m = std::string(what) + ": " + std::to_string(v);
  if (v < lo && lo == 0)
    m += " is negative";
  else if (v > hi)
    m += " is beyond the limit of " + std::to_string(hi);
  else
    m += " is outside " + std::to_string(lo) + " to " + std::to_string(hi);
  rd.fail(m);
  return false;
}

bool InRead::refuse(const std::string& message) {
  if (!rd.ok()) return false;
  code = STAT_CAPACITY;
  rd.fail(message);
  return false;
}

bool InRead::refuseAt(int line, const FStr<80>& heading, const std::string& message) {
  if (!rd.ok()) return false;
  code = STAT_CAPACITY;
  group = heading;
  rd.failOn(line, message);
  return false;
}

bool InRead::notNegative(double x, const std::string& what) {
  if (x >= 0.0) return true;
  return refuse(what + " " + realText(x) + " is negative");
}

std::string realText(double x) {
  char b[32];
  std::snprintf(b, sizeof b, "%g", x);
  return b;
}

std::int32_t InRead::status() const {
  if (rd.ok()) return STAT_OK;
  if (code != 0) return code;
  return rd.outOfRange() ? STAT_CAPACITY : STAT_INPUT_FORM;
}

void InRead::reportFailure() const {
  std::string where = "INPUT DATA FILE, LINE " + std::to_string(rd.lineNo());
  const std::string g = group.trimmed();
  if (!g.empty()) where += ", WHILE READING: " + g;
  inputFatal(where, rd.message());
}

void inputFatal(const std::string& line1, const std::string& line2) {
  fatalTo(U_LOG, line1, line2);
  fatalTo(U_RESULTS, line1, line2);
  io::FLUSH(U_LOG);
}

}  // namespace drelm
