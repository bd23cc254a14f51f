// Vuggy limestone (code 6): a steep line of slope 2000 cv up to 0.0004 b, a
// flatter line up to the strength b cv, then a residual resistance from the
// overburden.
#include "report/siconv.h"
#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class VuggyLimestone {
 public:
  static constexpr int KIND = 6;
  static constexpr bool CAP_PASS = false;
  static constexpr bool API_OUTPUT = false;
  static constexpr bool ES0_SCALED = true;

  void startPass() {}

  bool node(const py::Call& a, const py::Node& n) {
    b_ = n.b;
    z_ = n.z;
    const double c = SOILC(n.X, a.st);
    if (a.st != 0) return false;
    SOILCAVG(n.X, a.st);
    gam_ = GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    SOILE50(n.X);
    PYLAYR.CUMPU(a.pile, a.layer) = 0.0;

    cv_ = 0.5 * c;
    es0_ = r4(2000.0) * cv_;
    ya_ = r4(0.0004) * b_;
    pa_ = es0_ * ya_;
    // The end of the second line does not depend on the strength (0.0024 b):
    // a rock of no strength keeps it without dividing by 0.
    yu_ = cv_ != 0.0 ? ya_ + (b_ * cv_ - pa_) / (100.0 * cv_)
                     : ya_ + b_ * (1.0 - r4(2000.0) * r4(0.0004)) / 100.0;
    // b gamma alone is a stress: the 3.38 is a length, in inches. SI takes it
    // in metres, so that one rock gives one residual in both systems.
    pr_ = r4(3.38) * (RUNCTL.IUNITS == 2 ? IN_M : 1.0) * b_ * gam_;
    return true;
  }

  double p(double y) const {
    if (y < ya_) return es0_ * y;
    if (y < yu_) return pa_ + 100.0 * cv_ * (y - ya_);
    return pr_;
  }
  double es0() const { return es0_; }
  double pSmall(double y) const { return es0_ * y; }
  bool capAlways() const { return false; }
  double defl(int k) const { return (k - 1) * yu_ / 15.0; }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(10) + "DEPTH BELOW GS" + blanks(5) + "DIAM" + blanks(8) + "C" + blanks(7));
    textLine(U_ECHO, blanks(16) + lbig2() + blanks(12) + lsml2() + blanks(5) + llod3() + "/" + llen2() +
                         "**2" + blanks(1));
    textLine(U_ECHO, blanks(10) + fixed(10, 2, OUTLEN(z_)) + blanks(5) + fixed(10, 3, OUTDIM(b_)) +
                         expo(10, 1, OUTFRC(cv_)));
    textLine(U_ECHO, blanks(38) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(38) + llen2() + blanks(15) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  double b_ = 0, z_ = 0, gam_ = 0, cv_ = 0, es0_ = 0, ya_ = 0, pa_ = 0, yu_ = 0, pr_ = 0;
};

}  // namespace

void PYVUGLIM(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
              NodeArray& PSOIL) {
  VuggyLimestone c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
