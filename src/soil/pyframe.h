// The frame that every p-y criterion follows: the cap pass and the pile pass
// over the nodes of one layer, the width, the multipliers along depth and for
// closely spaced piles, soil movement, the ground line, and the three modes
// (springs for the analysis, a printed curve, a collected curve).
//
// A criterion is a small class that knows its soil values, its curve and its
// listing heading; runFrame drives it over the nodes. Its state lives on the
// stack of one criterion call, so that calls for different piles may run on
// several threads at once: a call writes only the caller's node arrays and
// the entries of its own pile (GRNDX, PUCAP, EQDEP, CUMPU).
//
// Criterion interface (C):
//   static constexpr int KIND          curve-kind code of the curve file
//   static constexpr bool CAP_PASS     evaluates node 1 with the cap width too
//   static constexpr bool API_OUTPUT   X record in collect mode, raw collected
//                                      points and wider plot columns
//   void startPass()                   reset the running sums of the layer
//   bool node(const Call&, const Node&)  soil values and curve parameters at
//                                      the node; false when the status word is set
//   void heading(const Call&, const Node&)  listing heading on unit 32
//   double defl(int k) const           entry k of the default deflection list
//   double p(double y) const           resistance at EPSLIM <= y (the frame
//                                      mirrors the curve for y below 0)
//   double es0() const                 initial modulus below EPSLIM
//   double pSmall(double y) const      resistance below EPSLIM
//   bool capAlways() const             PUCAP also below EPSLIM
//   void afterPoint(const Call&, int k, double yPrinted) const
//
// Optional members, for criteria that depart from the common frame:
//   static constexpr bool CAP_AS_PILE  the cap pass stores no PUCAP and gives
//                                      its point stretched like a pile node's
//   static constexpr bool ES0_SCALED   the initial modulus is divided by the
//                                      y-multiplier (times pm / ym in a set)
//   double analysisDefl(const Call&, int i, double ys, double fy) const
//                                      the deflection of node i in the analysis
//   bool initial(double y) const       y takes the initial modulus (else
//                                      y < EPSLIM)
//   double secant(double y) const      the secant p(y) / y without dividing
//                                      by a deflection below EPSLIM; only a
//                                      deflection of exactly 0 then takes the
//                                      initial modulus
//   void points(double y, double p) const  the printed lines of one point
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "pile/nodes.h"
#include "run/model.h"
#include "report/convert.h"
#include "report/writers.h"
#include "soil/lookup.h"
#include "soil/pyconst.h"
#include "soil/pylayr.h"

namespace drelm {

// Collected points of one curve for the per-pile curve file.
constexpr int MAXPYC25 = 25;
struct PYPLOT_T {
  FArray<double, MAXPYC25> PYCOLY;  // deflections
  FArray<double, MAXPYC25> PYCOLP;  // resistances
};
extern PYPLOT_T PYPLOT;

namespace py {

enum class Mode { Analysis, Listing, Collect };

// The current mode from the control words.
inline Mode currentMode() {
  if (CURCTL.KPYLST == 0 || CURCTL.KPYOUT != 1) return Mode::Analysis;
  return CRVCTL.PYCOLL == 1 ? Mode::Collect : Mode::Listing;
}

// One call of a criterion for one layer of one pile.
struct Call {
  std::int32_t iprop;
  std::int32_t layer;
  std::int32_t pile;
  std::int32_t pilef;
  std::int32_t& st;
  const NodeArray& YDEFL;
  NodeArray& ESOIL;
  const NodeArray& YSOIL1;
  const NodeArray& YSOIL2;
  NodeArray& PSMOV;
  NodeArray& PSOIL;
  Mode mode;
};

// The node being evaluated.
struct Node {
  int i;          // node number
  int pass;       // 1 cap pass, 2 pile pass
  bool first;     // the layer's first node
  bool last;      // the layer's last node
  double X;       // global X, for the soil look-ups
  double z;       // depth below the ground line
  double b;       // width
  double dx;      // node spacing at the top of the layer
};

// Ground X of pile p.
inline double groundX(int p) { return PILEAR.PHXREF(p) + PILEAR.PGRND(p); }

// Depth of the layer top below the ground line.
inline double layerTopDepth(int p, int L) { return SOILCOM.LTOP(L) - groundX(p); }

// Equivalent depth of a node of layer L: the true depth in the first layer,
// else the layer top's equivalent depth plus the distance below the top.
inline double equivalentDepth(int p, int L, const Node& n) {
  if (L == 1) return n.z;
  if (n.z < EPS6) return 0.0;
  return PYLAYR.EQDEP(p, L) + (n.X - SOILCOM.LTOP(L));
}

// Whether the criterion computes the layer top's equivalent depth at this
// node: a lower layer, analysis mode, its first node, not yet computed.
inline bool wantsEqDepth(const Call& a, const Node& n) {
  return a.layer > 1 && a.mode == Mode::Analysis && n.first &&
         PYLAYR.EQDEP(a.pile, a.layer) < EPS6;
}

// Output helpers of the listing (pyout.cpp).
// The record of the node's X on the plot data file.
void xRecord(double X);
// The lines of one curve point on the input echo and the plot data file.
void pointLines(double y, double p, bool api);
// Fortran-style fields: Fw.d, Ew.d (0.ddd mantissa) and 1PGw.d.
std::string fixed(int w, int d, double x);
std::string expo(int w, int d, double x);
std::string general(int w, int d, double x);
// One line of text to a unit.
void textLine(int unit, const std::string& text);
// A block of lines written whole, so that blocks from several threads do
// not mix.
void blockLines(int unit, std::initializer_list<std::string> lines);
// The labels of the headings.
std::string lbig2();
std::string lsml2();
std::string llen2();
std::string llod3();
std::string blanks(int n);

template <class C>
constexpr bool capAsPile() {
  if constexpr (requires { C::CAP_AS_PILE; }) return C::CAP_AS_PILE;
  return false;
}

template <class C>
constexpr bool es0Scaled() {
  if constexpr (requires { C::ES0_SCALED; }) return C::ES0_SCALED;
  return false;
}

// Drive criterion c over the nodes of layer a.layer of pile a.pile.
template <class C>
void runFrame(C& c, Call& a) {
  const int p = a.pile;
  const int L = a.layer;
  const int n1 = LAYNODE.LNODE1(p, L);
  const int n2 = LAYNODE.LNODE2(p, L);
  if (n1 < 1 || n1 >= MAXNOD) return;
  const bool analysis = a.mode == Mode::Analysis;
  const double epslim = RUNCONST.EPSLIM;
  const int icap = CAPCTL.ICAPOP;
  const double g = groundX(p);
  const double dx = PILENODE.XNODE(p, n1 + 1) - PILENODE.XNODE(p, n1);
  const double capTop = PILEAR.PHXREF(p) - CAPCTL.CAPTX;
  auto withinCap = [&](double x) { return capTop <= x && x <= PILEAR.PHXREF(p); };
  // Deflections a curve may list: the request's table, or the curve file's.
  const int maxPts = a.mode == Mode::Collect ? MAXPYU : MAXPRD;

  for (int pass = 1; pass <= 2; ++pass) {
    int i0 = n1, i1 = std::min(n2, MAXNOD);
    if (pass == 1) {
      // The cap pass: node 1 with the cap width, for an embedded cap.
      if (!C::CAP_PASS || icap <= 0 || n1 != 1) continue;
      i0 = i1 = 1;
    }
    for (int i = i0; i <= i1; ++i) {
      if (i == n1) {
        c.startPass();
        PYLAYR.CUMPU(p, L) = 0.0;
      }
      const double X = PILENODE.XNODE(p, i);
      a.ESOIL(i) = 0.0;
      std::int32_t s = 0;
      double pm = 1.0, ym = 1.0;
      if (RFDCTL.IRFDEP == 1) PYMULT(p, s, X, pm, ym);
      const int q = analysis ? p : a.pilef;
      SOILCOM.GRNDX(p) = g;
      const double z = X - g;
      if (a.mode == Mode::Collect) {
        CRVCTL.ICRVPT = C::KIND;
        CRVCTL.ICRVEX = z >= EPS6 ? 1 : 0;
        CRVCTL.CRVSCL = z;
      }
      // No spring at or above the ground line.
      if (z < EPS6) continue;
      if (!analysis) {
        if (pass == 1 && !withinCap(PILENODE.XNODE(p, 1))) break;
        // A node within the cap that the cap pass has listed is not listed
        // again: one curve per request.
        if (pass == 2 && C::CAP_PASS && icap > 0 && withinCap(X)) continue;
      }
      // Criteria without a cap pass never take the cap width.
      double b = SECDIAM(p, a.iprop, PILENODE.XPILE(p, i));
      if (C::CAP_PASS && ((pass == 1 && icap == 1) || CAPSOL.KCAPPY == 1)) b = CAPCTL.CAPWZ;

      const Node nd{i, pass, i == n1, i == n2, X, z, b, dx};
      if (!c.node(a, nd)) return;
      if (a.mode == Mode::Listing) {
        c.heading(a, nd);
        xRecord(X);
      } else if (a.mode == Mode::Collect && C::API_OUTPUT && CURCTL.KPYLST == 1) {
        xRecord(X);
      }

      int n = 1;
      if (!analysis) n = std::min(PYPRT.NPYPTS != 0 ? PYPRT.NPYPTS : 17, maxPts);
      if (n < 1) continue;
      // The movement in the deflection's own direction, with its sign: the
      // springs act on YDEFL - ys (see PYSOIL).
      const double ys = SMOV.NSMOV > 0 ? a.YSOIL1(i) : 0.0;
      const double fp = GRPFAC.GRPPF(q);
      const double fy = GRPFAC.GRPYF(q);
      const bool capPoint = pass == 1 && icap == 1 && !capAsPile<C>();
      for (int k = 1; k <= n; ++k) {
        double y;
        if (analysis && capPoint) {
          // The cap's resistance follows the cap's own horizontal movement,
          // not the pile's head deflection.
          y = CAPCTL.CAPUHM;
        } else if (analysis) {
          if constexpr (requires { c.analysisDefl(a, i, ys, fy); }) y = c.analysisDefl(a, i, ys, fy);
          else y = std::fabs(a.YDEFL(i) - ys);
        } else if (PYPRT.NPYPTS == 0) y = c.defl(k);
        else if (a.mode == Mode::Listing) y = PYPRT.PRTDEF(k, PYPRT.IPYCRV);
        else y = PYPRT.PYUSR(k);
        // The curve is odd in y: a listed deflection below zero gives the
        // point of its size with both values negated.
        const double sign = y < 0.0 ? -1.0 : 1.0;
        y = std::fabs(y);

        bool small;
        if constexpr (requires { c.secant(y); }) {
          small = y == 0.0;
        } else {
          small = y < epslim;
          if constexpr (requires { c.initial(y); }) small = small || c.initial(y);
        }
        double pv;
        if (small) {
          double e = c.es0();
          if constexpr (es0Scaled<C>()) {
            e /= fy;
            if (s > 0) e *= pm / ym;
          }
          a.ESOIL(i) = e;
          pv = c.pSmall(y);
        } else {
          pv = c.p(y);
          double e;
          if constexpr (requires { c.secant(y); }) e = c.secant(y) * fp / fy;
          else e = pv * fp / y / fy;
          if (s > 0) e *= pm / ym;
          a.ESOIL(i) = e;
        }
        if (capPoint && (!small || c.capAlways())) SOILCOM.PUCAP(p) = pv;
        const double pf = pv * fp;
        if (CURCTL.KPYLST == 0 && SMOV.NSMOV > 0) a.PSMOV(i) = a.ESOIL(i) * ys;
        double ps = a.YDEFL(i) > ys ? -pf : pf;
        if (s > 0) ps *= pm;
        a.PSOIL(i) = ps;
        if (analysis) break;

        // The printed or collected point: the curve stretched by the
        // multipliers (the cap's own curve as it stands).
        double yp = y, pp = pv;
        if (!capPoint) {
          yp = y * fy;
          pp = pf;
          if (s > 0) {
            yp *= ym;
            pp *= pm;
          }
        }
        const double ySize = yp;
        yp *= sign;
        pp *= sign;
        if (a.mode == Mode::Collect) {
          PYPLOT.PYCOLY(k) = C::API_OUTPUT ? sign * y : yp;
          PYPLOT.PYCOLP(k) = C::API_OUTPUT ? sign * pv : pp;
        } else {
          if constexpr (requires { c.points(yp, pp); }) c.points(yp, pp);
          else pointLines(yp, pp, C::API_OUTPUT);
          c.afterPoint(a, k, ySize);
        }
      }
    }
  }
}

}  // namespace py
}  // namespace drelm
