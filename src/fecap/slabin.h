// Deck reader of the plate model: mesh, restraints, material sets, loads,
// springs and pile heads of the numeric deck, echoed to the plate listing,
// with the checks of the control numbers and of the mesh.
#pragma once

#include <cstdint>
#include <string>

#include "fecap/deckread.h"
#include "fecap/fedata.h"

namespace drelm {

// Echoes the control data to the plate listing and checks them (CHECK1),
// before any array is sized by them.
void SLABHEAD(DeckReader& deck);
// Reads the deck after its control records into the arrays (allocated by the
// caller) and locates the point items. Halts the plate model (PlateHalt) when
// a check fails, the deck ends early or an index lies outside its range.
void SLABIN(PlateArrays& A, DeckReader& deck);
// Checks of the control numbers (errors 1 to 12).
void CHECK1(DeckReader& deck);
// Checks of the mesh and the restraints (errors 13 to 24); sets MAXFRT.
void CHECK2(PlateArrays& A, DeckReader& deck);
// Element and local coordinates (s, t) of COUNT points (x, y) in PNT; ELM
// receives the element of each point, 0 when no element holds it.
void LOCPT(std::int32_t count, PArr<double>& PNT, PArr<std::int32_t>& ELM, PlateArrays& A);
// Lists the rest of the deck after a failed check and halts the plate model.
[[noreturn]] void CARDECHO(DeckReader& deck, const std::string& why);

}  // namespace drelm
