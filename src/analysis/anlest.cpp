#include "analysis/anlest.h"

#include <algorithm>
#include <cmath>

#include "results/anlio.h"
#include "model/casecur.h"
#include "cap/passfile.h"
#include "capstiff/captstf.h"
#include "capstiff/stfhead.h"
#include "report/writers.h"
#include "model/model.h"

namespace drelm {

namespace {

using anl::blanks;
using anl::out;

// Integer part of an estimation value; 0 for a value no integer holds.
std::int32_t intPart(double x) { return std::isfinite(x) && std::fabs(x) < 2.0E9 ? static_cast<std::int32_t>(x) : 0; }

// Parameter k (1 .. 12) of the method, after the NF load factors.
double param(std::int32_t NF, int k) {
  const int at = NF + k;
  return at >= 1 && at <= MAXEST ? CASECUR.CESTV(at) : 0.0;
}

// Target value of degree of freedom dof, before the point's factor. A plane
// rotation takes the rotation target, as the input echo shows it.
double targetOf(std::int32_t NF, std::int32_t dof) {
  if (dof < 1 || dof > 6) return 0.0;
  return param(NF, 2 + (!anl::space() && dof == 3 ? 6 : dof));
}

// The pass load from PSAVE: the whole vector times the factor, or only the
// target component.
void scaled(const double* from, double f, std::int32_t SELDMD, std::int32_t dof, double* to) {
  for (int i = 0; i < 6; ++i) to[i] = SELDMD == 0 ? from[i] * f : from[i];
  const int k = anl::loadSlot(dof);
  if (SELDMD != 0 && k >= 0 && k < 6) to[k] = from[k] * f;
}

void flushed(int u, const std::string& s) {
  out(u, s);
  io::FLUSH(u);
}

struct Method {
  std::int32_t NF = 0;
  std::int32_t kind = 0;   // 0 total applied load, 1 target deflection
  std::int32_t KGEOM = 0;  // axial-force terms in the head stiffnesses
};

// Point set-up: loads, the search state and the point lines. Returns the
// number of passes of the point.
int setUpPoint(std::int32_t c, const Method& m, anl::PassLoads& L) {
  CASECUR_T& C = CASECUR;
  SESTIM_T& S = SESTIM;
  C.IPRDOF = 0;
  anl::caseLoads(c, L);
  if (C.IPOINT == 1) {
    S.SEMODE = 0;
    STFHEAD(m.kind, RUNCTL.IANTYP);
  }
  int loops = 1;
  S.SEMODE = 1;
  if (m.kind == 1) {
    loops = intPart(param(m.NF, 10));
    S.SETOL = param(m.NF, 9);
  } else {
    S.SETOL = 1.0;
  }
  if (C.IPOINT == 1) {
    S.SENHIS = 0;
  } else {
    S.SENHIS = 1;
    S.SEHDSP(1) = S.SEDSP1;
    S.SEHFAC(1) = S.SEFAC1;
  }
  std::int32_t dof = intPart(param(m.NF, 2));
  if (!anl::space() && dof == 6) dof = 3;
  S.SEIDOF = dof;
  S.SELDMD = m.kind != 0 ? intPart(param(m.NF, 12)) : 0;
  S.SEFACT = C.CESTV(C.IPOINT);
  S.SEDTGT = dof > 0 ? targetOf(m.NF, dof) * S.SEFACT : 0.0;
  scaled(L.PCAP, S.SEFACT, S.SELDMD, dof, L.PSAVE);

  const std::string point = "STIFFNESS ESTIMATION, POINT : " + intField(4, C.IPOINT) + "/" +
                            intField(4, C.NPOINT - 1) + " FACTOR : " + anl::ffield(12, 5, S.SEFACT);
  anl::empty(U_LOG);
  flushed(U_LOG, blanks(5) + point);
  out(U_STATUS, blanks(6) + point);
  anl::empty(U_RESULTS);
  out(U_RESULTS, blanks(4) + "   N:" + intField(5, C.IPOINT) + "  FACTOR :" + anl::ffield(10, 4, S.SEFACT));
  return loops;
}

// The load of one estimation pass and its lines.
void passLoad(const Method& m, anl::PassLoads& L) {
  SESTIM_T& S = SESTIM;
  if (m.kind == 1) {
    if (S.SENHIS == 1) {
      S.SEFACT = 1.0;
      std::copy(std::begin(L.PSAVE), std::end(L.PSAVE), std::begin(L.PCAP));
    } else {
      S.SEFACT = 1.0;
      FACPRED();
      S.SELDMD = intPart(param(m.NF, 12));
      scaled(L.PSAVE, S.SEFACT, S.SELDMD, S.SEIDOF, L.PCAP);
    }
    const std::string pass = "STIFFNESS ESTIMATION, ITER : " + intField(5, S.SENHIS) + " FACTOR : " +
                             anl::ffield(12, 5, S.SEFACT);
    anl::empty(U_LOG);
    out(U_LOG, blanks(5) + pass);
    std::string load = blanks(5) + "LOAD : ";
    for (double p : L.PCAP) load += anl::efield(13, 5, p);
    anl::empty(U_LOG);
    flushed(U_LOG, load);
    flushed(U_ITER, blanks(5) + pass);
  } else {
    std::copy(std::begin(L.PSAVE), std::end(L.PSAVE), std::begin(L.PCAP));
  }
  out(U_STATUS, blanks(6) + "STIFFNESS ESTIMATION, ITER : " + intField(5, S.SENHIS) + " FACTOR : " +
                    anl::ffield(12, 5, S.SEFACT));
}

// After the passes: the equivalent cap stiffness of the point from the pass
// file its last pass left, or the failed point line.
void finishPoint(const Method& m, anl::PassLoads& L, std::int32_t& ISTAT) {
  CASECUR_T& C = CASECUR;
  const double f = C.CESTV(C.IPOINT);
  const auto failed = [&]() {
    out(U_REPORT, blanks(4) + "   -1" + "   N:" + intField(5, C.IPOINT) + "  FACTOR :" + anl::ffield(10, 4, f));
  };
  if (SESTIM.SESTAT < 0) {
    failed();
    return;
  }
  if (!PASSRD()) {
    // The last pass left no stiffness blocks: no stiffness for this point.
    failed();
    anl::empty(U_LOG);
    flushed(U_LOG, blanks(5) + "NOTE: PASS FILE HOLDS NO STIFFNESSES, NO EQUIVALENT STIFFNESS FOR THIS POINT");
    return;
  }
  out(U_CAPNODE, blanks(5) + "POINT=" + intField(5, C.IPOINT));
  double KCAP[36];
  CAPTSTF(ISTAT, m.KGEOM, m.NF, C.IPOINT, f, L.FLDOUT, L.UCPOUT, KCAP);
}

}  // namespace

std::int32_t estimationFactors() {
  const std::int32_t n = CASECUR.NESTV;
  return n > 12 ? n - 12 : n;
}

bool estimationPoints(std::int32_t c, anl::PassLoads& L, std::int32_t& ISTAT) {
  CASECUR_T& C = CASECUR;
  SESTIM_T& S = SESTIM;
  Method m;
  m.NF = estimationFactors();
  m.kind = intPart(param(m.NF, 1));
  m.KGEOM = param(m.NF, 11) > 0.0 ? 1 : 0;
  out(U_CAPNODE, blanks(5) + "LOAD CASE=" + intField(5, c) + blanks(5) + "NPOINTS=" + intField(5, C.NPOINT - 1));

  for (C.IPOINT = 1; C.IPOINT < C.NPOINT; ++C.IPOINT) {
    const int loops = setUpPoint(c, m, L);
    for (C.LOOPNO = 1; C.LOOPNO <= loops; ++C.LOOPNO) {
      passLoad(m, L);
      std::copy(std::begin(L.UPOD0), std::end(L.UPOD0), std::begin(L.UPOD));
      if (loops <= 1)
        S.SESTAT = m.kind != 0 ? 0 : 3;
      else
        S.SESTAT = loops > C.LOOPNO ? 2 : 1;
      anl::runPass(false, L, ISTAT);
      if (ISTAT != 0) {
        io::CLOSE(U_KMAT);
        return false;
      }
      if (S.SESTAT <= 0) break;
      // Target still off (or the last allowed pass): the pair joins the
      // history the next factor is predicted from.
      if (S.SENHIS == 0) {
        S.SEDSP1 = S.SEDCMP;
        S.SEFAC1 = S.SEFACT;
      }
      if (S.SENHIS < MAXHIS) {
        ++S.SENHIS;
        S.SEHDSP(S.SENHIS) = S.SEDCMP;
        S.SEHFAC(S.SENHIS) = S.SEFACT;
      }
    }
    finishPoint(m, L, ISTAT);
  }
  return true;
}

void estimationTotalLoadLines() {
  anl::empty(U_LOG);
  flushed(U_LOG, blanks(5) + "ANALYSIS DUE TO TOTAL LOAD");
  out(U_STATUS, blanks(6) + "ANALYSIS DUE TO TOTAL LOAD");
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u);
    out(u, blanks(5) + "* ANALYSIS DUE TO TOTAL LOAD *");
    anl::empty(u);
  }
}

}  // namespace drelm
