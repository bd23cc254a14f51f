// Unit labels of the reports and the headings of the along-pile table.
#include "report/labels.h"

#include <string>

#include "model/tables.h"

namespace drelm {

void UNITSET(std::int32_t SEL, std::int32_t KIPS) {
  UNITLB_T& u = UNITLB;
  u.ULSYM = "/-**23  4RADDEG^";
  u.ULSYM2 = " *";
  if (SEL == 1) {
    u.ULLEN3 = " IN";
    u.ULFRC4 = " LBS";
    u.ULLEN2 = "IN";
    u.ULFRC3 = "LBS";
    u.ULSTR5 = " PSI ";
    u.ULBIG3 = " FT";
    u.ULSML3 = " IN";
    u.ULBIG2 = "FT";
    u.ULSML2 = "IN";
    if (KIPS == 1) {
      u.ULLOD4 = "KIPS";
      u.ULLOD3 = "KIP";
    } else {
      u.ULLOD4 = " LBS";
      u.ULLOD3 = "LBS";
    }
  } else if (SEL == -1) {
    u.ULLEN3 = "  M";
    u.ULFRC4 = "  KN";
    u.ULLEN2 = " M";
    u.ULFRC3 = " KN";
    u.ULSTR5 = " KPA ";
    u.ULBIG3 = "  M";
    u.ULSML3 = " MM";
    u.ULBIG2 = " M";
    u.ULSML2 = "MM";
    u.ULLOD4 = "  KN";
    u.ULLOD3 = " KN";
  } else {
    // Other units codes get generic length and force labels only; the stress
    // and reported-force labels keep what they hold.
    u.ULLEN3 = "  L";
    u.ULFRC4 = "   F";
    u.ULLEN2 = " L";
    u.ULFRC3 = "F/L";
    u.ULBIG3 = "  L";
    u.ULSML3 = "  L";
    u.ULBIG2 = "  ";
    u.ULSML2 = "  ";
  }
}

namespace {

// Pieces of the composing symbols held in ULSYM.
std::string sym(int from, int len) { return std::string(UNITLB.ULSYM.view().substr(from - 1, len)); }

struct Units {
  std::string length, force, moment, perLength, stress, rigidity;
};

Units lineThreeUnits() {
  const std::string len = UNITLB.ULLEN2.str();
  const std::string frc = UNITLB.ULLOD3.str();
  const std::string per = sym(1, 1), times = sym(2, 1), pow = sym(3, 2), two = sym(5, 1);
  return {"    " + len,
          "    " + frc,
          "  " + frc + times + len,
          "  " + frc + per + len,
          " " + frc + per + len + pow + two,
          " " + frc + times + len + pow + two};
}

}  // namespace

void HDRSET(std::int32_t ANTYP) {
  UNITTB_T& t = UNITTB;
  for (int k = 1; k <= 25; ++k) {
    t.HDLIN1(k) = "";
    t.HDLIN2(k) = "";
  }
  const Units u = lineThreeUnits();
  struct Column {
    const char* line1;
    const char* line2;
    const std::string* line3;  // nullptr: blank
  };
  const Column space[25] = {
      {"  DISPL.  ", "   x-DIR  ", &u.length},   {"  DISPL.  ", "   y-DIR  ", &u.length},
      {"  DISPL.  ", "   z-DIR  ", &u.length},   {"  DISPL.  ", "  y-z-DIR ", &u.length},
      {"  DISPL.  ", "   X-DIR  ", &u.length},   {"  DISPL.  ", "   Y-DIR  ", &u.length},
      {"  DISPL.  ", "   Z-DIR  ", &u.length},   {"  DISPL.  ", "  Y-Z-DIR ", &u.length},
      {"  MOMENT  ", "   z-DIR  ", &u.moment},   {"  MOMENT  ", "   y-DIR  ", &u.moment},
      {"  MOMENT  ", "  y-z-DIR ", &u.moment},   {"   SHEAR  ", "   y-DIR  ", &u.force},
      {"   SHEAR  ", "   z-DIR  ", &u.force},    {"   SHEAR  ", "  y-z-DIR ", &u.force},
      {"SOIL REACT", "   y-DIR  ", &u.perLength}, {"SOIL REACT", "   z-DIR  ", &u.perLength},
      {"SOIL REACT", "  y-z-DIR ", &u.perLength}, {" AXIAL F. ", "   x-DIR  ", &u.force},
      {"   TOTAL  ", "  STRESS  ", &u.stress},   {"FLEX. RIG.", "   z-DIR  ", &u.rigidity},
      {"FLEX. RIG.", "   y-DIR  ", &u.rigidity}, {"DIST. LOAD", "   y-DIR  ", &u.perLength},
      {"DIST. LOAD", "   z-DIR  ", &u.perLength}, {" DEM./CAP.", "  MOMENT  ", nullptr},
      {" DEM./CAP.", "   SHEAR  ", nullptr},
  };
  for (int k = 1; k <= 25; ++k) {
    const Column& c = space[k - 1];
    t.HDLIN1(k) = c.line1;
    t.HDLIN2(k) = c.line2;
    t.HDLIN3(k) = c.line3 ? std::string_view(*c.line3) : std::string_view();
  }
  if (ANTYP != 3) {
    // The plane table has one lateral direction: the out-of-plane columns
    // are blank, and some columns carry plainer names.
    for (int k : {3, 4, 7, 8, 10, 11, 13, 14, 16, 17, 21, 23}) {
      t.HDLIN1(k) = "";
      t.HDLIN2(k) = "";
      t.HDLIN3(k) = "";
    }
    const struct {
      int col;
      const char* line1;
      const char* line2;
    } renamed[] = {
        {9, "  BENDING ", "  MOMENT  "}, {12, "   SHEAR  ", "   FORCE  "},
        {15, "   SOIL   ", " REACTION "}, {18, "   AXIAL  ", "   FORCE  "},
        {20, " FLEXURAL ", " RIGIDITY "}, {22, "DISTRIBUT.", "   LOAD   "},
    };
    for (const auto& r : renamed) {
      t.HDLIN1(r.col) = r.line1;
      t.HDLIN2(r.col) = r.line2;
    }
  }
  t.HDL10(1) = "     x    ";
  t.HDL10(2) = "";
  t.HDL10(3) = "    " + UNITLB.ULBIG2.str() + "    ";
  t.HDL10(4) = "**********";
  t.HDL6(1) = " PILE ";
  t.HDL6(2) = "";
  // The summary's extremes give their depths in the large length unit.
  t.HDL6(3) = " x(" + UNITLB.ULBIG2.str() + ")";
  t.HDL6(4) = "******";
}

}  // namespace drelm
