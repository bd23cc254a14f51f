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
#include <memory>
#include <string>
#include <vector>

#include "model/nodes.h"
#include "model/model.h"
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

// The frame's values of one node that do not depend on the deflection.
struct NodeFactors {
  int i = 0;              // node number
  bool spring = false;    // below the ground line: the node takes a spring
  bool capPoint = false;  // the cap's own point (PUCAP)
  std::int32_t s = 0;     // multipliers along depth apply when > 0
  double pm = 1.0, ym = 1.0;
  double ys = 0.0;        // soil movement in the deflection's direction
  double fp = 1.0, fy = 1.0;  // multipliers for closely spaced piles
};

// The layer values a pile's springs keep between the lateral iterations of
// one solution (PySprings): per node, the criterion as node() left it and the
// frame's factors, in the order the frame visits the nodes. The storage stays
// with its thread from one solution to the next: evaluating fills it again
// without touching the heap.
class SpringLayer {
 public:
  virtual ~SpringLayer() = default;
  bool valid = false;  // holds the values of the current solution
  double cumpu = 0.0;  // CUMPU of the layer at the end of the pass
};

template <class C>
class SpringLayerOf final : public SpringLayer {
 public:
  struct Entry {
    C c;
    NodeFactors f;
  };
  SpringLayerOf() { nodes.reserve(MAXNOD + 1); }  // the cap pass and every node
  std::vector<Entry> nodes;
};

// The slot of the layer being evaluated in the springs the caller of PYSOIL
// keeps, or null when it keeps none (pysoil.cpp).
std::unique_ptr<SpringLayer>* keptLayer();

// The deflection a spring of the analysis acts on.
template <class C>
double analysisY(const C& c, const Call& a, const NodeFactors& f) {
  // The cap's resistance follows the cap's own horizontal movement, not the
  // pile's head deflection.
  if (f.capPoint) return CAPCTL.CAPUHM;
  if constexpr (requires { c.analysisDefl(a, f.i, f.ys, f.fy); })
    return c.analysisDefl(a, f.i, f.ys, f.fy);
  else
    return std::fabs(a.YDEFL(f.i) - f.ys);
}

// The spring of node f.i at deflection y: ESOIL, PSMOV, PSOIL and the cap's
// PUCAP. Returns the curve's resistance p(y).
template <class C>
double springAt(const C& c, Call& a, const NodeFactors& f, double y) {
  const int i = f.i;
  const double fp = f.fp, fy = f.fy;
  bool small;
  if constexpr (requires { c.secant(y); }) {
    small = y == 0.0;
  } else {
    small = y < RUNCONST.EPSLIM;
    if constexpr (requires { c.initial(y); }) small = small || c.initial(y);
  }
  double pv;
  if (small) {
    double e = c.es0();
    if constexpr (es0Scaled<C>()) {
      e /= fy;
      if (f.s > 0) e *= f.pm / f.ym;
    }
    a.ESOIL(i) = e;
    pv = c.pSmall(y);
  } else {
    pv = c.p(y);
    double e;
    if constexpr (requires { c.secant(y); }) e = c.secant(y) * fp / fy;
    else e = pv * fp / y / fy;
    if (f.s > 0) e *= f.pm / f.ym;
    a.ESOIL(i) = e;
  }
  if (f.capPoint && (!small || c.capAlways())) SOILCOM.PUCAP(a.pile) = pv;
  const double pf = pv * fp;
  if (CURCTL.KPYLST == 0 && SMOV.NSMOV > 0) a.PSMOV(i) = a.ESOIL(i) * f.ys;
  double ps = a.YDEFL(i) > f.ys ? -pf : pf;
  if (f.s > 0) ps *= f.pm;
  a.PSOIL(i) = ps;
  return pv;
}

// The springs of a layer whose node values were kept: only the deflection
// dependent part of each node, with the same writes in the same order as a
// full evaluation.
template <class C>
void replayKept(const SpringLayerOf<C>& layer, Call& a) {
  for (const auto& e : layer.nodes) {
    a.ESOIL(e.f.i) = 0.0;
    if (e.f.spring) springAt(e.c, a, e.f, analysisY(e.c, a, e.f));
  }
  PYLAYR.CUMPU(a.pile, a.layer) = layer.cumpu;
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
  // The analysis of a pile whose caller keeps its springs evaluates node()
  // once per solution: later calls only follow the deflection.
  std::unique_ptr<SpringLayer>* kept = analysis ? keptLayer() : nullptr;
  SpringLayerOf<C>* keep = nullptr;
  if (kept) {
    keep = dynamic_cast<SpringLayerOf<C>*>(kept->get());
    if (keep && keep->valid) {
      replayKept(*keep, a);
      return;
    }
    if (!keep) {
      *kept = std::make_unique<SpringLayerOf<C>>();
      keep = static_cast<SpringLayerOf<C>*>(kept->get());
    }
    keep->nodes.clear();
  }
  const std::uint64_t warnings0 = soilWarningsWritten();

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
      NodeFactors f;
      f.i = i;
      if (RFDCTL.IRFDEP == 1) PYMULT(p, f.s, X - PILEAR.PHXREF(p), f.pm, f.ym);
      const int q = analysis ? p : a.pilef;
      SOILCOM.GRNDX(p) = g;
      const double z = X - g;
      if (a.mode == Mode::Collect) {
        CRVCTL.ICRVPT = C::KIND;
        CRVCTL.ICRVEX = z >= EPS6 ? 1 : 0;
        CRVCTL.CRVSCL = z;
      }
      // No spring at or above the ground line.
      if (z < EPS6) {
        if (keep) keep->nodes.push_back({c, f});
        continue;
      }
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

      // The movement in the deflection's own direction, with its sign: the
      // springs act on YDEFL - ys (see PYSOIL).
      f.spring = true;
      f.capPoint = pass == 1 && icap == 1 && !capAsPile<C>();
      f.ys = SMOV.NSMOV > 0 ? a.YSOIL1(i) : 0.0;
      f.fp = GRPFAC.GRPPF(q);
      f.fy = GRPFAC.GRPYF(q);
      if (analysis) {
        springAt(c, a, f, analysisY(c, a, f));
        if (keep) keep->nodes.push_back({c, f});
        continue;
      }

      const int n = std::min(PYPRT.NPYPTS != 0 ? PYPRT.NPYPTS : 17, maxPts);
      for (int k = 1; k <= n; ++k) {
        double y;
        if (PYPRT.NPYPTS == 0) y = c.defl(k);
        else if (a.mode == Mode::Listing) y = PYPRT.PRTDEF(k, PYPRT.IPYCRV);
        else y = PYPRT.PYUSR(k);
        // The curve is odd in y: a listed deflection below zero gives the
        // point of its size with both values negated.
        const double sign = y < 0.0 ? -1.0 : 1.0;
        y = std::fabs(y);
        const double pv = springAt(c, a, f, y);
        const double pf = pv * f.fp;

        // The printed or collected point: the curve stretched by the
        // multipliers (the cap's own curve as it stands).
        double yp = y, pp = pv;
        if (!f.capPoint) {
          yp = y * f.fy;
          pp = pf;
          if (f.s > 0) {
            yp *= f.ym;
            pp *= f.pm;
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
  // Kept only when evaluating wrote no warning: a later evaluation would
  // write it again.
  if (keep && soilWarningsWritten() == warnings0) {
    keep->cumpu = PYLAYR.CUMPU(p, L);
    keep->valid = true;
  }
}

}  // namespace py
}  // namespace drelm
