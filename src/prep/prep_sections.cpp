// Pile properties and the section table: the properties and section rows of
// the input become PILEPROP and SECTAB, the nonlinear sections get their
// moment-curvature set numbers, and "* TABLE E *" goes to the input echo.
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

void emptyLine() { io::endRecord(U); }
void lineOf(const std::string& s) {
  io::put(U, s);
  io::endRecord(U);
}
std::string blanks(int n) { return std::string(n, ' '); }
std::string lab(const auto& f) { return f.str(); }

bool isSpace() { return RUNCTL.IANTYP == 3; }
bool nonlinear(int s) { return SECTIN.SCNLIN(s) != 0; }

// Refuse what the tables cannot hold or a later stage cannot index: the
// counts of properties and section rows, the increments, the cross section
// of every row and the property of every pile.
bool checkInput(std::int32_t& ISTAT) {
  const int nprop = PROPIN.NPRPIN;
  if (nprop < 0 || nprop > MAXPRP) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"PILE PROPERTIES: " + std::to_string(nprop) + " GIVEN, AT MOST " + std::to_string(MAXPRP) +
            " ALLOWED"});
    return false;
  }
  const int nsec = SECTIN.NSECIN;
  for (int t = 1; t <= nprop; ++t) {
    const std::string prop = "PILE PROPERTY " + std::to_string(t) + ": ";
    if (PROPIN.NSECT(t) < 0 || PROPIN.NSECT(t) > MAXSRW) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {prop + std::to_string(PROPIN.NSECT(t)) + " SECTION ROWS GIVEN, AT MOST " + std::to_string(MAXSRW) +
              " ALLOWED"});
      return false;
    }
    if (PROPIN.NINC(t) < 1 || PROPIN.NINC(t) > MAXINC) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {prop + std::to_string(PROPIN.NINC(t)) + " INCREMENTS GIVEN, 1 TO " + std::to_string(MAXINC) +
              " ALLOWED"});
      return false;
    }
    for (int j = 1; j <= PROPIN.NSECT(t); ++j) {
      const int s = PROPIN.SECNUM(t, j);
      if (s < 1 || s > nsec) {
        PRPFTL(ISTAT, STAT_CAPACITY,
               {prop + "SECTION ROW " + std::to_string(j) + " NAMES CROSS SECTION " + std::to_string(s),
                "CROSS SECTIONS ARE NUMBERED 1 TO " + std::to_string(nsec)});
        return false;
      }
    }
  }
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const int t = PILEAR.PROPOFPILE(p);
    if (t < 1 || t > nprop) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {"PILE " + std::to_string(p) + " NAMES PILE PROPERTY " + std::to_string(t),
              "PILE PROPERTIES ARE NUMBERED 1 TO " + std::to_string(nprop)});
      return false;
    }
  }
  return true;
}

void copyProperties() {
  for (int t = 1; t <= PROPIN.NPRPIN; ++t) {
    PILEPROP.NSECT(t) = PROPIN.NSECT(t);
    PILEPROP.NINC(t) = PROPIN.NINC(t);
    PILEPROP.PTYPE(t) = PROPIN.PTYPE(t);
    PILEPROP.PLEN(t) = PROPIN.PLEN(t);
    // The node spacing, set once before any solver runs: the node set-up
    // and the solvers of piles side by side only read it.
    PILEPROP.DXINC(t) = PILEPROP.PLEN(t) / PILEPROP.NINC(t);
    for (int j = 1; j <= PILEPROP.NSECT(t); ++j) {
      SECTAB.SECNUM(t, j) = PROPIN.SECNUM(t, j);
      SECTAB.SXFROM(t, j) = PROPIN.SXFROM(t, j);
      SECTAB.SXTO(t, j) = PROPIN.SXTO(t, j);
      SECTAB.SEMODT(t, j) = 0.0;
      SECTAB.SEMODB(t, j) = 0.0;
      SECTAB.SMCIZ(t, j) = 0;
      SECTAB.SMCIY(t, j) = 0;
    }
  }
}

void propertyTable() {
  emptyLine();
  emptyLine();
  emptyLine();
  lineOf(blanks(5) + "* TABLE E *   PILE GEOMETRY AND PROPERTIES ");
  lineOf(blanks(5) + "              PILE TYPE = 1 - DRIVEN PILE");
  lineOf(blanks(5) + "                        = 2 - DRILLED SHAFT");
  emptyLine();
  lineOf(blanks(7) + "PROP  " + " SECTS " + "  INC  " + "   PILE TYPE" + blanks(6) + "LENGTH," + lab(UNITLB.ULBIG3) +
         blanks(4));
  for (int t = 1; t <= PROPIN.NPRPIN; ++t) {
    WRBLNK(U, 5);
    WRINT(U, 5, t);
    WRINT(U, 7, PILEPROP.NSECT(t));
    WRINT(U, 8, PILEPROP.NINC(t));
    WRINT(U, 11, PILEPROP.PTYPE(t));
    WRBLNK(U, 3);
    WRREAL(U, 16, 4, OUTLEN(PILEPROP.PLEN(t)));
    WREOL(U);
  }
}

void sectionRowTable() {
  emptyLine();
  lineOf(blanks(5) + "* PILE SECTIONS *");
  emptyLine();
  const std::string L2 = lab(UNITLB.ULBIG2);
  lineOf(blanks(7) + "PROP    " + "SECT" + blanks(6) + "FROM," + L2 + blanks(9) + "TO," + L2 + blanks(4) +
         "CROSS SECT" + blanks(2));
  for (int t = 1; t <= PROPIN.NPRPIN; ++t) {
    for (int j = 1; j <= PILEPROP.NSECT(t); ++j) {
      WRBLNK(U, 5);
      WRINT(U, 5, t);
      WRINT(U, 8, j);
      WRBLNK(U, 1);
      WRREAL(U, 14, 5, OUTLEN(SECTAB.SXFROM(t, j)));
      WRREAL(U, 15, 5, OUTLEN(SECTAB.SXTO(t, j)));
      WRINT(U, 8, SECTAB.SECNUM(t, j));
      WREOL(U);
    }
  }
}

// Generated moment-curvature sets follow the user sets, one per bending
// direction of every nonlinear section not of the user-stiffness type, in
// the order of the sections.
bool numberSets(std::int32_t& ISTAT) {
  int k = INPCRV.NMCSIN;
  for (int s = 1; s <= SECTIN.NSECIN; ++s) {
    if (!nonlinear(s) || SECTIN.NLTYPE(s) == 10) continue;
    SECTIN.MCSETZ(s) = ++k;
    if (isSpace()) SECTIN.MCSETY(s) = ++k;
  }
  if (k > MAXMCS) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"MOMENT-CURVATURE SETS: " + std::to_string(k) + " NEEDED, AT MOST " + std::to_string(MAXMCS) +
            " ALLOWED"});
    return false;
  }
  return true;
}

void rowModuli() {
  for (int t = 1; t <= PROPIN.NPRPIN; ++t) {
    for (int j = 1; j <= PILEPROP.NSECT(t); ++j) {
      const int s = SECTAB.SECNUM(t, j);
      SECTAB.SEMODT(t, j) = SECTIN.ELSEC(s, 17);
      SECTAB.SEMODB(t, j) = SECTIN.ELSEC(s, 17 + 18);
      if (nonlinear(s)) {
        SECTAB.SMCIZ(t, j) = SECTIN.MCSETZ(s);
        SECTAB.SMCIY(t, j) = SECTIN.MCSETY(s);
      }
    }
  }
}

// Column headings of the properties table; the unit labels stand without
// blanks around them.
std::string heading(bool nonlin) {
  const std::string s2 = lab(UNITLB.ULSML2), f3 = lab(UNITLB.ULLOD3), l2 = lab(UNITLB.ULLEN2);
  const std::string diam = "DIAM," + s2, area = "AREA," + s2 + "**2";
  const std::string mn = " Mn," + f3 + "-" + l2, vn = " Vn," + f3, gj = " GJ," + f3 + "-" + l2 + "**2";
  const std::string iz = " Iz," + s2 + "**4", iy = " Iy," + s2 + "**4";
  if (!isSpace()) {
    std::string h = blanks(5) + "  SECT" + blanks(11) + diam + blanks(5) + area + blanks(4) + "  I," + s2 + "**4";
    if (nonlin) h += blanks(4) + " EI INDEX ";
    return h + blanks(4) + mn + blanks(5) + vn;
  }
  if (!nonlin)
    return blanks(2) + "  SECT" + blanks(9) + diam + blanks(3) + area + blanks(2) + iz + blanks(3) + iy + blanks(2) +
           gj + blanks(2) + mn + blanks(3) + vn;
  return blanks(2) + "  SECT" + blanks(4) + diam + blanks(2) + area + blanks(1) + iz + blanks(2) + iy + blanks(1) + gj +
         blanks(2) + " EIz IND " + " EIy IND " + blanks(1) + mn + blanks(3) + vn;
}

// Top (part 0) or bottom (part 18) values of an elastic section.
void elasticValues(int s, int part, int w, int d) {
  const auto v = [&](int col) { return SECTIN.ELSEC(s, col + part); };
  WRREAL(U, w, d, OUTDIM(v(1)));
  WRREAL(U, w, d, OUTAREA(v(10)));
  WRREAL(U, w, d, OUTMOI(v(11)));
  if (isSpace()) {
    WRREAL(U, w, d, OUTMOI(v(12)));
    WRBLNK(U, 1);
    WRREAL(U, w, d, OUTFRC(v(14)));
  }
  WRREAL(U, w, d, OUTFRC(v(15)));
  WRREAL(U, w, d, OUTFRC(v(16)));
  WREOL(U);
}

// Plane and space rows of an elastic section differ only in their widths
// and gaps; a tapered section shows its bottom values on a second line.
struct ElasticLayout {
  int lead;
  std::string top;  // the label of the top values
  int w, d;         // the value fields
  int botLead, botGap;
};

void elasticRow(int s) {
  const bool tapered = SECTIN.ITAPER(s) > 0;
  const ElasticLayout L = isSpace() ? ElasticLayout{2, " TOP", 12, 4, 9, 0} : ElasticLayout{5, " TOP ", 14, 5, 12, 1};
  WRBLNK(U, L.lead);
  WRINT(U, 5, s);
  WRBLNK(U, 1);
  io::put(U, tapered ? L.top : blanks(static_cast<int>(L.top.size())));
  elasticValues(s, 0, L.w, L.d);
  if (tapered) {
    WRBLNK(U, L.botLead);
    io::put(U, "BOT");
    WRBLNK(U, L.botGap);
    elasticValues(s, 18, L.w, L.d);
  }
}

// A user-stiffness section shows its moment of inertia only for a direction
// without a set, and its set number only for a direction with one.
double shownInertia(int s, int col, std::int32_t set) {
  return SECTIN.NLTYPE(s) == 10 && set == 0 ? SECTIN.ELSEC(s, col) : 0.0;
}
std::int32_t shownIndex(int s, std::int32_t set) { return SECTIN.NLTYPE(s) == 10 && set >= 1 ? set : 0; }

void nonlinearRow(int s) {
  const double d = OUTDIM(SECTIN.ELSEC(s, 1)), a = OUTAREA(SECTIN.ELSEC(s, 10));
  const double mn = OUTFRC(SECTIN.ELSEC(s, 15)), vn = OUTFRC(SECTIN.ELSEC(s, 16));
  const std::int32_t setz = SECTIN.MCSETZ(s), sety = SECTIN.MCSETY(s);
  if (!isSpace()) {
    WRBLNK(U, 5);
    WRINT(U, 5, s);
    WRBLNK(U, 6);
    WRREAL(U, 14, 5, d);
    WRREAL(U, 14, 5, a);
    WRREAL(U, 14, 5, OUTMOI(shownInertia(s, 11, setz)));
    WRBLNK(U, 5);
    WRINT(U, 5, shownIndex(s, setz));
    WRREAL(U, 14, 5, mn);
    WRREAL(U, 14, 5, vn);
    WREOL(U);
    return;
  }
  WRBLNK(U, 2);
  WRINT(U, 5, s);
  WRBLNK(U, 1);
  WRREAL(U, 11, 4, d);
  WRREAL(U, 11, 4, a);
  WRREAL(U, 11, 4, OUTMOI(shownInertia(s, 11, setz)));
  WRREAL(U, 11, 4, OUTMOI(shownInertia(s, 12, sety)));
  WRBLNK(U, 2);
  WRREAL(U, 11, 4, OUTFRC(SECTIN.ELSEC(s, 14)));
  WRBLNK(U, 2);
  WRINT(U, 5, shownIndex(s, setz));
  WRBLNK(U, 4);
  WRINT(U, 5, shownIndex(s, sety));
  WRBLNK(U, 4);
  WRREAL(U, 11, 4, mn);
  WRREAL(U, 11, 4, vn);
  WREOL(U);
}

void propertiesTable() {
  emptyLine();
  lineOf(blanks(5) + "* PILE CROSS SECTIONS PROPERTIES *");
  bool anyElastic = false, anyNonlinear = false;
  for (int s = 1; s <= SECTIN.NSECIN; ++s) (nonlinear(s) ? anyNonlinear : anyElastic) = true;
  if (anyElastic) {
    emptyLine();
    lineOf(blanks(5) + "         ELASTIC SECTIONS         ");
    emptyLine();
    lineOf(heading(false));
    for (int s = 1; s <= SECTIN.NSECIN; ++s)
      if (!nonlinear(s)) elasticRow(s);
  }
  if (anyNonlinear) {
    emptyLine();
    lineOf(blanks(5) + "         NONLINEAR SECTIONS       ");
    emptyLine();
    lineOf(heading(true));
    for (int s = 1; s <= SECTIN.NSECIN; ++s)
      if (nonlinear(s)) nonlinearRow(s);
  }
}

// Moment of inertia of a row end; a missing one is taken as that of a solid
// circle of the row's diameter, 0.0491 D^4.
double inertia(double given, double diameter) {
  return given < 1.0E-10 ? 0.0491 * diameter * diameter * diameter * diameter : given;
}

void sectionValues() {
  for (int t = 1; t <= PROPIN.NPRPIN; ++t) {
    for (int j = 1; j <= PILEPROP.NSECT(t); ++j) {
      const int s = SECTAB.SECNUM(t, j);
      const auto top = [&](int col) { return SECTIN.ELSEC(s, col); };
      const auto bot = [&](int col) { return SECTIN.ELSEC(s, col + 18); };
      SECTAB.SDIAT(t, j) = top(1);
      SECTAB.SAREAT(t, j) = top(10);
      SECTAB.SGJT(t, j) = top(14);
      SECTAB.SMNT(t, j) = top(15);
      SECTAB.SVNT(t, j) = top(16);
      SECTAB.SDIAB(t, j) = bot(1);
      SECTAB.SAREAB(t, j) = bot(10);
      SECTAB.SGJB(t, j) = bot(14);
      SECTAB.SMNB(t, j) = bot(15);
      SECTAB.SVNB(t, j) = bot(16);
      SECTAB.SIZT(t, j) = inertia(top(11), SECTAB.SDIAT(t, j));
      SECTAB.SIYT(t, j) = inertia(top(12), SECTAB.SDIAT(t, j));
      SECTAB.SIZB(t, j) = inertia(bot(11), SECTAB.SDIAB(t, j));
      SECTAB.SIYB(t, j) = inertia(bot(12), SECTAB.SDIAB(t, j));
      SECTAB.SEIZT(t, j) = SECTAB.SIZT(t, j) * SECTAB.SEMODT(t, j);
      SECTAB.SEIYT(t, j) = SECTAB.SIYT(t, j) * SECTAB.SEMODT(t, j);
      SECTAB.SEIZB(t, j) = SECTAB.SIZB(t, j) * SECTAB.SEMODB(t, j);
      SECTAB.SEIYB(t, j) = SECTAB.SIYB(t, j) * SECTAB.SEMODB(t, j);
    }
  }
}

}  // namespace

void PRPSEC(std::int32_t& ISTAT) {
  // A nonlinear flag is any non-zero value as read; hold it as 0 or 1.
  for (int s = 1; s <= SECTIN.NSECIN && s <= MAXSEC; ++s) SECTIN.SCNLIN(s) = SECTIN.SCNLIN(s) != 0 ? 1 : 0;
  if (SECTIN.NSECIN < 0 || SECTIN.NSECIN > MAXSEC) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"CROSS SECTIONS: " + std::to_string(SECTIN.NSECIN) + " GIVEN, AT MOST " + std::to_string(MAXSEC) +
            " ALLOWED"});
    return;
  }
  if (!checkInput(ISTAT)) return;
  copyProperties();
  propertyTable();
  sectionRowTable();
  if (!numberSets(ISTAT)) return;
  rowModuli();
  ECHSEC(ISTAT);
  if (ISTAT != 0) return;
  propertiesTable();
  sectionValues();
}

}  // namespace drelm
