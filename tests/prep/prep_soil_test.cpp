// Flags of estimated values in the soil data table: which lines carry which
// marks, the second lines of cyclic k and drilled-shaft estimates, and the
// notes below the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "prep/prep_tables.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm {
namespace {

struct Layer {
  std::int32_t type;
  double kTop, kBot, e50, fs, qt;
  bool driven, drilled, tip, userCurves;
};

// One layer from 0 to 600 in (English units); piles with head X 0 and a tip
// at 300 in (inside the layer) or 900 in (below it).
std::vector<std::string> soilTable(const Layer& l) {
  test::ScratchDir dir;
  clearTables();
  RUNCTL.IUNITS = 1;
  UNITSET(1, 0);
  RUNCONST.PI = 3.141592653589793;
  RUNCONST.EPSCOH = 1.0E-6;
  SOILCOM_T& S = SOILCOM;
  S.NLAYER = 1;
  S.NPROF = S.NGAM = 2;
  S.LTYPE(1) = l.type;
  S.LTOP(1) = 0.0;
  S.LBOT(1) = 600.0;
  for (int i = 1; i <= 2; ++i) {
    S.XPROF(i) = S.XGAM(i) = i == 1 ? 0.0 : 600.0;
    S.GAMPR(i) = 0.04;
    S.CPROF(i) = 10.0;
    S.PHIPR(i) = 0.6;
    S.KPROF(i) = i == 1 ? l.kTop : l.kBot;
    S.E50PR(i) = l.e50;
    S.FSPROF(i) = l.fs;
    S.QTPROF(i) = l.qt;
  }
  int p = 0;
  for (int kind : {1, 2}) {
    if ((kind == 1 && !l.driven) || (kind == 2 && !l.drilled)) continue;
    ++p;
    PILEAR.PROPOFPILE(p) = kind;
    PILEPROP.PTYPE(kind) = kind;
    PILEPROP.PLEN(kind) = l.tip ? 300.0 : 900.0;
    PILEAR.ILSCRV(p) = l.userCurves ? 1 : 0;
  }
  RUNCTL.NPILE = p;
  io::OPEN(U_ECHO, "echo.txt", io::Access::Write);
  std::int32_t ISTAT = 0;
  PRPSOL(ISTAT);
  EXPECT_EQ(ISTAT, 0);
  io::CLOSE(U_ECHO);
  return test::readLines("echo.txt");
}

// The flag marks of a line, in order.
std::string flags(const std::string& line) {
  std::string out;
  for (std::size_t at = line.find(" ("); at != std::string::npos; at = line.find(" (", at + 1))
    if (at + 3 < line.size() && line[at + 3] == ')') out += line.substr(at + 1, 3);
  return out;
}

struct Expect {
  const char* label;
  const char* first;   // marks of the line
  const char* second;  // marks of a second line, nullptr when there is none
};

struct FlagCase {
  const char* name;
  Layer layer;
  std::vector<Expect> lines;
  std::vector<const char*> notes;
};

class SoilFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(SoilFlags, MarksAndNotes) {
  const FlagCase& c = GetParam();
  const std::vector<std::string> out = soilTable(c.layer);
  for (const Expect& e : c.lines) {
    std::size_t i = 0;
    while (i < out.size() && out[i].find(e.label) == std::string::npos) ++i;
    ASSERT_LT(i, out.size()) << e.label;
    EXPECT_EQ(flags(out[i]), e.first) << out[i];
    const bool hasSecond = i + 1 < out.size() && out[i + 1].rfind(std::string(51, ' '), 0) == 0;
    if (e.second == nullptr) {
      EXPECT_FALSE(hasSecond) << e.label;
    } else {
      ASSERT_TRUE(hasSecond) << e.label;
      EXPECT_EQ(flags(out[i + 1]), e.second) << out[i + 1];
    }
  }
  std::vector<std::string> notes;
  bool inNotes = false;
  for (const std::string& l : out) {
    if (l.find("Notes :") != std::string::npos) inNotes = true;
    if (inNotes && l.find(") ") != std::string::npos) notes.push_back(l.substr(16, 3));
  }
  ASSERT_EQ(notes.size(), c.notes.size());
  for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(notes[i], c.notes[i]);
}

const char* const K = "P-Y SUBGRADE MODULUS";
const char* const E = "STRAIN AT 50% STRESS";
const char* const FS = "ULTIMATE UNIT SIDE FRICTION";
const char* const QT = "ULTIMATE UNIT TIP RESISTANCE";

INSTANTIATE_TEST_SUITE_P(
    Layers, SoilFlags,
    ::testing::Values(
        FlagCase{"StiffClayWithoutKAtTheTop",
                 {2, 0, 100, 0.01, 5, 5, true, false, true, false},
                 {{K, "(K)", "(C)"}, {E, "", nullptr}, {FS, "", nullptr}, {QT, "", nullptr}},
                 {"(K)", "(C)"}},
        FlagCase{"SiltWithoutKAtTheBottom",
                 {7, 100, 0, 0.01, 5, 5, true, false, true, false},
                 {{K, "(K)", "(C)"}},
                 {"(K)", "(C)"}},
        FlagCase{"SandWithoutK", {4, 0, 0, 0, 5, 5, true, false, true, false}, {{K, "(K)(K)", nullptr}}, {"(K)"}},
        FlagCase{"SoftClayWithoutE50", {1, 0, 0, 0, 5, 5, true, false, true, false}, {{E, "(E)(E)", nullptr}}, {"(E)"}},
        FlagCase{"DrivenPilesOnly",
                 {1, 0, 0, 0.01, 0, 0, true, false, true, false},
                 {{FS, "(P)(P)", nullptr}, {QT, "(R)(R)", nullptr}},
                 {"(P)", "(R)"}},
        FlagCase{"DrilledShaftsOnly",
                 {1, 0, 0, 0.01, 0, 0, false, true, true, false},
                 {{FS, "(S)(S)", nullptr}, {QT, "(T)(T)", nullptr}},
                 {"(S)", "(T)"}},
        FlagCase{"BothKindsGiveTwoLines",
                 {1, 0, 0, 0.01, 0, 0, true, true, true, false},
                 {{FS, "(P)(P)", "(S)(S)"}, {QT, "(R)(R)", "(T)(T)"}},
                 {"(P)", "(S)", "(R)", "(T)"}},
        FlagCase{"NoTipInTheLayer",
                 {1, 0, 0, 0.01, 0, 0, true, true, false, false},
                 {{FS, "(P)(P)", "(S)(S)"}, {QT, "", nullptr}},
                 {"(P)", "(S)"}},
        FlagCase{"EveryPileHasAUserCurve",
                 {1, 0, 0, 0.01, 0, 0, true, true, true, true},
                 {{FS, "", nullptr}, {QT, "", nullptr}},
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Layout of the flagged lines: the top flag sits in its 4-column field, and a
// second line leaves 18 blanks at an unflagged top.
TEST(SoilFlagLayout, SecondLineColumns) {
  const std::vector<std::string> out = soilTable({2, 100, 0, 0.01, 5, 5, true, false, true, false});
  std::size_t i = 0;
  while (i < out.size() && out[i].find(K) == std::string::npos) ++i;
  ASSERT_LT(i + 1, out.size());
  // Label 51 columns, top value 14, flag field 4, bottom value 14, flag.
  EXPECT_EQ(out[i].substr(65, 4), "    ");
  EXPECT_EQ(out[i].substr(83, 4), " (K)");
  EXPECT_EQ(out[i + 1].substr(0, 69), std::string(69, ' '));
  EXPECT_EQ(out[i + 1].substr(83, 4), " (C)");
}

}  // namespace
}  // namespace drelm
