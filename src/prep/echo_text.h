// Plain lines of the input echo (unit 32): literal text ended without the
// writers' trailing blank, and empty lines.
#pragma once

#include <string>
#include <string_view>

#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm::echo {

inline std::string blanks(int n) { return std::string(n > 0 ? n : 0, ' '); }
inline void put(std::string_view s) { io::put(U_ECHO, s); }
inline void text(std::string_view s) {
  io::put(U_ECHO, s);
  io::endRecord(U_ECHO);
}
inline void empty(int n = 1) {
  for (int k = 0; k < n; ++k) io::endRecord(U_ECHO);
}
// A text of n columns, a shorter one right-justified (Fortran An output).
inline std::string field(std::string_view s, int n) {
  if (static_cast<int>(s.size()) >= n) return std::string(s.substr(0, n));
  return blanks(n - static_cast<int>(s.size())) + std::string(s);
}

}  // namespace drelm::echo
