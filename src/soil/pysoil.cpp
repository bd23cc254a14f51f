// Lateral soil springs of one pile: each soil layer's nodes go to the
// criterion of the layer's soil type.
#include <atomic>
#include <cstdio>

#include "soil/pyframe.h"
#include "soil/pysoil.h"
#include "model/tables.h"

namespace drelm {

DRELM_ZERO_TABLE(PYPLOT_T, PYPLOT);

namespace {

// The criterion of soil-type code CODE; none for a code outside the table
// (the reader refuses such a code, so only a corrupted record gets here).
PyCriterion* criterionOf(std::int32_t code) {
  switch (code) {
    case ST_SOFTCLAY: return &PYSOFTCL;
    case 2: return &PYSTFCLW;
    case 3: return &PYSTFCLD;
    case 4: return &PYSAND;
    case 6: return &PYVUGLIM;
    case 7: return &PYSILT;
    case 8: return &PYAPISND;
    case 9: return &PYWEAKRK;
    case 10: return &PYSTFCDK;
    case 11: return &PYLIQSND;
    case 12: return &PYELASUB;
    case 13: return &PYSOFTCJ;
    case 14: return &PYMSOFTK;
    default: return nullptr;
  }
}

void unknownType(int layer, std::int32_t code) {
  char l1[96];
  std::snprintf(l1, sizeof l1, "     SOIL LAYER %3d HAS SOIL TYPE %d, NOT A CODE OF 1 TO %d", layer,
                static_cast<int>(code), static_cast<int>(ST_LAST));
  for (int unit : {U_LOG, U_RESULTS}) py::blockLines(unit, {"", py::blanks(29) + "**** FATAL ERROR ****", l1});
}

// A layer of user p-y curves on a pile without a set of curves ends the run:
// its springs would be undefined.
void noUserSet(int layer, int pile) {
  char l1[96], l2[96];
  std::snprintf(l1, sizeof l1, "     SOIL LAYER %3d TAKES USER-DEFINED P-Y CURVES, BUT PILE %5d", layer, pile);
  std::snprintf(l2, sizeof l2, "     HAS NO SET OF USER P-Y CURVES (SET %5d).", static_cast<int>(PILEAR.IPYSET(pile)));
  for (int unit : {U_LOG, U_RESULTS})
    py::blockLines(unit, {"", py::blanks(29) + "**** FATAL ERROR ****", l1, l2});
}

// The layer slot of the springs the running PYSOIL call keeps (per thread:
// piles run side by side).
thread_local std::unique_ptr<py::SpringLayer>* keptSlot = nullptr;

}  // namespace

std::unique_ptr<py::SpringLayer>* py::keptLayer() { return keptSlot; }

PySprings::PySprings() = default;
PySprings::~PySprings() = default;

PySprings& PySprings::local() {
  thread_local PySprings springs;
  return springs;
}

namespace {
// The sum scope now open (0 none) and the last one opened. A scope opens and
// closes outside the parallel loops it spans.
std::atomic<std::uint64_t> openScope{0};
std::uint64_t lastScope = 0;
}  // namespace

PySprings::SumScope::SumScope() { openScope.store(++lastScope, std::memory_order_relaxed); }
PySprings::SumScope::~SumScope() { openScope.store(0, std::memory_order_relaxed); }

void PySprings::startSolution(std::int32_t IPROP, std::int32_t IPILE) {
  const std::uint64_t scope = openScope.load(std::memory_order_relaxed);
  if (scope == 0 || scope != scope_) forget();
  scope_ = scope;
  layer(IPROP, IPILE, 1);  // forgets another pile's layers
}

void PySprings::forget() {
  for (auto& l : layers_)
    if (l) l->valid = false;
}

std::unique_ptr<py::SpringLayer>& PySprings::layer(std::int32_t IPROP, std::int32_t IPILE, int L) {
  if (IPROP != prop_ || IPILE != pile_) {
    forget();
    prop_ = IPROP;
    pile_ = IPILE;
  }
  return layers_[L - 1];
}

const char* PYNAME(std::int32_t code) {
  static const char* const names[14] = {
      "SOFT CLAY CRITERIA",
      "STIFF CLAY WITH FREE WATER CRITERIA",
      "STIFF CLAY WITHOUT FREE WATER CRITERIA",
      "SAND CRITERIA",
      "P-Y CURVE COMPUTED BY INTERPOLATION BETWEEN USER-DEFINED P-Y CURVES",
      "VUGGY LIMESTONE CRITERIA",
      "SILT CRITERIA",
      "API SAND CRITERIA",
      "WEAK ROCK CRITERIA",
      "STIFF CLAY W/O FREE WATER, WITH INITIAL K VALUE",
      "LIQUIFIED SAND CRITERIA",
      "ELASTIC SUBGRADE CRITERIA",
      "SOFT CLAY WITH USER DEFINED J CRITERIA",
      "MOD. SOFT CLAY WITH INITIAL K VALUE CRITERIA",
  };
  return isSoilType(code) ? names[code - 1] : nullptr;
}

void PYSOIL(const std::int32_t& IPROP, std::int32_t& ISTAT, const std::int32_t& IPILE,
            const std::int32_t& IPILEF, const NodeArray& YDEFL, NodeArray& ESOIL,
            const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL,
            PySprings* SPRINGS) {
  const int p = IPILE;
  const int nn = std::min(PILEPROP.NINC(PILEAR.PROPOFPILE(p)) + 1, MAXNOD);
  const bool analysis = py::currentMode() == py::Mode::Analysis;
  // The piles of a force sum run on several threads: the criteria work on a
  // status word of this call, and a failure reaches the run's word at the end.
  std::atomic_ref<std::int32_t> shared(ISTAT);
  const std::int32_t st0 = shared.load(std::memory_order_relaxed);
  std::int32_t st = st0;

  const double g = py::groundX(p);
  SOILCOM.GRNDX(p) = g;
  const int nl = std::min<int>(SOILCOM.NLAYER, MAXLNL);
  for (int L = 1; L <= nl; ++L) {
    const int n1 = LAYNODE.LNODE1(p, L);
    if (n1 == 0) continue;
    // The placeholder layer below the tip holds only the tip node.
    if (analysis && n1 == nn && LAYNODE.LNODE2(p, L) == nn) continue;
    const std::int32_t code = SOILCOM.LTYPE(L);
    if (code == ST_USERPY) {
      if (!PYUSET(p)) {
        noUserSet(L, p);
        st = STAT_CAPACITY;
        continue;
      }
      PYUSER(IPROP, L, IPILE, IPILEF, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL);
      continue;
    }
    // Springs are kept for the pile's own multipliers only.
    PyCriterion* const criterion = criterionOf(code);
    if (!criterion) {
      unknownType(L, code);
      st = STAT_CAPACITY;
      continue;
    }
    keptSlot = SPRINGS && analysis && IPILEF == IPILE ? &SPRINGS->layer(IPROP, IPILE, L) : nullptr;
    criterion(IPROP, L, st, IPILE, IPILEF, YDEFL, ESOIL, YSOIL1, YSOIL2, PSMOV, PSOIL);
    keptSlot = nullptr;
  }
  if (st != st0) shared.store(st, std::memory_order_relaxed);
  if (st != 0) return;

  for (int k = 1; k <= nn; ++k)
    if (PILENODE.XNODE(p, k) < g) ESOIL(k) = 0.0;
  SOILCOM.GRNDX(p) = g - PILENODE.XNODE(p, 1);
}

}  // namespace drelm
