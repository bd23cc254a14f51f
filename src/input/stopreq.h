// The stop request: a file whose first value asks the run to stop.
#pragma once

#include <cstddef>
#include <string_view>

namespace drelm {

// True when the stop-request text holds the integer 1 as its first value.
bool stopRequested(std::string_view text);

// A stop file longer than this is no request: it is read at every iteration.
constexpr std::size_t STOP_FILE_LIMIT = 4096;

// True when the stop-request file of the names file asks for a stop; a file
// that is missing, not a regular file, too long or unreadable asks nothing.
bool stopFileRequests();

}  // namespace drelm
