// Entry of the plate model of the cap from the space cap solution, and the
// writers of its files: the numeric and keyword decks and the plate solver's
// file list "gslab.dat".
#pragma once

#include <cstdint>
#include <string>

#include "fecap/fedata.h"

namespace drelm {

// Names of the plate files of this run, derived from the run's plot file
// (names-file line 9): the numeric deck, the keyword deck, the plate listing,
// the post-processing file and the convergence log.
struct PlateFileNames {
  std::string deck, keyDeck, listing, post, conv;
};
PlateFileNames plateFileNames();

// The plate pass of a load case with the cap load P (cap axes): IFECAP = 2
// writes the decks; any other positive value solves the plate from its deck.
// The plate model's failures end in ISTAT = 44.
void FECAP(const double (&P)[6], std::int32_t& ISTAT);
// Writes both decks of the cap model for the cap load P, after the file list.
void DECKWR(const double (&P)[6], std::int32_t& ISTAT);
// Writes "gslab.dat" in the current directory.
void GSLABWR(std::int32_t& ISTAT);

// The pile-head response the plate solution couples to (null: none bound).
PlateHeads* plateHeads();
void setPlateHeads(PlateHeads* heads);

}  // namespace drelm
