#include "capstiff/flexstf.h"

#include <string>

#include "results/anlio.h"
#include "capstiff/stfunits.h"
#include "numeric/matrix.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

namespace {

using anl::blanks;
using anl::out;
using namespace cst;

void wline(int unit, const std::string& s) { out(unit, s + " "); }

std::string id(int k) { return std::to_string(k) + std::to_string(k); }

void columnLine(int u, bool plane, bool diag) {
  std::string s;
  if (plane && !diag) {
    s = blanks(5) + " DOF " + blanks(4);
    for (int i = 1; i <= 3; ++i) s += intField(9, i) + blanks(9);
  } else if (plane) {
    s = blanks(13);
    for (int i = 1; i <= 3; ++i) s += blanks(7) + "K" + id(i) + blanks(8);
  } else if (!diag) {
    s = blanks(2) + "  DOF";
    for (int i = 1; i <= 6; ++i) s += intField(11, i) + blanks(4);
  } else {
    s = blanks(7);
    for (int i = 1; i <= 6; ++i) s += blanks(9) + "K" + id(i) + blanks(3);
  }
  out(u, s);
}

void unitLines(int u, bool plane, bool diag) {
  const std::string FL = F() + SL() + L(), FR = F() + SL() + RAD(), FLR = F() + DA() + L() + SL() + RAD();
  if (plane && diag) {
    out(u, blanks(18) + FL + blanks(12) + FL + blanks(10) + FLR);
  } else if (plane) {
    for (int r = 1; r <= 2; ++r) out(u, blanks(5) + intField(5, r) + blanks(8) + FL + blanks(12) + FL + blanks(13) + FR);
    out(u, blanks(5) + intField(5, 3) + blanks(10) + F() + blanks(15) + F() + blanks(11) + FLR);
  } else if (diag) {
    out(u, blanks(14) + FL + blanks(9) + FL + blanks(9) + FL + blanks(7) + FLR + blanks(5) + FLR + blanks(5) + FLR);
  } else {
    for (int r = 1; r <= 3; ++r)
      out(u, blanks(2) + intField(5, r) + blanks(7) + FL + blanks(9) + FL + blanks(9) + FL + blanks(9) + FR + blanks(8) +
                 FR + blanks(8) + FR);
    for (int r = 4; r <= 6; ++r)
      out(u, blanks(2) + intField(5, r) + blanks(9) + F() + blanks(12) + F() + blanks(12) + F() + blanks(8) + FLR +
                 blanks(5) + FLR + blanks(5) + FLR);
  }
}

std::string value(bool plane, double x) {
  return plane ? realField(14, 5, OUTFRC(x)) + blanks(4) : realField(15, 5, OUTFRC(x));
}

void rawDump(const double* A, int n) {
  std::string s = blanks(14);
  for (int k = 0; k < n; ++k) s += realField(18, 8, A[k + 6 * k]) + blanks(4);
  wline(U_REPORT, s);
  for (int r = 0; r < n; ++r) {
    s = blanks(5) + intField(5, r + 1) + blanks(4);
    for (int c = 0; c < n; ++c) s += realField(18, 8, A[r + 6 * c]) + blanks(4);
    wline(U_REPORT, s);
  }
}

void levelTable(const double* A, int n, bool plane, bool diag) {
  if (diag) {
    std::string s = plane ? blanks(24) : blanks(7);
    for (int k = 0; k < n; ++k) s += value(plane, A[k + 6 * k]);
    for (int u : {U_RESULTS, U_SUMMARY}) {
      columnLine(u, plane, true);
      wline(u, s);
    }
    return;
  }
  columnLine(U_RESULTS, plane, false);
  columnLine(U_SUMMARY, plane, false);
  for (int r = 0; r < n; ++r) {
    std::string s = plane ? blanks(5) + intField(5, r + 1) + blanks(4) : blanks(2) + intField(5, r + 1);
    for (int c = 0; c < n; ++c) s += value(plane, A[r + 6 * c]);
    wline(U_RESULTS, s);
    wline(U_SUMMARY, s);
  }
}

// Reads the flexibility columns of level g into A. False when the file holds
// fewer records than NESTV per degree of freedom.
bool readLevel(int g, int NESTV, int n, bool diag, double* A, int* flag, std::string& list) {
  if (!io::openChecked(U_FLXSCR, FNAMES.FNU(U_FLXSCR).trimmed(), io::Access::ReadBack)) return false;
  bool whole = true;
  for (int j = 0; j < n && whole; ++j) {
    double v[6] = {};
    std::int32_t number = 0;
    for (int r = 1; r <= NESTV && whole; ++r) {
      double w[6];
      if (!readCoded(U_FLXSCR, number, w, n)) whole = false;
      else if (r == g)
        for (int i = 0; i < n; ++i) v[i] = w[i];
    }
    if (v[j] == 1.0) {
      flag[j] = 1;
      list += "K" + id(j + 1) + ", ";
    }
    for (int i = 0; i < n; ++i) A[i + 6 * j] = 0.0;
    if (diag) A[j + 6 * j] = v[j];
    else
      for (int i = 0; i < n; ++i) A[i + 6 * j] = v[i];
  }
  io::CLOSE(U_FLXSCR);
  return whole;
}

}  // namespace

void FLEXSTF(std::int32_t IFXTAB, std::int32_t IFXDIA, std::int32_t NESTV, std::int32_t NDOF, std::int32_t /*LD*/,
             const double* CESTV) {
  if (IFXTAB != 1) {
    // The records of this case are not wanted: drop them, so that a later
    // case of the method writes its own from the first record.
    io::CLOSE(U_FLXSCR);
    return;
  }
  const bool plane = NDOF == 3;
  const int n = NDOF < 1 ? 1 : (NDOF > 6 ? 6 : NDOF);
  const bool diag = IFXDIA == 1;
  const std::string title = blanks(5) + "* PILE CAP STIFFNESS ESTIMATION *";
  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u, 2);
    out(u, title);
  }
  out(U_REPORT, title);
  out(U_LOG, title);
  io::FLUSH(U_LOG);
  io::CLOSE(U_FLXSCR);

  for (int u : {U_RESULTS, U_SUMMARY}) {
    anl::empty(u);
    out(u, blanks(4) + "UNITS");
    columnLine(u, plane, diag);
    unitLines(u, plane, diag);
  }

  for (int g = 1; g <= NESTV; ++g) {
    double A[36] = {};
    int flag[6] = {};
    std::string list;
    const std::string level = blanks(4) + "   N:" + intField(5, g) + "  FACTOR :" + anl::ffield(10, 4, CESTV[g - 1]);
    if (!readLevel(g, NESTV, n, diag, A, flag, list)) {
      cst::shortScratch(U_FLXSCR, "FLXSCR");
      return;
    }
    std::int32_t singular = 0;
    GJINV(A, n, 6, singular);
    for (int u : {U_RESULTS, U_SUMMARY}) {
      anl::empty(u);
      out(u, level);
    }
    out(U_REPORT, level);
    if (singular != 0) {
      // A half-inverted matrix is no stiffness: say so and go on.
      for (int u : {U_RESULTS, U_SUMMARY}) {
        anl::empty(u);
        out(u, blanks(5) + "WARNING : FLEXIBILITY MATRIX IS SINGULAR, STIFFNESS OF THIS LEVEL CANNOT BE FORMED");
      }
      out(U_REPORT, blanks(5) + "SINGULAR FLEXIBILITY MATRIX");
      continue;
    }
    if (!plane) rawDump(A, n);
    for (int j = 0; j < n; ++j)
      if (flag[j] && OUTFRC(1.0) < 0.1) A[j + 6 * j] *= 1000.0;
    levelTable(A, n, plane, diag);
    if (!list.empty()) {
      list.replace(list.size() - 2, 2, "  ");
      for (int u : {U_SUMMARY, U_RESULTS}) {
        anl::empty(u);
        out(u, blanks(5) + "WARNING : STIFFNESS VALUES FOR COMPONENT(S): " + list);
        out(u, blanks(5) + "WERE NOT ESTIMATED SINCE THERE WAS NO CONVERGENCE ON PILE CAP OR APPLIED FORCE AT CAP IS ZERO");
        out(u, blanks(5) + "VALUE OF 1.0 IS PRINTED FOR THE STIFFNESS(ES)");
        anl::empty(u);
      }
    }
    if (plane) rawDump(A, n);
  }
}

}  // namespace drelm
