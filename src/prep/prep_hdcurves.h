// Pile-head curves of the input report: the user load-displacement and
// torque-rotation curves, the generation of the curves of the other piles
// from the soil profile, and their tables "* TABLE H *" and "* TABLE I *".
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model.h"
#include "transfer/headcurves.h"

namespace drelm {

// A generator of one direction of a pile-head curve (AXLSGEN, TRGEN).
using HeadCurveGen = void(const std::int32_t& IPROP, const std::int32_t& KDIR, const std::int32_t& ICURV,
                          const std::int32_t& IPILE, std::int32_t& ISTAT, std::int32_t& NHCPT,
                          HeadPoints& HLOAD, HeadPoints& HMOV);

// True when the curves of one kind are generated: there is a soil profile to
// generate from and a pile whose user curve number in USER is 0.
bool generates(const FArray<std::int32_t, MAXPIL1>& user);

// Copies the user head curves, generates the curves of the piles without
// one and writes their tables to the input echo (unit 32) and the generated
// curves to the plot data (unit 17). A status from a generator, or a pile
// naming a curve that does not exist, ends the step.
void PRPHCV(std::int32_t& ISTAT, HeadCurveGen* axgen = AXLSGEN, HeadCurveGen* trgen = TRGEN);

}  // namespace drelm
