// The host on inputs that cannot run: a fatal error's diagnosis (the input
// line and its field, the pile below the profile) on standard error as in
// the runtime log; an input that is not a readable regular file refused
// before anything is written; the host's own files failing with 41.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "analysis/wholerun.h"
#include "host/diagnosis.h"
#include "support/hostproc.h"
#include "support/testdir.h"

namespace drelm {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::readLines;
using test::ScratchDir;
using test::writeFile;

struct HostRun {
  int exit = -1;
  std::string out;
  std::vector<std::string> err;
};

// The host on ARGS, its standard output and error kept apart.
HostRun runHost(const std::string& args) {
  HostRun r;
  const fs::path err = fs::temp_directory_path() / ("drelm-host-err-" + std::to_string(getpid()));
  const std::string cmd = std::string("\"") + DRELM_HOST_BIN + "\" " + args + " 2>\"" + err.string() + "\"";
  r.exit = test::runCapturing(cmd, r.out);
  r.err = readLines(err);
  fs::remove(err);
  return r;
}

std::set<std::string> entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines)
    if (l == line) return true;
  return false;
}

using test::wholerun::fixture;
using test::wholerun::replaced;

// Each input stops on a fatal error: the exit status, the diagnosis line in
// the runtime log and the same line on standard error, and no word of a
// completed analysis anywhere.
TEST(HostRefusals, FatalDiagnosisGoesToStandardErrorAsInTheLog) {
  const struct {
    const char* what;
    std::string input;
    int exit;
    std::vector<std::string> lines;  // as standard error gives them, after "drelm: "
  } cases[] = {
      {"value of the wrong form", replaced(fixture("space_min.inp"), "50 50.0 1", "50 5O.0 1"), 42,
       {"INPUT DATA FILE, LINE 41, WHILE READING: PILE PROPERTIES",
        "pile length line: expected a real number, found \"5O.0\" at line 41"}},
      {"count beyond its table", replaced(fixture("space_min.inp"), "50 50.0 1", "500 50.0 1"), 43,
       {"INPUT DATA FILE, LINE 41, WHILE READING: PILE PROPERTIES",
        "number of increments: 500 is beyond the limit of 100"}},
      {"gap between soil layers", replaced(fixture("space_min.inp"), "20.0 80.0", "25.0 80.0"), 43,
       {"INPUT DATA FILE, LINE 59, WHILE READING: SOIL LAYERS",
        "soil layers 1 and 2: layer 1 ends at 20 ft (line 54) and layer 2 starts at 25 ft (line 59), leaving a gap "
        "of 5 ft; the layers must follow on without gap or overlap"}},
      {"negative pile length", replaced(fixture("space_min.inp"), "50 50.0 1", "50 -50 1"), 43,
       {"INPUT DATA FILE, LINE 41, WHILE READING: PILE PROPERTIES",
        "pile length line of pile property 1: length -50 is not positive"}},
      {"curve number whose negation overflows",
       replaced(fixture("space_min.inp"), "2 2 1 0 0 0 0 0 1 1", "2 2 1 0 -2147483648 0 0 0 1 1"), 43,
       {"INPUT DATA FILE, LINE 26, WHILE READING: PILE GROUPS",
        "pile integers of pile 1: user load-displacement curve -2147483648 names none; no user load-displacement "
        "curve is given (0: the generated curve)"}},
      {"a NUL byte", std::string("TITLE\0x\n", 9), 42,
       {"INPUT DATA FILE, LINE 1", "the input data file is not a text file: it holds a NUL byte at line 1"}},
      {"space pile below the profile", fixture("space_tip_below.inp"), 3,
       {"THE PILE LENGTH,   0.60E+03( IN), EXTENDS BELOW THE", "BOTTOM OF THE DEEPEST LAYER.",
        "PILE 4: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT"}},
      {"plane row below the profile", fixture("plane_tip_below.inp"), 13,
       {"PILE ROW 2: TIP AT X = 85.000 FT, BOTTOM OF THE DEEPEST LAYER AT X = 80.000 FT"}},
      {"plane row below the profile, SI", fixture("plane_tip_below_si.inp"), 13,
       {"THE PILE LENGTH,   0.18E+02(  M), EXTENDS BELOW THE",
        "PILE ROW 2: TIP AT X = 33.000 M, BOTTOM OF THE DEEPEST LAYER AT X = 30.000 M"}},
      {"space pile below the profile, SI", fixture("space_tip_below_si.inp"), 3,
       {"PILE 1: TIP AT X = 15.240 M, BOTTOM OF THE DEEPEST LAYER AT X = 12.000 M"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    writeFile("job.inp", c.input);
    const HostRun r = runHost("job.inp");
    EXPECT_EQ(r.exit, c.exit) << r.out;
    const std::vector<std::string> log = readLines("job.log");
    for (const std::string& l : c.lines) {
      EXPECT_TRUE(has(r.err, "drelm: " + l)) << l;
      EXPECT_TRUE(has(log, "     " + l)) << l;
    }
    for (const std::string& report : {readFile("job.log"), readFile("job.out"), r.out}) {
      EXPECT_EQ(report.find("ANALYSIS COMPLETED"), std::string::npos);
      // The pile's soil is never looked up below the profile.
      EXPECT_EQ(report.find("CURRENT DEPTH IS BEYOND"), std::string::npos);
    }
  }
}

// A wrong input is refused with 41 before anything is written: neither
// beside it nor in the output directory.
TEST(HostRefusals, InputThatIsNotAReadableRegularFileWritesNothing) {
  ScratchDir dir;
  fs::create_directories("site/sub");
  writeFile("site/locked.inp", "TITLE\n");
  fs::permissions("site/locked.inp", fs::perms::none);
  const bool root = geteuid() == 0;  // reads whatever its permissions
  const struct {
    const char* input;
    std::string why;
  } cases[] = {
      {"site/sub", "it is a directory"},
      {"site/missing.inp", "No such file or directory"},
      {"site/locked.inp", "Permission denied"},
  };
  for (const auto& c : cases) {
    if (root && c.why == "Permission denied") continue;
    SCOPED_TRACE(c.input);
    const std::set<std::string> before = entries("site");
    const fs::path input = dir.path() / c.input;
    for (const std::string& args : {input.string(), input.string() + " --out out"}) {
      const HostRun r = runHost(args);
      EXPECT_EQ(r.exit, 41) << r.out;
      ASSERT_EQ(r.err.size(), 1u);
      EXPECT_EQ(r.err[0], "drelm: cannot open " + input.string() + ": " + c.why);
      EXPECT_EQ(r.out, "    * ERROR IN ANALYSIS *\n    CANNOT OPEN FILE " + input.string() + "\n");
      EXPECT_EQ(entries("site"), before);
      EXPECT_EQ(entries("site/sub"), std::set<std::string>{});
      EXPECT_FALSE(fs::exists("out"));
    }
  }
}

// The names file and the stop file are the host's own: it writes them only
// as regular files, never through a link (whose target would lose its
// content) and never on a pipe or a device (whose open may wait for ever, or
// which keeps nothing). Anything else in their place, or a write that fails
// (a size limit, with its signal as a shell leaves it), ends the host with 41
// naming the file, at once, before the engine runs.
TEST(HostRefusals, HostsOwnFileThatFailsEndsWith41NamingIt) {
  enum Kind { Directory, LinkOutside, Fifo, Link, SizeLimit };
  const struct {
    const char* file;
    Kind kind;
    const char* target;  // of a link: a device
    const char* how;
  } cases[] = {
      {"Names.dat", Directory, "", "cannot open"},
      {"Names.dat", LinkOutside, "", "cannot open"},
      {"Names.dat", Fifo, "", "cannot open"},
      {"Names.dat", Link, "/dev/null", "cannot open"},
      {"Names.dat", Link, "/dev/zero", "cannot open"},
      {"Names.dat", Link, "/dev/full", "cannot open"},
      {"Names.dat", SizeLimit, "", "cannot write"},
      {"job.stop", Directory, "", "cannot open"},
      {"job.stop", LinkOutside, "", "cannot open"},
      {"job.stop", Fifo, "", "cannot open"},
      {"job.stop", Link, "/dev/null", "cannot open"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    writeFile("job.inp", fixture("space_min.inp"));
    writeFile("outside.txt", "keep\n");
    const fs::path file = dir.path() / "o" / c.file;
    fs::create_directories("o");
    std::string what = std::string(c.file) + " ";
    // Room for the host's messages, not for the names file.
    const rlim_t fsize = c.kind == SizeLimit ? 256 : 0;
    if (c.kind == SizeLimit) {
      what += "beyond a size limit";
    } else if (c.kind == Directory) {
      what += "a directory";
      fs::create_directories(file / "keep");
    } else if (c.kind == LinkOutside) {
      what += "a link to a file outside";
      fs::create_symlink(dir.path() / "outside.txt", file);
    } else if (c.kind == Fifo) {
      what += "a named pipe";
      ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
    } else {
      what += std::string("a link to ") + c.target;
      fs::create_symlink(c.target, file);
    }
    SCOPED_TRACE(what);
    const pid_t pid = test::forkHost(dir.path() / "job.inp", dir.path() / "o", "host.out", "host.err", fsize);
    const test::Bounded b = test::waitBounded(pid, 20);
    EXPECT_FALSE(b.hung);
    EXPECT_EQ(b.exit, 41) << readFile("host.out");
    const std::vector<std::string> err = readLines("host.err");
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err[0].rfind(std::string("drelm: ") + c.how + " " + file.string() + ": ", 0), 0u) << err[0];
    const std::string upper = c.how == std::string("cannot write") ? "CANNOT WRITE FILE " : "CANNOT OPEN FILE ";
    EXPECT_EQ(readFile("host.out"), "    * ERROR IN ANALYSIS *\n    " + upper + file.string() + "\n");
    // Nothing written through a link, and the engine never ran.
    EXPECT_EQ(readFile("outside.txt"), "keep\n");
    EXPECT_FALSE(fs::exists(dir.path() / "o" / "job.log"));
  }
}

// A link put in place of the stop file during the run: the stop request
// replaces it by a regular file and never writes through it; the run stops.
TEST(HostRefusals, StopRequestReplacesALinkPutInPlaceOfTheStopFile) {
  ScratchDir dir;
  writeFile("group3x3.inp", readFile(fs::path(DRELM_SOURCE_DIR) / "examples" / "group3x3.inp"));
  writeFile("outside.txt", "keep\n");
  const pid_t pid = test::forkHost(dir.path() / "group3x3.inp", dir.path() / "o", "host.out", "host.err");
  // Once the host has made its stop file (the engine is then about to start).
  for (int k = 0; k < 3000 && !fs::exists("o/group3x3.progress"); ++k) usleep(10000);
  fs::remove("o/group3x3.stop");
  fs::create_symlink(dir.path() / "outside.txt", "o/group3x3.stop");
  kill(pid, SIGTERM);
  const test::Bounded b = test::waitBounded(pid, 30);
  EXPECT_FALSE(b.hung);
  EXPECT_EQ(b.exit, 4) << readFile("host.out") << readFile("host.err");
  EXPECT_EQ(readFile("outside.txt"), "keep\n");
  EXPECT_FALSE(fs::is_symlink("o/group3x3.stop"));
  EXPECT_EQ(readFile("o/group3x3.stop"), "1\n");
}

// Every file capped below the input echo's end: the echo is cut after the
// number of load cases and before that of the combinations, and the tally
// still counts both series as not reached.
TEST(HostRefusals, TallyAfterAnEarlyFailureCountsTheCombinationsToo) {
  ScratchDir dir;
  writeFile("group3x3.inp", readFile(fs::path(DRELM_SOURCE_DIR) / "examples" / "group3x3.inp"));
  const pid_t pid = test::forkHost(dir.path() / "group3x3.inp", dir.path() / "o", "host.out", "host.err", 4096);
  const test::Bounded b = test::waitBounded(pid, 40);
  EXPECT_EQ(b.exit, 41) << readFile("host.out");
  const std::string echo = readFile("o/group3x3.echo");
  EXPECT_NE(echo.find("NUMBER OF LOAD CASES :"), std::string::npos);
  EXPECT_EQ(echo.find("NUMBER OF LOAD COMB. :"), std::string::npos);
  EXPECT_NE(readFile("host.out").find(
                "\n    2 load cases: 2 not reached; 1 load combination: 1 not reached; see group3x3.status\n"),
            std::string::npos)
      << readFile("host.out");
}

// The last fatal block of a log, whatever precedes it, and none in a log
// without one; a block past the part of a long log that is read is found.
TEST(FatalDiagnosis, LastBlockOfTheLog) {
  ScratchDir dir;
  const std::string nodeBlock =
      "\n\n\n     **** FATAL ERROR ****\n     THE PILE LENGTH,   0.60E+03( IN), EXTENDS BELOW THE\n"
      "     BOTTOM OF THE DEEPEST LAYER.\n     \n     * ERROR IN ANALYSIS *\n";
  writeFile("a.log",
            "\n                             **** FATAL ERROR ****\n     FIRST\n\n" + nodeBlock +
                "     PILE LENGTH EXTENDS BELOW THE BOTTOM\n");
  EXPECT_EQ(host::fatalDiagnosis("a.log"),
            (std::vector<std::string>{"THE PILE LENGTH,   0.60E+03( IN), EXTENDS BELOW THE",
                                      "BOTTOM OF THE DEEPEST LAYER."}));
  writeFile("b.log", "     READING CONTROLS\n     * ERROR IN ANALYSIS *\n     CANNOT OPEN FILE x\n");
  EXPECT_TRUE(host::fatalDiagnosis("b.log").empty());
  writeFile("c.log", std::string(200000, ' ') + "\n     **** FATAL ERROR ****\n     LAST\n\n");
  EXPECT_EQ(host::fatalDiagnosis("c.log"), std::vector<std::string>{"LAST"});
  EXPECT_TRUE(host::fatalDiagnosis("missing.log").empty());
  EXPECT_TRUE(host::fatalDiagnosis(dir.path()).empty());
}

}  // namespace
}  // namespace drelm
