// The final message of a run for each status word. The closing step writes
// these lines to the runtime log and the command-line host prints them, so
// the texts live here once. This file depends on the standard library only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace drelm {

// Lines of the message for status `code`, each without the leading blank of
// a free-form line. Every code but 0 and 4 starts with the error heading.
// `file` names the file that failed (codes 40 and 41); `namesLine` is the
// names-file line of that file when known (0 otherwise); `written` tells a
// file that could not be written from one that could not be opened.
std::vector<std::string> statusLines(std::int32_t code, std::string_view file = {},
                                     int namesLine = 0, bool written = false);

// The one line of a code-41 message that names the failed file, and its
// reading back from a line of the runtime log (false when it is another line).
std::string failedFileLine(std::string_view file, bool written);
bool fileOfFailedLine(std::string_view line, std::string& file, bool& written);

}  // namespace drelm
