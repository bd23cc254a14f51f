// Stiff clay without free water: a quarter-power curve up to the ultimate
// resistance, stretched by the number of cycles under cyclic loading (code 3;
// code 10 under the straight line of the initial modulus).
#include <algorithm>
#include <cmath>

#include "soil/defaults.h"
#include "soil/pysoil.h"
#include "soil/stiffclay.h"

namespace drelm {

namespace {

class StiffClayDry {
 public:
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = false;
  static constexpr int KIND = 3;  // code 10 is stored by its own instance below

  explicit StiffClayDry(int code) : code_(code) {}

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
    double k = 0.0;
    if (code_ == 10) {
      k = SOILK(n.X);
      if (k <= 0.0) KDEFCL(c_, k, RUNCTL.IUNITS, kst);
    }
    b_ = n.b;
    z_ = n.z;
    const double ca = ca_v_;
    if (py::wantsEqDepth(a, n)) {
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) ||
          9.0 * c_ * b_ < (gam_ * b_ + 0.5 * ca) * n.z + 3.0 * ca * b_)
        PYLAYR.EQDEP(p, L) = py::layerTopDepth(p, L);
      else
        EQDEPTH(p, L, a.iprop, b_, c_, ca, gam_, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, n.z, 0.0, nullptr);
    }
    zeq_ = py::equivalentDepth(p, L, n);
    kz_ = k * zeq_;

    pu_ = std::min(3.0 * ca * b_ + gam_ * b_ * z_ + 0.5 * ca * zeq_, 9.0 * c_ * b_);
    y50_ = r4(2.5) * e50_ * b_;
    // At least one cycle: a cyclic case of no cycles is the static curve,
    // not the logarithm of 0.
    const double logN = std::log10(std::max(CURCTL.NCYCL, 1.0));
    cyclic_ = kst == 0;
    stretch_ = 1.0 + r4(0.6) * logN;
    y16_ = cyclic_ ? (16.0 + r4(9.6) * logN) * y50_ : 16.0 * y50_;

    if (!(L > 1 && n.first)) {
      const double pg = PILEAR.PGRND(p);
      if (L == 1 && pg <= 0.0 && sum_ <= 0.0) sum_ = -0.5 * pu_ * pg;
      sum_ += pu_ * n.dx;
    }
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  double p(double y) const {
    double pv;
    if (cyclic_)
      pv = std::min(0.5 * pu_ * std::sqrt(std::sqrt(y / (y50_ * stretch_))), pu_);
    else
      pv = y <= y16_ ? 0.5 * pu_ * std::sqrt(std::sqrt(y / y50_)) : pu_;
    if (code_ == 10) pv = std::min(pv, kz_ * y);
    return pv;
  }

  double es0() const {
    if (code_ == 10) return kz_;
    return 0.5 * pu_ * std::pow(y50_ / RUNCONST.EPSLIM, 0.75) / y50_;
  }
  // Below the smallest deflection the curve itself gives the resistance.
  double pSmall(double y) const { return p(y); }
  bool capAlways() const { return true; }
  double defl(int k) const { return CLAY_DEFL[k - 1] * y16_; }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    const std::string stress = llod3() + "/" + lbig2() + "**2 ";
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(10) + "DEPTH BELOW GS" + blanks(5) + "DIAM" + blanks(8) + "C" + blanks(7) +
                         "CAVG" + blanks(6) + "GAMMA" + blanks(7) + "E50");
    textLine(U_ECHO, blanks(16) + lbig2() + blanks(12) + lsml2() + blanks(5) + stress + stress +
                         llod3() + "/" + lbig2() + "**3 ");
    textLine(U_ECHO, blanks(10) + fixed(10, 2, OUTLEN(z_)) + blanks(5) + fixed(10, 3, OUTDIM(b_)) +
                         expo(10, 2, OUTFRC(OUTPRS(c_))) + expo(10, 2, OUTFRC(OUTPRS(ca_v_))) +
                         expo(10, 2, OUTFRC(OUTUWT(gam_))) + expo(12, 4, e50_));
    textLine(U_ECHO, blanks(13) + "EQ. DEPTH =" + fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(38) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(38) + llen2() + blanks(15) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  int code_;
  py::LayerStrength ca_;
  double c_ = 0, ca_v_ = 0, gam_ = 0, e50_ = 0, b_ = 0, z_ = 0, zeq_ = 0, kz_ = 0;
  double pu_ = 0, y50_ = 0, y16_ = 0, stretch_ = 1;
  bool cyclic_ = false;
  double sum_ = 0.0;
};

// Code 10 records its own curve kind in the curve file.
class StiffClayDryK : public StiffClayDry {
 public:
  static constexpr int KIND = 10;
  StiffClayDryK() : StiffClayDry(10) {}
};

}  // namespace

void PYSTFCLD(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  StiffClayDry c(3);
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

void PYSTFCDK(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  StiffClayDryK c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
