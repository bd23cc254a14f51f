// The diagnosis of a run that ended on a fatal error of its input or its
// model (a line of the input data file and its field, a pile below the soil
// profile): the lines of the last fatal block of the runtime log, for
// standard error, where a batch user who keeps only that can read them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace drelm::host {

// The text lines of the last "**** FATAL ERROR ****" block of the runtime
// log `log`, leading blanks removed, up to the first empty line; empty when
// the log holds none or cannot be read. Only the log's end is read: the
// block is among its last lines.
std::vector<std::string> fatalDiagnosis(const std::filesystem::path& log);

}  // namespace drelm::host
