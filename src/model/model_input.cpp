#include "model/model_curves.h"
#include "model/model_input.h"
#include "model/model_loads.h"
#include "model/model_piles.h"
#include "model/tables.h"

#include <algorithm>

namespace drelm {
namespace {

// The load-case, combination and section tables are large and their only
// non-zero initial values are blank texts. They are stored as zero bytes
// (no page of them is read at library load) and the clearing at run start
// blanks their texts, which leaves them as constructed.
template <int M, int N>
constexpr FArray<FStr<M>, N> zeroTexts() {
  FArray<FStr<M>, N> a;
  for (FStr<M>& s : a.v) std::fill(s.c, s.c + M, '\0');
  return a;
}

template <int M, int N>
void blank(FArray<FStr<M>, N>& a) {
  a.fill(FStr<M>());
}

}  // namespace

DRELM_TABLE(CAPCTL_T, CAPCTL);
DRELM_ZERO_TABLE(CAPSOL_T, CAPSOL);
DRELM_ZERO_TABLE(FECOPT_T, FECOPT);
DRELM_ZERO_TABLE(RFDCTL_T, RFDCTL);
DRELM_ZERO_TABLE(CRVCTL_T, CRVCTL);
DRELM_STARTED_TABLE(CASEIN_T, CASEIN, [] { blank(CASEIN.LCNAME); }, .LCNAME = zeroTexts<80, MAXLC>());
DRELM_STARTED_TABLE(COMBIN_T, COMBIN, [] { blank(COMBIN.CBNAME); }, .CBNAME = zeroTexts<80, MAXCMB>());
DRELM_ZERO_TABLE(ENVOPT_T, ENVOPT);
DRELM_ZERO_TABLE(DLSETIN_T, DLSETIN);
DRELM_ZERO_TABLE(PGRP2D_T, PGRP2D);
DRELM_ZERO_TABLE(PGRP3D_T, PGRP3D);
DRELM_ZERO_TABLE(PROPIN_T, PROPIN);
DRELM_STARTED_TABLE(SECTIN_T, SECTIN,
                    [] {
                      blank(SECTIN.SCNAME);
                      blank(SECTIN.SCTXT2);
                      blank(SECTIN.NLMATN);
                    },
                    .SCNAME = zeroTexts<80, MAXSEC>(), .SCTXT2 = zeroTexts<80, MAXSEC>(),
                    .NLMATN = zeroTexts<80, MAXSEC>());
DRELM_ZERO_TABLE(SOILIN_T, SOILIN);
DRELM_ZERO_TABLE(GRPFAC_T, GRPFAC);
DRELM_ZERO_TABLE(PYPRT_T, PYPRT);
DRELM_ZERO_TABLE(INPCRV_T, INPCRV);
DRELM_ZERO_TABLE(GENCRVIN_T, GENCRVIN);
DRELM_ZERO_TABLE(RFDEP_T, RFDEP);
DRELM_ZERO_TABLE(SMOV_T, SMOV);

}  // namespace drelm
