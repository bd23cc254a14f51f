// The input echo of the preprocessing, line by line against expected files.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/model.h"
#include "model/tables.h"
#include "prep/prepro.h"
#include "prep/prep_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::SectionEnd;

void expectLines(const std::vector<std::string>& got, const std::string& expectedFile) {
  const auto want = test::readLines(test::dataFile("expected/" + expectedFile));
  ASSERT_FALSE(want.empty()) << expectedFile;
  for (std::size_t k = 0; k < std::max(got.size(), want.size()); ++k) {
    const std::string g = k < got.size() ? got[k] : "<missing>";
    const std::string w = k < want.size() ? want[k] : "<none>";
    EXPECT_EQ(g, w) << expectedFile << " line " << k + 1;
  }
}

// The echo of the frame, the pile arrangement and the sections: the load
// table and the tables from the soil data on are checked by their own tests.
std::vector<std::string> frameTables(const std::vector<std::string>& echo) {
  const auto find = [&](const std::string& title) {
    for (std::size_t i = 0; i < echo.size(); ++i)
      if (echo[i].find(title) != std::string::npos) return i >= 3 ? i - 3 : std::size_t{0};
    return echo.size();
  };
  const std::size_t c = find("* TABLE C *"), d = find("* TABLE D *"), f = find("* TABLE F *");
  std::vector<std::string> out(echo.begin(), echo.begin() + static_cast<long>(std::min(c, d)));
  out.insert(out.end(), echo.begin() + static_cast<long>(d), echo.begin() + static_cast<long>(std::max(d, f)));
  return out;
}

// Two piles in space, English units: an embedded cap with the given soil
// model, a vertical and a battered pile, an elastic pipe and a reinforced
// concrete shaft.
void spaceInput() {
  RUNTTL.TITLE1 = "SPACE GROUP OF TWO PILES";
  RUNCTL.IANTYP = 3;
  test::units(1);
  RUNCTL.IBATAD = 1;
  RUNCTL.ICRVMX = 1;
  RUNCTL.ICTL10 = 1;
  CAPCTL.CAPLY = 36.0;
  CAPCTL.CAPWZ = 48.0;
  CAPCTL.CAPTX = 24.0;
  CAPCTL.ICAPOP = 2;
  CAPSOL.ICAPSP = 1;
  CAPSOL.NCAPIN = 10;
  CAPSOL.ICAPSM = 2;
  CAPSOL.CAPK50 = 100.0;
  CAPSOL.CAPFUL = 2000.0;
  CAPSOL.CAPYMX = 0.5;
  // One layer of elastic subgrade below every pile tip: the preprocessing
  // checks the tips against the profile.
  SOILIN.NLAYIN = 1;
  SOILIN.SLTYPE(1) = 12;
  SOILIN.SLVAL(1, 1) = 24.0;
  SOILIN.SLVAL(1, 2) = 2400.0;
  test::setPiles3D({
      {2, 2, 1, 0, 0, 3, 0, 0, 1, 0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0, 1.0, 12.0, -36.0, 0.0, 0.0, 90.0, 0.0, 24.0},
      {1, 3, 1, 2, 4, 0, 1, 0, 0, 2, 0.0, 5.0e6, 0.8, 1.0, 0.9, 1.0, 0.9, 0.0, 36.0, 12.0, 30.0, 45.0, 15.0, 0.0},
  });
  test::setProperty(1, 40, 600.0, 1, {{0.0, 240.0, 1}, {240.0, 600.0, 2}});
  test::setSection(1, 0, "PIPE24", {24.0, 36.9, 2549.0, 2549.0, 1.0e9, 5.0e6, 2.0e5, 29.0e6});
  SECTIN.SCKIND(1) = 1;
  SECTIN.ELSEC(1, 2) = SECTIN.ELSEC(1, 20) = 23.0;   // internal diameter
  SECTIN.ELSEC(1, 9) = SECTIN.ELSEC(1, 27) = 11.2e6;  // shear modulus
  test::setSection(2, 1, "SHAFT30", {30.0, 706.86, 0.0, 0.0, 0.0, 0.0, 0.0, 3.6e6});
  SECTIN.NLTYPE(2) = 2;
  SECTIN.NLMAT(2, 3) = 30.0;
  SECTIN.NLMAT(2, 12) = 4000.0;
  SECTIN.NLRBI(2, 5) = 8;
  SECTIN.NLRBR(2, 1) = 0.79;
  SECTIN.NLRBR(2, 2) = 1.0;
  SECTIN.NLRBR(2, 4) = 29.0e6;
  SECTIN.NLRBR(2, 5) = 60000.0;
  INPCRV.NMCSIN = 3;
}

// Two plane rows in SI units: no cap, a battered row on a user curve and a
// vertical row on a generated one, a tapered section and a user-stiffness
// section.
void planeInput() {
  RUNTTL.TITLE1 = "PLANE ROWS IN SI UNITS";
  RUNCTL.IANTYP = 2;
  test::units(2);
  RUNCTL.IGENLS = 1;
  SOILIN.NLAYIN = 1;
  SOILIN.SLTYPE(1) = 12;
  SOILIN.SLVAL(1, 2) = 100.0;
  test::setRows2D({
      {3, 4, 1, 0, 2, 0, 0, 1000.0, 1.2, 0.8, 1.0, 1.0, 0.5, -1.0, 45.0, 0.5},
      {1, 2, 1, 0, 0, 0, 3, 0.0, 0.9, 1.0, 1.0, 1.0, 0.3, 1.0, 0.0, 0.0},
  });
  test::setProperty(1, 30, 15.0, 2, {{0.0, 15.0, 1}});
  const SectionEnd bottom{0.5, 0.19635, 0.0, 0.0, 0.0, 0.0, 0.0, 2.5e7};
  test::setSection(1, 0, "TAPER", {0.6, 0.2827, 0.0, 0.0, 0.0, 0.0, 0.0, 2.5e7}, &bottom);
  test::setSection(2, 1, "USEREI", {0.4, 0.1257, 0.00126, 0.00126, 0.0, 350.0, 120.0, 2.0e7});
  SECTIN.NLTYPE(2) = 10;
}

TEST(InputEcho, SpaceGroupFrameArrangementAndSections) {
  clearTables();
  test::ScratchDir dir;
  test::openReports();
  spaceInput();
  std::int32_t istat = 0;
  PREPRO(istat);
  test::closeReports();
  EXPECT_EQ(istat, 0);
  expectLines(frameTables(test::echoLines()), "prep_space.txt");
}

TEST(InputEcho, PlaneRowsFrameArrangementAndSections) {
  clearTables();
  test::ScratchDir dir;
  test::openReports();
  planeInput();
  std::int32_t istat = 0;
  PREPRO(istat);
  test::closeReports();
  EXPECT_EQ(istat, 0);
  expectLines(frameTables(test::echoLines()), "prep_plane.txt");
}

}  // namespace
}  // namespace drelm
