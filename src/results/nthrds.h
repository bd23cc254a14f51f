// Thread count of the parallel loops over piles.
#pragma once

#include <cstdint>

namespace drelm {

// The count for PROCS processors, the case's limit NTHLIM (0 automatic), N
// work items and FLAG 1 for the result-table writers: leaves one or two
// processors free unless the case sets a limit, never more threads than work
// items, at most 2 for the table writers, and at least 1.
int threadCount(int procs, std::int32_t NTHLIM, int n, std::int32_t flag);

// Chooses the count for the processors the run reported, raises NTHUSE and
// NTHRUN to it and makes it the count of the next parallel region.
void NTHRDS(const std::int32_t& NTHLIM, std::int32_t& NTHUSE, std::int32_t& NTHRUN,
            const std::int32_t& n, const std::int32_t& flag);

}  // namespace drelm
