// Output pieces of the pile-head curve tables: the free-form real, the
// zero-value warning block and the line pieces of the tables.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "model/fileio.h"
#include "model/model_run.h"
#include "transfer/hcwork.h"

namespace drelm {

std::string FREEREAL(double x) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

void HCWARN(const std::string& text) {
  for (int u : {static_cast<int>(U_RESULTS), static_cast<int>(U_LOG)}) {
    io::endRecord(u);
    io::put(u, std::string(29, ' ') + "**** WARNING ****");
    io::endRecord(u);
    io::put(u, "     " + text);
    io::endRecord(u);
  }
}

namespace hc {

void out(int unit, const std::string& text) {
  io::put(unit, text);
  io::endRecord(unit);
}
std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
double shown(double x, bool uplift) { return uplift && x != 0.0 ? -x : x; }

}  // namespace hc

}  // namespace drelm
