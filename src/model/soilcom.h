// The soil record: the layers of the analysis and every soil property as a
// profile of points along X, two points per layer (top and bottom), so that a
// boundary between layers is two points at the same X and a property may jump
// there. Built once per run from the input layers (SOILREC) and read by the
// soil look-ups, the p-y criteria and the load-transfer curves.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXLYR = 40;          // layer slots of the record
constexpr int MAXPRF = 2 * MAXLYR;  // profile points, two per layer

// Soil-type codes of a layer (LTYPE).
enum SoilType : std::int32_t {
  ST_SOFTCLAY = 1,     // soft clay
  ST_STIFFWAT = 2,     // stiff clay with free water
  ST_STIFFDRY = 3,     // stiff clay without free water
  ST_SAND = 4,         // sand
  ST_USERPY = 5,       // user-defined p-y curves
  ST_VUGGY = 6,        // vuggy limestone
  ST_SILT = 7,         // silt (c-phi soil)
  ST_APISAND = 8,      // sand by the API criteria
  ST_WEAKROCK = 9,     // weak rock
  ST_STIFFDRYK = 10,   // stiff clay without free water, with initial k
  ST_LIQSAND = 11,     // liquefied sand
  ST_ELASTIC = 12,     // elastic subgrade
  ST_SOFTCLAYJ = 13,   // soft clay with user-defined J
  ST_SOFTCLAYK = 14,   // modified soft clay with initial k
};
constexpr std::int32_t ST_LAST = ST_SOFTCLAYK;  // the highest code

// Groups of soil types that share rules: every list of types lives here, so
// that a new soil type is placed in each group in one file.
// A code of the table above.
constexpr bool isSoilType(std::int32_t t) { return t >= ST_SOFTCLAY && t <= ST_LAST; }
// Cohesionless sands: side friction and tip resistance from the friction
// angle alone.
constexpr bool isSandType(std::int32_t t) { return t == ST_SAND || t == ST_APISAND; }
// Soils with a friction angle (the sands and silt): the sand shapes of the
// t-z curves and the sand rule of the tip resistance (silt adds its
// cohesion term).
constexpr bool isFrictionalType(std::int32_t t) { return isSandType(t) || t == ST_SILT; }
// Clays: the clay rule of the tip resistance (nine times the cohesion).
constexpr bool isClayType(std::int32_t t) {
  return t == ST_SOFTCLAY || t == ST_STIFFWAT || t == ST_STIFFDRY || t == ST_STIFFDRYK || t == ST_SOFTCLAYJ ||
         t == ST_SOFTCLAYK;
}
// Soils with a cohesion (the clays and silt): E50 estimated from it.
constexpr bool isCohesiveType(std::int32_t t) { return isClayType(t) || t == ST_SILT; }
// Soils whose p-y criterion takes a subgrade modulus k (estimated when 0).
constexpr bool takesSubgradeModulus(std::int32_t t) {
  return isFrictionalType(t) || t == ST_STIFFWAT || t == ST_STIFFDRYK || t == ST_SOFTCLAYK;
}
// Soils whose estimated side friction follows the clay rules: the clays and
// liquefied sand.
constexpr bool isClaySideType(std::int32_t t) { return isClayType(t) || t == ST_LIQSAND; }
// Rock (vuggy limestone, weak rock): strength in place of cohesion.
constexpr bool isRockType(std::int32_t t) { return t == ST_VUGGY || t == ST_WEAKROCK; }
// Soils whose tip resistance is the input value, else nine times the
// cohesion: user p-y curves, rock and liquefied sand.
constexpr bool isGivenTipType(std::int32_t t) { return t == ST_USERPY || isRockType(t) || t == ST_LIQSAND; }

// Which of c, friction angle, k, Er, E50 and J a soil type takes from its
// layer values (the soil record keeps the others at 0, so they reach no
// computation). Unit weight, side friction and tip resistance are always
// taken. Property 2 is the cohesion, the strength of rock (6, 9) or the
// maximum stress of the elastic subgrade (12); property 6 is krm of weak rock
// and property 7 its RQD.
struct SoilInputs {
  bool c, phi, k, er, e50, j;
};
constexpr SoilInputs soilInputs(std::int32_t t) {
  switch (t) {
    case ST_SOFTCLAY: case ST_STIFFDRY: return {true, false, false, false, true, false};
    case ST_STIFFWAT: case ST_STIFFDRYK: return {true, false, true, false, true, false};
    case ST_SAND: case ST_APISAND: return {false, true, true, false, false, false};
    case ST_USERPY: case ST_LIQSAND: return {false, false, false, false, false, false};
    case ST_VUGGY: return {true, false, false, false, false, false};
    case ST_SILT: return {true, true, true, false, true, false};
    case ST_WEAKROCK: return {true, false, false, true, true, true};
    case ST_SOFTCLAYJ: return {true, false, false, false, true, true};
    case ST_SOFTCLAYK: return {true, false, true, false, true, true};
    default: return {true, true, true, true, true, true};  // 12 and unknown codes
  }
}

struct SOILCOM_T {
  // Profile columns: point 2L-1 is the top and point 2L the bottom of layer L.
  FArray<double, MAXPRF> KPROF;   // p-y subgrade modulus k (elastic modulus for type 12), F/L^3
  FArray<double, MAXPRF> ERPROF;  // Young modulus of rock Er, F/L^2
  FArray<double, MAXPRF> GAMPR;   // effective unit weight at the points of XGAM, F/L^3
  FArray<double, MAXPRF> XPROF;   // X of the profile points
  FArray<double, MAXPRF> CPROF;   // cohesion, or compressive strength (6, 9), or max stress transfer (12)
  FArray<double, MAXPRF> PHIPR;   // friction angle, radians
  FArray<double, MAXPRF> E50PR;   // E50, or krm of weak rock
  FArray<double, MAXPRF> XGAM;    // X of the unit-weight points (same values as XPROF)
  FArray<double, MAXPRF> QTPROF;  // ultimate unit tip resistance, F/L^2
  FArray<double, MAXPRF> JPROF;   // J factor, or RQD in percent (type 9)
  FArray<double, MAXPRF> FSPROF;  // ultimate unit side friction, F/L^2
  std::int32_t NPROF = 0;         // number of profile points, 2 x layers
  std::int32_t NGAM = 0;          // number of unit-weight points, 2 x layers
  FArray<std::int32_t, MAXLYR> LTYPE;  // soil-type code of each layer
  std::int32_t MAXITL = 0;        // iteration limit of a lateral pile solution, current case
  PileArray<double, MAXPIL1> GRNDX;  // per pile, X of the ground surface (set by the p-y criteria)
  PileArray<double, MAXPIL1> PUCAP;  // per pile, soil resistance at the cap base (embedded cap)
  FArray<double, MAXLYR + 1> LTOP;  // X of the top of each layer; slot NLAYER+1 the deepest bottom
  FArray<double, MAXLYR> LBOT;    // X of the bottom of each layer
  FArray<std::int32_t, MAXLYR> CAPNF;  // first node of each layer in the cap's node column
  FArray<std::int32_t, MAXLYR> CAPNL;  // last node of each layer in the cap's node column
  std::int32_t NLAYER = 0;        // number of layers of the analysis
};
extern SOILCOM_T SOILCOM;

}  // namespace drelm
