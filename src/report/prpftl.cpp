#include "report/prpftl.h"

#include <vector>

#include "model/fileio.h"
#include "model/model_run.h"
#include "model/model_units.h"
#include "report/writers.h"


namespace drelm {

void PRPFTL(std::int32_t& ISTAT, std::int32_t code, std::initializer_list<std::string> text) {
  for (int unit : {static_cast<int>(U_LOG), static_cast<int>(U_RESULTS)}) {
    io::endRecord(unit);
    io::put(unit, std::string(29, ' ') + "**** FATAL ERROR ****");
    io::endRecord(unit);
    for (const std::string& s : text) {
      io::put(unit, "     " + s);
      io::endRecord(unit);
    }
  }
  ISTAT = code;
}

namespace {

void writeNodeBlock(const std::string* first, const std::string* last) {
  for (int unit : {static_cast<int>(U_RESULTS), static_cast<int>(U_LOG)}) {
    for (int k = 0; k < 3; ++k) io::endRecord(unit);
    io::put(unit, "     **** FATAL ERROR ****");
    io::endRecord(unit);
    for (const std::string* l = first; l != last; ++l) {
      io::put(unit, "     " + *l);
      io::endRecord(unit);
    }
  }
}

}  // namespace

void nodeFatalBlock(std::initializer_list<std::string> lines) { writeNodeBlock(lines.begin(), lines.end()); }

void belowProfileBlock(double PLEN, std::initializer_list<std::string> more) {
  std::vector<std::string> lines{"THE PILE LENGTH, " + EFIELD(10, 2, PLEN) + "(" + UNITLB.ULLEN3.str() +
                                     "), EXTENDS BELOW THE",
                                 "BOTTOM OF THE DEEPEST LAYER."};
  lines.insert(lines.end(), more.begin(), more.end());
  writeNodeBlock(lines.data(), lines.data() + lines.size());
}

}  // namespace drelm
