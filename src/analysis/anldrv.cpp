// The analysis stage of a run: every load case in input order, then every
// load combination, each through its analysis passes of the cap solution;
// the envelopes after each series; the printed p-y curves and the per-pile
// curve file at the end.
#include "analysis/anldrv.h"

#include <algorithm>
#include <cstdint>

#include "analysis/anlest.h"
#include "results/anlio.h"
#include "analysis/anlpass.h"
#include "analysis/anlrec.h"
#include "input/capload.h"
#include "model/casecur.h"
#include "analysis/crvfile.h"
#include "analysis/dlnode.h"
#include "results/envewr.h"
#include "results/envewr2d.h"
#include "pile/envpil.h"
#include "prep/prepro.h"
#include "results/envtabl.h"
#include "cap/caprec.h"
#include "capstiff/capldtab.h"
#include "capstiff/flexdof.h"
#include "capstiff/flexstf.h"
#include "report/writers.h"
#include "model/model.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

using anl::blanks;
using anl::out;
using anl::PassLoads;
using anl::runPass;
using anl::space;

// The controls of a case (or combination) row into the current controls.
struct Controls {
  std::int32_t IPRLEV, NPRNOD, MAXITC, NTHLIM, MAXITL, KSTCYC, NCYC, IALTOL, IAXVAR, IEIPRV;
  double TOLCAP, TOLPIL, DTCUR0, DTCMIN, ALTDSP, ALTROT;
};

void copyControls(const Controls& c) {
  CURCTL.TOLCAP = c.TOLCAP;
  CURCTL.TOLPIL = c.TOLPIL;
  CURCTL.DTCUR0 = c.DTCUR0;
  CURCTL.DTCMIN = c.DTCMIN;
  CURCTL.ALTDSP = c.ALTDSP;
  CURCTL.ALTROT = c.ALTROT;
  CURCTL.IALTOL = c.IALTOL;
  CURCTL.MAXITC = c.MAXITC;
  SOILCOM.MAXITL = c.MAXITL;
  CURCTL.NTHLIM = c.NTHLIM;
  CURCTL.KSTCYC = c.KSTCYC;
  CURCTL.NCYCL = static_cast<double>(c.NCYC);
  CURCTL.IAXVAR = c.IAXVAR;
  CURCTL.IEIPRV = c.IEIPRV;
  CURCTL.IPRLEV = c.IPRLEV;
  CURCTL.NPRNOD = c.NPRNOD;
  // The largest thread count is reported per case.
  TIMBLK.NTHUSE = 1;
}

Controls caseControls(int c) {
  const auto I = [&](int j) { return CASEIN.CASCTL(c, j); };
  const auto R = [&](int j) { return CASEIN.CASTOL(c, j); };
  return {I(18), I(19), I(6), I(3), I(7), I(4), I(5), I(20), I(21), I(51), R(1), R(2), R(3), R(4), R(6), R(7)};
}

Controls combControls(int k) {
  const auto I = [&](int j) { return COMBIN.CMBCTL(k, j); };
  const auto R = [&](int j) { return COMBIN.CMBTOL(k, j); };
  return {I(9), I(10), I(6), I(3), I(7), I(4), I(5), I(11), I(12), I(41), R(1), R(2), R(3), R(4), R(7), R(8)};
}

// A stop request (status 4) or a failed file (41) ends the run with the files
// of the analysis closed.
bool stopped(std::int32_t& ISTAT, bool caseLoop) {
  if (!runEnds(ISTAT)) return false;
  if (caseLoop) io::CLOSE(U_KMAT);
  return true;
}

// The status lines of a finished case, combination or envelope reach the
// status file only once every report written so far is on disk: a file that
// failed ends the run with 41 and its lines are dropped. The host follows
// the file while the run goes on.
bool committed(std::int32_t& ISTAT, bool caseLoop) {
  if (io::commit(U_STATUS)) return true;
  ISTAT = STAT_OPEN_FAILED;
  if (caseLoop) io::CLOSE(U_KMAT);
  return false;
}

// Lines that open the total-load pass after the points of an estimation.
void totalLoadLines() {
  anl::empty(U_LOG);
  out(U_LOG, blanks(5) + "ANALYSIS DUE TO TOTAL LOAD");
  io::FLUSH(U_LOG);
  out(U_ITER, blanks(5) + "ANALYSIS DUE TO TOTAL LOAD");
  io::FLUSH(U_ITER);
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u);
    out(u, blanks(5) + "* ANALYSIS DUE TO TOTAL LOAD *");
    anl::empty(u);
  }
}

// The unit-load points of case c: one point per cap degree of freedom, one
// pass per load level with only that component of the case load, each pass
// leaving its coded records for the flexibility tables. Returns false when
// the run ends (status set).
bool unitLoadPoints(std::int32_t c, PassLoads& L, std::int32_t& ISTAT) {
  CASECUR_T& C = CASECUR;
  CASELD(c, L.PCAP);
  if (CASEIN.LCKIND(c) == 1) SPECDL(c, L.PCAP, L.PPOD, L.UPOD, L.XPOD, L.KPOD);
  CLRDL();
  std::copy(std::begin(L.PCAP), std::end(L.PCAP), std::begin(L.PSAVE));

  const std::string head = blanks(5) + "* PILE CAP FLEXIBILITY ESTIMATION *";
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u, 2);
    out(u, head);
  }
  out(U_REPORT, head);
  out(U_LOG, head);
  io::FLUSH(U_LOG);
  // Every case of the method writes its records from an empty file.
  io::openChecked(U_FLXSCR, FNAMES.FNU(U_FLXSCR).trimmed(), io::Access::Work);

  // The load of each degree of freedom in its order (a plane case: the
  // vertical and horizontal forces and the moment).
  const std::int32_t NDOF = anl::capDofs();
  double load[6] = {};
  for (int j = 1; j <= NDOF; ++j) load[j - 1] = L.PSAVE[anl::loadSlot(j)];

  std::int32_t ICLDOP = 0;
  for (C.IPOINT = 1; C.IPOINT < C.NPOINT; ++C.IPOINT) {
    C.IPRDOF = 0;
    CLRDL();
    const std::int32_t loops = C.NESTV;
    C.IPRDOF = 2;
    std::int32_t ISKIP = 0;
    FLEXDOF(2, C.IPOINT, RUNCTL.IANTYP, loops, NDOF, load, ISKIP);
    if (ISKIP == 1) continue;
    io::openChecked(U_CLDSCR, FNAMES.FNU(U_CLDSCR).trimmed(), io::Access::Work);
    ICLDOP = 1;
    SESTIM.SENHIS = 0;
    const int slot = anl::loadSlot(C.IPOINT);
    for (C.LOOPNO = 1; C.LOOPNO <= loops; ++C.LOOPNO) {
      std::fill(std::begin(L.PCAP), std::end(L.PCAP), 0.0);
      L.PCAP[slot] = C.CESTV(C.LOOPNO) * L.PSAVE[slot];
      const std::string line = "DOF : " + intField(5, C.IPOINT) + " POINT : " + intField(5, C.LOOPNO);
      out(U_LOG, blanks(5) + line);
      io::FLUSH(U_LOG);
      out(U_STATUS, blanks(6) + line);
      runPass(false, L, ISTAT);
      if (ISTAT != 0) {
        if (ICLDOP == 1) io::CLOSE(U_CLDSCR);
        io::CLOSE(U_FLXSCR);
        io::CLOSE(U_KMAT);
        return false;
      }
    }
    CAPLDTAB(C.IPRDOF, C.IPOINT, loops, RUNCTL.IANTYP, NDOF, ICLDOP);
  }
  return true;
}

// Load case c. Returns false when the run ends (status set).
bool analyseCase(std::int32_t c, std::int32_t& ISTAT) {
  CASECUR_T& C = CASECUR;
  C.ICASE = c;
  C.ICOMB = 0;
  C.KESTCU = 0;
  if (c == 1) {
    anl::seriesBanners(false);
    ENVPIL.ENVFST = 1;
    if (space()) ENVRS();
    else ENVRS2D();
  }
  anl::caseHeading(false, c);
  if (CASEIN.CASCTL(c, 22) == 1) {
    anl::skipLines(false);
    return true;
  }
  anl::analysedLines(false, c);
  copyControls(caseControls(c));
  C.RFBEND = C.RFSHR = 1.0;
  C.NESTV = std::clamp<int>(CASEIN.CASCTL(c, 17), 0, MAXEST);
  const std::int32_t kind = CASEIN.CASCTL(c, 9);
  if (kind > 0)
    for (int i = 1; i <= C.NESTV; ++i) C.CESTV(i) = CASEIN.LCEST(c, i);
  const bool unitLoad = kind >= 1 && kind <= 10;
  const bool equivalent = kind >= 11;
  C.KESTCU = kind;
  C.NPOINT = unitLoad ? anl::capDofs() + 1 : (equivalent ? estimationFactors() + 1 : 1);
  SESTIM.SEMODE = 0;
  SESTIM.SENHIS = 0;

  PassLoads L;
  if (unitLoad && !unitLoadPoints(c, L, ISTAT)) return false;
  if (equivalent && !estimationPoints(c, L, ISTAT)) return false;

  // The total-load point: the case's own load, one pass.
  C.IPOINT = C.NPOINT;
  C.IPRDOF = 0;
  if (unitLoad)
    FLEXSTF(CASEIN.CASCTL(c, 10), CASEIN.CASCTL(c, 11), C.NESTV, anl::capDofs(), 6, &C.CESTV(1));
  SESTIM.SEMODE = 0;
  anl::caseLoads(c, L);
  if (equivalent) estimationTotalLoadLines();
  const int loops = 1;
  for (C.LOOPNO = 1; C.LOOPNO <= loops; ++C.LOOPNO) {
    std::copy(std::begin(L.PSAVE), std::end(L.PSAVE), std::begin(L.PCAP));
    std::copy(std::begin(L.UPOD0), std::end(L.UPOD0), std::begin(L.UPOD));
    if (!equivalent) {
      if (C.IPOINT > 1) totalLoadLines();
      anl::totalLoadStatus();
    }
    runPass(false, L, ISTAT);
    if (ISTAT != 0) {
      io::CLOSE(U_KMAT);
      return false;
    }
  }
  C.LOOPNO = loops;
  anl::progressLine(false, c, true);
  anl::logFinished(false, c);
  anl::phaseTiming();
  return !stopped(ISTAT, true);
}

// Load combination k. Returns false when the run ends (status set).
bool analyseCombination(std::int32_t k, std::int32_t& ISTAT) {
  CASECUR_T& C = CASECUR;
  C.ICASE = k;
  C.ICOMB = k;
  C.KESTCU = 0;
  if (k == 1) {
    anl::seriesBanners(true);
    ENVPIL.ENVFST = 1;
    if (space()) ENVRS();
    else ENVRS2D();
  }
  anl::caseHeading(true, k);
  if (COMBIN.CMBCTL(k, 13) == 1) {
    anl::skipLines(true);
    return true;
  }
  anl::analysedLines(true, k);
  copyControls(combControls(k));
  C.RFBEND = COMBIN.CMBTOL(k, 5);
  C.RFSHR = COMBIN.CMBTOL(k, 6);
  C.NPOINT = 1;
  C.IPOINT = 1;
  C.IPRDOF = 0;
  C.LOOPNO = 1;
  SESTIM.SEMODE = 0;
  SESTIM.SENHIS = 0;

  PassLoads L;
  COMBLD(k, L.PCAP);
  COMBDL(k);
  AXLDRES(L.PCAP);
  anl::totalLoadStatus();
  runPass(true, L, ISTAT);
  if (ISTAT != 0) return false;
  anl::progressLine(true, k, true);
  anl::logFinished(true, k);
  anl::phaseTiming();
  return !stopped(ISTAT, false);
}

// Minimum and maximum envelopes of a series (1 cases, 2 combinations) of
// `members` cases in the input; a series the input does not have gets a
// note in their place, not the store of another series under its name.
// Returns false when the run ends (status set).
bool envelopes(std::int32_t series, int members, std::int32_t& ISTAT) {
  for (std::int32_t sel = 1; sel <= 2; ++sel) {
    if (members == 0) anl::envelopeMissing(series, sel);
    else if (space()) ENVEWR(series, sel);
    else ENVEWR2D(series, sel);
    if (!committed(ISTAT, false)) return false;
  }
  return true;
}

// Printed p-y curves, then the per-pile curve file.
void closing(std::int32_t& KPYOPT, std::int32_t& ISTAT) {
  PYTABN(KPYOPT, ISTAT);
  CRVFWR(ISTAT);
  if (CURCTL.KPYLST == 1) CURCTL.KPYLST = 0;
  RUNCTL.IOUTPS = 0;
}

// A case or combination that is not skipped, and solved by evaluating the
// piles: a run that only writes the plate model's decks evaluates none.
bool analysesAny() {
  if (space() && FECOPT.IFECAP == 2) return false;
  for (int c = 1; c <= std::clamp<int>(CASEIN.NLCASE, 0, MAXLC); ++c)
    if (CASEIN.CASCTL(c, 22) != 1) return true;
  for (int k = 1; k <= std::clamp<int>(COMBIN.NCOMB, 0, MAXCMB); ++k)
    if (COMBIN.CMBCTL(k, 13) != 1) return true;
  return false;
}

}  // namespace

void ANLDRV(std::int32_t& KPYOPT, std::int32_t& ISTAT) {
  // The piles are evaluated, and checked against the soil profile, only when
  // a case or combination is analysed by them.
  if (analysesAny()) {
    ANLTIP(ISTAT);
    if (ISTAT != 0) return;
  }
  io::hold(U_STATUS);
  anl::openingLines();
  ENVPIL.ENVFST = 0;

  io::openChecked(U_KMAT, FNAMES.FNU(U_KMAT).trimmed(), io::Access::Write);
  const int ncase = std::clamp<int>(CASEIN.NLCASE, 0, MAXLC);
  for (std::int32_t c = 1; c <= ncase; ++c) {
    CASECUR.ICASE = c;
    anl::progressLine(false, c, false);
    if (stopped(ISTAT, true)) return;
    if (!analyseCase(c, ISTAT)) return;
    if (!committed(ISTAT, true)) return;
  }
  io::CLOSE(U_KMAT);
  if (ENVOPT.IENVLC > 0 && !envelopes(1, ncase, ISTAT)) return;

  const int ncomb = std::clamp<int>(COMBIN.NCOMB, 0, MAXCMB);
  for (std::int32_t k = 1; k <= ncomb; ++k) {
    CASECUR.ICASE = k;
    CASECUR.ICOMB = k;
    anl::progressLine(true, k, false);
    if (stopped(ISTAT, false)) return;
    if (!analyseCombination(k, ISTAT)) return;
    if (!committed(ISTAT, false)) return;
  }
  if (ENVOPT.IENVCB > 0 && !envelopes(2, ncomb, ISTAT)) return;

  closing(KPYOPT, ISTAT);
}

}  // namespace drelm
