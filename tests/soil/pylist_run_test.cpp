// Whole runs that print p-y curves in layers of every clay and sand
// criterion: the listing's layouts line by line against an expected file, and
// every printed point against the criterion's formulation evaluated here by
// hand from the fixture's soil values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/fileio.h"
#include "model/model.h"
#include "run/rundrv.h"
#include "soil/pylayr.h"
#include "soil/pysoil.h"
#include "support/inputrun.h"
#include "support/testdir.h"

namespace drelm {
namespace {

using Lines = std::vector<std::string>;

// ---------------------------------------------------------------------------
// The fixtures' soil and piles, in the units of the input file.

struct SoilLayer {
  int code;
  double top, bot;     // ft
  double gam;          // pcf, constant through the layer
  double c0, c1;       // psf at the top and the bottom
  double phi0, phi1;   // degrees
  double k;            // pci
  double e50;
  double j0, j1;
};

// Both fixtures (tests/data/pylist_*.inp) share this profile.
const SoilLayer SOIL[] = {
    {1, -3, 10, 50, 300, 500, 0, 0, 0, 0.02, 0, 0},
    {13, 10, 20, 52, 500, 700, 0, 0, 0, 0.015, 0.4, 0.6},
    {14, 20, 30, 55, 600, 800, 0, 0, 100, 0.01, 0.5, 0.5},
    {2, 30, 40, 60, 1500, 2000, 0, 0, 500, 0.006, 0, 0},
    {3, 40, 50, 62, 2000, 2400, 0, 0, 0, 0.005, 0, 0},
    {10, 50, 60, 63, 2400, 2800, 0, 0, 1000, 0.005, 0, 0},
    {4, 60, 70, 60, 0, 0, 32, 34, 60, 0, 0, 0},
    {8, 70, 80, 62, 0, 0, 35, 36, 90, 0, 0, 0},
    {5, 80, 90, 65, 0, 0, 0, 0, 0, 0, 0, 0},
};
constexpr int NLAY = 9;

struct PileData {
  double head, ground;  // ft
  double pm, ym;        // multipliers for closely spaced piles
};
PileData pileData(int p) {
  switch (p) {
    case 1: return {0, 0, 0.8, 1.25};
    case 2: return {-5, 0, 1, 1};
    default: return {0, -3, 1, 1};  // pile 5 of the cap fixture
  }
}

constexpr double B = 24.0;                   // pile width, in
const double CAPB = std::hypot(144.0, 144.0);  // the cap's plan diagonal, in
constexpr double DEG = M_PI / 180.0;

double r4(double x) { return static_cast<double>(static_cast<float>(x)); }

// Layer of X (in): the first whose bottom lies below it.
int layerOf(double X) {
  for (int L = 0; L < NLAY; ++L)
    if (SOIL[L].bot * 12 > X) return L;
  return NLAY - 1;
}
double along(const SoilLayer& s, double X) { return (X - s.top * 12) / ((s.bot - s.top) * 12); }
double cOf(int L, double X) { return (SOIL[L].c0 + along(SOIL[L], X) * (SOIL[L].c1 - SOIL[L].c0)) / 144.0; }
double phiOf(int L, double X) {
  return (SOIL[L].phi0 + along(SOIL[L], X) * (SOIL[L].phi1 - SOIL[L].phi0)) * DEG;
}
double jOf(int L, double X) { return SOIL[L].j0 + along(SOIL[L], X) * (SOIL[L].j1 - SOIL[L].j0); }
// Average unit weight (pci) from the soil top down to X.
double gamAvg(double X) {
  const double top = SOIL[0].top * 12;
  double sum = 0;
  for (const SoilLayer& s : SOIL) {
    const double a = s.top * 12, b = std::min(s.bot * 12, X);
    if (b > a) sum += s.gam / 1728.0 * (b - a);
  }
  return sum / (X - top);
}
// Linear table, end segments extended.
double table(const std::vector<double>& r, const std::vector<double>& v, double x) {
  std::size_t i = r.size() - 1;
  for (std::size_t k = 1; k < r.size(); ++k)
    if (r[k] > x) {
      i = k;
      break;
    }
  return v[i - 1] + (x - r[i - 1]) * (v[i] - v[i - 1]) / (r[i] - r[i - 1]);
}
const std::vector<double> SAND_R = {0, 0.5, 1, 1.5, 2, 2.5, 3, 4, 5, 6};
const std::vector<double> CLAY_F = {0,    0.00025, 0.0025, 0.0075, 0.02, 0.04, 0.06, 0.1, 0.15,
                                    0.225, 0.3,    0.4,    0.5,    0.65, 0.8,  1.0,  1.2};

// ---------------------------------------------------------------------------
// Hand evaluation of one requested curve.

struct Request {
  int pile;
  double depth;                // ft
  std::vector<double> defl;    // the listed deflections; empty: the criterion's own
  bool cap = false;            // the curve at the cap level, with the cap width
};

struct Point {
  double y, p;
};

// The printed points of request r under the loading kind kst (1 static) with
// ncyc cycles; EQDEP is the equivalent depth of the layer top that the
// analysis left (the listing computes none).
std::vector<Point> handCurve(const Request& r, int kst, double ncyc) {
  const PileData pd = pileData(r.pile);
  const double X = r.depth * 12, g = pd.ground * 12;
  const int L = layerOf(X);
  const SoilLayer& s = SOIL[L];
  const double z = X - g;
  const double zeq = L == 0 ? z : PYLAYR.EQDEP(r.pile, L + 1) + X - s.top * 12;
  const double b = r.cap ? CAPB : B;
  const double c = cOf(L, X), gam = gamAvg(X), k = s.k, kz = k * zeq;
  const bool stat = kst == 1;

  std::function<double(double)> p;
  std::vector<double> defl;
  switch (s.code) {
    case 1:
    case 13:
    case 14: {
      const double J = s.code == 1 ? 0.5 : jOf(L, X);
      const double pu = std::min(3 + gam * z / c + J * zeq / b, 9.0) * c * b;
      const double y50 = 2.5 * s.e50 * b;
      const double zr = 6 * c * b / (gam * b + J * c);
      const double es0 = 0.5 * pu * std::pow(y50 / 1e-14, 2.0 / 3.0) / y50;
      p = [=](double y) {
        if (y < 1e-14) return s.code == 14 ? kz * y : es0 * y;
        const double cube = 0.5 * pu * std::cbrt(y / y50);
        double v;
        if (y <= 3 * y50) v = cube;
        else if (stat) v = y <= 8 * y50 ? cube : pu;
        else if (zeq >= zr) v = 0.72 * pu;
        else {
          const double end = 0.72 * pu * zeq / zr;
          v = y >= 15 * y50 ? end : 0.72 * pu + (end - 0.72 * pu) * (y - 3 * y50) / (12 * y50);
        }
        return s.code == 14 ? std::min(v, kz * y) : v;
      };
      for (double f : CLAY_F) defl.push_back(r4(f) * 8 * y50);
      break;
    }
    case 2: {
      const double ca = 0.5 * (c + SOIL[L].c0 / 144.0);  // mean with the layer top's strength
      const double ratio = zeq / B;
      const double As = table({0, 1, 2, 3, 4, 5}, {0.223, 0.46, 0.55, 0.59, 0.6, 0.6}, ratio);
      const double Ac = table({0, 1, 2, 3}, {0.2, 0.29, 0.3, 0.3}, ratio);
      const double pc = std::min(2 * ca * b + gam * b * z + r4(2.83) * ca * zeq, 11 * c * b);
      const double y50 = s.e50 * b, yp = r4(4.1) * Ac * y50;
      p = [=](double y) {
        double v;
        if (stat) {
          const double ay = As * y50;
          const double top = 0.5 * pc * std::sqrt(6 * As) - r4(0.411) * pc;
          if (y <= ay) v = 0.5 * pc * std::sqrt(y / y50);
          else if (y <= 6 * ay) v = 0.5 * pc * std::sqrt(y / y50) - r4(0.055) * pc * std::pow(y / ay - 1, 1.25);
          else if (y <= 18 * ay) v = top - r4(0.0625) * pc * (y - 6 * ay) / y50;
          else v = top - r4(0.75) * pc * As;
        } else {
          if (y <= r4(0.6) * yp) v = Ac * pc * (1 - std::pow(std::fabs((y - r4(0.45) * yp) / (r4(0.45) * yp)), 2.5));
          else if (y <= r4(1.8) * yp) v = r4(0.936) * Ac * pc - r4(0.085) * pc * (y - r4(0.6) * yp) / y50;
          else v = r4(0.936) * Ac * pc - r4(0.102) * pc * yp / y50;
        }
        return std::min(v, kz * y);
      };
      const double st[17] = {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 10, 14, 18, 26};
      const double cy[17] = {0, .05, .1, .15, .2, .25, .3, .35, .4, .45, .5, .55, .6, 1, 1.4, 1.8, 10};
      for (int i = 0; i < 17; ++i) defl.push_back(stat ? st[i] * As * y50 : r4(cy[i]) * yp);
      break;
    }
    case 3:
    case 10: {
      const double ca = 0.5 * (c + SOIL[L].c0 / 144.0);
      const double pu = std::min(3 * ca * b + gam * b * z + 0.5 * ca * zeq, 9 * c * b);
      const double y50 = 2.5 * s.e50 * b;
      const double lg = std::log10(std::max(ncyc, 1.0));
      const double y16 = kst == 0 ? (16 + 9.6 * lg) * y50 : 16 * y50;
      p = [=](double y) {
        const double v = kst == 0 ? std::min(0.5 * pu * std::pow(y / (y50 * (1 + 0.6 * lg)), 0.25), pu)
                                  : (y <= y16 ? 0.5 * pu * std::pow(y / y50, 0.25) : pu);
        return s.code == 10 ? std::min(v, kz * y) : v;
      };
      for (double f : CLAY_F) defl.push_back(r4(f) * y16);
      break;
    }
    case 4: {
      const double phi = phiOf(L, X), al = phi / 2, be = M_PI / 4 + phi / 2, K0 = 0.4;
      const double ka = std::pow(std::tan(M_PI / 4 - phi / 2), 2);
      const double tb = std::tan(be), tp = std::tan(phi), ta = std::tan(al), tbp = std::tan(be - phi);
      const double pst = gam * z *
                         (K0 * zeq * tp * std::sin(be) / (tbp * std::cos(al)) + tb / tbp * (b + zeq * tb * ta) +
                          K0 * zeq * tb * (tp * std::sin(be) - ta) - ka * b);
      const double psd = ka * b * gam * z * (std::pow(tb, 8) - 1) + K0 * b * gam * z * tp * std::pow(tb, 4);
      const double ps = std::min(pst, psd);
      const std::vector<double> A = stat ? std::vector<double>{2.83, 2.48, 2.11, 1.76, 1.48, 1.23, 1.06, .9, .88, .88}
                                         : std::vector<double>{.75, .93, 1.07, 1.11, 1.03, .98, .94, .9, .88, .88};
      const std::vector<double> Bt = stat ? std::vector<double>{2.14, 1.83, 1.54, 1.27, 1.05, .86, .71, .53, .5, .5}
                                          : std::vector<double>{.53, .72, .83, .86, .82, .77, .7, .55, .55, .55};
      const double pu = table(SAND_R, A, zeq / B) * ps, pm = table(SAND_R, Bt, zeq / B) * ps;
      const double yu = 3 * b / 80, ym = b / 60;
      const double m = (pu - pm) / (yu - ym), n = pm / (m * ym), C = pm / std::pow(ym, 1 / n);
      const double yk = std::pow(C / kz, n / (n - 1));
      p = [=](double y) {
        double v;
        if (y >= ym) v = y < yu ? pm + m * (y - ym) : pu;
        else if (y > yk) v = C * std::pow(y, 1 / n);
        else v = kz * y;
        return std::min(v, kz * y);
      };
      const double ya = yk > ym ? ym / 10 : yk, d = ym - ya;
      defl = {0, ya / 2};
      for (int i = 0; i < 10; ++i) defl.push_back(ya + i * d / 10);
      for (double y : {ym, (yu + 2 * ym) / 3, (2 * yu + ym) / 3, yu, 1.2 * yu}) defl.push_back(y);
      break;
    }
    case 8: {
      const double phi = phiOf(L, X), al = phi / 2, be = M_PI / 4 + phi / 2, K0 = 0.4;
      const double ka = std::pow(std::tan(M_PI / 4 - phi / 2), 2);
      const double tb = std::tan(be), tp = std::tan(phi), ta = std::tan(al), t = tb * tb;
      const double C1 = tb * (t * ta + K0 * (tp * std::sin(be) * (1 / std::cos(al) + 1) - ta));
      const double C2 = t - ka, C3 = t * t * (t + K0 * tp) - ka;
      const double pu = zeq <= (C3 - C2) * b / C1 ? gam * z * (C1 * zeq + C2 * b) : C3 * b * gam * z;
      const double A = stat ? std::max(3 - 0.8 * zeq / b, 0.9) : 0.9;
      const double yref = A * pu / kz;
      p = [=](double y) { return A * pu * std::tanh(y / yref); };
      const double y95 = 1.8317807 * yref, y99 = 2.646653 * yref, y9999 = 4.951636 * yref;
      for (int i = 0; i <= 10; ++i) defl.push_back(i * y95 / 10);
      for (double y : {(y95 + y99) / 2, y99, (y9999 + 2 * y99) / 3, (2 * y9999 + y99) / 3, y9999, 1.2 * y9999})
        defl.push_back(y);
      break;
    }
    default:
      ADD_FAILURE() << "no hand curve for soil type " << s.code;
  }
  if (!r.defl.empty()) defl = r.defl;
  std::vector<Point> out;
  for (double y : defl) {
    // The cap's own curve is printed as it stands; a pile's is stretched by
    // its multipliers.
    if (r.cap) out.push_back({y, p(y)});
    else out.push_back({y * pd.ym, p(y) * pd.pm});
  }
  return out;
}

// ---------------------------------------------------------------------------
// Runs and their files.

struct RunFiles {
  std::int32_t status = -1;
  Lines listing;  // the input echo from "* TABLE N *" on
  Lines plot;
};

Lines listingOf(const Lines& echo) {
  auto it = std::find(echo.begin(), echo.end(), "     * TABLE N *   PRINTED P-Y CURVES");
  if (it == echo.end()) return {};
  return Lines(it - 5, echo.end());  // with the five empty lines before the title
}

// A whole run of an input text through the entry point, as a host makes it.
RunFiles runText(const std::string& text) {
  test::ScratchDir dir;
  test::writeNamesFile();
  test::writeInputFile(text);
  RunFiles r;
  r.status = IDRELM(6);
  r.listing = listingOf(test::readLines("run.echo"));
  // The head curves generated at the input stage come before the p-y curves.
  const Lines plot = test::readLines("run.plt");
  r.plot = Lines(std::find(plot.begin(), plot.end(), "     * GENERATED P-Y CURVES *"), plot.end());
  return r;
}

RunFiles runFixture(const std::string& name) { return runText(test::readFile(test::dataFile(name))); }

// The listing once more over the tables a run left, under the given loading.
RunFiles relist(int kst, double ncyc) {
  test::ScratchDir dir;
  CURCTL.KSTCYC = kst;
  CURCTL.NCYCL = ncyc;
  io::OPEN(U_ECHO, "echo", io::Access::Write);
  io::OPEN(U_PLOT, "plot", io::Access::Write);
  RunFiles r;
  r.status = 0;
  std::int32_t option = 1;
  PYTABN(option, r.status);
  io::CLOSEALL();
  r.listing = listingOf(test::readLines("echo"));
  r.plot = test::readLines("plot");
  return r;
}

// A point line of the input echo: 21 blanks and two fields of 20 columns,
// ended by the line's blank.
bool isPointLine(const std::string& l) {
  return l.size() == 62 && l.compare(0, 21, std::string(21, ' ')) == 0 && l.back() == ' ' &&
         l.find_first_of("0123456789") != std::string::npos;
}

void expectNear(double got, double want, double rel, const std::string& what) {
  EXPECT_NEAR(got, want, rel * std::fabs(want) + 1e-12) << what;
}

// Every generated curve of the plot data file, in request order, against the
// hand curves; the plot records of refused requests carry no points.
void checkPlot(const RunFiles& run, const std::vector<std::pair<int, Request>>& curves, int nreq,
               int kst, double ncyc) {
  const Lines& pl = run.plot;
  ASSERT_GE(pl.size(), 2u);
  EXPECT_EQ(pl[0], "     * GENERATED P-Y CURVES *");
  char count[16];
  std::snprintf(count, sizeof count, "     %5d", nreq);
  EXPECT_EQ(pl[1], count);
  std::size_t i = 2;
  for (int j = 1; j <= nreq; ++j) {
    ASSERT_LT(i, pl.size());
    int jj = 0, e = 0, n = -1;
    ASSERT_EQ(std::sscanf(pl[i].c_str(), "%5d%5d%5d", &jj, &e, &n), 3) << pl[i];
    EXPECT_EQ(jj, j);
    ++i;
    auto it = std::find_if(curves.begin(), curves.end(), [&](const auto& c) { return c.first == j; });
    if (it == curves.end()) {
      EXPECT_EQ(n, 0) << "refused request " << j;
      continue;
    }
    const Request& r = it->second;
    const std::vector<Point> hand = handCurve(r, kst, ncyc);
    EXPECT_EQ(e, r.pile);
    ASSERT_EQ(n, static_cast<int>(hand.size())) << "request " << j;
    EXPECT_DOUBLE_EQ(std::strtod(pl[i].c_str(), nullptr), r.depth * 12) << "X record of request " << j;
    ++i;
    for (int k = 0; k < n; ++k, ++i) {
      ASSERT_LT(i, pl.size());
      char* end = nullptr;
      const double y = std::strtod(pl[i].c_str(), &end);
      const double p = std::strtod(end, nullptr);
      const std::string at = "request " + std::to_string(j) + " point " + std::to_string(k + 1);
      expectNear(y, hand[k].y, 1e-7, at + " y");
      expectNear(p, hand[k].p, 1e-6, at + " p");
    }
  }
  EXPECT_EQ(i, pl.size());
}

// The point lines of the input echo, in order, against the same hand curves
// (five significant digits).
void checkEchoPoints(const RunFiles& run, const std::vector<std::pair<int, Request>>& curves, int kst,
                     double ncyc) {
  std::vector<Point> hand;
  for (const auto& [j, r] : curves)
    for (const Point& pt : handCurve(r, kst, ncyc)) hand.push_back(pt);
  std::vector<Point> printed;
  for (const std::string& l : run.listing)
    if (isPointLine(l)) printed.push_back({std::strtod(l.substr(21, 20).c_str(), nullptr),
                                           std::strtod(l.substr(41, 20).c_str(), nullptr)});
  ASSERT_EQ(printed.size(), hand.size());
  for (std::size_t k = 0; k < hand.size(); ++k) {
    expectNear(printed[k].y, hand[k].y, 5e-5, "echo point " + std::to_string(k + 1) + " y");
    expectNear(printed[k].p, hand[k].p, 5e-5, "echo point " + std::to_string(k + 1) + " p");
  }
}

// The generated curves of both fixtures: a request in each criterion's layer
// of pile 1 (multipliers 0.8 on p, 1.25 on y), one on pile 2 whose head stands
// above the ground, and one at the bottom of a layer, which the layer below
// evaluates (at its top, where it has no resistance yet).
std::vector<Request> criterionRequests() {
  return {{1, 5.0, {}},
          {1, 15.0, {0.0, 1.0E-15, 0.1, 0.5, 2.0}},
          {1, 25.0, {}},
          {1, 35.0, {}},
          {1, 45.0, {0.01, 0.05, 0.2, 1.0}},
          {1, 55.0, {}},
          {1, 65.0, {}},
          {1, 75.0, {0.0, 0.02, 0.1, 0.3, 1.0, 3.0}},
          {2, 12.0, {}},
          {1, 30.0, {0.1, 0.5, 1.0}}};
}

// The cap fixture: request 1 at the cap level of pile 5, then the criterion
// requests as 2 .. 11, then nine refused requests.
std::vector<std::pair<int, Request>> capFixtureCurves() {
  std::vector<std::pair<int, Request>> c = {{1, {5, -1.0, {}, true}}};
  int j = 1;
  for (const Request& r : criterionRequests()) c.push_back({++j, r});
  return c;
}

std::vector<std::pair<int, Request>> staticFixtureCurves() {
  std::vector<std::pair<int, Request>> c;
  int j = 0;
  for (const Request& r : criterionRequests()) c.push_back({++j, r});
  return c;
}

// The cap fixture ends with a static case and then a cyclic one of 10 cycles;
// the listing runs after all cases under the controls of the last one.
TEST(PyListRun, CapFixtureListingLineByLine) {
  const RunFiles run = runFixture("pylist_criteria.inp");
  ASSERT_EQ(run.status, 0);
  ASSERT_FALSE(run.listing.empty());

  // Layouts: every line but the point lines, against the expected listing.
  Lines layout;
  for (const std::string& l : run.listing)
    if (!isPointLine(l)) layout.push_back(l);
  const Lines expected = test::readLines(test::dataFile("expected/pylist_criteria.txt"));
  ASSERT_EQ(layout.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(layout[i], expected[i]) << "line " << i + 1;

  const int kst = CURCTL.KSTCYC;
  const double ncyc = CURCTL.NCYCL;
  EXPECT_EQ(kst, 0) << "the last load case is cyclic";
  EXPECT_EQ(ncyc, 10.0);
  checkPlot(run, capFixtureCurves(), 20, kst, ncyc);
  checkEchoPoints(run, capFixtureCurves(), kst, ncyc);
}

// The static fixture has no cap, so that a request above a pile head is
// refused for the head, and lists its curves under static loading.
TEST(PyListRun, StaticFixtureAndBothLoadingKinds) {
  const RunFiles run = runFixture("pylist_static.inp");
  ASSERT_EQ(run.status, 0);
  ASSERT_GE(run.listing.size(), 5u);
  EXPECT_EQ(Lines(run.listing.end() - 7, run.listing.end()),
            (Lines{"", "         CURVE NUMBER              =   11", "",
                   "         PILE GROUP NUMBER         =    2", "",
                   "         CURVE NOT GENERATED SINCE REQUIRED DEPTH,       -6.00 FT,",
                   "         IS ABOVE TOP OF REQUIRED PILE,      -5.00 FT"}));
  EXPECT_EQ(CURCTL.KSTCYC, 1);
  checkPlot(run, staticFixtureCurves(), 11, CURCTL.KSTCYC, CURCTL.NCYCL);
  checkEchoPoints(run, staticFixtureCurves(), CURCTL.KSTCYC, CURCTL.NCYCL);

  // Each loading kind over the same tables: static, and cyclic of 10 cycles
  // (the stiff clay without free water stretches its curve by 1 + 0.6 log N).
  for (const auto& [kst, ncyc] : {std::pair{1, 1.0}, std::pair{0, 10.0}}) {
    SCOPED_TRACE(kst == 1 ? "static" : "cyclic");
    const RunFiles again = relist(kst, ncyc);
    EXPECT_EQ(again.status, 0);
    checkPlot(again, staticFixtureCurves(), 11, kst, ncyc);
    checkEchoPoints(again, staticFixtureCurves(), kst, ncyc);
  }
}

// The numbers of a line.
std::vector<double> numbersOf(const std::string& l) {
  std::vector<double> v;
  for (const char* c = l.c_str(); *c;) {
    char* end = nullptr;
    const double x = std::strtod(c, &end);
    if (end == c) {
      ++c;
      continue;
    }
    v.push_back(x);
    c = end;
  }
  return v;
}

// Every listed deflection of the static fixture negated: each point of a
// curve is odd in y, so the listing and the plot file give the same points
// with both values negated (stiff clay without free water printed NaN).
TEST(PyListRun, NegativeDeflectionsListTheMirroredPoints) {
  const RunFiles run = runFixture("pylist_static.inp");
  ASSERT_EQ(run.status, 0);
  std::string in = test::readFile(test::dataFile("pylist_static.inp"));
  int negated = 0;
  for (const char* list : {"0.0 1.0E-15 0.1 0.5 2.0", "0.01 0.05 0.2 1.0", "0.0 0.02 0.1 0.3 1.0 3.0", "0.1 0.5 1.0"}) {
    std::string neg;
    for (const double y : numbersOf(list)) {
      char t[32];
      std::snprintf(t, sizeof t, "%.17g", -y);
      neg += (neg.empty() ? "" : " ") + std::string(t);
      if (y != 0.0) ++negated;
    }
    const std::size_t at = in.find(std::string("\n") + list + "\n");
    ASSERT_NE(at, std::string::npos) << list;
    in.replace(at + 1, std::string(list).size(), neg);
  }
  ASSERT_EQ(negated, 16);
  const RunFiles mirrored = runText(in);
  ASSERT_EQ(mirrored.status, 0);
  for (const auto& [a, b, what] : {std::tuple{&run.listing, &mirrored.listing, "listing"},
                                   std::tuple{&run.plot, &mirrored.plot, "plot"}}) {
    ASSERT_EQ(b->size(), a->size()) << what;
    int flipped = 0;
    for (std::size_t i = 0; i < a->size(); ++i) {
      if ((*a)[i] == (*b)[i]) continue;
      const std::vector<double> x = numbersOf((*a)[i]), y = numbersOf((*b)[i]);
      ASSERT_EQ(y.size(), x.size()) << what << ": " << (*b)[i];
      for (std::size_t k = 0; k < x.size(); ++k) EXPECT_EQ(y[k], -x[k]) << what << ": " << (*b)[i];
      ++flipped;
    }
    EXPECT_EQ(flipped, negated) << what;
  }
}

}  // namespace
}  // namespace drelm
