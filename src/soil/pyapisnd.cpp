// Sand by the API criteria (code 8): p = A pu tanh(k z y / (A pu)).
#include <algorithm>
#include <cmath>
#include <limits>

#include "soil/defaults.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class ApiSand {
 public:
  static constexpr int KIND = 8;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = true;

  void startPass() { sum_ = 0.0; }

  bool node(const py::Call& a, const py::Node& n) {
    const int pile = a.pile;
    const int L = a.layer;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    const double c = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    phi_ = SOILPHI(n.X, a.st);
    if (a.st != 0) return false;
    if (!n.first && phi_ < r4(1.0E-10)) {
      const std::string w = py::blanks(7);
      for (int unit : {U_LOG, U_ECHO})
        py::blockLines(unit, {"", w + "--------------------WARNING----------------------",
                              w + "THE FRICTION ANGLE IS 0 FOR SAND ACCORING TO THE INPUT",
                              w + "DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."});
      a.st = STAT_APISAND_PHI;
      return false;
    }
    double k = SOILK(n.X);
    if (k <= 0.0) KDEFSD(phi_, gam_, k, RUNCTL.IUNITS);
    b_ = n.b;
    z_ = n.z;
    // The wedge coefficients, kept while the friction angle stays (it is
    // constant through most layers).
    if (!(phi_ == phiTrig_)) {
      const double pi = RUNCONST.PI;
      phiTrig_ = phi_;
      al_ = phi_ / 2.0;
      be_ = pi / 4.0 + phi_ / 2.0;
      ka_ = std::pow(std::tan(pi / 4.0 - phi_ / 2.0), 2);
      const double tb = std::tan(be_), ta = std::tan(al_), tp = std::tan(phi_);
      t_ = tb * tb;
      c1_ = tb * (t_ * ta + K0 * (tp * std::sin(be_) * (1.0 / std::cos(al_) + 1.0) - ta));
      c2_ = t_ - ka_;
      c3_ = t_ * t_ * (t_ + K0 * tp) - ka_;
    }
    const double al = al_, be = be_, ka = ka_, t = t_;

    if (py::wantsEqDepth(a, n)) {
      const double pst = gam_ * n.z * (c1_ * n.z + c2_ * b_);
      const double psd = c3_ * b_ * gam_ * n.z;
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) || pst > psd)
        PYLAYR.EQDEP(pile, L) = py::layerTopDepth(pile, L);
      else
        EQDEPTH(pile, L, a.iprop, b_, c, c, gam_, phi_, al, be, K0, ka, t, n.z, 0.0, SAND_RT);
    }
    zeq_ = py::equivalentDepth(pile, L, n);
    pst_ = gam_ * z_ * (c1_ * zeq_ + c2_ * b_);
    psd_ = c3_ * b_ * gam_ * z_;
    const double zr = (c3_ - c2_) * b_ / c1_;
    pu_ = zeq_ <= zr ? pst_ : psd_;
    a_ = CURCTL.KSTCYC == 1 ? std::max(3.0 - r4(0.8) * zeq_ / b_, r4(0.9)) : r4(0.9);
    apu_ = a_ * pu_;
    kz_ = k * zeq_;
    flat_ = zeq_ < r4(1.0E-10) || apu_ == 0.0;
    yref_ = zeq_ < r4(1.0E-10) ? 0.0 : apu_ / kz_;

    // Cumulative resistance of the layer.
    const double pg = PILEAR.PGRND(pile);
    if (L == 1 && pg <= 0.0 && sum_ <= 0.0) sum_ = -0.5 * pg * p(3.0 * b_ / 80.0);
    if (!(L > 1 && n.first)) {
      sum_ += n.dx * apu_;
      if (n.last) sum_ += (SOILCOM.LBOT(L) - n.X) * apu_;
    }
    if (L == 1 && pg < r4(-1.0E-5)) sum_ = 0.5 * apu_ * (SOILCOM.LBOT(1) - SOILCOM.LTOP(1));
    PYLAYR.CUMPU(pile, L) = sum_;
    return true;
  }

  double p(double y) const { return flat_ ? 0.0 : apu_ * std::tanh(y / yref_); }
  double es0() const { return kz_; }
  double pSmall(double y) const { return kz_ * y; }
  bool capAlways() const { return true; }

  double defl(int k) const {
    const double y95 = r4(1.8317807) * yref_;
    const double y99 = r4(2.646653) * yref_;
    const double y9999 = r4(4.951636) * yref_;
    if (k <= 11) return (k - 1) * y95 / 10.0;
    switch (k) {
      case 12: return (y95 + y99) / 2.0;
      case 13: return y99;
      case 14: return (y9999 + 2.0 * y99) / 3.0;
      case 15: return (2.0 * y9999 + y99) / 3.0;
      case 16: return y9999;
      default: return r4(1.2) * y9999;
    }
  }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(5) + "DEPTH" + blanks(6) + "DIAM" + blanks(6) + "PHI" + blanks(2) +
                         "GAMMA AVG" + blanks(8) + "A" + blanks(9) + "B" + blanks(5) + "PCT" +
                         blanks(7) + "PCD");
    textLine(U_ECHO, blanks(7) + lbig2() + blanks(8) + lsml2() + blanks(12) + llod3() + "/" +
                         lbig2() + "**3");
    textLine(U_ECHO, fixed(10, 2, OUTLEN(z_)) + fixed(10, 2, OUTDIM(b_)) +
                         fixed(10, 1, phi_ * 180.0 / RUNCONST.PI) + expo(10, 3, OUTFRC(OUTUWT(gam_))) +
                         fixed(10, 2, a_) + fixed(10, 2, 0.0) + expo(10, 3, OUTFRC(pst_)) +
                         expo(10, 3, OUTFRC(psd_)));
    textLine(U_ECHO, blanks(13) + "EQ. DEPTH =" + fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(37) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(37) + llen2() + blanks(16) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  static constexpr double K0 = r4(0.4);

  double gam_ = 0, phi_ = 0, b_ = 0, z_ = 0, zeq_ = 0, c1_ = 0, c2_ = 0, c3_ = 0;
  double al_ = 0, be_ = 0, ka_ = 0, t_ = 0;                       // angles and tan^2 beta
  double phiTrig_ = std::numeric_limits<double>::quiet_NaN();  // friction angle of c1_ .. t_
  double pst_ = 0, psd_ = 0, pu_ = 0, a_ = 0, apu_ = 0, kz_ = 0, yref_ = 0;
  bool flat_ = true;
  double sum_ = 0.0;
};

}  // namespace

void PYAPISND(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  ApiSand c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
