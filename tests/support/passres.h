// The equivalent stiffnesses of every pile (plane: every row) at a given cap
// displacement, as the pass that ends an estimation point leaves them for
// the cap stiffness: the piles evaluated once with their secant stiffnesses
// kept, written to the pass file and read back into PASRES. Needs a run's
// tables set up. U has 6 components in space, 3 in plane analysis.
#pragma once

#include <cstdint>

#include "cap/passfile.h"
#include "cap/caprec2d.h"
#include "cap/capsum.h"
#include "cap/fvec2d.h"
#include "model/fileio.h"
#include "model/model.h"

namespace drelm::test {

inline bool passStiffnessAt(const double* U) {
  const bool plane = RUNCTL.IANTYP == 2;
  double F[6];
  std::int32_t st = 0;
  RUNCTL.IOUTPS = 2;
  if (plane)
    FVEC2D(F, U, st);
  else
    FVEC(F, U, st);
  RUNCTL.IOUTPS = 0;
  if (st != 0) return false;
  FNAMES.FNU(U_PASS) = "est.pas";
  if (!io::OPEN(U_PASS, "est.pas", io::Access::Work)) return false;
  // The case line, the matrix heading and its rows, which the reader skips.
  for (int k = 0; k < 2 + (plane ? 3 : 6); ++k) io::endRecord(U_PASS);
  if (plane)
    EQKWR2D();
  else
    EQSTIFWR();
  io::CLOSE(U_PASS);
  return PASSRD();
}

}  // namespace drelm::test
