// The pile cap option table for each cap option.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_steps.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// The echo from the table heading on; empty when there is no table.
Lines capTable(const std::vector<std::string>& echo) {
  const auto it = std::find(echo.begin(), echo.end(), "     * TABLE B *  PILE CAP OPTIONS");
  return it == echo.end() ? Lines{} : Lines(it, echo.end());
}

TEST(CapOptions, TableFollowsTheCapOption) {
  const Lines dims = {"     * TABLE B *  PILE CAP OPTIONS", "",
                      "     LENGTH,YY    ( FT ) =    3.000       ",
                      "     WIDTH, ZZ    ( FT ) =    4.000       ",
                      "     THICKNESS,XX ( FT ) =    2.000    "};
  const Lines embedded = {"", "     * PILE CAP IS EMBEDDED AND PASSIVE EARTH",
                          "       RESISTANCE IN FRONT OF PILE CAP WILL BE CONSIDERED", ""};
  const auto join = [](std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  const struct {
    const char* what;
    int capop, capsp, ncapin, capsm;
    double ly, wz, tx, eqd;
    Lines table;
  } cases[] = {
      {"no cap", 0, 0, 0, 0, 0.0, 0.0, 0.0, 0.0, {}},
      {"dimensions only", 0, 0, 0, 0, 120.0, 0.0, 0.0, 24.0,
       {"     * TABLE B *  PILE CAP OPTIONS", "", "     LENGTH,YY    ( FT ) =    10.00       ",
        "     WIDTH, ZZ    ( FT ) =    0.000       ", "     THICKNESS,XX ( FT ) =    0.000    ",
        "     EQ. DIAMETER ( FT ) =    2.000    ", "", "     * PILE CAP DIMENSIONS ARE NOT CONSIDERED",
        "       FOR THE PILE GROUP ANALYSIS ", ""}},
      {"embedded cap", 1, 1, 4, 2, 36.0, 48.0, 24.0, 0.0, join({dims, embedded})},
      {"lateral load, soil data", 2, 0, 0, 0, 36.0, 48.0, 24.0, 0.0,
       join({dims, embedded, {"     - USING EQUIVALENT LATERAL LOAD", "     - USE SOIL MODEL FROM SOIL DATA"}})},
      {"spring, soil parameters", 2, 1, 5, 1, 36.0, 48.0, 24.0, 0.0,
       join({dims, embedded,
             {"     - USING EQUIVALENT LATERAL SPRING", "       INCREMENTS =     5",
              "     - USE FHD MODEL BASED ON SOIL PARAMETERS"}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clearTables();
    test::ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = 2;
    test::units(1);
    CAPCTL.ICAPOP = c.capop;
    CAPSOL.ICAPSP = c.capsp;
    CAPSOL.NCAPIN = c.ncapin;
    CAPSOL.ICAPSM = c.capsm;
    CAPCTL.CAPLY = c.ly;
    CAPCTL.CAPWZ = c.wz;
    CAPCTL.CAPTX = c.tx;
    CAPCTL.CAPEQD = c.eqd;
    std::int32_t istat = 0;
    PRPCAP(istat);
    test::closeReports();
    EXPECT_EQ(capTable(test::echoLines()), c.table);
  }
}

TEST(CapOptions, UnitsSystemText) {
  const struct {
    int units;
    const char* line;
  } cases[] = {{1, "     UNITS SYSTEM  = ENGL"}, {2, "     UNITS SYSTEM  = METR"}, {3, "     UNITS SYSTEM  = OPEN"}};
  for (const auto& c : cases) {
    clearTables();
    test::ScratchDir dir;
    test::openReports();
    RUNCTL.IANTYP = 3;
    test::units(c.units);
    std::int32_t istat = 0;
    PRPCAP(istat);
    test::closeReports();
    const Lines echo = test::echoLines();
    ASSERT_FALSE(echo.empty());
    EXPECT_EQ(echo.back(), c.line);
  }
}

}  // namespace
}  // namespace drelm
