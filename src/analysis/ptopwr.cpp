// Summary tables of the extremes over all piles, read back from the
// per-pile scratch records.
#include <string>
#include <string_view>

#include "results/anlio.h"
#include "results/envewr.h"
#include "results/envtabl.h"
#include "report/writers.h"
#include "model/model.h"

namespace drelm {

using namespace anl;

namespace {

// The column-heading line of a pile-top table after its caption.
std::string columnHeadings(int A, int B) {
  const bool local = A == 2;
  const std::string x = local ? "x" : "X", y = local ? "y" : "Y", z = local ? "z" : "Z";
  if (B == 1)
    return " DISP. " + x + "," + len2() + blanks(3) + "DISP. " + y + "," + len2() + blanks(3) + "DISP. " + z +
           "," + len2() + blanks(3) + "ROT. " + x + ",RAD" + blanks(3) + "ROT. " + y + ",RAD" + blanks(3) +
           "ROT. " + z + ",RAD" + blanks(2);
  if (B == 2 && !local)
    return " FOR. X," + load3() + blanks(3) + "FOR. Y," + load3() + blanks(3) + "FOR. Z," + load3() +
           blanks(1) + "MOM X," + momentLabel() + blanks(1) + "MOM Y," + momentLabel() + blanks(1) +
           "MOM Z," + momentLabel();
  if (B == 2)
    return "  AXIAL," + load3() + blanks(4) + "LAT. y," + load3() + blanks(3) + "LAT. z," + load3() +
           blanks(1) + "MOM x," + momentLabel() + blanks(1) + "MOM y," + momentLabel() + blanks(1) +
           "MOM z," + momentLabel();
  return blanks(2) + "STRESS," + stressLabel();
}

std::string caption(int A, int B) { return (A == 2 && B >= 2) ? " PILE GROUP " : " PILE GROUP  "; }

std::string underline(int columns, int width, bool blankStart) {
  std::string s = blanks(6) + (blankStart ? blanks(10) : std::string(10, '*'));
  for (int i = 0; i < columns; ++i) s += blanks(2) + std::string(width, '*');
  return s;
}

void headings(int A, int B, const ColumnFlags& flags) {
  constexpr int S = U_SUMMARY, R = U_SUMSCR;
  if (A <= 2) {
    if (B == 1) out(S, blanks(7) + "* PILE TOP DISPLACEMENTS *");
    if (B == 2) {
      empty(S);
      out(S, blanks(7) + "* PILE TOP REACTIONS *");
    }
    empty(S);
    const int columns = B == 3 ? 1 : 6;
    const int width = B == 3 ? 16 : 11;
    out(S, blanks(5) + caption(A, B) + columnHeadings(A, B));
    out(S, underline(columns, width, false));
    if (B <= 2) {
      static const char* const TITLES[2][2] = {
          {"* PILE TOP DISPLACEMENTS, GLOBAL *", "* PILE TOP REACTIONS, GLOBAL *"},
          {"* PILE TOP DISPLACEMENTS, LOCAL *", "* PILE TOP REACTIONS, LOCAL *"}};
      empty(R);
      out(R, blanks(7) + TITLES[A - 1][B - 1]);
      out(R, blanks(5) + blanks(static_cast<int>(caption(A, B).size())) + columnHeadings(A, B));
      out(R, underline(columns, width, true));
    }
    return;
  }
  empty(S);
  out(S, blanks(7) + (B == 1 ? "* MINIMUM VALUES AND LOCATIONS *" : "* MAXIMUM VALUES AND LOCATIONS *"));
  EFFHDR(flags, 1);
  if (B == 1) EFFHDR(flags, 2);
}

// One summary table from the scratch records. A = 1 global axes, 2 pile
// axes, 3 along-pile effects; B = 1 displacements (minima), 2 reactions
// (maxima), 3 the head stress.
void PTOPTB(int A, int B, const ColumnFlags& flags) {
  constexpr int S = U_SUMMARY;
  headings(A, B, flags);
  const int record = A == 3 ? (B == 1 ? 5 : 7) : (A == 1 ? B : (B == 3 ? 4 : 2 + B));
  const ScratchRecords scratch;
  Extremes e;
  const int np = RUNCTL.NPILE < MAXPIL ? RUNCTL.NPILE : MAXPIL;
  for (int p = 1; p <= np; ++p) {
    const std::string_view line = scratch.record(p, record);
    const std::string_view values = line.size() > 11 ? line.substr(11) : std::string_view();
    if (A <= 2) {
      // Five blanks, the pile, then the values.
      double v[7];
      numbers(values, v, 7);
      const double* first = B == 3 ? &v[6] : v;
      const int count = B == 3 ? 1 : 6;
      WRBLNK(S, 5);
      WRINT(S, 6, p);
      WRBLNK(S, 5);
      for (int i = 0; i < count; ++i) WRREAL(S, 13, 4, first[i]);
      WREOL(S);
      EXTRPIL(p, count, first, e);
    } else {
      double v[NNDQ], d[NNDQ];
      numbers(values, v, NNDQ);
      const std::string_view dline = scratch.record(p, record + 1);
      const std::string_view label = dline.size() >= 10 ? dline.substr(5, 5) : std::string_view("     ");
      numbers(dline.size() > 11 ? dline.substr(11) : std::string_view(), d, NNDQ);
      double sel[NNDQ];
      int n = 0;
      WRBLNK(S, 1);
      WRINT(S, 8, p);
      WRBLNK(S, 1);
      for (int q = 1; q <= NNDQ; ++q) {
        if (flags[q] <= 0) continue;
        WRREAL(S, 12, 4, v[q - 1]);
        sel[n++] = v[q - 1];
      }
      WREOL(S);
      WRBLNK(S, 5);
      io::put(S, label);
      for (int q = 1; q <= NNDQ; ++q)
        if (flags[q] > 0) WRREAL(S, 12, 4, d[q - 1]);
      WREOL(S);
      EXTRPIL(p, n, sel, e);
    }
  }
  empty(S);
  if (A <= 2) {
    for (int U : {U_SUMMARY, U_SUMSCR}) {
      if (U == U_SUMSCR && B == 3) break;
      for (int m = 0; m < 2; ++m) {
        const double* v = m == 0 ? e.lo : e.hi;
        const int* pl = m == 0 ? e.plo : e.phi;
        WRBLNK(U, 5);
        io::put(U, m == 0 ? "  MINIMUM  " : "  MAXIMUM  ");
        for (int i = 0; i < e.n; ++i) WRREAL(U, 13, 4, v[i]);
        WREOL(U);
        WRBLNK(U, 5);
        io::put(U, "  Pile N. ");
        WRBLNK(U, 4);
        for (int i = 0; i < e.n; ++i) {
          WRINT(U, 6, pl[i]);
          WRBLNK(U, 7);
        }
        WREOL(U);
      }
    }
    return;
  }
  for (int U : {U_SUMMARY, U_SUMSCR}) {
    WRBLNK(U, 6);
    io::put(U, B == 1 ? "Min." : "Max.");
    for (int i = 0; i < e.n; ++i) WRREAL(U, 12, 4, B == 1 ? e.lo[i] : e.hi[i]);
    WREOL(U);
    WRBLNK(U, 3);
    io::put(U, "Pile N.  ");
    for (int i = 0; i < e.n; ++i) {
      WRINT(U, 6, B == 1 ? e.plo[i] : e.phi[i]);
      WRBLNK(U, 6);
    }
    WREOL(U);
  }
}

}  // namespace

void PTOPWR(int envelope, const ColumnFlags& flags) {
  (void)envelope;
  coordinateHeading("THE GLOBAL STRUCTURAL COORDINATE SYSTEM");
  PTOPTB(1, 1, flags);
  PTOPTB(1, 2, flags);
  coordinateHeading("THE PILE COORDINATE SYSTEM (LOCAL AXES)");
  PTOPTB(2, 1, flags);
  PTOPTB(2, 2, flags);
  PTOPTB(2, 3, flags);
  for (int U : {U_SUMMARY, U_SUMSCR}) {
    empty(U);
    out(U, blanks(7) + "* EFFECTS FOR LATERALLY LOADED PILE *   ");
  }
  PTOPTB(3, 1, flags);
  PTOPTB(3, 2, flags);
}

void PTOPEFF(int B, const ColumnFlags& flags) { PTOPTB(3, B, flags); }

}  // namespace drelm
