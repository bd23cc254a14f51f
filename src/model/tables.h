// Registration of the global tables, so that a run can start from cleared
// tables whatever the previous call in the same process left there.
//
// A table is a plain struct of numbers and texts, so its initial state is
// a byte image: at registration (right after its construction at library
// load) the non-zero bytes of that image are kept aside, and clearing
// writes zero bytes (fresh zero pages for large blocks) and puts them back.
// A run thus writes only what it uses and what is not zero at start.
#pragma once

#include <cstddef>
#include <type_traits>

namespace drelm {

// Register a table and keep its non-zero initial bytes.
bool registerTable(void* table, std::size_t bytes);
// Register a table whose initial state is all zero bytes (not scanned; a
// test checks that each one is).
bool registerZeroTable(void* table, std::size_t bytes);
// The tables registered as all-zero, with their sizes.
struct ZeroTable {
  const void* table;
  std::size_t bytes;
};
const ZeroTable* zeroTables(std::size_t& count);
// Register a large table kept as zero storage (nothing of it is read or
// kept at load) whose few other initial values, such as blank texts,
// `start` sets after each clearing.
bool registerStartedTable(void* table, std::size_t bytes, void (*start)());
// Reset every registered table to its initial state.
void clearTables();
// Say that no table has been written since the library was loaded: the
// next clearing then writes only the values set after clearing (blank
// texts), not a byte of the rest, which is already as it starts. Only the
// library's entry point, at its first call, may say so.
void tablesAsLoaded();

// Set n bytes at p to zero. Whole pages get fresh zero pages instead of
// being written over, so clearing a table the run never touched costs
// nothing.
void zeroBytes(void* p, std::size_t n);

// A table is restored byte for byte: it must hold nothing that owns memory.
template <typename T>
constexpr bool isPlainTable = std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>;

}  // namespace drelm

// Define a global table and register it for clearing at run start. Its
// texts start blank (constant-initialised: no code runs at library load).
#define DRELM_TABLE(Type, name)                                       \
  static_assert(::drelm::isPlainTable<Type>, #Type " must be plain"); \
  constinit Type name;                                                \
  static const bool name##_registered = ::drelm::registerTable(&name, sizeof(Type))

// The same for a table whose cleared state is all zero bytes (numbers and
// counts without other initial values): it is never read at registration.
#define DRELM_ZERO_TABLE(Type, name)                                  \
  static_assert(::drelm::isPlainTable<Type>, #Type " must be plain"); \
  Type name;                                                          \
  static const bool name##_registered = ::drelm::registerZeroTable(&name, sizeof(Type))

// The same for a large table stored as zero bytes but for the members named
// in the initialisers (blank texts stored as zeros); `start` sets their
// starting values after each clearing. The members not named keep their
// (zero) defaults.
#define DRELM_STARTED_TABLE(Type, name, start, ...)                         \
  static_assert(::drelm::isPlainTable<Type>, #Type " must be plain");       \
  _Pragma("GCC diagnostic push")                                            \
  _Pragma("GCC diagnostic ignored \"-Wmissing-field-initializers\"")        \
  constinit Type name{__VA_ARGS__};                                         \
  _Pragma("GCC diagnostic pop")                                             \
  static const bool name##_registered = ::drelm::registerStartedTable(&name, sizeof(Type), start)
