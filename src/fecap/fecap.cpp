#include "fecap/fecap.h"

#include <string>

#include "cap/caprec.h"
#include "cap/captabl.h"
#include "cap/headrsp.h"
#include "cap/pilehk.h"
#include "fecap/fefmt.h"
#include "fecap/slabsol.h"
#include "model/fileio.h"
#include "model/model.h"

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

// The case status line of a plate pass, as a rigid cap's pass gives it: a
// pass that converged no step fails (on the piles, on singular equations,
// or on the plate's convergence); one that stopped short of the full load
// says the fraction it reached, with the warning in the reports.
void caseStatus(const PlateOutcome& o) {
  using F = PlateOutcome::Failure;
  if (o.stepped && !o.accepted) {
    if (o.last == F::Singular) statusSingular();
    else if (o.last == F::Piles) statusNoPileConvergence();
    else statusNoCapConvergence();
    return;
  }
  if (o.reached < 1.0 - RUNCONST.EPSLIM) {
    partialLoadWarning(o.reached);
    statusPartial(o.reached);
    return;
  }
  statusCompleted();
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
  PlateOutcome o;
  SLABSOL(plateHeads(), ISTAT, &o);
  if (ISTAT != 0) return;
  caseStatus(o);
}

}  // namespace drelm
