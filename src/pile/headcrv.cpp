// Head force from a pile-head curve and the warnings beyond its ends.
#include "pile/headcrv.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm {

HeadCurve lsCurve(int p) {
  HeadCurve c;
  const std::int32_t id = PILEAR.ILSCRV(p);
  const LSCRV_T& T = LSCRV;
  if (id >= 1) {
    if (id > std::min<int>(T.LSNCRV, MAXHDC)) return c;
    c.n = std::clamp<int>(T.LSNPT(id), 0, MAXHDP);
    c.x = &T.LSDSP(id, 1);
    c.y = &T.LSLOD(id, 1);
    c.stride = MAXHDC;
  } else {
    const int g = -id;
    if (g < 1 || g > std::min<int>(T.LSGNCV, MAXPIL1)) return c;
    c.n = std::clamp<int>(T.LSGNPT(g), 0, MAXGCP);
    c.x = &T.LSGDSP(g, 1);
    c.y = &T.LSGLOD(g, 1);
    c.stride = 1;  // a generated curve's points lie together
  }
  return c;
}

HeadCurve trCurve(int p) {
  HeadCurve c;
  const std::int32_t id = PILEAR.ITRCRV(p);
  const TRCRV_T& T = TRCRV;
  if (id >= 1) {
    if (id > std::min<int>(T.TRNCRV, MAXHDC)) return c;
    c.n = std::clamp<int>(T.TRNPT(id), 0, MAXHDP);
    c.x = &T.TRROT(id, 1);
    c.y = &T.TRTOR(id, 1);
    c.stride = MAXHDC;
  } else {
    const int g = -id;
    if (g < 1 || g > std::min<int>(T.TRGNCV, MAXTRG)) return c;
    c.n = std::clamp<int>(T.TRGNPT(g), 0, MAXGCP);
    c.x = &T.TRGROT(g, 1);
    c.y = &T.TRGTOR(g, 1);
    c.stride = 1;
  }
  return c;
}

void WRNREC(std::string_view TITLE, std::int32_t IPILE, std::string_view VLABEL, double VALUE, double CEND,
            std::string_view FLABEL, double FORCE) {
  // Short fields stay within the strings' own storage: no heap.
  const std::string pile = intField(5, IPILE);
  const std::string v = EFIELD(12, 4, VALUE);
  const std::string e = EFIELD(12, 4, CEND);
  const std::string f = EFIELD(12, 4, FORCE);
#pragma omp critical(drelm_report)
  {
    const int u = U_WARN;
    io::endRecord(u);
    io::put(u, "     ** WARNING **  ");
    io::put(u, TITLE);
    io::put(u, "  PILE GROUP");
    io::put(u, pile);
    io::endRecord(u);
    io::put(u, "                    ");
    io::put(u, VLABEL);
    io::put(u, v);
    io::put(u, " > ");
    io::put(u, e);
    io::put(u, "     ");
    io::put(u, FLABEL);
    io::put(u, f);
    io::endRecord(u);
  }
}

namespace {

void warn(std::string_view title, std::int32_t* count, std::int32_t pile, const CurveWarnings& W, double d,
          double end, double force) {
  if (RUNCTL.IWRNPS != 1) return;
  WRNREC(title, pile, W.valueLabel, d, end, W.forceLabel, force);
  std::atomic_ref<std::int32_t>(*count).fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

bool HCVALUE(const HeadCurve& C, double D, std::int32_t IPILE, const CurveWarnings& W, double& VALUE) {
  const int n = C.n;
  const bool keep = RUNCTL.ICRVMX == 1;
  int k = 0;
  for (int i = 2; i <= n; ++i) {
    if (D <= C.X(i)) {
      k = i;
      break;
    }
  }
  if (k == 0) {
    // Beyond the last point; a curve without points ends at the origin.
    const double xn = n >= 1 ? C.X(n) : 0.0;
    VALUE = keep && n >= 1 ? C.Y(n) : 0.0;
    warn(keep ? W.beyondMax : W.beyondFail, W.beyondCount, IPILE, W, D, xn, VALUE);
    if (!keep) return false;
  }
  if (n >= 1 && D < C.X(1)) {
    VALUE = keep ? C.Y(1) : 0.0;
    warn(keep ? W.beforeMax : W.beforeFail, W.beforeCount, IPILE, W, D, C.X(1), VALUE);
    return keep;
  }
  if (k != 0) {
    const double x0 = C.X(k - 1), x1 = C.X(k);
    const double y0 = C.Y(k - 1), y1 = C.Y(k);
    // A segment without width is reached only at its left point (a curve
    // that starts with a vertical step): take that point's value rather
    // than divide by zero.
    VALUE = x1 != x0 ? y0 + (y1 - y0) * (D - x0) / (x1 - x0) : y0;
  }
  return true;
}

}  // namespace drelm
