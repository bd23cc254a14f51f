// Moment-curvature tables: the user sets of the input, printed, and the sets
// generated for the nonlinear cross sections, stored after them in the order
// of the section numbering. The host's text report of the generated sets is
// copied into the echo in their place.
#include <sys/stat.h>

#include <string>

#include "report/convert.h"
#include "report/writers.h"
#include "prep/echo_text.h"
#include "model/model.h"
#include "prep/prep_steps.h"
#include "prep/prep_tables.h"

namespace drelm {
namespace {

using echo::blanks;
using echo::empty;
using echo::text;

constexpr int U = U_ECHO;

// One curve into set s, slot c.
void storeCurve(int s, int c, double axial, int npt, const auto& moment, const auto& curvature) {
  MCTAB.MCPAXL(s, c) = axial;
  MCTAB.MCNPT(s, c) = npt;
  for (int k = 1; k <= npt; ++k) {
    MCTAB.MCMOM(s, c, k) = moment(k);
    MCTAB.MCCURV(s, c, k) = curvature(k);
  }
}

bool countsFit(int ncrv, const auto& npt, std::int32_t& ISTAT, const std::string& what) {
  if (ncrv < 0 || ncrv > MAXMCC) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {what + ": " + std::to_string(ncrv) + " CURVES, AT MOST " + std::to_string(MAXMCC) + " ALLOWED"});
    return false;
  }
  for (int c = 1; c <= ncrv; ++c) {
    if (npt(c) < 0 || npt(c) > MAXMCP) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {what + ", CURVE " + std::to_string(c) + ": " + std::to_string(npt(c)) + " POINTS, AT MOST " +
              std::to_string(MAXMCP) + " ALLOWED"});
      return false;
    }
  }
  return true;
}

void printUserSet(int s) {
  const std::string lod4 = UNITLB.ULLOD4.str(), l2 = UNITLB.ULLEN2.str();
  empty(2);
  text(blanks(7) + "CURVE SET" + intField(3, s) + blanks(10) + "NUM OF CURVES" + intField(3, MCTAB.MCNCRV(s)));
  empty();
  for (int c = 1; c <= MCTAB.MCNCRV(s); ++c) {
    empty();
    text(blanks(8) + "CURVE" + intField(3, c) + blanks(6) + "        AXIAL LOAD " + blanks(3) +
         EFIELD(10, 3, OUTFRC(MCTAB.MCPAXL(s, c))) + lod4);
    empty();
    text(blanks(12) + "POINT" + blanks(14) + "MOMENT" + blanks(13) + "CURVATURE");
    text(blanks(12) + blanks(5) + blanks(13) + lod4 + "-" + l2 + blanks(13) + "RADIAN/" + l2);
    for (int k = 1; k <= MCTAB.MCNPT(s, c); ++k) {
      WRBLNK(U, 10);
      WRINT(U, 5, k);
      WRBLNK(U, 11);
      WRREAL(U, 12, 5, OUTFRC(MCTAB.MCMOM(s, c, k)));
      WRBLNK(U, 9);
      WRREAL(U, 12, 5, MCTAB.MCCURV(s, c, k));
      WREOL(U);
    }
  }
}

bool userSets(std::int32_t& ISTAT) {
  const INPCRV_T& in = INPCRV;
  MCTAB.NMCSET = in.NMCSIN;
  if (RUNCTL.ICTL09 < 1) return true;
  empty(3);
  text(blanks(5) + "* TABLE J *   MOMENT CURVATURE SETS    ");
  if (MCTAB.NMCSET < 0 || MCTAB.NMCSET > MAXMCS) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"USER MOMENT-CURVATURE SETS: " + std::to_string(MCTAB.NMCSET) + ", AT MOST " + std::to_string(MAXMCS) +
            " ALLOWED"});
    return false;
  }
  for (int s = 1; s <= MCTAB.NMCSET; ++s) {
    const int ncrv = in.UMCNC(s);
    if (!countsFit(ncrv, [&](int c) { return in.UMCNPT(s, c); }, ISTAT,
                   "USER MOMENT-CURVATURE SET " + std::to_string(s)))
      return false;
    MCTAB.MCNCRV(s) = ncrv;
    for (int c = 1; c <= ncrv; ++c)
      storeCurve(s, c, in.UMCAXL(s, c), in.UMCNPT(s, c), [&](int k) { return in.UMCMOM(s, c, k); },
                 [&](int k) { return in.UMCCRV(s, c, k); });
  }
  if (MCTAB.NMCSET < 1) return true;
  empty(2);
  text(blanks(5) + "  USER DEFINED MOMENT CURVATURE");
  empty();
  text(blanks(7) + "NUM OF SETS :" + intField(3, MCTAB.NMCSET));
  for (int s = 1; s <= MCTAB.NMCSET; ++s) printUserSet(s);
  return true;
}

// The generated sets, one per bending direction of every nonlinear section
// that does not take a user set. Returns the number of the last set stored.
bool generatedSets(int& last, std::int32_t& ISTAT) {
  const INPCRV_T& in = INPCRV;
  last = MCTAB.NMCSET;
  if (SECTIN.NSECIN < 1 || in.NMCGEN < 1) return true;
  const bool space = RUNCTL.IANTYP == 3;
  const int nent = std::min<int>(in.NMCGEN, std::min(MAXMCE, MAXSEC));
  for (int t = 1; t <= nent; ++t) {
    if (SECTIN.SCNLIN(t) == 0 || SECTIN.NLTYPE(t) == 10) continue;
    const int need = last + (space ? 2 : 1);
    if (need > MAXMCS) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {"MOMENT-CURVATURE SETS OF THE CROSS SECTIONS: MORE THAN " + std::to_string(MAXMCS - MCTAB.NMCSET) +
                  " NEEDED BY CROSS SECTION " + std::to_string(t),
              "USER AND GENERATED SETS TOGETHER: AT MOST " + std::to_string(MAXMCS) + " ALLOWED"});
      return false;
    }
    const std::string what = "MOMENT-CURVATURE CURVES OF CROSS SECTION " + std::to_string(t);
    if (!countsFit(in.GMZNC(t), [&](int c) { return in.GMZNPT(t, c); }, ISTAT, what)) return false;
    ++last;
    MCTAB.MCNCRV(last) = in.GMZNC(t);
    for (int c = 1; c <= in.GMZNC(t); ++c)
      storeCurve(last, c, in.GMZAXL(t, c), in.GMZNPT(t, c), [&](int k) { return in.GMZMOM(t, c, k); },
                 [&](int k) { return in.GMZCRV(t, c, k); });
    if (!space) continue;
    if (!countsFit(in.GMYNC(t), [&](int c) { return in.GMYNPT(t, c); }, ISTAT, what)) return false;
    ++last;
    MCTAB.MCNCRV(last) = in.GMYNC(t);
    for (int c = 1; c <= in.GMYNC(t); ++c)
      storeCurve(last, c, in.GMYAXL(t, c), in.GMYNPT(t, c), [&](int k) { return in.GMYMOM(t, c, k); },
                 [&](int k) { return in.GMYCRV(t, c, k); });
  }
  return true;
}

// The host's text report of the generated sets, line by line without
// trailing blanks.
void copyTextFile() {
  empty(2);
  text(blanks(5) + "  INTERNALLY GENERATED MOMENT CURVATURE");
  empty();
  if (!io::connected(U_MCTEXT)) {
    // A file that is there but could not be read (a device, a directory) is
    // a file of the run that cannot be opened; a missing one only a warning.
    const std::string name = FNAMES.FNU(U_MCTEXT).trimmed();
    struct stat st {};
    if (!name.empty() && ::stat(name.c_str(), &st) == 0) io::fail(U_MCTEXT, name, true);
    for (int unit : {static_cast<int>(U_RESULTS), static_cast<int>(U_LOG)}) {
      io::endRecord(unit);
      io::put(unit, blanks(29) + "**** WARNING ****");
      io::endRecord(unit);
      io::put(unit, blanks(5) + "THE MOMENT-CURVATURE TEXT FILE CANNOT BE READ; ITS COPY IS LEFT OUT");
      io::endRecord(unit);
    }
    return;
  }
  std::string line;
  while (io::readLine(U_MCTEXT, line)) {
    if (line.size() > 256) line.resize(256);
    WRTRIM(U, line);
    WREOL(U);
  }
}

}  // namespace

void PRPMCT(std::int32_t& ISTAT) {
  if (!userSets(ISTAT)) return;
  int last = 0;
  if (!generatedSets(last, ISTAT)) return;
  if (last > MCTAB.NMCSET) copyTextFile();
}

}  // namespace drelm
