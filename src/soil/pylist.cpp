// Listing of the p-y curves that the input requests at chosen depths of
// chosen piles, printed through the criteria of the soil layers there.
#include <cstdio>

#include "report/writers.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

// Reasons for not printing a request.
enum RequestStatus : std::int32_t {
  RQ_OK = 0,
  RQ_CAP_FIRST = 1,   // the first request at the cap level: printed
  RQ_CAP_MORE = 2,    // a further request at the cap level
  RQ_ABOVE_GROUND = 3,
  RQ_BELOW_TIP = 4,
  RQ_ABOVE_CAP = 5,
  RQ_ABOVE_HEAD = 6,
  RQ_NO_PILE = 7,     // the pile of the request does not exist
};

using py::blanks;
using py::textLine;

// A depth of a message: f10.2 of its display value and the length label.
std::string depth(double x) { return py::fixed(10, 2, OUTLEN(x)) + " " + py::lbig2(); }

// Lines of one write of the layouts: the first text after two empty lines,
// every further group after one.
void layout(std::initializer_list<std::initializer_list<std::string>> groups) {
  textLine(U_ECHO, "");
  for (const auto& g : groups) {
    textLine(U_ECHO, "");
    for (const std::string& l : g) textLine(U_ECHO, l);
  }
}

std::string r1(int j) { return blanks(9) + "CURVE NUMBER              =" + intField(5, j); }
std::string r2(int e) { return blanks(9) + "PILE GROUP NUMBER         =" + intField(5, e); }
std::string refused(int gap) { return blanks(9) + "CURVE NOT GENERATED SINCE REQUIRED DEPTH," + blanks(gap); }

}  // namespace

void PYLIST(std::int32_t& ISTAT) {
  SOILCOM.NLAYER = SOILIN.NLAYIN;
  CURCTL.KPYOUT = 1;
  const int n = std::min<int>(PYPRT.NPYPRT, MAXPRT);
  const int npile = RUNCTL.NPILE;
  const int nlay = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  for (int j = 1; j <= n; ++j) PYPRT.PRTSTA(j) = RQ_OK;

  // Status pass: a later test that holds overrides an earlier one.
  for (int j = 1; j <= n; ++j) {
    const int e = PYPRT.PRTPIL(j);
    const double f = PYPRT.PRTDEP(j);
    if (e < 1 || e > npile) {
      PYPRT.PRTSTA(j) = RQ_NO_PILE;
      continue;
    }
    const double h = PILEAR.PHXREF(e);
    const double g = h + PILEAR.PGRND(e);
    const double t = h + PILEPROP.PLEN(PILEAR.PROPOFPILE(e));
    if (f - g <= r4(1.0E-6)) PYPRT.PRTSTA(j) = RQ_ABOVE_GROUND;
    if (f > t) PYPRT.PRTSTA(j) = RQ_BELOW_TIP;
    if (CAPCTL.ICAPOP > 0) {
      if (f <= h - CAPCTL.CAPTX) PYPRT.PRTSTA(j) = RQ_ABOVE_CAP;
    } else if (f <= h) {
      PYPRT.PRTSTA(j) = RQ_ABOVE_HEAD;
    }
  }
  // Only one curve at the cap level can be printed: the first one asked for.
  if (CAPCTL.ICAPOP > 0) {
    int m = 0;
    for (int j = 1; j <= n; ++j) {
      if (PYPRT.PRTSTA(j) != RQ_OK) continue;
      const double h = PILEAR.PHXREF(PYPRT.PRTPIL(j));
      const double f = PYPRT.PRTDEP(j);
      if (h - CAPCTL.CAPTX <= f && f <= h) PYPRT.PRTSTA(j) = ++m == 1 ? RQ_CAP_FIRST : RQ_CAP_MORE;
    }
  }

  textLine(U_ECHO, "");
  textLine(U_ECHO, "");
  textLine(U_ECHO, blanks(5) + "* GENERATED P-Y CURVES *");
  textLine(U_ECHO, "");
  textLine(U_ECHO, blanks(5) + "NUMBER OF CURVES  :" + intField(5, n));
  textLine(U_PLOT, blanks(5) + "* GENERATED P-Y CURVES *");
  textLine(U_PLOT, blanks(5) + intField(5, n));
  if (n < 1) return;

  NodeArray ydefl, esoil, ysoil1, ysoil2, psmov, psoil;
  for (int j = 1; j <= n; ++j) {
    const int e = PYPRT.PRTPIL(j);
    const double f = PYPRT.PRTDEP(j);
    const int s = PYPRT.PRTSTA(j);
    if (s == RQ_NO_PILE) {
      layout({{r1(j)},
              {r2(e)},
              {blanks(9) + "CURVE NOT GENERATED SINCE THE REQUIRED PILE GROUP",
               blanks(9) + "IS NOT DEFINED"}});
      textLine(U_PLOT, intField(5, j) + intField(5, e) + intField(5, 0));
      continue;
    }

    // Node 1 at the depth, the spacing to node 2 kept.
    PYPRT.IPYCRV = j;
    PILENODE.XNODE(e, 2) = PILENODE.XNODE(e, 2) - PILENODE.XNODE(e, 1) + f;
    PILENODE.XNODE(e, 1) = f;
    PYPRT.NPYPTS = PYPRT.PRTNPT(j);

    // The layer of the depth: the first whose bottom lies below it. It
    // alone holds a node, node 1. It also names the criterion and is the one
    // tested for user curves, so that the printed name is that of the curve.
    int k = 0;
    for (int L = 1; L <= nlay && k == 0; ++L)
      if (SOILCOM.LBOT(L) > f) k = L;
    for (int L = 1; L <= nlay; ++L) {
      LAYNODE.LNODE1(e, L) = L == k ? 1 : 0;
      if (k > 0 && L >= k) LAYNODE.LNODE2(e, L) = 1;
    }
    const int user = k > 0 && SOILCOM.LTYPE(k) == 5 ? k : 0;
    const int npts = PYPRT.PRTNPT(j) != 0 ? PYPRT.PRTNPT(j) : 17;
    const double h = PILEAR.PHXREF(e);

    bool refusedRq = true;
    switch (s) {
      case RQ_CAP_MORE:
        layout({{r1(j)},
                {blanks(9) + "AT PILE CAP LEVEL, DEPTH  =" + depth(f)},
                {blanks(9) + "CURVE NOT GENERATED SINCE ONLY ONE CURVE ",
                 blanks(9) + "AT PILE CAP LEVEL CAN BE PRINTED "}});
        break;
      case RQ_ABOVE_GROUND:
        layout({{r1(j)},
                {r2(e)},
                {refused(2) + depth(f) + ",",
                 blanks(9) + "IS ABOVE OR EQUAL TO THE SOIL GROUND FOR REQUIRED PILE, " +
                     depth(h + PILEAR.PGRND(e))}});
        break;
      case RQ_BELOW_TIP:
        layout({{r1(j)},
                {r2(e)},
                {refused(2) + depth(f) + ",",
                 blanks(9) + "IS BELOW TIP OF REQUIRED PILE, " +
                     depth(h + PILEPROP.PLEN(PILEAR.PROPOFPILE(e)))}});
        break;
      case RQ_ABOVE_CAP:
        layout({{r1(j)},
                {r2(e)},
                {refused(2) + depth(f) + ",",
                 blanks(9) + "IS ABOVE TOP OF PILE CAP, " + depth(h - CAPCTL.CAPTX)}});
        break;
      case RQ_ABOVE_HEAD:
        layout({{r1(j)},
                {r2(e)},
                {refused(2) + depth(f) + ",", blanks(9) + "IS ABOVE TOP OF REQUIRED PILE, " + depth(h)}});
        break;
      default:
        if (nlay < 1 || f <= SOILCOM.LTOP(1)) {
          layout({{r1(j)},
                  {r2(e)},
                  {refused(2) + depth(f) + ",",
                   blanks(9) + "IS ABOVE OR EQUAL TO THE DEFINED SOIL TOP, " + depth(SOILCOM.LTOP(1))}});
        } else if (f >= SOILCOM.LBOT(nlay)) {
          layout({{r1(j)},
                  {r2(e)},
                  {refused(5) + depth(f) + ",",
                   blanks(9) + "IS BELOW OR EQUAL TO THE DEFINED SOIL BOTTOM, " +
                       depth(SOILCOM.LBOT(nlay))}});
        } else if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(e) > 0) {  // a set is in use only with control 5
          layout({{r1(j)},
                  {r2(e)},
                  {blanks(9) + "CURVE NOT GENERATED SINCE A USER DEFINED P-Y CURVE",
                   blanks(9) + "IS SET FOR THIS PILE (" + intField(3, PILEAR.IPYSET(e)) + ")"}});
        } else if (user > 0) {
          layout({{r1(j)},
                  {r2(e)},
                  {refused(5) + depth(f) + ",",
                   blanks(9) + "IS WITHIN LAYER " + intField(3, user) +
                       ", WHICH IS SET AS USER DEFINED P-Y CURVES"}});
        } else {
          refusedRq = false;
        }
    }
    if (refusedRq) {
      textLine(U_PLOT, intField(5, j) + intField(5, e) + intField(5, 0));
      continue;
    }

    if (s == RQ_CAP_FIRST)
      layout({{r1(j)},
              {blanks(9) + "AT PILE CAP LEVEL, DEPTH  =" + depth(f)},
              {blanks(9) + "NUMBER OF POINTS ON CURVE =" + intField(5, npts)}});
    else
      layout({{r1(j)},
              {r2(e)},
              {blanks(9) + "DEPTH BELOW ORIGIN        =" + depth(f)},
              {blanks(9) + "NUMBER OF POINTS ON CURVE =" + intField(5, npts)}});
    textLine(U_PLOT, intField(5, j) + intField(5, e) + intField(5, npts));
    if (const char* name = PYNAME(SOILCOM.LTYPE(k))) {
      textLine(U_ECHO, "");
      textLine(U_ECHO, blanks(9) + "P-Y CURVE COMPUTED USING " + name);
    }
    const std::int32_t iprop = PILEAR.PROPOFPILE(e);
    PYSOIL(iprop, ISTAT, e, e, ydefl, esoil, ysoil1, ysoil2, psmov, psoil);
  }
}

void PYTABN(std::int32_t& KPYOPT, std::int32_t& ISTAT) {
  CURCTL.KPYLST = KPYOPT;
  if (KPYOPT == 0) return;
  CRVCTL.PYCOLL = 0;
  for (int k = 0; k < 5; ++k) textLine(U_ECHO, "");
  textLine(U_ECHO, blanks(5) + "* TABLE N *   PRINTED P-Y CURVES");
  PYLIST(ISTAT);
}

}  // namespace drelm
