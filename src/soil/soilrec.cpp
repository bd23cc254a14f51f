// The soil record from the input layers: two profile points per layer, each
// property kept only where the layer's soil type uses it.
#include "soil/soilrec.h"

#include <numbers>
#include <string>

#include "model/fileio.h"
#include "model/model.h"
#include "report/prpftl.h"
#include "soil/lookup.h"

namespace drelm {

namespace {

// Which of c, friction angle, k, Er, E50 and J a soil type takes from the
// input; the others are zero. Unit weight, side friction and tip resistance
// are always kept.
struct Kept {
  bool c, phi, k, er, e50, j;
};

Kept keptBy(std::int32_t code) {
  switch (code) {
    case 1: case 3: return {true, false, false, false, true, false};
    case 2: case 10: return {true, false, true, false, true, false};
    case 4: case 8: return {false, true, true, false, false, false};
    case 5: case 11: return {false, false, false, false, false, false};
    case 6: return {true, false, false, false, false, false};
    case 7: return {true, true, true, false, true, false};
    case 9: return {true, false, false, true, true, true};
    case 13: return {true, false, false, false, true, true};
    case 14: return {true, false, true, false, true, true};
    default: return {true, true, true, true, true, true};  // 12 and unknown codes
  }
}

}  // namespace

void SOILREC(std::int32_t& ISTAT) {
  // The section table is complete by now; close it before any look-up.
  SECMARK(ISTAT);
  if (ISTAT != 0) return;

  const SOILIN_T& in = SOILIN;
  SOILCOM_T& S = SOILCOM;
  constexpr int limit = decltype(in.SLTYPE)::size;  // input layers; the record holds more
  if (in.NLAYIN < 0 || in.NLAYIN > limit) {
    PRPFTL(ISTAT, STAT_CAPACITY,
           {"THE NUMBER OF SOIL LAYERS, " + std::to_string(in.NLAYIN) + ", IS OUTSIDE THE RANGE 0 TO " +
            std::to_string(limit)});
    return;
  }

  S.NLAYER = in.NLAYIN;
  S.NPROF = S.NGAM = 2 * S.NLAYER;
  for (int L = 1; L <= S.NLAYER; ++L) {
    const std::int32_t code = in.SLTYPE(L);
    S.LTYPE(L) = code;
    S.LTOP(L) = in.SLVAL(L, 1);
    S.LBOT(L) = in.SLVAL(L, 2);
    const Kept keep = keptBy(code);
    for (int end = 0; end < 2; ++end) {  // 0 top, 1 bottom
      const int i = 2 * L - 1 + end;
      // Input column of property j at this end.
      auto val = [&](int j) { return in.SLVAL(L, 2 * j + 1 + end); };
      S.XPROF(i) = S.XGAM(i) = in.SLVAL(L, 1 + end);
      S.GAMPR(i) = val(1);
      S.FSPROF(i) = val(8);
      S.QTPROF(i) = val(9);
      S.CPROF(i) = keep.c ? val(2) : 0.0;
      S.PHIPR(i) = keep.phi ? val(3) * std::numbers::pi / 180.0 : 0.0;  // degrees x pi, then / 180
      S.KPROF(i) = keep.k ? val(4) : 0.0;
      S.ERPROF(i) = keep.er ? val(5) : 0.0;
      S.E50PR(i) = keep.e50 ? val(6) : 0.0;
      S.JPROF(i) = keep.j ? val(7) : 0.0;
      if (code == ST_VUGGY) S.E50PR(i) = double(0.0005f);
    }
  }
  // The top of the layer below the deepest one closes the profile; set once
  // here, before any solver runs, so that the solvers only read it.
  if (S.NLAYER >= 1) S.LTOP(S.NLAYER + 1) = S.LBOT(S.NLAYER);
}

}  // namespace drelm
