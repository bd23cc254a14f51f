// libFuzzer harness of the input stage: each fuzz input becomes the input
// data file of a run in a private scratch directory, and the run goes through
// the start-up with its names file, the reader and the conversion to internal
// units, then the closing step. Any crash, sanitizer report or hang is a
// fault; a status code is the expected answer to bad input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "run/model_run.h"
#include "support/inputrun.h"

namespace {

void enterScratchDir() {
  char tmpl[] = "/tmp/drelm-fuzz-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  if (dir == nullptr || chdir(dir) != 0) {
    std::perror("drelm fuzz: scratch directory");
    std::abort();
  }
  // Removed when the fuzzer ends normally; a crash leaves it for inspection.
  static const std::filesystem::path scratch = dir;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
  });
  drelm::test::writeNamesFile();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterScratchDir();
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
