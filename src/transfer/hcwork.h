// Working curve set of the pile-head curve generators and the steps that
// AXLSGEN and TRGEN share: side t-z curves at chosen depths, the rigidity
// table along the pile, the tip position and soil, and the look-ups of side
// resistance and rigidity during the march from the tip to the head.
#pragma once

#include <cstdint>
#include <string>

#include "report/writers.h"
#include "model/farray.h"
#include "model/model_prep.h"
#include "model/soilcom.h"
#include "transfer/tzshape.h"

namespace drelm {

constexpr int MAXHCC = 3 * MAXLYR + 2;    // side curves: three per layer and two at the ground
constexpr int MAXHCR = 2 * MAXSRT + 1;    // rigidity points: two per section
constexpr int NHCQW = 10;                 // points of the tip q-w curve
constexpr int MAXHCIT = 500;              // iterations of one element of the march

struct HCWORK {
  std::int32_t NCRV = 0;
  FArray2<double, NTZPT, MAXHCC> TZT, TZZ;  // (point, curve) side resistance t, movement z
  FArray<double, MAXHCC> TZMAX;             // ultimate unit side friction
  FArray<double, MAXHCC> TZPHI;             // friction angle, degrees
  FArray<double, MAXHCC> TZDEP;             // X of the curve (or depth below the head)
  FArray<std::int32_t, MAXHCC> TZNPT;       // points of the curve
  FArray<std::int32_t, MAXHCC> TZTYP;       // soil type of the curve's layer
  std::int32_t NAE = 0;                     // points of the rigidity table
  FArray<double, MAXHCR> AEDEP;             // depth below the head
  FArray<double, MAXHCR> AETAB;             // E x A, or GJ
  FArray<double, NHCQW> QWQ, QWW;           // tip load and tip movement
};

// Which generator builds the side curves: the axial one adds two curves at
// the ground; the torsional one starts just below it.
enum class HcKind { Axial, Torsion };

// Tip of the pile and the soil type there.
struct HCTIP {
  double A = 0;    // tip area
  double LV = 0;   // vertical length of the pile
  double XT = 0;   // X of the tip
  double DT = 0;   // depth of the tip below the ground at the pile
  std::int32_t TS = 0;  // soil type at the tip
};

// Checks that a generator can run for pile IPILE of property IPROP in
// direction KDIR: property, pile and direction numbers within their tables,
// installation type 1 or 2, at least one increment, a section table of at
// least one row, a positive length and diameter. Otherwise a fatal block
// names the value and ISTAT becomes STAT_CAPACITY.
bool HCCHECK(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& IPILE,
             std::int32_t& ISTAT, const char* what);

// Side curve depths and the curves at them (ultimate side friction from the
// profile or its estimate, friction angle, shape). A status from a tested
// look-up ends the call.
void HCSIDE(const std::int32_t& IPROP, const std::int32_t& IPILE, HcKind kind, HCWORK& W,
            std::int32_t& ISTAT);

// Unit side friction estimated for a curve of soil type LTYP at X, z below
// the ground, for a driven pile (PTYPE 1) or a drilled shaft (2); FSIN is the
// profile's value, kept for soil types without a rule.
double HCFSEST(std::int32_t PTYPE, std::int32_t LTYP, double X, double z, double FSIN, std::int32_t& ISTAT);

// Rigidity table of IPROP: depth 0 and each section bottom twice, the top and
// bottom values TOP(i) x TOPF(i) and BOT(i) x BOTF(i) of each section.
using SecColumn = SECTAB_T::Tab<double>;
void HCRIGID(const std::int32_t& IPROP, const SecColumn& TOP, const SecColumn* TOPF, const SecColumn& BOT,
             const SecColumn* BOTF, HCWORK& W);
// Rigidity at depth y below the head, linear in the table; held at the last
// point below the table and at the point's value across a zero-width step.
double HCRIG(const HCWORK& W, double y);

// Unit side resistance at depth X for the movement w, linear between the
// curves that bracket X; 0 above the first curve.
double HCTZ(const HCWORK& W, double X, double w);
// One curve k at movement w: linear between points, the last t beyond the
// last point, the first t before the first point.
double HCTZK(const HCWORK& W, int k, double w);

// One element of the march from the tip to the head. From the force P and
// the movement WLO at its lower end: the side resistance at depth X for the
// guessed mid-point movement (times SCALE on the side curves), the force
// increment t x FACTOR, the upper-end force PUP and movement WUP with the
// element's flexibility FLEX (length over rigidity). The guess is refined
// until the mid-point movement changes by at most TOL; false when that takes
// more than MAXHCIT rounds.
bool HCELEM(const HCWORK& W, double X, double SCALE, double FACTOR, double FLEX, double P, double WLO, double TOL,
            double& PUP, double& WUP);
// Tolerance of an axial movement: 1.0E-4 in, its metric equivalent in SI.
double HCTOLMOV();
// Tolerance of a twist, a rotation without unit: the same in both systems.
inline constexpr double HCTOLROT = static_cast<double>(1.0E-4f);

// Tip area (a token TIPAREA0 in uplift), vertical length, tip X, its depth
// below the ground and the soil type of the layer holding it (the deepest
// layer when it lies at or below the profile).
void HCTIPPOS(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& IPILE, HCTIP& T);

// Warning block of a zero tip value: an empty line, the heading and the text
// indented five blanks, to the results report and the runtime log.
void HCWARN(const std::string& text);

// A real of a free-form line: the shortest text that reads back exactly.
std::string FREEREAL(double x);

// Line pieces of the curve tables: one whole record, a run of blanks, and a
// value as an uplift table shows it (negated, without turning a zero into a
// negative zero).
namespace hc {
void out(int unit, const std::string& text);
std::string blanks(int n);
double shown(double x, bool uplift);
}  // namespace hc

}  // namespace drelm
