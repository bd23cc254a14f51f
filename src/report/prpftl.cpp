#include "report/prpftl.h"

#include "model/fileio.h"
#include "model/model_run.h"


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

}  // namespace drelm
