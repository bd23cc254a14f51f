#include "pile/llpwarn.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm {
namespace {

// I5 field: asterisks when the value does not fit.
void i5(char* out, std::int32_t v) {
  if (v < -9999 || v > 99999)
    std::memcpy(out, "*****", 5);
  else
    std::snprintf(out, 6, "%5d", static_cast<int>(v));
}

// Each line is written whole to each unit under one lock, so the warnings
// of piles solved side by side never interleave.
void warn(std::string_view line) {
  const int units[2] = {U_RESULTS, U_LOG};
#pragma omp critical(drelm_report)
  for (int u : units) {
    io::endRecord(u);
    io::endRecord(u);
    io::put(u, line);
    io::endRecord(u);
  }
}

}  // namespace

void llpNoClosure(std::int32_t maxit, std::int32_t pile) {
  // Built on the stack: the solver runs for every pile at every iteration
  // of the cap solution and never touches the heap.
  char text[] = "     ** WARNING **  NO CLOSURE OF A LLP AFTER #####  ITERATIONS          PILE GROUP#####";
  const std::size_t len = sizeof text - 1;
  char num[6];
  i5(num, maxit);
  std::memcpy(text + 46, num, 5);
  i5(num, pile);
  std::memcpy(text + len - 5, num, 5);
  warn(std::string_view(text, len));
}

// A pile whose equations have no unique solution (a zero or vanishing pivot:
// a mechanism, such as a pinned pile without springs).
void llpSingular(std::int32_t pile) {
  char text[] = "     ** WARNING **  NO SOLUTION OF A LLP, SINGULAR PILE EQUATIONS     PILE GROUP#####";
  const std::size_t len = sizeof text - 1;
  char num[6];
  i5(num, pile);
  std::memcpy(text + len - 5, num, 5);
  warn(std::string_view(text, len));
}

}  // namespace drelm
