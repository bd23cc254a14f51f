#include "cap/pilehk.h"

#include "cap/headrsp.h"
#include "model/model_run.h"

namespace drelm {

double translationStep() { return RUNCTL.IUNITS == 2 ? 2.54E-9 : 1.0E-7; }

void PILEHK(const std::int32_t& IPILE, double* KH, const double* UH, std::int32_t& ISTAT,
            bool BASESOLVED, bool SCALED) {
  const HeadResponse head = headResponse();
  const double ht = translationStep();
  double u[6], f[6], fp[6][6], fm[6][6], step[6];
  for (int i = 0; i < 6; ++i) {
    u[i] = UH[i];
    step[i] = i < 3 ? ht : ROTSTEP;
    if (SCALED) step[i] = scaledStep(step[i], UH[i]);
  }
  // The base point runs first: the pile's solution state starts from it.
  if (!BASESOLVED) head(IPILE, f, u, ISTAT);
  for (int j = 0; j < 6; ++j) {
    u[j] = UH[j] + step[j];
    head(IPILE, fp[j], u, ISTAT);
    u[j] = UH[j];
  }
  for (int j = 0; j < 6; ++j) {
    u[j] = UH[j] - step[j];
    head(IPILE, fm[j], u, ISTAT);
    u[j] = UH[j];
  }
  for (int j = 0; j < 6; ++j) {
    for (int i = 0; i < 6; ++i) KH[i + 6 * j] = (fp[j][i] - fm[j][i]) * 0.5 / step[j];
  }
}

}  // namespace drelm
