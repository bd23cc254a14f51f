// Start-up of a run: the names file, the file table and the stop request at
// start-up.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/farray.h"

namespace drelm {

// The file that ended the run (status 40 or 41), for the final message.
struct RUNERR_T {
  FStr<256> ERRFIL;
  std::int32_t ERRLIN = 0;  // its names-file line, 0 for the names file itself
  std::int32_t ERRWRT = 0;  // 1: the file could not be written (0: opened)
};
extern RUNERR_T RUNERR;

constexpr int NAMES_LINES = 27;

// Unit of each names-file line 5 .. 27 (0 for the lines 1 .. 4 that name no file).
int unitOfNamesLine(int line);
// Names-file line of a unit (0 when no line names it).
int namesLineOfUnit(int unit);

// Reads "Names.dat", connects the run's files and honours a stop request.
void STARTUP(std::int32_t& ISTAT);

// True when the stop-request text holds the integer 1 as its first value.
bool stopRequested(std::string_view text);

}  // namespace drelm
