// Liquefied sand (code 11): the empirical power curve p = A (B y)^C, whose
// coefficients depend only on the depth, limited at 15 kN/m and scaled by a
// factor of the pile width. The curve is defined in metric units (depth and
// width in metres, deflection in millimetres, resistance in kN/m for a pile
// 0.3 m wide); in English units depth, width and deflection are converted to
// metric and the resistance back.
#include <algorithm>
#include <cmath>

#include "report/siconv.h"
#include "report/writers.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class LiquefiedSand {
 public:
  static constexpr int KIND = 11;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = false;
  static constexpr bool CAP_AS_PILE = true;

  void startPass() {
    sum_ = 0.0;
    prev_ = 0.0;
  }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    b_ = n.b;
    z_ = n.z;
    const bool english = RUNCTL.IUNITS == 1;
    const double t = english ? r4(0.0254) * n.z + 1.0 : n.z + 1.0;
    const double d = english ? r4(0.0254) * b_ : b_;
    c_ = r4(2.85) * std::pow(t, -r4(0.41));
    bc_ = r4(2.80) * std::pow(t, r4(0.11));
    a_ = r4(3.0E-7) * std::pow(t, r4(6.05));
    // A pile 0.3 m wide takes the logarithmic branch (f = 1.013): the width
    // is compared with 0.3 itself, not its single-precision neighbour.
    const double f = d < 0.3 ? d / r4(0.3) : r4(3.81) * std::log(d) + r4(5.6);
    limited_ = RUNCTL.IUNITS >= 1;
    // kN/m to lb/in by the factor 5.7143 in English; SI takes that factor
    // back to kN/m exactly, so that one soil gives one curve in both systems.
    const bool si = RUNCTL.IUNITS == 2;
    scale_ = english || si ? f * r4(5.7143) * (si ? LBIN_KNM : 1.0) : f;
    mm_ = english ? r4(25.4) : 1000.0;  // deflection to millimetres
    p150_ = a_ * std::pow(150.0 * bc_, c_);
    const double p500 = a_ * std::pow(500.0 * bc_ * d, c_);
    pu_ = limited_ ? scale_ * std::min({p150_, 15.0, p500}) : scale_ * std::min(p150_, p500);
    const double yref = std::min(150.0, std::pow(15.0 / a_, 1.0 / c_) / bc_) / 1000.0;
    yref_ = english ? yref * (1000.0 / r4(25.4)) : yref;

    // Cumulative resistance of the layer: trapezoids of pu over the pile's
    // first node spacing.
    if (!n.first) {
      sum_ += (prev_ + pu_) * (PILENODE.XNODE(p, 2) - PILENODE.XNODE(p, 1)) / 2.0;
      if (n.last) sum_ += (SOILCOM.LBOT(L) - n.X) * pu_;
    }
    prev_ = pu_;
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  // The node's deflection divided by the y-multiplier (with soil movement:
  // relative to the soil); a deflection too small to divide by takes the
  // first deflection of the default list, so that the spring is a secant.
  double analysisDefl(const py::Call& a, int i, double ys, double fy) const {
    const double y = SMOV.NSMOV > 0 ? std::fabs(a.YDEFL(i) - ys) : std::fabs(a.YDEFL(i)) / fy;
    return y < RUNCONST.EPSLIM ? defl(1) : y;
  }

  double p(double y) const {
    const double pr = a_ * std::pow(mm_ * bc_ * y, c_);
    const double pc = limited_ ? scale_ * std::min({p150_, 15.0, pr}) : scale_ * std::min(p150_, pr);
    return std::min(pu_, pc);
  }
  // No initial tangent: the secant at the first deflection of the list.
  double es0() const {
    const double y1 = defl(1);
    return y1 > 0.0 ? p(y1) / y1 : 0.0;
  }
  double pSmall(double y) const { return p(y); }
  bool capAlways() const { return false; }

  double defl(int k) const {
    static constexpr double F[17] = {r4(0.0001), r4(0.02), r4(0.04), r4(0.08), r4(0.10), r4(0.15),
                                     r4(0.20),   r4(0.25), r4(0.30), r4(0.40), r4(0.50), r4(0.60),
                                     r4(0.70),   r4(0.80), r4(0.90), 1.0,      r4(1.1)};
    return F[k - 1] * yref_;
  }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(9) + "Depth below ground surface       = " + fixed(12, 3, OUTLEN(z_)) + " " + lbig2());
    textLine(U_ECHO, blanks(9) + "Diameter                         = " + fixed(12, 3, OUTDIM(b_)) + " " + lsml2());
    textLine(U_ECHO, blanks(9) + "Gamma Avg                        = " + fixed(12, 5, OUTFRC(OUTUWT(gam_))) +
                         " " + llod3() + "/" + lbig2() + "**3");
    textLine(U_ECHO, blanks(9) + "Pu                               = " + fixed(12, 3, OUTFRC(pu_)) + " " +
                         llod3() + "/" + llen2());
    textLine(U_ECHO, blanks(26) + "         y, " + llen2() + "            p, " + llod3() + "/" + llen2());
    textLine(U_ECHO, blanks(30) + "------------       -------------");
  }

  void points(double y, double p) const {
    WRBLNK(U_ECHO, 27);
    WRREAL(U_ECHO, 14, 5, y);
    WRREAL(U_ECHO, 20, 5, OUTFRC(p));
    WREOL(U_ECHO);
    py::textLine(U_PLOT, py::blanks(7) + py::general(20, 8, y) + py::general(20, 8, p));
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  double gam_ = 0, b_ = 0, z_ = 0, a_ = 0, bc_ = 0, c_ = 1, scale_ = 0, mm_ = 1, p150_ = 0, pu_ = 0;
  double yref_ = 0;
  bool limited_ = true;
  double sum_ = 0.0, prev_ = 0.0;
};

}  // namespace

void PYLIQSND(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
              NodeArray& PSOIL) {
  LiquefiedSand c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
