#include "cap/headrsp.h"

#include "pile/pilehd.h"

namespace drelm {

// Weak until the single-pile solvers are linked in with their head response.
void PILEHD(const std::int32_t& IPILE, double* FHEAD, const double* UHEAD, std::int32_t& ISTAT)
    __attribute__((weak));

namespace {
HeadResponse replacement = nullptr;
}

HeadResponse headResponse() { return replacement != nullptr ? replacement : &PILEHD; }

void setHeadResponse(HeadResponse f) { replacement = f; }

}  // namespace drelm
