// Pile group arrangement: the rows of the pile-group input become the
// per-pile working arrays, with one more entry for the pile cap, and the
// angles of the pile axes turn from degrees to radians.
#include <cmath>
#include <string>

#include "report/convert.h"
#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prep_steps.h"

namespace drelm {
namespace {

constexpr int U = U_ECHO;
constexpr double HALFPI = 1.5707963267948966;

// One plane pile row as read.
struct Row2D {
  std::int32_t conn, npile, prop, pyset, lscrv, rfset, lsgen;
  double spring, spacing, pmult, ymult, axfac, vert, hor, slope, ground;
};
// One space pile as read.
struct Row3D {
  std::int32_t conny, connz, prop, pyset, lscrv, trcrv, rfset, lsgen, trgen;
  double spz, spy, pmy, ymy, pmz, ymz, axfac, x, y, z, alpha, beta, theta, ground;
};

Row2D row2D(int p) {
  const auto& i = PGRP2D.IPG2D;
  const auto& r = PGRP2D.RPG2D;
  return {i(p, 1), i(p, 2), i(p, 3), i(p, 4), i(p, 5), i(p, 6), i(p, 7), r(p, 1),
          r(p, 2), r(p, 3), r(p, 4), r(p, 5), r(p, 6), r(p, 7), r(p, 8), r(p, 9)};
}

// The eighth integer of a space row is not used.
Row3D row3D(int p) {
  const auto& i = PGRP3D.IPG3D;
  const auto& r = PGRP3D.RPG3D;
  return {i(p, 1), i(p, 2), i(p, 3), i(p, 4),  i(p, 5),  i(p, 6),  i(p, 7),  i(p, 9),
          i(p, 10), r(p, 1), r(p, 2), r(p, 3), r(p, 4),  r(p, 5),  r(p, 6),  r(p, 7),
          r(p, 8), r(p, 9), r(p, 10), r(p, 11), r(p, 12), r(p, 13), r(p, 14)};
}

void emptyLine() { io::endRecord(U); }
void text(const std::string& s) { io::put(U, s); }
std::string blanks(int n) { return std::string(n, ' '); }

// The end of a pile's table row: its reduction-factor set and, when the
// input gives axial load factors, its factor.
void rowEnd(int p, bool factor) {
  WRINT(U, 5, PILEAR.IRFSET(p));
  if (factor) {
    WRBLNK(U, 6);
    io::put(U, fixedField(10, 4, PILEAR.PAXFAC(p)));
  }
  WREOL(U);
}

// Head connection as shown in the table; an unknown code shows its number.
std::string connText(std::int32_t code) {
  switch (code) {
    case CONN_PIN: return "PIN";
    case CONN_FIX: return "FIX";
    case CONN_RES: return "RES";
    default: return intField(3, code);
  }
}

// Curve number and letter: the user curve when one is named, else the
// generated one.
void curveField(std::int32_t user, std::int32_t generated) {
  WRINT(U, 5, user != 0 ? user : generated);
  WRBLNK(U, 1);
  WRA1(U, user != 0 ? "U" : "G");
}

// The cap as one more entry after the piles: its base lies one thickness
// above the highest pile head.
void capEntry(double smallestX) {
  const int c = RUNCTL.NPILE + 1;
  CAPSOL.CAPX0 = smallestX - CAPCTL.CAPTX;
  PILEAR.PHX(c) = CAPSOL.CAPX0;
  PILEAR.PHXREF(c) = CAPSOL.CAPX0;
  CAPSOL.CAPTHK = CAPCTL.CAPTX;
  PILEAR.PHY(c) = 0.0;
  PILEAR.ALPHA(c) = 0.0;
  PILEAR.PGRND(c) = SOILIN.SLVAL(1, 1) - CAPSOL.CAPX0;
  PILEAR.GRPNP(c) = 1.0;
}

void heading() {
  emptyLine();
  emptyLine();
  emptyLine();
  text(blanks(5) + "* TABLE D *   ARRANGEMENT OF PILE GROUPS");
  io::endRecord(U);
}

void plane() {
  RUNCTL.NPILE = PGRP2D.NROW;
  const int n = RUNCTL.NPILE;
  double smallestX = n > 0 ? row2D(1).vert : 0.0;
  for (int p = 1; p <= n; ++p) {
    const Row2D r = row2D(p);
    PILEAR.HSPR1(p) = r.spring;
    GRPFAC.GRPSPC(p) = r.spacing;
    PCONN.CONNECTY(p) = r.conn;
    PILEAR.PROPOFPILE(p) = r.prop;
    PILEAR.GRPNP(p) = r.npile;
    PILEAR.IPYSET(p) = r.pyset;
    PILEAR.ILSCRV(p) = r.lscrv;
    PILEAR.PHY(p) = r.hor;
    PILEAR.IRFSET(p) = r.rfset;
    PILEAR.ILSGEN(p) = r.lsgen;
    GRPFAC.GRPPF(p) = r.pmult;
    GRPFAC.GRPYF(p) = r.ymult;
    PILEAR.PAXFAC(p) = r.axfac;
    PILEAR.PHX(p) = r.vert;
    PILEAR.ALPHA(p) = r.slope;
    PILEAR.PGRND(p) = r.ground;
    if (r.vert < smallestX) smallestX = r.vert;
  }
  capEntry(smallestX);

  const bool factor = RUNCTL.ICTL10 != 0;
  emptyLine();
  text(blanks(7) + "GROUP   CONNECT   NO OF PILE   PILE PROP    P-Y CURVE    L-S CURVE    R-F-L SET");
  if (factor) text("   FACT. AXIAL LOAD");
  io::endRecord(U);
  for (int p = 1; p <= n; ++p) {
    WRBLNK(U, 5);
    WRINT(U, 5, p);
    WRBLNK(U, 7);
    WRA3(U, connText(PCONN.CONNECTY(p)));
    WRBLNK(U, 5);
    WRINT(U, 5, static_cast<std::int32_t>(PILEAR.GRPNP(p)));
    WRBLNK(U, 8);
    WRINT(U, 5, PILEAR.PROPOFPILE(p));
    WRBLNK(U, 7);
    WRINT(U, 5, PILEAR.IPYSET(p));
    WRBLNK(U, 7);
    curveField(PILEAR.ILSCRV(p), PILEAR.ILSGEN(p));
    WRBLNK(U, 7);
    rowEnd(p, factor);
  }

  for (int p = 1; p <= n; ++p) {
    PILEAR.PHXREF(p) = PILEAR.PHX(p);
    PILEAR.PHYREF(p) = PILEAR.PHY(p);
    PILEAR.PBATT(p) = PILEAR.ALPHA(p);
  }

  const std::string L2 = UNITLB.ULBIG2.str(), l2 = UNITLB.ULLEN2.str(), F3 = UNITLB.ULLOD3.str();
  emptyLine();
  text(blanks(7) + "GROUP" + blanks(5) + "VERT," + L2 + blanks(7) + "HOR," + L2 + blanks(4) + "SLOPE," + l2 +
       "/" + l2 + blanks(3) + "GROUND," + L2 + blanks(2) + "SPRING," + F3 + "-" + l2 + blanks(2) + "SPACING," +
       L2);
  io::endRecord(U);
  for (int p = 1; p <= n; ++p) {
    const double slope = PILEAR.ALPHA(p) * RUNCONST.PI / 180.0;
    PILEAR.ALPHA(p) = slope;
    PILEAR.PBATT(p) = slope;
    WRBLNK(U, 5);
    WRINT(U, 5, p);
    WRBLNK(U, 3);
    WRREAL(U, 13, 5, OUTLEN(PILEAR.PHXREF(p)));
    WRREAL(U, 13, 5, OUTLEN(PILEAR.PHYREF(p)));
    WRREAL(U, 13, 5, std::tan(slope));  // rise over run
    WRREAL(U, 13, 5, OUTLEN(PILEAR.PGRND(p)));
    WRREAL(U, 13, 5, OUTFRC(PILEAR.HSPR1(p)));
    WRREAL(U, 13, 5, OUTLEN(GRPFAC.GRPSPC(p)));
    WREOL(U);
  }
}

void space() {
  RUNCTL.NPILE = PGRP3D.NROW;
  const int n = RUNCTL.NPILE;
  double smallestX = n > 0 ? row3D(1).x : 0.0;
  for (int p = 1; p <= n; ++p) {
    const Row3D r = row3D(p);
    GRPFAC.GRPYF(p) = r.ymy;
    GRPFAC.GRPYFY(p) = r.ymy;
    GRPFAC.GRPPFZ(p) = r.pmz;
    PILEAR.PHX(p) = r.x;
    PILEAR.PHXREF(p) = r.x;
    PILEAR.PHY(p) = r.y;
    PILEAR.PHZ(p) = r.z;
    PCONN.CONNECTY(p) = r.conny;
    PCONN.CONNECTZ(p) = r.connz;
    PILEAR.PROPOFPILE(p) = r.prop;
    PILEAR.IPYSET(p) = r.pyset;
    PILEAR.ILSCRV(p) = r.lscrv;
    PILEAR.ITRCRV(p) = r.trcrv;
    PILEAR.IRFSET(p) = r.rfset;
    PILEAR.ILSGEN(p) = r.lsgen;
    PILEAR.ITRGEN(p) = r.trgen;
    PILEAR.HSPR1(p) = r.spz;
    PILEAR.HSPR2(p) = r.spy;
    GRPFAC.GRPPF(p) = r.pmy;
    GRPFAC.GRPPFY(p) = r.pmy;
    GRPFAC.GRPYFZ(p) = r.ymz;
    PILEAR.PAXFAC(p) = r.axfac;
    PILEAR.ALPHA(p) = r.alpha;
    PILEAR.BETA(p) = r.beta;
    PILEAR.THETA(p) = r.theta;
    PILEAR.PGRND(p) = r.ground;
    PILEAR.GRPNP(p) = 1.0;
    if (r.x < smallestX) smallestX = r.x;
  }
  capEntry(smallestX);
  const int c = n + 1;
  PILEAR.PHZ(c) = 0.0;
  PILEAR.THETA(c) = 0.0;
  PILEAR.PANGX(c) = 0.0;
  PILEAR.BETA(c) = HALFPI;  // a vertical axis

  const bool factor = RUNCTL.ICTL10 != 0;
  emptyLine();
  text(blanks(3) + "  GROUP  CONNECTY   CONNECTZ   PILE PROP  P-Y CURVE  L-S CURVE  T-R CURVE  R-F-L SET ");
  if (factor) text(" FACT.AX.LD");
  io::endRecord(U);
  for (int p = 1; p <= n; ++p) {
    WRBLNK(U, 3);
    WRINT(U, 5, p);
    WRBLNK(U, 7);
    WRA3(U, connText(PCONN.CONNECTY(p)));
    WRBLNK(U, 8);
    WRA3(U, connText(PCONN.CONNECTZ(p)));
    WRBLNK(U, 5);
    WRINT(U, 5, PILEAR.PROPOFPILE(p));
    WRBLNK(U, 6);
    WRINT(U, 5, PILEAR.IPYSET(p));
    WRBLNK(U, 6);
    curveField(PILEAR.ILSCRV(p), PILEAR.ILSGEN(p));
    WRBLNK(U, 4);
    curveField(PILEAR.ITRCRV(p), PILEAR.ITRGEN(p));
    WRBLNK(U, 4);
    rowEnd(p, factor);
  }

  const std::string L2 = UNITLB.ULBIG2.str(), l2 = UNITLB.ULLEN2.str(), F3 = UNITLB.ULLOD3.str();
  emptyLine();
  text(blanks(5) + "GROUP" + blanks(3) + "CorX," + L2 + blanks(4) + "CorY," + L2 + blanks(4) + "CorZ," + L2 +
       blanks(1) + " ALPHA," + "DEG" + blanks(1) + "  BETA," + "DEG" + blanks(1) + " THETA," + "DEG" + blanks(2) +
       "GROUND," + L2 + blanks(1) + "SPz," + F3 + "-" + l2 + blanks(1) + "SPy," + F3 + "-" + l2);
  io::endRecord(U);
  for (int p = 1; p <= n; ++p) {
    const double v[9] = {OUTLEN(PILEAR.PHX(p)), OUTLEN(PILEAR.PHY(p)), OUTLEN(PILEAR.PHZ(p)),
                         PILEAR.ALPHA(p),       PILEAR.BETA(p),        PILEAR.THETA(p),
                         OUTLEN(PILEAR.PGRND(p)), OUTFRC(PILEAR.HSPR1(p)), OUTFRC(PILEAR.HSPR2(p))};
    WRBLNK(U, 4);
    WRINT(U, 4, p);
    WRBLNK(U, 2);
    for (int k = 0; k < 9; ++k) {
      if (k > 0) WRBLNK(U, 1);
      WRREAL(U, 10, 3, v[k]);
    }
    WREOL(U);
  }

  // Degrees times pi, then over 180: the same rounding as the plane slope.
  const double pi = RUNCONST.PI;
  for (int p = 1; p <= n; ++p) {
    PILEAR.ALPHA(p) = PILEAR.ALPHA(p) * pi / 180.0;
    PILEAR.BETA(p) = PILEAR.BETA(p) * pi / 180.0;
    PILEAR.THETA(p) = PILEAR.THETA(p) * pi / 180.0;
    PILEAR.PBATT(p) = HALFPI - PILEAR.BETA(p);
    PILEAR.PANGX(p) = 0.0;
  }
}

}  // namespace

void PRPPIL(std::int32_t& ISTAT) {
  (void)ISTAT;
  RUNCONST.PI = 3.141592653589793;
  heading();
  if (RUNCTL.IANTYP == 2) {
    plane();
  } else if (RUNCTL.IANTYP == 3) {
    space();
  }
}

}  // namespace drelm
