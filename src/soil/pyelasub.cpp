// Elastic subgrade (code 12): a straight line of slope b ks, limited to the
// resistance b ST of the maximum stress the subgrade transfers when ST > 0.
#include <algorithm>

#include "soil/pyframe.h"
#include "soil/pysoil.h"

namespace drelm {

namespace {

class ElasticSubgrade {
 public:
  static constexpr int KIND = 6;
  static constexpr bool CAP_PASS = false;
  static constexpr bool API_OUTPUT = false;
  static constexpr bool ES0_SCALED = true;

  void startPass() {}

  bool node(const py::Call& a, const py::Node& n) {
    b_ = n.b;
    z_ = n.z;
    st_ = SOILC(n.X, a.st);
    ks_ = SOILK(n.X);
    if (a.st != 0) return false;
    GAMAVG(n.X, a.st);
    if (a.st != 0) return false;
    PYLAYR.CUMPU(a.pile, a.layer) = 0.0;
    // A subgrade without modulus carries nothing: no division by it.
    es0_ = ks_ > 0.0 ? b_ * ks_ : 0.0;
    capped_ = st_ > 0.0 && ks_ > 0.0;
    ylim_ = capped_ ? st_ / ks_ : 0.0;
    dy_ = capped_ ? ylim_ / 10.0 : r4(0.003125) * b_;
    return true;
  }

  double p(double y) const { return capped_ && y >= ylim_ ? b_ * st_ : es0_ * y; }
  // Only a deflection of exactly 0 takes the initial modulus; any other
  // deflection, however small, takes the secant, which on the straight line
  // is its slope.
  double secant(double y) const {
    return capped_ && y >= ylim_ ? b_ * st_ / std::max(y, RUNCONST.EPSLIM) : es0_;
  }
  double es0() const { return es0_; }
  double pSmall(double y) const { return es0_ * y; }
  bool capAlways() const { return false; }
  double defl(int k) const { return (k - 1) * dy_; }

  void heading(const py::Call&, const py::Node&) const {
    using namespace py;
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(10) + "DEPTH BELOW GS" + blanks(5) + "DIAM" + blanks(8) + "ST" + blanks(11) + "ES");
    textLine(U_ECHO, blanks(16) + lbig2() + blanks(12) + lsml2() + blanks(6) + llod3() + "/" + llen2() +
                         "**2" + blanks(5) + llod3() + "/" + llen2() + "**3" + blanks(1));
    textLine(U_ECHO, blanks(10) + fixed(10, 2, OUTLEN(z_)) + blanks(5) + fixed(10, 3, OUTDIM(b_)) +
                         expo(11, 2, OUTFRC(st_)) + blanks(3) + expo(11, 2, OUTFRC(ks_)));
    textLine(U_ECHO, "");
    textLine(U_ECHO, blanks(38) + "Y" + blanks(19) + "P");
    textLine(U_ECHO, blanks(38) + llen2() + blanks(15) + llod3() + "/" + llen2());
  }

  void afterPoint(const py::Call&, int, double) const {}

 private:
  double b_ = 0, z_ = 0, st_ = 0, ks_ = 0, es0_ = 0, ylim_ = 0, dy_ = 0;
  bool capped_ = false;
};

}  // namespace

void PYELASUB(const std::int32_t& IPROP, const std::int32_t& ILAYR, std::int32_t& ISTAT,
              const std::int32_t& IPILE, const std::int32_t& IPILEF, const NodeArray& YDEFL,
              NodeArray& ESOIL, const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
              NodeArray& PSOIL) {
  ElasticSubgrade c;
  py::Call a{IPROP, ILAYR, IPILE, IPILEF, ISTAT, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL,
             py::currentMode()};
  py::runFrame(c, a);
}

}  // namespace drelm
