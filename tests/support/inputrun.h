// Running the input stage of the engine on an input data file: the names file
// that points at it, and the steps of a run up to the conversion to internal
// units. Shared by the input tests, the reader fuzz harness and the input
// benchmark.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "input/convin.h"
#include "run/endrun.h"
#include "model/fileio.h"
#include "input/readin.h"
#include "run/startup.h"
#include "model/tables.h"

namespace drelm::test {

// File names of names-file lines 5 .. 27, in line order.
inline const char* const RUN_FILES[] = {
    "input.inp", "run.echo", "run.out",  "run.sum", "run.plt", "run.log",  "run.sta", "run.rp2",
    "run.prg",   "run.hdc",  "run.fl1",  "run.fl2", "run.pil", "run.stop", "run.pas", "run.kmt",
    "run.wrn",   "run.itr",  "run.axl",  "run.crv", "run.cpn", "run.ssc",  "run.mct"};

// Writes "Names.dat" into the current directory; the input data file is
// "input.inp" beside it.
inline void writeNamesFile() {
  std::ofstream out("Names.dat", std::ios::binary | std::ios::trunc);
  out << "1.0.0-test\n\n\n\n";
  for (const char* name : RUN_FILES) out << name << '\n';
}

inline void writeInputFile(const std::string& text) {
  std::ofstream out("input.inp", std::ios::binary | std::ios::trunc);
  out << text;
}

// The start of a run as the run driver does it, up to and including the
// conversion to internal units: cleared tables, start-up, reader, conversion.
// The files stay connected until closeRun().
inline void runToConvin(std::int32_t& ISTAT, bool clear = true) {
  io::CLOSEALL();
  if (clear) clearTables();
  ISTAT = 0;
  STARTUP(ISTAT);
  if (ISTAT == 0) READIN(ISTAT);
  if (ISTAT == 0) CONVIN(ISTAT);
}

// The closing step: status message to the log and every file closed.
inline void closeRun(std::int32_t& ISTAT) { ENDRUN(ISTAT); }

}  // namespace drelm::test
