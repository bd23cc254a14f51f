#include "analysis/crvfile.h"

#include <cstdio>

#include "model/fileio.h"
#include "model/model.h"
#include "soil/crvfile.h"
#include "transfer/axlsplt.h"

namespace drelm {
namespace {

// The records of the pile being written; the capacity stays from pile to pile.
CrvRecords& pileRecords() {
  static CrvRecords r;
  return r;
}

void missingPile(std::int32_t p, std::int32_t st) {
  char text[112];
  std::snprintf(text, sizeof text, "     CURVES OF PILE %5d NOT WRITTEN TO THE PER-PILE CURVE FILE (STATUS %3d)",
                static_cast<int>(p), static_cast<int>(st));
  io::line(U_LOG, "");
  io::put(U_LOG, text);
  io::endRecord(U_LOG);
}

}  // namespace

void CRVHDR() {
  CrvRecords& r = pileRecords();
  r.begin(CRVCTL.ICRVUF);
  r.ints3(RUNCTL.NPILE, RUNCTL.IANTYP, RUNCTL.IUNITS);
  r.flush(U_CURVES);
}

bool CRVPILE(const std::int32_t& IPILE, std::int32_t& ISTAT) {
  CrvRecords& r = pileRecords();
  r.begin(CRVCTL.ICRVUF);
  // The pile's own word: a status left by an earlier step must neither empty
  // this pile's curves nor be taken for a failure of it.
  std::int32_t st = 0;
  PPRPWR(IPILE, r);
  PYCRVWR(IPILE, st, r);
  if (st == 0) AXLSPLT(IPILE, st, r);
  if (st == 0 && RUNCTL.IANTYP == 3) TRPLT(IPILE, st, r);
  if (st != 0) {
    r.discard();
    missingPile(IPILE, st);
    ISTAT = st;
    return false;
  }
  r.flush(U_CURVES);
  return true;
}

void CRVFWR(std::int32_t& ISTAT) {
  if (CRVCTL.ICRVON != 1) return;
  CRVHDR();
  CRVCTL.PYCOLL = 1;
  CURCTL.KPYLST = 1;
  for (std::int32_t p = 1; p <= RUNCTL.NPILE; ++p) CRVPILE(p, ISTAT);
  CURCTL.KPYLST = 0;
}

}  // namespace drelm
