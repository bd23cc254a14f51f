// Powers of ten for the field writers, which choose the form of every value
// they write by such powers.
#pragma once

namespace drelm {

// std::pow(10.0, k), bit for bit: taken from a table of its own results for
// the exponents a double can reach.
double powerOfTen(int k);

}  // namespace drelm
