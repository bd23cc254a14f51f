// Input tables of the load cases, load combinations, envelope options and
// distributed-load sets (record groups 3 to 5).
#pragma once

#include <cstdint>

#include "model/farray.h"

namespace drelm {

constexpr int MAXLC = 100;    // load cases
constexpr int MAXCON = 100;   // concentrated loads per case
constexpr int MAXDLL = 100;   // distributed-load lines per case
constexpr int MAXEST = 25;    // values of the estimation vector
constexpr int MAXCMB = 100;   // load combinations
constexpr int MAXTRM = 100;   // terms of a combination
constexpr int MAXDLS = 2500;  // distributed-load sets
constexpr int MAXDLP = 101;   // points of a distributed-load set
constexpr int NPRSEL = 25;    // columns of a print selection

// Load cases. Columns of CASCTL:
//   1, 2 read and not used; 3 NTHLIM; 4 KSTCYC; 5 number of cycles; 6 MAXITC;
//   7 MAXITL; 8 LCTYPE; 9 LCESTK; 10, 11 values of the analysis sequence;
//   12, 13 read and not used; 14 LCAXCL; 15 LCNCON; 16 LCNDL; 17 LCESTN;
//   18 IPRLEV; 19 NPRNOD; 20 IALTOL; 21 IAXVAR; 22 LCSKIP; 23 the integer
//   after them (not used); 26..50 column print selection; 51 IEIPRV.
// Columns of CASTOL: 1 TOLCAP, 2 TOLPIL, 3 DTCUR0, 4 DTCMIN, 5 scale
//   factor, 6 ALTDSP, 7 ALTROT.
struct CASEIN_T {
  std::int32_t NLCASE = 0;
  FArray<FStr<80>, MAXLC> LCNAME;
  FArray2<double, MAXLC, 7> CASTOL;
  FArray2<std::int32_t, MAXLC, 51> CASCTL;
  FArray<std::int32_t, MAXLC> LCKIND;  // 0 concentrated loads, 1 specified at a point
  // Per load: 1 V, 2 Hy, 3 Mz, 4 Hz, 5 My, 6 Mx, 7 X, 8 Y, 9 Z.
  FArray3<double, MAXLC, MAXCON, 9> LCCONC;
  // Specified point (LCKIND 1): flag per degree of freedom (X, Y, rot Z, Z,
  // rot Y, rot X; 0 displacement given); values 2k-1 displacement, 2k load,
  // 13..15 X, Y, Z of the point.
  FArray2<std::int32_t, MAXLC, 6> LCSPFL;
  FArray2<double, MAXLC, 15> LCSPVL;
  // Distributed-load lines.
  FArray2<std::int32_t, MAXLC, MAXDLL> LCDLAX;    // 1 global axes, else local
  FArray3<std::int32_t, MAXLC, MAXDLL, 3> LCDLPI;  // first pile, last pile, step
  FArray2<std::int32_t, MAXLC, MAXDLL> LCDLSY, LCDLSZ;  // sets for Y and Z
  FArray2<double, MAXLC, MAXDLL> LCDLFY, LCDLFZ;        // their factors
  FArray2<double, MAXLC, MAXEST> LCEST;  // estimation vector
};
extern CASEIN_T CASEIN;

// Load combinations. Columns of CMBCTL: 1, 2 not used; 3 NTHLIM; 4 KSTCYC;
//   5 cycles; 6 MAXITC; 7 MAXITL; 8 number of terms; 9 IPRLEV; 10 NPRNOD;
//   11 IALTOL; 12 IAXVAR; 13 CBSKIP; 14..38 column print selection; 39 the
//   integer after the controls (not used); 40 the term count of the factor
//   line (replaced by column 8); 41 IEIPRV; 41+j load case of term j.
// Columns of CMBTOL: 1..4 as CASTOL; 5 bending and 6 shear resistance
//   factor; 7 ALTDSP; 8 ALTROT; 8+j factor of term j.
struct COMBIN_T {
  std::int32_t NCOMB = 0;
  FArray<FStr<80>, MAXCMB> CBNAME;
  FArray2<double, MAXCMB, 8 + MAXTRM> CMBTOL;
  FArray2<std::int32_t, MAXCMB, 41 + MAXTRM> CMBCTL;
};
extern COMBIN_T COMBIN;

// Envelope options and print selections of cases (list 1) and combinations (list 2).
struct ENVOPT_T {
  std::int32_t IENVLC = 0, IPRLVC = 0, NPRNDC = 0, IENVCU = 0;  // IENVCU read, not used
  std::int32_t IENVCB = 0, IPRLVB = 0, NPRNDB = 0, IENVBU = 0;  // IENVBU read, not used
  FArray2<std::int32_t, NPRSEL, 2> PRTSEL;
  // Print level and node step of the current results, stored by the cap
  // solution before it calls the result tables.
  std::int32_t IPRLVS = 0, NPRNDS = 0;
};
extern ENVOPT_T ENVOPT;

// Sets of distributed load along the piles: depth below the pile head
// (length) and intensity (force per length, internal).
struct DLSETIN_T {
  std::int32_t NDLSET = 0;
  FArray<std::int32_t, MAXDLS> NDLPT;
  FArray2<double, MAXDLS, MAXDLP> DLDEP, DLVAL;
};
extern DLSETIN_T DLSETIN;

}  // namespace drelm
