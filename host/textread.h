// Bounded reading of the run's text files by the host. Only regular files
// are read: a device or a pipe in a file's place may never end (or, like
// /dev/zero, never hold a line end), so it reads as unreadable. Lines are
// kept to a bounded length, so a file without line ends costs no memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace drelm::host {

// Appends to OUT at most LIMIT bytes of the regular file P from byte OFFSET
// on. False when P is not a regular file or cannot be read.
bool readRegular(const std::filesystem::path& p, std::uintmax_t offset, std::size_t limit, std::string& out);

// Every line of the regular file P, without its line end and cut to
// MAX_LINE characters, to LINE until it returns false. False when P is not a
// regular file or cannot be read.
constexpr std::size_t MAX_LINE = 4096;
bool forEachLine(const std::filesystem::path& p, const std::function<bool(std::string_view)>& line);

}  // namespace drelm::host
