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
// `file` names the file of a start-up failure (codes 40 and 41); `namesLine`
// is the names-file line of that file when known (0 otherwise).
std::vector<std::string> statusLines(std::int32_t code, std::string_view file = {},
                                     int namesLine = 0);

}  // namespace drelm
