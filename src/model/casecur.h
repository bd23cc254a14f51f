// State of the load case or combination now analysed, and the load-factor
// search of the equivalent-stiffness estimation. The analysis driver is their
// only regular writer; the pile solvers, the cap solutions and the result
// tables read them.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_loads.h"

namespace drelm {

struct CASECUR_T {
  std::int32_t ICASE = 0;   // load case (case loop) or combination (combination loop) now analysed
  std::int32_t ICOMB = 0;   // 0 in the case loop; the combination now analysed
  std::int32_t KESTCU = 0;  // estimation kind: <= 0 none, 1..10 unit loads, >= 11 equivalent stiffness
  double RFBEND = 1.0;      // bending resistance factor (1.0 for a load case)
  double RFSHR = 1.0;       // shear resistance factor (1.0 for a load case)
  std::int32_t DLFLAG = 0;  // 1 when an axial part of the distributed loads is lumped at the heads
  std::int32_t NESTV = 0;   // values of the estimation vector of the case
  FArray<double, MAXEST> CESTV;  // the estimation values of the case
  std::int32_t NPOINT = 1;  // points of the case
  std::int32_t IPOINT = 1;  // the point now analysed, 1 .. NPOINT
  std::int32_t LOOPNO = 1;  // pass of the point, from 1
  std::int32_t IPRDOF = 0;  // 0 the load of the case, 2 a unit-load point
};
extern CASECUR_T CASECUR;

constexpr int MAXHIS = 20;  // pairs of the load-factor search history

struct SESTIM_T {
  std::int32_t SEMODE = 0;  // 1 while an estimation point is analysed
  double SEFACT = 0;        // load factor of the current pass
  double SEDTGT = 0;        // target displacement of the current point
  std::int32_t SEIDOF = 0;  // cap degree of freedom compared with the target
  double SETOL = 1.0;       // allowed error of the target, percent
  std::int32_t SELDMD = 0;  // 0 the whole load is scaled, else only the target component
  double SEDCMP = 0;        // displacement at SEIDOF of the last converged pass
  // Pass status set before a pass: 3 single pass of method 0, 0 single pass
  // of another method, 2 more passes allowed, 1 the last allowed pass; the
  // cap solution sets 0 when the search ends and -1 when the pass failed.
  std::int32_t SESTAT = 0;
  std::int32_t SENHIS = 0;          // pairs in the history
  FArray<double, MAXHIS> SEHDSP;    // computed target displacements
  FArray<double, MAXHIS> SEHFAC;    // their load factors
  double SEDSP1 = 0;                // displacement of the first recorded pass of the case
  double SEFAC1 = 0;                // its load factor
};
extern SESTIM_T SESTIM;

}  // namespace drelm
