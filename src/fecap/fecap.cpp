#include "fecap/fecap.h"

#include <string>

#include "cap/headrsp.h"
#include "cap/pilehk.h"
#include "fecap/fefmt.h"
#include "fecap/slabsol.h"
#include "run/fileio.h"
#include "run/model.h"

namespace drelm {
namespace {

PlateHeads* boundHeads = nullptr;

// The piles of the run at the plate's pile heads: the head response of a
// pile and its stiffness by central differences, one pile at a time.
struct PileResponse : PlateHeads {
  void force(std::int32_t J, double (&F)[6], const double (&U)[6], std::int32_t& ISTAT) override {
    headResponse()(J, F, U, ISTAT);
  }
  void stiffness(std::int32_t J, double (&K)[36], const double (&U)[6], std::int32_t& ISTAT) override {
    PILEHK(J, K, U, ISTAT);
  }
};
PileResponse pileResponse;

void out(int u, const std::string& s) {
  io::put(u, s);
  io::endRecord(u);
}

}  // namespace

PlateHeads* plateHeads() {
  if (boundHeads != nullptr) return boundHeads;
  return headResponse() != nullptr ? &pileResponse : nullptr;
}
void setPlateHeads(PlateHeads* heads) { boundHeads = heads; }

void FECAP(const double (&P)[6], std::int32_t& ISTAT) {
  if (FECOPT.IFECAP == 2) {
    DECKWR(P, ISTAT);
    return;
  }
  out(U_PLOT, fmtI(12, CASECUR.KESTCU));
  out(U_PLOT, fmtI(12, RUNCTL.NPILE) + fmtI(12, 1) + fmtI(12, RUNCTL.IUNITS));
  for (int u : {static_cast<int>(U_RESULTS), static_cast<int>(U_SUMMARY)}) {
    out(u, "");
    out(u, "");
    out(u, "");
    out(u, std::string(17, ' ') + "*****" + std::string(5, ' ') + "COMPUTATION RESULTS" + std::string(5, ' ') +
               "*****");
    out(u, "");
    out(u, "");
    out(u, "");
    out(u, "");
    out(u, "     * TABLE I *   COMPUTATION ON INDIVIDUAL PILE");
  }
  GSLABWR(ISTAT);
  if (ISTAT != 0) return;
  SLABSOL(plateHeads(), ISTAT);
}

}  // namespace drelm
