// Soil and section properties at a depth. Profile look-ups interpolate the
// soil record; section look-ups interpolate the section table of a pile
// property; both only read shared tables, so any number of pile solutions
// may call them at once.
#include "soil/lookup.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <type_traits>

#include "report/writers.h"
#include "model/fileio.h"
#include "model/model.h"
#include "report/prpftl.h"
#include "report/siconv.h"

namespace drelm {

namespace {

constexpr double R4(float v) { return v; }  // single-precision constant

using Column = FArray<double, MAXPRF>;
enum class SharedPoint { Mean, Lower };

void storeStatus(std::int32_t& ISTAT, std::int32_t code) {
  std::atomic_ref<std::int32_t>(ISTAT).store(code, std::memory_order_relaxed);
}

int profileCount(std::int32_t n) { return n < 0 ? 0 : (n > MAXPRF ? MAXPRF : n); }

// One warning block to the results report and, unless toLog is false, the
// runtime log, written whole so that blocks of different threads never
// interleave. A lead line, if any, precedes it on the results report only.
void warnBlock(bool toLog, double X, int decimals, std::string_view tail, std::string_view curve,
               std::string_view lead = {}) {
  ++soilWarningsWritten();
  std::string value = "     THE VALUE OF X =";
  value += EFIELD(9, decimals, X);
  value += ' ';
  value += tail;
  const int units[2] = {U_RESULTS, U_LOG};
#pragma omp critical(drelm_report)
  for (int k = 0; k < (toLog ? 2 : 1); ++k) {
    const int u = units[k];
    if (!lead.empty() && u == U_RESULTS) io::line(u, lead);
    io::endRecord(u);
    io::put(u, std::string(29, ' '));
    io::put(u, "**** WARNING ****");
    io::endRecord(u);
    io::put(u, value);
    io::endRecord(u);
    io::put(u, "     ");
    io::put(u, curve);
    io::endRecord(u);
  }
}

void warnBeyond(double X, int decimals, std::string_view curve) {
  warnBlock(true, X, decimals, "IS BEYOND THE EXTENT OF", curve);
}

// A real in a free-form line: shortest text that reads back exactly.
std::string freeReal(double x) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, x);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

// Rule P1: the first point at or below X; at a point shared by two layers
// the mean of the two values (or the one not below 1.0E-20), or the lower
// layer's value. False when X lies below the last point (V is then the last
// point's value).
bool ruleP1(const Column& V, double X, SharedPoint choice, double& value) {
  const SOILCOM_T& S = SOILCOM;
  const int n = profileCount(S.NPROF);
  value = 0.0;
  if (n < 1) return false;
  int i = 0;
  for (int k = 2; k <= n; ++k) {
    if (X <= S.XPROF(k)) {
      i = k;
      break;
    }
  }
  if (i == 0) {
    value = V(n);
    return X == S.XPROF(n);
  }
  if (X == S.XPROF(n)) {
    value = V(i);
    return true;
  }
  if (X != S.XPROF(i)) {
    const double w = S.XPROF(i) - S.XPROF(i - 1);
    // A zero-width first layer has no slope to extend upward.
    value = w > 0.0 ? V(i - 1) + (X - S.XPROF(i - 1)) * (V(i) - V(i - 1)) / w
                    : 0.5 * (V(i - 1) + V(i));
    return true;
  }
  if (i < n && S.XPROF(i + 1) == S.XPROF(i)) {
    const double tiny = R4(1.0e-20f);
    const double up = V(i), low = V(i + 1);
    if (choice == SharedPoint::Lower) {
      value = low < tiny ? up : low;
    } else if (low < tiny) {
      value = up;
    } else if (up < tiny) {
      value = low;
    } else {
      value = 0.5 * (up + low);
    }
    return true;
  }
  value = V(i);
  return true;
}

// Rule P2: the segment strictly below X; a segment narrower than EPSCOH
// gives the mean of its two ends, so a shared boundary takes the lower
// layer's top value. False when X lies below the last point.
bool ruleP2(const Column& V, double X, double& value) {
  const SOILCOM_T& S = SOILCOM;
  const int n = profileCount(S.NPROF);
  value = 0.0;
  if (n < 1) return false;
  int i = 0;
  for (int k = 2; k <= n; ++k) {
    if (X < S.XPROF(k)) {
      i = k;
      break;
    }
  }
  if (i == 0) {
    if (X != S.XPROF(n)) return false;
    if (n < 2) {
      value = V(1);
      return true;
    }
    i = n;
  }
  const double w = S.XPROF(i) - S.XPROF(i - 1);
  if (w < RUNCONST.EPSCOH || w <= 0.0) {
    value = 0.5 * (V(i - 1) + V(i));
  } else {
    value = V(i - 1) + (X - S.XPROF(i - 1)) * (V(i) - V(i - 1)) / w;
  }
  return true;
}

// Trapezoidal average of a profile from the soil top to X (X within the
// profile and more than EPSCOH below the top).
double averageTo(const Column& XS, const Column& VS, int n, double X, double top) {
  const double eps = RUNCONST.EPSCOH;
  double sum = 0.0;
  for (int i = 2; i <= n; ++i) {
    const double w = XS(i) - XS(i - 1);
    if (X < XS(i)) {
      if (w >= eps && w > 0.0) {
        const double h = X - XS(i - 1);
        const double slope = (VS(i) - VS(i - 1)) / w;
        sum += h * (2.0 * VS(i - 1) + h * slope) / 2.0;
      }
      break;
    }
    sum += (VS(i - 1) + VS(i)) / 2.0 * w;
  }
  return sum / (X - top);
}

double profileValue(const Column& V, double X) {
  double v;
  ruleP1(V, X, SharedPoint::Mean, v);
  return v;
}

// --- Section table.

using SecTab = SECTAB_T::Tab<double>;
using SecTabI = SECTAB_T::Tab<std::int32_t>;
constexpr int SECROWS = SecTab::size2 - 1;  // rows in use; the last slot is the marker
constexpr double MARKFAC = 1.2;

bool validPile(std::int32_t p) { return p >= 1 && p <= MAXPIL1; }
bool validProp(std::int32_t t) { return t >= 1 && t <= SecTab::size1; }

int sectionCount(std::int32_t t) {
  const int n = PILEPROP.NSECT(t);
  return n < 0 ? 0 : (n > SECROWS ? SECROWS : n);
}

// Rule S1: the section row holding depth d (a boundary belongs to the upper
// row); where = -1 above the first row, +1 below the last, else 0.
int rowS1(std::int32_t t, int n, double d, int& where) {
  const SECTAB_T& T = SECTAB;
  where = 0;
  if (d < T.SXFROM(t, 1)) {
    where = -1;
    return 1;
  }
  if (d > T.SXTO(t, n)) {
    where = 1;
    return n;
  }
  for (int j = 1; j <= n; ++j) {
    if (d <= T.SXTO(t, j)) return j;
  }
  return n;
}

double interpS1(const SecTab& top, const SecTab& bot, std::int32_t IPILE, std::int32_t IPROP,
                double X) {
  if (!validPile(IPILE) || !validProp(IPROP)) return 0.0;
  const int n = sectionCount(IPROP);
  if (n < 1) return 0.0;
  const double d = X - PILEAR.PHXREF(IPILE);
  int where;
  const int j = rowS1(IPROP, n, d, where);
  if (where < 0) return top(IPROP, 1);
  if (where > 0) return bot(IPROP, n);
  const double z0 = SECTAB.SXFROM(IPROP, j);
  const double w = SECTAB.SXTO(IPROP, j) - z0;
  if (w == 0.0) return top(IPROP, j);  // a row of no length has no slope
  return top(IPROP, j) + (d - z0) * (bot(IPROP, j) - top(IPROP, j)) / w;
}

template <typename Tab>
auto singleS1(const Tab& v, std::int32_t IPILE, std::int32_t IPROP, double X)
    -> std::remove_cvref_t<decltype(v(1, 1))> {
  if (!validPile(IPILE) || !validProp(IPROP)) return 0;
  const int n = sectionCount(IPROP);
  if (n < 1) return 0;
  int where;
  return v(IPROP, rowS1(IPROP, n, X - PILEAR.PHXREF(IPILE), where));
}

// Rule S2: the first row whose successor starts below d (a boundary belongs
// to the lower row); the last row ends at the end marker 1.2 x PLEN. A depth
// past the marker keeps the last row.
template <typename Tab>
auto singleS2(const Tab& v, std::int32_t IPILE, std::int32_t IPROP, double X)
    -> std::remove_cvref_t<decltype(v(1, 1))> {
  if (!validPile(IPILE) || !validProp(IPROP)) return 0;
  const int n = sectionCount(IPROP);
  if (n < 1) return 0;
  const double d = X - PILEAR.PHXREF(IPILE);
  for (int j = 1; j < n; ++j) {
    if (d < SECTAB.SXFROM(IPROP, j + 1)) return v(IPROP, j);
  }
  return v(IPROP, n);
}

// Linear table at ratio r: the segment below the first abscissa above r,
// the end segments extended outward.
double tableAt(const double* xs, const double* ys, int npts, double r) {
  int i = npts;
  for (int k = 2; k <= npts; ++k) {
    if (xs[k - 1] > r) {
      i = k;
      break;
    }
  }
  const double x0 = xs[i - 2], x1 = xs[i - 1], y0 = ys[i - 2], y1 = ys[i - 1];
  if (x1 == x0) return y0;
  return y0 + (r - x0) * (y1 - y0) / (x1 - x0);
}

double depthRatio(std::int32_t IPILE, std::int32_t IPROP, double X) {
  if (!validPile(IPILE)) return 0.0;
  const double D = SECDIAM(IPILE, IPROP, X);
  // A section of no diameter has no depth ratio: take the ground line.
  return D > 0.0 ? (X - SOILCOM.GRNDX(IPILE)) / D : 0.0;
}

}  // namespace

std::uint64_t& soilWarningsWritten() {
  thread_local std::uint64_t count = 0;
  return count;
}

// --- Section look-ups.

double SECDIAM(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  const double v = interpS1(SECTAB.SDIAT, SECTAB.SDIAB, IPILE, IPROP, X);
  if (v < R4(1.0e-5f) && validProp(IPROP) && sectionCount(IPROP) >= 1) {
    return SECTAB.SDIAT(IPROP, sectionCount(IPROP));
  }
  return v;
}
double SECIZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SIZT, SECTAB.SIZB, IPILE, IPROP, X);
}
double SECIY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SIYT, SECTAB.SIYB, IPILE, IPROP, X);
}
double SECAREA(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SAREAT, SECTAB.SAREAB, IPILE, IPROP, X);
}
double SECGJ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SGJT, SECTAB.SGJB, IPILE, IPROP, X);
}
double SECMN(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SMNT, SECTAB.SMNB, IPILE, IPROP, X);
}
double SECVN(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SVNT, SECTAB.SVNB, IPILE, IPROP, X);
}
double SECEIZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SEIZT, SECTAB.SEIZB, IPILE, IPROP, X);
}
double SECEIY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return interpS1(SECTAB.SEIYT, SECTAB.SEIYB, IPILE, IPROP, X);
}
double SECDIM1(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS1(SECTAB.SDIM1, IPILE, IPROP, X);
}
double SECDIM2(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS1(SECTAB.SDIM2, IPILE, IPROP, X);
}
std::int32_t SECTYP(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS1(SECTAB.SSHAPE, IPILE, IPROP, X);
}
double SECEMOD(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS2(SECTAB.SEMODT, IPILE, IPROP, X);
}
std::int32_t SECMCZ(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS2(SECTAB.SMCIZ, IPILE, IPROP, X);
}
std::int32_t SECMCY(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  return singleS2(SECTAB.SMCIY, IPILE, IPROP, X);
}

void SECMARK(std::int32_t& ISTAT) {
  SECTAB_T& T = SECTAB;
  for (int t = 1; t <= SecTab::size1; ++t) {
    const int n = PILEPROP.NSECT(t);
    if (n <= 0) continue;
    if (n > SECROWS) {
      PRPFTL(ISTAT, STAT_CAPACITY,
             {"PILE PROPERTY " + std::to_string(t) + " HAS " + std::to_string(n) + " SECTION ROWS; AT MOST " +
              std::to_string(SECROWS) + " ARE ALLOWED"});
      return;
    }
    T.SXFROM(t, n + 1) = MARKFAC * PILEPROP.PLEN(t);
    T.SEIZT(t, n + 1) = T.SEIZT(t, n);
    T.SEIYT(t, n + 1) = T.SEIYT(t, n);
  }
}

// --- Profile look-ups.

double SOILK(const double& X) { return profileValue(SOILCOM.KPROF, X); }
double SOILER(const double& X) { return profileValue(SOILCOM.ERPROF, X); }
double SOILE50(const double& X) { return profileValue(SOILCOM.E50PR, X); }
double SOILJ(const double& X) { return profileValue(SOILCOM.JPROF, X); }
double SOILRQD(const double& X) { return profileValue(SOILCOM.JPROF, X); }

double SOILKD(const double& X) {
  const SOILCOM_T& S = SOILCOM;
  if (profileCount(S.NPROF) < 1 || X < S.XPROF(1)) return 0.0;
  // The rule is stated in psi and pci; SI converts exactly, so that a soil
  // gets the same modulus in both systems.
  const bool si = RUNCTL.IUNITS == 2;
  double k = profileValue(S.KPROF, X);
  if (std::fabs(k) > R4(1.0e-4f) * (si ? PCI_KNM3 : 1.0)) return k;
  double c;
  if (!ruleP1(S.CPROF, X, SharedPoint::Lower, c)) {
    warnBeyond(X, 1, "THE INPUT STRENGTH CURVE");
    c = 0.0;
  }
  if (si) c /= PSI_KPA;  // kPa to psi
  if (c <= R4(3.47f)) {
    k = 50.0;
  } else if (c <= R4(6.94f)) {
    k = 100.0;
  } else if (c <= R4(13.9f)) {
    k = 500.0;
  } else if (c <= R4(27.8f)) {
    k = 1000.0;
  } else {
    k = 2000.0;
  }
  if (si) k *= PCI_KNM3;  // pci to kN/m^3
  return k;
}

double SOILC(const double& X, std::int32_t& ISTAT) {
  double v;
  if (ruleP1(SOILCOM.CPROF, X, SharedPoint::Lower, v)) return v;
  warnBeyond(X, 1, "THE INPUT STRENGTH CURVE");
  storeStatus(ISTAT, STAT_C_BEYOND);
  return 0.0;
}

double SOILPHI(const double& X, std::int32_t& ISTAT) {
  double v;
  if (ruleP1(SOILCOM.PHIPR, X, SharedPoint::Mean, v)) return v;
  warnBeyond(X, 1, "THE INPUT PHI CURVE");
  storeStatus(ISTAT, STAT_PHI_BEYOND);
  return 0.0;
}

double SOILFS(const double& X, std::int32_t& ISTAT) {
  double v;
  if (ruleP2(SOILCOM.FSPROF, X, v)) return v;
  const int n = profileCount(SOILCOM.NPROF);
  const double last = n >= 1 ? SOILCOM.XPROF(n) : 0.0;
  const std::string lead = freeReal(X) + " " + std::to_string(SOILCOM.NPROF) + " " + freeReal(last);
  // The free-form line goes to the results report only, ahead of the block.
  warnBlock(true, X, 2, "IS BEYOND THE EXTENT OF", "THE INPUT MAX. LOAD TRANSFER", lead);
  storeStatus(ISTAT, STAT_FS_BEYOND);
  return 0.0;
}

double SOILQT(const double& X, std::int32_t& ISTAT) {
  double v;
  if (ruleP2(SOILCOM.QTPROF, X, v)) return v;
  warnBeyond(X, 2, "THE INPUT MAX. LOAD TRANSFER");
  storeStatus(ISTAT, STAT_QT_BEYOND);
  return 0.0;
}

double SOILPHB(const double& X, std::int32_t& ISTAT) {
  double v;
  if (ruleP2(SOILCOM.PHIPR, X, v)) return v;
  warnBeyond(X, 2, "THE INPUT STRENGTH CURVE, BPHI");
  storeStatus(ISTAT, STAT_PHB_BEYOND);
  return 0.0;
}

double GAMAVG(const double& X, std::int32_t& ISTAT) {
  const SOILCOM_T& S = SOILCOM;
  const double top = S.LTOP(1);
  if (X < top) return 0.0;
  const int n = profileCount(S.NGAM);
  if (n < 1 || X > S.XGAM(n)) {
    warnBeyond(X, 2, "THE INPUT CURVE FOR UNIT WEIGHT");
    storeStatus(ISTAT, STAT_GAM_BEYOND);
    return 0.0;
  }
  if (n < 2) return 0.0;
  if (X - top < RUNCONST.EPSCOH) {
    // At the soil top: the first positive unit weight of the profile.
    for (int i = 1; i <= n; ++i) {
      if (S.GAMPR(i) > 0.0) return S.GAMPR(i);
    }
    return S.GAMPR(n);
  }
  return averageTo(S.XGAM, S.GAMPR, n, X, top);
}

double SOILCAVG(const double& X, std::int32_t& ISTAT) {
  const SOILCOM_T& S = SOILCOM;
  const double top = S.LTOP(1);
  if (X < top) return 0.0;
  if (X - top < RUNCONST.EPSCOH) return SOILC(X, ISTAT);
  const int n = profileCount(S.NPROF);
  if (n < 2 || X > S.XPROF(n)) {
    warnBlock(false, X, 2, "IS BEYOND THE EXTENT OF THE", "INPUT CURVE FOR STRENGTH");
    return 0.0;
  }
  return averageTo(S.XPROF, S.CPROF, n, X, top);
}

// --- Depth-ratio tables.

double ASCOEF(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  static constexpr double R[6] = {0.0, 1.0, 2.0, 3.0, 4.0, 5.0};
  static constexpr double A[6] = {R4(0.223f), R4(0.46f), R4(0.55f), R4(0.59f), R4(0.60f), R4(0.60f)};
  return tableAt(R, A, 6, depthRatio(IPILE, IPROP, X));
}

double ACCOEF(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X) {
  static constexpr double R[4] = {0.0, 1.0, 2.0, 3.0};
  static constexpr double A[4] = {R4(0.2f), R4(0.29f), R4(0.30f), R4(0.30f)};
  return tableAt(R, A, 4, depthRatio(IPILE, IPROP, X));
}

double TABZD(const std::int32_t& IPILE, const std::int32_t& IPROP, const double& X, const double* YTAB,
             const double* RTAB) {
  return tableAt(RTAB, YTAB, 10, depthRatio(IPILE, IPROP, X));
}

double VLEN2(const double& A, const double& B) {
  const double tiny = R4(1.0e-24f);
  const double a = std::fabs(A) < tiny ? 0.0 : A;
  const double b = std::fabs(B) < tiny ? 0.0 : B;
  return std::sqrt(a * a + b * b);
}

}  // namespace drelm
