// Fixed-capacity arrays and texts of the shared tables.
//
// The tables are indexed the way the engineering formulation indexes them:
// node k of a pile is slot k, pile p is slot p, both counted from 1 (or from
// another lower bound where a table starts at 0). Multi-dimensional tables
// keep the first index fastest, except the row tables (RowArray2) and the
// per-pile tables (PileArray*, below), which keep each row's or pile's
// slots together. Bounds are checked in debug and sanitizer builds
// (DRELM_BOUNDS_CHECK) and cost nothing in release builds.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace drelm {

#ifdef DRELM_BOUNDS_CHECK
[[noreturn]] inline void boundsFault(long index, long lo, long hi) {
  std::fprintf(stderr, "drelm: table index %ld outside %ld..%ld\n", index, lo, hi);
  std::abort();
}
#define DRELM_CHECK_INDEX(i, lo, hi) \
  do {                               \
    if ((i) < (lo) || (i) > (hi)) ::drelm::boundsFault((i), (lo), (hi)); \
  } while (0)
#else
#define DRELM_CHECK_INDEX(i, lo, hi) ((void)0)
#endif

// One-dimensional table of N entries indexed LO .. LO+N-1.
template <typename T, int N, int LO = 1>
struct FArray {
  T v[N]{};

  static constexpr int lo = LO;
  static constexpr int hi = LO + N - 1;
  static constexpr int size = N;

  T& operator()(int i) {
    DRELM_CHECK_INDEX(i, LO, hi);
    return v[i - LO];
  }
  const T& operator()(int i) const {
    DRELM_CHECK_INDEX(i, LO, hi);
    return v[i - LO];
  }
  T* data() { return v; }
  const T* data() const { return v; }
  void fill(const T& x) { std::fill(v, v + N, x); }
};

// Two-dimensional table N1 x N2, first index fastest, indices from LO1 and LO2.
template <typename T, int N1, int N2, int LO1 = 1, int LO2 = 1>
struct FArray2 {
  T v[N1 * N2]{};

  static constexpr int size1 = N1;
  static constexpr int size2 = N2;

  T& operator()(int i, int j) {
    DRELM_CHECK_INDEX(i, LO1, LO1 + N1 - 1);
    DRELM_CHECK_INDEX(j, LO2, LO2 + N2 - 1);
    return v[(i - LO1) + N1 * (j - LO2)];
  }
  const T& operator()(int i, int j) const {
    DRELM_CHECK_INDEX(i, LO1, LO1 + N1 - 1);
    DRELM_CHECK_INDEX(j, LO2, LO2 + N2 - 1);
    return v[(i - LO1) + N1 * (j - LO2)];
  }
  T* data() { return v; }
  const T* data() const { return v; }
  void fill(const T& x) { std::fill(v, v + N1 * N2, x); }
};

// Three-dimensional table N1 x N2 x N3, first index fastest, indices from 1.
template <typename T, int N1, int N2, int N3>
struct FArray3 {
  T v[N1 * N2 * N3]{};

  T& operator()(int i, int j, int k) {
    DRELM_CHECK_INDEX(i, 1, N1);
    DRELM_CHECK_INDEX(j, 1, N2);
    DRELM_CHECK_INDEX(k, 1, N3);
    return v[(i - 1) + N1 * ((j - 1) + N2 * (k - 1))];
  }
  const T& operator()(int i, int j, int k) const {
    DRELM_CHECK_INDEX(i, 1, N1);
    DRELM_CHECK_INDEX(j, 1, N2);
    DRELM_CHECK_INDEX(k, 1, N3);
    return v[(i - 1) + N1 * ((j - 1) + N2 * (k - 1))];
  }
  T* data() { return v; }
  void fill(const T& x) { std::fill(v, v + N1 * N2 * N3, x); }
};

// Per-pile tables. They are indexed like the others, pile first and 1-based
// ((p), (p, j), (p, j, k)), but the pile index varies slowest: all slots of
// pile 1, then all of pile 2, and within a pile the next index fastest. Each
// pile's slots begin on a cache line of their own, so the nodes of one pile
// lie together and threads that work on neighbouring piles never write the
// same line. Unused slots pad each pile to whole lines.
constexpr std::size_t CACHE_LINE = 64;

// Elements of T per pile: n slots rounded up to whole cache lines.
template <typename T>
constexpr int pileStride(int n) {
  const std::size_t bytes = (static_cast<std::size_t>(n) * sizeof(T) + CACHE_LINE - 1) / CACHE_LINE * CACHE_LINE;
  return static_cast<int>(bytes / sizeof(T));
}

// One value per pile, each on its own cache line.
template <typename T, int NP>
struct PileArray {
  static constexpr int S = pileStride<T>(1);
  alignas(CACHE_LINE) T v[NP * S]{};

  static constexpr int size = NP;

  T& operator()(int p) {
    DRELM_CHECK_INDEX(p, 1, NP);
    return v[(p - 1) * S];
  }
  const T& operator()(int p) const {
    DRELM_CHECK_INDEX(p, 1, NP);
    return v[(p - 1) * S];
  }
};

// Two-dimensional table N1 x N2, (i, j) from 1, with the N2 slots of row i
// together and rows S elements apart.
template <typename T, int N1, int N2, int S, std::size_t A>
struct StridedRows2 {
  alignas(A) T v[N1 * S]{};

  static constexpr int size1 = N1;
  static constexpr int size2 = N2;

  T& operator()(int i, int j) {
    DRELM_CHECK_INDEX(i, 1, N1);
    DRELM_CHECK_INDEX(j, 1, N2);
    return v[(i - 1) * S + (j - 1)];
  }
  const T& operator()(int i, int j) const {
    DRELM_CHECK_INDEX(i, 1, N1);
    DRELM_CHECK_INDEX(j, 1, N2);
    return v[(i - 1) * S + (j - 1)];
  }
  void fill(const T& x) { std::fill(v, v + N1 * S, x); }
};

// Tables written and read a row (a pile, a curve, a property) at a time, so
// that a few rows touch a few pages instead of one page per column.
template <typename T, int N1, int N2>
using RowArray2 = StridedRows2<T, N1, N2, N2, alignof(T)>;

// NP piles of N2 slots: (p, j), each pile on cache lines of its own.
template <typename T, int NP, int N2>
using PileArray2 = StridedRows2<T, NP, N2, pileStride<T>(N2), CACHE_LINE>;

// NP piles of N2 x N3 slots: (p, j, k), j fastest within the pile.
template <typename T, int NP, int N2, int N3>
struct PileArray3 {
  static constexpr int S = pileStride<T>(N2 * N3);
  alignas(CACHE_LINE) T v[NP * S]{};

  T& operator()(int p, int j, int k) {
    DRELM_CHECK_INDEX(p, 1, NP);
    DRELM_CHECK_INDEX(j, 1, N2);
    DRELM_CHECK_INDEX(k, 1, N3);
    return v[(p - 1) * S + (j - 1) + N2 * (k - 1)];
  }
  const T& operator()(int p, int j, int k) const {
    DRELM_CHECK_INDEX(p, 1, NP);
    DRELM_CHECK_INDEX(j, 1, N2);
    DRELM_CHECK_INDEX(k, 1, N3);
    return v[(p - 1) * S + (j - 1) + N2 * (k - 1)];
  }
  // The N2 x N3 slots of pile p, contiguous, j fastest.
  T* pile(int p) {
    DRELM_CHECK_INDEX(p, 1, NP);
    return v + (p - 1) * S;
  }
  const T* pile(int p) const {
    DRELM_CHECK_INDEX(p, 1, NP);
    return v + (p - 1) * S;
  }
};

// Blank-padded text of exactly N characters, as the reports and the names
// file hold them.
template <int N>
struct FStr {
  char c[N]{};

  // constexpr, so that tables of texts are set up at compile time.
  constexpr FStr() { std::fill(c, c + N, ' '); }
  constexpr FStr(std::string_view s) { assign(s); }  // NOLINT: texts read like literals

  static constexpr int size = N;

  constexpr void assign(std::string_view s) {
    const std::size_t n = std::min<std::size_t>(s.size(), N);
    std::copy(s.data(), s.data() + n, c);
    std::fill(c + n, c + N, ' ');
  }
  FStr& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  // The whole text, trailing blanks included.
  std::string_view view() const { return std::string_view(c, N); }
  std::string str() const { return std::string(c, N); }
  // The text up to its last non-blank character.
  std::string trimmed() const {
    int n = N;
    while (n > 0 && (c[n - 1] == ' ' || c[n - 1] == '\0')) --n;
    return std::string(c, n);
  }
  bool blank() const { return trimmed().empty(); }
  char& operator()(int i) {  // 1-based character position
    DRELM_CHECK_INDEX(i, 1, N);
    return c[i - 1];
  }
};

}  // namespace drelm
