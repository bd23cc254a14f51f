// The file that ended a run, kept for the closing message.
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

// The file that ended the run (status 40 or 41), for the final message.
struct RUNERR_T {
  FStr<256> ERRFIL;
  std::int32_t ERRLIN = 0;  // its names-file line, 0 for the names file itself
  std::int32_t ERRWRT = 0;  // 1: the file could not be written (0: opened)
};
extern RUNERR_T RUNERR;

}  // namespace drelm
