// Short unit labels of the reports and the column headings of the along-pile
// result table.
#pragma once

#include <cstdint>

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

// SEL 1 English, -1 SI, 0 other units codes; KIPS the kip switch.
void UNITSET(std::int32_t SEL, std::int32_t KIPS);
// ANTYP 3 space analysis, any other value plane.
void HDRSET(std::int32_t ANTYP);

}  // namespace drelm
