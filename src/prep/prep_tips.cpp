// Pile tips (every row's tip in a plane run) against the bottom of the soil
// profile, where the run first looks the soil up at a pile's depths: at the
// input stage for the piles whose head curves are generated, before the
// first analysed case or combination for every pile. A pile that reaches
// below the deepest layer stops the run there with the node set-up's status
// and message, naming the pile.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/fileio.h"
#include "model/model.h"
#include "model/nodes.h"
#include "prep/prep_hdcurves.h"
#include "prep/prep_steps.h"
#include "prep/prepro.h"
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

// Pile p against the profile; false (status set) when it reaches below it.
bool tipWithin(int p, std::int32_t& ISTAT) {
  const bool plane = RUNCTL.IANTYP == 2;
  const std::int32_t code = plane ? STAT_NODE2D_BELOW : STAT_NODE_BELOW;
  const int nl = SOILCOM.NLAYER;
  // A pile with its own p-y curves by depth needs no layers.
  if (RUNCTL.IUSRPY == 1 && PILEAR.IPYSET(p) > 0) return true;
  const int t = PILEAR.PROPOFPILE(p);
  const int ninc = PILEPROP.NINC(t);
  if (ninc < 1 || ninc > MAXINC) return true;  // the node set-up refuses it
  // Nodes placed from the head as the node set-up places them.
  const double head = plane ? PILEAR.PHXREF(p) : PILEAR.PHX(p);
  const double dv = nodeDepthStep(p);
  const double tip = head + ninc * dv;
  const std::string pile = (plane ? "PILE ROW " : "PILE ") + std::to_string(p);
  if (nl < 1) {
    nodeFatalBlock({pile + ": TIP AT X = " + depth(tip) + ", THE SOIL PROFILE HAS NO LAYER"});
    ISTAT = code;
    return false;
  }
  const double bottom = SOILCOM.LBOT(nl);
  const double limit = bottom + depthTolerance(PILEPROP.PLEN(t));
  bool below = false;
  for (int i = 2; i <= ninc + 1 && !below; ++i) below = head + (i - 1) * dv > limit;
  if (!below) return true;
  belowProfileBlock(PILEPROP.PLEN(t),
                    {pile + ": TIP AT X = " + depth(tip) + ", BOTTOM OF THE DEEPEST LAYER AT X = " + depth(bottom)});
  ISTAT = code;
  return false;
}

// The piles the head-curve generation looks the soil up for: those its
// lists name, for each kind of curve that is generated.
std::vector<bool> curvesGeneratedFor() {
  std::vector<bool> marked(static_cast<std::size_t>(MAXPIL) + 1, false);
  const auto mark = [&](std::int32_t q) {
    if (q >= 1 && q <= RUNCTL.NPILE && q <= MAXPIL) marked[static_cast<std::size_t>(q)] = true;
  };
  const GENCRVIN_T& G = GENCRVIN;
  if (generates(PILEAR.ILSCRV))
    for (int h = 1; h <= std::min<std::int32_t>(G.NLSGEN, MAXPIL); ++h) mark(G.LSGLST(h));
  if (RUNCTL.IANTYP == 3 && generates(PILEAR.ITRCRV))
    for (int h = 1; h <= std::min<std::int32_t>(G.NTRGEN, MAXTRG); ++h) mark(G.TRGLST(h));
  return marked;
}

}  // namespace

void PRPTIP(std::int32_t& ISTAT) {
  const std::vector<bool> generated = curvesGeneratedFor();
  for (int p = 1; p <= RUNCTL.NPILE && p <= MAXPIL; ++p)
    if (generated[static_cast<std::size_t>(p)] && !tipWithin(p, ISTAT)) return;
}

void ANLTIP(std::int32_t& ISTAT) {
  for (int p = 1; p <= RUNCTL.NPILE; ++p)
    if (!tipWithin(p, ISTAT)) return;
}

}  // namespace drelm
