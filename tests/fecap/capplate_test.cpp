// The plate model entered from the analysis pass of a space run: a deck run, then a
// plate-solution run on its deck, with the piles of the cap tests. A plate
// far stiffer than its piles gives the rigid cap's head motions and forces.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/anlpass.h"
#include "cap/capfixture.h"
#include "fecap/fecap.h"

namespace drelm::test {
namespace {

// One pass of a load combination (no pass file): the rigid cap, or the plate
// model when the cap is flexible.
std::int32_t capPass(const double (&P)[6], double (&U)[6]) {
  anl::PassLoads L;
  for (int i = 0; i < 6; ++i) L.PCAP[i] = P[i];
  std::int32_t ISTAT = 0;
  anl::runPass(true, L, ISTAT);
  for (int i = 1; i <= 6; ++i) U[i - 1] = ENVPIL.CAPDMX(i);
  return ISTAT;
}

void plateCapOf(CapRun& run) {
  for (double y : {-2.0, 2.0})
    for (double z : {-2.0, 2.0}) {
      Springs s = pinned(1.0E4 * (1 + 0.1 * (y + z)), 2.0E3);
      s.k[4] = s.k[5] = 5.0E3;
      run.add(s, 0.0, y, z);
    }
  Springs s = pinned(2.0E4, 3.0E3);
  run.add(s, 0.0, 0.0, 2.0);
  CAPCTL.CAPLY = 8.0;
  CAPCTL.CAPTX = 1.5;
  CAPSOL.CAPWZIN = 8.0;
  FECOPT.NFEX = FECOPT.NFEY = 4;
  FECOPT.FEYOUN = 1.0E9;
  FECOPT.FEPOIS = 0.2;
  CURCTL.DTCUR0 = 0.5;
  FNAMES.FNU(U_PLOT) = "cap.plot";
}

TEST(PlateCap, AVeryStiffPlateCapGivesTheRigidCapHeadMotionsAndForces) {
  CapRun run;
  plateCapOf(run);
  const double P[6] = {1000, 100, 150, 200, 300, -250};
  double U[6];
  ASSERT_EQ(capPass(P, U), 0);  // the rigid cap

  FECOPT.IFECAP = 2;  // the deck run
  group().calls = 0;
  double none[6];
  ASSERT_EQ(capPass(P, none), 0);
  EXPECT_EQ(group().calls.load(), 0);  // no pile is solved when only decks are written
  ASSERT_TRUE(std::filesystem::exists("cap.fedeck"));

  FECOPT.IFECAP = 1;  // the plate-solution run on that deck
  group().record = true;
  group().perturbations.clear();
  ASSERT_EQ(capPass(P, none), 0) << readFile("cap.felist");
  // The final pile pass is the last evaluation of every pile, in pile order.
  const int n = RUNCTL.NPILE;
  group().record = false;
  const std::vector<double> seen = group().perturbations;
  ASSERT_GE(seen.size(), static_cast<std::size_t>(6 * n));
  for (int p = 1; p <= n; ++p) {
    double TF[36], TU[36], RT[36], R[36], rigid[6], plate[6], fr[6], fp[6];
    TRANSF(p, TF, TU, RT, R);
    MATVEC6(rigid, TU, U, 1);
    for (int i = 0; i < 6; ++i) plate[i] = seen[seen.size() - 6 * (n - p + 1) + i];
    std::int32_t st = 0;
    springHead(p, fr, rigid, st);
    springHead(p, fp, plate, st);
    for (int i = 0; i < 6; ++i) {
      const double us = 0.01 * std::fabs(rigid[i]) + 1e-5 * std::fabs(U[0]);
      if (i != 3) {
        EXPECT_NEAR(plate[i], rigid[i], us) << "pile " << p << " displacement " << i + 1;
      }
      EXPECT_NEAR(fp[i], fr[i], 0.01 * std::fabs(fr[i]) + 1e-2) << "pile " << p << " force " << i + 1;
    }
  }
}

TEST(PlateCap, APlateRunWithoutItsDeckEndsWithStatus44) {
  CapRun run;
  plateCapOf(run);
  FECOPT.IFECAP = 1;
  const double P[6] = {1000, 0, 0, 0, 0, 0};
  double U[6];
  EXPECT_EQ(capPass(P, U), STAT_PLATE);
  EXPECT_EQ(group().calls.load(), 0);
  bool said = false;
  for (const std::string& l : run.lines(U_LOG)) said = said || l.find("PLATE MODEL OF THE CAP") != std::string::npos;
  EXPECT_TRUE(said);
}

}  // namespace
}  // namespace drelm::test
