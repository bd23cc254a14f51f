#include "capstiff/flexdof.h"

#include <cmath>
#include <string>

#include "results/anlio.h"
#include "cap/caprec.h"
#include "report/writers.h"
#include "model/model_run.h"

namespace drelm {

namespace {

const char* dofName(std::int32_t DOF, std::int32_t IANTYP) {
  switch (DOF) {
    case 1: return "1 (FORCE X)";
    case 2: return "2 (FORCE Y)";
    case 3: return IANTYP == 2 ? "3 (MOMENT Z)" : "3 (FORCE Z)";
    case 4: return "4 (MOMENT X)";
    case 5: return "5 (MOMENT Y)";
    case 6: return "6 (MOMENT Z)";
    default: return "";
  }
}

}  // namespace

void FLEXDOF(std::int32_t /*mode*/, std::int32_t DOF, std::int32_t IANTYP, std::int32_t NLEV, std::int32_t NDOF,
             const double* load, std::int32_t& ISKIP) {
  using anl::blanks;
  using anl::out;
  ISKIP = 0;
  std::string name = dofName(DOF, IANTYP);
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u);
    out(u, blanks(5) + "DOF   : " + name);
  }
  // "1 (FORCE X)" becomes "1, FORCE X".
  std::string shortName = name;
  if (shortName.size() > 3) shortName = shortName.substr(0, 1) + ", " + shortName.substr(3, shortName.size() - 4);
  out(U_REPORT, blanks(5) + "CAP FLEX., " + shortName);

  const bool inside = DOF >= 1 && DOF <= NDOF && NDOF <= 6;
  if (inside && std::fabs(load[DOF - 1]) >= 1.0E-12) return;

  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u);
    out(u, "             DOF NOT CONSIDERED SINCE APPLIED FORCE AT CAP IS ZERO");
  }
  for (std::int32_t g = 1; g <= NLEV; ++g) {
    out(U_STATUS, blanks(6) + "DOF : " + intField(5, DOF) + " POINT : " + intField(5, g));
    out(U_STATUS, "    5 ANALYSIS SKIPPPED APPLIED FORCE AT CAP IS ZERO");
  }
  double v[6] = {};
  if (inside) v[DOF - 1] = 1.0;
  const int n = NDOF < 6 ? NDOF : 6;
  for (std::int32_t g = 1; g <= NLEV; ++g) {
    codedRecord(U_FLXSCR, g, v, n);
    WRBLNK(U_REPORT, 5);
    WRINT(U_REPORT, 5, -g);
    WRBLNK(U_REPORT, 4);
    WRREAL(U_REPORT, 18, 8, 0.0);
    WREOL(U_REPORT);
  }
  ISKIP = 1;
}

}  // namespace drelm
