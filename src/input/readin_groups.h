// The record-group readers of READIN, in the order of the input data file.
// Each reads its group from its heading line on and returns false when the
// reading stopped (the reason is held by the reader).
#pragma once

#include "input/readin_io.h"

namespace drelm {

bool readCapGroup(InRead& in);         // 2 cap and control data
bool readLoadCases(InRead& in);        // 3 load cases
bool readCombinations(InRead& in);     // 4 load combinations
bool readDistLoadSets(InRead& in);     // 5 distributed-load sets
bool readPileGroups(InRead& in);       // 6 pile groups
bool readPileProps(InRead& in);        // 7 pile properties
bool readSections(InRead& in);         // 8 cross sections
bool readSoilLayers(InRead& in);       // 9 soil layers
bool readCurveGroups(InRead& in);      // 10 to 20
// The set numbers of the sections of user bending stiffness name user sets
// (after group 16, or where it would stand).
bool checkSectionSets(InRead& in);

}  // namespace drelm
