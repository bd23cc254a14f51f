#include "fecap/pilecpl.h"

#include <string>

#include "fecap/fefmt.h"
#include "fecap/shape.h"
#include "model/fileio.h"
#include "model/model_run.h"

namespace drelm {

void PILECPL(PlateArrays& A, PlateHeads* HEADS, std::int32_t& ISTAT) {
  const FESOLV_T& F = FESOLV;
  if (F.ICOUPL <= 0 || F.NCTSTI <= 0 || HEADS == nullptr) return;
  io::line(U_FETRACE, "ITER = " + std::to_string(F.ITER));
  // A reporting evaluation: the piles store their results of this state.
  const std::int32_t pass = RUNCTL.IOUTPS;
  RUNCTL.IOUTPS = 1;
  for (int i = 1; i <= F.NCTSTI; ++i) {
    const int e = A.PHELM(i);
    if (e < 1) continue;  // the deck reader stops on a head outside the mesh
    SHAPEF(A.PHPNT(1, i), A.PHPNT(2, i), F.NNODE);
    double d[6] = {0, 0, 0, 0, 0, 0}, u[6], Fh[6];
    for (int l = 1; l <= 6; ++l)
      for (int m = 1; m <= F.NNODE; ++m) d[l - 1] += F.SHPVAL(m) * A.ASDIS(l, A.ELNOD(m, e));
    plateToCap(d, u);
    std::string s = "DDD  ", c = "DD2  ";
    for (int l = 0; l < 6; ++l) s += fmtE(13, 5, d[l]), c += fmtE(13, 5, u[l]);
    io::line(U_FETRACE, std::to_string(i));
    io::put(U_FETRACE, s);
    io::endRecord(U_FETRACE);
    io::put(U_FETRACE, c);
    io::endRecord(U_FETRACE);
    std::int32_t st = 0;
    HEADS->force(i, Fh, u, st);
    if (st != 0 && ISTAT == 0) ISTAT = st;
  }
  RUNCTL.IOUTPS = pass;
}

}  // namespace drelm
