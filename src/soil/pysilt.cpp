// Silt (code 7), a soil with cohesion and friction: the sand curve's shape,
// whose straight part starts from a resistance with a cohesive term added to
// the frictional one and ends at the frictional ultimate resistance.
#include <algorithm>
#include <cmath>

#include "soil/defaults.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class Silt {
 public:
  static constexpr int KIND = 7;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = true;

  // The sum restarts at the layer's first node; the previous node's A Puf
  // is that of the node evaluated just before in this call, the cap pass's
  // included.
  void startPass() { sum_ = 0.0; }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    c_ = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    phi_ = SOILPHI(n.X, a.st);
    if (a.st != 0) return false;
    if (!n.first && phi_ < r4(1.0E-10)) {
      zeroFriction();
      a.st = STAT_SILT_PHI;
      return false;
    }
    const double cp = std::cos(phi_);
    if (1.0 - cp * cp < r4(1.0E-10)) {
      slopeWarning();
      a.st = STAT_SILT_SLOPE;
      return false;
    }
    double k = SOILK(n.X);
    if (k <= 0.0) KDEFCP(gam_, c_, phi_, k, RUNCTL.IUNITS, CURCTL.KSTCYC);
    b_ = n.b;
    z_ = n.z;

    const double pi = RUNCONST.PI;
    const double al = phi_ / 2.0;
    const double be = pi / 4.0 + phi_ / 2.0;
    const double tka = std::tan(pi / 4.0 - phi_ / 2.0);
    ka_ = tka * tka;
    tp_ = std::tan(phi_);
    tb_ = std::tan(be);
    ta_ = std::tan(al);
    tbp_ = std::tan(be - phi_);
    sb_ = std::sin(be);
    ca_ = std::cos(al);

    if (py::wantsEqDepth(a, n)) {
      double pst, psd;
      resistances(n.z, pst, psd);
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) || pst > psd)
        PYLAYR.EQDEP(p, L) = py::layerTopDepth(p, L);
      else
        EQDEPTH(p, L, a.iprop, b_, c_, c_, gam_, phi_, al, be, K0, ka_, tb_ * tb_, n.z, 0.0, SAND_RT);
    }
    zeq_ = py::equivalentDepth(p, L, n);
    double pst, psd;
    resistances(zeq_, pst, psd);
    puf_ = std::min(pst, psd);
    puc_ = 0.0;
    if (c_ > 0.0 && b_ > 0.0) {
      const double np = 3.0 + gam_ * z_ / c_ + 0.5 * zeq_ / b_;
      puc_ = np < 9.0 ? np * c_ * b_ : 9.0 * c_ * b_;
    }
    const bool stat = CURCTL.KSTCYC == 1;
    const double xq = SOILCOM.GRNDX(p) + zeq_;
    a_ = TABZD(p, a.iprop, xq, stat ? SAND_AS : SAND_AC, SAND_RT);
    bc_ = TABZD(p, a.iprop, xq, stat ? SAND_BS : SAND_BC, SAND_RT);
    pu_ = a_ * puf_;
    pm_ = r4(1.5) * puf_ + puc_;
    yu_ = 3.0 * b_ / 80.0;
    ym_ = b_ / 60.0;
    kz_ = k * zeq_;
    shape();

    // Cumulative resistance of the layer.
    const double apuf = a_ * puf_;
    const double pg = PILEAR.PGRND(p);
    if (L == 1 && pg <= 0.0 && sum_ <= 0.0) sum_ = -0.5 * apuf * pg;
    if (!(L > 1 && n.first)) {
      const int prop = a.iprop;
      const double dx = PILEPROP.NINC(prop) > 0 ? PILEPROP.PLEN(prop) / PILEPROP.NINC(prop) : 0.0;
      sum_ += (prev_ + apuf) * dx / 2.0;
      if (n.last) sum_ += (SOILCOM.LBOT(L) - n.X) * apuf;
    }
    if (L == 1 && pg < r4(-1.0E-5))
      sum_ = 0.5 * (3.0 * c_ * b_ + apuf) * (SOILCOM.LBOT(1) - SOILCOM.LTOP(1));
    prev_ = apuf;
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  double p(double y) const {
    if (flat_) return 0.0;
    double p1;
    if (y > yk_) {
      if (y <= ym_) p1 = nInv_ == 0.0 ? pm_ : c0_ * std::pow(y, nInv_);
      else if (y <= yu_) p1 = pm_ + m_ * (y - ym_);
      else p1 = pu_;
    } else {
      p1 = kz_ * y;
    }
    return std::min(p1, kz_ * y);
  }

  double es0() const { return kz_; }
  double pSmall(double y) const { return kz_ * y; }
  bool capAlways() const { return true; }

  double defl(int k) const {
    const double yk = std::isfinite(yk_) ? yk_ : 0.0;
    if (k == 1) return 0.0;
    if (k == 2) return yk / 2.0;
    if (k <= 12) return yk + (k - 3) * (ym_ - yk) / 10.0;
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
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(5) + "DEPTH" + blanks(6) + "DIAM" + blanks(6) + "PHI" + blanks(2) + "GAMMA AVG" +
                         blanks(8) + "A" + blanks(9) + "B" + blanks(5) + "Puc" + blanks(7) + "Puf");
    textLine(U_ECHO, blanks(7) + lbig2() + blanks(8) + lsml2() + blanks(12) + llod3() + "/" + lbig2() + "**3" +
                         blanks(22) + llod3() + "/" + llen2() + blanks(4) + llod3() + "/" + llen2());
    textLine(U_ECHO, fixed(10, 2, OUTLEN(z_)) + fixed(10, 2, OUTDIM(b_)) +
                         fixed(10, 1, phi_ * 180.0 / RUNCONST.PI) + expo(10, 3, OUTFRC(OUTUWT(gam_))) +
                         fixed(10, 2, a_) + fixed(10, 2, bc_) + expo(10, 3, OUTFRC(puc_)) +
                         expo(10, 3, OUTFRC(puf_)));
    textLine(U_ECHO, blanks(13) + "EQ. DEPTH =" + fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(37) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(37) + llen2() + blanks(16) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  static constexpr double K0 = r4(0.4);  // earth pressure coefficient at rest

  // Wedge (pst) and flow-around (psd) resistances of the sand criterion, with
  // zd in the depth terms; the true depth and the average unit weight stand
  // outside the brackets.
  void resistances(double zd, double& pst, double& psd) const {
    const double tb4 = tb_ * tb_ * tb_ * tb_;
    pst = gam_ * z_ *
          (K0 * zd * tp_ * sb_ / (tbp_ * ca_) + tb_ / tbp_ * (b_ + zd * tb_ * ta_) +
           K0 * zd * tb_ * (tp_ * sb_ - ta_) - ka_ * b_);
    psd = ka_ * b_ * gam_ * z_ * (tb4 * tb4 - 1.0) + K0 * b_ * gam_ * z_ * tp_ * tb4;
  }

  // The parabola C y^(1/n) from the straight line to ym, and the straight
  // part from pm at ym to pu at yu, whose slope m is negative where the
  // cohesive term lifts pm above pu.
  void shape() {
    flat_ = !(b_ > 0.0) || !(pm_ > 0.0);
    m_ = 0.0;
    nInv_ = 1.0;
    c0_ = 0.0;
    yk_ = 2.0 * b_;
    if (flat_ || !(zeq_ > 0.0)) return;
    m_ = (pu_ - pm_) / (yu_ - ym_);
    if (m_ == 0.0) {
      // A level straight part: the parabola flattens to pm and meets the
      // initial line at pm / kz.
      nInv_ = 0.0;
      c0_ = pm_;
      yk_ = pm_ / kz_;
      return;
    }
    const double n = pm_ / (std::fabs(m_) * ym_);
    nInv_ = 1.0 / n;
    c0_ = pm_ / std::pow(ym_, nInv_);
    yk_ = std::pow(c0_ / kz_, n / (n - 1.0));
  }

  void zeroFriction() const {
    const std::string w = py::blanks(7);
    for (int unit : {U_ECHO, U_LOG})
      py::blockLines(unit, {"", w + "--------------------WARNING----------------------",
                            w + "THE FRICTION ANGLE IS 0 FOR SILT ACCORING TO THE INPUT",
                            w + "DATA. PLEASE ENTER THE CORRECT VALUE AND RUN IT AGAIN."});
  }

  void slopeWarning() const {
    const std::string w = py::blanks(7);
    for (int unit : {U_LOG, U_ECHO})
      py::blockLines(unit, {"", "", w + "WARNING-------The Angle of the slope can not",
                            w + "              be greater than the internal  ",
                            w + "              friction angle of the silt.   ", ""});
  }

  double gam_ = 0, c_ = 0, phi_ = 0, b_ = 0, z_ = 0, zeq_ = 0, ka_ = 0;
  double tp_ = 0, tb_ = 0, ta_ = 0, tbp_ = 0, sb_ = 0, ca_ = 0;
  double puf_ = 0, puc_ = 0, a_ = 0, bc_ = 0, pu_ = 0, pm_ = 0, yu_ = 0, ym_ = 0, kz_ = 0;
  double m_ = 0, nInv_ = 1, c0_ = 0, yk_ = 0;
  bool flat_ = true;
  double sum_ = 0.0, prev_ = 0.0;
};

}  // namespace

void PYSILT(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
            const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
            NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
            NodeArray& PSOIL) {
  Silt c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
