// The stop request: a file whose first value asks the run to stop.
#pragma once

#include <string_view>

namespace drelm {

// True when the stop-request text holds the integer 1 as its first value.
bool stopRequested(std::string_view text);

}  // namespace drelm
