#include <gtest/gtest.h>

#include <string>

#include "report/labels.h"
#include "model/model.h"

namespace drelm {
namespace {

// The label record as one text, field after field.
std::string record() {
  const UNITLB_T& u = UNITLB;
  return u.ULLEN3.str() + u.ULFRC4.str() + u.ULLEN2.str() + u.ULFRC3.str() + u.ULSYM.str() +
         u.ULSTR5.str() + u.ULSYM2.str() + u.ULBIG3.str() + u.ULSML3.str() + u.ULBIG2.str() +
         u.ULSML2.str() + u.ULLOD4.str() + u.ULLOD3.str();
}

TEST(UnitLabels, RecordForEachUnitsSystem) {
  const struct {
    int sel, kips;
    const char* text;
  } cases[] = {
      {1, 0, " IN LBSINLBS/-**23  4RADDEG^ PSI  * FT INFTIN LBSLBS"},
      {1, 1, " IN LBSINLBS/-**23  4RADDEG^ PSI  * FT INFTINKIPSKIP"},
      {-1, 0, "  M  KN M KN/-**23  4RADDEG^ KPA  *  M MM MMM  KN KN"},
      {-1, 1, "  M  KN M KN/-**23  4RADDEG^ KPA  *  M MM MMM  KN KN"},
      {1, 2, " IN LBSINLBS/-**23  4RADDEG^ PSI  * FT INFTIN LBSLBS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "SEL " << c.sel << " KIPS " << c.kips);
    UNITSET(c.sel, c.kips);
    EXPECT_EQ(record().size(), 52u);
    EXPECT_EQ(record(), c.text);
  }
}

TEST(UnitLabels, OtherUnitsCodesGetGenericLabelsAndKeepTheRest) {
  UNITSET(0, 1);  // from cleared labels
  EXPECT_EQ(record(), "  L   F LF/L/-**23  4RADDEG^      *  L  L           ");
  UNITSET(1, 1);
  UNITSET(0, 0);  // stress and reported-force labels stay as English left them
  EXPECT_EQ(record(), "  L   F LF/L/-**23  4RADDEG^ PSI  *  L  L    KIPSKIP");
}

struct Heading {
  int col;
  const char *line1, *line2, *line3;
};

void expectHeadings(const Heading* h, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(testing::Message() << "column " << h[i].col);
    EXPECT_EQ(UNITTB.HDLIN1(h[i].col).str(), h[i].line1);
    EXPECT_EQ(UNITTB.HDLIN2(h[i].col).str(), h[i].line2);
    EXPECT_EQ(UNITTB.HDLIN3(h[i].col).str(), h[i].line3);
  }
}

TEST(ColumnHeadings, SpaceAnalysisInEachUnitsSystem) {
  UNITSET(1, 0);
  HDRSET(3);
  const Heading english[] = {
      {1, "  DISPL.  ", "   x-DIR  ", "    IN    "},
      {4, "  DISPL.  ", "  y-z-DIR ", "    IN    "},
      {9, "  MOMENT  ", "   z-DIR  ", "  LBS-IN  "},
      {13, "   SHEAR  ", "   z-DIR  ", "    LBS   "},
      {17, "SOIL REACT", "  y-z-DIR ", "  LBS/IN  "},
      {18, " AXIAL F. ", "   x-DIR  ", "    LBS   "},
      {19, "   TOTAL  ", "  STRESS  ", " LBS/IN**2"},
      {21, "FLEX. RIG.", "   y-DIR  ", " LBS-IN**2"},
      {23, "DIST. LOAD", "   z-DIR  ", "  LBS/IN  "},
      {25, " DEM./CAP.", "   SHEAR  ", "          "},
  };
  expectHeadings(english, std::size(english));
  EXPECT_EQ(UNITTB.HDL10(3).str(), "    FT    ");
  EXPECT_EQ(UNITTB.HDL6(3).str(), " x(FT)");

  UNITSET(1, 1);
  HDRSET(3);
  const Heading kips[] = {
      {9, "  MOMENT  ", "   z-DIR  ", "  KIP-IN  "},
      {12, "   SHEAR  ", "   y-DIR  ", "    KIP   "},
      {19, "   TOTAL  ", "  STRESS  ", " KIP/IN**2"},
      {20, "FLEX. RIG.", "   z-DIR  ", " KIP-IN**2"},
  };
  expectHeadings(kips, std::size(kips));

  UNITSET(-1, 1);
  HDRSET(3);
  const Heading si[] = {
      {2, "  DISPL.  ", "   y-DIR  ", "     M    "},
      {10, "  MOMENT  ", "   y-DIR  ", "   KN- M  "},
      {14, "   SHEAR  ", "  y-z-DIR ", "     KN   "},
      {15, "SOIL REACT", "   y-DIR  ", "   KN/ M  "},
      {19, "   TOTAL  ", "  STRESS  ", "  KN/ M**2"},
      {20, "FLEX. RIG.", "   z-DIR  ", "  KN- M**2"},
      {24, " DEM./CAP.", "  MOMENT  ", "          "},
  };
  expectHeadings(si, std::size(si));
  EXPECT_EQ(UNITTB.HDL10(1).str(), "     x    ");
  EXPECT_EQ(UNITTB.HDL10(2).str(), std::string(10, ' '));
  EXPECT_EQ(UNITTB.HDL10(3).str(), "     M    ");
  EXPECT_EQ(UNITTB.HDL10(4).str(), "**********");
  EXPECT_EQ(UNITTB.HDL6(1).str(), " PILE ");
  EXPECT_EQ(UNITTB.HDL6(2).str(), "      ");
  EXPECT_EQ(UNITTB.HDL6(3).str(), " x( M)");
  EXPECT_EQ(UNITTB.HDL6(4).str(), "******");
}

TEST(ColumnHeadings, PlaneAnalysisBlanksTheOutOfPlaneColumns) {
  UNITSET(1, 0);
  HDRSET(3);  // a space table first: plane must overwrite every column
  HDRSET(2);
  const std::string blank(10, ' ');
  for (int col : {3, 4, 7, 8, 10, 11, 13, 14, 16, 17, 21, 23}) {
    SCOPED_TRACE(testing::Message() << "column " << col);
    EXPECT_EQ(UNITTB.HDLIN1(col).str(), blank);
    EXPECT_EQ(UNITTB.HDLIN2(col).str(), blank);
    EXPECT_EQ(UNITTB.HDLIN3(col).str(), blank);
  }
  const Heading plane[] = {
      {1, "  DISPL.  ", "   x-DIR  ", "    IN    "},
      {9, "  BENDING ", "  MOMENT  ", "  LBS-IN  "},
      {12, "   SHEAR  ", "   FORCE  ", "    LBS   "},
      {15, "   SOIL   ", " REACTION ", "  LBS/IN  "},
      {18, "   AXIAL  ", "   FORCE  ", "    LBS   "},
      {19, "   TOTAL  ", "  STRESS  ", " LBS/IN**2"},
      {20, " FLEXURAL ", " RIGIDITY ", " LBS-IN**2"},
      {22, "DISTRIBUT.", "   LOAD   ", "  LBS/IN  "},
      {25, " DEM./CAP.", "   SHEAR  ", "          "},
  };
  expectHeadings(plane, std::size(plane));
  // Any analysis type other than 3 is plane.
  HDRSET(0);
  expectHeadings(plane, std::size(plane));
}

}  // namespace
}  // namespace drelm
