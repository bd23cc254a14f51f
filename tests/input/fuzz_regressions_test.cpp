// Every input that ever crashed the input stage under the fuzzer is kept in
// tests/fuzz/regressions/, and the seeds of tests/fuzz/readin_seeds/ once
// crashed the engine; each is read here again and must end with a status
// code (0, 42 or 43), never a crash or a sanitizer report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "model/model.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputEndsWithAStatusCode) {
  std::vector<fs::path> inputs;
  for (const char* kept : {"regressions", "readin_seeds"}) {
    const fs::path dir = fs::path(DRELM_SOURCE_DIR) / "tests" / "fuzz" / kept;
    if (fs::is_directory(dir))
      for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file() && e.path().filename().string().front() != '.')
          inputs.push_back(e.path());
  }
  std::sort(inputs.begin(), inputs.end());

  test::ScratchDir scratch;
  test::writeNamesFile();
  for (const fs::path& p : inputs) {
    SCOPED_TRACE(p.filename().string());
    test::writeInputFile(test::readFile(p));
    std::int32_t ISTAT = 0;
    test::runToConvin(ISTAT);
    std::int32_t closing = ISTAT;
    test::closeRun(closing);
    EXPECT_TRUE(ISTAT == STAT_OK || ISTAT == STAT_INPUT_FORM || ISTAT == STAT_CAPACITY)
        << "status " << ISTAT;
  }
}

}  // namespace
}  // namespace drelm
