// Stiff clay with free water (code 2): a square-root curve with a softening
// tail under static loading, a peaked curve with a residual plateau under
// cyclic loading, both under the straight line of the initial modulus.
#include <cmath>

#include "soil/defaults.h"
#include "soil/pysoil.h"
#include "soil/stiffclay.h"

namespace drelm {

namespace {

class StiffClayWater {
 public:
  static constexpr int KIND = 2;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = false;

  void startPass() { sum_ = 0.0; }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    const std::int32_t kst = CURCTL.KSTCYC;
    c_ = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    if (!ca_.at(a, n, c_, ca_v_)) return false;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    e50_ = SOILE50(n.X);
    if (e50_ <= 0.0) E50DEFST(c_, e50_, RUNCTL.IUNITS);
    double k = SOILK(n.X);
    if (k <= 0.0) KDEFCL(c_, k, RUNCTL.IUNITS, kst);
    b_ = n.b;
    z_ = n.z;
    const double ca = ca_v_;
    if (py::wantsEqDepth(a, n)) {
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) ||
          11.0 * c_ * b_ < (gam_ * b_ + r4(2.83) * ca) * n.z + 2.0 * ca * b_)
        PYLAYR.EQDEP(p, L) = py::layerTopDepth(p, L);
      else
        EQDEPTH(p, L, a.iprop, b_, c_, ca, gam_, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, n.z, 0.0, nullptr);
    }
    zeq_ = py::equivalentDepth(p, L, n);
    kz_ = k * zeq_;

    const double xq = SOILCOM.GRNDX(p) + zeq_;
    as_ = ASCOEF(p, a.iprop, xq);
    ac_ = ACCOEF(p, a.iprop, xq);
    pc_ = std::min(2.0 * ca * b_ + gam_ * b_ * z_ + r4(2.83) * ca * zeq_, 11.0 * c_ * b_);
    y50_ = e50_ * b_;
    yp_ = r4(4.1) * ac_ * y50_;
    static_ = kst == 1;
    if (kst == 1) f_ = r4(1.225) * std::sqrt(as_) - r4(0.411) - r4(0.75) * as_;
    else if (kst == 0) f_ = r4(0.936) * ac_ - r4(0.418) * as_;

    // Cumulative residual resistance of the layer.
    if (!(L > 1 && n.first)) sum_ += n.dx * 0.5 * (pcPrev_ + pc_) * f_;
    pcPrev_ = pc_;
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  double p(double y) const {
    double pv;
    if (static_) {
      const double ay = as_ * y50_;
      const double plateau = 0.5 * pc_ * std::sqrt(6.0 * as_) - r4(0.411) * pc_;
      if (y <= ay)
        pv = 0.5 * pc_ * std::sqrt(y / y50_);
      else if (y <= 6.0 * ay)
        pv = 0.5 * pc_ * std::sqrt(y / y50_) - r4(0.055) * pc_ * std::pow(y / ay - 1.0, 1.25);
      else if (y <= 18.0 * ay)
        pv = plateau - r4(0.0625) * pc_ * (y - 6.0 * ay) / y50_;
      else
        pv = plateau - r4(0.75) * pc_ * as_;
    } else {
      if (y <= r4(0.6) * yp_)
        pv = ac_ * pc_ * (1.0 - std::pow(std::fabs((y - r4(0.45) * yp_) / (r4(0.45) * yp_)), 2.5));
      else if (y <= r4(1.8) * yp_)
        pv = r4(0.936) * ac_ * pc_ - r4(0.085) * pc_ * (y - r4(0.6) * yp_) / y50_;
      else
        pv = r4(0.936) * ac_ * pc_ - r4(0.102) * pc_ * yp_ / y50_;
    }
    return std::min(pv, kz_ * y);
  }

  double es0() const { return kz_; }
  double pSmall(double y) const { return kz_ * y; }
  bool capAlways() const { return true; }

  double defl(int k) const {
    static constexpr double S[17] = {0,   0.5, 1.0, 1.5, 2.0, 2.5,  3.0,  3.5, 4.0,
                                     4.5, 5.0, 5.5, 6.0, 10., 14.0, 18.0, 26.0};
    static constexpr double C[17] = {0,         r4(0.05), r4(0.10), r4(0.15), r4(0.20), r4(0.25),
                                     r4(0.30),  r4(0.35), r4(0.40), r4(0.45), r4(0.50), r4(0.55),
                                     r4(0.60),  1.0,      r4(1.4),  r4(1.8),  10.0};
    return static_ ? S[k - 1] * as_ * y50_ : C[k - 1] * yp_;
  }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    const std::string stress = llod3() + "/" + lbig2() + "**2";
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(9) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(8) + "C" + blanks(9) +
                         "CAVG" + blanks(6) + "GAMMA" + blanks(8) + "E50");
    textLine(U_ECHO, blanks(15) + lbig2() + blanks(13) + lsml2() + blanks(5) + stress + blanks(2) +
                         stress + blanks(2) + llod3() + "/" + lbig2() + "**3");
    textLine(U_ECHO, blanks(9) + fixed(10, 2, OUTLEN(z_)) + blanks(5) + fixed(10, 3, OUTDIM(b_)) +
                         " " + expo(10, 2, OUTFRC(OUTPRS(c_))) + " " +
                         expo(10, 2, OUTFRC(OUTPRS(ca_v_))) + " " +
                         expo(10, 2, OUTFRC(OUTUWT(gam_))) + expo(12, 4, e50_));
    textLine(U_ECHO, blanks(9) + "AS =" + fixed(5, 2, as_) + "," + blanks(4) + "AC =" +
                         fixed(5, 2, ac_) + "," + blanks(4) + "EQ. DEPTH =" +
                         fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(37) + "Y," + llen2() + blanks(13) + "P," + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  py::LayerStrength ca_;
  double c_ = 0, ca_v_ = 0, gam_ = 0, e50_ = 0, b_ = 0, z_ = 0, zeq_ = 0, kz_ = 0;
  double as_ = 0, ac_ = 0, pc_ = 0, y50_ = 0, yp_ = 0;
  bool static_ = true;
  double f_ = 0.0;       // residual ratio, kept from the previous node for other loading kinds
  double pcPrev_ = 0.0;  // pc of the previous node evaluated in this call
  double sum_ = 0.0;
};

}  // namespace

void PYSTFCLW(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  StiffClayWater c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
