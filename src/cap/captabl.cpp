#include "cap/captabl.h"

#include <cmath>
#include <string>

#include "cap/caplines.h"
#include "results/tablel.h"
#include "report/convert.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

using namespace cap;

namespace {

void forces(int u, const double* p, int from, int n) {
  double v[6];
  for (int i = 0; i < n; ++i) v[i] = OUTFRC(p[from + i]);
  values(u, 5, 19, 5, v, n);
}

void originBlocks(int u, const double* PCAP, const double* U) {
  const std::string l4 = UNITLB.ULLOD4.str(), len = UNITLB.ULLEN2.str(), m = momentUnit();
  blockHeading(u, "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *", 2);
  text(u, sp(11) + "VERT. LOAD," + l4 + sp(4) + "HOR. LOAD Y," + l4 + sp(3) + "HOR. LOAD Z," + l4);
  forces(u, PCAP, 0, 3);
  emptyLine(u);
  text(u, sp(10) + "MOMENT X ," + m + sp(4) + "MOMENT Y," + m + sp(4) + "MOMENT Z," + m);
  forces(u, PCAP, 3, 3);
  blockHeading(u, "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *", 2);
  text(u, sp(10) + "  VERTICAL ," + len + sp(6) + "HORIZONTAL Y," + len + sp(5) + "HORIZONTAL Z," + len);
  values(u, 5, 19, 5, U, 3);
  emptyLine(u);
  text(u, sp(10) + "ANGLE ROT. X,RAD" + sp(4) + "ANGLE ROT. Y,RAD" + sp(4) + "ANGLE ROT. Z,RAD");
  values(u, 5, 19, 5, U + 3, 3);
}

void pointBlocks(int u, const PointResult& pt) {
  const std::string l4 = UNITLB.ULLOD4.str(), l3 = UNITLB.ULLOD3.str(), len = UNITLB.ULLEN2.str(),
                    big = UNITLB.ULBIG2.str();
  auto mk = [](char c) { return std::string(1, c); };
  blockHeading(u, "* POINT OF DEFINITION DISPLACEMENT/LOADS *", 2);
  text(u, sp(10) + "  COORD. X ," + big + sp(6) + "   COORD. Y ," + big + sp(5) + "   COORD. Z ," + big);
  const double x[3] = {OUTLEN(pt.XPOD[0]), OUTLEN(pt.XPOD[1]), OUTLEN(pt.XPOD[2])};
  values(u, 5, 19, 5, x, 3);
  blockHeading(u, "* CONCENTRATED LOAD AT SPECIFIED POINT *", 2);
  const char* r1 = pt.ROW1;
  text(u, sp(11) + "VERT. LOAD," + l4 + mk(r1[0]) + sp(3) + "HOR. LOAD Y," + l4 + mk(r1[1]) + sp(2) +
              "HOR. LOAD Z," + l4 + mk(r1[2]));
  forces(u, pt.PP, 0, 3);
  emptyLine(u);
  text(u, sp(10) + "MOMENT X ," + l3 + "-" + len + mk(r1[3]) + sp(3) + "MOMENT Y," + l3 + "-" + len +
              mk(r1[4]) + sp(3) + "MOMENT Z," + l3 + "-" + len + mk(r1[5]));
  forces(u, pt.PP, 3, 3);
  blockHeading(u, "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT SPECIFIED POINT *", 2);
  const char* r2 = pt.ROW2;
  text(u, sp(10) + "  VERTICAL ," + len + mk(r2[0]) + sp(5) + "HORIZONTAL Y," + len + mk(r2[1]) + sp(4) +
              "HORIZONTAL Z," + len + mk(r2[2]));
  values(u, 5, 19, 5, pt.UP, 3);
  emptyLine(u);
  text(u, sp(10) + "ANGLE ROT. X,RAD" + mk(r2[3]) + sp(3) + "ANGLE ROT. Y,RAD" + mk(r2[4]) + sp(3) +
              "ANGLE ROT. Z,RAD" + mk(r2[5]));
  values(u, 5, 19, 5, pt.UP + 3, 3);
}

void summaryLines(const double* PCAP, const double* U) {
  const int u = U_SUMSCR;
  const std::string l3 = UNITLB.ULLOD3.str(), len = UNITLB.ULLEN2.str(), m = l3 + "-" + len;
  emptyLine(u);
  text(u, sp(5) + "* TABLE L *   COMPUTATION ON PILE CAP");
  emptyLine(u);
  text(u, sp(5) + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  text(u, sp(11) + "LOAD X," + l3 + sp(5) + "LOAD Y," + l3 + sp(5) + "LOAD Z," + l3 + sp(3) + " MOM X," + m +
              sp(2) + " MOM Y," + m + sp(2) + " MOM Z," + m);
  double p[6];
  for (int i = 0; i < 6; ++i) p[i] = OUTFRC(PCAP[i]);
  values(u, 7, 15, 5, p, 6);
  emptyLine(u);
  text(u, sp(5) + "* DISPLACEMENT OF GROUPED PILE FOUNDATION AT ORIGIN *");
  text(u, sp(12) + "DISP X," + len + sp(6) + "DISP Y," + len + sp(6) + "DISP Z," + len + sp(5) + " ROT X,RAD" +
              sp(5) + " ROT Y,RAD" + sp(5) + " ROT Z,RAD");
  values(u, 7, 15, 5, U, 6);
}

// The line of group J's reduction factors: LEAD blanks, the group number in
// IW, then the P- and the Y-factor in (W, D), each after its gap.
struct FactorForm {
  int lead, iw, gapP, gapY, w, d;
};
void factorLine(int u, const FactorForm& f, int j) {
  WRBLNK(u, f.lead);
  WRINT(u, f.iw, j);
  WRBLNK(u, f.gapP);
  WRREAL(u, f.w, f.d, GRPFAC.GRPPF(j));
  WRBLNK(u, f.gapY);
  WRREAL(u, f.w, f.d, GRPFAC.GRPYF(j));
  WREOL(u);
}

}  // namespace

void capReductionFactors() {
  for (int u : {U_RESULTS, U_SUMMARY}) {
    emptyLine(u);
    text(u, sp(7) + "REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS, COMBINED Y AND Z DIRECTIONS");
    if (CAPCTL.IRFOPT == 3 || CAPCTL.IRFOPT == 4) {
      text(u, sp(7) + "USING A PREDEFINED MOVEMENT" + sp(7) + sp(33));
    } else {
      text(u, sp(7) + "ESTIMATED USING MOVEMENT IN THE DIRECTION OF PILE CAP DISPLACEMENTS");
      text(u, sp(7) + sp(33));
    }
    text(u, sp(7) + "     GROUP NO     P-FACTOR     Y-FACTOR        ");
    emptyLine(u);
  }
  text(U_REPORT, sp(7) + "*REDUCTION FACTORS FOR CLOSELY-SPACED PILE*");
  for (int j = 1; j <= RUNCTL.NPILE; ++j) {
    for (int u : {U_RESULTS, U_SUMMARY}) factorLine(u, {12, 5, 5, 1, 12, 4}, j);
    factorLine(U_REPORT, {0, 10, 4, 4, 18, 8}, j);
  }
}

void tableL(const TableLForm& form, const double* P, const double* U, std::int32_t B,
            const std::function<void(int u)>& points) {
  const char* head = "* TABLE L *   COMPUTATION ON PILE CAP";
  tableHeading(U_RESULTS, head);
  if (points) {
    points(U_RESULTS);
    points(U_SUMMARY);
  }
  form.origin(U_RESULTS, P, U);
  emptyLine(U_RESULTS);
  emptyLine(U_RESULTS);
  text(U_RESULTS, sp(10) + form.iterations + intField(form.width, B));
  emptyLine(U_LOG);
  text(U_LOG, sp(10) + "NUMBER OF GLOBAL ITERATIONS = " + intField(4, B));
  emptyLine(U_LOG);
  io::FLUSH(U_LOG);
  form.scratch(P, U);
  if (SESTIM.SEIDOF >= 1 && SESTIM.SEIDOF <= form.N) SESTIM.SEDCMP = U[SESTIM.SEIDOF - 1];
  tableHeading(U_SUMMARY, head);
  form.origin(U_SUMMARY, P, U);
  reportTableL(P, U, form.N);
}

void capTableL(const double* PCAP, const double* U, std::int32_t B, const PointResult& pt) {
  static constexpr TableLForm space{6, originBlocks, summaryLines, "NUMBER OF GLOBAL ITERATIONS = ", 4};
  std::function<void(int)> points;
  if (pt.shown) points = [&](int u) { pointBlocks(u, pt); };
  tableL(space, PCAP, U, B, points);
}

void partialLoadWarning(double TP) {
  for (int u : {U_RESULTS, U_SUMMARY}) {
    emptyLine(u);
    text(u, sp(5) + "** WARNING **    DRELM COULD NOT GET SOLUTION FOR 100% OF THE LOAD");
    text(u, sp(5) + sp(15) + "  RESULTS ARE FOR " + fixedField(8, 2, 100.0 * TP) + "% OF THE TOTAL LOAD");
    emptyLine(u);
  }
}

void passiveReport(const double* FP) {
  const int n = RUNCTL.NPILE;
  double pos;
  if (std::fabs(FP[1]) > 0.0)
    pos = FP[5] / FP[1];
  else if (std::fabs(FP[2]) > 0.0)
    pos = -FP[4] / FP[2];
  else
    pos = n > 0 ? PILEAR.PHX(n) : 0.0;
  const double v[4] = {OUTFRC(std::fabs(FP[1])), OUTFRC(std::fabs(FP[2])), OUTLEN(pos), OUTLEN(CAPCTL.CAPWZ)};
  const std::string l3 = UNITLB.ULLOD3.str();
  for (int u : {U_RESULTS, U_SUMMARY}) {
    blockHeading(u, "* PASSIVE RESISTANCE IN PILE CAP *", 1);
    text(u, sp(13) + "HOR. LOAD Y," + l3 + sp(4) + "HOR. LOAD Z," + l3 + sp(6) + "POSITION," +
                UNITLB.ULBIG3.str() + sp(6) + "EQ. DIAM," + UNITLB.ULBIG2.str());
    values(u, 5, 19, 5, v, 4);
  }
  const double w[3] = {std::fabs(FP[1]), std::fabs(FP[2]), pos};
  passiveRecord(w, 3);
}

void passiveRecord(const double* V, int N) {
  text(U_REPORT, "* PASSIVE RESISTANCE IN PILE CAP *");
  for (int i = 0; i < N; ++i) {
    if (i > 0) WRBLNK(U_REPORT, 5);
    WRREAL(U_REPORT, 18, 8, V[i]);
  }
  WREOL(U_REPORT);
}

void tableMHeading(bool SCRATCH) {
  const char* head = "* TABLE M *   COMPUTATION ON INDIVIDUAL PILE";
  for (int u : {U_RESULTS, U_SUMMARY}) tableHeading(u, head);
  if (!SCRATCH) return;
  emptyLine(U_SUMSCR);
  text(U_SUMSCR, sp(5) + head);
}

}  // namespace drelm
