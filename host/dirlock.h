// The host's lock of its output directory: one run per directory.
#pragma once

#include <filesystem>

namespace drelm::host {

// Takes the write lock of the directory's lock file and holds it to the end
// of the process. False, with the reason on standard error, when another run
// holds it or the lock file cannot be created or locked.
bool lockDirectory(const std::filesystem::path& dir);

}  // namespace drelm::host
