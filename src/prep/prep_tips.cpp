// Every pile tip (every row's tip in a plane run) against the bottom of the
// soil profile, before the head curves or anything else looks the soil up at
// the piles' depths: a pile that reaches below the deepest layer stops the
// run here with the node set-up's status and message, naming the pile.
#include <cstdio>
#include <initializer_list>
#include <string>

#include "model/fileio.h"
#include "model/model.h"
#include "model/nodes.h"
#include "prep/prep_steps.h"
#include "report/convert.h"
#include "report/prpftl.h"

namespace drelm {

namespace {

std::string depth(double x) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.3f", OUTLEN(x));
  std::string unit = UNITLB.ULBIG2.str();
  unit.erase(0, unit.find_first_not_of(' '));
  return std::string(buf) + " " + unit;
}

}  // namespace

void PRPTIP(std::int32_t& ISTAT) {
  const bool plane = RUNCTL.IANTYP == 2;
  const std::int32_t code = plane ? STAT_NODE2D_BELOW : STAT_NODE_BELOW;
  const int nl = SOILCOM.NLAYER;
  for (int p = 1; p <= RUNCTL.NPILE; ++p) {
    // A pile with its own p-y curves by depth needs no layers.
    if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(p) > 0) continue;
    const int t = PILEAR.PROPOFPILE(p);
    const int ninc = PILEPROP.NINC(t);
    if (ninc < 1 || ninc > MAXINC) continue;  // the node set-up refuses it
    // Nodes placed from the head as the node set-up places them.
    const double head = plane ? PILEAR.PHXREF(p) : PILEAR.PHX(p);
    const double dv = nodeDepthStep(p);
    const double tip = head + ninc * dv;
    const std::string pile = (plane ? "PILE ROW " : "PILE ") + std::to_string(p);
    if (nl < 1) {
      nodeFatalBlock({pile + ": TIP AT X = " + depth(tip) + ", THE SOIL PROFILE HAS NO LAYER"});
      ISTAT = code;
      return;
    }
    const double bottom = SOILCOM.LBOT(nl);
    const double limit = bottom + depthTolerance(PILEPROP.PLEN(t));
    bool below = false;
    for (int i = 2; i <= ninc + 1 && !below; ++i) below = head + (i - 1) * dv > limit;
    if (!below) continue;
    belowProfileBlock(PILEPROP.PLEN(t),
                      {pile + ": TIP AT X = " + depth(tip) + ", BOTTOM OF THE DEEPEST LAYER AT X = " + depth(bottom)});
    ISTAT = code;
    return;
  }
}

}  // namespace drelm
