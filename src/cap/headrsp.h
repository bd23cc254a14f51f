// The single-pile head response that the cap sums evaluate. It is PILEHD;
// a test may put a response of known form in its place to check the sums
// and the cap solution against hand values.
#pragma once

#include <cstdint>

namespace drelm {

using HeadResponse = void (*)(const std::int32_t& IPILE, double* FHEAD, const double* UHEAD,
                              std::int32_t& ISTAT);

// The response now in use.
HeadResponse headResponse();
// Replace it; nullptr restores PILEHD.
void setHeadResponse(HeadResponse f);

}  // namespace drelm
