#include "run/tables.h"

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

}  // namespace

bool registerTable(void* table, TableClear clear) {
  registry().push_back({table, clear});
  return true;
}

void clearTables() {
  for (const Entry& e : registry()) e.clear(e.table);
}

}  // namespace drelm
