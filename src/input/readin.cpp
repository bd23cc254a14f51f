#include "input/readin.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "report/labels.h"
#include "model/fileio.h"
#include "model/model.h"
#include "input/readin_groups.h"
#include "report/timing.h"

namespace drelm {
namespace {

void line(int unit, std::string_view text) {
  io::put(unit, text);
  io::endRecord(unit);
}

// The platform the library was built for, named in the banners.
#if defined(_WIN32)
constexpr std::string_view PLATFORM = "Windows";
#elif defined(__APPLE__)
constexpr std::string_view PLATFORM = "macOS";
#elif defined(__linux__)
constexpr std::string_view PLATFORM = "Linux";
#else
constexpr std::string_view PLATFORM = "Unix";
#endif

// "  DRELM for <platform>, Version <version>", padded with blanks to the
// width the line has for the longest platform name, so the banners keep
// their layout.
std::string versionLine() {
  constexpr std::size_t WIDTH = sizeof("  DRELM for Windows, Version ") - 1;
  std::string l = "  DRELM for " + std::string(PLATFORM) + ", Version " + FNAMES.VERSN.str();
  const std::size_t width = WIDTH + FNAMES.VERSN.str().size();
  if (l.size() < width) l.resize(width, ' ');
  return l;
}

void banner(int unit) {
  const std::string rule = std::string(5, ' ') + std::string(73, '=');
  const std::string in20(20, ' ');
  line(unit, rule);
  line(unit, "");
  line(unit, in20 + versionLine());
  line(unit, "");
  line(unit, in20 + "   Analysis of A Group of Piles " + "Subjected to Axial and Lateral Loading ");
  line(unit, "");
  line(unit, rule);
  line(unit, "");
  line(unit, "");
}

// Position just after the directory part of a file name (drive and
// directory), for either kind of separator.
std::size_t nameStart(std::string_view path) {
  const std::size_t s = path.find_last_of("/\\");
  if (s != std::string_view::npos) return s + 1;
  if (path.size() >= 2 && path[1] == ':') return 2;
  return 0;
}

std::string baseName(int unit) {
  const std::string p = FNAMES.FNU(unit).trimmed();
  return p.substr(nameStart(p));
}

void fileList(int unit) {
  const std::string input = FNAMES.FNU(U_INPUT).trimmed();
  const std::size_t k = nameStart(input);
  const std::string in5(5, ' ');
  line(unit, in5 + "Path to file locations      : " + input.substr(0, k));
  line(unit, in5 + "Name of input data file     : " + input.substr(k));
  line(unit, in5 + "Name of output echo file    : " + baseName(U_ECHO));
  line(unit, in5 + "Name of output results file : " + baseName(U_RESULTS));
  line(unit, in5 + "Name of output summary file : " + baseName(U_SUMMARY));
  line(unit, in5 + "Name of plot output file    : " + baseName(U_PLOT));
  line(unit, in5 + "Name of runtime file        : " + baseName(U_LOG));
  line(unit, "");
  line(unit, "");
}

void setRunConstants() {
  RUNCONST.PI = static_cast<double>(3.14159f);
  RUNCONST.EPSLIM = 1.0E-14;
  RUNCONST.EPSCOH = 1.0E-6;
  RUNCONST.EPSMOV = 1.0E-5;
  RUNTTL.ENDWRD = "END ";
  GRPFAC.GRPPF.fill(1.0);
  GRPFAC.GRPYF.fill(1.0);
  GRPFAC.GRPPFZ.fill(1.0);
  GRPFAC.GRPYFZ.fill(1.0);
  GRPFAC.GRPPFY.fill(1.0);
  GRPFAC.GRPYFY.fill(1.0);
}

// Control line of 21 integers, with the range of every switch.
bool readControlLine(InRead& in) {
  std::int32_t c[22] = {};
  FreeItem it[21];
  for (int k = 1; k <= 21; ++k) it[k - 1] = fInt(c[k]);
  if (!in.recList(it, 21, "control line")) return false;
  struct Range {
    int k;
    std::int32_t lo, hi;
    const char* what;
  };
  static constexpr Range kRanges[] = {
      {1, 1, 3, "units system (control 1)"},
      {2, 2, 3, "analysis type (control 2)"},
      {3, 0, 2, "pile-cap option (control 3)"},
      {4, 0, 2, "plate cap option (control 4)"},
      {5, 0, 1, "user p-y curves switch (control 5)"},
      {6, 0, 1, "user load-displacement curves switch (control 6)"},
      {7, 0, 1, "user torque-rotation curves switch (control 7)"},
      {8, 0, 4, "reduction-factor option (control 8)"},
      {9, 0, 2147483647, "user moment-curvature switch (control 9)"},
      {11, 0, 1, "p-y listing option (control 11)"},
      {13, 0, 1, "average diameter switch (control 13)"},
      {14, 0, 1, "batter depth switch (control 14)"},
      {15, 0, 1, "generated curves switch (control 15)"},
      {16, 0, 1, "curve extension switch (control 16)"},
      {17, 0, 1, "kip switch (control 17)"},
      {18, 0, 1, "reduction factors along depth switch (control 18)"},
      {19, 0, 1, "soil movement switch (control 19)"},
      {20, 0, 1, "curve file switch (control 20)"},
  };
  for (const Range& r : kRanges)
    if (!in.check(c[r.k], r.lo, r.hi, r.what)) return false;
  RUNCTL.IUNITS = c[1];
  RUNCTL.IANTYP = c[2];
  CAPCTL.ICAPOP = c[3];
  FECOPT.IFECAP = c[4];
  RUNCTL.IUSRPY = c[5];
  CURCTL.IUSRLS = c[6];
  RUNCTL.IUSRTR = c[7];
  CAPCTL.IRFOPT = c[8];
  RUNCTL.ICTL09 = c[9];
  RUNCTL.ICTL10 = c[10];
  CURCTL.KPYLST = c[11];
  RUNCTL.ICTL12 = c[12];
  RFDCTL.IAVDIA = c[13];
  RUNCTL.IBATAD = c[14];
  RUNCTL.IGENLS = c[15];
  RUNCTL.ICRVMX = c[16];
  RUNCTL.IKIPS = c[17];
  RFDCTL.IRFDEP = c[18];
  SMOV.ISMOV = c[19];
  CRVCTL.ICRVON = c[20];
  CRVCTL.ICRVUF = c[21];
  return true;
}

// Titles, the controls and the direction line.
bool readHead(InRead& in) {
  in.group = "* TITLE AND VERSION";
  if (!in.text(RUNTTL.TITLE1, "title line 1") || !in.text(RUNTTL.TITLE2, "title line 2")) return false;
  line(U_LOG, "");
  line(U_LOG, std::string(12, ' ') + RUNTTL.TITLE1.str());
  line(U_LOG, "");
  line(U_LOG, "");
  line(U_LOG, "     READING * TITLE AND VERSION");
  if (!in.heading("heading of the controls") || !readControlLine(in)) return false;
  CAPCTL.RFDIRY = 1.0;
  CAPCTL.RFDIRZ = 1.0;
  if (CAPCTL.IRFOPT == 3 || CAPCTL.IRFOPT == 4)
    return in.rec({fReal(CAPCTL.RFDIRY), fReal(CAPCTL.RFDIRZ)}, "direction line");
  return true;
}

// A NUL byte has no place in a text file: the file is of another kind (a
// binary file given by mistake), not a text with a bad value in it.
bool textOnly(InRead& in) {
  const std::string& c = in.rd.content();
  const std::size_t at = c.find('\0');
  if (at == std::string::npos) return true;
  const char eol = c.find('\n') == std::string::npos && c.find('\r') != std::string::npos ? '\r' : '\n';
  const int line = 1 + static_cast<int>(std::count(c.begin(), c.begin() + static_cast<std::ptrdiff_t>(at), eol));
  in.rd.failOn(line, "the input data file is not a text file: it holds a NUL byte at line " + std::to_string(line));
  return false;
}

}  // namespace

void READIN(std::int32_t& ISTAT) {
  banner(U_SUMMARY);
  line(U_LOG, "");
  line(U_LOG, std::string(10, ' ') + versionLine());
  line(U_LOG, "");
  for (int unit : {U_RESULTS, U_REPORT, U_ECHO}) {
    banner(unit);
    fileList(unit);
  }
  DATEWR();
  line(U_REPORT, "");
  setRunConstants();

  std::string content;
  if (!io::connected(U_INPUT) || !io::slurp(U_INPUT, content)) {
    ISTAT = STAT_OPEN_FAILED;
    io::fail(U_INPUT, FNAMES.FNU(U_INPUT).trimmed(), true);
    inputFatal("INPUT DATA FILE CANNOT BE READ: " + FNAMES.FNU(U_INPUT).trimmed(), "");
    return;
  }
  InRead in(std::move(content));
  if (!textOnly(in) || !readHead(in)) {
    ISTAT = in.status();
    in.reportFailure();
    return;
  }

  CRVCTL.NCRVKD = 19;
  const std::string curves = FNAMES.FNU(U_CURVES).trimmed();
  if (!io::openChecked(U_CURVES, curves, io::Access::Write, CRVCTL.ICRVUF != 0)) {
    ISTAT = STAT_OPEN_FAILED;
    inputFatal("CANNOT OPEN FILE " + curves, "");
    return;
  }
  UNITSET(RUNCTL.IUNITS == 1 ? 1 : (RUNCTL.IUNITS == 2 ? -1 : 0), RUNCTL.IKIPS);
  HDRSET(RUNCTL.IANTYP);
  CASECUR.KESTCU = 1;

  const bool read = readCapGroup(in) && readLoadCases(in) && readCombinations(in) &&
                    readDistLoadSets(in) && readPileGroups(in) && readPileProps(in) &&
                    readSections(in) && readSoilLayers(in) && readCurveGroups(in);
  if (!read) {
    ISTAT = in.status();
    in.reportFailure();
    return;
  }
  // A sound reading leaves the status word as it found it: 0 when the run
  // driver calls, and never clears what an earlier step stored.
}

}  // namespace drelm
