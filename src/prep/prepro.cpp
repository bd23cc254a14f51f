// The input report and preprocessing: writes the input echo in its fixed
// order and derives each working table just before or while it writes the
// table that shows it. A step that stores a status ends the preprocessing.
#include "prep/prepro.h"

#include "prep/prep_hdcurves.h"
#include "prep/prep_steps.h"
#include "prep/prep_tables.h"
#include "soil/soilrec.h"

namespace drelm {

void PREPRO(std::int32_t& ISTAT) {
  // Title block and pile cap options.
  PRPCAP(ISTAT);
  if (ISTAT != 0) return;

  // Load and control parameters, with the per-case control copy.
  PRPLOD(ISTAT);
  if (ISTAT != 0) return;

  // Pile group arrangement and per-pile working arrays.
  PRPPIL(ISTAT);
  if (ISTAT != 0) return;

  // Pile properties, section table and the echo of the cross sections.
  PRPSEC(ISTAT);
  if (ISTAT != 0) return;

  // Soil record.
  SOILREC(ISTAT);
  if (ISTAT != 0) return;

  // Soil data report.
  PRPSOL(ISTAT);
  if (ISTAT != 0) return;

  // Input p-y curves.
  PRPUPY(ISTAT);
  if (ISTAT != 0) return;

  // No pile whose head curves are generated may reach below the profile
  // that they look up.
  PRPTIP(ISTAT);
  if (ISTAT != 0) return;

  // Pile-head curves of the input and those generated from the soil.
  PRPHCV(ISTAT);
  if (ISTAT != 0) return;

  // Moment-curvature tables.
  PRPMCT(ISTAT);
  if (ISTAT != 0) return;

  // Reduction factors along depth, soil movement and reduction factors for
  // closely spaced piles.
  PRPRFK(ISTAT);
}

}  // namespace drelm
