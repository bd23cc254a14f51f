#include "cap/caprec.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/casecur.h"
#include "cap/caplines.h"
#include "numeric/matrix.h"
#include "report/gfield.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "input/stopreq.h"

namespace drelm {

using namespace cap;

namespace {

bool pointVariant() { return !(CASECUR.NPOINT == 1 || CASECUR.IPOINT == CASECUR.NPOINT); }

}  // namespace

std::string eField(int w, int d, double x) {
  std::string s;
  if (!std::isfinite(x)) {
    s = std::isnan(x) ? "NaN" : (x > 0 ? "Infinity" : "-Infinity");
  } else if (d < 1) {
    s = "0.E+00";
  } else {
    int e = 0;
    std::string digits(static_cast<std::size_t>(d), '0');
    if (x != 0.0) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(x));
      // buf: D.DDDDe+XX
      std::string m(buf);
      const std::size_t ep = m.find('e');
      digits = m.substr(0, 1) + (d > 1 ? m.substr(2, ep - 2) : std::string());
      e = std::stoi(m.substr(ep + 1)) + 1;
    }
    char ex[16];
    if (std::abs(e) <= 99)
      std::snprintf(ex, sizeof ex, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    else
      std::snprintf(ex, sizeof ex, "%c%03d", e < 0 ? '-' : '+', std::abs(e));
    s = std::string(std::signbit(x) && x != 0.0 ? "-" : "") + "0." + digits + ex;
  }
  if (static_cast<int>(s.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

std::string progressText(ProgressForm form, std::int32_t ISCOMB, std::int32_t N, double T,
                         std::int32_t B, ProgressPoint PT) {
  const std::int32_t total = ISCOMB == 0 ? CASEIN.NLCASE : COMBIN.NCOMB;
  std::string s = std::string("- ANALYSIS FOR LOAD ") + (ISCOMB == 0 ? "CASE " : "COMB ") +
                  intField(3, CASECUR.ICASE) + "/" + intField(3, total) + " (" +
                  intField(2, TIMBLK.NTHUSE) + "/" + intField(2, TIMBLK.NPROCS) + " proc.)\n";
  const bool pv = pointVariant();
  if (pv) s += PT.label + intField(3, CASECUR.IPOINT) + "/" + intField(3, CASECUR.LOOPNO);
  s += " STEP:" + intField(5, N);
  const std::string t = pv ? fixedField(PT.w, PT.d, T) : fixedField(10, 4, T);
  switch (form) {
    case ProgressForm::Iteration: s += " TCUR:" + t + " ITERATION:" + intField(5, B); break;
    case ProgressForm::Step: s += " TCUR:" + t + " COMPLETED"; break;
    case ProgressForm::End: s += " COMPLETED"; break;
  }
  return s + "\n";
}

void PRGREC(ProgressForm form, std::int32_t ISCOMB, std::int32_t N, double T, std::int32_t B,
            ProgressPoint PT) {
  if (!io::openChecked(U_PROGRESS, fileName(U_PROGRESS), io::Access::Write)) return;
  io::put(U_PROGRESS, progressText(form, ISCOMB, N, T, B, PT));
  emptyLine(U_PROGRESS);
  io::CLOSE(U_PROGRESS);
}

bool STOPRQ() { return stopFileRequests(); }

bool runEnds(std::int32_t& ISTAT) {
  if (io::writeFailed()) {
    ISTAT = STAT_OPEN_FAILED;
    return true;
  }
  if (!STOPRQ()) return false;
  ISTAT = STAT_STOPPED;
  return true;
}

void logGlobalHeading() {
  emptyLine(U_LOG);
  text(U_LOG, "     GLOBAL ITERATIONS");
  io::FLUSH(U_LOG);
}

void logStep(std::int32_t N, double TCUR, double DTCUR) {
  text(U_LOG, "     STEP " + intField(5, N) + ", TCUR " + fixedField(10, 4, TCUR) + ", DTCUR " +
                  fixedField(10, 4, DTCUR));
  io::FLUSH(U_LOG);
}

void logIteration(std::int32_t B, const double* dU, const double* Us, std::int32_t IALTOL) {
  text(U_LOG, "     ITERATION " + intField(4, B));
  io::FLUSH(U_LOG);
  double incD, incR, totD, totR, maxD, maxR;
  CAPNRM(dU, incD, incR);
  CAPNRM(Us, totD, totR);
  CAPMAX(dU, maxD, maxR);
  const double errD = totD != 0.0 ? incD / totD : incD;
  const double errR = totR != 0.0 ? incR / totR : incR;
  const std::string lead(19, ' ');
  text(U_LOG, lead + "- ErrDsp " + eField(13, 5, errD) + ", IncDsp " + eField(13, 5, incD) +
                  ", TotDsp " + eField(13, 5, totD));
  text(U_LOG, lead + "- ErrRot " + eField(13, 5, errR) + ", IncRot " + eField(13, 5, incR) +
                  ", TotRot " + eField(13, 5, totR));
  if (IALTOL == 1) text(U_LOG, lead + "- MaxDsp " + eField(13, 5, maxD) + ", MaxRot " + eField(13, 5, maxR));
}

void dumpIteration(std::int32_t B) {
  emptyLine(U_ITER);
  io::line(U_ITER, std::to_string(B));
}

void dumpVector(const char* tag, const double* v, int n) {
  std::string s(tag);
  s.resize(5, ' ');
  for (int i = 0; i < n; ++i) s += eField(13, 5, v[i]);
  text(U_ITER, s);
}

void warnSingular(int EMPTY, bool REPORTED) {
  for (int k = 0; k < EMPTY; ++k) emptyLine(U_LOG);
  text(U_LOG, "     ** WARNING **  DETERMINANT OF STIFFNESS MATRIX IS ZERO");
  io::FLUSH(U_LOG);
  if (REPORTED) text(U_RESULTS, "     ** WARNING **  DETERMINANT OF STIFFNESS MATRIX IS ZERO");
  raiseOutcome(KPIL_SINGULAR);
}

void warnNoConvergence(std::int32_t MAXITC) {
  for (int u : {U_RESULTS, U_LOG}) {
    emptyLine(u);
    emptyLine(u);
    text(u, "     ** WARNING **  PILE CAP DISPL DOES NOT CONVERGE AFTER," + intField(5, MAXITC) +
                "  ITERATIONS");
  }
  io::FLUSH(U_LOG);
}

void warnSteppingStopped(double TP, std::int32_t OUTCOME) {
  const char* reason = OUTCOME == KPIL_LATERAL || OUTCOME == KPIL_AXIAL ? "NO CONVERGENCE ON PILES"
                       : OUTCOME == KPIL_SINGULAR                     ? "SINGULAR STIFFNESS MATRIX"
                                                                      : "NO CONVERGENCE ON PILE CAP";
  for (int u : {U_RESULTS, U_LOG}) {
    emptyLine(u);
    emptyLine(u);
    text(u, std::string("     ** WARNING **  LOAD STEPPING STOPPED AT ") + fixedField(8, 2, 100.0 * TP) +
                " % OF THE TOTAL LOAD: " + reason);
  }
  io::FLUSH(U_LOG);
}

void writeCapacityWarnings(const CapacityWarning* kinds, int N) {
  const std::string warn = "     ** WARNING **  ";
  const std::string indent(20, ' ');
  std::int32_t total = 0;
  for (int i = 0; i < N; ++i) {
    const CapacityWarning& k = kinds[i];
    if (k.count <= 0) continue;
    total += k.count;
    emptyLine(U_RESULTS);
    text(U_RESULTS, warn + k.title);
    text(U_RESULTS, indent + k.line2);
    text(U_RESULTS, indent + k.line3);
    emptyLine(U_LOG);
    text(U_LOG, warn + k.log);
    raiseOutcome(KPIL_WARNED);
  }
  copyPileWarnings(total);  // in the order the piles wrote them
}

void capacityWarnings() {
  // The log names the kind as reached its curve's end, or as may fail.
  const bool reached = RUNCTL.ICRVMX == 1;
  const auto log = [&](const char* end, const char* fail) {
    return reached ? std::string("SOME PILES REACHED MAXIMUM") + end : std::string("SOME PILES MAY FAIL IN ") + fail;
  };
  const CapacityWarning kinds[3] = {
      {RUNCTL.NWBRG, "SOME PILES MAY FAIL IN BEARING!", "AXIAL DISPLACEMENT ESTIMATED IS LARGER THAN",
       "MAXIMUM DISPLACEMENT DEFINED IN AXIAL LOAD-DISPLACEMENT CURVE", log(" IN BEARING!", "BEARING!")},
      {RUNCTL.NWPULL, "SOME PILES MAY FAIL IN PULL OUT!", "AXIAL DISPLACEMENT ESTIMATED IS SMALLER THAN",
       "MINIMUM DISPLACEMENT DEFINED IN AXIAL LOAD-DISPLACEMENT CURVE", log(" IN PULL OUT!", "PULL OUT!")},
      {RUNCTL.NWTORS, "SOME PILES MAY FAIL IN TORSION!", "TORSIONAL ROTATION ESTIMATED IS LARGER/SMALLER",
       "THAN MAXIMUM/MINIMUM ROTATION DEFINED IN TORQUE-ROTATION CURVE", log(" IN TORSION!", "TORSION!")}};
  writeCapacityWarnings(kinds, 3);
}

void copyPileWarnings(std::int32_t total) {
  if (total <= 0) return;
  if (!io::openChecked(U_WARN, fileName(U_WARN), io::Access::ReadBack)) return;
  std::string line;
  std::int32_t i = 0;
  for (; i < total * 3 && io::readLine(U_WARN, line); ++i) {
    text(U_RESULTS, line);
    text(U_LOG, line);
  }
  // Warnings counted but not there: the file did not keep them.
  if (i < total * 3) io::fail(U_WARN, fileName(U_WARN), false);
  io::CLOSE(U_WARN);
}

void statusCompleted() { text(U_STATUS, "    1 ANALYSIS COMPLETED"); }
void statusPartial(double Tp) {
  text(U_STATUS, "    2 SOLUTION AT " + fixedField(8, 2, 100.0 * Tp) + " % OF THE TOTAL LOAD");
}
void statusNoCapConvergence() { text(U_STATUS, "    3 NO CONVERGENCE ON PILE CAP"); }
void statusNoPileConvergence() { text(U_STATUS, "    6 NO CONVERGENCE ON PILES   "); }
void statusSingular() { text(U_STATUS, "    7 SINGULAR STIFFNESS MATRIX "); }
void statusTargetOff() { text(U_STATUS, "    10 ANALYSIS COMPLETED"); }

void pointRecords(double X, bool RAW, const double* V, int N, bool FLEX) {
  double r1[7] = {X}, r2[6];
  for (int k = 0; k < N; ++k) {
    r1[k + 1] = V[k];
    r2[k] = RAW || X == 0.0 ? V[k] : V[k] / X;
  }
  codedRecord(U_CLDSCR, CASECUR.LOOPNO, r1, N + 1);
  codedRecord(U_CLDSCR, CASECUR.LOOPNO, r2, N);
  if (FLEX) codedRecord(U_FLXSCR, CASECUR.LOOPNO, r2, N);
}

void failedPointRecords(int N, bool FLEX) {
  const double z[7] = {};
  codedRecord(U_CLDSCR, -CASECUR.LOOPNO, z, N + 1);
  codedRecord(U_CLDSCR, -CASECUR.LOOPNO, z, N);
  if (!FLEX) return;
  double e[6] = {};
  if (CASECUR.IPOINT >= 1 && CASECUR.IPOINT <= N) e[CASECUR.IPOINT - 1] = 1.0;
  codedRecord(U_FLXSCR, CASECUR.LOOPNO, e, N);
}

std::string codedRecordText(std::int32_t number, const double* v, int n) {
  std::string s = "     " + intField(5, number) + "  ";
  for (int i = 0; i < n; ++i) s += generalField(18, 8, v[i]) + "   ";
  return s;
}

void codedRecord(int unit, std::int32_t number, const double* v, int n) {
  text(unit, codedRecordText(number, v, n));
}

}  // namespace drelm
