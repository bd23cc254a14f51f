#include "cap/caprec2d.h"

#include <algorithm>
#include <functional>
#include <string>

#include "model/casecur.h"
#include "cap/caplines.h"
#include "results/tablel.h"
#include "cap/caprec.h"
#include "cap/captabl.h"
#include "pile/pilestore.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

using namespace cap;

namespace {

void forces(int u, int lead, int w, const double* p) {
  const double v[3] = {OUTFRC(p[0]), OUTFRC(p[1]), OUTFRC(p[2])};
  values(u, lead, w, 5, v, 3);
}

void originBlocks(int u, const double* P, const double* U) {
  const std::string l4 = UNITLB.ULLOD4.str(), len = UNITLB.ULLEN2.str();
  blockHeading(u, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", 1);
  text(u, sp(13) + "VERT. LOAD," + l4 + sp(4) + "HORI. LOAD," + l4 + sp(4) + "MOMENT," + momentUnit());
  forces(u, 10, 18, P);
  blockHeading(u, "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *", 1);
  text(u, sp(16) + "VERTICAL," + len + sp(6) + "HORIZONTAL," + len + sp(5) + "ROTATION,RAD");
  values(u, 10, 18, 5, U, 3);
}

void pointBlocks(int u, const PointResult2D& pt) {
  const std::string l4 = UNITLB.ULLOD4.str(), l3 = UNITLB.ULLOD3.str(), len = UNITLB.ULLEN2.str(),
                    big = UNITLB.ULBIG2.str();
  const auto mk = [](char c) { return std::string(1, c); };
  blockHeading(u, "* POINT OF DEFINITION DISPLACEMENT/LOADS *", 2);
  text(u, sp(10) + "  COORD. X ," + big + sp(6) + "   COORD. Y ," + big);
  const double x[2] = {OUTLEN(pt.XPOD[0]), OUTLEN(pt.XPOD[1])};
  values(u, 5, 19, 5, x, 2);
  blockHeading(u, "* CONCENTRATED LOAD AT SPECIFIED POINT *", 1);
  text(u, sp(13) + "VERT. LOAD," + l4 + mk(pt.ROW1[0]) + sp(3) + "HORI. LOAD," + l4 + mk(pt.ROW1[1]) +
              sp(3) + "MOMENT," + l3 + "-" + len + mk(pt.ROW1[2]));
  forces(u, 10, 18, pt.PP);
  blockHeading(u, "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *", 1);
  text(u, sp(16) + "VERTICAL," + len + mk(pt.ROW2[0]) + sp(5) + "HORIZONTAL," + len + mk(pt.ROW2[1]) +
              sp(4) + "ROTATION,RAD" + mk(pt.ROW2[2]));
  values(u, 10, 18, 5, pt.UP, 3);
}

// The origin values on the summary scratch, in narrower fields.
void scratchLines(const double* P, const double* U) {
  const std::string l3 = UNITLB.ULLOD3.str(), len = UNITLB.ULLEN2.str();
  emptyLine(U_SUMSCR);
  text(U_SUMSCR, sp(5) + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  text(U_SUMSCR, sp(11) + "LOAD X," + l3 + sp(5) + "LOAD Y," + l3 + sp(3) + " MOM Z," + l3 + "-" + len);
  forces(U_SUMSCR, 7, 15, P);
  emptyLine(U_SUMSCR);
  text(U_SUMSCR, sp(5) + "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *");
  text(U_SUMSCR, sp(12) + "DISP X," + len + sp(6) + "DISP Y," + len + sp(5) + " ROT Z,RAD");
  values(U_SUMSCR, 7, 15, 5, U, 3);
}

}  // namespace

ProgressPoint planeProgressPoint() {
  return SESTIM.SEMODE == 1 ? ProgressPoint{" POINT:", 9, 3} : ProgressPoint{" DOF:", 10, 4};
}

void dumpLine2D(const char* tag, const double* v, int n) {
  std::string s = tag;
  for (int i = 0; i < n; ++i) s += eField(18, 10, v[i]);
  text(U_ITER, s);
}

void capacityWarnings2D() {
  const CapacityWarning kinds[2] = {
      {RUNCTL.NWBRG, "SOME PILES, MAY FAIL IN BEARING!", "AXIAL DISPLACEMENT ESTIMATED IS LARGER THAN",
       "MAXIMUM DISPLACEMENT DEFINED IN LOAD-SETTLEMENT CURVE", "SOME PILES, MAY FAIL IN BEARING!"},
      {RUNCTL.NWPULL, "SOME PILES, MAY FAIL IN PULL OUT!", "AXIAL DISPLACEMENT ESTIMATED IS SMALLER THAN",
       "MINIMUM DISPLACEMENT DEFINED IN LOAD-SETTLEMENT CURVE", "SOME PILES, MAY FAIL IN PULL OUT!"}};
  writeCapacityWarnings(kinds, 2);
}

void capTableL2D(const double* P, const double* U, std::int32_t B, const PointResult2D& pt) {
  static constexpr TableLForm plane{3, originBlocks, scratchLines, "NUMBER OF ITERATIONS = ", 3};
  std::function<void(int)> points;
  if (pt.shown) points = [&](int u) { pointBlocks(u, pt); };
  tableL(plane, P, U, B, points);
}

void passiveReport2D(double H, double POS) {
  if (CURCTL.IPRLEV >= 0) {
    const double v[3] = {OUTFRC(H), OUTLEN(POS), OUTLEN(CAPCTL.CAPWZ)};
    const std::string big = UNITLB.ULBIG2.str();
    for (int u : {U_RESULTS, U_SUMMARY}) {
      blockHeading(u, "* PASSIVE RESISTANCE IN PILE CAP *", 1);
      text(u, sp(14) + "HORI. LOAD," + UNITLB.ULLOD3.str() + sp(6) + "POSITION," + UNITLB.ULBIG3.str() + sp(6) +
                  "EQ. DIAM, " + big.substr(0, 2));
      values(u, 10, 18, 5, v, 3);
    }
  }
  const double w[2] = {H, POS};
  passiveRecord(w, 2);
}

}  // namespace drelm
