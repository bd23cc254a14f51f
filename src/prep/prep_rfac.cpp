// Last tables of the input echo: reduction factors along depth, the soil
// movement profile and the reduction factors for closely spaced piles, which
// are computed here for the horizontal load of the first load case or for a
// defined direction, and in space analysis combined into the one pair of
// multipliers per pile that the analysis starts from.
#include <cmath>
#include <string>

#include "input/capload.h"
#include "report/convert.h"
#include "report/writers.h"
#include "prep/echo_text.h"
#include "model/model.h"
#include "prep/prep_steps.h"
#include "prep/prep_tables.h"
#include "soil/grprf.h"

namespace drelm {
namespace {

using echo::blanks;
using echo::empty;
using echo::text;

constexpr int U = U_ECHO;

// Individual piles that the pair rule of the reduction factors may take: a
// plane row stands for several piles, and the rule weighs every pair.
constexpr long long MAXGRPL = 25000;

void factorsAlongDepth() {
  if (RFDCTL.IRFDEP != 1) return;
  empty(3);
  text(blanks(5) + "* TABLE J1 *  REDUCTION FACTORS ALONG DEPTH  ");
  if (RFDEP.NRFSET < 1) return;
  empty();
  text(blanks(7) + "NUM OF SETS :" + intField(3, RFDEP.NRFSET));
  const int nset = std::min<int>(RFDEP.NRFSET, MAXRFS);
  for (int s = 1; s <= nset; ++s) {
    empty();
    text(blanks(8) + "  SET" + intField(3, s) + blanks(10) + "NUM OF POINTS" + intField(3, RFDEP.NRFPT(s)));
    empty();
    text(blanks(12) + "     DEPTH," + UNITLB.ULBIG2.str() + blanks(10) + "P-FACTOR   " + blanks(10) + "Y-FACTOR   ");
    const int np = std::min<int>(RFDEP.NRFPT(s), MAXRFP);
    for (int k = 1; k <= np; ++k) {
      WRBLNK(U, 11);
      WRREAL(U, 12, 5, OUTLEN(RFDEP.RFDDEP(s, k)));
      WRBLNK(U, 9);
      WRREAL(U, 12, 5, RFDEP.RFDPM(s, k));
      WRBLNK(U, 9);
      WRREAL(U, 12, 5, RFDEP.RFDYM(s, k));
      WREOL(U);
    }
  }
}

void soilMovement() {
  if (SMOV.ISMOV != 1) return;
  const bool space = RUNCTL.IANTYP == 3;
  const std::string l2 = UNITLB.ULLEN2.str();
  empty(3);
  text(blanks(5) + "* TABLE J2 *  SOIL MOVEMENT DATA       ");
  text(blanks(12) + "POINT" + blanks(9) + "DEPTH" + blanks(13) + "MOVE Y-DIR" +
       (space ? blanks(13) + "MOVE Z-DIR" : ""));
  text(blanks(12 + 5 + 9 + 2) + UNITLB.ULBIG2.str() + blanks(18) + l2 + (space ? blanks(18) + l2 : ""));
  const int n = std::min<int>(SMOV.NSMOV, MAXSMV);
  for (int i = 1; i <= n; ++i) {
    WRBLNK(U, 10);
    WRINT(U, 5, i);
    WRBLNK(U, 11);
    WRREAL(U, 12, 5, OUTLEN(SMOV.SMVDEP(i)));
    WRBLNK(U, 9);
    WRREAL(U, 12, 5, SMOV.SMVYIN(i));
    if (space) {
      WRBLNK(U, 9);
      WRREAL(U, 12, 5, SMOV.SMVZIN(i));
    }
    WREOL(U);
  }
}

double sense(double x) { return x < 0.0 ? -1.0 : 1.0; }
std::string sign(double x) { return x < 0.0 ? "(-)" : "(+)"; }

void heading() {
  empty(3);
  text(blanks(5) + "* TABLE K *   REDUCTION FACTORS        ");
}

double diameterOfPile1() {
  const std::int32_t prop = RUNCTL.NPILE >= 1 ? PILEAR.PROPOFPILE(1) : 0;
  return prop >= 1 && prop <= MAXPRPS ? SECTAB.SDIAT(prop, 1) : 0.0;
}

void diameterLine(bool converted) {
  empty();
  const double d = diameterOfPile1();
  text(blanks(7) + "PILE DIAMETER = " + fixedField(10, 3, converted ? OUTDIM(d) : d) + " " +
       (converted ? UNITLB.ULSML3.str() : UNITLB.ULLEN3.str()));
}

// Heading lines of a table of factors, the movement line when given, and one
// line per pile.
void factorTable(const std::string& direction, const std::string& movement, const FArray<double, MAXPIL1>& pf,
                 const FArray<double, MAXPIL1>& yf) {
  empty();
  text(blanks(7) + "REDUCTION FACTORS FOR CLOSELY-SPACED PILE GROUPS" + direction);
  if (!movement.empty()) text(blanks(7) + movement);
  text(blanks(40));
  text(blanks(7) + "     GROUP NO     P-FACTOR     Y-FACTOR        ");
  empty();
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    WRBLNK(U, 12);
    WRINT(U, 5, p);
    WRBLNK(U, 5);
    WRREAL(U, 12, 4, pf(p));
    WRBLNK(U, 1);
    WRREAL(U, 12, 4, yf(p));
    WREOL(U);
  }
}

bool pileListFits(std::int32_t& ISTAT) {
  const long long n = GRPCOUNT();
  if (n <= MAXGRPL) return true;
  PRPFTL(ISTAT, STAT_CAPACITY,
         {"REDUCTION FACTORS FOR CLOSELY-SPACED PILES: " + std::to_string(n) + " INDIVIDUAL PILES,",
          "AT MOST " + std::to_string(MAXGRPL) + " ALLOWED"});
  return false;
}

void space(std::int32_t& ISTAT) {
  const std::int32_t opt = CAPCTL.IRFOPT;
  if (opt == 2 || opt == 4) {
    heading();
    factorTable(" ALONG Y-DIRECTION", "", GRPFAC.GRPPFY, GRPFAC.GRPYFY);
    factorTable(" ALONG Z-DIRECTION", "", GRPFAC.GRPPFZ, GRPFAC.GRPYFZ);
    return;
  }
  if (opt != 1 && opt != 3) return;
  if (!pileListFits(ISTAT)) return;
  double F[6];
  CASELD(1, F);
  const bool byLoad = opt == 1;
  const double dy = byLoad ? F[1] : CAPCTL.RFDIRY;
  const double dz = byLoad ? F[2] : CAPCTL.RFDIRZ;
  GRPRFY(sense(dy));
  GRPRFZ(sense(dz));

  heading();
  if (byLoad) {
    if (RFDCTL.IAVDIA != 0) {
      empty();
      text(blanks(7) + "AVERAGE DIAMETER IS USED TO GET RATIO S/B");
    } else {
      diameterLine(true);
    }
  } else if (RFDCTL.IAVDIA == 0) {
    diameterLine(false);
  }
  const auto movement = [&](const char* axis, double d) {
    return byLoad ? std::string("ESTIMATED ASSUMING MOVEMENT IN") + " " + "THE DIRECTION OF " + axis + "-FORCE " + sign(d)
                  : std::string("ESTIMATED BASED ON DEFINED MOVEMENT IN") + " " + "THE " + axis + "-DIRECTION OF " +
                        sign(d);
  };
  factorTable(" ALONG Y-DIRECTION", movement("Y", dy), GRPFAC.GRPPF, GRPFAC.GRPYF);
  factorTable(" ALONG Z-DIRECTION", movement("Z", dz), GRPFAC.GRPPFZ, GRPFAC.GRPYFZ);

  // One pair of multipliers per pile, weighted by the direction of movement.
  double a = std::fabs(dy), b = std::fabs(dz);
  if (byLoad && a == 0.0 && b == 0.0) {
    a = std::fabs(F[5]);
    b = std::fabs(F[4]);
  }
  if (a == 0.0 && b == 0.0) a = b = 1.0;
  const double r = std::sqrt(a * a + b * b);
  const double cy = a / r, cz = b / r;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    GRPFAC.GRPPFY(p) = GRPFAC.GRPPF(p);
    GRPFAC.GRPYFY(p) = GRPFAC.GRPYF(p);
    GRPFAC.GRPPF(p) = std::hypot(cy * GRPFAC.GRPPFY(p), cz * GRPFAC.GRPPFZ(p));
    GRPFAC.GRPYF(p) = std::hypot(cy * GRPFAC.GRPYFY(p), cz * GRPFAC.GRPYFZ(p));
  }
}

// A plane analysis moves along Y only; a defined direction gives its own sense.
void plane(std::int32_t& ISTAT) {
  const std::int32_t opt = CAPCTL.IRFOPT;
  if (opt == 0) return;
  if (opt == 1 || opt == 3) {
    if (!pileListFits(ISTAT)) return;
    double F[6];
    CASELD(1, F);
    GRPRFY(sense(opt == 1 ? F[1] : CAPCTL.RFDIRY));
  }
  heading();
  if ((opt == 1 || opt == 3) && RFDCTL.IAVDIA == 0) diameterLine(true);
  factorTable("", "", GRPFAC.GRPPF, GRPFAC.GRPYF);
}

}  // namespace

void PRPRFK(std::int32_t& ISTAT) {
  factorsAlongDepth();
  soilMovement();
  if (RUNCTL.IANTYP == 3) {
    space(ISTAT);
  } else if (RUNCTL.IANTYP == 2) {
    plane(ISTAT);
  }
}

}  // namespace drelm
