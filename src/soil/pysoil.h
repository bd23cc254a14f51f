// Lateral soil springs of a pile: PYSOIL gives, for the pile's current
// deflected shape, the secant soil modulus and the soil reaction at every
// node from the p-y criterion of the soil layer holding the node. The same
// routine prints requested curves (listing mode) and collects curve points
// for the per-pile curve file (collect mode), as the control words KPYLST,
// KPYOUT and PYCOLL select.
#pragma once

#include <cstdint>
#include <memory>

#include "model/nodes.h"

namespace drelm {

// Status of an API sand layer with a friction angle of 0.
constexpr std::int32_t STAT_APISAND_PHI = 30;
// Status of a weak rock layer with no compressive strength.
constexpr std::int32_t STAT_WEAKROCK_QU = 21;
// Status of a silt layer with a friction angle of 0, and of one whose
// ground-slope term vanishes.
constexpr std::int32_t STAT_SILT_PHI = 28;
constexpr std::int32_t STAT_SILT_SLOPE = 29;

namespace py {
class SpringLayer;
}

// What the springs of one pile need that does not depend on its deflection
// (depths, layer look-ups, equivalent depths, ultimate resistances), kept by
// the caller of PYSOIL for the lateral iterations of one solution: the first
// evaluation of a layer keeps its node values, later ones only follow the
// deflection, with the same results. A layer whose evaluation wrote a
// warning is evaluated whole every time. One object serves one pile and
// property at a time, on one thread; its storage is reused from one solution
// to the next (local() gives each thread its own).
class PySprings {
 public:
  PySprings();
  ~PySprings();
  PySprings(const PySprings&) = delete;
  PySprings& operator=(const PySprings&) = delete;

  // The calling thread's object.
  static PySprings& local();

  // A sum over the piles at one cap displacement whose inputs of the
  // springs stay the same throughout (the cap's stiffness sum, which solves
  // each pile 13 times in a row): while it lasts, what a thread keeps for a
  // pile stays valid from one head solution of that pile to the next.
  class SumScope {
   public:
    SumScope();
    ~SumScope();
    SumScope(const SumScope&) = delete;
    SumScope& operator=(const SumScope&) = delete;
  };

  // A new head solution of pile IPILE with property IPROP: what was kept
  // stays valid only for the same pile within the same sum scope.
  void startSolution(std::int32_t IPROP, std::int32_t IPILE);

  // Nothing kept is valid any more.
  void forget();

  // The kept layer L (1 .. MAXLNL) of pile IPILE with property IPROP; the
  // layers of another pile or property are forgotten first.
  std::unique_ptr<py::SpringLayer>& layer(std::int32_t IPROP, std::int32_t IPILE, int L);

 private:
  std::int32_t prop_ = 0, pile_ = 0;
  std::uint64_t scope_ = 0;  // the sum scope of what is kept, 0 none
  std::unique_ptr<py::SpringLayer> layers_[MAXLNL];
};

// Secant moduli ESOIL and reactions PSOIL (and PSMOV, the load of the soil
// movement) of every node of pile IPILE for its deflections YDEFL and the
// soil movement YSOIL1, YSOIL2. The springs act on the signed difference
// YDEFL - YSOIL1 of the deflection and the movement in the same direction:
// a plane row hands its lateral deflection and movement (YSOIL2 is zero);
// the space solver hands the length of its deflection vector relative to
// the movement vector, with zero movement arrays. IPROP is the pile's property (for the section
// look-ups); IPILEF the pile whose multipliers for closely spaced piles apply
// to a printed or collected curve. A look-up beyond its input profile stores
// its status in ISTAT (atomically: piles run on several threads). SPRINGS,
// when given, keeps the deflection-independent values between the calls of
// one lateral solution (analysis mode only).
void PYSOIL(const std::int32_t& IPROP, std::int32_t& ISTAT, const std::int32_t& IPILE,
            const std::int32_t& IPILEF, const NodeArray& YDEFL, NodeArray& ESOIL,
            const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL,
            PySprings* SPRINGS = nullptr);

// A criterion: PYSOIL's arguments with the layer ILAYR second. It writes the
// node entries of the layer's node range only.
using PyCriterion = void(const std::int32_t& IPROP, const std::int32_t& ILAYR,
                         std::int32_t& ISTAT, const std::int32_t& IPILE,
                         const std::int32_t& IPILEF, const NodeArray& YDEFL, NodeArray& ESOIL,
                         const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV,
                         NodeArray& PSOIL);

PyCriterion PYSOFTCL;  // 1 soft clay
PyCriterion PYSOFTCJ;  // 13 soft clay with user-defined J
PyCriterion PYMSOFTK;  // 14 modified soft clay with initial k
PyCriterion PYSTFCLW;  // 2 stiff clay with free water
PyCriterion PYSTFCLD;  // 3 stiff clay without free water
PyCriterion PYSTFCDK;  // 10 stiff clay without free water, with initial k
PyCriterion PYSAND;    // 4 sand
PyCriterion PYAPISND;  // 8 sand by the API criteria
PyCriterion PYVUGLIM;  // 6 vuggy limestone
PyCriterion PYSILT;    // 7 silt
PyCriterion PYWEAKRK;  // 9 weak rock
PyCriterion PYLIQSND;  // 11 liquefied sand
PyCriterion PYELASUB;  // 12 elastic subgrade

// Whether pile IPILE names a set of user p-y curves that exists and holds a
// curve (|IPYSET| of the pile).
bool PYUSET(std::int32_t IPILE);

// 5: interpolation between the user p-y curves of the pile's set |IPYSET|.
// It reports no status: the caller checks that the set exists.
void PYUSER(const std::int32_t& IPROP, const std::int32_t& ILAYR, const std::int32_t& IPILE,
            const std::int32_t& IPILEF, const NodeArray& YDEFL, NodeArray& ESOIL,
            const NodeArray& YSOIL1, const NodeArray& YSOIL2, NodeArray& PSMOV, NodeArray& PSOIL);

// The report name of a soil-type code (1 to 14), or null for any other code.
const char* PYNAME(std::int32_t code);

// Printed p-y curves of the requests of the input (after the analysis).
void PYLIST(std::int32_t& ISTAT);

// The end of a run's analysis for the p-y listing: KPYOPT is the listing
// option of the input. Restores it in KPYLST and, when it is not 0, writes
// "* TABLE N *" and the requested curves.
void PYTABN(std::int32_t& KPYOPT, std::int32_t& ISTAT);

}  // namespace drelm
