// Writes the generated space model of spacegen.h for a number of piles:
//   drelm_spacegen PILES [FILE]     (default: standard output)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "spacegen.h"

int main(int argc, char** argv) {
  const int piles = argc > 1 ? std::atoi(argv[1]) : 0;
  if (piles < 1 || piles > 2500) {
    std::fprintf(stderr, "usage: drelm_spacegen PILES [FILE]   (PILES 1 .. 2500)\n");
    return 2;
  }
  const std::string text = drelm::bench::spaceGridInput(piles);
  std::FILE* out = argc > 2 ? std::fopen(argv[2], "wb") : stdout;
  if (!out) {
    std::fprintf(stderr, "drelm_spacegen: cannot write %s\n", argv[2]);
    return 2;
  }
  const bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out != stdout) std::fclose(out);
  return ok ? 0 : 2;
}
