// The case status file vouches only for reports on disk: whole runs of the
// engine in this process with one small report on a device that refuses
// every write. Such a report fits in its buffer, so that its failure shows at
// the first flush only: the run must end with 41 before it marks any case.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "analysis/wholerun.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::ScratchDir;

TEST(StatusOrder, SmallReportThatCannotBeWrittenStopsTheRunBeforeAnyCaseIsMarked) {
  // Two load cases and their envelopes; every one of these files is well
  // under its buffer's size.
  const std::string input = test::wholerun::fixture("plane_si.inp");
  for (const char* name : {"run.echo", "run.plt", "run.hdc", "run.axl"}) {
    SCOPED_TRACE(name);
    ScratchDir dir;
    test::writeNamesFile();
    test::writeInputFile(input);
    fs::create_symlink("/dev/full", name);
    EXPECT_EQ(IDRELM(6), 41);
    const std::string status = readFile("run.sta");
    EXPECT_EQ(status.find("ANALYSIS COMPLETED"), std::string::npos) << status;
    EXPECT_EQ(status.find("CALCULATED AND PRINTED"), std::string::npos) << status;
    const std::string log = readFile("run.log");
    EXPECT_NE(log.find(std::string(" FILE ") + name + "\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("ANALYSIS COMPLETED"), std::string::npos);
  }
}

// Without the device the same run marks both cases and both envelopes.
TEST(StatusOrder, TheSameRunWithItsFilesMarksEveryCase) {
  ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(test::wholerun::fixture("plane_si.inp"));
  EXPECT_EQ(IDRELM(6), 0);
  const std::string status = readFile("run.sta");
  EXPECT_NE(status.find("LOAD CASE :     2\n      ANALYSIS DUE TO TOTAL LOAD\n    1 ANALYSIS COMPLETED\n"),
            std::string::npos)
      << status;
  EXPECT_NE(status.find("MAXIMUM ENVELOPE\n    1 CALCULATED AND PRINTED\n"), std::string::npos) << status;
}

}  // namespace
}  // namespace drelm
