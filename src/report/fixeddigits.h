// Quick exact digits of the fixed edit for the common case.
#pragma once

namespace drelm {

// The digits of ax >= 0 rounded to n decimals exactly as
// std::to_chars(fixed, n) writes them ("123.450", "0.500", "7" for n = 0),
// into out; returns their count, or -1 when the quick way cannot be sure of
// the rounding (a tie or near-tie, a large value, many decimals) and the
// caller must use to_chars.
int fixedDigits(double ax, int n, char* out);

}  // namespace drelm
