// The cap as one more pile: a rigid member over the cap thickness on the
// elastic subgrade, and the cap solution that adds it to the piles once.
#include "cap/cappil.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cap/capeq.h"
#include "cap/capfixture.h"
#include "support/soilprofile.h"

namespace drelm {
namespace {

struct Elastic {
  std::int32_t code;
  double top, bot, gam, c, phiDeg, k;
};

constexpr double KS = 50.0, WIDTH = 4.0, THICK = 2.0;

// Four pinned piles and the cap member over 2 units above the origin, in an
// elastic subgrade whose surface is the top of the member.
void capAsPile(test::CapRun& run) {
  for (double y : {-10.0, 10.0})
    for (double z : {-10.0, 10.0}) run.add(test::pinned(1000.0, 50.0), 0.0, y, z);
  test::setSoilProfile<Elastic>({{ST_ELASTIC, -20.0, 200.0, 0.01, 0.0, 0.0, KS}});
  const int c = RUNCTL.NPILE + 1;
  test::placePile(c, -THICK, 0.0, 0.0);
  PILEAR.PHXREF(c) = -THICK;
  PILEAR.PGRND(c) = 0.0;
  GRPFAC.GRPPF(c) = GRPFAC.GRPYF(c) = 1.0;
  CAPCTL.ICAPOP = 1;
  CAPCTL.CAPTX = THICK;
  CAPSOL.ICAPSP = 1;
  CAPSOL.NCAPIN = 4;
  CAPSOL.CAPTHK = THICK;
  CAPSOL.CAPWID = WIDTH;
}

// A pure head translation: every node below the surface takes the modulus
// b ks; the head node lies on the surface and takes none.
TEST(CapAsPile, RigidMemberTranslationAgainstHandSums) {
  test::CapRun run;
  capAsPile(run);
  const double Y1 = 0.01, h = THICK / 4, k = WIDTH * KS;
  const double U[6] = {0.0, Y1, 0.0, 0.0, 0.0, 0.0};
  double F[6];
  std::int32_t ISTAT = 0;
  CAPPILF(U, F, ISTAT);
  ASSERT_EQ(ISTAT, 0);
  EXPECT_NEAR(F[1], -3.5 * h * k * Y1, 1e-12);
  EXPECT_NEAR(F[0], 0.0, 1e-12);
  EXPECT_NEAR(F[2], 0.0, 1e-12);
  double V1, V2, M3, M2;
  CAPPILS(Y1, 0.0, 0.0, 0.0, V1, V2, M3, M2, ISTAT);
  EXPECT_NEAR(V1, -3.5 * h * k * Y1, 1e-12);
  EXPECT_NEAR(M3, -(1 + 2 + 3 + 0.5 * 3.75) * h * h * k * Y1, 1e-12);
  EXPECT_EQ(V2, 0.0);
  EXPECT_EQ(CAPSOL.KCAPPY, 0);
  // At rest the member carries nothing.
  const double Z[6] = {};
  CAPPILF(Z, F, ISTAT);
  for (double f : F) EXPECT_EQ(f, 0.0);
}

// The member's stiffness alone joins the piles' stiffness, so the Newton
// iteration on these linear springs closes within a few iterations; with the
// piles counted twice in the tangent each iteration would remove only about
// a quarter of the error, and six iterations would not do.
TEST(CapAsPile, EveryPileCountsOnceInTheTangent) {
  test::CapRun run;
  capAsPile(run);
  CURCTL.MAXITC = 6;
  CURCTL.TOLCAP = 1e-10;
  double PCAP[6] = {0.0, 500.0, 0.0, 0.0, 0.0, 0.0}, FLD[6], UCP[6], PPOD[6] = {}, UPOD[6] = {}, XPOD[6] = {};
  const std::int32_t KPOD[6] = {1, 1, 1, 1, 1, 1};
  std::int32_t ISTAT = 0;
  CAPEQ(0, ISTAT, FLD, UCP, PCAP, PPOD, UPOD, XPOD, KPOD);
  ASSERT_EQ(ISTAT, 0);
  EXPECT_EQ(run.lines(U_STATUS), std::vector<std::string>{"    1 ANALYSIS COMPLETED"});
  // The member takes part of the sway: less than the piles alone would give.
  EXPECT_LT(ENVPIL.CAPDMX(2), 500.0 / (4 * 50.0));
  EXPECT_GT(ENVPIL.CAPDMX(2), 0.0);
}

}  // namespace
}  // namespace drelm
