// Pile-head curves of the analysis: the axial load-displacement and the
// torque-rotation curves given in the input, and those generated from the
// soil profile at the input stage. A pile finds its curve through ILSCRV
// (ITRCRV): user curve ILSCRV when positive, generated curve -ILSCRV when
// negative. Values in internal units; a generated curve holds 19 points:
// the uplift half negated from the largest uplift down, the origin, the
// compression half.
#pragma once

#include <cstdint>

#include "model/farray.h"
#include "model/model_curves.h"
#include "model/model_run.h"

namespace drelm {

constexpr int MAXGCP = 50;  // point slots of a generated head curve

struct LSCRV_T {
  std::int32_t LSNCRV = 0;                        // user curves
  FArray<std::int32_t, MAXHDC> LSNPT;             // points of user curve c
  FArray2<double, MAXHDC, MAXHDP> LSDSP, LSLOD;   // (c, k) head displacement, axial load
  std::int32_t LSGNCV = 0;                        // generated curves
  FArray<std::int32_t, MAXPIL1> LSGNPT;           // points of generated curve h
  RowArray2<double, MAXPIL1, MAXGCP> LSGDSP, LSGLOD;  // (h, k) head displacement, axial load
};
extern LSCRV_T LSCRV;

struct TRCRV_T {
  std::int32_t TRNCRV = 0;                        // user curves
  FArray<std::int32_t, MAXHDC> TRNPT;             // points of user curve c
  FArray2<double, MAXHDC, MAXHDP> TRROT, TRTOR;   // (c, k) twist (radian), torque
  std::int32_t TRGNCV = 0;                        // generated curves
  FArray<std::int32_t, MAXTRG> TRGNPT;            // points of generated curve h
  RowArray2<double, MAXTRG, MAXGCP> TRGROT, TRGTOR;  // (h, k) twist, torque
};
extern TRCRV_T TRCRV;

}  // namespace drelm
