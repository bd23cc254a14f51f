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
    const SoilInputs keep = soilInputs(code);
    for (int end = 0; end < 2; ++end) {  // 0 top, 1 bottom
      const int i = 2 * L - 1 + end;
      // Input column of property j at this end.
      auto val = [&](int j) { return in.SLVAL(L, 2 * j + 1 + end); };
      S.XPROF(i) = S.XGAM(i) = in.SLVAL(L, 1 + end);
      // A negative k, E50, side friction or tip resistance, and the maximum
      // stress of an elastic subgrade below 0, mean the same as 0 (estimated,
      // or no limit): stored as 0, they read as 0 also where a look-up
      // interpolates along a layer or averages two layers at their boundary.
      const auto zeroBelow = [](double v) { return v < 0.0 ? 0.0 : v; };
      S.GAMPR(i) = val(1);
      S.FSPROF(i) = zeroBelow(val(8));
      S.QTPROF(i) = zeroBelow(val(9));
      S.CPROF(i) = !keep.c ? 0.0 : code == ST_ELASTIC ? zeroBelow(val(2)) : val(2);
      S.PHIPR(i) = keep.phi ? val(3) * std::numbers::pi / 180.0 : 0.0;  // degrees x pi, then / 180
      S.KPROF(i) = keep.k ? zeroBelow(val(4)) : 0.0;
      S.ERPROF(i) = keep.er ? val(5) : 0.0;
      S.E50PR(i) = keep.e50 ? zeroBelow(val(6)) : 0.0;
      S.JPROF(i) = keep.j ? val(7) : 0.0;
      if (code == ST_VUGGY) S.E50PR(i) = double(0.0005f);
    }
  }
  // The top of the layer below the deepest one closes the profile; set once
  // here, before any solver runs, so that the solvers only read it.
  if (S.NLAYER >= 1) S.LTOP(S.NLAYER + 1) = S.LBOT(S.NLAYER);
}

}  // namespace drelm
