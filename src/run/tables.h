// Registration of the global tables, so that a run can start from cleared
// tables whatever the previous call in the same process left there.
#pragma once

#include <cstddef>
#include <new>

namespace drelm {

using TableClear = void (*)(void*);
bool registerTable(void* table, TableClear clear);
bool registerZeroTable(void* table, std::size_t bytes, TableClear clear);
// The tables registered as all-zero when cleared, with their sizes.
struct ZeroTable {
  const void* table;
  std::size_t bytes;
};
const ZeroTable* zeroTables(std::size_t& count);
// Reset every registered table to its initial state.
void clearTables();

template <typename T>
void clearTableOf(void* p) {
  T* t = static_cast<T*>(p);
  t->~T();
  new (t) T();  // value-initialised in place: no large temporaries
}

// Set n bytes at p to zero. Large blocks get fresh zero pages instead of
// being written over, so clearing a table the run never touched costs
// nothing.
void zeroBytes(void* p, std::size_t n);

template <typename T>
void zeroTableOf(void* p) {
  zeroBytes(p, sizeof(T));
}

}  // namespace drelm

// Define a global table and register it for clearing at run start.
#define DRELM_TABLE(Type, name) \
  Type name;                    \
  static const bool name##_registered = ::drelm::registerTable(&name, &::drelm::clearTableOf<Type>)

// The same for a large table whose cleared state is all zero bytes (numbers
// and counts without other initial values); a test checks that each one is.
#define DRELM_ZERO_TABLE(Type, name) \
  Type name;                         \
  static const bool name##_registered = ::drelm::registerZeroTable(&name, sizeof(Type), &::drelm::zeroTableOf<Type>)
