// Axial response of one pile: the head force from the load-settlement curve,
// replaced by the load-transfer solution when the axial load along the pile
// is asked for.
#include "pile/axial.h"

#include <atomic>
#include <cmath>
#include <string_view>

#include "pile/headcrv.h"
#include "model/model.h"
#include "transfer/axcrv.h"
#include "transfer/axsolv.h"
#include "transfer/qwpile.h"
#include "transfer/tzpile.h"

namespace drelm {

namespace {

// The curve set lives only in this frame (some 75 kB of stack), so that the
// evaluations without the solution do not carry it.
[[gnu::noinline]] bool loadTransfer(const std::int32_t& IPILE, double D, NodeArray& AXMOV, NodeArray& AXLOAD,
                                    std::int32_t& ISTAT) {
  const std::int32_t t = PILEAR.PROPOFPILE(IPILE);
  AXCRV_T c;
  // A failed look-up of this pile is told from a code another pile left in
  // the shared status word.
  std::int32_t st = 0;
  TZPILE(IPILE, t, D, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZNPT, c.TZDEP);
  if (st == 0)
    QWPILE(IPILE, t, D, st, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZDEP, c.QWQ, c.QWW);
  if (st != 0) {
    std::atomic_ref<std::int32_t>(ISTAT).store(st, std::memory_order_relaxed);
    return false;
  }
  AXSOLV(IPILE, t, D, ISTAT, NQWPT, AXMOV, AXLOAD, c.TZT, c.TZZ, c.TZMAX, c.TZPHI, c.AETAB, c.AEDEP, c.TZNPT,
         c.TZDEP, c.QWQ, c.QWW);
  return true;
}

}  // namespace

void AXRESP(const std::int32_t& IPILE, double& PX, double D, NodeArray& AXMOV, NodeArray& AXLOAD,
            std::int32_t& ISTAT, const CurveWarnings& W) {
  const int p = IPILE;
  AXMOV.fill(0.0);
  AXLOAD.fill(0.0);
  PX = 0.0;
  if (D == 0.0) return;
  if (!HCVALUE(lsCurve(p), D, IPILE, W, PX)) return;
  if (CURCTL.IAXVAR != 1 || PILEAR.ILSCRV(p) >= 1) return;
  if (!loadTransfer(IPILE, D, AXMOV, AXLOAD, ISTAT)) return;
  PX = std::fabs(D) < 1.0E-25 ? D : AXLOAD(4);
  const double f = PILEAR.PAXFAC(p);
  for (int i = 1; i <= MAXNOD; ++i) AXLOAD(i) *= f;
}

CurveWarnings axialWarnings(std::string_view beyondMax, std::string_view beyondFail,
                            std::string_view beforeMax) {
  return {beyondMax, beyondFail, beforeMax, "APPARENT FAILURE IN PULL OUT    ", "AX. DISP.=", "AX. FORCE=",
          &RUNCTL.NWBRG, &RUNCTL.NWPULL};
}

void AXIAL(const std::int32_t& IPILE, double& PX, const double (&ULOC)[6], NodeArray& AXMOV, NodeArray& AXLOAD,
           std::int32_t& ISTAT) {
  static const CurveWarnings W = axialWarnings("REACHED MAXIMUM LOAD IN BEARING  ",
                                               "APPARENT FAILURE IN BEARING    ,",
                                               "REACHED MAXIMUM LOAD IN PULLOUT  ");
  AXRESP(IPILE, PX, ULOC[0], AXMOV, AXLOAD, ISTAT, W);
}

}  // namespace drelm
