#include "capstiff/stfunits.h"

#include <cstdlib>

#include "results/anlio.h"
#include "report/labels.h"
#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm::cst {

namespace {
std::string sym(int from, int len) { return std::string(UNITLB.ULSYM.view().substr(from - 1, len)); }
}  // namespace

std::string F() { return std::string(UNITLB.ULLOD3.view()); }
std::string L() { return std::string(UNITLB.ULLEN2.view()); }
std::string SL() { return sym(1, 1); }
std::string DA() { return sym(2, 1); }
std::string RAD() { return sym(10, 3); }

bool readCoded(int unit, std::int32_t& number, double* v, int n) {
  std::string text;
  if (!io::readLine(unit, text)) return false;
  const char* p = text.c_str();
  char* end = nullptr;
  const long k = std::strtol(p, &end, 10);
  if (end == p) return false;
  number = static_cast<std::int32_t>(k);
  for (int i = 0; i < n; ++i) {
    p = end;
    v[i] = std::strtod(p, &end);
    if (end == p) return false;
  }
  return true;
}

void shortScratch(int unit, const char* name) {
  // A table left out is content missing: the run does not end as complete.
  io::fail(unit, FNAMES.FNU(unit).trimmed(), false);
  const std::string msg = anl::blanks(5) + "ERROR : SCRATCH FILE " + name +
                          " ENDS EARLY OR HOLDS A DAMAGED RECORD; TABLE NOT PRINTED";
  for (int u : {U_RESULTS, U_SUMMARY, U_LOG}) {
    anl::empty(u);
    anl::out(u, msg);
  }
}

}  // namespace drelm::cst
