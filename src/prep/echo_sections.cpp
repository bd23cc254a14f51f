// Echo of the cross sections of the input: number, name, elastic or
// nonlinear, kind, dimensions and materials, as the analysis understood them.
#include <string>
#include <vector>

#include "report/convert.h"
#include "report/labels.h"
#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prep_steps.h"

namespace drelm {
namespace {

constexpr int U = U_ECHO;
const std::string B5 = "     ";

void emptyLine() { io::endRecord(U); }
void lineOf(const std::string& s) {
  io::put(U, s);
  io::endRecord(U);
}
std::string first32(const auto& text) { return text.str().substr(0, 32); }

std::string smallUnit() { return UNITLB.ULSML2.str(); }
std::string stressUnit() { return UNITLB.ULLOD3.str() + "/" + UNITLB.ULLEN2.str() + "**2"; }

void valueLine(const std::string& label, double shown, const std::string& unit) {
  io::put(U, B5 + label);
  WRREAL(U, 13, 5, shown);
  io::put(U, " " + unit);
  WREOL(U);
}
void dimLine(const std::string& label, double x) { valueLine(label, OUTDIM(x), smallUnit()); }
void stressLine(const std::string& label, double x) { valueLine(label, OUTFRC(x), stressUnit()); }
void areaLine(const std::string& label, double x) { valueLine(label, OUTAREA(x), smallUnit() + "**2"); }
void forceLine(const std::string& label, double x) { valueLine(label, OUTFRC(x), UNITLB.ULLOD3.str()); }
void countLine(const std::string& label, std::int32_t n) {
  io::put(U, B5 + label);
  WRINT(U, 13, n);
  WREOL(U);
}

const std::string EQDIAM = " EQUIVALENT DIAMETER : ";
const std::string EXDIAM = " EXTERNAL DIAMETER   : ";
const std::string INDIAM = " INTERNAL DIAMETER   : ";
const std::string EXWID = " EXTERNAL WIDTH      : ";
const std::string EXDEP = " EXTERNAL DEPTH      : ";
const std::string INWID = " INTERNAL WIDTH      : ";
const std::string INDEP = " INTERNAL DEPTH      : ";
const std::string FLANGE = " FLANGE THICKNESS    : ";
const std::string WEB = " WEB THICKNESS       : ";
const std::string YOUNG = " YOUNG MODULUS       : ";
const std::string SHEAR = " SHEAR MODULUS       : ";
const std::string STLDIA = " DIAMETER STEEL      : ";
const std::string STLTHK = " THICKNESS STEEL     : ";

// ---- elastic sections ----------------------------------------------------
// Columns of the elastic table, top values; the bottom ones lie 18 further.
enum ElCol { E_DIAM = 1, E_IDIAM, E_EWID, E_EDEP, E_IWID, E_IDEP, E_FLANGE, E_WEB, E_SHEAR, E_YOUNG = 17 };

struct DimRow {
  const std::string* label;
  int col;
};

// Dimension lines of an elastic kind 0 to 4.
std::vector<DimRow> elasticDims(int kind) {
  switch (kind) {
    case 1: return {{&EXDIAM, E_DIAM}, {&INDIAM, E_IDIAM}};
    case 2:
      return {{&EQDIAM, E_DIAM}, {&EXWID, E_EWID}, {&EXDEP, E_EDEP}, {&INWID, E_IWID}, {&INDEP, E_IDEP}};
    case 3:
    case 4: return {{&EQDIAM, E_DIAM}, {&EXWID, E_EWID}, {&EXDEP, E_EDEP}, {&FLANGE, E_FLANGE}, {&WEB, E_WEB}};
    default: return {{&EQDIAM, E_DIAM}};
  }
}

std::string elasticKindText(int kind, int family) {
  switch (kind) {
    case 1: return " CIRCULAR PIPE    ";
    case 2: return " RECTANGULAR PIPE ";
    case 3: return " I SECTION        ";
    case 4: return " H SECTION        ";
    case 5:
      switch (family) {
        case 0: return " AISC SECTION (W) ";
        case 1: return " AISC SECTION (M) ";
        case 2: return " AISC SECTION (S) ";
        case 3: return " AISC SECTION (HP)";
        case 11: return " AISC SECTION (HSS) ";
        case 12: return " AISC SECTION (PIPE)";
        default: return " AISC SECTION       ";
      }
    default: return " GENERAL SECTION  ";
  }
}

void kindLine(const std::string& text) { lineOf(B5 + " CROSS SECTION TYPE  :" + text); }

void elasticSection(int s, bool space) {
  const auto el = [&](int col) { return SECTIN.ELSEC(s, col); };
  int kind = SECTIN.SCKIND(s);
  // The AISC family and the diameter-kind flag are the two further integers
  // of the section's set line.
  const int family = SECTIN.ELAUX(s, 1);
  const bool externalDiam = SECTIN.ELAUX(s, 2) != 0;
  lineOf(B5 + " TYPE                : " + " ELASTIC");
  if (SECTIN.ITAPER(s) <= 0) {
    if (kind < 0 || kind > 5) kind = 0;
    kindLine(elasticKindText(kind, family));
    if (kind == 5) {
      emptyLine();
      lineOf(B5 + " AISC SECTION NAME   : " + first32(SECTIN.SCTXT2(s)));
      dimLine(externalDiam ? EXDIAM : EQDIAM, el(E_DIAM));
      if (family >= 12) {
        dimLine(INDIAM, el(E_IDIAM));
        dimLine(" THICKNESS           : ", SECTIN.WALLT(s));
      } else {
        dimLine(EXWID, el(E_EWID));
        dimLine(EXDEP, el(E_EDEP));
        dimLine(FLANGE, el(E_FLANGE));
        dimLine(WEB, el(E_WEB));
      }
    } else {
      for (const DimRow& r : elasticDims(kind)) dimLine(*r.label, el(r.col));
    }
    stressLine(YOUNG, el(E_YOUNG));
    if (space && kind != 0) stressLine(SHEAR, el(E_SHEAR));
    return;
  }
  // Tapered: top and bottom side by side; kinds above 3 show as H sections.
  if (kind > 3) kind = 4;
  if (kind < 0) kind = 0;
  kindLine(elasticKindText(kind, family));
  lineOf(B5 + " TAPERED SECTION       " + "         TOP                  BOTTOM");
  for (const DimRow& r : elasticDims(kind)) {
    io::put(U, B5 + *r.label);
    WRREAL(U, 13, 5, OUTDIM(el(r.col)));
    WRBLNK(U, 1);
    io::put(U, smallUnit());
    WRBLNK(U, 7);
    WRREAL(U, 13, 5, OUTDIM(el(r.col + 18)));
    WRBLNK(U, 1);
    io::put(U, smallUnit());
    WREOL(U);
  }
  const auto twoStress = [&](const std::string& label, int col) {
    io::put(U, B5 + label);
    WRREAL(U, 13, 5, OUTFRC(el(col)));
    WRBLNK(U, 1);
    io::put(U, stressUnit());
    WRREAL(U, 13, 5, OUTFRC(el(col + 18)));
    WRBLNK(U, 1);
    io::put(U, stressUnit());
    WREOL(U);
  };
  twoStress(YOUNG, E_YOUNG);
  if (space && kind != 0) twoStress(SHEAR, E_SHEAR);
}

// ---- nonlinear sections --------------------------------------------------
// Columns of the material table of a nonlinear section.
enum NlCol {
  N_EWID = 1, N_EDEP, N_EDIAM, N_VOID, N_CHAMF, N_WEB, N_FLANGE, N_CASDIA, N_CASTHK, N_STLDIA, N_STLTHK,
  N_FC, N_ES, N_FY
};

struct Nonlinear {
  int s;
  double m(int col) const { return SECTIN.NLMAT(s, col); }
  double eqDiam() const { return SECTIN.ELSEC(s, 1); }
  double young() const { return SECTIN.ELSEC(s, 17); }
};

void steelLines(double es, double fy) {
  stressLine(" ES STEEL            : ", es);
  stressLine(" FY STEEL            : ", fy);
}

void concreteLine(const Nonlinear& n) { stressLine(" CONCRETE FC         : ", n.m(N_FC)); }

void shapeLines(const Nonlinear& n) {
  dimLine(EXWID, n.m(N_EWID));
  dimLine(EXDEP, n.m(N_EDEP));
  dimLine(FLANGE, n.m(N_FLANGE));
  dimLine(WEB, n.m(N_WEB));
}

// The steel shape of an AISC pile or core, named by the section's text.
void aiscBlock(const Nonlinear& n, bool withDiameter) {
  emptyLine();
  lineOf(B5 + " AISC SECTION NAME   : " + first32(SECTIN.NLMATN(n.s)));
  if (withDiameter && SECTIN.NLOPT(n.s, 4) == 0) dimLine(EQDIAM, n.eqDiam());
  if (SECTIN.NLOPT(n.s, 3) >= 12) {
    dimLine(STLDIA, n.m(N_STLDIA));
    dimLine(STLTHK, n.m(N_STLTHK));
  } else {
    shapeLines(n);
  }
}

void rebarLines(const Nonlinear& n) {
  const int s = n.s;
  const std::int32_t bars = SECTIN.NLRBI(s, 5);
  if (bars >= 1) {
    countLine(" NUMBER REBARS       : ", bars);
    dimLine(" DIAMETER REINF.     : ", SECTIN.NLRBR(s, 2));
    areaLine(" AREA REINFORCEMENT  : ", SECTIN.NLRBR(s, 1));
    stressLine(" ES REINFORCEMENT    : ", SECTIN.NLRBR(s, 4));
    stressLine(" FY REINFORCEMENT    : ", SECTIN.NLRBR(s, 5));
  }
  stressLine(" EQ. YOUNG MODULUS   : ", n.young());
}

void strandLines(const Nonlinear& n) {
  const int s = n.s;
  const std::int32_t strands = SECTIN.NLSTI(s, 5);
  if (strands >= 1) {
    countLine(" NUMBER STRANDS      : ", strands);
    dimLine(" DIAMETER STRAND     : ", SECTIN.NLSTR(s, 1));
    areaLine(" AREA STRAND         : ", SECTIN.NLSTR(s, 2));
    stressLine(" FU STRAND           : ", SECTIN.NLSTR(s, 4));
    forceLine(" INITIAL PRESS. FORCE: ", SECTIN.NLSTR(s, 5));
  }
  stressLine(" EQ. YOUNG MODULUS   : ", n.young());
}

// Casing and steel core of a cased concrete shaft. The section has one steel
// modulus and one yield stress: the casing and the core both show them.
void casedShaft(const Nonlinear& n) {
  if (n.m(N_CASDIA) > 0 && n.m(N_CASTHK) > 0) {
    dimLine(" DIAMETER CASING     : ", n.m(N_CASDIA));
    dimLine(" THICKNESS CASING    : ", n.m(N_CASTHK));
    stressLine(" ES CASING           : ", n.m(N_ES));
    stressLine(" FY CASING           : ", n.m(N_FY));
  }
  const std::int32_t core = SECTIN.NLOPT(n.s, 1);
  if (core == 0) return;
  if (core == 1) {
    dimLine(STLDIA, n.m(N_STLDIA));
    dimLine(STLTHK, n.m(N_STLTHK));
  } else if (core == 2) {
    shapeLines(n);
  } else if (core == 3) {
    aiscBlock(n, false);
  }
  steelLines(n.m(N_ES), n.m(N_FY));
}

std::string nonlinearTypeText(int type, int sub2) {
  switch (type) {
    case 1: return " RECTANGULAR CONCRETE PILE  ";
    case 2: return " ROUND CONCRETE SHAFT       ";
    case 3: return " ROUND CONC. SHAFT, CASING (AND STEEL SECTION)";
    case 4: return " ROUND PRESTRESSED PILE     ";
    case 5: return " SQUARE PRESTRESSED PILE    ";
    case 6: return " OCTOGONAL PRESTRESSED PILE ";
    case 7: return " STEEL PIPE PILE            ";
    case 8: return sub2 == 0 ? " STEEL I SECTION PILE       " : " STEEL H SECTION PILE       ";
    case 9: return " STEEL AISC SECTION PILE    ";
    case 10: return " USER DEFINED EI            ";
    default: return " UNKNOWN TYPE " + std::to_string(type);
  }
}

void nonlinearSection(int s, bool space) {
  const Nonlinear n{s};
  const int type = SECTIN.NLTYPE(s);
  lineOf(B5 + " TYPE                : " + " NONLINEAR");
  kindLine(nonlinearTypeText(type, SECTIN.NLOPT(s, 2)));
  switch (type) {
    case 1:
      dimLine(EQDIAM, n.eqDiam());
      dimLine(EXWID, n.m(N_EWID));
      dimLine(EXDEP, n.m(N_EDEP));
      concreteLine(n);
      rebarLines(n);
      break;
    case 2:
      dimLine(EXDIAM, n.m(N_EDIAM));
      concreteLine(n);
      rebarLines(n);
      break;
    case 3:
      dimLine(" CONCRETE DIAMETER   : ", n.m(N_EDIAM));
      concreteLine(n);
      casedShaft(n);
      rebarLines(n);
      break;
    case 4:
      dimLine(EXDIAM, n.m(N_EDIAM));
      dimLine(" VOID DIAMETER       : ", n.m(N_VOID));
      concreteLine(n);
      strandLines(n);
      break;
    case 5:
      dimLine(EQDIAM, n.eqDiam());
      dimLine(EXWID, n.m(N_EWID));
      dimLine(" CORNER CHAMFER      : ", n.m(N_CHAMF));
      dimLine(" VOID DIAMETER       : ", n.m(N_VOID));
      concreteLine(n);
      strandLines(n);
      break;
    case 6:
      dimLine(EQDIAM, n.eqDiam());
      dimLine(EXWID, n.m(N_EWID));
      dimLine(" VOID DIAMETER       : ", n.m(N_VOID));
      concreteLine(n);
      strandLines(n);
      break;
    case 7:
      dimLine(STLDIA, n.m(N_STLDIA));
      dimLine(STLTHK, n.m(N_STLTHK));
      steelLines(n.m(N_ES), n.m(N_FY));
      break;
    case 8:
      dimLine(EQDIAM, n.eqDiam());
      shapeLines(n);
      steelLines(n.m(N_ES), n.m(N_FY));
      break;
    case 9:
      aiscBlock(n, true);
      steelLines(n.m(N_ES), n.m(N_FY));
      break;
    case 10:
      dimLine(EQDIAM, n.eqDiam());
      // The modulus matters only for a direction without a user set.
      if (SECTIN.MCSETZ(s) == 0 || (space && SECTIN.MCSETY(s) == 0)) stressLine(YOUNG, n.young());
      break;
    default: break;
  }
}

}  // namespace

void ECHSEC(std::int32_t& ISTAT) {
  (void)ISTAT;
  const bool space = RUNCTL.IANTYP == 3;
  emptyLine();
  lineOf(B5 + "* PILE CROSS SECTIONS *");
  for (int s = 1; s <= SECTIN.NSECIN; ++s) {
    emptyLine();
    lineOf(B5 + " CROSS SECTION       : " + intField(5, s));
    lineOf(B5 + " SECTION NAME        : " + first32(SECTIN.SCNAME(s)));
    emptyLine();
    if (SECTIN.SCNLIN(s) == 0) {
      elasticSection(s, space);
    } else {
      nonlinearSection(s, space);
    }
  }
}

}  // namespace drelm
