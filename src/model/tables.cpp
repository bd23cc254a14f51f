#include "model/tables.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace drelm {
namespace {

// A run of non-zero bytes of a table's initial image.
struct Run {
  std::size_t offset;
  std::size_t bytes;
  std::size_t image;  // its first byte in images()
};

struct Entry {
  void* table;
  std::size_t bytes;
  std::size_t firstRun, runs;  // in runs()
  void (*start)();             // sets the other initial values, or null
};

std::vector<Entry>& registry() {
  static std::vector<Entry> r;
  return r;
}
std::vector<Run>& runs() {
  static std::vector<Run> r;
  return r;
}
std::vector<unsigned char>& images() {
  static std::vector<unsigned char> r;
  return r;
}
// No table written since the library was loaded.
bool asLoaded = false;

std::vector<ZeroTable>& zeroRegistry() {
  static std::vector<ZeroTable> r;
  return r;
}

// The first non-zero byte of b[i..n), or n; zero words are skipped whole.
std::size_t nonZeroFrom(const unsigned char* b, std::size_t i, std::size_t n) {
  for (; i < n && i % 8 != 0; ++i)
    if (b[i] != 0) return i;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, b + i, 8);
    if (w != 0) break;
  }
  while (i < n && b[i] == 0) ++i;
  return i;
}

}  // namespace

bool registerTable(void* table, std::size_t bytes) {
  Entry e{table, bytes, runs().size(), 0, nullptr};
  const auto* b = static_cast<const unsigned char*>(table);
  // Short gaps of zeros stay inside a run: fewer, longer copies.
  constexpr std::size_t GAP = 32;
  std::size_t i = nonZeroFrom(b, 0, bytes);
  while (i < bytes) {
    const std::size_t start = i;
    std::size_t end = i;
    for (;;) {
      while (end < bytes && b[end] != 0) ++end;
      i = nonZeroFrom(b, end, bytes);
      if (i == bytes || i - end > GAP) break;
      end = i;
    }
    runs().push_back({start, end - start, images().size()});
    images().insert(images().end(), b + start, b + end);
    ++e.runs;
  }
  registry().push_back(e);
  return true;
}

bool registerZeroTable(void* table, std::size_t bytes) {
  zeroRegistry().push_back({table, bytes});
  registry().push_back({table, bytes, 0, 0, nullptr});
  return true;
}

bool registerStartedTable(void* table, std::size_t bytes, void (*start)()) {
  registry().push_back({table, bytes, 0, 0, start});
  return true;
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
  if (page > 0 && hi > lo) {
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

void tablesAsLoaded() { asLoaded = true; }

void clearTables() {
  const unsigned char* image = images().data();
  // Clearing tables as loaded would only bring their pages in.
  const bool loaded = std::exchange(asLoaded, false);
  for (const Entry& e : registry()) {
    if (!loaded) {
      zeroBytes(e.table, e.bytes);
      auto* t = static_cast<unsigned char*>(e.table);
      for (std::size_t k = e.firstRun; k < e.firstRun + e.runs; ++k) {
        const Run& r = runs()[k];
        std::memcpy(t + r.offset, image + r.image, r.bytes);
      }
    }
    if (e.start) e.start();
  }
}

}  // namespace drelm
