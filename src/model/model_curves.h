// Input tables of the p-y listing requests, the user and generated curve
// lists, the moment-curvature data, the reduction factors along depth and the
// soil movement (record groups 10 to 20).
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXPRT = 50;    // p-y listing requests
constexpr int MAXPRD = 25;    // listed deflections of a request
constexpr int MAXPYU = 24;    // user deflections of the curve file
constexpr int MAXPYS = 50;    // user p-y sets
constexpr int MAXPYC = 20;    // curves of a user p-y set
constexpr int MAXPYP = 50;    // points of a user p-y curve
constexpr int MAXHDC = 50;    // user head curves (load-settlement, torque-rotation)
constexpr int MAXHDP = 50;    // points of a user head curve
constexpr int MAXTRG = 50;    // generated torque-rotation curves
constexpr int MAXMCS = 150;   // moment-curvature sets
constexpr int MAXMCC = 25;    // curves of a moment-curvature set
constexpr int MAXMCP = 200;   // points of a moment-curvature curve
constexpr int MAXMCE = 100;   // entries of the cross-section moment-curvature group
constexpr int MAXRFS = 100;   // reduction-factor sets
constexpr int MAXRFP = 50;    // points of a reduction-factor set
constexpr int MAXSMV = 25;    // soil-movement points

// p-y listing requests (group 10) and the user deflections of the curve file.
struct PYPRT_T {
  std::int32_t NPYPRT = 0;
  FArray<std::int32_t, MAXPRT> PRTPIL;  // pile (space) or pile group (plane)
  FArray<double, MAXPRT> PRTDEP;        // X of the curve (length)
  FArray<std::int32_t, MAXPRT> PRTNPT;  // listed deflections, 0 the criterion's own
  FArray2<double, MAXPRD, MAXPRT> PRTDEF;  // (k, j): deflection k of request j
  FArray<std::int32_t, MAXPRT> PRTSTA;  // status worked out by the listing
  std::int32_t NPYPTS = 0;  // deflections of the curve now requested
  std::int32_t IPYCRV = 0;  // index of the listed curve now requested
  std::int32_t NPYUSR = 0;  // user deflections of the curve file (group 20)
  FArray<double, MAXPYU> PYUSR;
};
extern PYPRT_T PYPRT;

// Curves given in the input file (groups 11, 14, 15, 16 and 17).
struct INPCRV_T {
  // User p-y curves (group 11); NPYSET is the number of sets in use, set by
  // CONVIN (0 without user p-y curves).
  std::int32_t NPYSET = 0;
  std::int32_t NPYSIN = 0;  // number of sets read
  FArray<std::int32_t, MAXPYS> UPYNC;              // curves of set s
  FArray2<double, MAXPYS, MAXPYC> UPYDEP;          // X of curve c (length)
  FArray2<std::int32_t, MAXPYS, MAXPYC> UPYNPT;    // points of curve c
  FArray3<double, MAXPYS, MAXPYC, MAXPYP> UPYP;    // soil resistance p
  FArray3<double, MAXPYS, MAXPYC, MAXPYP> UPYY;    // deflection y
  // User axial load-displacement curves (group 14).
  std::int32_t NLSIN = 0;
  FArray<std::int32_t, MAXHDC> ULSNUM, ULSNPT;
  FArray2<double, MAXHDC, MAXHDP> ULSLOD, ULSDSP;  // load, head displacement
  // User torque-rotation curves (group 15).
  std::int32_t NTRIN = 0;
  FArray<std::int32_t, MAXHDC> UTRNUM, UTRNPT;
  FArray2<double, MAXHDC, MAXHDP> UTRTOR, UTRROT;  // torque, twist (radian)
  // User moment-curvature sets (group 16).
  std::int32_t NMCSIN = 0;
  FArray<std::int32_t, MAXMCS> UMCNC;              // curves of set s
  FArray2<double, MAXMCS, MAXMCC> UMCAXL;          // axial load of curve c
  FArray2<std::int32_t, MAXMCS, MAXMCC> UMCNPT;    // points of curve c
  FArray3<double, MAXMCS, MAXMCC, MAXMCP> UMCMOM, UMCCRV;  // moment, curvature
  // Moment-curvature curves of the cross sections (group 17): entry t
  // belongs to cross section t; Z for bending about z, Y about y (0 curves
  // in a plane analysis).
  std::int32_t NMCGEN = 0;
  FArray<std::int32_t, MAXMCE> GMZNC, GMYNC;
  FArray2<double, MAXMCE, MAXMCC> GMZAXL, GMYAXL;
  FArray2<std::int32_t, MAXMCE, MAXMCC> GMZNPT, GMYNPT;
  FArray3<double, MAXMCE, MAXMCC, MAXMCP> GMZMOM, GMZCRV, GMYMOM, GMYCRV;
};
extern INPCRV_T INPCRV;

// Piles whose head curves are generated from the soil profile (groups 12, 13);
// position h of a list is generated curve h.
struct GENCRVIN_T {
  std::int32_t NLSGEN = 0;
  FArray<std::int32_t, MAXPIL> LSGLST;
  std::int32_t NTRGEN = 0;
  FArray<std::int32_t, MAXTRG> TRGLST;
};
extern GENCRVIN_T GENCRVIN;

// Reduction factors along depth (group 18): depth below the pile head of
// point k of set s, p- and y-multiplier.
struct RFDEP_T {
  std::int32_t NRFSET = 0;
  FArray<std::int32_t, MAXRFS> NRFPT;
  FArray2<double, MAXRFS, MAXRFP> RFDDEP, RFDPM, RFDYM;
};
extern RFDEP_T RFDEP;

// Soil movement (group 19): depth and movements as read, and the current
// movements (as read times the load fraction SMVFAC) used by the solvers.
struct SMOV_T {
  std::int32_t ISMOV = 0;  // control #19
  std::int32_t NSMOV = 0;
  double SMVFAC = 0;
  FArray<double, MAXSMV> SMVDEP;          // depth (length)
  FArray<double, MAXSMV> SMVYIN, SMVZIN;  // movement along Y, Z as read
  FArray<double, MAXSMV> SMVY, SMVZ;      // current movement along Y, Z
};
extern SMOV_T SMOV;

}  // namespace drelm
