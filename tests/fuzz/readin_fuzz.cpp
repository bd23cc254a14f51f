// libFuzzer harness of the input stage: each fuzz input becomes the input
// data file of a run in a private scratch directory, and the run goes through
// the start-up with its names file, the reader and the conversion to internal
// units, then the closing step. Any crash, sanitizer report or hang is a
// fault; a status code is the expected answer to bad input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzzdir.h"
#include "model/model_run.h"
#include "support/inputrun.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  drelm::fuzz::enterScratchDir("drelm-fuzz");
  drelm::test::writeNamesFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  drelm::test::writeInputFile(std::string(reinterpret_cast<const char*>(data), size));
  std::int32_t ISTAT = 0;
  drelm::test::runToConvin(ISTAT);
  // The reader answers bad input with a status code, never anything else.
  if (ISTAT != drelm::STAT_OK && ISTAT != drelm::STAT_INPUT_FORM &&
      ISTAT != drelm::STAT_CAPACITY) {
    std::fprintf(stderr, "drelm fuzz: unexpected status %d\n", static_cast<int>(ISTAT));
    std::abort();
  }
  drelm::test::closeRun(ISTAT);
  return 0;
}
