#include <gtest/gtest.h>

#include <string>

#include "input/convin.h"
#include "model/model.h"
#include "input/readin_fixture.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using test::replaced;
using test::runInput;
using test::ScratchDir;

const char* const kSpaceControl = "1 3 2 1 1 1 1 3 1 1 1 0 1 1 1 1 1 1 1 1 1";

TEST(Convin, EnglishPlaneLengthsStressesAndUnitWeights) {
  ScratchDir dir;
  std::string text = replaced(test::PLANE_INPUT, "CONTROL\n", "1 2 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0\n");
  text = replaced(text, "1.5 -2.0 0.0", "1.5 -2.0 4.0");
  ASSERT_EQ(runInput(text, true).status, 0);
  EXPECT_EQ(RUNCTL.NPILE, 2);
  EXPECT_EQ(INPCRV.NPYSET, 0);
  EXPECT_DOUBLE_EQ(PROPIN.PLEN(1), 600.0);  // 50 ft
  EXPECT_DOUBLE_EQ(PROPIN.SXTO(1, 1), 600.0);
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(1, 2), 36.0);   // spacing
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 7), 36.0);   // head Y
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 9), 60.0);   // head to ground
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(2, 8), 10.0);   // slope stays in degrees
  EXPECT_DOUBLE_EQ(PGRP2D.RPG2D(1, 3), 0.8);    // multipliers untouched
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 7), 18.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 8), -24.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 9), 4.0);  // Z is not a plane coordinate
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 1, 2), 2000.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 2), 720.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 3), 110.0 / 1728.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 6), 1100.0 / 144.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 7), 30.0);  // friction angle
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 17), 500.0 / 144.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 20), 5000.0 / 144.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 1), 24.0);  // section dimensions are inches already
}

TEST(Convin, EnglishSpaceEveryListedFieldOnce) {
  ScratchDir dir;
  ASSERT_EQ(runInput(test::SPACE_INPUT, true).status, 0);
  EXPECT_EQ(RUNCTL.NPILE, 2);
  EXPECT_DOUBLE_EQ(CAPCTL.CAPLY, 120.0);
  EXPECT_DOUBLE_EQ(CAPCTL.CAPWZ, 96.0);
  EXPECT_DOUBLE_EQ(CAPCTL.CAPTX, 36.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 2, 7), 24.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCCONC(1, 2, 9), 12.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 13), 12.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 15), 36.0);
  EXPECT_DOUBLE_EQ(CASEIN.LCSPVL(2, 4), 20000.0);  // a given load, internal
  EXPECT_DOUBLE_EQ(DLSETIN.DLDEP(1, 2), 120.0);
  EXPECT_DOUBLE_EQ(DLSETIN.DLDEP(2, 1), 180.0);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 10), 36.0);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 14), 24.0);
  EXPECT_DOUBLE_EQ(PGRP3D.RPG3D(2, 13), 45.0);
  // Cohesion of a layer of soil type 6 is a strength given in internal units.
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(1, 5), 600.0 / 144.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 5), 2000.0);
  EXPECT_DOUBLE_EQ(SOILIN.SLVAL(2, 19), 90000.0 / 144.0);
  EXPECT_DOUBLE_EQ(PYPRT.PRTDEP(2), 120.0);
  EXPECT_EQ(INPCRV.NPYSET, 1);
  EXPECT_DOUBLE_EQ(INPCRV.UPYDEP(1, 2), 144.0);
  EXPECT_DOUBLE_EQ(INPCRV.UPYP(1, 2, 3), 300.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(2, 3), 36.0);
  EXPECT_DOUBLE_EQ(SMOV.SMVDEP(2), 120.0);
  EXPECT_DOUBLE_EQ(SMOV.SMVYIN(1), 1.0);
}

TEST(Convin, SiSectionsInMillimetresBecomeMetres) {
  ScratchDir dir;
  const std::string si = replaced(test::SPACE_INPUT, kSpaceControl, "2 3 2 1 1 1 1 3 1 1 1 0 1 1 1 1 0 1 1 1 1");
  ASSERT_EQ(runInput(si, true).status, 0);
  EXPECT_DOUBLE_EQ(PROPIN.PLEN(1), 60.0);  // metres stay metres
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 1), 18.0 / 1000.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 19), 12.0 / 1000.0);  // tapered bottom
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 10), 27.49 / 1000.0 / 1000.0);
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 12), 1053.0 / 1.0E12);  // Iy in a space analysis
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(1, 17), 29.0E6);           // modulus is internal
  EXPECT_DOUBLE_EQ(SECTIN.ELSEC(2, 28), 324.0 / 1.0E6);    // bottom copy converted once
  EXPECT_DOUBLE_EQ(SECTIN.NLMAT(2, 1), 0.018);
  EXPECT_DOUBLE_EQ(SECTIN.NLMAT(2, 12), 6000.0);  // fc is internal
  EXPECT_DOUBLE_EQ(SECTIN.NLRBR(2, 1), 0.44 / 1.0E6);
  EXPECT_DOUBLE_EQ(SECTIN.NLRBR(2, 2), 0.75 / 1000.0);
  EXPECT_DOUBLE_EQ(SECTIN.NLRPR(2, 1), 0.44 / 1.0E6);
  EXPECT_DOUBLE_EQ(SECTIN.NLSTR(2, 1), 0.5 / 1000.0);
  EXPECT_DOUBLE_EQ(SECTIN.NLSTR(2, 2), 0.153 / 1.0E6);
  EXPECT_DOUBLE_EQ(SECTIN.NLRPOS(2, 2, 1), -0.006);
  EXPECT_DOUBLE_EQ(SECTIN.NLSPOS(2, 3, 2), 0.006);
}

// Only the points each count names are converted: slots past a count keep
// what they hold.
TEST(Convin, ConvertsExactlyTheCountedEntries) {
  ScratchDir dir;
  ASSERT_EQ(runInput(test::SPACE_INPUT).status, 0);
  RFDEP.RFDDEP(1, 2) = 1.0;  // set 1 has one point, set 2 three
  RFDEP.RFDDEP(2, 4) = 1.0;
  DLSETIN.DLDEP(2, 2) = 1.0;
  SMOV.SMVDEP(3) = 1.0;
  PYPRT.PRTDEP(3) = 1.0;
  INPCRV.UPYDEP(1, 3) = 1.0;
  PROPIN.SXFROM(2, 2) = 1.0;
  CASEIN.LCCONC(1, 3, 7) = 1.0;
  std::int32_t ISTAT = 0;
  CONVIN(ISTAT);
  EXPECT_EQ(ISTAT, 0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(1, 1), 60.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(1, 2), 1.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(2, 3), 36.0);
  EXPECT_DOUBLE_EQ(RFDEP.RFDDEP(2, 4), 1.0);
  for (double v : {DLSETIN.DLDEP(2, 2), SMOV.SMVDEP(3), PYPRT.PRTDEP(3), INPCRV.UPYDEP(1, 3),
                   PROPIN.SXFROM(2, 2), CASEIN.LCCONC(1, 3, 7)})
    EXPECT_DOUBLE_EQ(v, 1.0);
}

}  // namespace
}  // namespace drelm
