#include "results/envtabl.h"

#include <omp.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "results/anlio.h"
#include "results/tablel.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/model.h"
#include "report/timing.h"

namespace drelm::anl {

std::string len2() { return UNITLB.ULLEN2.str(); }
std::string load3() { return UNITLB.ULLOD3.str(); }
std::string load4() { return UNITLB.ULLOD4.str(); }
std::string momentLabel() { return load3() + "-" + len2(); }
std::string stressLabel() { return load3() + "/" + len2() + "**2"; }

int allCurvesFlag() {
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  for (int p = 1; p <= np; ++p)
    if (PILEAR.ILSCRV(p) < 1) return -1;
  return 1;
}

void values(int unit, const double* v, int n, int w, int d, bool force) {
  for (int i = 0; i < n; ++i) WRREAL(unit, w, d, force ? OUTFRC(v[i]) : v[i]);
  WREOL(unit);
}

namespace {

std::string envelopeLine(int KIND, int SEL) {
  return std::string(KIND != 2 ? "LOAD CASE ENV : " : "LOAD COMB. ENV : ") + (SEL == 1 ? "1" : "2");
}

// The envelope's name on the results report and the summary, and its first
// two lines in the case status file.
void envelopeTitle(int KIND, int SEL) {
  const std::string name = KIND != 2 ? "CASE NAME     : " : "COMB. NAME     : ";
  const std::string which = SEL == 1 ? "MINIMUM ENVELOPE" : "MAXIMUM ENVELOPE";
  for (int U : {U_RESULTS, U_SUMMARY}) {
    empty(U, 3);
    out(U, blanks(5) + envelopeLine(KIND, SEL));
    out(U, blanks(5) + name + which);
  }
  out(U_STATUS, envelopeLine(KIND, SEL));
  out(U_STATUS, blanks(6) + which);
}

}  // namespace

void envelopeMissing(int KIND, int SEL) {
  envelopeTitle(KIND, SEL);
  const std::string note = KIND != 2 ? "NOTE: NO LOAD CASE IN THE INPUT, NO ENVELOPE CALCULATED"
                                     : "NOTE: NO LOAD COMBINATION IN THE INPUT, NO ENVELOPE CALCULATED";
  for (int U : {U_RESULTS, U_SUMMARY}) out(U, blanks(5) + note);
  out(U_STATUS, "     9 ANALYSIS NOT PERFORMED");
}

void envelopeHeading(int KIND, int SEL, int N, CapTable capTable) {
  envelopeTitle(KIND, SEL);
  out(U_REPORT, envelopeLine(KIND, SEL));
  out(U_STATUS, "    1 CALCULATED AND PRINTED");

  double P[6], D[6];
  for (int i = 1; i <= N; ++i) {
    P[i - 1] = SEL == 1 ? ENVPIL.CAPFMN(i) : ENVPIL.CAPFMX(i);
    D[i - 1] = SEL == 1 ? ENVPIL.CAPDMN(i) : ENVPIL.CAPDMX(i);
  }
  capTable(U_RESULTS, P, D);
  capTable(U_SUMMARY, P, D);
  for (int U : {U_RESULTS, U_SUMMARY, U_SUMSCR}) {
    empty(U, U == U_SUMSCR ? 1 : 3);
    out(U, blanks(5) + "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
  }
  reportTableL(P, D, N);
  out(U_REPORT, "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE");
}

void copyNodes(int p, int SEL, PileCopy& c) {
  const ENVPIL_T& E = ENVPIL;
  const std::int32_t t = PILEAR.PROPOFPILE(p);
  const bool prop = t >= 1 && t <= MAXPRPS;
  const int ninc = prop ? std::clamp<int>(PILEPROP.NINC(t), 0, MAXNOD - 4) : 0;
  c.dx = prop && ninc > 0 ? PILEPROP.PLEN(t) / ninc : 0.0;
  c.nslot = ninc + 4;
  c.block.fill(0.0);
  for (int q = 1; q <= NNDQ; ++q)
    for (int n = 4; n <= c.nslot; ++n)
      c.block(n, q) = SEL == 0 ? E.NDCUR(p, n, q) : (SEL == 1 ? E.NDMIN(p, n, q) : E.NDMAX(p, n, q));
}

namespace {

// Piles of one batch of the result tables per thread.
constexpr int PILES_PER_THREAD = 32;

// Work item 0: the pile's compact records on the second results report:
// the N displacements, the N reactions and the stress of each system.
void reportItem(const PileCopy& c, int allCurves, int N) {
  constexpr int U = U_REPORT;
  out(U, "* PILE GROUP *" + intField(6, c.pile));
  const auto topLine = [&](int first) {
    WRBLNK(U, 5);
    for (int i = 0; i < N; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRBLNK(U, 5);
    for (int i = N; i < 2 * N; ++i) {
      WRREAL(U, 15, 8, c.top[first + i]);
      WRBLNK(U, 2);
    }
    WRREAL(U, 15, 8, c.top[first + 2 * N]);
    WREOL(U);
  };
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. GLOBAL");
  topLine(1);
  out(U, blanks(7) + "* PILE TOP DISP. AND REACT. LOCAL");
  topLine(14);
  out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  PRECWR(c, allCurves);
}

}  // namespace

void pileResultTables(const PileCopy& c, int KIND, int allCurves, TopBlock topBlock) {
  int level, step, alongLevel;
  if (KIND == 0) {
    level = ENVOPT.IPRLVS;
    step = ENVOPT.NPRNDS;
    alongLevel = level;
  } else if (KIND == 1) {
    level = ENVOPT.IPRLVC;
    step = ENVOPT.NPRNDC;
    alongLevel = level;
  } else {
    level = ENVOPT.IPRLVB;
    step = ENVOPT.NPRNDB;
    alongLevel = level > 1 ? level : 0;
  }
  constexpr int U = U_RESULTS;
  if (level > 0) {
    empty(U, 2);
    out(U, blanks(7) + "* PILE GROUP *" + intField(6, c.pile));
    empty(U, 2);
    out(U, blanks(8) + "* PILE TOP DISPLACEMENTS AND REACTIONS *");
    empty(U);
    empty(U);
    out(U, blanks(7) + "THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
    out(U, blanks(7) + HYPHENS);
    empty(U);
    topBlock(c, 1, false);
    empty(U, 2);
    out(U, blanks(7) + "THE PILE COORDINATE SYSTEM (LOCAL AXES)");
    out(U, blanks(7) + HYPHENS);
    empty(U);
    topBlock(c, 14, true);
  }
  if (alongLevel > 0) {
    empty(U, 2);
    out(U, blanks(8) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
    empty(U);
    ColumnFlags flags;
    COLSEL(KIND != 0 ? 1 : 0, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP, flags);
    EFFHDR(flags, 0);
    EFFROW(flags, c, step);
  }
  PMINMAX(c);
}

void pileItems(int p, int KIND, int SEL, int N, int allCurves, CopyPile copy, ResultsItem results, PileCopy& c,
               io::Capture& out) {
  copy(p, SEL, c);
  out.start();
  reportItem(c, allCurves, N);
  results(c, KIND, allCurves);
  out.stop();
}

void pileTables(int KIND, int SEL, int N, int allCurves, CopyPile copy, ResultsItem results) {
  io::openChecked(U_PILSCR, FNAMES.FNU(U_PILSCR).trimmed(), io::Access::Work);
  const int np = std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL);
  const int t = THRDENV(CURCTL.NTHLIM, TIMBLK.NTHUSE, TIMBLK.NTHRUN, RUNCTL.NPILE, 0);
  const double t0 = wallClock();
  // Piles are formatted side by side into buffers of their own and written
  // in pile order, a batch at a time so that the buffers of a large group
  // stay small; they keep their memory from one batch to the next.
  const int batch = std::min(np, PILES_PER_THREAD * t);
  std::vector<io::Capture> out(static_cast<std::size_t>(std::max(batch, 0)));
  for (int first = 1; first <= np; first += batch) {
    const int last = std::min(np, first + batch - 1);
#pragma omp parallel num_threads(t)
    {
      const auto c = std::make_unique<PileCopy>();
#pragma omp for schedule(dynamic)
      for (int p = first; p <= last; ++p)
        pileItems(p, KIND, SEL, N, allCurves, copy, results, *c, out[static_cast<std::size_t>(p - first)]);
    }
    for (int p = first; p <= last; ++p) out[static_cast<std::size_t>(p - first)].replay();
  }
  TIMBLK.TPRINT += wallClock() - t0;
  io::CLOSE(U_PILSCR);
}

void EXTRPIL(int pile, int count, const double* v, Extremes& e) {
  e.n = count;
  for (int i = 0; i < count; ++i) {
    if (e.first || v[i] > e.hi[i]) {
      e.hi[i] = v[i];
      e.phi[i] = pile;
    }
    if (e.first || v[i] < e.lo[i]) {
      e.lo[i] = v[i];
      e.plo[i] = pile;
    }
  }
  e.first = false;
}

void numbers(std::string_view s, double* v, int n) {
  const auto blank = [](char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); };
  int k = 0;
  std::size_t i = 0;
  while (k < n) {
    while (i < s.size() && blank(s[i])) ++i;
    if (i == s.size()) break;
    std::size_t j = i;
    while (j < s.size() && !blank(s[j])) ++j;
    // The field alone, so that the conversion stops at its end.
    char field[64];
    const std::size_t len = j - i;
    if (len < sizeof field) {
      s.copy(field, len, i);
      field[len] = '\0';
      v[k++] = std::strtod(field, nullptr);
    } else {
      v[k++] = std::strtod(std::string(s.substr(i, len)).c_str(), nullptr);
    }
    i = j;
  }
  for (; k < n; ++k) v[k] = 0.0;
}

ScratchRecords::ScratchRecords() {
  const std::string name = FNAMES.FNU(U_PILSCR).trimmed();
  if (!io::openChecked(U_PILSCR, name, io::Access::ReadBack)) return;
  const bool read = io::slurp(U_PILSCR, text_);
  io::CLOSE(U_PILSCR);
  std::string_view rest(text_);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(line);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  // Every pile's records, or the tables read from them would show zeros.
  const std::size_t piles = static_cast<std::size_t>(std::clamp<int>(RUNCTL.NPILE, 0, MAXPIL));
  if (!read || lines_.size() != piles * RECORDS) io::fail(U_PILSCR, name, false);
}

std::string_view ScratchRecords::record(int p, int r) const {
  const std::size_t k = static_cast<std::size_t>(p - 1) * RECORDS + static_cast<std::size_t>(r - 1);
  return p >= 1 && r >= 1 && k < lines_.size() ? lines_[k] : std::string_view();
}

void coordinateHeading(const char* title) {
  constexpr int S = U_SUMMARY;
  empty(S, 2);
  out(S, blanks(7) + title);
  out(S, blanks(7) + HYPHENS);
  empty(S);
}

}  // namespace drelm::anl
