// The exported entry point of the shared library.
#include <cstdint>

#include "run/rundrv.h"

extern "C" __attribute__((visibility("default"))) std::int32_t IDRELM(std::int32_t code) {
  return drelm::IDRELM(code);
}
