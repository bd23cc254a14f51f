// Every way a plate deck can stop the plate model: status 44, the diagnosis
// in the plate listing and the runtime log, and the process goes on.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "fecap/capdeck.h"
#include "fecap/platedeck.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"
#include "model/model_run.h"
#include "model/statusmsg.h"

namespace drelm::test {
namespace {

constexpr std::array<double, 6> ZERO6{0, 0, 0, 0, 0, 0};

// A 2 x 1 mesh held along its left edge, loaded at a point.
PlateDeck sound() {
  PlateDeck d;
  d.nx = 2, d.ny = 1, d.lx = 4, d.ly = 2;
  for (int n = 1; n <= d.npoin(); ++n)
    if (d.xy(n)[0] == 0.0) d.fixes.push_back({n, {1, 1, 1, 1, 1, 1}, ZERO6});
  d.pointLoads.push_back({{3.0, 1.0}, {0, 0, 5.0, 0, 0, 0}});
  return d;
}

std::string replaceLine(const std::string& text, int line, const std::string& with) {
  std::istringstream in(text);
  std::string l, out;
  for (int i = 1; std::getline(in, l); ++i) out += (i == line ? with : l) + "\n";
  return out;
}

struct Case {
  const char* name;
  std::function<std::string()> deck;
  const char* listing;  // a line the plate listing must hold
  bool cards;           // the rest of the deck is listed
  bool piles = true;    // a pile-head response is bound
};

TEST(PlateDeckChecks, EveryFatalPathEndsWithStatus44AndItsDiagnosis) {
  const std::vector<Case> cases = {
      {"Gauss rule of four points", [] { auto d = sound(); d.ngaus = 4; return d.text(); },
       " *** DIAGNOSIS BY CHECK1, ERROR 10", true},
      {"node count of seven", [] { return replaceLine(sound().text(), 2, "13 2 1 7 2 3 0 0 0 0 1 0 0 0 0 0"); },
       " *** DIAGNOSIS BY CHECK1, ERROR  6", true},
      {"two nodes at one point", [] { auto d = sound(); d.moved[13] = d.xy(12); return d.text(); },
       " *** DIAGNOSIS BY CHECK2, ERROR 13       ASSOCIATED NUMBER    1", true},
      {"restrained node given twice", [] { auto d = sound(); d.fixes.push_back(d.fixes[0]); return d.text(); },
       " *** DIAGNOSIS BY CHECK2, ERROR 24       ASSOCIATED NUMBER    1", true},
      {"node in no element",
       [] {
         auto d = sound();
         std::string t = replaceLine(d.text(), 2, "14 2 1 8 2 3 0 0 0 0 1 0 0 0 0 0");
         return replaceLine(t, 18, "13 13 4 2\n14 14 9 9");
       },
       " CHECK WHY NODE  14 NEVER APPEARS", true},
      {"element index beyond the mesh", [] { return replaceLine(sound().text(), 5, "3 2 1 3 5 13 11 4 8 12 7"); },
       " *** DIAGNOSIS: ELEMENT 3 OUTSIDE 1 .. 2 IN RECORD 5 OF THE DECK", true},
      {"node of a load beyond the mesh",
       [] { auto d = sound(); d.nodalLoads.push_back({99, {0, 0, 1, 0, 0, 0}}); return d.text(); },
       " *** DIAGNOSIS: NODE 99 OUTSIDE 1 .. 13 IN RECORD 23 OF THE DECK", true},
      {"deck ends among the nodes: its counts need more records than it has",
       [] {
         const std::string t = sound().text();
         return t.substr(0, t.find("\n13 13 "));
       },
       " *** DIAGNOSIS: THE COUNTS OF THE CONTROL RECORD NEED 19 RECORDS, THE REST OF THE DECK HOLDS 14", true},
      {"deck ends inside its last record",
       [] {
         const std::string t = sound().text();
         return t.substr(0, t.rfind(" 0 0 0\n")) + "\n";
       },
       " *** DIAGNOSIS: THE DECK ENDS EARLY, READING CONCENTRATED LOADS", false},
      {"a 3-record deck claiming 50000 elements",
       [] { return std::string(" title\n370301 50000 1 8 2 0 0 0 0 0 1 0 0 0 0 0\n0.5 0 1 0.1 10 1e-4\n"); },
       " *** DIAGNOSIS: THE COUNTS OF THE CONTROL RECORD NEED 420302 RECORDS, THE REST OF THE DECK HOLDS 0", true},
      {"node count beyond any element's, whose products overflow",
       [] { return replaceLine(sound().text(), 2, "13 2 1 2147483647 2 3 0 0 0 0 1 0 0 0 0 0"); },
       " *** DIAGNOSIS: A COUNT OF THE CONTROL RECORD EXCEEDS 1000000", false},
      {"negative count of pile heads",
       [] { return replaceLine(sound().text(), 2, "13 2 1 8 2 3 0 0 0 0 1 0 0 0 -1 0"); },
       " *** DIAGNOSIS: A COUNT OF THE CONTROL RECORD IS NEGATIVE: -1", false},
      {"negative count of nodal loads",
       [] { return replaceLine(sound().text(), 2, "13 2 1 8 2 3 -2 0 0 0 1 0 0 0 0 0"); },
       " *** DIAGNOSIS: A COUNT OF THE CONTROL RECORD IS NEGATIVE: -2", false},
      {"node count of a million", [] { return replaceLine(sound().text(), 2, "13 2 1 1000000 2 3 0 0 0 0 1 0 0 0 0 0"); },
       " *** DIAGNOSIS BY CHECK1, ERROR  6", true},
      {"value of the wrong form", [] { return replaceLine(sound().text(), 8, "2 2 1.O 0"); },
       " *** DIAGNOSIS: VALUE OF THE WRONG FORM IN RECORD 8 OF THE DECK, READING NODES: 1.O", false},
      {"element numbered clockwise", [] { return replaceLine(sound().text(), 4, "1 1 1 1 9 11 3 6 10 7 2"); },
       " PROGRAM HALTED IN SUBROUTINE JACOB2", false},
      {"load outside the mesh",
       [] { auto d = sound(); d.pointLoads[0].first = {4.5, 1.0}; return d.text(); },
       " *** DIAGNOSIS: CONCENTRATED LOAD    1 AT    4.5000    1.0000 LIES IN NO ELEMENT", true},
      {"pile head outside the mesh",
       [] { auto d = sound(); d.icoupl = 1; d.heads.push_back({-1.0, 1.0}); return d.text(); },
       " *** DIAGNOSIS: PILE HEAD    1 AT   -1.0000    1.0000 LIES IN NO ELEMENT", true},
      {"coupled pile heads without a pile-head response",
       [] { auto d = sound(); d.icoupl = 1; d.heads.push_back({1.0, 1.0}); return d.text(); },
       " *** DIAGNOSIS: THE DECK COUPLES PILE HEADS BUT NO PILE-HEAD RESPONSE IS AVAILABLE", true, false},
      {"plate without thickness", [] { auto d = sound(); d.t = 0.0; return d.text(); },
       " *** DIAGNOSIS: MATERIAL SET    1 NEEDS A POSITIVE MODULUS AND THICKNESS AND A POISSON RATIO BELOW 0.5", true},
      {"no time step", [] { auto d = sound(); d.dt = 0.0; return d.text(); },
       " *** DIAGNOSIS: THE TIME STEP MUST BE POSITIVE AND TEND NOT BELOW TINI", true},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    ASSERT_TRUE(io::OPEN(U_LOG, "run.log", io::Access::Write));
    writePlateFiles(c.deck());
    std::int32_t ISTAT = 0;
    SpringHeads heads({diagSpring(1e3, 1e3, 1e3, 0, 1e3, 1e3)});
    SLABSOL(c.piles ? &heads : nullptr, ISTAT);
    io::CLOSE(U_LOG);
    EXPECT_EQ(ISTAT, STAT_PLATE) << c.name;
    const std::vector<std::string> L = readLines("t.felist");
    EXPECT_NE(std::find(L.begin(), L.end(), c.listing), L.end()) << c.name << "\n" << readFile("t.felist");
    const bool cards =
        std::find(L.begin(), L.end(), " NOW FOLLOWING A LISTING OF POST-DISASTER DATA CARDS") != L.end();
    EXPECT_EQ(cards, c.cards) << c.name;
    EXPECT_NE(readFile("run.log").find("**** FATAL ERROR **** PLATE MODEL OF THE CAP: "), std::string::npos) << c.name;
    // The scratch files of the solver do not outlive it.
    EXPECT_FALSE(std::filesystem::exists("t.fe2")) << c.name;
    EXPECT_FALSE(std::filesystem::exists("t.fe3")) << c.name;
  }
}

TEST(PlateDeckChecks, ControlCheckWritesToTheConvergenceLogAndListsTheRestOfTheDeck) {
  ScratchDir dir;
  PlateDeck d = sound();
  d.ngaus = 4;
  writePlateFiles(d.text());
  std::int32_t ISTAT = 0;
  SLABSOL(nullptr, ISTAT);
  EXPECT_EQ(ISTAT, STAT_PLATE);
  EXPECT_EQ(readFile("t.feconv"), "\n\n *** DIAGNOSIS BY CHECK1, ERROR 10\n");
  const std::vector<std::string> L = readLines("t.felist");
  const auto at = std::find(L.begin(), L.end(), " NOW FOLLOWING A LISTING OF POST-DISASTER DATA CARDS");
  ASSERT_NE(at, L.end());
  // The cards after the control records, from the first element on.
  EXPECT_EQ(*(at + 1), "");
  EXPECT_EQ(*(at + 2), "     1 1 1 1 3 11 9 2 7 10 6");
  EXPECT_EQ(L.back(), "     3 1 0 0 5 0 0 0");
}

TEST(PlateDeckChecks, MissingFileListOrDeckEndsWithStatus44) {
  {
    ScratchDir dir;
    std::int32_t ISTAT = 0;
    SLABSOL(nullptr, ISTAT);
    EXPECT_EQ(ISTAT, STAT_PLATE);
  }
  {
    ScratchDir dir;
    writeFile(GSLAB_NAME, "t.fekey\nt.fedeck\nt.felist\nt.fepost\nt.feconv\n");
    std::int32_t ISTAT = 0;
    SLABSOL(nullptr, ISTAT);
    EXPECT_EQ(ISTAT, STAT_PLATE);
  }
  const std::vector<std::string> msg = statusLines(44, "", 0);
  ASSERT_GE(msg.size(), 2u);
  EXPECT_EQ(msg[1], "    THE PLATE MODEL OF THE CAP CANNOT GO ON");
}

}  // namespace
}  // namespace drelm::test
