// The pass file: the equivalent stiffnesses of the pass that ends the
// load-factor search of an estimation point.
#pragma once

namespace drelm {

// Record 4 of the pass file for every pile (space analysis).
void EQSTIFWR();

}  // namespace drelm
