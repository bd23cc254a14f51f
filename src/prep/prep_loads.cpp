// Load and control parameters of the input echo: every load case with its
// loads, the equivalent load at the cap origin, its stiffness-estimation data
// and its controls, the envelope options, the load combinations and the sets
// of distributed load. Each case's controls are copied into the current
// controls as the analysis driver copies them, and printed from there.
#include <cmath>
#include <string>

#include "input/capload.h"
#include "report/ldtypnm.h"
#include "numeric/loadstep.h"
#include "report/convert.h"
#include "report/gfield.h"
#include "report/writers.h"
#include "prep/echo_text.h"
#include "model/model.h"
#include "prep/prep_tables.h"

namespace drelm {
namespace {

using echo::blanks;
using echo::empty;
using echo::put;
using echo::text;

constexpr int U = U_ECHO;

bool isSpace() { return RUNCTL.IANTYP == 3; }
std::string b5() { return blanks(5); }
std::string b9() { return blanks(9); }
std::string F3() { return UNITLB.ULLOD3.str(); }
std::string l2() { return UNITLB.ULLEN2.str(); }
std::string L2() { return UNITLB.ULBIG2.str(); }
std::string g125(double x) { return generalField(12, 5, x); }

// The case's controls, from the case or combination row.
struct Controls {
  std::int32_t IPRLEV, NPRNOD, MAXITC, NTHLIM, MAXITL, KSTCYC, NCYC, IALTOL, IAXVAR, IEIPRV;
  double TOLCAP, TOLPIL, DTCUR0, DTCMIN, ALTDSP, ALTROT;
};

void copyControls(const Controls& c) {
  CURCTL.IPRLEV = c.IPRLEV;
  CURCTL.NPRNOD = c.NPRNOD;
  CURCTL.MAXITC = c.MAXITC;
  CURCTL.NTHLIM = c.NTHLIM;
  SOILCOM.MAXITL = c.MAXITL;
  TIMBLK.NTHUSE = 1;
  CURCTL.KSTCYC = c.KSTCYC;
  CURCTL.NCYCL = static_cast<double>(c.NCYC);
  CURCTL.TOLCAP = c.TOLCAP;
  CURCTL.TOLPIL = c.TOLPIL;
  CURCTL.DTCUR0 = c.DTCUR0;
  CURCTL.DTCMIN = c.DTCMIN;
  CURCTL.IALTOL = c.IALTOL;
  CURCTL.ALTDSP = c.ALTDSP;
  CURCTL.ALTROT = c.ALTROT;
  CURCTL.IAXVAR = c.IAXVAR;
  CURCTL.IEIPRV = c.IEIPRV;
}

Controls caseControls(int c) {
  const auto I = [&](int j) { return CASEIN.CASCTL(c, j); };
  const auto R = [&](int j) { return CASEIN.CASTOL(c, j); };
  return {I(18), I(19), I(6), I(3), I(7), I(4), I(5), I(20), I(21), I(51),
          R(1),  R(2),  R(3), R(4), R(6), R(7)};
}

Controls combControls(int b) {
  const auto I = [&](int j) { return COMBIN.CMBCTL(b, j); };
  const auto R = [&](int j) { return COMBIN.CMBTOL(b, j); };
  return {I(9), I(10), I(6), I(3), I(7), I(4), I(5), I(11), I(12), I(41),
          R(1), R(2),  R(3), R(4), R(7), R(8)};
}

void loadingKind() {
  if (CURCTL.KSTCYC == 0) {
    empty(2);
    text(b5() + "* THE LOADING IS CYCLIC *");
    empty();
    text(b5() + "NO. OF CYCLES =" + fixedField(10, 0, CURCTL.NCYCL));
  } else if (CURCTL.KSTCYC == 1) {
    empty(2);
    text(b5() + "* THE LOADING IS STATIC *");
  }
}

void controlParameters() {
  const std::string l3 = UNITLB.ULLEN3.str();
  const std::string eq = blanks(4) + " = ";
  empty(2);
  text(b5() + "* CONTROL PARAMETERS *");
  text(b9() + "TOLERANCE ON CONVERGENCE OF PILE CAP MOVEMENT   " + eq + g125(CURCTL.TOLCAP));
  if (CURCTL.IALTOL != 0) {
    text(b9() + "ALTER. TOLERANCE CONVERGENCE PILE CAP DEFLECTION" + eq + g125(CURCTL.ALTDSP) + l3);
    text(b9() + "ALTER. TOLERANCE CONVERGENCE PILE CAP ROTATION  " + eq + g125(CURCTL.ALTROT));
  }
  text(b9() + "TOLERANCE ON DETERMINATION OF PILE DEFLECTIONS  " + eq + g125(CURCTL.TOLPIL) + l3);
  text(b9() + "MAX NO OF ITERATIONS ALLOWED FOR FOUNDATION ANALYSIS =" + intField(9, CURCTL.MAXITC));
  text(b9() + "MAXIMUM NO OF ITERATIONS ALLOWED FOR PILE ANALYSIS   =" + intField(9, SOILCOM.MAXITL));
  text(b9() + "FACTOR TO APPLY THE LOAD IN INCREMENTS" + blanks(14) + " = " + g125(CURCTL.DTCUR0));
  text(b9() + "MINIMUM FACTOR FOR LOAD INCREMENTS    " + blanks(14) + " = " + g125(CURCTL.DTCMIN));
  // The load stepping departs from factors that would never end it.
  if (CURCTL.DTCUR0 <= 0.0) text(b9() + "  (0 OR LESS: THE WHOLE LOAD IS APPLIED IN ONE INCREMENT)");
  if (CURCTL.DTCMIN <= 0.0)
    text(b9() + "  (0 OR LESS: INCREMENTS ARE HALVED DOWN TO" + g125(stepFloor(CURCTL.DTCMIN)) + ")");
}

void options() {
  if (CURCTL.IAXVAR >= 1) {
    text(b9() + "INCLUDE VARIATION OF AXIAL LOAD AT PILES");
    text(b9() + "* NOT FOR USER DEFINED LOAD SETTL. CURVE");
  }
  if (CURCTL.IEIPRV >= 1) text(b9() + "USE EI FROM PREVIOUS ITERATION          ");
}

// Print-level lines; a combination writes its node step without the blank.
void printLevel(bool combination) {
  const std::int32_t lev = CURCTL.IPRLEV;
  if (lev == 0) {
    text(b9() + "PRINT RESULTS ONLY AT PILE CAP");
  } else if (lev == 1) {
    text(b9() + "PRINT RESULTS AT PILE CAP AND PILE HEADS");
  } else {
    text(b9() + "PRINT RESULTS AT PILE CAP, PILE HEADS AND" + " ALONG PILES");
  }
  if (lev == 2) {
    text(b9() + "PRINT RESULTS EVERY " + intField(5, CURCTL.NPRNOD) + (combination ? "NODE(S)" : " NODE(S)"));
  }
}

void equivalentLoadPlane(int c) {
  double P[6];
  CASELD(c, P);
  empty(2);
  text(b5() + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  empty();
  text(blanks(13) + " VER.LOAD X," + F3() + blanks(3) + " HOR.LOAD Y," + F3() + blanks(3) + " MOMENT," + F3() + "-" +
       l2());
  put(blanks(8));
  for (int j : {0, 1, 5}) WRREAL(U, 18, 5, OUTFRC(P[j]));
  WREOL(U);
}

void equivalentLoadSpace(int c) {
  double P[6];
  CASELD(c, P);
  empty(2);
  text(b5() + "* EQUIVALENT CONCENTRATED LOAD AT ORIGIN *");
  empty();
  text(blanks(11) + " VER.LOAD X," + F3() + blanks(5) + "HOR.LOAD Y," + F3() + blanks(5) + "HOR.LOAD Z," + F3());
  put(blanks(8));
  for (int j : {0, 1, 2}) WRREAL(U, 18, 5, OUTFRC(P[j]));
  WREOL(U);
  empty();
  const std::string fl = F3() + "-" + l2();
  text(blanks(11) + " MOMENT X," + fl + blanks(3) + " MOMENT Y," + fl + blanks(3) + " MOMENT Z," + fl);
  put(blanks(8));
  for (int j : {3, 4, 5}) WRREAL(U, 18, 5, OUTFRC(P[j]));
  WREOL(U);
}

void concentratedLoads(int c) {
  const int n = std::min<int>(CASEIN.CASCTL(c, 15), MAXCON);
  if (n < 1) return;
  empty();
  text(b5() + "* CONCENTRATED LOADS *");
  empty();
  const auto L = [&](int k, int j) { return CASEIN.LCCONC(c, k, j); };
  if (!isSpace()) {
    text(b5() + "  NL     VERT.LOAD     HOR.LOAD      " + "MOMENT      COORD X      COORD Y");
    text(blanks(17) + F3() + blanks(10) + F3() + blanks(9) + F3() + "-" + l2() + blanks(10) + L2() + blanks(10) + L2());
    for (int k = 1; k <= n; ++k) {
      put(b5() + intField(4, k) + " ");
      for (int j : {1, 2, 3}) WRREAL(U, 13, 5, OUTFRC(L(k, j)));
      for (int j : {7, 8}) WRREAL(U, 13, 5, OUTLEN(L(k, j)));
      WREOL(U);
    }
    equivalentLoadPlane(c);
    return;
  }
  text(blanks(4) + "NL " + " VERT.LOAD HR.LOAD Y HR.LOAD Z" + "  MOMENT X  MOMENT Y  MOMENT Z" +
       "   COORD X   COORD Y   COORD Z");
  std::string units = blanks(11) + F3() + blanks(7) + F3() + blanks(7) + F3() + blanks(6) + F3() + "-" + l2() +
                      blanks(4) + F3() + "-" + l2() + blanks(4) + F3() + "-" + l2() + blanks(1);
  for (int i = 0; i < 3; ++i) units += blanks(5) + L2() + blanks(3);
  text(units);
  for (int k = 1; k <= n; ++k) {
    put(blanks(2) + intField(4, k) + " ");
    for (int j : {1, 2, 4, 6, 5, 3}) WRREAL(U, 10, 2, OUTFRC(L(k, j)));
    for (int j : {7, 8, 9}) WRREAL(U, 10, 2, OUTLEN(L(k, j)));
    WREOL(U);
  }
  equivalentLoadSpace(c);
}

// One degree of freedom of a case given at a point: its stored slot, its
// labels, and whether it is a rotation.
struct DofLabel {
  int slot;
  const char* load;
  const char* disp;
  bool rotation;
};

void specifiedLoads(int c) {
  static const DofLabel PLANE[] = {{1, "VERT. LOAD,", "VERT. DISP,", false},
                                   {2, "HOR. LOAD ,", "HOR. DISP.,", false},
                                   {3, " MOMENT Z, ", " ROTATION, RAD", true}};
  static const DofLabel SPACE[] = {{1, "VERT. LOAD,", "VERT. DISP,", false},
                                   {2, "HOR.LOAD Y,", "HOR.DISP Y,", false},
                                   {4, "HOR.LOAD Z,", "HOR.DISP Z,", false},
                                   {6, "  MOMENT X,", "ROTATION X,RAD", true},
                                   {5, "  MOMENT Y,", "ROTATION Y,RAD", true},
                                   {3, "  MOMENT Z,", "ROTATION Z,RAD", true}};
  if (CASEIN.LCKIND(c) < 1) return;
  empty();
  text(b5() + "* SPECIFIED DISPLACEMENTS/LOADS *");
  empty();
  const int ndof = isSpace() ? 6 : 3;
  for (int n = 1; n <= ndof; ++n) {
    const DofLabel& d = isSpace() ? SPACE[n - 1] : PLANE[n - 1];
    const bool loadGiven = CASEIN.LCSPFL(c, d.slot) != 0;
    put(b5() + "- DOF " + std::to_string(n) + " , ");
    if (loadGiven) {
      const double q = OUTFRC(CASEIN.LCSPVL(c, 2 * d.slot));
      if (d.rotation) {
        put(b5() + d.load + F3() + "-" + l2() + blanks(4));
      } else {
        put(b5() + d.load + F3() + blanks(10));
      }
      WRREAL(U, 13, 5, q);
    } else {
      const double u = CASEIN.LCSPVL(c, 2 * d.slot - 1);
      if (d.rotation) {
        put(b5() + d.disp + blanks(10));
      } else {
        put(b5() + d.disp + echo::field(l2(), 3) + blanks(10));
      }
      WRREAL(U, 13, 5, u);
    }
    WREOL(U);
  }
  const char* const COORD[] = {"  COORD. X,", "  COORD. Y,", "  COORD. Z,"};
  for (int i = 0; i < (isSpace() ? 3 : 2); ++i) {
    put(b5() + "- LOCATION" + b5() + COORD[i] + echo::field(L2(), 3) + blanks(10));
    WRREAL(U, 13, 5, OUTLEN(CASEIN.LCSPVL(c, 13 + i)));
    WREOL(U);
  }
}

void distributedLoads(int c) {
  const int n = std::min<int>(CASEIN.CASCTL(c, 16), MAXDLL);
  if (n < 1) return;
  empty();
  text(b5() + "* DISTRIBUTED LOADS *");
  empty();
  text(b5() + "  NL    AXIS    INI_PILE  END_PILE" + "  INC_PILE    SET_Y " +
       (isSpace() ? "   FACTOR_Y     SET_Z    FACTOR_Z" : "   FACTOR_Y"));
  bool global = false;
  for (int l = 1; l <= n; ++l) {
    const bool g = CASEIN.LCDLAX(c, l) == 1;
    global = global || g;
    put(b5() + intField(4, l) + blanks(3) + (g ? "GLOBAL" : "LOCAL "));
    for (int i = 1; i <= 3; ++i) put(intField(8, CASEIN.LCDLPI(c, l, i)) + blanks(2));
    put(blanks(4) + blanks(2) + intField(8, CASEIN.LCDLSY(c, l)));
    WRREAL(U, 14, 4, CASEIN.LCDLFY(c, l));
    if (isSpace()) {
      put(intField(8, CASEIN.LCDLSZ(c, l)));
      WRREAL(U, 14, 4, CASEIN.LCDLFZ(c, l));
    }
    WREOL(U);
  }
  if (global && CASEIN.CASCTL(c, 14) == 1) {
    empty();
    text(b5() + "NOTE: FOR GLOBAL LOADING, AXIAL " + "COMPONENT IS CONSIDERED AS " + "CONCENTRATED LOAD AT PILE HEAD");
  }
}

void levels(int c, int nf) {
  for (int k = 1; k <= nf; ++k) {
    put(b5() + intField(4, k) + blanks(4));
    WRREAL(U, 13, 5, CASEIN.LCEST(c, k));
    WREOL(U);
  }
}

// Levels only: the load levels of the equivalent concentrated load.
void blockA(int c, int nf) {
  empty();
  text(b5() + "* DATA FOR FOUNDATION STIFFNESS *");
  text(b5() + "COMPUTED FOR EQUIVALENT " + b5() + "CONCENTRATED LOAD AT ORIGIN");
  empty();
  empty();
  text(b5() + "* FOUNDATION STIFFNESS LOAD LEVELS *");
  empty();
  text(b5() + "  NL       LOAD LEVEL");
  levels(c, nf);
}

// Levels followed by the twelve parameters of the estimation.
void blockB(int c, int nf) {
  const auto P = [&](int i) { return CASEIN.LCEST(c, nf + i); };
  empty();
  text(b5() + "* DATA FOR FOUNDATION STIFFNESS *");
  if (P(11) == 1.0) {
    empty();
    text(b5() + "- CONSIDER AXIAL LOADS IN PILES");
  }
  const bool total = P(1) == 0.0;
  if (total) {
    empty();
    text(b5() + "- BASED ON TOTAL APPLIED LOAD  ");
  } else {
    empty();
    text(b5() + "- BASED ON TARGET DEFLECTION   ");
    empty();
    put(b5());
    const double dof = P(2);
    const int k = std::isfinite(dof) && std::fabs(dof) < 1.0E9 ? static_cast<int>(dof) : 0;
    const char* label = nullptr;
    double value = 0.0;
    bool displacement = false;
    switch (k) {
      case 1: label = "  DISPLACEMENT X = "; value = P(3); displacement = true; break;
      case 2: label = "  DISPLACEMENT Y = "; value = P(4); displacement = true; break;
      case 3:
        if (isSpace()) {
          label = "  DISPLACEMENT Z = "; value = P(5); displacement = true;
        } else {
          label = "  ROTATION Z     = "; value = P(8);
        }
        break;
      case 4: label = "  ROTATION X     = "; value = P(6); break;
      case 5: label = "  ROTATION Y     = "; value = P(7); break;
      case 6: label = "  ROTATION Z     = "; value = P(8); break;
      default: break;
    }
    if (label != nullptr) {
      put(label);
      WRREAL(U, 13, 5, value);
      if (displacement) {
        put(" ");
        put(l2());
      }
    }
    WREOL(U);
    put(b5() + "  TOLERANCE (%)  = ");
    WRREAL(U, 12, 4, P(9));
    WREOL(U);
    put(b5() + "  ITERATIONS     = ");
    const double it = P(10);
    WRINT(U, 5, std::isfinite(it) && std::fabs(it) < 2.0E9 ? static_cast<std::int32_t>(it) : 0);
    WREOL(U);
  }
  empty();
  if (total) {
    text(b5() + "* FOUNDATION STIFFNESS LOAD LEVELS *");
    empty();
    text(b5() + "  NL       LOAD LEVEL");
  } else {
    text(b5() + "* FOUNDATION STIFFNESS DISPLACEMENT LEVELS *");
    empty();
    text(b5() + "  NL       DISP. LEVEL");
  }
  levels(c, nf);
}

// Stiffness-estimation data of a case. A vector of at most 12 values holds
// levels only, as the analysis driver reads it; 13 or more hold levels
// followed by twelve parameters.
void estimation(int c) {
  const std::int32_t kind = CASEIN.CASCTL(c, 9);
  std::int32_t& nest = CASEIN.CASCTL(c, 17);
  CASECUR.KESTCU = kind;
  if (kind < 1) {
    CASECUR.NESTV = nest;
    return;
  }
  if (nest == 0) {
    nest = 10;
    CASEIN.LCEST(c, 1) = 0.1;
    for (int k = 2; k <= 10; ++k) CASEIN.LCEST(c, k) = std::log10(static_cast<double>(k));
  }
  CASECUR.NESTV = nest;
  if (nest <= 12) {
    blockA(c, std::min<int>(nest, MAXEST));
  } else {
    blockB(c, std::min<int>(nest, MAXEST) - 12);
  }
}

void loadCase(int c) {
  FStr<32> type;
  LDTYPNM(CASEIN.CASCTL(c, 8), type);
  empty(2);
  text(b5() + "LOAD CASE    : " + intField(5, c));
  text(b5() + "CASE NAME    : " + CASEIN.LCNAME(c).str());
  text(b5() + "LOAD TYPE    : " + type.str());
  put(b5() + "SCALE FACTOR : ");
  WRREAL(U, 12, 4, CASEIN.CASTOL(c, 5));
  WREOL(U);
  if (CASEIN.CASCTL(c, 22) == 1) text(b5() + "NOTE: LOAD CASE WILL NOT BE ANALYZED");
  concentratedLoads(c);
  specifiedLoads(c);
  distributedLoads(c);
  estimation(c);
  copyControls(caseControls(c));
  loadingKind();
  controlParameters();
  options();
  printLevel(false);
}

void combination(int b) {
  empty();
  text(b5() + "LOAD COMB. : " + intField(5, b));
  text(b5() + "COMB. NAME : " + COMBIN.CBNAME(b).str());
  if (COMBIN.CMBCTL(b, 13) == 1) text(b5() + "NOTE: LOAD COMB. WILL NOT BE ANALYZED");
  text(b5() + "BENDING RF : " + g125(COMBIN.CMBTOL(b, 5)));
  text(b5() + "SHEAR RF   : " + g125(COMBIN.CMBTOL(b, 6)));
  empty();
  const int n = std::min<int>(COMBIN.CMBCTL(b, 8), MAXTRM);
  if (n >= 1) {
    text(b5() + "  NL     LOAD NUMBER         LOAD NAME" + "                  LOAD FACTOR");
    for (int j = 1; j <= n; ++j) {
      const std::int32_t c = COMBIN.CMBCTL(b, 41 + j);
      const std::string name = c >= 1 && c <= MAXLC ? CASEIN.LCNAME(c).str().substr(0, 26) : blanks(26);
      put(b5() + intField(4, j) + intField(10, c) + blanks(10) + name + b5());
      WRREAL(U, 12, 5, COMBIN.CMBTOL(b, 8 + j));
      WREOL(U);
    }
  }
  copyControls(combControls(b));
  loadingKind();
  controlParameters();
  options();
  printLevel(true);
}

void envelope(const char* heading, std::int32_t level, std::int32_t step) {
  empty(2);
  text(b5() + heading);
  empty();
  CURCTL.IPRLEV = level;
  CURCTL.NPRNOD = step;
  printLevel(false);
}

void distributedLoadSets() {
  const int n = std::min<int>(DLSETIN.NDLSET, MAXDLS);
  if (n < 1) return;
  empty(3);
  text(b5() + "** SETS OF DISTRIBUTED LOAD **");
  empty();
  empty();
  text(b5() + "NUMBER OF SETS :" + intField(5, DLSETIN.NDLSET));
  for (int m = 1; m <= n; ++m) {
    empty();
    text(b5() + "DIST. LOAD SET : " + intField(5, m));
    const int np = std::min<int>(DLSETIN.NDLPT(m), MAXDLP);
    if (np < 1) continue;
    text(b5() + "  NL           DEPTH         LOAD ");
    text(b5() + blanks(15) + "(" + L2() + ")" + blanks(10) + "(" + F3() + ")");
    for (int j = 1; j <= np; ++j) {
      put(b5() + intField(4, j) + blanks(4));
      WRREAL(U, 12, 4, OUTLEN(DLSETIN.DLDEP(m, j)));
      WRBLNK(U, 2);
      WRREAL(U, 12, 4, OUTFRC(DLSETIN.DLVAL(m, j)));
      WREOL(U);
    }
  }
}

}  // namespace

void PRPLOD(std::int32_t& ISTAT) {
  (void)ISTAT;
  empty(3);
  text(b5() + "* TABLE C *  LOAD AND CONTROL PARAMETERS");
  const int ncase = std::min<int>(CASEIN.NLCASE, MAXLC);
  if (CASEIN.NLCASE >= 1) {
    empty(2);
    text(b5() + "** LOAD CASES **");
    empty();
    empty();
    text(b5() + "NUMBER OF LOAD CASES :" + intField(5, CASEIN.NLCASE));
  }
  for (int c = 1; c <= ncase; ++c) loadCase(c);
  if (ENVOPT.IENVLC >= 1) envelope("** LOAD CASES ENVELOPES **", ENVOPT.IPRLVC, ENVOPT.NPRNDC);
  const int ncomb = std::min<int>(COMBIN.NCOMB, MAXCMB);
  if (COMBIN.NCOMB >= 1) {
    empty(3);
    text(b5() + "** LOAD COMBINATIONS **");
    empty();
    empty();
    text(b5() + "NUMBER OF LOAD COMB. :" + intField(5, COMBIN.NCOMB));
  }
  for (int b = 1; b <= ncomb; ++b) combination(b);
  if (ENVOPT.IENVCB >= 1) envelope("** LOAD COMBINATION ENVELOPES **", ENVOPT.IPRLVB, ENVOPT.NPRNDB);
  distributedLoadSets();
}

}  // namespace drelm
