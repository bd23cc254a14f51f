#include "analysis/passfile.h"

namespace drelm {

// The per-pile records follow with the stiffness estimation.
void EQSTIFWR() {}

}  // namespace drelm
