#include "analysis/anlpass.h"

#include <algorithm>

#include "results/anlio.h"
#include "input/capload.h"
#include "model/casecur.h"
#include "analysis/dlnode.h"
#include "cap/capeq.h"
#include "cap/capeq2d.h"
#include "fecap/fecap.h"
#include "report/writers.h"
#include "model/model.h"

namespace drelm::anl {

namespace {

// A plane pass takes the moment and the rotation as its third component.
void planePass(std::int32_t iscomb, PassLoads& L, std::int32_t& ISTAT) {
  const double P[3] = {L.PCAP[0], L.PCAP[1], L.PCAP[5]};
  const double UPOD[3] = {L.UPOD[0], L.UPOD[1], L.UPOD[5]};
  const std::int32_t KPOD[3] = {L.KPOD[0], L.KPOD[1], L.KPOD[5]};
  std::int32_t kpy = 0;
  CAPEQ2D(iscomb, kpy, ISTAT, L.FLDOUT, L.UCPOUT, P, L.PPOD, UPOD, L.XPOD, KPOD);
}

// A flexible cap: the plate model takes the whole pass.
void platePass(const PassLoads& L, std::int32_t& ISTAT) {
  startCapPass();
  double P[6];
  std::copy(std::begin(L.PCAP), std::end(L.PCAP), std::begin(P));
  FECAP(P, ISTAT);
  RUNCTL.IOUTPS = 0;
}

}  // namespace

bool space() { return RUNCTL.IANTYP != 2; }

int capDofs() { return space() ? 6 : 3; }

int loadSlot(std::int32_t dof) { return !space() && dof == 3 ? 5 : dof - 1; }

void caseLoads(std::int32_t c, PassLoads& L) {
  CASELD(c, L.PCAP);
  if (CASEIN.LCKIND(c) == 1) SPECDL(c, L.PCAP, L.PPOD, L.UPOD, L.XPOD, L.KPOD);
  CASEDL(c);
  AXLDRES(L.PCAP);
  std::copy(std::begin(L.PCAP), std::end(L.PCAP), std::begin(L.PSAVE));
  std::copy(std::begin(L.UPOD), std::end(L.UPOD), std::begin(L.UPOD0));
}

void runPass(bool comb, PassLoads& L, std::int32_t& ISTAT) {
  ISTAT = 0;
  if (!comb) {
    // Read back by later passes: without it the case cannot go on.
    if (!io::openChecked(U_PASS, FNAMES.FNU(U_PASS).trimmed(), io::Access::Work)) {
      ISTAT = STAT_OPEN_FAILED;
      return;
    }
    out(U_PASS, "LOAD CASE : " + intField(5, CASECUR.ICASE));
  }
  const std::int32_t iscomb = comb ? 1 : 0;
  if (space() && FECOPT.IFECAP > 0) {
    platePass(L, ISTAT);
  } else if (space()) {
    CAPEQ(iscomb, ISTAT, L.FLDOUT, L.UCPOUT, L.PCAP, L.PPOD, L.UPOD, L.XPOD, L.KPOD);
  } else {
    planePass(iscomb, L, ISTAT);
    io::FLUSH(U_LOG);
  }
  if (!comb) io::CLOSE(U_PASS);
}

}  // namespace drelm::anl
