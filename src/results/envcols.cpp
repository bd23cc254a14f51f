// The along-pile columns of the result tables: which are printed, their
// headings, the rows of one pile, its extremes and its compact records.
#include <algorithm>
#include <cmath>
#include <string>

#include "results/anlio.h"
#include "results/envewr.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/model.h"

namespace drelm {

using anl::blanks;
using anl::out;

namespace {

// Columns 9 to 23 (moments, shears, soil reactions, axial force, stress,
// rigidities, loads) are shown in report force units.
bool forceColumn(int q) { return q >= 9 && q <= 23; }
double shown(int q, double v) { return forceColumn(q) ? OUTFRC(v) : v; }

// Plane analysis has one lateral direction; without axial variation (or
// with user curves on every pile) the axial columns carry nothing; load
// cases have no capacity ratios.
void switchOff(ColumnFlags& f, int allCurves, std::int32_t IAXVAR, std::int32_t IANTYP) {
  if (IANTYP == 2)
    for (int q : {3, 4, 7, 8, 10, 11, 13, 14, 16, 17, 21, 23}) f[q] = 0;
  if (allCurves > 0 || IAXVAR == 0)
    for (int q : {1, 5, 6, 7, 8, 18}) f[q] = 0;
  if (CASECUR.ICOMB == 0) f[24] = f[25] = 0;
}

}  // namespace

void COLSEL(int envelope, int allCurves, std::int32_t IAXVAR, std::int32_t IANTYP, ColumnFlags& flags) {
  for (int q = 0; q <= NNDQ; ++q) flags[q] = 0;
  const bool comb = CASECUR.ICOMB != 0;
  for (int q = 1; q <= NNDQ; ++q) {
    if (envelope != 0) {
      flags[q] = ENVOPT.PRTSEL(q, comb ? 2 : 1);
    } else if (comb) {
      const int k = std::clamp<int>(CASECUR.ICOMB, 1, MAXCMB);
      flags[q] = COMBIN.CMBCTL(k, 13 + q);
    } else {
      const int c = std::clamp<int>(CASECUR.ICASE, 1, MAXLC);
      flags[q] = CASEIN.CASCTL(c, 25 + q);
    }
  }
  switchOff(flags, allCurves, IAXVAR, IANTYP);
}

void EFFHDR(const ColumnFlags& flags, int selector) {
  const int U = selector == 0 ? U_RESULTS : (selector == 1 ? U_SUMMARY : U_SUMSCR);
  io::endRecord(U);
  for (int line = 1; line <= 4; ++line) {
    if (selector == 0) io::put(U, blanks(2) + UNITTB.HDL10(line).str());
    else io::put(U, blanks(3) + UNITTB.HDL6(line).str());
    for (int q = 1; q <= NNDQ; ++q) {
      if (flags[q] <= 0) continue;
      const FStr<10>& h = line == 1   ? UNITTB.HDLIN1(q)
                          : line == 2 ? UNITTB.HDLIN2(q)
                          : line == 3 ? UNITTB.HDLIN3(q)
                                      : UNITTB.HDL10(4);
      WRA10(U, h.view());
    }
    WREOL(U);
  }
}

void EFFROW(const ColumnFlags& flags, const PileCopy& pile, int step) {
  const int nn = pile.nodes();
  const int ninc = nn - 1;
  const int k = std::min(ninc, step);
  for (int j = 1; j <= nn; j += std::max(k, 1)) {
    LineBuffer buf;
    std::fill(std::begin(buf), std::end(buf), ' ');
    int col = 1;
    BFBLNK(buf, 1, col);
    BFREAL(buf, 12, 4, OUTLEN((j - 1) * pile.dx), col);
    for (int q = 1; q <= NNDQ; ++q)
      if (flags[q] > 0) BFREAL(buf, 12, 4, shown(q, pile.block(j + 3, q)), col);
    const int used = std::min<int>(col - 1, static_cast<int>(sizeof(LineBuffer)));
    out(U_RESULTS, std::string_view(buf, static_cast<std::size_t>(used)));
    // A node step of 0 prints the head row only.
    if (k <= 0) break;
  }
}

void PMINMAX(const PileCopy& pile) {
  const int nn = pile.nodes();
  double lo[NNDQ + 1], hi[NNDQ + 1], dlo[NNDQ + 1], dhi[NNDQ + 1];
  for (int q = 1; q <= NNDQ; ++q) {
    lo[q] = hi[q] = pile.block(4, q);
    dlo[q] = dhi[q] = 0.0;
    for (int j = 2; j <= nn; ++j) {
      const double v = pile.block(j + 3, q), x = (j - 1) * pile.dx;
      if (v < lo[q]) {
        lo[q] = v;
        dlo[q] = x;
      }
      if (v > hi[q]) {
        hi[q] = v;
        dhi[q] = x;
      }
    }
  }
  const std::string depthLabel = blanks(5) + "x(" + UNITLB.ULBIG2.str() + ")" + blanks(1);
  const auto extremes = [&](const double* v) {
    std::string r = blanks(1) + intField(8, pile.pile) + blanks(2);
    for (int q = 1; q <= NNDQ; ++q) r += blanks(2) + anl::efield(12, 5, shown(q, v[q]));
    out(U_PILSCR, r);
  };
  const auto depths = [&](const double* d) {
    std::string r = depthLabel;
    for (int q = 1; q <= NNDQ; ++q) r += blanks(3) + anl::ffield(11, 4, OUTLEN(d[q]));
    out(U_PILSCR, r);
  };
  extremes(lo);
  depths(dlo);
  extremes(hi);
  depths(dhi);
}

void PRECWR(const PileCopy& pile, int allCurves) {
  constexpr int U = U_REPORT;
  ColumnFlags f;
  for (int q = 1; q <= NNDQ; ++q) f[q] = 1;
  switchOff(f, allCurves, CURCTL.IAXVAR, RUNCTL.IANTYP);
  std::string head = intField(10, 25);
  for (int q = 1; q <= NNDQ; ++q) head += intField(5, f[q]);
  out(U, head);
  const int nn = pile.nodes();
  const auto g = [](double v) { return anl::gfield(16, 8, std::fabs(v) < 1.0E-50 ? 0.0 : v); };
  for (int j = 1; j <= nn; ++j) {
    std::string r = blanks(6) + g((j - 1) * pile.dx);
    for (int q = 1; q <= NNDQ; ++q)
      if (f[q] > 0) r += g(pile.block(j + 3, q));
    out(U, r);
  }
}

}  // namespace drelm
