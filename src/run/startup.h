// Start-up of a run: the names file, the file table and the stop request at
// start-up.
#pragma once

#include <cstdint>
#include <string_view>

#include "input/stopreq.h"
#include "model/model_runerr.h"

namespace drelm {

constexpr int NAMES_LINES = 27;

// Unit of each names-file line 5 .. 27 (0 for the lines 1 .. 4 that name no file).
int unitOfNamesLine(int line);
// Names-file line of a unit (0 when no line names it).
int namesLineOfUnit(int unit);

// Reads "Names.dat", connects the run's files and honours a stop request.
void STARTUP(std::int32_t& ISTAT);

}  // namespace drelm
