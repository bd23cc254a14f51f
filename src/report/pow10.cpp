#include "report/pow10.h"

#include <array>
#include <cmath>

namespace drelm {
namespace {

constexpr int LOW = -400, HIGH = 400;

// Computed by the math library at run time (the base is read through a
// volatile so that no constant folding can round a power differently).
const std::array<double, HIGH - LOW + 1>& table() {
  static const std::array<double, HIGH - LOW + 1> t = [] {
    std::array<double, HIGH - LOW + 1> p{};
    volatile double ten = 10.0;
    for (int k = LOW; k <= HIGH; ++k) p[static_cast<std::size_t>(k - LOW)] = std::pow(ten, k);
    return p;
  }();
  return t;
}

}  // namespace

double powerOfTen(int k) {
  if (k < LOW || k > HIGH) return std::pow(10.0, k);
  return table()[static_cast<std::size_t>(k - LOW)];
}

}  // namespace drelm
