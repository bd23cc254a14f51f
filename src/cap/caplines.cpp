#include "cap/caplines.h"

#include "report/writers.h"
#include "model/model.h"

namespace drelm::cap {

std::string fileName(int unit) { return FNAMES.FNU(unit).trimmed(); }

void values(int u, int lead, int w, int d, const double* v, int n) {
  WRBLNK(u, lead);
  for (int i = 0; i < n; ++i) WRREAL(u, w, d, v[i]);
  WREOL(u);
}

namespace {

void fullLine(int u, const double* v, int N) {
  for (int i = 0; i < N; ++i) {
    WRREAL(u, 18, 8, v[i]);
    WRBLNK(u, 5);
  }
  WREOL(u);
}

}  // namespace

void reportTableL(const double* P, const double* U, int N) {
  text(U_REPORT, sp(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  text(U_REPORT, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  fullLine(U_REPORT, P, N);
  text(U_REPORT, "* DISPLACEMENT OF PILE CAP AT ORIGIN *");
  fullLine(U_REPORT, U, N);
}

std::string momentUnit() { return UNITLB.ULLOD3.str() + "-" + UNITLB.ULLEN2.str(); }

void tableHeading(int u, const std::string& title) {
  for (int k = 0; k < 3; ++k) emptyLine(u);
  text(u, sp(5) + title);
}

void blockHeading(int u, const std::string& title, int after) {
  emptyLine(u);
  emptyLine(u);
  text(u, sp(5) + title);
  for (int k = 0; k < after; ++k) emptyLine(u);
}

}  // namespace drelm::cap
