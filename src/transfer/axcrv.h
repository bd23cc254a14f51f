// The load-transfer curve set of one pile: side t-z curves, axial rigidity
// along the pile and the tip q-w curve. The caller owns it for one
// evaluation of the pile; the routines fill and read its fields by reference.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/farray.h"
#include "transfer/tzshape.h"

namespace drelm {

constexpr int MAXAEP = 50;  // points of the axial rigidity table
constexpr int MAXQWP = 50;  // point slots of the tip curve
constexpr int NQWPT = 10;   // points of the tip curve

struct AXCRV_T {
  TzTable TZT;                      // (k, P) unit side resistance t of point k of curve P
  TzTable TZZ;                      // (k, P) axial movement z
  TzColumn TZMAX;                   // ultimate unit side friction of curve P
  TzColumn TZPHI;                   // friction angle at curve P, degrees
  FArray<double, MAXAEP> AETAB;     // axial rigidity E x A at the points of AEDEP
  FArray<double, MAXAEP> AEDEP;     // depth below the pile head, two points per section
  FArray<std::int32_t, MAXTZC> TZNPT;  // points of curve P (10)
  TzColumn TZDEP;                   // X of curve P
  FArray<double, MAXQWP> QWQ;       // tip load
  FArray<double, MAXQWP> QWW;       // tip movement
};

}  // namespace drelm

namespace drelm {

// Axial rigidity table of pile property IPROP from its section table: two
// points per section, at its top and bottom depth below the pile head, with
// E x A at the top and at the bottom of the section. Points beyond 2 x NSECT
// are left as they are; returns the number of points written.
// Store a code in a status word that several pile solutions may write at once.
inline void storeWord(std::int32_t& word, std::int32_t code) {
  std::atomic_ref<std::int32_t>(word).store(code, std::memory_order_relaxed);
}

int AETABLE(const std::int32_t& IPROP, FArray<double, MAXAEP>& AETAB, FArray<double, MAXAEP>& AEDEP);

}  // namespace drelm
