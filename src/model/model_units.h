// The unit labels of the reports and the headings of the along-pile result
// table, set once per run from the units of the input.
#pragma once

#include "model/farray.h"

namespace drelm {

struct UNITLB_T {
  FStr<3> ULLEN3;
  FStr<4> ULFRC4;
  FStr<2> ULLEN2;
  FStr<3> ULFRC3;
  FStr<16> ULSYM;
  FStr<5> ULSTR5;
  FStr<2> ULSYM2;
  FStr<3> ULBIG3;
  FStr<3> ULSML3;
  FStr<2> ULBIG2;
  FStr<2> ULSML2;
  FStr<4> ULLOD4;
  FStr<3> ULLOD3;
};
extern UNITLB_T UNITLB;

struct UNITTB_T {
  FArray<FStr<10>, 25> HDLIN1, HDLIN2, HDLIN3;
  FArray<FStr<10>, 4> HDL10;
  FArray<FStr<6>, 4> HDL6;
};
extern UNITTB_T UNITTB;

}  // namespace drelm
