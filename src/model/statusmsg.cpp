#include "model/statusmsg.h"

namespace drelm {
namespace {

constexpr const char* HEADING = "    * ERROR IN ANALYSIS *";
constexpr const char* BEYOND = "    CURRENT DEPTH IS BEYOND THE EXTENT";
constexpr const char* BELOW = "    PILE LENGTH EXTENDS BELOW THE BOTTOM";
constexpr std::string_view CANNOT_OPEN = "    CANNOT OPEN FILE ";
constexpr std::string_view CANNOT_WRITE = "    CANNOT WRITE FILE ";

std::vector<std::string> body(std::int32_t code, std::string_view file, int namesLine, bool written) {
  switch (code) {
    case 3: return {BELOW, "    OF THE DEEPEST LAYER, NODE"};
    case 13: return {BELOW, "    OF THE DEEPEST LAYER, NODE2D"};
    case 14: return {"    DETERMINANT OF STIFFNESS MATRIX IS ZERO"};
    case 21: return {"    WEAK ROCK, THE COHESIVE STRENGTH IS ZERO"};
    case 22: return {BEYOND, "    OF INPUT CURVE FOR UNIT WEIGHT"};
    case 23: return {BEYOND, "    OF INPUT CURVE FOR COHESION"};
    case 24: return {BEYOND, "    OF INPUT CURVE FOR FRICTION ANGLE"};
    case 25: return {BEYOND, "    OF INPUT CURVE FOR SIDE FRICTION"};
    case 26: return {BEYOND, "    OF INPUT CURVE FOR SIDE RESISTANCE"};
    case 27: return {BEYOND, "    OF INPUT CURVE FOR FRICTION ANGLE"};
    case 28: return {"    SILT, THE FRICTION ANGLE IS ZERO"};
    case 29: return {"    SILT, SLOPE ANGLE GREATER THAN FRICTION ANGLE"};
    case 30: return {"    SAND, THE FRICTION ANGLE IS ZERO"};
    case 31: return {"    SAND, SLOPE ANGLE GREATER THAN FRICTION ANGLE"};
    case 32: return {"     LS CURVE, E50 VALUE IS ZERO"};
    case 33: return {"      LS CURVE, COHESION VALUE IS ZERO"};
    case 34: return {"     TORQUE CURVE, E50 VALUE IS ZERO"};
    case 35: return {"     TORQUE CURVE, COHESION VALUE IS ZERO"};
    case 36: return {"     CONVERGENCE ERROR, ", "     WHILE COMPUTING AXIAL FORCES ALONG PILE"};
    case 40:
      return {"    NAMES FILE " + std::string(file.empty() ? "Names.dat" : file) +
              " IS MISSING OR SHORT"};
    case 41:
      if (file.empty() && namesLine > 0)
        return {"    NO FILE NAME ON LINE " + std::to_string(namesLine) + " OF THE NAMES FILE"};
      if (file.empty()) return {"    CANNOT OPEN OR WRITE A FILE OF THE RUN"};
      if (namesLine > 0)
        return {failedFileLine(file, written),
                "    NAMED ON LINE " + std::to_string(namesLine) + " OF THE NAMES FILE"};
      return {failedFileLine(file, written)};
    case 42: return {"    INPUT DATA FILE ENDS EARLY OR HOLDS A VALUE OF THE WRONG FORM"};
    case 43: return {"    A COUNT EXCEEDS ITS TABLE OR A VALUE IS OUT OF RANGE"};
    case 44: return {"    THE PLATE MODEL OF THE CAP CANNOT GO ON", "    (DIAGNOSIS IN THE PLATE LISTING AND ABOVE)"};
    default: return {"    " + std::to_string(code) + ", UNKNOWN CODE"};
  }
}

}  // namespace

std::string failedFileLine(std::string_view file, bool written) {
  return std::string(written ? CANNOT_WRITE : CANNOT_OPEN) + std::string(file);
}

bool fileOfFailedLine(std::string_view line, std::string& file, bool& written) {
  // The log writes its lines after one blank.
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  for (const bool w : {false, true}) {
    const std::string_view lead = w ? CANNOT_WRITE : CANNOT_OPEN;
    if (line.size() > lead.size() && line.substr(0, lead.size()) == lead) {
      file = line.substr(lead.size());
      written = w;
      return true;
    }
  }
  return false;
}

std::vector<std::string> statusLines(std::int32_t code, std::string_view file, int namesLine,
                                     bool written) {
  if (code == 0) return {"    ANALYSIS COMPLETED"};
  if (code == 4) return {"     *** ANALYSIS STOPPED BY USER ***"};
  std::vector<std::string> lines{HEADING};
  for (std::string& l : body(code, file, namesLine, written)) lines.push_back(std::move(l));
  return lines;
}

}  // namespace drelm
