// A cap model in the tables for the deck writer: plate options, cap size,
// piles and the controls of the current case; and linear springs standing in
// for the piles at the plate's pile heads.
#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "fecap/fedata.h"
#include "model/model.h"
#include "model/tables.h"
#include "support/testdir.h"

namespace drelm::test {

struct CapPile {
  double y, z, alpha, beta;
  int conn;
};

inline void setCap(int nx, int ny, double ly, double wz, double tx, double E, double nu,
                   const std::vector<CapPile>& piles, int ifecap) {
  clearTables();
  FECOPT.IFECAP = ifecap;
  FECOPT.NFEX = nx;
  FECOPT.NFEY = ny;
  FECOPT.FEXOFF = FECOPT.FEYOFF = 0.0;
  FECOPT.FEYOUN = E;
  FECOPT.FEPOIS = nu;
  CAPCTL.CAPLY = ly;
  CAPSOL.CAPWZIN = wz;
  CAPCTL.CAPWZ = std::sqrt(ly * ly + wz * wz);  // what the soil response takes, not the plate
  CAPCTL.CAPTX = tx;
  RUNCTL.NPILE = static_cast<int>(piles.size());
  RUNCTL.IANTYP = 3;
  RUNCTL.IUNITS = 2;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    const CapPile& c = piles[p - 1];
    PILEAR.PHX(p) = 0.0;
    PILEAR.PHY(p) = c.y;
    PILEAR.PHZ(p) = c.z;
    PILEAR.ALPHA(p) = c.alpha;
    PILEAR.BETA(p) = c.beta;
    PCONN.CONNECTY(p) = c.conn;
  }
  CURCTL.DTCUR0 = 0.5;
  CURCTL.DTCMIN = 0.01;
  CURCTL.MAXITC = 20;
  CURCTL.TOLCAP = 1.0E-5;
  FNAMES.FNU(U_PLOT) = "run.plot";
  FNAMES.FNU(U_INPUT) = "run.inp";
}

// Piles as linear springs in cap axes: F = -K u at the head (K by columns).
struct SpringHeads : PlateHeads {
  std::vector<std::array<double, 36>> K;
  std::vector<std::array<double, 6>> lastU, lastF;
  std::int32_t failWith = 0;
  int calls = 0;

  explicit SpringHeads(const std::vector<std::array<double, 36>>& k) : K(k), lastU(k.size()), lastF(k.size()) {}
  void force(std::int32_t J, double (&F)[6], const double (&U)[6], std::int32_t& ISTAT) override {
    ++calls;
    for (int i = 0; i < 6; ++i) {
      F[i] = 0;
      for (int j = 0; j < 6; ++j) F[i] -= K[J - 1][i + 6 * j] * U[j];
      lastU[J - 1][i] = U[i];
    }
    for (int i = 0; i < 6; ++i) lastF[J - 1][i] = F[i];
    if (failWith) ISTAT = failWith;
  }
  void stiffness(std::int32_t J, double (&S)[36], const double (&)[6], std::int32_t& ISTAT) override {
    for (int i = 0; i < 36; ++i) S[i] = -K[J - 1][i];
    if (failWith) ISTAT = failWith;
  }
};

inline std::array<double, 36> diagSpring(double kx, double ky, double kz, double tx, double ty, double tz) {
  std::array<double, 36> k{};
  const double d[6] = {kx, ky, kz, tx, ty, tz};
  for (int i = 0; i < 6; ++i) k[i + 6 * i] = d[i];
  return k;
}

// Four pile heads on linear springs that give way (a failed pile solution)
// once the plate carries more than LIMIT of its load; after CALLS
// evaluations a stop is requested.
struct YieldingHeads : SpringHeads {
  double limit = 2.0;
  long stopAfter = -1;
  YieldingHeads() : SpringHeads(std::vector<std::array<double, 36>>(4, diagSpring(1e4, 1e4, 1e4, 1e4, 1e4, 1e4))) {}
  void force(std::int32_t J, double (&F)[6], const double (&U)[6], std::int32_t& ISTAT) override {
    SpringHeads::force(J, F, U, ISTAT);
    if (stopAfter >= 0 && calls == stopAfter) writeFile(FNAMES.FNU(U_STOP).trimmed(), "1\n");
    if ((FESOLV.TCUR - FESOLV.TINI) / (FESOLV.TEND - FESOLV.TINI) > limit) raiseOutcome(KPIL_LATERAL);
  }
};

}  // namespace drelm::test
