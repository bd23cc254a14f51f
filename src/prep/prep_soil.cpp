// Soil data report of the input echo: every layer with its soil type and its
// properties at the top and the bottom. Properties left at zero are shown
// with estimated values, each marked by a flag letter; the soil record keeps
// the input values. The requested p-y curve listings close the table.
#include <cmath>
#include <string>

#include "report/convert.h"
#include "report/writers.h"
#include "prep/echo_text.h"
#include "model/model.h"
#include "prep/prep_tables.h"
#include "soil/defaults.h"
#include "transfer/fsqtest.h"

namespace drelm {
namespace {

using echo::blanks;
using echo::empty;
using echo::put;
using echo::text;

constexpr int U = U_ECHO;

std::string soilTypeLine(int L) {
  const std::int32_t code = SOILCOM.LTYPE(L);
  switch (code) {
    case 1: return "THE SOIL IS A SOFT CLAY";
    case 2: return "THE SOIL IS A STIFF CLAY WITH FREE WATER";
    case 3: return "THE SOIL IS A STIFF CLAY WITHOUT FREE WATER";
    case 4: return "THE SOIL IS A SAND";
    case 5: return "THE SOIL-RESISTANCE CURVES SPECIFIED BY THE USER";
    case 6: return "THE LAYER IS A VUGGY LIMESTONE";
    case 7: return "THE SOIL IS A SILT";
    case 8: return "THE SOIL IS A SAND USING API CRITERIA";
    case 9: return "THE LAYER IS A WEAK ROCK";
    case 10: return std::string("THE SOIL IS A STIFF CLAY WITHOUT FREE WATER,") + " USING INITIAL K VALUE";
    case 11: return "THE SOIL IS A LIQUEFIED SAND";
    case 12:
      if (SOILCOM.CPROF(2 * L - 1) > 0.0 || SOILCOM.CPROF(2 * L) > 0.0)
        return std::string("THE SOIL IS AN ELASTIC SUBGRADE WITH MAXIMUM STRESS") + " TRANSFER";
      return "THE SOIL IS AN ELASTIC SUBGRADE";
    case 13: return "THE SOIL IS A SOFT CLAY WITH USER DEFINED J";
    case 14: return "THE SOIL IS A MOD. SOFT CLAY WITH INITIAL K VALUE";
    default: return "";
  }
}

// Flag letters in the order of the notes below the table.
enum Flag { FE, FK, FC, FP, FS, FR, FT, NFLAG };
const char* const FLAGTEXT[NFLAG] = {" (E)", " (K)", " (C)", " (P)", " (S)", " (R)", " (T)"};

struct Report {
  bool written[NFLAG] = {};
};

// A shown value and its flag (NFLAG when the value is not an estimate).
struct Shown {
  double v;
  int flag;
};

std::string unitField(const std::string& unit) { return "(" + unit + ") "; }

// Label of 51 columns, then the top value with its 4-column flag field and
// the bottom value with its flag text.
void propertyLine(Report& r, const std::string& label, const std::string& unit, Shown top, Shown bot) {
  std::string lab = label;
  lab.resize(31, ' ');
  put(blanks(8) + lab + unit);
  WRREAL(U, 14, 5, top.v);
  if (top.flag < NFLAG) {
    put(FLAGTEXT[top.flag]);
    r.written[top.flag] = true;
  } else {
    put(blanks(4));
  }
  WRREAL(U, 14, 5, bot.v);
  if (bot.flag < NFLAG) {
    put(FLAGTEXT[bot.flag]);
    r.written[bot.flag] = true;
  }
  WREOL(U);
}

// Second line of a property: 51 blanks, then the flagged values only.
void secondLine(Report& r, Shown top, Shown bot) {
  put(blanks(51));
  if (top.flag < NFLAG) {
    WRREAL(U, 14, 5, top.v);
    put(FLAGTEXT[top.flag]);
    r.written[top.flag] = true;
  } else {
    put(blanks(18));
  }
  if (bot.flag < NFLAG) {
    WRREAL(U, 14, 5, bot.v);
    put(FLAGTEXT[bot.flag]);
    r.written[bot.flag] = true;
  }
  WREOL(U);
}

Shown plain(double v) { return {v, NFLAG}; }

// Estimates of one point of the profile.
struct PointEst {
  double kst = 0, kcy = 0;
  std::int32_t kfl = 0, kcfl = 0;
  double e50 = 0;
  std::int32_t efl = 0;
  std::int32_t fsfl = 0, qtfl = 0;
  double fsdrv = 0, fsdrl = 0, qtdrv = 0, qtdrl = 0;
};

struct PileKinds {
  bool driven = false, drilled = false, anyWithoutUserCurve = false;
};

PileKinds pileKinds() {
  PileKinds k;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const std::int32_t prop = PILEAR.PROPOFPILE(p);
    if (prop >= 1 && prop <= MAXPRPS) {
      if (PILEPROP.PTYPE(prop) == PTYPE_DRIVEN) k.driven = true;
      if (PILEPROP.PTYPE(prop) == PTYPE_DRILLED) k.drilled = true;
    }
    if (PILEAR.ILSCRV(p) == 0) k.anyWithoutUserCurve = true;
  }
  return k;
}

// Some pile's tip lies within layer L.
bool holdsTip(int L) {
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const std::int32_t prop = PILEAR.PROPOFPILE(p);
    if (prop < 1 || prop > MAXPRPS) continue;
    const double tip = PILEAR.PHX(p) + PILEPROP.PLEN(prop);
    if (SOILCOM.LTOP(L) <= tip && tip <= SOILCOM.LBOT(L)) return true;
  }
  return false;
}

// Side friction or tip resistance: the profile values, or at flagged points
// the driven-pile estimate (when driven piles exist) and, with drilled shafts
// as well, a second line of drilled-shaft estimates.
void resistanceLines(Report& r, const std::string& label, const std::string& unit, const PileKinds& k, double inTop,
                     double inBot, bool flTop, bool flBot, double drvTop, double drvBot, double drlTop, double drlBot,
                     int drvFlag, int drlFlag) {
  const auto show = [](double x) { return OUTFRC(OUTPRS(x)); };
  if (!flTop && !flBot) {
    propertyLine(r, label, unit, plain(show(inTop)), plain(show(inBot)));
    return;
  }
  const auto first = [&](bool fl, double in, double drv, double drl) {
    if (!fl) return plain(show(in));
    return k.driven ? Shown{show(drv), drvFlag} : Shown{show(drl), drlFlag};
  };
  propertyLine(r, label, unit, first(flTop, inTop, drvTop, drlTop), first(flBot, inBot, drvBot, drlBot));
  if (k.driven && k.drilled) {
    secondLine(r, flTop ? Shown{show(drlTop), drlFlag} : plain(0.0), flBot ? Shown{show(drlBot), drlFlag} : plain(0.0));
  }
}

bool layer(Report& r, int L, const PileKinds& kinds, std::int32_t& ISTAT) {
  const std::int32_t code = SOILCOM.LTYPE(L);
  const int it = 2 * L - 1, ib = 2 * L;
  const std::int32_t units = RUNCTL.IUNITS;

  // Estimates at the top and the bottom point.
  PointEst e[2];
  for (int s = 0; s < 2; ++s) {
    const int i = s == 0 ? it : ib;
    PointEst& p = e[s];
    if (takesSubgradeModulus(code))
      KDEFIN(SOILCOM.CPROF(i), SOILCOM.PHIPR(i), SOILCOM.GAMPR(i), SOILCOM.KPROF(i), p.kst, p.kcy, units, code, p.kfl,
             p.kcfl);
    if (isCohesiveType(code))
      E50DEFIN(SOILCOM.CPROF(i), SOILCOM.E50PR(i), p.e50, units, code, p.efl);
    if (kinds.anyWithoutUserCurve) {
      const double X = s == 0 ? SOILCOM.LTOP(L) : SOILCOM.LBOT(L);
      FSQTEST(code, X, p.fsfl, p.fsdrv, p.fsdrl, p.qtfl, p.qtdrv, p.qtdrl, ISTAT);
      if (ISTAT != 0) return false;
    }
  }

  const std::string F3 = UNITLB.ULLOD3.str(), L2 = UNITLB.ULBIG2.str(), l2 = UNITLB.ULLEN2.str();
  const std::string perL3 = unitField(F3 + "/" + L2 + "**" + "3");
  const std::string perL2 = unitField(F3 + "/" + L2 + "**" + "2");
  const std::string perl2 = unitField(F3 + "/" + l2 + "**" + "2");
  const std::string perl3 = unitField(F3 + "/" + l2 + "**" + "3");
  const std::string none = blanks(12);
  const auto prof = [&](const FArray<double, MAXPRF>& col, double (*conv)(double)) {
    return std::pair<Shown, Shown>{plain(conv(col(it))), plain(conv(col(ib)))};
  };
  const auto line = [&](const char* label, const std::string& unit, std::pair<Shown, Shown> v) {
    propertyLine(r, label, unit, v.first, v.second);
  };
  const auto same = [](double x) { return x; };
  const auto stress = [](double x) { return OUTFRC(OUTPRS(x)); };
  const auto unitWeight = [](double x) { return OUTFRC(OUTUWT(x)); };
  const auto force = [](double x) { return OUTFRC(x); };
  const auto degrees = [](double x) { return x * 180.0 / RUNCONST.PI; };

  empty();
  text(blanks(9) + "LAYER" + intField(3, L));
  const std::string typeLine = soilTypeLine(L);
  if (!typeLine.empty()) text(blanks(9) + typeLine);
  text(blanks(9) + blanks(30) + blanks(15) + " TOP OF LAYER    BOTTOM OF LAYER ");

  propertyLine(r, " X COORDINATE", blanks(7) + "(" + L2 + ") ", plain(OUTLEN(SOILCOM.LTOP(L))),
               plain(OUTLEN(SOILCOM.LBOT(L))));
  line(" EFFECTIVE UNIT WEIGHT", perL3, prof(SOILCOM.GAMPR, unitWeight));
  if (isCohesiveType(code)) line(" UNDRAINED COHESION, C", perL2, prof(SOILCOM.CPROF, stress));
  if (isRockType(code)) line(" UNIAXIAL COMPRESSIVE STRENGTH", perl2, prof(SOILCOM.CPROF, force));
  if (isFrictionalType(code)) line(" FRICTION ANGLE", blanks(2) + "(DEGREES) ", prof(SOILCOM.PHIPR, degrees));
  if (takesSubgradeModulus(code)) {
    const auto kShown = [&](const PointEst& p) {
      return p.kfl == 1 ? Shown{OUTFRC(p.kst), FK} : plain(OUTFRC(p.kst));
    };
    propertyLine(r, " P-Y SUBGRADE MODULUS", perl3, kShown(e[0]), kShown(e[1]));
    if (!isSandType(code) && (e[0].kfl == 1 || e[1].kfl == 1)) {
      const auto cShown = [&](const PointEst& p) {
        return p.kfl == 1 ? Shown{OUTFRC(p.kcy), FC} : plain(0.0);
      };
      secondLine(r, cShown(e[0]), cShown(e[1]));
    }
  }
  if (isCohesiveType(code)) {
    const auto eShown = [&](const PointEst& p) { return p.efl == 1 ? Shown{p.e50, FE} : plain(p.e50); };
    propertyLine(r, " STRAIN AT 50% STRESS", none, eShown(e[0]), eShown(e[1]));
  }
  if (code == ST_WEAKROCK) {
    line(" YOUNG MODULUS,ER", perl2, prof(SOILCOM.ERPROF, force));
    line(" KRM", none, prof(SOILCOM.E50PR, same));
    line(" RQD", blanks(8) + "(%) ", prof(SOILCOM.JPROF, same));
  }
  if (code == ST_ELASTIC) {
    if (SOILCOM.CPROF(it) > 0.0 || SOILCOM.CPROF(ib) > 0.0)
      line(" MAXIMUM STRESS TRANSFER", perL2, prof(SOILCOM.CPROF, stress));
    line(" ELASTIC SUBGRADE MODULUS", perl3, prof(SOILCOM.KPROF, force));
  }
  if ((code == ST_SOFTCLAYJ || code == ST_SOFTCLAYK)) line(" J FACTOR", none, prof(SOILCOM.JPROF, same));

  resistanceLines(r, " ULTIMATE UNIT SIDE FRICTION", perL2, kinds, SOILCOM.FSPROF(it), SOILCOM.FSPROF(ib),
                  e[0].fsfl == 1, e[1].fsfl == 1, e[0].fsdrv, e[1].fsdrv, e[0].fsdrl, e[1].fsdrl, FP, FS);
  const bool tip = holdsTip(L);
  resistanceLines(r, " ULTIMATE UNIT TIP RESISTANCE", perL2, kinds, SOILCOM.QTPROF(it), SOILCOM.QTPROF(ib),
                  tip && e[0].qtfl == 1, tip && e[1].qtfl == 1, e[0].qtdrv, e[1].qtdrv, e[0].qtdrl, e[1].qtdrl, FR,
                  FT);
  return true;
}

void notes(const Report& r) {
  bool any = false;
  for (bool w : r.written) any = any || w;
  if (!any) return;
  static const char* const NOTE[NFLAG] = {
      "(E) STRAIN AT 50% STRESS",
      "(K) P-Y SUBGRADE MODULUS for Static Loading",
      "(C) P-Y SUBGRADE MODULUS for Cyclic Loading",
      "(P) ULTIMATE UNIT SIDE FRICTION for Driven Piles",
      "(S) ULTIMATE UNIT SIDE FRICTION for Drilled Shafts",
      "(R) ULTIMATE UNIT TIP RESISTANCE for Driven Piles",
      "(T) ULTIMATE UNIT TIP RESISTANCE for Drilled Shafts"};
  empty();
  text(blanks(5) + "  Notes :  Program estimated values for listed parameters");
  text(blanks(5) + "           if zero input values were entered:");
  for (int f = 0; f < NFLAG; ++f)
    if (r.written[f]) text(blanks(5) + blanks(11) + NOTE[f]);
}

void listingRequests() {
  if (CURCTL.KPYLST != 1) return;
  empty(2);
  text(blanks(5) + "* DATA TO PRINT GENERATED P-Y CURVES *");
  if (PYPRT.NPYPRT < 1) return;
  empty();
  text(blanks(5) + " NUMBER OF CURVES TO PRINT : " + intField(5, PYPRT.NPYPRT));
  empty();
  text(blanks(5) + "  CURVE NUMBER  " + "   PILE GROUP   " + "      DEPTH (" + UNITLB.ULBIG2.str() + ")   ");
  const int n = std::min<int>(PYPRT.NPYPRT, MAXPRT);
  for (int j = 1; j <= n; ++j) {
    put(blanks(5) + intField(8, j) + blanks(8) + intField(8, PYPRT.PRTPIL(j)) + blanks(10));
    WRREAL(U, 14, 5, OUTLEN(PYPRT.PRTDEP(j)));
    WREOL(U);
  }
}

}  // namespace

void PRPSOL(std::int32_t& ISTAT) {
  empty(3);
  text(blanks(5) + "* TABLE F *   SOIL DATA");
  const int n = std::min<int>(SOILCOM.NLAYER, MAXLYR);
  if (n < 1) {
    empty();
    text(blanks(5) + "  NO SOIL LAYERS DEFINED");
    return;
  }
  empty(2);
  text(blanks(5) + "SOILS INFORMATION");
  empty();
  put(blanks(8) + " GROUND SURFACE          =");
  WRREAL(U, 13, 5, OUTLEN(SOILCOM.LTOP(1)));
  put(" ");
  put(UNITLB.ULBIG3.str());
  WREOL(U);
  empty();
  text(blanks(9) + intField(1, SOILCOM.NLAYER) + " LAYER(S) OF SOIL");

  const PileKinds kinds = pileKinds();
  Report r;
  for (int L = 1; L <= n; ++L)
    if (!layer(r, L, kinds, ISTAT)) return;
  notes(r);
  listingRequests();
}

}  // namespace drelm
