// The exported entry point of the shared library.
#include <atomic>
#include <cstdint>

#include "run/rundrv.h"
#include "model/tables.h"

extern "C" __attribute__((visibility("default"))) std::int32_t IDRELM(std::int32_t code) {
  // Nothing of the engine runs in this process before the first call, so
  // the first run finds the tables as the library was loaded.
  static std::atomic<bool> first{true};
  return drelm::IDRELM(code, [] {
    if (first.exchange(false)) drelm::tablesAsLoaded();
  });
}
