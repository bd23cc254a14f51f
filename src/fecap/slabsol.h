// Plate solution of the pile cap: reads the numeric deck named in the plate
// solver's file list, steps the load in pseudo-time with equilibrium
// iterations (the piles evaluated in every element pass), and reports each
// converged step; the piles then take the final plate displacement.
#pragma once

#include <cstdint>
#include <string>

#include "fecap/fedata.h"

namespace drelm {

constexpr const char* GSLAB_NAME = "gslab.dat";

// How far the stepping of a plate solution came: the fraction of the
// pseudo-time range of its last converged step, and why its last step that
// did not converge failed.
struct PlateOutcome {
  enum class Failure { None, Convergence, Piles, Singular };
  bool stepped = false;   // a step was tried
  bool accepted = false;  // a step converged
  double reached = 0.0;   // (TCUR - TINI) / (TEND - TINI) of the last converged step
  Failure last = Failure::None;
};

// HEADS evaluates the piles at the pile heads (null: the deck's coupling is
// left out). The plate model's own failures end in ISTAT = 44 with the
// diagnosis in the plate listing and the runtime log; a pile failure that
// ends the stepping leaves the pile's code; a stop request, checked at every
// iteration, ends it with 4. OUTCOME (optional) receives how far it came.
void SLABSOL(PlateHeads* HEADS, std::int32_t& ISTAT, PlateOutcome* OUTCOME = nullptr);

// The file of a run with its extension replaced by EXT (".fedeck", ...).
std::string plateFileName(const std::string& runFile, const char* ext);

}  // namespace drelm
