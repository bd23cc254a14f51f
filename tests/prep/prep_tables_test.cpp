// Derived working tables of the preprocessing, checked against hand values.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/model.h"
#include "model/tables.h"
#include "prep/prep_steps.h"
#include "prep/prepro.h"
#include "prep/prep_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::Pile3D;
using test::Row2D;
using test::ScratchDir;
using test::SectionEnd;

constexpr double PI = 3.141592653589793;

TEST(CapWidth, DiagonalInSpaceAndEquivalentDiameterOfAnEmbeddedCap) {
  const struct {
    int antyp, capop;
    double ly, wz, eqd, width;
  } cases[] = {
      {3, 1, 3.0, 4.0, 0.0, 5.0},   // plan diagonal of a 3-4 cap
      {3, 1, 3.0, 4.0, 2.0, 2.0},   // equivalent diameter wins
      {3, 0, 3.0, 4.0, 2.0, 5.0},   // no embedded cap: diameter ignored
      {2, 1, 3.0, 4.0, 0.0, 4.0},   // plane: width as read
      {2, 2, 3.0, 4.0, 1.5, 1.5},
      {2, 0, 0.0, 0.0, 0.0, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "IANTYP " << c.antyp << " ICAPOP " << c.capop << " CAPEQD " << c.eqd);
    clearTables();  // every case a run of its own
    ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = c.antyp;
    test::units(1);
    CAPCTL = CAPCTL_T{};
    CAPCTL.ICAPOP = c.capop;
    CAPCTL.CAPLY = c.ly;
    CAPCTL.CAPWZ = c.wz;
    CAPCTL.CAPEQD = c.eqd;
    std::int32_t istat = 0;
    PRPCAP(istat);
    test::closeReports();
    EXPECT_EQ(istat, 0);
    EXPECT_DOUBLE_EQ(CAPCTL.CAPWZ, c.width);
    EXPECT_DOUBLE_EQ(CAPSOL.CAPWID, c.width);
    EXPECT_DOUBLE_EQ(CAPSOL.CAPWZIN, c.wz);  // kept as read for the plate model
    EXPECT_EQ(RUNTTL.ENDWRD.str(), "END ");
  }
}

TEST(PileArrangement, SpacePilesGetRadiansBatterAndTheCapEntry) {
  ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = 3;
  test::units(1);
  RUNCONST.PI = 3.14159f;  // the reader's single-precision value
  CAPCTL.CAPTX = 24.0;
  SOILIN.SLVAL(1, 1) = 30.0;
  test::setPiles3D({
      {2, 3, 1, 0, 0, 0, 0, 9, 1, 1, 0, 500, 1.0, 1.0, 1.0, 1.0, 1.0, 12.0, -36.0, 0.0, 0.0, 90.0, 0.0, 24.0},
      {1, 1, 1, 0, 0, 0, 0, 0, 2, 2, 0, 0, 0.7, 0.9, 0.8, 0.6, 0.5, 6.0, 36.0, 12.0, 30.0, 45.0, 180.0, 0.0},
  });
  std::int32_t istat = 0;
  PRPPIL(istat);
  test::closeReports();
  ASSERT_EQ(istat, 0);
  EXPECT_EQ(RUNCTL.NPILE, 2);
  EXPECT_EQ(RUNCONST.PI, PI);

  // A vertical pile has no batter; a 45-degree pile leans by pi/4.
  EXPECT_DOUBLE_EQ(PILEAR.BETA(1), PI / 2);
  EXPECT_NEAR(PILEAR.PBATT(1), 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(PILEAR.BETA(2), PI / 4);
  EXPECT_DOUBLE_EQ(PILEAR.PBATT(2), PI / 4);
  EXPECT_DOUBLE_EQ(PILEAR.ALPHA(2), PI / 6);
  EXPECT_DOUBLE_EQ(PILEAR.THETA(2), PI);
  EXPECT_EQ(PILEAR.PANGX(2), 0.0);

  // Cap base one thickness above the highest head (X grows downwards).
  EXPECT_DOUBLE_EQ(CAPSOL.CAPX0, 6.0 - 24.0);
  EXPECT_DOUBLE_EQ(CAPSOL.CAPTHK, 24.0);
  EXPECT_DOUBLE_EQ(PILEAR.PHX(3), -18.0);
  EXPECT_DOUBLE_EQ(PILEAR.PHXREF(3), -18.0);
  EXPECT_DOUBLE_EQ(PILEAR.PGRND(3), 30.0 - (-18.0));
  EXPECT_DOUBLE_EQ(PILEAR.BETA(3), PI / 2);
  EXPECT_EQ(PILEAR.ALPHA(3), 0.0);
  EXPECT_EQ(PILEAR.GRPNP(3), 1.0);

  // Row values land in their fields; the eighth integer is ignored.
  EXPECT_EQ(PCONN.CONNECTY(1), 2);
  EXPECT_EQ(PCONN.CONNECTZ(1), 3);
  EXPECT_EQ(PILEAR.HSPR2(1), 500.0);
  EXPECT_EQ(PILEAR.ILSGEN(2), 2);
  EXPECT_EQ(PILEAR.ITRGEN(2), 2);
  EXPECT_EQ(GRPFAC.GRPPF(2), 0.7);
  EXPECT_EQ(GRPFAC.GRPPFY(2), 0.7);
  EXPECT_EQ(GRPFAC.GRPYF(2), 0.9);
  EXPECT_EQ(GRPFAC.GRPYFY(2), 0.9);
  EXPECT_EQ(GRPFAC.GRPPFZ(2), 0.8);
  EXPECT_EQ(GRPFAC.GRPYFZ(2), 0.6);
  EXPECT_EQ(PILEAR.PAXFAC(2), 0.5);
  EXPECT_EQ(PILEAR.PHXREF(2), 6.0);
  EXPECT_EQ(PILEAR.PHZ(2), 12.0);
}

// Degrees become radians as degrees times pi over 180, in that order, in both
// analysis types; pi/180 taken first rounds these angles differently.
TEST(PileArrangement, AnglesTurnToRadiansAsDegreesTimesPiOver180) {
  const double deg[] = {3.0, 89.0, 12.0};
  for (int antyp : {2, 3}) {
    SCOPED_TRACE(antyp);
    clearTables();  // every case a run of its own
    ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = antyp;
    test::units(1);
    if (antyp == 2) {
      test::setRows2D({{1, 1, 1, 0, 0, 0, 0, 0.0, 1.0, 1.0, 1.0, 1.0, 0.0, 0.0, deg[0], 0.0}});
    } else {
      test::setPiles3D({{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.0, 0.0, 0.0, deg[0], deg[1],
                         deg[2], 0.0}});
    }
    std::int32_t istat = 0;
    PRPPIL(istat);
    test::closeReports();
    ASSERT_EQ(istat, 0);
    EXPECT_EQ(PILEAR.ALPHA(1), deg[0] * PI / 180.0);
    if (antyp == 2) {
      EXPECT_EQ(PILEAR.PBATT(1), deg[0] * PI / 180.0);
    } else {
      EXPECT_EQ(PILEAR.BETA(1), deg[1] * PI / 180.0);
      EXPECT_EQ(PILEAR.THETA(1), deg[2] * PI / 180.0);
      EXPECT_EQ(PILEAR.PBATT(1), PI / 2 - deg[1] * PI / 180.0);
    }
  }
}

TEST(PileArrangement, PlaneRowsKeepTheirCountAndSlopeInRadians) {
  ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = 2;
  test::units(2);
  CAPCTL.CAPTX = 1.0;
  SOILIN.SLVAL(1, 1) = 0.0;
  test::setRows2D({
      {3, 4, 1, 0, 2, 0, 0, 1000.0, 1.2, 0.8, 1.0, 1.0, 0.5, -1.0, 45.0, 0.5},
      {1, 2, 1, 0, 0, 0, 3, 0.0, 0.9, 1.0, 1.0, 1.0, 0.5, 1.0, 0.0, 0.0},
  });
  std::int32_t istat = 0;
  PRPPIL(istat);
  test::closeReports();
  ASSERT_EQ(istat, 0);
  EXPECT_DOUBLE_EQ(PILEAR.ALPHA(1), PI / 4);
  EXPECT_DOUBLE_EQ(PILEAR.PBATT(1), PI / 4);
  EXPECT_EQ(PILEAR.ALPHA(2), 0.0);
  EXPECT_EQ(PILEAR.PBATT(2), 0.0);
  EXPECT_EQ(PILEAR.GRPNP(1), 4.0);
  EXPECT_EQ(PILEAR.PHYREF(1), -1.0);
  EXPECT_EQ(GRPFAC.GRPSPC(1), 1.2);
  EXPECT_EQ(GRPFAC.GRPPF(1), 0.8);
  // Two rows at the same smallest X: the cap base is that X less the thickness.
  EXPECT_DOUBLE_EQ(CAPSOL.CAPX0, -0.5);
  EXPECT_DOUBLE_EQ(PILEAR.PGRND(3), 0.5);
  EXPECT_EQ(PILEAR.GRPNP(3), 1.0);
}

TEST(PileArrangement, NoRowsStillSetsPiAndTheCapEntryInSlotOne) {
  for (int antyp : {2, 3}) {
    SCOPED_TRACE(antyp);
    clearTables();  // every case a run of its own
    ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = antyp;
    test::units(1);
    RUNCONST.PI = 3.14159f;
    CAPCTL.CAPTX = 18.0;
    PGRP2D.NROW = PGRP3D.NROW = 0;
    std::int32_t istat = 0;
    PRPPIL(istat);
    test::closeReports();
    EXPECT_EQ(RUNCTL.NPILE, 0);
    EXPECT_EQ(RUNCONST.PI, PI);
    EXPECT_DOUBLE_EQ(CAPSOL.CAPX0, -18.0);
    EXPECT_DOUBLE_EQ(PILEAR.PHX(1), -18.0);
  }
}

// One pile on property 1, ready for the section step.
void onePile() {
  RUNCTL.NPILE = 1;
  PILEAR.PROPOFPILE(1) = 1;
}

TEST(SectionTable, MissingMomentOfInertiaIsThatOfASolidCircle) {
  ScratchDir dir;
  test::openReports();
  RUNCTL.IANTYP = 3;
  test::units(1);
  onePile();
  test::setProperty(1, 20, 600.0, 1, {{0, 120, 1}, {120, 360, 2}, {360, 600, 3}});
  // Iz below 1E-10 takes 0.0491 D^4; exactly 1E-10 is kept.
  test::setSection(1, 0, "S1", {2.0, 3.0, 0.0, 5e-11, 7.0, 8.0, 9.0, 100.0});
  const SectionEnd bot{4.0, 3.0, 0.0, 0.0, 7.0, 8.0, 9.0, 200.0};
  test::setSection(2, 0, "S2", {2.0, 3.0, 1e-10, 6.0, 7.0, 8.0, 9.0, 100.0}, &bot);
  test::setSection(3, 7, "S3", {2.0, 3.0, 4.0, 4.0, 7.0, 8.0, 9.0, 50.0});  // any non-zero flag: nonlinear
  SECTIN.NLTYPE(3) = 10;
  SECTIN.MCSETZ(3) = 1;
  std::int32_t istat = 0;
  PRPSEC(istat);
  test::closeReports();
  ASSERT_EQ(istat, 0);

  EXPECT_DOUBLE_EQ(SECTAB.SIZT(1, 1), 0.7856);
  EXPECT_DOUBLE_EQ(SECTAB.SIYT(1, 1), 0.7856);
  EXPECT_DOUBLE_EQ(SECTAB.SEIZT(1, 1), 78.56);
  EXPECT_DOUBLE_EQ(SECTAB.SIZT(1, 2), 1e-10);
  EXPECT_DOUBLE_EQ(SECTAB.SIYT(1, 2), 6.0);
  EXPECT_DOUBLE_EQ(SECTAB.SIZB(1, 2), 0.0491 * 256.0);  // bottom diameter 4
  EXPECT_DOUBLE_EQ(SECTAB.SEIZB(1, 2), 0.0491 * 256.0 * 200.0);
  EXPECT_DOUBLE_EQ(SECTAB.SEIYT(1, 2), 600.0);
  EXPECT_EQ(SECTAB.SDIAB(1, 2), 4.0);
  EXPECT_EQ(SECTAB.SEMODB(1, 2), 200.0);
  EXPECT_EQ(SECTAB.SGJT(1, 1), 7.0);
  EXPECT_EQ(SECTAB.SMNB(1, 3), 8.0);
  EXPECT_EQ(SECTAB.SVNT(1, 3), 9.0);
  EXPECT_EQ(SECTAB.SAREAB(1, 3), 3.0);
  EXPECT_EQ(SECTAB.SXFROM(1, 2), 120.0);
  EXPECT_EQ(SECTAB.SXTO(1, 3), 600.0);
  EXPECT_EQ(SECTAB.SECNUM(1, 3), 3);
  EXPECT_EQ(PILEPROP.NINC(1), 20);
  EXPECT_EQ(PILEPROP.NSECT(1), 3);
  EXPECT_EQ(PILEPROP.PLEN(1), 600.0);
  EXPECT_EQ(PILEPROP.DXINC(1), 30.0);  // set before any solver runs

  // The nonlinear flag is held as 1, and the user set of the type-10 section
  // reaches its row; elastic rows have none.
  EXPECT_EQ(SECTIN.SCNLIN(3), 1);
  EXPECT_EQ(SECTAB.SMCIZ(1, 3), 1);
  EXPECT_EQ(SECTAB.SMCIZ(1, 1), 0);
}

TEST(SectionTable, GeneratedMomentCurvatureSetsFollowTheUserSets) {
  const struct {
    int antyp;
    int z1, y1, z3, y3;
  } cases[] = {
      {3, 4, 5, 6, 7},  // two directions per section in space
      {2, 4, 0, 5, 0},  // one in plane
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.antyp);
    clearTables();  // every case a run of its own
    ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = c.antyp;
    test::units(1);
    onePile();
    INPCRV.NMCSIN = 3;
    test::setProperty(1, 10, 100.0, 2, {{0, 25, 1}, {25, 50, 2}, {50, 75, 3}, {75, 100, 4}});
    const SectionEnd v{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    test::setSection(1, 1, "TYPE2", v);
    SECTIN.NLTYPE(1) = 2;
    test::setSection(2, 1, "USER", v);
    SECTIN.NLTYPE(2) = 10;
    SECTIN.MCSETZ(2) = 1;
    SECTIN.MCSETY(2) = 2;
    test::setSection(3, 1, "TYPE5", v);
    SECTIN.NLTYPE(3) = 5;
    test::setSection(4, 0, "ELASTIC", v);
    std::int32_t istat = 0;
    PRPSEC(istat);
    test::closeReports();
    ASSERT_EQ(istat, 0);
    EXPECT_EQ(SECTIN.MCSETZ(1), c.z1);
    EXPECT_EQ(SECTIN.MCSETY(1), c.y1);
    EXPECT_EQ(SECTIN.MCSETZ(2), 1);
    EXPECT_EQ(SECTIN.MCSETY(2), 2);
    EXPECT_EQ(SECTIN.MCSETZ(3), c.z3);
    EXPECT_EQ(SECTIN.MCSETY(3), c.y3);
    EXPECT_EQ(SECTAB.SMCIZ(1, 1), c.z1);
    EXPECT_EQ(SECTAB.SMCIY(1, 3), c.y3);
    EXPECT_EQ(SECTAB.SMCIZ(1, 2), 1);
    EXPECT_EQ(SECTAB.SMCIZ(1, 4), 0);
    EXPECT_EQ(SECTAB.SMCIY(1, 4), 0);
  }
}

TEST(SectionTable, InputTheTablesCannotHoldIsRefused) {
  const struct {
    const char* what;
    void (*spoil)();
    const char* message;
  } cases[] = {
      {"cross section 0", [] { PROPIN.SECNUM(1, 2) = 0; },
       "     PILE PROPERTY 1: SECTION ROW 2 NAMES CROSS SECTION 0"},
      {"cross section above the count", [] { PROPIN.SECNUM(1, 1) = 3; },
       "     PILE PROPERTY 1: SECTION ROW 1 NAMES CROSS SECTION 3"},
      {"too many section rows", [] { PROPIN.NSECT(1) = 20; },
       "     PILE PROPERTY 1: 20 SECTION ROWS GIVEN, AT MOST 19 ALLOWED"},
      {"no increments", [] { PROPIN.NINC(1) = 0; },
       "     PILE PROPERTY 1: 0 INCREMENTS GIVEN, 1 TO 100 ALLOWED"},
      {"too many increments", [] { PROPIN.NINC(1) = 101; },
       "     PILE PROPERTY 1: 101 INCREMENTS GIVEN, 1 TO 100 ALLOWED"},
      {"pile without a property", [] { PGRP2D.IPG2D(1, 3) = 2; }, "     PILE 1 NAMES PILE PROPERTY 2"},
      {"too many properties", [] { PROPIN.NPRPIN = 51; }, "     PILE PROPERTIES: 51 GIVEN, AT MOST 50 ALLOWED"},
      {"too many moment-curvature sets", [] { INPCRV.NMCSIN = 150; },
       "     MOMENT-CURVATURE SETS: 151 NEEDED, AT MOST 150 ALLOWED"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clearTables();  // every case a run of its own
    ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = 2;
    test::units(1);
    test::setRows2D({{1, 1, 1, 0, 0, 0, 0, 0.0, 1.0, 1.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0}});
    test::setProperty(1, 10, 100.0, 1, {{0, 50, 1}, {50, 100, 2}});
    const SectionEnd v{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    test::setSection(1, 0, "A", v);
    test::setSection(2, 1, "B", v);
    SECTIN.NLTYPE(2) = 1;
    c.spoil();
    std::int32_t istat = 0;
    PREPRO(istat);
    test::closeReports();
    EXPECT_EQ(istat, STAT_CAPACITY);
    for (const char* file : {"runtime.txt", "results.txt"}) {
      const auto lines = test::readLines(file);
      ASSERT_GE(lines.size(), 3u) << file;
      EXPECT_EQ(lines[0], "");
      EXPECT_EQ(lines[1], std::string(29, ' ') + "**** FATAL ERROR ****");
      EXPECT_EQ(lines[2], c.message) << file;
    }
    // Nothing is derived from refused input.
    EXPECT_EQ(SECTAB.SDIAT(1, 1), 0.0);
  }
}

}  // namespace
}  // namespace drelm
