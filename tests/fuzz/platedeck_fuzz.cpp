// libFuzzer harness of the plate model: each fuzz input becomes the numeric
// plate deck of a plate solution in a private scratch directory, which reads
// it, checks it and steps it to its end on four pile heads of linear
// springs. Any crash, sanitizer report or hang is a fault; status 0 or 44
// is the expected answer to any deck. A deck whose pseudo-time range needs
// more than a few thousand steps is passed over: its stepping is bounded
// (100,001 steps at most) but may take a minute, which is no hang.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fecap/fedata.h"
#include "fecap/slabsol.h"
#include "fuzzdir.h"
#include "model/fileio.h"
#include "model/model_run.h"

namespace {

// Linear springs in cap axes, the same at every head.
struct Springs : drelm::PlateHeads {
  static constexpr double k[6] = {1.0E4, 2.0E3, 2.0E3, 1.0E3, 5.0E3, 5.0E3};
  void force(std::int32_t, double (&F)[6], const double (&U)[6], std::int32_t&) override {
    for (int i = 0; i < 6; ++i) F[i] = -k[i] * U[i];
  }
  void stiffness(std::int32_t, double (&K)[36], const double (&)[6], std::int32_t&) override {
    for (int i = 0; i < 36; ++i) K[i] = 0.0;
    for (int i = 0; i < 6; ++i) K[i + 6 * i] = -k[i];
  }
};

// The values of the deck's reads as the plate model reads them: every read
// starts at a new record and takes values from as many records as it needs.
// Control record 1 holds 16 values, control record 2 begins DT, TINI, TEND.
bool longStepping(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> records(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') records.emplace_back();
    else records.back() += static_cast<char>(data[i]);
  }
  std::size_t r = 1;  // after the title
  auto read = [&](std::size_t n) {
    std::vector<double> v;
    while (v.size() < n && r < records.size()) {
      std::string t = records[r++];
      for (char& c : t)
        if (c == ',') c = ' ';
      const char* p = t.c_str();
      char* end = nullptr;
      for (double x = std::strtod(p, &end); end != p && v.size() < n; x = std::strtod(p, &end)) {
        v.push_back(x);
        p = end;
      }
    }
    return v;
  };
  if (read(16).size() < 16) return false;
  const std::vector<double> t = read(3);
  if (t.size() < 3) return false;
  // Steps are halved only where one fails, which springs that stay linear
  // hardly make: the nominal step gives the count.
  constexpr double most = 2000.0;
  return t[0] > 0.0 && t[2] - t[1] > most * t[0];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  drelm::fuzz::enterScratchDir("drelm-platefuzz");
  std::FILE* f = std::fopen(drelm::GSLAB_NAME, "w");
  if (!f) std::abort();
  std::fputs("f.fekey\nf.fedeck\nf.felist\nf.fepost\nf.feconv\n", f);
  std::fclose(f);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (longStepping(data, size)) return 0;
  std::FILE* f = std::fopen("f.fedeck", "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  drelm::io::OPEN(drelm::U_LOG, "f.log", drelm::io::Access::Write);
  Springs heads;
  std::int32_t ISTAT = 0;
  drelm::SLABSOL(&heads, ISTAT);
  drelm::io::CLOSE(drelm::U_LOG);
  if (ISTAT != drelm::STAT_OK && ISTAT != drelm::STAT_PLATE) {
    std::fprintf(stderr, "drelm plate fuzz: unexpected status %d\n", static_cast<int>(ISTAT));
    std::abort();
  }
  return 0;
}
