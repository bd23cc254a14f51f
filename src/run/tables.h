// Registration of the global tables, so that a run can start from cleared
// tables whatever the previous call in the same process left there.
#pragma once

#include <new>

namespace drelm {

using TableClear = void (*)(void*);
bool registerTable(void* table, TableClear clear);
// Reset every registered table to its initial state.
void clearTables();

template <typename T>
void clearTableOf(void* p) {
  T* t = static_cast<T*>(p);
  t->~T();
  new (t) T();  // value-initialised in place: no large temporaries
}

}  // namespace drelm

// Define a global table and register it for clearing at run start.
#define DRELM_TABLE(Type, name) \
  Type name;                    \
  static const bool name##_registered = ::drelm::registerTable(&name, &::drelm::clearTableOf<Type>)
