// Moment-curvature tables: where each set is stored, the printed user sets,
// the copy of the host's text report and the capacity of the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/fileio.h"

#include "model/model.h"
#include "prep/prep_fixture.h"
#include "prep/prep_tables.h"
#include "model/tables.h"

namespace drelm {
namespace {

class MomentCurvature : public ::testing::Test {
 protected:
  void SetUp() override {
    clearTables();
    RUNCTL.IANTYP = 2;
    test::units(1);
  }
  // User set s: one curve with the axial load and points (moment, curvature).
  static void userSet(int s, double axial, const std::vector<std::pair<double, double>>& pts) {
    INPCRV.NMCSIN = std::max(INPCRV.NMCSIN, s);
    INPCRV.UMCNC(s) = 1;
    INPCRV.UMCAXL(s, 1) = axial;
    INPCRV.UMCNPT(s, 1) = static_cast<std::int32_t>(pts.size());
    for (std::size_t k = 0; k < pts.size(); ++k) {
      INPCRV.UMCMOM(s, 1, static_cast<int>(k) + 1) = pts[k].first;
      INPCRV.UMCCRV(s, 1, static_cast<int>(k) + 1) = pts[k].second;
    }
  }
  // Cross section t and its entry of generated curves: one curve about z
  // with axial load az and one about y with axial load ay.
  static void section(int t, std::int32_t nonlinear, std::int32_t type, double az, double ay) {
    SECTIN.NSECIN = std::max(SECTIN.NSECIN, t);
    INPCRV.NMCGEN = std::max(INPCRV.NMCGEN, t);
    SECTIN.SCNLIN(t) = nonlinear;
    SECTIN.NLTYPE(t) = type;
    INPCRV.GMZNC(t) = 1;
    INPCRV.GMZAXL(t, 1) = az;
    INPCRV.GMZNPT(t, 1) = 2;
    INPCRV.GMZMOM(t, 1, 2) = 10 * az;
    INPCRV.GMZCRV(t, 1, 2) = 0.001;
    INPCRV.GMYNC(t) = 1;
    INPCRV.GMYAXL(t, 1) = ay;
    INPCRV.GMYNPT(t, 1) = 2;
  }
  std::int32_t run(const std::string& mctext = "") {
    if (!mctext.empty()) test::writeFile("mc.txt", mctext);
    io::OPEN(U_MCTEXT, "mc.txt", io::Access::Read);
    test::openReports();
    std::int32_t ISTAT = 0;
    PRPMCT(ISTAT);
    test::closeReports();
    io::CLOSE(U_MCTEXT);
    out = test::echoLines();
    return ISTAT;
  }
  bool has(const std::string& s) const { return test::anyLineHas(out, s); }
  test::ScratchDir dir;
  std::vector<std::string> out;
};

// Plane: two user sets, then sections 1 (type 2), 2 (type 10, user) and 3
// (type 4): section 1 gets set 3, section 3 set 4; entry 2 is skipped.
TEST_F(MomentCurvature, PlaneSetsFollowTheUserSets) {
  RUNCTL.ICTL09 = 1;
  userSet(1, 0.0, {{0, 0}, {1.0e6, 1.0e-4}});
  userSet(2, 5.0e4, {{0, 0}});
  section(1, 1, 2, 100.0, 0.0);
  section(2, 1, 10, 200.0, 0.0);
  section(3, 1, 4, 300.0, 0.0);
  EXPECT_EQ(run("GENERATED\n"), 0);
  EXPECT_EQ(MCTAB.NMCSET, 2);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(2, 1), 5.0e4);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(3, 1), 100.0);
  EXPECT_DOUBLE_EQ(MCTAB.MCMOM(3, 1, 2), 1000.0);
  EXPECT_DOUBLE_EQ(MCTAB.MCCURV(3, 1, 2), 0.001);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(4, 1), 300.0);
  EXPECT_EQ(MCTAB.MCNCRV(5), 0);
  EXPECT_TRUE(has("* TABLE J *   MOMENT CURVATURE SETS"));
  EXPECT_TRUE(has("       NUM OF SETS :  2"));
  EXPECT_TRUE(has("  INTERNALLY GENERATED MOMENT CURVATURE"));
}

// Space: a section gets a set for bending about z and one about y.
TEST_F(MomentCurvature, SpaceSetsAboutBothAxes) {
  RUNCTL.IANTYP = 3;
  RUNCTL.ICTL09 = 1;
  userSet(1, 0.0, {{0, 0}});
  userSet(2, 0.0, {{0, 0}});
  section(1, 0, 0, 50.0, 60.0);  // elastic: no set
  section(2, 1, 2, 100.0, 200.0);
  EXPECT_EQ(run("X\n"), 0);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(3, 1), 100.0);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(4, 1), 200.0);
  EXPECT_EQ(MCTAB.MCNCRV(5), 0);
}

// Without user sets the table heading is left out, but the generated sets
// are stored and the text report is copied under its own heading.
TEST_F(MomentCurvature, GeneratedSetsWithoutUserSets) {
  section(1, 1, 3, 100.0, 0.0);
  EXPECT_EQ(run("  LINE ONE   \n\nLINE THREE\n"), 0);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(1, 1), 100.0);
  EXPECT_FALSE(has("* TABLE J *"));
  const std::vector<std::string> want = {"", "", "     " "  INTERNALLY GENERATED MOMENT CURVATURE", "",
                                         "  LINE ONE ", " ", "LINE THREE "};
  EXPECT_EQ(out, want);
}

// Moments and axial loads are shown in the report's force units; curvatures
// as they are.
TEST_F(MomentCurvature, UserSetInKips) {
  test::units(1, 1);
  RUNCTL.ICTL09 = 1;
  userSet(1, 1.0e5, {{0, 0}, {1.2e6, 2.5e-4}});
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(has("        CURVE  1              AXIAL LOAD     0.100E+03KIPS"));
  EXPECT_TRUE(has("              2                1200.00          2.50000E-04 "));
  EXPECT_FALSE(has("INTERNALLY GENERATED"));
}

// 76 nonlinear sections of a space analysis need 152 sets: the table holds 150.
TEST_F(MomentCurvature, MoreSetsThanTheTableHolds) {
  RUNCTL.IANTYP = 3;
  for (int t = 1; t <= 76; ++t) section(t, 1, 2, 1.0, 1.0);
  EXPECT_EQ(run(), STAT_CAPACITY);
  EXPECT_TRUE(has("* TABLE J *") == false);
  const std::vector<std::string> log = test::readLines("runtime.txt");
  ASSERT_GE(log.size(), 3u);
  EXPECT_NE(log[1].find("**** FATAL ERROR ****"), std::string::npos);
  EXPECT_NE(log[2].find("CROSS SECTION 76"), std::string::npos);
  EXPECT_DOUBLE_EQ(MCTAB.MCPAXL(150, 1), 1.0);
}

// The text report is read only as a regular file. One that is missing is
// left out with a warning; a device (which may never end) or a directory in
// its place is a file of the run that cannot be opened: the run ends with
// 41 naming it.
TEST_F(MomentCurvature, TextReportThatIsNoRegularFileFailsTheRun) {
  FNAMES.FNU(U_MCTEXT) = "mc.txt";
  for (const char* in : {"missing", "/dev/zero", "/dev/null", "dir"}) {
    SCOPED_TRACE(in);
    std::filesystem::remove_all("mc.txt");
    if (in == std::string("dir")) std::filesystem::create_directory("mc.txt");
    else if (in[0] == '/') std::filesystem::create_symlink(in, "mc.txt");
    io::clearFailure();
    section(1, 1, 3, 100.0, 0.0);
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(has("  INTERNALLY GENERATED MOMENT CURVATURE"));
    EXPECT_TRUE(test::anyLineHas(test::readLines("runtime.txt"),
                                 "THE MOMENT-CURVATURE TEXT FILE CANNOT BE READ; ITS COPY IS LEFT OUT"));
    if (in == std::string("missing")) {
      EXPECT_FALSE(io::writeFailed());
    } else {
      EXPECT_TRUE(io::writeFailed());
      EXPECT_EQ(io::failure().name, "mc.txt");
      EXPECT_TRUE(io::failure().opening);
    }
  }
  io::clearFailure();
}

}  // namespace
}  // namespace drelm
