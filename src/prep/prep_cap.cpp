// Opening lines of the input echo, the pile cap option table and the width
// that the soil response takes for the cap.
#include <cmath>
#include <string>

#include "report/convert.h"
#include "report/gfield.h"
#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prep_steps.h"

namespace drelm {
namespace {

constexpr int U = U_ECHO;

void emptyLines(int n) {
  for (int k = 0; k < n; ++k) io::endRecord(U);
}
void text(const std::string& s) {
  io::put(U, s);
  io::endRecord(U);
}
std::string b5() { return std::string(5, ' '); }
std::string g124(double x) { return generalField(12, 4, x); }

std::string unitsText(std::int32_t units) {
  if (units == 1) return "ENGL";
  if (units == 2) return "METR";
  return "OPEN";
}

void openingLines() {
  emptyLines(3);
  emptyLines(3);
  text(std::string(16, ' ') + "*****" + b5() + "INPUT INFORMATION" + b5() + "*****");
  emptyLines(2);
  text(b5() + RUNTTL.TITLE1.str());
  emptyLines(1);
  text(b5() + "ANALYSIS TYPE = " + intField(1, RUNCTL.IANTYP) + "D ANALYSIS" + b5());
  if (RUNCTL.IBATAD == 1) {
    emptyLines(1);
    text(b5() + "ADJUST DEPTH FOR BATTER PILES");
  }
  if (RUNCTL.IGENLS == 1) {
    emptyLines(1);
    text(b5() + "GENERATE LOAD-DISP (AND T-R) CURVES BASED ON SOIL PROFILE");
  }
  if (RUNCTL.ICRVMX == 1) {
    emptyLines(1);
    text(b5() + "EXTEND INTERPOLATION FOR L-DP (AND T-R) CURVES");
  }
  emptyLines(1);
  text(b5() + "UNITS SYSTEM  = " + unitsText(RUNCTL.IUNITS));
}

void capTable() {
  const std::string L2 = UNITLB.ULBIG2.str();
  const std::string l2 = UNITLB.ULLEN2.str();
  const std::string f3 = UNITLB.ULFRC3.str();
  emptyLines(3);
  text(b5() + "* TABLE B *  PILE CAP OPTIONS");
  emptyLines(1);
  text(b5() + "LENGTH,YY    ( " + L2 + " ) = " + g124(OUTLEN(CAPCTL.CAPLY)) + "   ");
  text(b5() + "WIDTH, ZZ    ( " + L2 + " ) = " + g124(OUTLEN(CAPCTL.CAPWZ)) + "   ");
  text(b5() + "THICKNESS,XX ( " + L2 + " ) = " + g124(OUTLEN(CAPCTL.CAPTX)));
  if (CAPCTL.CAPEQD > 0) text(b5() + "EQ. DIAMETER ( " + L2 + " ) = " + g124(OUTLEN(CAPCTL.CAPEQD)));
  if (CAPCTL.ICAPOP < 1) {
    emptyLines(1);
    text(b5() + "* PILE CAP DIMENSIONS ARE NOT CONSIDERED");
    text(b5() + "  FOR THE PILE GROUP ANALYSIS ");
    emptyLines(1);
    return;
  }
  emptyLines(1);
  text(b5() + "* PILE CAP IS EMBEDDED AND PASSIVE EARTH");
  text(b5() + "  RESISTANCE IN FRONT OF PILE CAP WILL BE CONSIDERED");
  emptyLines(1);
  if (CAPCTL.ICAPOP != 2) return;
  if (CAPSOL.ICAPSP != 0) {
    text(b5() + "- USING EQUIVALENT LATERAL SPRING");
    text(b5() + "  INCREMENTS = " + intField(5, CAPSOL.NCAPIN));
  } else {
    text(b5() + "- USING EQUIVALENT LATERAL LOAD");
  }
  if (CAPSOL.ICAPSM == 0) {
    text(b5() + "- USE SOIL MODEL FROM SOIL DATA");
  } else if (CAPSOL.ICAPSM == 1) {
    text(b5() + "- USE FHD MODEL BASED ON SOIL PARAMETERS");
  } else {
    // The given model parameters are shown as read, in internal units.
    text(b5() + "- USE FHD MODEL, PARAMETERS:    ");
    text(b5() + "  K50    (" + f3 + "/" + l2 + "/" + l2 + ") = " + g124(CAPSOL.CAPK50) + "   ");
    text(b5() + "  F ULT  (" + f3 + "/" + l2 + ")    = " + g124(CAPSOL.CAPFUL) + "   ");
    text(b5() + "  Y MAX  (" + l2 + ")        = " + g124(CAPSOL.CAPYMX));
  }
}

}  // namespace

void PRPCAP(std::int32_t& ISTAT) {
  (void)ISTAT;
  RUNTTL.ENDWRD = "END ";
  openingLines();
  if (CAPCTL.ICAPOP >= 1 || CAPCTL.CAPLY + CAPCTL.CAPWZ + CAPCTL.CAPTX > 1.0E-10) capTable();

  // The plate model of the cap needs the width as read; keep it apart before
  // CAPWZ becomes the width of the soil response.
  CAPSOL.CAPWZIN = CAPCTL.CAPWZ;
  if (RUNCTL.IANTYP == 3) CAPCTL.CAPWZ = std::sqrt(CAPCTL.CAPLY * CAPCTL.CAPLY + CAPCTL.CAPWZ * CAPCTL.CAPWZ);
  if (CAPCTL.ICAPOP >= 1 && CAPCTL.CAPEQD > 0) CAPCTL.CAPWZ = CAPCTL.CAPEQD;
  CAPSOL.CAPWID = CAPCTL.CAPWZ;
}

}  // namespace drelm
