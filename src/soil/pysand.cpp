// Sand (code 4): the smaller of a wedge and a flow-around resistance scaled by
// depth coefficients, with an initial straight line, a parabola and a straight
// part up to the ultimate resistance.
#include <algorithm>
#include <cmath>

#include "soil/defaults.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class Sand {
 public:
  static constexpr int KIND = 4;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = false;

  void startPass() { sum_ = 0.0; }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    phi_ = SOILPHI(n.X, a.st);
    if (a.st != 0) return false;
    double k = SOILK(n.X);
    if (k <= 0.0) KDEFSD(phi_, gam_, k, RUNCTL.IUNITS);
    b_ = n.b;
    z_ = n.z;
    // The angles' trigonometry, kept while the friction angle stays.
    if (!(phi_ == phiTrig_)) {
      const double pi = RUNCONST.PI;
      phiTrig_ = phi_;
      al_ = phi_ / 2.0;
      be_ = pi / 4.0 + phi_ / 2.0;
      const double tka = std::tan(pi / 4.0 - phi_ / 2.0);
      ka_ = tka * tka;
      tp_ = std::tan(phi_);
      tb_ = std::tan(be_);
      ta_ = std::tan(al_);
      tbp_ = std::tan(be_ - phi_);
      sb_ = std::sin(be_);
      ca_ = std::cos(al_);
    }
    const double tb = tb_;

    if (py::wantsEqDepth(a, n)) {
      double pst, psd;
      resistances(n.z, pst, psd);
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) || pst > psd)
        PYLAYR.EQDEP(p, L) = py::layerTopDepth(p, L);
      else
        EQDEPTH(p, L, a.iprop, b_, 0.0, 0.0, gam_, phi_, al_, be_, K0, ka_, tb * tb, n.z, 0.0,
                SAND_RT);
    }
    zeq_ = py::equivalentDepth(p, L, n);
    resistances(zeq_, pst_, psd_);
    const double ps = std::min(pst_, psd_);
    const bool stat = CURCTL.KSTCYC == 1;
    const double xq = SOILCOM.GRNDX(p) + zeq_;
    a_ = TABZD(p, a.iprop, xq, stat ? SAND_AS : SAND_AC, SAND_RT);
    bc_ = TABZD(p, a.iprop, xq, stat ? SAND_BS : SAND_BC, SAND_RT);
    pu_ = a_ * ps;
    pm_ = bc_ * ps;
    yu_ = 3.0 * b_ / 80.0;
    ym_ = b_ / 60.0;
    kz_ = k * zeq_;

    // The parabola between the straight line and ym. At the ground line (or
    // with no resistance at all) every resistance is 0, and so is the curve.
    m_ = 0.0;
    n_ = 1.0;
    c_ = 0.0;
    yk_ = 2.0 * b_;
    if (zeq_ > 0.0) {
      m_ = (pu_ - pm_) / (yu_ - ym_);
      n_ = pm_ / (m_ * ym_);
      c_ = pm_ / std::pow(ym_, 1.0 / n_);
      yk_ = std::pow(c_ / kz_, n_ / (n_ - 1.0));
      if (!(pm_ > 0.0) || !(m_ > 0.0)) {
        m_ = 0.0;
        n_ = 1.0;
        c_ = 0.0;
        yk_ = 0.0;
      }
    }

    // Cumulative resistance of the layer.
    if (L == 1 && PILEAR.PGRND(p) <= 0.0 && sum_ <= 0.0) sum_ = -0.5 * pu_ * PILEAR.PGRND(p);
    if (!(L > 1 && n.first)) {
      sum_ += n.dx * pu_;
      if (n.last) sum_ += (SOILCOM.LBOT(L) - n.X) * pu_;
    }
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  double p(double y) const {
    double p1;
    if (y >= ym_) p1 = y < yu_ ? pm_ + m_ * (y - ym_) : pu_;
    else if (y > yk_) p1 = c_ * std::pow(y, 1.0 / n_);
    else p1 = kz_ * y;
    return std::min(p1, kz_ * y);
  }

  double es0() const { return kz_; }
  double pSmall(double y) const { return kz_ * y; }
  bool capAlways() const { return true; }

  double defl(int k) const {
    const double ya = yk_ > ym_ ? ym_ / 10.0 : yk_;
    const double d = ym_ - ya;
    if (k == 1) return 0.0;
    if (k == 2) return ya / 2.0;
    if (k <= 12) return ya + (k - 3) * d / 10.0;
    switch (k) {
      case 13: return ym_;
      case 14: return (yu_ + 2.0 * ym_) / 3.0;
      case 15: return (2.0 * yu_ + ym_) / 3.0;
      case 16: return yu_;
      default: return r4(1.2) * yu_;
    }
  }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(11) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(6) + "PHI" +
                         blanks(5) + "GAMMA" + blanks(10) + "A" + blanks(9) + "B" + blanks(15) +
                         "PCT" + blanks(7) + "PCD");
    textLine(U_ECHO, blanks(17) + lbig2() + blanks(13) + lsml2() + blanks(13) + llod3() + "/" +
                         lbig2() + "**3");
    textLine(U_ECHO, blanks(10) + fixed(10, 2, OUTLEN(z_)) + blanks(5) + fixed(10, 2, OUTDIM(b_)) +
                         fixed(10, 2, phi_ * 180.0 / RUNCONST.PI) + expo(10, 2, OUTFRC(OUTUWT(gam_))) +
                         fixed(10, 2, a_) + fixed(10, 2, bc_) + blanks(10) +
                         expo(10, 2, OUTFRC(pst_)) + expo(10, 2, OUTFRC(psd_)));
    textLine(U_ECHO, blanks(13) + "EQ. DEPTH =" + fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(38) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(38) + llen2() + blanks(15) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  static constexpr double K0 = r4(0.4);  // earth pressure coefficient at rest

  // Wedge (pst) and flow-around (psd) resistances with zd in the depth terms;
  // the true depth and the average unit weight stand outside the brackets.
  void resistances(double zd, double& pst, double& psd) const {
    const double tp = tp_, tb = tb_, ta = ta_, tbp = tbp_, sb = sb_;
    const double tb4 = tb * tb * tb * tb;
    pst = gam_ * z_ *
          (K0 * zd * tp * sb / (tbp * ca_) + tb / tbp * (b_ + zd * tb * ta) +
           K0 * zd * tb * (tp * sb - ta) - ka_ * b_);
    psd = ka_ * b_ * gam_ * z_ * (tb4 * tb4 - 1.0) + K0 * b_ * gam_ * z_ * tp * tb4;
  }

  double gam_ = 0, phi_ = 0, b_ = 0, z_ = 0, zeq_ = 0, al_ = 0, be_ = 0, ka_ = 0;
  double tp_ = 0, tb_ = 0, ta_ = 0, tbp_ = 0, sb_ = 0, ca_ = 0;  // trigonometry of the angles
  double phiTrig_ = std::nan("");  // friction angle of that trigonometry
  double pst_ = 0, psd_ = 0, a_ = 0, bc_ = 0, pu_ = 0, pm_ = 0, yu_ = 0, ym_ = 0, kz_ = 0;
  double m_ = 0, n_ = 1, c_ = 0, yk_ = 0;
  double sum_ = 0.0;
};

}  // namespace

void PYSAND(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
            const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
            NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
            NodeArray& PSOIL) {
  Sand c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
