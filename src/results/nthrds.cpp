#include "results/nthrds.h"

#include <omp.h>

#include <algorithm>

#include "model/model_run.h"

namespace drelm {

int threadCount(int procs, std::int32_t NTHLIM, int n, std::int32_t flag) {
  int t;
  if (NTHLIM != 0)
    t = std::min(procs, static_cast<int>(NTHLIM));
  else if (procs > 3)
    t = procs - 2;
  else if (procs >= 2)
    t = procs - 1;
  else
    t = procs;
  t = std::min(t, n);
  if (flag == 1 && t > 2) t = 2;
  return std::max(t, 1);  // a negative limit or no work still runs one thread
}

void NTHRDS(const std::int32_t& NTHLIM, std::int32_t& NTHUSE, std::int32_t& NTHRUN,
            const std::int32_t& n, const std::int32_t& flag) {
  const int procs = TIMBLK.NPROCS > 0 ? TIMBLK.NPROCS : omp_get_num_procs();
  const int t = threadCount(procs, NTHLIM, n, flag);
  NTHUSE = std::max(NTHUSE, t);
  NTHRUN = std::max(NTHRUN, t);
  omp_set_num_threads(t);
}

}  // namespace drelm
