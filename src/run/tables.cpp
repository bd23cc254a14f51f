#include "run/tables.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace drelm {
namespace {

struct Entry {
  void* table;
  TableClear clear;
};

std::vector<Entry>& registry() {
  static std::vector<Entry> r;
  return r;
}

std::vector<ZeroTable>& zeroRegistry() {
  static std::vector<ZeroTable> r;
  return r;
}

}  // namespace

bool registerTable(void* table, TableClear clear) {
  registry().push_back({table, clear});
  return true;
}

bool registerZeroTable(void* table, std::size_t bytes, TableClear clear) {
  zeroRegistry().push_back({table, bytes});
  return registerTable(table, clear);
}

const ZeroTable* zeroTables(std::size_t& count) {
  count = zeroRegistry().size();
  return zeroRegistry().data();
}

void zeroBytes(void* p, std::size_t n) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto b = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t lo = (b + page - 1) & ~(page - 1);
  const std::uintptr_t hi = (b + n) & ~(page - 1);
  if (page > 0 && hi > lo + 16 * page) {
    // Replace the whole pages by fresh anonymous zero pages; only the
    // partial pages at the two ends are written.
    void* r = mmap(reinterpret_cast<void*>(lo), hi - lo, PROT_READ | PROT_WRITE,
                   MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (r != MAP_FAILED) {
      std::memset(p, 0, lo - b);
      std::memset(reinterpret_cast<void*>(hi), 0, b + n - hi);
      return;
    }
  }
  std::memset(p, 0, n);
}

void clearTables() {
  for (const Entry& e : registry()) e.clear(e.table);
}

}  // namespace drelm
