// Soft clay: a cube-root curve up to the ultimate resistance, degrading near
// the surface under cyclic loading (codes 1, 13 with a J of its own, 14 under
// the straight line of the initial modulus).
#include <cmath>

#include "soil/defaults.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class SoftClay {
 public:
  static constexpr int KIND = 1;
  static constexpr bool CAP_PASS = true;
  static constexpr bool API_OUTPUT = false;

  explicit SoftClay(int code) : code_(code) {}

  void startPass() { sum_ = 0.0; }

  bool node(const py::Call& a, const py::Node& n) {
    const int p = a.pile;
    const int L = a.layer;
    c_ = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    e50_ = SOILE50(n.X);
    if (e50_ <= 0.0) E50DEF(c_, e50_, RUNCTL.IUNITS);
    j_ = code_ == 1 ? 0.5 : SOILJ(n.X);
    if (code_ == 14) {
      k_ = SOILK(n.X);
      if (k_ <= 0.0) KDEFCL(c_, k_, RUNCTL.IUNITS, CURCTL.KSTCYC);
    }
    b_ = n.b;
    z_ = n.z;
    // Transition depth of the wedge: below it the flow-around resistance governs.
    const double zr = 6.0 * c_ * b_ / (gam_ * b_ + j_ * c_);
    if (py::wantsEqDepth(a, n)) {
      if (SOILCOM.LTYPE(L - 1) == SOILCOM.LTYPE(L) || n.z > zr)
        PYLAYR.EQDEP(p, L) = py::layerTopDepth(p, L);
      else
        EQDEPTH(p, L, a.iprop, b_, c_, c_, gam_, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, n.z, j_, nullptr);
    }
    zeq_ = py::equivalentDepth(p, L, n);

    // The overburden term takes the true depth, the J term the equivalent depth.
    double np = 0.0;
    if (c_ > 0.0 && b_ > 0.0) np = std::min(3.0 + gam_ * z_ / c_ + j_ * zeq_ / b_, 9.0);
    pu_ = np * c_ * b_;
    y50_ = r4(2.5) * e50_ * b_;
    zrc_ = zr;
    if (!(zrc_ >= RUNCONST.EPSCOH)) zrc_ = b_;
    cyclic_ = CURCTL.KSTCYC != 1;
    kz_ = code_ == 14 ? k_ * zeq_ : 0.0;

    // Cumulative resistance of the layer for the equivalent depth below it.
    if (!(L > 1 && n.first)) {
      const double pg = PILEAR.PGRND(p);
      if (L == 1 && pg <= 0.0 && sum_ <= 0.0) sum_ = -0.5 * pu_ * pg;
      if (CURCTL.KSTCYC == 1) sum_ += pu_ * n.dx;
      else if (CURCTL.KSTCYC == 0) sum_ += r4(0.72) * pu_ * n.dx;
    }
    PYLAYR.CUMPU(p, L) = sum_;
    return true;
  }

  double p(double y) const {
    // The cube root only where the curve follows it: the plateaus need none.
    auto cube = [&] { return 0.5 * pu_ * std::pow(y / y50_, r4(1.0 / 3.0)); };
    double pv;
    if (y <= 3.0 * y50_) {
      pv = cube();
    } else if (!cyclic_) {
      pv = y <= 8.0 * y50_ ? cube() : pu_;
    } else if (zeq_ >= zrc_) {
      pv = r4(0.72) * pu_;
    } else {
      const double top = r4(0.72) * pu_;
      const double end = top * zeq_ / zrc_;
      pv = y > 15.0 * y50_ ? end : top + (end - top) * (y - 3.0 * y50_) / (12.0 * y50_);
    }
    if (code_ == 14) pv = std::min(pv, kz_ * y);
    return pv;
  }

  // The secant of the cube-root curve at the smallest deflection, or the
  // initial straight line.
  double es0() const {
    if (code_ == 14) return kz_;
    return 0.5 * pu_ * std::pow(y50_ / RUNCONST.EPSLIM, r4(2.0 / 3.0)) / y50_;
  }
  double pSmall(double y) const { return es0() * y; }
  bool capAlways() const { return code_ != 14; }
  double defl(int k) const { return CLAY_DEFL[k - 1] * 8.0 * y50_; }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    const bool withJ = code_ != 1;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(9) + "DEPTH BELOW GS" + blanks(6) + "DIAM" + blanks(9) + "C" + blanks(9) +
                         "GAMMA" + blanks(9) + "E50" + (withJ ? blanks(11) + "J" : ""));
    textLine(U_ECHO, blanks(15) + lbig2() + blanks(13) + lsml2() + blanks(7) + llod3() + "/" +
                         lbig2() + "**2" + blanks(4) + llod3() + "/" + lbig2() + "**3");
    textLine(U_ECHO, blanks(8) + fixed(10, 2, OUTLEN(z_)) + blanks(6) + fixed(10, 3, OUTDIM(b_)) +
                         blanks(3) + expo(11, 4, OUTFRC(OUTPRS(c_))) + blanks(2) +
                         expo(11, 4, OUTFRC(OUTUWT(gam_))) + blanks(1) + expo(12, 4, e50_) +
                         (withJ ? expo(12, 4, j_) : ""));
    textLine(U_ECHO, blanks(13) + "EQ. DEPTH =" + fixed(8, 2, OUTLEN(zeq_)) + " " + lbig2());
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(37) + "Y," + llen2() + blanks(13) + "P," + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int k, double yPrinted) const {
    using namespace py;
    if (k < 2 || !(yPrinted < RUNCONST.EPSLIM)) return;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(29) + "**** WARNING ****");
    textLine(U_ECHO, blanks(5) + "DEFLECTION IS LESS THAN 1.0E-14.  THE PROGRAM");
    textLine(U_ECHO, blanks(5) + "USED A SOIL MODULUS OF " + expo(12, 4, es0()));
  }

 private:
  int code_;
  double c_ = 0, gam_ = 0, e50_ = 0, j_ = 0, k_ = 0, b_ = 0, z_ = 0, zeq_ = 0;
  double pu_ = 0, y50_ = 0, zrc_ = 0, kz_ = 0;
  bool cyclic_ = false;
  double sum_ = 0;  // running cumulative resistance of the layer
};

void softClay(int code, const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  SoftClay c(code);
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace

void PYSOFTCL(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  softClay(1, IPROP, ILAYR, ISTAT, IPILE, IPILEF, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL);
}

void PYSOFTCJ(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  softClay(13, IPROP, ILAYR, ISTAT, IPILE, IPILEF, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL);
}

void PYMSOFTK(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2,
              NodeArray& PSMOV, NodeArray& PSOIL) {
  softClay(14, IPROP, ILAYR, ISTAT, IPILE, IPILEF, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL);
}

}  // namespace drelm
