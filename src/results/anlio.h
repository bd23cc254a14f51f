// Line helpers of the analysis reports: literal lines, empty lines and the
// Fortran-style fields the result tables use.
#pragma once

#include <string>
#include <string_view>

#include "model/fileio.h"

namespace drelm::anl {

inline std::string blanks(int n) { return std::string(n > 0 ? n : 0, ' '); }
// One literal line, without the writers' trailing blank.
inline void out(int unit, std::string_view text) {
  io::put(unit, text);
  io::endRecord(unit);
}
inline void empty(int unit, int n = 1) {
  for (int k = 0; k < n; ++k) io::endRecord(unit);
}
// Ew.d with a 0.ddd mantissa.
std::string efield(int w, int d, double x);
// 1PGw.d: fixed form with d significant digits and 4 blanks for magnitudes
// from 0.1 to below 10^d, else one digit before the point and an exponent.
std::string gfield(int w, int d, double x);
// Fw.d.
std::string ffield(int w, int d, double x);

}  // namespace drelm::anl
