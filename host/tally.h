// The one-line tally of the case outcomes printed at the end of a run: a run
// whose status word is 0 may still hold a case that failed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "caselines.h"

namespace drelm::host {

// The numbers of load cases and combinations the input declares, from the
// input echo; 0 for a count the echo does not give.
struct Declared {
  int cases = 0, combs = 0;
};
Declared declaredCounts(const std::filesystem::path& echo);

// "3 load cases: 2 completed, 1 no convergence on the pile cap; see B.status";
// cases the input declares that the run did not reach are counted as such.
// Empty when there is no case at all.
std::string tally(const std::vector<CaseOutcome>& cases, const Declared& declared,
                  const std::string& statusName);

// The tally of a run from the status file CASES followed, with the counts
// of the input echo ECHO when the run wrote it, or of the runtime log LOG
// where a failed file cut the echo short of them; empty when the run wrote
// no status file or it holds no case.
std::string runTally(const CaseFollower& cases, RunFiles& written, const std::filesystem::path& echo,
                     const std::filesystem::path& log);

}  // namespace drelm::host
