// The springs of every criterion are the same soil in English and in SI
// units: a profile given in SI, each value converted exactly, gives the
// English resistances and moduli converted exactly, the defaults of k and
// E50 included. A constant rounded in one system shows here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/tables.h"
#include "report/siconv.h"
#include "soil/pyfixture.h"

namespace drelm {
namespace {

using test::Layer;
using test::setPile;
using test::setRun;
using test::setSoil;
using test::Springs;

// English layer -> SI layer: depths in m, unit weight and k in kN/m^3,
// strength in kPa; angles, E50 and J as they are.
Layer toSi(const Layer& l) {
  Layer s = l;
  s.top = l.top * IN_M;
  s.bot = l.bot * IN_M;
  s.gam = l.gam * PCI_KNM3;
  s.c = l.c * PSI_KPA;
  s.k = l.k * PCI_KNM3;
  return s;
}

struct Profile {
  const char* name;
  std::vector<Layer> layers;  // English: in, pci, psi
  double b;                   // in
  int kstcyc = 1;
  double er = 0.0;            // rock modulus, psi
};

struct Result {
  std::vector<double> p, es;
};

constexpr double LEN = 480.0;  // in, 20 increments from the head at the ground
constexpr int NINC = 20;

Result springs(const Profile& pr, bool si, double y0) {
  clearTables();  // nothing of the other system's run stays (equivalent depths)
  setRun();
  if (si) {
    RUNCTL.IUNITS = 2;
    UNITSET(-1, 0);
  }
  const double len = si ? LEN * IN_M : LEN;
  std::vector<Layer> layers;
  for (const Layer& l : pr.layers) layers.push_back(si ? toSi(l) : l);
  // setSoil takes an initializer list: one layer or two.
  if (layers.size() == 1) setSoil({layers[0]});
  else setSoil({layers[0], layers[1]});
  for (int i = 1; i <= SOILCOM.NPROF; ++i) SOILCOM.ERPROF(i) = si ? pr.er * PSI_KPA : pr.er;
  setPile(1, si ? pr.b * IN_M : pr.b, len, NINC);
  CURCTL.KSTCYC = pr.kstcyc;
  Springs s;
  // A deflection falling off linearly from y0 at the head.
  for (int k = 1; k <= NINC + 1; ++k) s.y(k) = y0 * (1.0 - (k - 1) / double(NINC + 1)) * (si ? IN_M : 1.0);
  s.run();
  EXPECT_EQ(s.st, 0);
  Result r;
  for (int k = 1; k <= NINC + 1; ++k) {
    r.p.push_back(s.ps(k));
    r.es.push_back(s.es(k));
  }
  return r;
}

TEST(PyUnitPair, EveryCriterionGivesTheSameSpringsInBothSystems) {
  // {code, top, bot, gam, c, phiDeg, k, e50, j}; 0 for k or E50 asks for the default.
  const std::vector<Profile> profiles = {
      {"soft clay, E50 by default", {{1, 0, 600, 0.03, 4.0}}, 24},
      {"soft clay cyclic", {{1, 0, 600, 0.03, 4.0, 0, 0, 0.01}}, 24, 0},
      {"soft clay with J", {{13, 0, 600, 0.03, 4.0, 0, 0, 0.01, 0.25}}, 24},
      {"modified soft clay, k and E50 by default", {{14, 0, 600, 0.03, 4.0, 0, 0, 0, 0.5}}, 24},
      {"soft clay with J over modified soft clay", {{13, 0, 200, 0.03, 3.0, 0, 0, 0.02, 0.5},
                                                     {14, 200, 600, 0.032, 2.5, 0, 0, 0, 0.25}}, 30},
      {"stiff clay with free water, defaults", {{2, 0, 600, 0.035, 15.0}}, 24},
      {"stiff clay with free water cyclic", {{2, 0, 600, 0.035, 15.0}}, 24, 0},
      {"stiff clay without free water", {{3, 0, 600, 0.035, 8.0}}, 24},
      {"stiff clay without free water with k", {{10, 0, 600, 0.035, 8.0}}, 24},
      {"sand above water, k by default", {{4, 0, 600, 0.04502, 0, 33}}, 24},
      {"sand below water", {{4, 0, 600, 0.03, 0, 36}}, 24},
      {"API sand", {{8, 0, 600, 0.04, 0, 35}}, 24},
      {"silt, k by default", {{7, 0, 600, 0.04502, 3.0, 30}}, 24},
      {"liquefied sand", {{11, 0, 600, 0.035}}, 24},
      {"liquefied sand, narrow pile", {{11, 0, 600, 0.035}}, 10},
      {"elastic subgrade", {{12, 0, 600, 0.04, 2.0, 0, 100}}, 24},
      {"vuggy limestone", {{6, 0, 600, 0.05, 2.0}}, 24},
      {"weak rock", {{9, 0, 600, 0.05, 1000.0, 0, 0, 0.0005, 50}}, 24, 1, 1.0e4},
  };
  for (const Profile& pr : profiles) {
    for (double y0 : {0.002, 0.2, 3.0}) {
      SCOPED_TRACE(testing::Message() << pr.name << ", head deflection " << y0 << " in");
      const Result en = springs(pr, false, y0);
      const Result si = springs(pr, true, y0);
      double pmax = 0.0;
      for (double p : en.p) pmax = std::max(pmax, std::fabs(p));
      ASSERT_GT(pmax, 0.0);
      // Liquefied sand in English turns depth, width and deflection into
      // metric by single-precision factors (0.0254 as 0.0253999997), which
      // its powers carry to a few 1E-7.
      for (std::size_t k = 0; k < en.p.size(); ++k) {
        EXPECT_NEAR(si.p[k], en.p[k] * LBIN_KNM, 1e-6 * std::fabs(en.p[k] * LBIN_KNM)) << "node " << k + 1;
        EXPECT_NEAR(si.es[k], en.es[k] * PSI_KPA, 1e-6 * std::fabs(en.es[k] * PSI_KPA)) << "node " << k + 1;
      }
    }
  }
}

}  // namespace
}  // namespace drelm
