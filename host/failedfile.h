// The final message of a run that ended because a file of the run could not
// be opened or written (status 41): the file as the runtime log names it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace drelm::host {

// The lines of the final status message of `status`. For status 41 they name
// the failed file as the engine's runtime log `log` does, and one line on
// standard error names it too (or says that the log names none: the log
// itself could not be written or read). Names in the log are relative to
// `dir` unless absolute.
std::vector<std::string> finalMessage(std::int32_t status, const std::filesystem::path& dir,
                                      const std::filesystem::path& log);

}  // namespace drelm::host
