// General-form real field of the fixed-layout report lines: fixed form with d
// significant digits for moderate magnitudes, exponent form otherwise.
#pragma once

#include <string>

namespace drelm {

// A real in w columns. When 0.1 <= |x| < 10^d after rounding to d significant
// digits: fixed form with d significant digits right-justified in w-4
// columns, then 4 blanks (zero: d-1 decimals). Otherwise exponent form with
// one digit before the point, d decimals and a four-character exponent,
// right-justified in w columns. Asterisks when the value does not fit.
std::string generalField(int w, int d, double x);

}  // namespace drelm
