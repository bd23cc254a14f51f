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
