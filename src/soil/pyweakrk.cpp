// Weak rock (code 9): a straight line of slope Kir up to the deflection where
// it meets the quarter-power curve 0.5 pur (y / yrm)^0.25, which rises to the
// ultimate resistance pur of the rock mass.
#include <cmath>
#include <limits>

#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class WeakRock {
 public:
  static constexpr int KIND = 9;
  static constexpr bool CAP_PASS = false;
  static constexpr bool API_OUTPUT = false;

  void startPass() {
    sum_ = 0.0;
    integral_ = 0.0;
    qhPrev_ = 0.0;
  }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    const double qu = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    qh_ = qu / 2.0;
    if (!n.first && qh_ < r4(1.0E-10)) {
      const std::string w = py::blanks(7);
      for (int unit : {U_ECHO, U_LOG})
        py::blockLines(unit, {"", w + "--------------------WARNING----------------------",
                              w + "THE UNIAXIAL COMPRESION STRENGTH IS 0 FOR WEAK ROCK ",
                              w + "ACCORDING TO THE INPUT DATA.",
                              w + "PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."});
      a.st = STAT_WEAKROCK_QU;
      return false;
    }

    // Strength of the ultimate resistance: the depth average of qu / 2 over
    // the layer from its first node; in a printed curve the mean of the node's
    // and the layer top's; in the first layer half the average from the soil top.
    double qavg = qh_;
    if (n.first) {
      integral_ = 0.0;
    } else {
      const double xPrev = PILENODE.XNODE(p, n.i - 1);
      integral_ += (qhPrev_ + qh_) / 2.0 * (n.X - xPrev);
      qavg = integral_ / (n.X - PILENODE.XNODE(p, LAYNODE.LNODE1(p, L)));
    }
    qhPrev_ = qh_;
    if (CURCTL.KPYOUT == 1) {
      const double qt = SOILC(SOILCOM.LTOP(L), a.st) / 2.0;
      if (a.st != 0) return false;
      qavg = (qh_ + qt) / 2.0;
    }
    if (L == 1) {
      qavg = SOILCAVG(n.X, a.st) / 2.0;
      if (a.st != 0) return false;
    }
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    const double rqd = SOILRQD(n.X);
    krm_ = SOILE50(n.X);
    const double er = SOILER(n.X);

    b_ = n.b;
    z_ = n.z;
    const double alphar = 1.0 - rqd / 150.0;
    const double xr = n.z + r4(1.0E-8);
    if (xr > 3.0 * b_) {
      pur_ = r4(10.4) * alphar * qavg * b_;
      kir_ = 500.0 * er;
    } else {
      pur_ = 2.0 * alphar * qavg * (b_ + r4(1.4) * xr);
      kir_ = (100.0 + 400.0 * xr / (3.0 * b_)) * er;
    }
    if (!(kir_ > 0.0)) kir_ = 0.0;

    yrm_ = krm_ * b_;
    if (kir_ == 0.0) {
      ya_ = std::numeric_limits<double>::infinity();  // no modulus: no resistance
    } else if (!(yrm_ > 0.0)) {
      ya_ = pur_ / kir_;  // no strain factor: the line up to pur, then pur
    } else {
      ya_ = std::pow(0.5 * pur_ / (std::pow(yrm_, 0.25) * kir_), r4(4.0 / 3.0));
    }

    // Cumulative resistance of the layer.
    if (!n.first) {
      sum_ += (PILENODE.XNODE(p, 2) - PILENODE.XNODE(p, 1)) * pur_;
      if (n.last) sum_ += (SOILCOM.LBOT(L) - n.X) * pur_;
    }
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  bool initial(double y) const { return y < ya_; }
  double p(double y) const {
    if (y < ya_) return kir_ * y;
    if (!(yrm_ > 0.0)) return pur_;
    return std::min(pur_, 0.5 * pur_ * std::pow(y / yrm_, 0.25));
  }
  double es0() const { return kir_; }
  double pSmall(double y) const { return kir_ * y; }
  bool capAlways() const { return false; }

  double defl(int k) const {
    static constexpr double F[17] = {r4(0.0005), r4(0.001), r4(0.003), r4(0.006), r4(0.009), r4(0.02),
                                     r4(0.04),   r4(0.06),  r4(0.08),  r4(0.1),   r4(0.25),  r4(0.5),
                                     r4(0.75),   1.0,       4.0,       8.0,       12.0};
    return F[k - 1] * yrm_;
  }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(14) + "DEPTH" + blanks(5) + "DIAM" + blanks(7) + "C" + blanks(8) + " PU " +
                         blanks(3) + "GAMMA AVG" + blanks(6) + "KRM");
    textLine(U_ECHO, blanks(16) + lbig2() + blanks(7) + lsml2() + blanks(4) + llod3() + "/" + llen2() +
                         "**2" + blanks(1) + llod3() + "/" + llen2() + blanks(4) + llod3() + "/" + lbig2() +
                         "**3" + blanks(1));
    textLine(U_ECHO, blanks(10) + fixed(10, 2, OUTLEN(z_)) + fixed(10, 3, OUTDIM(b_)) +
                         expo(10, 2, OUTFRC(qh_)) + expo(10, 2, OUTFRC(pur_)) +
                         expo(10, 2, OUTFRC(OUTUWT(gam_))) + expo(12, 3, krm_));
    textLine(U_ECHO, blanks(37) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(37) + llen2() + blanks(16) + llod3() + "/" + llen2());
  }

  // Printed points in exponent form.
  void points(double y, double p) const {
    using namespace py;
    textLine(U_ECHO, blanks(21) + expo(20, 3, y) + expo(20, 3, OUTFRC(p)));
    textLine(U_PLOT, "  " + general(15, 8, y) + "  " + general(15, 8, p));
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  double qh_ = 0, qhPrev_ = 0, integral_ = 0, gam_ = 0, krm_ = 0, b_ = 0, z_ = 0;
  double pur_ = 0, kir_ = 0, yrm_ = 0, ya_ = 0;
  double sum_ = 0.0;
};

}  // namespace

void PYWEAKRK(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
              NodeArray& PSOIL) {
  WeakRock c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
